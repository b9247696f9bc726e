#include "c45/C45Runner.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

TEST(C45Runner, ReplaceAllResumesAfterEachInsertedText) {
    const std::vector<std::vector<std::string>> cases = {
        {"C:\\data\\my set", "\\", "/", "C:/data/my set"},
        {"my set", " ", "\\ ", "my\\ set"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"abc", "", "x", "abc"},
        {"", "a", "b", ""},
    };
    for (const auto &c : cases) {
        std::string text = c[0];
        EXPECT_EQ(replaceAll(text, c[1], c[2]), c[3]);
        EXPECT_EQ(text, c[3]);
    }
}

TEST(C45Runner, QuotesEveryShellSpecialCharacter) {
    EXPECT_EQ(stemOfNamesPath("/d/a.names.names"), "/d/a");
    EXPECT_EQ(stemOfNamesPath("/d/plain"), "/d/plain");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"./c4.5.exe", "./c4.5.exe"},
        {"C:/data/my set", "C:/data/my\\ set"},
        {"dir/ččž-1_2+3,4:5@6%7=8", "dir/ččž-1_2+3,4:5@6%7=8"},
        {"a;b&c|d", "a\\;b\\&c\\|d"},
        {"$(x)`y`", "\\$\\(x\\)\\`y\\`"},
        {"'\"", "\\'\\\""},
        {"<>*?[#~!^{}\\", "\\<\\>\\*\\?\\[\\#\\~\\!\\^\\{\\}\\\\"},
        {"a\tb\nc", "a\\\tb'\n'c"},
        {"", "''"},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(shellWord(text), expected) << text;
    EXPECT_THROW(shellWord(std::string("a\0b", 3)), std::invalid_argument);
}

TEST(C45Runner, BuildsTheOptionText) {
    C45Options all;
    all.discreteGroups = true;
    all.minCases = 2;
    all.confidence = 25;
    all.trials = 10;
    EXPECT_EQ(optionText(all), " -s -m 2 -c 25 -t 10");
    C45Options some;
    some.confidence = 50;
    EXPECT_EQ(optionText(some), " -c 50");
    EXPECT_EQ(optionText(C45Options()), "");
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/c45-runner-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }
    void touch(const std::string &name) const { std::ofstream(dir + "/" + name) << "x\n"; }
    std::string dir;
};

using C45Command_ = TempDir;

TEST_F(C45Command_, AddsUOnlyWhenTheTestFileOpens) {
    touch("my set.test");
    const std::vector<std::pair<C45RunRequest, std::string>> cases = {
        {{dir + "/my set.names", "", "./c4.5.exe"}, "./c4.5.exe -u -f " + dir + "/my\\ set"},
        {{dir + "\\my set.names.names", " -m 2", "./c4.5.exe"},
         "./c4.5.exe -u -f " + dir + "/my\\ set -m 2"},
        {{dir + "/other.names", "", "./c4.5.exe"}, "./c4.5.exe -f " + dir + "/other"},
        {{dir + "/my set", " -s", "/opt/my c45"}, "/opt/my\\ c45 -u -f " + dir + "/my\\ set -s"},
    };
    for (const auto &[request, expected] : cases) {
        const C45Command command = buildC45Command(request);
        EXPECT_EQ(command.commandLine, expected);
        EXPECT_EQ(command.hasTest, expected.find(" -u ") != std::string::npos);
    }
}

class FakeC45 : public TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        argsFile = dir + "/args";
        setenv("FAKE_C45_ARGS", argsFile.c_str(), 1);
        setenv("FAKE_C45_TRANSCRIPT", dataPath("release8-test.out").c_str(), 1);
    }
    C45RunRequest request(const std::string &stem, const std::string &options = "") const {
        return C45RunRequest{stem + ".names", options, dataPath("fake-c45.sh")};
    }
    std::vector<std::string> recordedArguments() const {
        std::ifstream in(argsFile, std::ios::binary);
        std::vector<std::string> args;
        for (std::string arg; std::getline(in, arg, '\0');)
            args.push_back(arg);
        return args;
    }
    std::string argsFile;
};

