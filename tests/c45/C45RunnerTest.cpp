#include "c45/C45Runner.h"
#include "TestLines.h"
#include "learner/Options.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

TEST(C45Runner, BuildsPathsAndTheOptionTextAndRefusesWhatC45WouldRefuseOrAlter) {
    // Replacing resumes after each inserted text; an empty pattern changes nothing.
    for (const auto &c : std::vector<std::vector<std::string>>{{"aaa", "a", "aa", "aaaaaa"},
                                                               {"abc", "", "x", "abc"}}) {
        std::string text = c[0];
        EXPECT_EQ(replaceAll(text, c[1], c[2]), c[3]);
        EXPECT_EQ(text, c[3]);
    }
    EXPECT_EQ(stemOfNamesPath("/d/a.names.names"), "/d/a");
    EXPECT_EQ(stemOfNamesPath("/d/plain"), "/d/plain");
    const C45Options all{true, 2, 25.0f, 10};
    EXPECT_EQ(optionText(all), " -s -m 2 -c 25 -t 10");
    EXPECT_EQ(c45OptionsProblem(all), std::nullopt);
    EXPECT_EQ(optionText({false, std::nullopt, 0.5f, std::nullopt}), " -c 0.5");
    EXPECT_EQ(optionText(C45Options()), "");
    // Six significant digits once turned -m 1234567 into "1.23457e+06",
    // which C4.5 read as 1.
    EXPECT_EQ(optionText({false, 1234567, std::nullopt, 10000001}), " -m 1234567 -t 10000001");

    // The workbench refuses exactly what the learner's own parser refuses.
    const std::vector<C45Options> options = {
        {false, 1, 100.0f, 1},
        {true, 1000000, 0.001f, 10000},
        {false, 0, std::nullopt, std::nullopt},
        {false, -3, std::nullopt, std::nullopt},
        {false, 1000001, std::nullopt, std::nullopt},
        {false, 4294967298, std::nullopt, std::nullopt},
        {false, std::nullopt, 0.0005f, std::nullopt},
        {false, std::nullopt, 0.0f, std::nullopt},
        {false, std::nullopt, -5.0f, std::nullopt},
        {false, std::nullopt, 100.5f, std::nullopt},
        {false, std::nullopt, std::nanf(""), std::nullopt},
        {false, std::nullopt, std::nullopt, 0},
        {false, std::nullopt, std::nullopt, 10001},
        {false, std::nullopt, std::nullopt, 4294967297},
    };
    for (const C45Options &given : options) {
        const std::string text = optionText(given);
        SCOPED_TRACE(text);
        std::istringstream words(text);
        const std::vector<std::string> arguments{std::istream_iterator<std::string>(words), {}};
        std::ostringstream echo;
        bool learnerTakes = true;
        try {
            parseOptions(arguments, echo);
        } catch (const UsageError &) {
            learnerTakes = false;
        }
        EXPECT_EQ(!c45OptionsProblem(given), learnerTakes);
    }
    EXPECT_EQ(c45OptionsProblem({false, std::nullopt, 0.0005f, std::nullopt}),
              "the pruning confidence (-c) must be a number from 0.001 to 100");
    EXPECT_EQ(c45OptionsProblem({false, std::nullopt, std::nullopt, 4294967297}),
              "the number of trials (-t) must be a whole number from 1 to 10000");
}

// Options the workbench lets through but the learner refuses (typed into
// a tcw command's option text, say) fail with the learner's own lines.
TEST(C45Runner, AFailureQuotesTheLearnersRefusal) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {" -m 4294967298",
         "\nSensible test requires 2 branches with >=4294967298 cases\n** illegal value **"},
        {" -c 0.0001", "\nPruning confidence level 0.0001%\n** illegal value **"},
        {" -x", "\nunrecognised option"},
    };
    for (const auto &[options, quoted] : cases) {
        SCOPED_TRACE(options);
        std::ostringstream trace;
        const C45Process::Outcome run = runC45({"bla.names", options, C45_PROGRAM}, trace);
        EXPECT_EQ(runFailure(run), std::string(C45_PROGRAM) + " ended with status 1" + quoted);
    }
}

class FakeC45 : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("FAKE_C45_ARGS", argsFile.c_str(), 1);
        setenv("FAKE_C45_TRANSCRIPT", dataPath("release8-test.out").c_str(), 1);
    }
    void touch(const std::string &name) const { std::ofstream(dir + "/" + name) << "x\n"; }
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
    const TempFolder temp;
    const std::string dir = temp.path.string(), argsFile = dir + "/args";
};

// Reads until the program has printed its first lines or ended.
void awaitOutput(C45Process &process) {
    while (!process.readAvailable() && process.lines().empty()) {
        pollfd watch{process.outputDescriptor(), POLLIN, 0};
        ASSERT_GE(poll(&watch, 1, 10000), 1);
    }
}

