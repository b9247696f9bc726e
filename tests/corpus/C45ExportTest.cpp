#include "CorpusText.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"
#include "corpus/TokenizerFile.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char *const corpus = "<DATA><SET>TRAIN</SET><TOPIC>crude</TOPIC><TEXT>oil oil oil rig</TEXT>"
                           "<DATA><SET>TRAIN</SET><TOPIC>earn</TOPIC><TEXT>price net</TEXT>"
                           "<DATA><SET>TRAIN</SET><TOPIC>acq</TOPIC><TEXT>oil price</TEXT>"
                           "<DATA><SET>TEST</SET><TOPIC>earn</TOPIC><TEXT>price price zzz</TEXT>"
                           "<DATA><SET>TEST</SET><TOPIC>crude</TOPIC><TEXT>rig</TEXT>";

const char *const progress = "Procesiram train dokument broj: 1 od 3\r"
                             "Procesiram train dokument broj: 2 od 3\r"
                             "Procesiram train dokument broj: 3 od 3\r\n"
                             "Procesiram test dokument broj: 1 od 2\r"
                             "Procesiram test dokument broj: 2 od 2\r\n";

class C45Export : public testing::Test {
protected:
    C45Export() : folder(makeTempFolder()), engine(folder, folder + "/set", trace) {}

    // The four files' contents; a folder or a link in place of one is named.
    std::string files() const {
        std::string all;
        for (const char *extension : {".info", ".names", ".data", ".test"}) {
            const std::string path = folder + "/set" + extension;
            struct stat info;
            all += std::string("== ") + extension + "\n";
            if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                all += "a folder\n";
            else if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
                all += "a link\n";
            else
                all += readFile(path);
        }
        return all;
    }

    std::string folder;
    std::ostringstream trace;
    TextProcessor engine;
};

TEST_F(C45Export, WritesBothLayoutsAndKeepsTheCorpus) {
    engine.parseFileText(corpus);
    engine.selectWords(2, false, "");
    const std::string corpusBefore = describe(engine);
    engine.writeC45Files();
    EXPECT_EQ(files(), "== .info\n3\n2\n3\n2\n"
                       "== .names\nacq, crude, earn.\n\noil: continuous.\nprice: continuous.\n"
                       "== .data\n3, 0, crude\n0, 1, earn\n1, 1, acq\n"
                       "== .test\n0, 2, earn\n0, 0, crude\n");
    EXPECT_EQ(trace.str(), progress);
    EXPECT_EQ(folderEntries(folder), "set.data set.info set.names set.test set.tokens");
    const std::string first = files();
    engine.writeC45Files();
    EXPECT_EQ(files(), first);
    EXPECT_EQ(describe(engine), corpusBefore);

    // The sparse set holds the dense set's non-zero values, and each layout
    // removes the other's case files, which the new ".names" would not fit.
    engine.selectWords(1, false, "");
    trace.str("");
    engine.writeSparseFiles();
    EXPECT_EQ(folderEntries(folder), "set.data.svm set.info set.names set.test.svm set.tokens");
    EXPECT_EQ(readFile(folder + "/set.names"), "acq, crude, earn.\n\nnet: continuous.\n"
                                               "oil: continuous.\nprice: continuous.\n"
                                               "rig: continuous.\n");
    EXPECT_EQ(readFile(folder + "/set.data.svm"), "1 2:3 4:1\n2 1:1 3:1\n0 2:1 3:1\n");
    EXPECT_EQ(readFile(folder + "/set.test.svm"), "2 3:2\n1 4:1\n");
    EXPECT_EQ(trace.str(), progress);

    engine.selectWords(2, false, "");
    engine.writeSparseFiles();
    EXPECT_EQ(readFile(folder + "/set.data.svm"), "1 1:3\n2 2:1\n0 1:1 2:1\n");
    EXPECT_EQ(readFile(folder + "/set.test.svm"), "2 2:2\n1\n");
    engine.writeC45Files();
    EXPECT_EQ(files(), first);
    EXPECT_EQ(folderEntries(folder), "set.data set.info set.names set.test set.tokens");
}

