// The preferences file: its place, its round trip in any locale and what a
// damaged or foreign file does.
#include "Preferences.h"
#include "GuiHarness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>

namespace {

// Sets or removes an environment variable for as long as it lives.
class Environment {
public:
    Environment(const char *name, const char *value) : name_(name) {
        if (const char *previous = std::getenv(name))
            previous_ = previous;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~Environment() {
        if (previous_)
            setenv(name_, previous_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char *name_;
    std::optional<std::string> previous_;
};

// Every choice away from its default; a confidence that a float holds only
// approximately.
Preferences everyChoice(const std::string &folder) {
    Preferences preferences;
    preferences.useStemming = true;
    preferences.computeInformationGain = true;
    preferences.sparseFileSet = true;
    preferences.stemStopWords = true;
    preferences.c45Options = {true, 5, 0.3f, 10};
    preferences.minDf = 7;
    preferences.stopWords = true;
    preferences.documentFolder = folder;
    preferences.multiCategory = true;
    return preferences;
}

// The file of everyChoice with stemming, the C4.5 options text and the
// threshold given, and folder as the last line unless empty.
std::string fileText(const char *stemming, const char *c45, const char *minDf,
                     const std::string &folder) {
    return std::string("stemming=") + stemming +
           "\ninformation_gain=1\nsparse_file_set=1\nstem_stop_words=1\n" + c45 +
           "min_df=" + minDf + "\nstop_words=1\nmulti_category=1\n" +
           (folder.empty() ? "" : "document_folder=" + folder + "\n");
}

const char *const everyOption = "c45_s=1\nc45_m=5\nc45_c=0.3\nc45_t=10\n";

} // namespace

TEST(Preferences, LiveInTheUsersConfigurationFolder) {
    const Environment home("HOME", "/home/ana");
    const struct {
        const char *config;
        const char *path;
    } cases[] = {
        {"/tmp/cfg", "/tmp/cfg/tcw/settings"},
        {nullptr, "/home/ana/.config/tcw/settings"},
        {"", "/home/ana/.config/tcw/settings"},
        {"relative", "/home/ana/.config/tcw/settings"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.config ? row.config : "unset");
        const Environment config("XDG_CONFIG_HOME", row.config);
        EXPECT_EQ(row.path, preferencesPath());
    }
    const Environment config("XDG_CONFIG_HOME", nullptr);
    const Environment noHome("HOME", nullptr);
    EXPECT_EQ("", preferencesPath());
}

// Written and read in the users' locale, whose decimal separator is a comma.
TEST(Preferences, RoundTripInEveryLocaleMakingTheFolder) {
    const WorkingFolder folder;
    const std::string path = folder.path() + "/new/tcw/settings";
    Preferences few; // every choice but the folder at its default
    few.documentFolder = folder.path();
    const Preferences every = everyChoice(folder.path());
    const CroatianLocale croatian;
    ASSERT_TRUE(croatian.active()) << "hr_HR.UTF-8 is not installed";
    for (const auto &[written, before] : {std::pair{few, every}, std::pair{every, few}}) {
        writePreferences(written, path);
        EXPECT_EQ(preferencesText(written), readFile(path));
        Preferences read = before;
        readPreferences(path, read);
        EXPECT_EQ(preferencesText(written), preferencesText(read));
        EXPECT_EQ(written.c45Options.confidence, read.c45Options.confidence);
    }
    EXPECT_EQ(fileText("1", everyOption, "7", folder.path()), readFile(path));

    // A folder whose name would break the line is not kept.
    Preferences broken = every;
    broken.documentFolder += "\nmin_df=3";
    writePreferences(broken, path);
    EXPECT_EQ(fileText("1", everyOption, "7", ""), readFile(path));
}

// What the reader keeps of a file in each state; the preferences it reads
// into hold every choice beforehand.
TEST(Preferences, DamagedValuesAndFilesChangeNothing) {
    const WorkingFolder folder;
    const Preferences every = everyChoice(folder.path());
    const std::string kept = fileText("1", everyOption, "7", folder.path());
    std::filesystem::create_directory("folder");
    const struct {
        const char *name;
        std::string content; // empty: no file
        std::string read;    // expected preferencesText
    } cases[] = {
        {"missing file", "", kept},
        {"not key=value", "stemming=0\nstemming off\n", kept},
        {"empty key", "stemming=0\n=1\n", kept},
        {"unknown keys skipped", "# comment\n\ncolour=blue\nstemming=0\nmin_df=12\n",
         fileText("0", everyOption, "12", folder.path())},
        {"values out of range or form",
         "stemming=yes\nc45_m=0\nc45_c=100.5\nc45_c=12,5\nc45_t=10001\nc45_t=1e3\nmin_df=-1\n"
         "min_df=7.5\nstop_words=\ndocument_folder=/no/such/folder\ndocument_folder=\n",
         kept},
        {"options left out", "c45_m=\nc45_c=\nc45_t=\n",
         fileText("1", "c45_s=1\nc45_m=\nc45_c=\nc45_t=\n", "7", folder.path())},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove("settings");
        if (!row.content.empty())
            std::ofstream("settings") << row.content;
        Preferences read = every;
        readPreferences("settings", read);
        EXPECT_EQ(row.read, preferencesText(read));
    }
    Preferences read = every;
    readPreferences("folder", read);
    EXPECT_EQ(kept, preferencesText(read));
}