TEST_F(FakeC45, AddsUOnlyWhenTheTestFileOpensAndLForASparseSet) {
    touch("my set.test");
    touch("sparse.test.svm");
    using Words = std::vector<std::string>;
    const std::vector<std::pair<C45RunRequest, Words>> cases = {
        {{dir + "/my set.names", "", "./c4.5.exe"}, {"./c4.5.exe", "-u", "-f", dir + "/my set"}},
        {{dir + "\\my set.names.names", " -m 2", "./c4.5.exe"},
         {"./c4.5.exe", "-u", "-f", dir + "/my set", "-m", "2"}},
        {{dir + "/other.names", "", "./c4.5.exe"}, {"./c4.5.exe", "-f", dir + "/other"}},
        {{dir + "/my set", " -s", "/opt/my c45"},
         {"/opt/my c45", "-u", "-f", dir + "/my set", "-s"}},
        // A relative stem is looked for in the working folder.
        {{"my set.names", "", "c45", dir}, {"c45", "-u", "-f", "my set"}},
        {{"my set.names", "", "c45"}, {"c45", "-f", "my set"}},
        // A sparse set's test cases are in STEM.test.svm.
        {{dir + "/sparse.names", " -m 2", "c45", "", 0, true},
         {"c45", "-L", "-u", "-f", dir + "/sparse", "-m", "2"}},
        {{dir + "/my set.names", "", "c45", "", 0, true}, {"c45", "-L", "-f", dir + "/my set"}},
        {{dir + "/sparse.names", "", "c45"}, {"c45", "-f", dir + "/sparse"}},
    };
    for (const auto &[request, expected] : cases) {
        const C45Command command = buildC45Command(request);
        EXPECT_EQ(command.arguments, expected);
        EXPECT_EQ(command.hasTest, std::count(expected.begin(), expected.end(), "-u") == 1);
    }
    EXPECT_THROW(buildC45Command({std::string("a\0b", 3), ""}), std::invalid_argument);

    touch("sparse.data.svm");
    touch("both.data.svm");
    touch("both.data");
    touch("dense.data");
    for (const auto &[stem, sparse] : std::vector<std::pair<std::string, bool>>{
             {"sparse", true}, {"both", false}, {"dense", false}, {"none", false}}) {
        SCOPED_TRACE(stem);
        EXPECT_EQ(isSparseFileSet(dir + "/" + stem), sparse);
    }
}

TEST_F(FakeC45, RunsAndParsesAndTracesTheOptionsAlsoReadWithoutBlocking) {
    touch("bla.test");
    std::ostringstream trace;
    const C45Process::Outcome run = runC45(request(dir + "/bla", " -m 2 -c 25"), trace);
    EXPECT_EQ(trace.str(), "opcije su  -m 2 -c 25\n");
    EXPECT_EQ(recordedArguments(),
              (std::vector<std::string>{"-u", "-f", dir + "/bla", "-m", "2", "-c", "25"}));
    EXPECT_EQ(run.result.outputLines, transcript("release8-test.out"));
    EXPECT_TRUE(run.summary.hasTest);
    EXPECT_EQ(run.summary.test.items, 6);
    EXPECT_EQ(run.exitStatus, 0);

    // The same, read without blocking until the output ends.
    C45Process process(request(dir + "/untested"), trace);
    ASSERT_GE(process.outputDescriptor(), 0);
    for (bool ended = false; !ended; ended = process.readAvailable()) {
        pollfd watch{process.outputDescriptor(), POLLIN, 0};
        ASSERT_GE(poll(&watch, 1, 10000), 1);
    }
    EXPECT_EQ(process.lines(), transcript("release8-test.out"));
    const C45Process::Outcome read = process.finish();
    EXPECT_FALSE(read.summary.hasTest);
    EXPECT_EQ(read.result.outputLines, transcript("release8-test.out"));
}