// The tokenizer file tells a run's new texts how the set's texts were
// counted; anything but its two lines is refused.
TEST_F(C45Export, TokenizerFileReadsBackWhatMadeTheSet) {
    engine.parseFileText(corpus);
    engine.selectWords(2, false, "");
    for (const bool stemming : {true, false}) {
        engine.useStemming = stemming;
        engine.writeFileSetAs(folder + "/set", stemming);
        EXPECT_EQ(readTokenizerFile(folder + "/set"), TokenizerSettings{stemming});
    }
    for (const char *content : {"stemming: yes", "stemming: maybe\n"}) {
        std::ofstream(folder + "/set.tokens") << content;
        EXPECT_EQ(errorOf([&] { readTokenizerFile(folder + "/set"); }),
                  "Malformed file " + folder +
                      "/set.tokens: expected the line \"stemming: yes\" or \"stemming: no\"");
    }
    EXPECT_THROW(readTokenizerFile(folder + "/missing"), FileError);
}

// In the multi-category mode a sparse label lists a document's categories
// by their positions in ".names", ascending; the dense layout, which has one
// class per case, is refused before any file is touched.
TEST_F(C45Export, MultiCategoryLabelsAndNoDenseSet) {
    engine.multiCategory = true;
    engine.parseFileText(
        "<DATA><SET>TRAIN</SET><TOPIC>oil crude</TOPIC><TEXT>oil oil rig</TEXT>"
        "<DATA><SET>TRAIN</SET><TOPIC>earn</TOPIC><TEXT>price net</TEXT>"
        "<DATA><SET>TRAIN</SET><TOPIC>earn acq crude</TOPIC><TEXT>oil price</TEXT>"
        "<DATA><SET>TEST</SET><TOPIC>gold earn crude</TOPIC><TEXT>price price zzz</TEXT>"
        "<DATA><SET>TEST</SET><TOPIC>oil acq</TOPIC><TEXT>rig</TEXT>");
    engine.selectWords(2, false, "");
    trace.str("");
    engine.writeSparseFiles();
    EXPECT_EQ(trace.str(), progress);
    EXPECT_EQ(readFile(folder + "/set.info"), "3\n2\n4\n2\n");
    EXPECT_EQ(readFile(folder + "/set.names"),
              "acq, crude, earn, oil.\n\noil: continuous.\nprice: continuous.\n");
    EXPECT_EQ(readFile(folder + "/set.data.svm"), "1,3 1:2\n2 2:1\n0,1,2 1:1 2:1\n");
    EXPECT_EQ(readFile(folder + "/set.test.svm"), "1,2 2:2\n0,3\n");

    const std::string sparseSet = "set.data.svm set.info set.names set.test.svm set.tokens";
    const std::string names = readFile(folder + "/set.names");
    const std::function<void()> denseWriters[] = {
        [&] { engine.writeC45Files(); }, [&] { engine.writeDataFile(); },
        [&] { engine.writeTestFile(); }, [&] { engine.writeFileSetAs(folder + "/other", false); }};
    for (const auto &write : denseWriters) {
        EXPECT_EQ(thrownMessage<std::logic_error>(write),
                  "the dense C4.5 file set cannot carry several categories per document: write "
                  "the sparse file set");
        EXPECT_EQ(folderEntries(folder), sparseSet);
    }
    EXPECT_EQ(readFile(folder + "/set.names"), names);
}

TEST_F(C45Export, EmptyCorpusAndNoAttributes) {
    engine.writeC45Files();
    EXPECT_EQ(files(), "== .info\n0\n0\n0\n0\n== .names\n.\n\n== .data\n== .test\n");
    EXPECT_EQ(trace.str(), "\n\n");

    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>solo</TOPIC><TEXT>w</TEXT>");
    engine.writeC45Files();
    EXPECT_EQ(files(), "== .info\n1\n0\n1\n0\n== .names\nsolo.\n\n== .data\nsolo\n== .test\n");
}

