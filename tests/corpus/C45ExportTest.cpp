#include "CorpusText.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const char *const corpus = "<DATA><SET>TRAIN</SET><TOPIC>crude</TOPIC><TEXT>oil oil oil rig</TEXT>"
                           "<DATA><SET>TRAIN</SET><TOPIC>earn</TOPIC><TEXT>price net</TEXT>"
                           "<DATA><SET>TRAIN</SET><TOPIC>acq</TOPIC><TEXT>oil price</TEXT>"
                           "<DATA><SET>TEST</SET><TOPIC>earn</TOPIC><TEXT>price price zzz</TEXT>"
                           "<DATA><SET>TEST</SET><TOPIC>crude</TOPIC><TEXT>rig</TEXT>";

std::vector<std::string> folderEntries(const std::string &folder) {
    std::vector<std::string> names;
    DIR *dir = opendir(folder.c_str());
    while (const dirent *entry = readdir(dir))
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

class C45Export : public testing::Test {
protected:
    C45Export() : folder(makeTempFolder()), engine(folder, folder + "/set", trace) {}

    std::string files() const {
        std::string all;
        for (const char *extension : {".info", ".names", ".data", ".test"})
            all += std::string("== ") + extension + "\n" + readFile(folder + "/set" + extension);
        return all;
    }

    std::string folder;
    std::ostringstream trace;
    TextProcessor engine;
};

TEST_F(C45Export, WritesTheFourLayouts) {
    engine.parseFileText(corpus);
    engine.selectWords(2, false, "");
    engine.writeC45Files();
    EXPECT_EQ(files(), "== .info\n3\n2\n3\n2\n"
                       "== .names\nacq, crude, earn.\n\noil: continuous.\nprice: continuous.\n"
                       "== .data\n3, 0, crude\n0, 1, earn\n1, 1, acq\n"
                       "== .test\n0, 2, earn\n0, 0, crude\n");
    EXPECT_EQ(trace.str(), "Procesiram train dokument broj: 1 od 3\r"
                           "Procesiram train dokument broj: 2 od 3\r"
                           "Procesiram train dokument broj: 3 od 3\r\n"
                           "Procesiram test dokument broj: 1 od 2\r"
                           "Procesiram test dokument broj: 2 od 2\r\n");
    EXPECT_EQ(folderEntries(folder),
              (std::vector<std::string>{"set.data", "set.info", "set.names", "set.test"}));
}

TEST_F(C45Export, ExportingTwiceWritesTheSameFilesAndKeepsTheCounts) {
    engine.parseFileText(corpus);
    engine.selectWords(1, false, "");
    const std::string corpusBefore = describe(engine);
    engine.writeC45Files();
    const std::string first = files();
    engine.writeC45Files();
    EXPECT_EQ(files(), first);
    EXPECT_EQ(describe(engine), corpusBefore);
    EXPECT_EQ(readFile(folder + "/set.data"), "0, 3, 0, 1, crude\n1, 0, 1, 0, earn\n"
                                              "0, 1, 1, 0, acq\n");
}

TEST_F(C45Export, EmptyCorpusAndNoAttributes) {
    engine.writeC45Files();
    EXPECT_EQ(files(), "== .info\n0\n0\n0\n0\n== .names\n.\n\n== .data\n== .test\n");
    EXPECT_EQ(trace.str(), "\n\n");

    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>solo</TOPIC><TEXT>w</TEXT>");
    engine.writeC45Files();
    EXPECT_EQ(files(), "== .info\n1\n0\n1\n0\n== .names\nsolo.\n\n== .data\nsolo\n== .test\n");
}

TEST_F(C45Export, UnwritableStemThrowsAndLeavesNothingBehind) {
    engine.setFileStem(folder + "/missing/set");
    try {
        engine.writeC45Files();
        FAIL() << "no FileError";
    } catch (const FileError &error) {
        EXPECT_EQ(std::string(error.what()), "Could not open file " + folder + "/missing/set.info");
    }
    EXPECT_TRUE(folderEntries(folder).empty());
}

TEST(AtomicFile, ReplacesOnlyOnCommit) {
    const std::string folder = makeTempFolder();
    const std::string path = folder + "/file";
    writeFile(path, "old\n");
    {
        AtomicFile file(path);
        file.stream() << "abandoned\n";
    }
    EXPECT_EQ(readFile(path), "old\n");
    {
        AtomicFile file(path);
        file.stream() << "new\n";
        EXPECT_EQ(readFile(path), "old\n");
        file.commit();
    }
    EXPECT_EQ(readFile(path), "new\n");
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"file"});
}

TEST(AtomicFile, FailedRenameKeepsTheTargetAndRemovesTheTemporary) {
    const std::string folder = makeTempFolder();
    const std::string target = folder + "/taken";
    ASSERT_EQ(mkdir(target.c_str(), 0755), 0);
    writeFile(target + "/inside", "x");
    {
        AtomicFile file(target);
        file.stream() << "content";
        try {
            file.commit();
            FAIL() << "no FileError";
        } catch (const FileError &error) {
            EXPECT_EQ(std::string(error.what()), "Could not write file " + target);
        }
    }
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"taken"});
    EXPECT_EQ(folderEntries(target), std::vector<std::string>{"inside"});
}

// A file system that fills up half-way: the file-size limit makes every write
// past 64 bytes fail, as a full disk would, for root as for anyone.
TEST(AtomicFile, WriteFailingHalfWayKeepsTheOldFileAndReportsIt) {
    const std::string folder = makeTempFolder();
    std::ostringstream trace;
    TextProcessor engine(folder, folder + "/set", trace);
    engine.parseFileText(corpus);
    engine.selectWords(1, false, "");
    const std::string statePath = folder + "/saved.tpp";
    writeFile(statePath, "old state\n");
    writeFile(folder + "/set.data", "old data\n");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string stateError, exportError;
    try {
        engine.saveTextProcessingState(statePath);
    } catch (const FileError &error) {
        stateError = error.what();
    }
    try {
        engine.writeC45Files();
    } catch (const FileError &error) {
        exportError = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(stateError, "Could not write file " + statePath);
    EXPECT_EQ(readFile(statePath), "old state\n");
    // The small ".info" fits; ".names" does not, and the export stops there.
    EXPECT_EQ(exportError, "Could not write file " + folder + "/set.names");
    EXPECT_EQ(readFile(folder + "/set.data"), "old data\n");
    EXPECT_EQ(folderEntries(folder),
              (std::vector<std::string>{"saved.tpp", "set.data", "set.info"}));
}

} // namespace
