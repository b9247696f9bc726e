// Replaces a file as a whole: the new content goes to a temporary file in the
// same folder, which is renamed over the target only once everything has been
// written and flushed. A reader (or a crash half-way) sees either the old file
// or the complete new one, never a truncated mix.
#pragma once

#include <fstream>
#include <memory>
#include <ostream>
#include <string>

class AtomicFile {
public:
    // Creates the temporary file beside path. Throws FileError::cannotOpen(path)
    // when it cannot be created (missing folder, no permission).
    explicit AtomicFile(const std::string &path);

    // Removes the temporary file if commit() has not succeeded; the target is
    // then left as it was.
    ~AtomicFile();

    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // The stream the new content is written to (binary, large buffer).
    std::ostream &stream() { return out_; }

    // Flushes, checks that every write succeeded and renames the temporary file
    // over the target. Throws FileError::cannotWrite(path) otherwise, leaving
    // the old target in place. Call once.
    void commit();

private:
    std::string path_;
    std::string tempPath_;
    std::unique_ptr<char[]> buffer_;
    std::ofstream out_;
    bool committed_ = false;
};
