// Temporary file creation and the final rename of AtomicFile.
#include "corpus/AtomicFile.h"

#include "corpus/FileError.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t bufferSize = 1 << 20;

// Creates a fresh, empty file next to path with the usual permissions (the
// process umask applies) and returns its name, or an empty string.
std::string createTemporary(const std::string &path) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name =
            path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST)
            break;
    }
    return {};
}

} // namespace

AtomicFile::AtomicFile(const std::string &path)
    : path_(path), tempPath_(createTemporary(path)), buffer_(new char[bufferSize]) {
    if (tempPath_.empty())
        throw FileError::cannotOpen(path_);
    out_.rdbuf()->pubsetbuf(buffer_.get(), bufferSize);
    out_.open(tempPath_, std::ios::binary | std::ios::trunc);
    if (!out_) {
        std::remove(tempPath_.c_str());
        throw FileError::cannotOpen(path_);
    }
}

AtomicFile::~AtomicFile() {
    if (!committed_) {
        out_.close();
        std::remove(tempPath_.c_str());
    }
}

void AtomicFile::commit() {
    out_.flush();
    const bool written = out_.good();
    out_.close();
    if (!written || out_.fail() || std::rename(tempPath_.c_str(), path_.c_str()) != 0)
        throw FileError::cannotWrite(path_);
    committed_ = true;
}
