// Whole-file reading within the memory the machine has.
#include "corpus/ReadFile.h"

#include "corpus/FileError.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A parse holds the text, a lower-cased copy of it, a record per word and
// its tables at once, several times the size of the text, so content beyond
// an eighth of the physical memory could not be worked on anyway; an endless
// device stops there instead of driving the machine into the out-of-memory
// killer.
std::size_t contentLimit() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return SIZE_MAX / 4;
    return static_cast<std::size_t>(pages) / 8 * static_cast<std::size_t>(pageSize);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

int openForReading(const std::string &path, int flags) {
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | flags);
        if (fd >= 0 || errno != EINTR)
            return fd;
    }
}

void readOpenFile(int fd, const struct stat &info, const std::string &path, std::string &content) {
    const std::size_t limit = contentLimit();
    try {
        // A regular file is read in one go (one byte more to see its end);
        // anything else grows from a modest start.
        std::size_t initial = std::size_t(1) << 16;
        if (S_ISREG(info.st_mode)) {
            if (static_cast<std::uintmax_t>(info.st_size) >= limit)
                throw FileError::outOfMemory(path);
            initial = static_cast<std::size_t>(info.st_size) + 1;
        }
        content.resize(initial);
        std::size_t size = 0;
        for (;;) {
            if (size == content.size()) {
                if (content.size() >= limit)
                    throw FileError::outOfMemory(path);
                content.resize(std::min(content.size() * 2, limit));
            }
            const ssize_t n = ::read(fd, &content[size], content.size() - size);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw FileError::cannotRead(path, errno);
            }
            size += static_cast<std::size_t>(n);
        }
        content.resize(size);
    } catch (const std::bad_alloc &) {
        content = std::string();
        throw FileError::outOfMemory(path);
    }
}

} // namespace

void readWholeFile(const std::string &path, std::string &content) {
    const Descriptor file(openForReading(path, 0));
    struct stat info;
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0)
        throw FileError::cannotOpen(path, errno);
    if (S_ISDIR(info.st_mode))
        throw FileError::cannotOpen(path, EISDIR);
    readOpenFile(file.get(), info, path, content);
}

bool readRegularFile(const std::string &path, std::string &content) {
    // Looked at before opening, so that opening has no side effect on a
    // device; looked at again on what was opened, which may have changed.
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return false;
    const Descriptor file(openForReading(path, O_NONBLOCK));
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0)
        throw FileError::cannotOpen(path, errno);
    if (!S_ISREG(info.st_mode))
        return false;
    readOpenFile(file.get(), info, path, content);
    return true;
}

int directoryError(const std::string &directory) {
    DIR *folder = ::opendir(directory.c_str());
    if (!folder)
        return errno;
    ::closedir(folder);
    return 0;
}