TEST_F(FakeC45, RunsAndParsesAndTracesTheOptions) {
    touch("bla.test");
    std::ostringstream trace;
    const C45Process::Outcome run = runC45(request(dir + "/bla", " -m 2 -c 25"), trace);
    EXPECT_EQ(trace.str(), "opcije su  -m 2 -c 25\n");
    EXPECT_EQ(recordedArguments(),
              (std::vector<std::string>{"-u", "-f", dir + "/bla", "-m", "2", "-c", "25"}));
    EXPECT_EQ(run.result.outputLines, transcript("release8-test.out"));
    EXPECT_EQ(::testing::PrintToString(run.result.confusionMatrix),
              "acq: 2 0 0 | earn: 1 1 0 | grain: 0 0 2");
    EXPECT_TRUE(run.summary.hasTest);
    EXPECT_EQ(run.summary.test.items, 6);
    EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(FakeC45, HostileStemsReachTheProgramLiterally) {
    const std::vector<std::string> stems = {
        "x; touch PWNED",      "x && touch PWNED",  "$(touch PWNED)",  "`touch PWNED`",
        "x | touch PWNED",     "x > PWNED",         "x\ntouch PWNED",  "'; touch PWNED; '",
        "\"; touch PWNED; \"", "x\\\";touch PWNED", "#(*?[~!{a,b}) &", "x\ttouch\tPWNED",
    };
    for (const std::string &hostile : stems) {
        SCOPED_TRACE(hostile);
        const fs::path folder = fs::path(dir) / "work";
        fs::create_directory(folder);
        const std::string stem = folder.string() + "/" + hostile;
        std::ostringstream trace;
        const fs::path old = fs::current_path();
        fs::current_path(folder);
        const C45Process::Outcome run = runC45(request(stem), trace);
        fs::current_path(old);
        std::string expectedStem = stem;
        replaceAll(expectedStem, "\\", "/");
        EXPECT_EQ(recordedArguments(), (std::vector<std::string>{"-f", expectedStem}));
        EXPECT_FALSE(fs::exists(folder / "PWNED"));
        EXPECT_EQ(run.result.outputLines.size(), transcript("release8-test.out").size());
        fs::remove_all(folder);
    }
}

TEST_F(FakeC45, ReadsWithoutBlockingUntilTheOutputEnds) {
    std::ostringstream trace;
    C45Process process(request(dir + "/bla"), trace);
    ASSERT_GE(process.outputDescriptor(), 0);
    for (bool ended = false; !ended; ended = process.readAvailable()) {
        pollfd watch{process.outputDescriptor(), POLLIN, 0};
        ASSERT_GE(poll(&watch, 1, 10000), 1);
    }
    EXPECT_EQ(process.lines(), transcript("release8-test.out"));
    const C45Process::Outcome run = process.finish();
    EXPECT_FALSE(run.summary.hasTest);
    EXPECT_EQ(run.result.outputLines, transcript("release8-test.out"));
    EXPECT_EQ(::testing::PrintToString(run.result.confusionMatrix),
              "acq: 2 0 0 | earn: 1 1 0 | grain: 0 0 2");
}

// Alive and not a zombie waiting to be reaped.
bool processRuns(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidField, name, state;
    return stat >> pidField >> name >> state && state != "Z";
}

TEST_F(FakeC45, EndingARunEndsWhatTheProgramStarted) {
    const std::string pidFile = dir + "/linger";
    setenv("FAKE_C45_LINGER", pidFile.c_str(), 1);
    pid_t sleeper = 0;
    {
        std::ostringstream trace;
        C45Process process(request(dir + "/bla"), trace);
        while (!process.readAvailable() && process.lines().empty()) {
            pollfd watch{process.outputDescriptor(), POLLIN, 0};
            ASSERT_GE(poll(&watch, 1, 10000), 1);
        }
        for (int wait = 0; wait < 200 && !(std::ifstream(pidFile) >> sleeper); ++wait)
            poll(nullptr, 0, 10);
        ASSERT_GT(sleeper, 0);
        EXPECT_TRUE(processRuns(sleeper));
    }
    unsetenv("FAKE_C45_LINGER");
    bool ended = false;
    for (int wait = 0; wait < 200 && !ended; ++wait) {
        ended = !processRuns(sleeper);
        poll(nullptr, 0, 10);
    }
    EXPECT_TRUE(ended);
}

TEST_F(FakeC45, AMissingProgramGivesNoLines) {
    std::ostringstream trace;
    C45RunRequest missing{dir + "/bla.names", "", dir + "/no-such-c45"};
    const C45Process::Outcome run = runC45(missing, trace);
    EXPECT_TRUE(run.result.outputLines.empty());
    EXPECT_EQ(run.summary.training.items, std::nullopt);
    EXPECT_EQ(run.exitStatus, 127);
}

} // namespace
