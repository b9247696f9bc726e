// Error raised by the workbench's libraries when a file cannot be opened,
// read or written. The caller decides what to do with it: the command-line
// front end prints what() on standard error and exits 1, the GUI shows it
// in an error dialog. An operation that throws it leaves its object as it
// was before the call.
#pragma once

#include <stdexcept>
#include <string>

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The message used wherever a file cannot be opened.
    static FileError cannotOpen(const std::string &path) {
        return FileError("Could not open file " + path);
    }
};
