// Running the C4.5 program on a file set: the option text, the argument
// vector with its stem and test-file rules, and the child process whose
// standard output becomes the run result. A run is a value: a request in,
// an outcome out.
#pragma once

#include "c45/C45Output.h"

#include <sys/types.h>

#include <atomic>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The options of the C4.5 options dialog; an absent value leaves the
// option out. See c45OptionsProblem for the values C4.5 accepts.
struct C45Options {
    bool discreteGroups = false;     // " -s"
    std::optional<long> minCases;    // " -m N"
    std::optional<float> confidence; // " -c CF"
    std::optional<long> trials;      // " -t N"
};

// The option text in the fixed order -s, -m, -c, -t: the whole numbers in
// full, the confidence with numberToString: " -s -m 2 -c 25 -t 10", or ""
// for no option.
std::string optionText(const C45Options &options);

// Why C4.5 would refuse these options, as a sentence for the options
// dialog or a usage error ("the number of trials (-t) must be a whole number
// from 1 to 10000"); nothing when they are sound. The limits are the
// learner's own (learner/OptionLimits.h).
std::optional<std::string> c45OptionsProblem(const C45Options &options);

// Replaces every occurrence of from in text by to, left to right, resuming
// after each inserted text; returns text. An empty from changes nothing.
std::string &replaceAll(std::string &text, const std::string &from, const std::string &to);

// The file stem of a chosen path: the path up to its first ".names", or the
// whole path when it holds none.
std::string stemOfNamesPath(const std::string &path);

struct C45RunRequest {
    std::string namesPath;  // the chosen ".names" path (or any path: see stemOfNamesPath)
    std::string optionText; // from optionText(); its blank-separated words become arguments
    // A name without "/" is looked up in PATH; a relative path is taken
    // from the working folder.
    std::string program = "./c4.5.exe";
    std::string workingDirectory = ""; // where C4.5 runs; "" for the current folder
    int threads = 0; // OMP_NUM_THREADS for the child; 0 passes the environment on as it is
    // The sparse file set: C4.5 gets "-L" and reads STEM.data.svm and
    // STEM.test.svm in place of STEM.data and STEM.test.
    bool sparse = false;
    // One binary tree per category (with sparse): C4.5 gets "-Y -v 1" and
    // prints the per-category report with every category's tree.
    bool perCategory = false;
    // The most output, in bytes, a run may print: a program that prints more
    // is stopped and its run fails (see runFailure); what it printed up to
    // the limit is kept.
    std::size_t outputLimit = std::size_t(256) << 20;
    // Called after every poll of the pipes that found nothing: lets a test
    // widen the gap in which the program may end unseen.
    std::function<void()> afterEmptyPoll = nullptr;
};

struct C45Command {
    std::vector<std::string> arguments; // program first, as the child receives them
    bool hasTest = false;               // stem + ".test" could be opened: "-u" was added
};

// program, "-L" for a sparse set, "-Y", "-v", "1" for a per-category run,
// "-u" when the test file (STEM.test, or STEM.test.svm for a sparse set)
// opens, "-f", the stem, then the words of the option text. Backslashes in the stem become slashes before the test
// file is looked for (in the working folder when the stem is relative).
// "C:\data\my set" with a test file and " -m 2" gives
// {"./c4.5.exe", "-u", "-f", "C:/data/my set", "-m", "2"}. Throws
// std::invalid_argument for an argument holding a NUL byte, which no
// argument can carry.
C45Command buildC45Command(const C45RunRequest &request);

// Whether the file set of stem is sparse: STEM.data.svm exists and STEM.data
// does not.
bool isSparseFileSet(const std::string &stem);

// How C4.5 reads and learns a file set.
struct FileSetLayout {
    bool sparse = false;      // STEM.data.svm and STEM.test.svm: C4.5 gets -L
    bool perCategory = false; // cases in several categories: one tree per category (-Y)
};

// The layout of the file set on disk: sparse as isSparseFileSet says, per
// category when a case of STEM.data.svm is in several categories (its label
// is a list, "0,3"); the case file is read up to the first such case.
FileSetLayout fileSetLayout(const std::string &stem);

