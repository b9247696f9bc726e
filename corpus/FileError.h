// Error raised by the workbench's libraries when a file cannot be opened,
// read or written. The caller decides what to do with it: the command-line
// front end prints what() on standard error and exits 1, the GUI shows it
// in an error dialog. An operation that throws it leaves its object as it
// was before the call.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

class FileError : public std::runtime_error {
public:
    // errorNumber: the errno value of the failing system call, 0 when the
    // failure has none. It is kept apart from the message, whose text is a
    // fixed console line.
    explicit FileError(const std::string &message, int errorNumber = 0)
        : std::runtime_error(message), errorNumber_(errorNumber) {}

    // The operating system's reason ("Permission denied"), or "" when there is none.
    std::string reason() const { return errorNumber_ == 0 ? "" : std::strerror(errorNumber_); }

    // The message and, when there is one, ": " and the reason: what a user is shown.
    std::string messageWithReason() const {
        return errorNumber_ == 0 ? what() : what() + (": " + reason());
    }

    // The message used wherever a file cannot be opened.
    static FileError cannotOpen(const std::string &path, int errorNumber = 0) {
        return FileError("Could not open file " + path, errorNumber);
    }

    // A folder of documents that cannot be listed.
    static FileError cannotOpenDirectory(const std::string &path, int errorNumber = 0) {
        return FileError("Could not open directory " + path, errorNumber);
    }

    // A file that opened but could not be read to its end.
    static FileError cannotRead(const std::string &path, int errorNumber = 0) {
        return FileError("Could not read file " + path, errorNumber);
    }

    // A file too large for the memory left to the process (a link to an
    // endless device such as /dev/zero among them).
    static FileError outOfMemory(const std::string &path) {
        return FileError("out of memory while reading " + path);
    }

    // A file whose new content could not be written completely; any old
    // file of that name is kept unchanged.
    static FileError cannotWrite(const std::string &path, int errorNumber = 0) {
        return FileError("Could not write file " + path, errorNumber);
    }

    // A file that was read but does not have the expected layout; problem
    // names the place and what was expected there.
    static FileError malformed(const std::string &path, const std::string &problem) {
        return FileError("Malformed file " + path + ": " + problem);
    }

private:
    int errorNumber_;
};