// A replaced file keeps its permission bits whatever the umask, and a link
// keeps pointing at the file that now holds the new content.
TEST(AtomicFile, KeepsTheModeAndReplacesWhatLinksPointTo) {
    const std::string folder = makeTempFolder();
    ASSERT_EQ(mkdir((folder + "/sub").c_str(), 0755), 0);
    writeFile(folder + "/private", "old\n");
    ASSERT_EQ(chmod((folder + "/private").c_str(), 0640), 0);
    writeFile(folder + "/sub/real", "old\n");
    ASSERT_EQ(symlink("sub/real", (folder + "/link").c_str()), 0);
    ASSERT_EQ(symlink("link", (folder + "/chain").c_str()), 0);
    ASSERT_EQ(symlink("sub/created", (folder + "/dangling").c_str()), 0);
    ASSERT_EQ(symlink("loop", (folder + "/loop").c_str()), 0);
    const mode_t savedMask = umask(022);
    for (const char *name : {"private", "chain", "dangling"}) {
        AtomicFile file(folder + "/" + name);
        file.stream() << "new " << name << '\n';
        file.commit();
    }
    umask(savedMask);
    struct stat info;
    ASSERT_EQ(stat((folder + "/private").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(readFile(folder + "/private"), "new private\n");
    EXPECT_EQ(linkTarget(folder + "/chain"), "link");
    EXPECT_EQ(linkTarget(folder + "/link"), "sub/real");
    EXPECT_EQ(readFile(folder + "/sub/real"), "new chain\n");
    EXPECT_EQ(linkTarget(folder + "/dangling"), "sub/created");
    EXPECT_EQ(readFile(folder + "/sub/created"), "new dangling\n");
    EXPECT_EQ(errorOf([&] { AtomicFile file(folder + "/loop"); }),
              "Could not open file " + folder + "/loop");
    EXPECT_EQ(folderEntries(folder), "chain dangling link loop private sub");
    EXPECT_EQ(folderEntries(folder + "/sub"), "created real");
}

// Runs body in a child process and returns its wait status, so that a
// signal or a resource limit cannot touch the test process.
int inChild(const std::function<int()> &body) {
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = -1;
    waitpid(child, &status, 0);
    return status;
}

// A trace that runs an action when a given piece of text is written to it,
// to act in the middle of an export: "test" is written once all four
// temporary files exist.
struct ActionOnText : std::streambuf {
    ActionOnText(std::string text, std::function<void()> action)
        : text(std::move(text)), action(std::move(action)) {}
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char *written, std::streamsize size) override {
        if (text == std::string(written, static_cast<std::size_t>(size)))
            action();
        return size;
    }
    std::string text;
    std::function<void()> action;
};

// The learner reads the four files as one set: whatever stops an export
// half-way, the old set stays whole and no temporary file is left.
class FailedExport : public C45Export {
protected:
    void SetUp() override {
        engine.parseFileText(corpus);
        engine.selectWords(1, false, "");
        for (const char *extension : {".info", ".names", ".data", ".test"})
            writeFile(folder + "/set" + extension, std::string("old ") + extension + "\n");
        oldSet = files();
    }

    std::string exportError() {
        return errorOf([this] { engine.writeC45Files(); });
    }

    void expectOldSetOnly(const std::string &entries) {
        EXPECT_EQ(files(), oldSet);
        EXPECT_EQ(folderEntries(folder), entries);
    }

    std::string oldSet;
    const std::string setNames = "set.data set.info set.names set.test";
};

TEST_F(FailedExport, FolderOrFullDeviceInPlaceOfOneFile) {
    ASSERT_EQ(remove((folder + "/set.test").c_str()), 0);
    ASSERT_EQ(mkdir((folder + "/set.test").c_str(), 0755), 0);
    oldSet = files();
    EXPECT_EQ(exportError(), "Could not open file " + folder + "/set.test");
    expectOldSetOnly(setNames);
    EXPECT_EQ(folderEntries(folder + "/set.test"), "");

    ASSERT_EQ(rmdir((folder + "/set.test").c_str()), 0);
    writeFile(folder + "/set.test", "old .test\n");
    ASSERT_EQ(remove((folder + "/set.data").c_str()), 0);
    ASSERT_EQ(symlink("/dev/full", (folder + "/set.data").c_str()), 0);
    oldSet = files();
    EXPECT_EQ(exportError(), "Could not write file " + folder + "/set.data");
    expectOldSetOnly(setNames);
    EXPECT_EQ(linkTarget(folder + "/set.data"), "/dev/full");

    // A folder that appears once the files are written makes the rename of
    // ".data" fail: the files renamed before it get their old content back,
    // and the tokenizer file, new to the folder, goes again.
    ASSERT_EQ(remove((folder + "/set.data").c_str()), 0);
    const std::string data = folder + "/set.data";
    ActionOnText trace("test", [&data] { mkdir(data.c_str(), 0755); });
    std::ostream out(&trace);
    engine.setTrace(out);
    EXPECT_EQ(exportError(), "Could not write file " + data);
    EXPECT_EQ(files(), "== .info\nold .info\n== .names\nold .names\n== .data\na folder\n"
                       "== .test\nold .test\n");
    EXPECT_EQ(folderEntries(folder), setNames);
}

// A file system that fills up half-way: the file-size limit makes every write
// past 64 bytes fail, as a full disk would, for root as for anyone. Without
// the export ignoring SIGXFSZ the child would be killed instead.
TEST_F(FailedExport, WriteFailingHalfWay) {
    const std::string statePath = folder + "/saved.tpp";
    writeFile(statePath, "old state\n");
    const std::string report = makeTempFolder() + "/errors";
    const int status = inChild([&] {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit saved = limit;
        limit.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::string errors =
            exportError() + "\n" + errorOf([&] { engine.saveTextProcessingState(statePath); });
        setrlimit(RLIMIT_FSIZE, &saved);
        writeFile(report, errors);
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    // The small ".info" fits; ".names" does not.
    EXPECT_EQ(readFile(report), "Could not write file " + folder + "/set.names\n" +
                                    "Could not write file " + statePath);
    EXPECT_EQ(readFile(statePath), "old state\n");
    expectOldSetOnly("saved.tpp " + setNames);
}

// A signal, or a cancel from another thread, leaves the old set alone.
TEST_F(FailedExport, InterruptedBySignal) {
    const std::atomic<bool> cancelled{true};
    EXPECT_THROW(engine.writeC45Files(&cancelled), WorkCancelled);
    EXPECT_THROW(engine.writeFileSetAs(engine.fileStem, true, &cancelled), WorkCancelled);
    expectOldSetOnly(setNames);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        const int status = inChild([&] {
            ActionOnText trace("test", [signal] { raise(signal); });
            std::ostream out(&trace);
            engine.setTrace(out);
            engine.writeC45Files();
            return 0;
        });
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        expectOldSetOnly(setNames);
    }
}

extern "C" void ownHandler(int) {}

// " INT:own TERM:ignored HUP:default XFSZ:default", "cleanup" for any other
// handler.
std::string dispositions() {
    std::string text;
    for (const auto &[name, signal] : {std::pair{"INT", SIGINT}, std::pair{"TERM", SIGTERM},
                                       std::pair{"HUP", SIGHUP}, std::pair{"XFSZ", SIGXFSZ}}) {
        struct sigaction now {};
        sigaction(signal, nullptr, &now);
        text += std::string(" ") + name + ":" +
                (now.sa_handler == SIG_IGN      ? "ignored"
                 : now.sa_handler == SIG_DFL    ? "default"
                 : now.sa_handler == ownHandler ? "own"
                                                : "cleanup");
    }
    return text;
}

// The export's dispositions last only as long as the export; a signal the
// process ignores is not turned into one that ends it.
TEST_F(FailedExport, SignalDispositionsLastOnlyAsLongAsTheExport) {
    const auto savedInterrupt = std::signal(SIGINT, ownHandler);
    const auto savedTerminate = std::signal(SIGTERM, SIG_IGN);
    std::string during;
    ActionOnText probe("test", [&during] { during = dispositions(); });
    std::ostream out(&probe);
    engine.setTrace(out);
    EXPECT_EQ(exportError(), "no error");
    const std::string after = dispositions();
    std::signal(SIGINT, savedInterrupt);
    std::signal(SIGTERM, savedTerminate);
    EXPECT_EQ(during, " INT:cleanup TERM:ignored HUP:cleanup XFSZ:ignored");
    EXPECT_EQ(after, " INT:own TERM:ignored HUP:default XFSZ:default");
    EXPECT_NE(files(), oldSet);
}

} // namespace