// A run of C4.5 in progress. The constructor writes "opcije su " + the
// option text and a line end to trace, then starts the program directly
// (no shell) in a process group of its own, with standard input from
// /dev/null, its standard output and standard error on separate pipes that
// no other child inherits. The program is killed should the thread that
// started it end first (a parent-death signal), so a workbench or tcw that
// is killed leaves no learner behind; start and finish a run on the same
// thread. Output is collected line by line (split at "\n", which is
// removed; nothing else is stripped; a last line without "\n" is kept);
// so is standard error, as error lines.
//
// Without blocking: watch outputDescriptor() for input and call
// readAvailable() each time it fires; once it returns true, call finish().
// Blocking: call finish() at once, or use runC45().
// cancel(), or destroying a process that has not finished, sends SIGTERM to
// the process group and SIGKILL a few seconds later if the program is still
// there, and waits for it; cancelTogether() does so for several runs at
// once. The constructor throws std::invalid_argument as buildC45Command
// does, before anything is printed or started.
class C45Process {
public:
    explicit C45Process(const C45RunRequest &request, std::ostream &trace = std::cout);
    ~C45Process();
    C45Process(const C45Process &) = delete;
    C45Process &operator=(const C45Process &) = delete;

    const C45Command &command() const { return command_; }

    // The read end of the pipe from the child's standard output; -1 when the
    // child could not be started (finish() then yields no lines).
    int outputDescriptor() const { return output_; }

    // The child's process group (its process id), or 0 when it could not be
    // started or has been waited for.
    pid_t processGroup() const { return child_; }

    // Reads what the pipes hold now without waiting for more. Returns true
    // when the output has ended, or when the child has exited and nothing
    // more is there (a process it started may still hold the pipe open, so
    // a caller that watches the descriptor should also call this now and
    // then, for example from a timer).
    bool readAvailable();

    // The lines read so far.
    const std::vector<std::string> &lines() const { return lines_; }

    // Ends an unfinished run as the destructor does; finish() then gives
    // what was read and the signal that ended the program.
    void cancel();

    // Ends the unfinished runs together: SIGTERM to every group, then, after
    // one grace period for all of them, SIGKILL to those still there.
    static void cancelTogether(const std::vector<C45Process *> &runs);

    struct Outcome {
        C45RunResult result;
        C45Summary summary;
        std::string program; // as requested
        // Why the program could not be started ("No such file or directory").
        std::optional<std::string> startError;
        // The exit status; absent when it ended by a signal or never started.
        std::optional<int> exitStatus;
        std::optional<int> signal; // the signal that ended it
        // Its standard error lines, then the learner's own error messages
        // from standard output: the lines that start with "ERROR:", the line
        // "unrecognised option", and for an illegal option value its echo
        // line and "** illegal value **" (without their leading tabs).
        std::vector<std::string> errorLines;
        // The output passed the request's outputLimit.
        bool outputCut = false;
        // The run was asked for a per-category report ("-Y").
        bool perCategory = false;
        std::size_t outputLimit = 0;
    };

    // Reads to the end of the output (blocking; see readAvailable), waits
    // for the child, and parses the lines with parseC45Output(hasTest).
    // Should the child still be there a few seconds after its output ended,
    // it is ended as by cancel(); what it left running in its process group
    // is killed. Once cancel (if given) becomes true the run is ended as by
    // cancel(). Call once.
    Outcome finish(const std::atomic<bool> *cancel = nullptr);

private:
    void readPipes(bool wait, const std::atomic<bool> *cancel = nullptr);
    void readOutput();
    void readErrors();
    void terminate();
    void reap(int status);
    void reapNow();

    C45Command command_;
    std::string program_;
    std::optional<std::string> startError_;
    std::size_t outputLimit_;
    std::size_t outputRoom_;
    std::size_t errorRoom_ = std::size_t(1) << 20; // standard error is only quoted
    bool outputCut_ = false;
    std::function<void()> afterEmptyPoll_;
    pid_t child_ = 0;
    int output_ = -1;
    int errors_ = -1;
    std::optional<int> status_;
    std::vector<std::string> lines_;
    std::string partial_;
    std::vector<std::string> errorLines_;
    std::string errorPartial_;
};

// Runs C4.5 to its end: C45Process(request, trace).finish().
C45Process::Outcome runC45(const C45RunRequest &request, std::ostream &trace = std::cout);

// A message for the user when the run gave no result (C4.5 could not be
// started, was ended by a signal, exited non-zero, printed more than its
// output limit, printed no result, printed a per-category report when not
// asked for one or a normal one when asked, or printed a result without a
// part that its options promise or without the test evaluation that "-u"
// asked for; see c45RunProblem),
// quoting C4.5's own error lines when it printed any; nothing when the run
// succeeded. The first line says what happened ("./c4.5.exe ended with
// status 1"); each error line follows on a line of its own.
std::optional<std::string> runFailure(const C45Process::Outcome &outcome);