TEST_F(FakeC45, HostileStemsReachTheProgramLiterally) {
    for (const std::string hostile :
         {"x; touch PWNED", "x && touch PWNED", "$(touch PWNED)", "`touch PWNED`",
          "x | touch PWNED", "x > PWNED", "x\ntouch PWNED", "'; touch PWNED; '",
          "\"; touch PWNED; \"", "x\\\";touch PWNED", "#(*?[~!{a,b}) &", "x\ttouch\tPWNED"}) {
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

// Alive and not a zombie waiting to be reaped.
bool processRuns(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidField, name, state;
    return stat >> pidField >> name >> state && state != "Z";
}

bool endsSoon(pid_t pid) {
    for (int wait = 0; wait < 200 && processRuns(pid); ++wait)
        poll(nullptr, 0, 10);
    return !processRuns(pid);
}

pid_t pidIn(const std::string &file) {
    pid_t pid = 0;
    for (int wait = 0; wait < 200 && !(std::ifstream(file) >> pid); ++wait)
        poll(nullptr, 0, 10);
    return pid;
}

TEST_F(FakeC45, EndingARunEndsWhatTheProgramStarted) {
    const std::string pidFile = dir + "/linger";
    setenv("FAKE_C45_LINGER", pidFile.c_str(), 1);
    pid_t sleeper = 0;
    {
        std::ostringstream trace;
        C45Process process(request(dir + "/bla"), trace);
        ASSERT_NO_FATAL_FAILURE(awaitOutput(process));
        sleeper = pidIn(pidFile);
        ASSERT_GT(sleeper, 0);
        EXPECT_TRUE(processRuns(sleeper));
    }
    unsetenv("FAKE_C45_LINGER");
    EXPECT_TRUE(endsSoon(sleeper));

    // A run that ends while something it started still holds its output
    // open: the output ends with the program, and what it left goes too.
    const std::string leftFile = dir + "/left";
    setenv("FAKE_C45_LEAVE", leftFile.c_str(), 1);
    std::ostringstream trace;
    C45Process process(request(dir + "/bla"), trace);
    const C45Process::Outcome run = process.finish();
    unsetenv("FAKE_C45_LEAVE");
    EXPECT_EQ(run.result.outputLines, transcript("release8-test.out"));
    EXPECT_EQ(runFailure(run), std::nullopt);
    const pid_t left = pidIn(leftFile);
    ASSERT_GT(left, 0);
    EXPECT_TRUE(endsSoon(left));
}

TEST_F(FakeC45, RunsInTheWorkingFolderWithTheThreadBudgetAndOnlyItsOwnPipes) {
    setenv("FAKE_C45_LINGER", (dir + "/linger").c_str(), 1);
    std::ostringstream trace;
    C45Process earlier(request(dir + "/bla"), trace);
    unsetenv("FAKE_C45_LINGER");
    ASSERT_NO_FATAL_FAILURE(awaitOutput(earlier));
    const std::string report = dir + "/env";
    setenv("FAKE_C45_ENV", report.c_str(), 1);
    C45RunRequest later = request("bla");
    later.workingDirectory = dir;
    later.threads = 3;
    const C45Process::Outcome run = runC45(later, trace);
    unsetenv("FAKE_C45_ENV");
    EXPECT_EQ(runFailure(run), std::nullopt);
    std::ifstream reported(report);
    std::vector<std::string> seen;
    for (std::string line; std::getline(reported, line);)
        seen.push_back(line);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(fs::path(seen[0]), fs::canonical(dir));
    EXPECT_EQ(seen[1], "threads 3");
    // The earlier run's pipe must not be held open by the later child.
    const std::vector<std::string> descriptors(seen.begin() + 2, seen.end());
    EXPECT_EQ(std::count(descriptors.begin(), descriptors.end(),
                         std::to_string(earlier.outputDescriptor())),
              0);
    EXPECT_EQ(recordedArguments(), (std::vector<std::string>{"-f", "bla"}));
}

TEST_F(FakeC45, ReportsEveryWayARunCanFail) {
    std::ostringstream trace;
    const C45Process::Outcome missing =
        runC45({dir + "/bla.names", "", dir + "/no-such-c45"}, trace);
    EXPECT_TRUE(missing.result.outputLines.empty());
    EXPECT_EQ(missing.exitStatus, std::nullopt);
    EXPECT_EQ(runFailure(missing),
              dir + "/no-such-c45 could not be started: No such file or directory");

    // The learner prints its errors on standard output; other programs on
    // standard error, which is kept apart from the result lines.
    setenv("FAKE_C45_TRANSCRIPT", dataPath("learner-error.out").c_str(), 1);
    setenv("FAKE_C45_STDERR", "fake: trouble", 1);
    setenv("FAKE_C45_STATUS", "1", 1);
    const C45Process::Outcome failed = runC45(request(dir + "/bla"), trace);
    EXPECT_EQ(failed.result.outputLines, transcript("learner-error.out"));
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_EQ(runFailure(failed), dataPath("fake-c45.sh") + " ended with status 1\nfake: trouble\n"
                                                            "ERROR:  cannot open file bla.names");
    unsetenv("FAKE_C45_STDERR");

    // Exit status 0 with nothing or garbage on standard output is no result.
    setenv("FAKE_C45_STATUS", "0", 1);
    for (const std::string output : {"/dev/null", "fake-c45.sh"}) {
        SCOPED_TRACE(output);
        setenv("FAKE_C45_TRANSCRIPT", output[0] == '/' ? output.c_str() : dataPath(output).c_str(),
               1);
        const C45Process::Outcome empty = runC45(request(dir + "/bla"), trace);
        EXPECT_EQ(empty.exitStatus, 0);
        EXPECT_EQ(runFailure(empty), dataPath("fake-c45.sh") + " printed no result");
    }
    unsetenv("FAKE_C45_STATUS");

    // A run with "-u" whose output stops before its test evaluation, or the
    // output of a run without -u, is no result.
    const std::string whole = fileText(dataPath("release8-test.out"));
    std::ofstream(dir + "/cut.out") << whole.substr(0, whole.find("Evaluation on test data"));
    touch("bla.test");
    for (const std::string &output : {dir + "/cut.out", dataPath("one-leaf.out")}) {
        SCOPED_TRACE(output);
        setenv("FAKE_C45_TRANSCRIPT", output.c_str(), 1);
        EXPECT_EQ(runFailure(runC45(request(dir + "/bla"), trace)),
                  dataPath("fake-c45.sh") +
                      " gave no whole result (incomplete C4.5 run, no evaluation on test data)");
    }

    // Output beyond the limit stops the run; what fitted is kept.
    setenv("FAKE_C45_TRANSCRIPT", dataPath("release8-test.out").c_str(), 1);
    C45RunRequest limited = request(dir + "/bla");
    limited.outputLimit = 100;
    const C45Process::Outcome flood = runC45(limited, trace);
    EXPECT_TRUE(flood.outputCut);
    EXPECT_LE(joinLines(flood.result.outputLines).size(), 100u);
    EXPECT_EQ(runFailure(flood),
              dataPath("fake-c45.sh") + " printed more than 100 bytes and was stopped");

    setenv("FAKE_C45_LINGER", (dir + "/linger").c_str(), 1);
    C45Process cancelled(request(dir + "/bla"), trace);
    unsetenv("FAKE_C45_LINGER");
    ASSERT_NO_FATAL_FAILURE(awaitOutput(cancelled));
    std::atomic<bool> stop{false};
    std::thread stopper([&stop] { stop = true; });
    const C45Process::Outcome ended = cancelled.finish(&stop);
    stopper.join();
    EXPECT_EQ(ended.result.outputLines, std::vector<std::string>{"working"});
    EXPECT_EQ(ended.signal, SIGTERM);
    EXPECT_EQ(runFailure(ended), dataPath("fake-c45.sh") + " was ended by signal " +
                                     std::to_string(SIGTERM) + " (Terminated)");
}

TEST_F(FakeC45, OutputWrittenAsTheProgramEndsAfterAnEmptyPollIsRead) {
    setenv("FAKE_C45_DELAY", "0.2", 1);
    std::ostringstream trace;
    C45RunRequest slow = request(dir + "/bla");
    C45Process *started = nullptr;
    // The program writes its output and ends between the poll that found
    // nothing and the look at whether it has ended.
    slow.afterEmptyPoll = [&started] {
        siginfo_t info{};
        waitid(P_PID, static_cast<id_t>(started->processGroup()), &info, WEXITED | WNOWAIT);
    };
    C45Process process(slow, trace);
    started = &process;
    unsetenv("FAKE_C45_DELAY");
    EXPECT_TRUE(process.readAvailable());
    EXPECT_EQ(process.lines(), transcript("release8-test.out"));
    EXPECT_EQ(runFailure(process.finish()), std::nullopt);
}

TEST_F(FakeC45, RunsEndTogetherAndWithTheThreadThatStartedThem) {
    setenv("FAKE_C45_IGNORE_TERM", "1", 1);
    std::ostringstream trace;
    std::vector<std::unique_ptr<C45Process>> stubborn;
    for (const char *name : {"/one", "/two"}) {
        setenv("FAKE_C45_LINGER", (dir + name).c_str(), 1);
        stubborn.push_back(std::make_unique<C45Process>(request(dir + "/bla"), trace));
        ASSERT_NO_FATAL_FAILURE(awaitOutput(*stubborn.back()));
    }
    unsetenv("FAKE_C45_IGNORE_TERM");
    C45Process::cancelTogether({stubborn[0].get(), stubborn[1].get()});
    for (const auto &run : stubborn)
        EXPECT_EQ(run->finish().signal, SIGKILL);
    for (const char *name : {"/one", "/two"})
        EXPECT_TRUE(endsSoon(pidIn(dir + name)));

    // A learner whose starting thread ends is killed with it.
    std::unique_ptr<C45Process> orphan;
    setenv("FAKE_C45_LINGER", (dir + "/three").c_str(), 1);
    std::thread([&] {
        orphan = std::make_unique<C45Process>(request(dir + "/bla"), trace);
    }).join();
    unsetenv("FAKE_C45_LINGER");
    EXPECT_EQ(orphan->finish().signal, SIGKILL);
}

} // namespace
