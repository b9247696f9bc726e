// Replaces a file as a whole: the new content goes to a temporary file in the
// target's folder, which is flushed to disk and renamed over the target only
// once everything has been written; the folder is flushed after the rename.
// A reader, a crash or a power failure half-way leaves either the old file or
// the complete new one, never a truncated mix.
//
// A target that is a symbolic link has the file it points to replaced (the
// link stays) and keeps its permission bits. A target that is a character
// device or a named pipe (/dev/null, /dev/full) cannot be replaced and is
// written directly. Any number of AtomicFiles may be used from several
// threads at once.
#pragma once

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>

class AtomicFile {
public:
    // Creates the temporary file beside the target of path. Throws
    // FileError::cannotOpen(path) when it cannot be created (missing folder,
    // no permission, a folder or a link loop in the way).
    explicit AtomicFile(const std::string &path);

    // Removes the temporary file if it has not replaced the target; the
    // target is then left as it was.
    ~AtomicFile();

    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // The stream the new content is written to (binary, large buffer).
    std::ostream &stream() { return out_; }

    // finish() then replace(). Call once.
    void commit();

    // Writes out what is buffered, checks that every write succeeded and
    // flushes the file to disk. Throws FileError::cannotWrite(path) otherwise,
    // leaving the old target in place. A set of files replaced together
    // finishes every file before it replaces any.
    void finish();

    // Renames the finished temporary file over the target. Throws
    // FileError::cannotWrite(path) when it cannot, leaving the old target.
    void replace();

    // Commits files that are read as one set: finishes all of them before
    // replacing any, and replaces them with SIGINT, SIGTERM and SIGHUP held back in
    // the calling thread, so that such a signal takes effect before the first
    // rename or after the last. When a rename fails, the files replaced
    // before it get their old content back (through a hard link taken
    // beforehand, where the file system has them). Throws as finish() and
    // replace() do.
    static void commitTogether(std::initializer_list<AtomicFile *> files);

private:
    class Buffer;

    std::string path_;
    std::string target_;   // path with its links followed
    std::string tempPath_; // empty when the target is written directly
    int fd_ = -1;
    int slot_ = -1; // in the registry of temporaries, or -1
    std::unique_ptr<Buffer> buffer_;
    std::ostream out_;
    bool finished_ = false;
    bool replaced_ = false;
};

// While one of these lives, SIGINT, SIGTERM and SIGHUP first remove the temporary
// files of every AtomicFile of the process and then end it as they would
// have by default; SIGXFSZ is ignored, so that a write beyond the file-size
// limit fails and is reported instead of killing the process. A signal that
// was ignored before stays ignored. The previous dispositions come back when
// the last one ends; they may be nested and used from several threads.
class TemporaryFileGuard {
public:
    TemporaryFileGuard();
    ~TemporaryFileGuard();

    TemporaryFileGuard(const TemporaryFileGuard &) = delete;
    TemporaryFileGuard &operator=(const TemporaryFileGuard &) = delete;
};
