// Running the C4.5 program on a file set: the option text, the command
// line with its stem and test-file rules, and the child process whose
// standard output becomes the run result.
#pragma once

#include "c45/C45Output.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The options of the C4.5 options dialog; an absent value leaves the
// option out.
struct C45Options {
    bool discreteGroups = false;     // " -s"
    std::optional<float> minCases;   // " -m N"
    std::optional<float> confidence; // " -c CF"
    std::optional<float> trials;     // " -t N"
};

// The option text in the fixed order -s, -m, -c, -t, values written with
// numberToString: " -s -m 2 -c 25 -t 10", or "" for no option.
std::string optionText(const C45Options &options);

// Replaces every occurrence of from in text by to, left to right, resuming
// after each inserted text; returns text. An empty from changes nothing.
std::string &replaceAll(std::string &text, const std::string &from, const std::string &to);

// The file stem of a chosen path: the path up to its first ".names", or the
// whole path when it holds none.
std::string stemOfNamesPath(const std::string &path);

// text as one shell word that reaches the program literally. Letters,
// digits, "_-./+,:@%=" and bytes from 0x80 stay as they are, a blank becomes
// "\ ", a newline is single-quoted, every other character gets a backslash;
// "" becomes ''. Throws std::invalid_argument for a text holding a NUL byte,
// which no argument can carry.
std::string shellWord(const std::string &text);

struct C45RunRequest {
    std::string namesPath;  // the chosen ".names" path (or any path: see stemOfNamesPath)
    std::string optionText; // from optionText(), appended unchanged
    std::string program = "./c4.5.exe"; // run through the shell, quoted like the stem
};

struct C45Command {
    std::string commandLine;
    bool hasTest = false; // stem + ".test" could be opened: "-u" was added
};

// program + " -f " (or " -u -f " when the test file opens) + the stem +
// the option text. Backslashes in the stem become slashes before the test
// file is looked for; then the stem is quoted with shellWord. A stem
// "C:\data\my set" with a test file gives "./c4.5.exe -u -f C:/data/my\ set".
C45Command buildC45Command(const C45RunRequest &request);

// A run of C4.5 in progress. The constructor writes "opcije su " + the
// option text and a line end to trace, then starts the command through
// "sh -c". Output is collected line by line (split at "\n", which is
// removed; nothing else is stripped; a last line without "\n" is kept).
//
// Without blocking (the GUI): watch outputDescriptor() for input (for
// example with a Glib IO watch on G_IO_IN | G_IO_HUP) and call
// readAvailable() each time it fires; once it returns true, call finish().
// Blocking: call finish() at once, or use runC45().
// Destroying a process that has not finished terminates the child.
// The constructor throws std::invalid_argument for a path holding a NUL
// byte (see shellWord), before anything is printed or started.
class C45Process {
public:
    explicit C45Process(const C45RunRequest &request, std::ostream &trace = std::cout);
    ~C45Process();
    C45Process(const C45Process &) = delete;
    C45Process &operator=(const C45Process &) = delete;

    const C45Command &command() const { return command_; }

    // The read end of the pipe from the child's standard output; -1 when the
    // child could not be started (finish() then yields no lines).
    int outputDescriptor() const;

    // Reads what the pipe holds now without waiting for more. Returns true
    // when the output has ended.
    bool readAvailable();

    // The lines read so far.
    const std::vector<std::string> &lines() const { return lines_; }

    // Reads to the end of the output (blocking), waits for the child, and
    // parses the lines with parseC45Output(hasTest). Call once.
    struct Outcome {
        C45RunResult result;
        C45Summary summary;
        // The shell's exit status (127: the program was not found); absent
        // when it ended by a signal or could not be started.
        std::optional<int> exitStatus;
    };
    Outcome finish();

private:
    void take(const char *data, std::size_t size);
    void endOutput();

    C45Command command_;
    struct Stream;
    std::unique_ptr<Stream> stream_;
    std::vector<std::string> lines_;
    std::string partial_;
    bool ended_ = false;
};

// Runs C4.5 to its end: C45Process(request, trace).finish().
C45Process::Outcome runC45(const C45RunRequest &request, std::ostream &trace = std::cout);
