// Temporary files, their registry for signal clean-up, and the final rename
// of AtomicFile.
#include "corpus/AtomicFile.h"

#include "corpus/FileError.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t bufferSize = 1 << 20;

// The temporary files that exist right now, readable from a signal handler:
// each slot is claimed and released through its atomic state alone.
struct TemporarySlot {
    enum : int { unused, claimed, holding };
    std::atomic<int> state{unused};
    char path[PATH_MAX];
};

constexpr int registrySize = 64;
TemporarySlot registry[registrySize];

// The slot now holding path, or -1 when every slot is taken (the file then
// only misses the clean-up on a signal).
int registerTemporary(const std::string &path) {
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < registrySize; ++i) {
        int expected = TemporarySlot::unused;
        if (registry[i].state.compare_exchange_strong(expected, TemporarySlot::claimed)) {
            std::memcpy(registry[i].path, path.c_str(), path.size() + 1);
            registry[i].state.store(TemporarySlot::holding);
            return i;
        }
    }
    return -1;
}

void unregisterTemporary(int slot) {
    if (slot >= 0)
        registry[slot].state.store(TemporarySlot::unused);
}

extern "C" void removeTemporariesAndReraise(int signal) {
    for (TemporarySlot &slot : registry)
        if (slot.state.load() == TemporarySlot::holding)
            ::unlink(slot.path);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(signal, &byDefault, nullptr);
    ::raise(signal);
}

// A fresh name beside target for a file of this process.
std::string temporaryName(const std::string &target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// A second name for the old content of a regular file, taken before a set of
// files is replaced, so that a rename failing half-way can put the files
// replaced until then back. Where the file system has no hard links there is
// none, and such a failure leaves them replaced.
class Backup {
public:
    explicit Backup(const std::string &target) : target_(target) {
        struct stat info;
        existed_ = ::lstat(target.c_str(), &info) == 0;
        if (!existed_ || !S_ISREG(info.st_mode))
            return;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = temporaryName(target);
            slot_ = registerTemporary(name);
            if (::link(target.c_str(), name.c_str()) == 0) {
                path_ = name;
                return;
            }
            const int error = errno;
            unregisterTemporary(slot_);
            slot_ = -1;
            if (error != EEXIST)
                return;
        }
    }

    ~Backup() {
        if (!path_.empty())
            ::unlink(path_.c_str());
        unregisterTemporary(slot_);
    }

    Backup(const Backup &) = delete;
    Backup &operator=(const Backup &) = delete;

    // The old file back under its name, or no file where there was none.
    void restore() {
        if (!path_.empty()) {
            if (::rename(path_.c_str(), target_.c_str()) == 0)
                path_.clear();
        } else if (!existed_) {
            ::unlink(target_.c_str());
        }
    }

private:
    std::string target_;
    std::string path_;
    int slot_ = -1;
    bool existed_ = false;
};

std::mutex guardMutex;
int guardDepth = 0;
struct sigaction savedInterrupt, savedTerminate, savedHangUp, savedFileSize;

// The file a chain of symbolic links ends at (path itself when it is no
// link, or names nothing yet); a relative link is taken from its own folder.
std::string followLinks(const std::string &path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char link[PATH_MAX + 1];
        const ssize_t size = ::readlink(current.c_str(), link, sizeof link);
        if (size <= 0 || static_cast<std::size_t>(size) >= sizeof link)
            break;
        std::string next(link, static_cast<std::size_t>(size));
        const std::size_t slash = current.rfind('/');
        if (next.front() != '/' && slash != std::string::npos)
            next = current.substr(0, slash + 1) + next;
        current = next;
    }
    throw FileError::cannotOpen(path, ELOOP);
}

std::string folderOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable. The new content is complete whatever
// this gives, and nothing could be undone any more, so a failure is left
// unreported.
void syncFolder(const std::string &path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

// Writes through the descriptor with plain system calls, so that the
// descriptor stays at hand for fsync and every failed write is remembered.
class AtomicFile::Buffer : public std::streambuf {
public:
    Buffer() : data_(new char[bufferSize]) { setp(data_.get(), data_.get() + bufferSize); }

    void attach(int fd) { fd_ = fd; }
    bool failed() const { return failed_; }
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        for (const char *p = pbase(); p < pptr() && !failed_;) {
            const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(pptr() - p));
            if (n > 0)
                p += n;
            else if (n == 0 || errno != EINTR) {
                failed_ = true;
                error_ = n == 0 ? ENOSPC : errno;
            }
        }
        setp(data_.get(), data_.get() + bufferSize);
        return !failed_;
    }

    std::unique_ptr<char[]> data_;
    int fd_ = -1;
    bool failed_ = false;
    int error_ = 0;
};

AtomicFile::AtomicFile(const std::string &path)
    : path_(path), target_(followLinks(path)), buffer_(new Buffer), out_(nullptr) {
    struct stat info;
    const bool exists = ::stat(target_.c_str(), &info) == 0;
    if (exists && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
        // Not waiting for a reader of a pipe: no reader is an error.
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0)
            throw FileError::cannotOpen(path_, errno);
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    } else if (exists && !S_ISREG(info.st_mode)) {
        throw FileError::cannotOpen(path_, S_ISDIR(info.st_mode) ? EISDIR : 0);
    } else {
        int openError = 0;
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            const std::string name = temporaryName(target_);
            // Registered before it exists, so that no moment is left in which
            // a signal would miss it.
            slot_ = registerTemporary(name);
            fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                tempPath_ = name;
                break;
            }
            openError = errno;
            unregisterTemporary(slot_);
            slot_ = -1;
            if (openError != EEXIST)
                break;
        }
        if (fd_ < 0)
            throw FileError::cannotOpen(path_, openError);
        if (exists && ::fchmod(fd_, info.st_mode & 07777) != 0) {
            const int error = errno;
            ::close(fd_);
            ::unlink(tempPath_.c_str());
            unregisterTemporary(slot_);
            throw FileError::cannotOpen(path_, error);
        }
    }
    buffer_->attach(fd_);
    out_.rdbuf(buffer_.get());
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!tempPath_.empty() && !replaced_)
        ::unlink(tempPath_.c_str());
    unregisterTemporary(slot_);
}

void AtomicFile::commit() {
    finish();
    replace();
}

void AtomicFile::finish() {
    out_.flush();
    bool written = out_.good() && !buffer_->failed();
    int error = buffer_->error();
    out_.rdbuf(nullptr);
    if (written && !tempPath_.empty() && ::fsync(fd_) != 0) {
        written = false;
        error = errno;
    }
    if (::close(fd_) != 0 && written) {
        written = false;
        error = errno;
    }
    fd_ = -1;
    if (!written)
        throw FileError::cannotWrite(path_, error);
    finished_ = true;
}

void AtomicFile::replace() {
    if (!finished_)
        throw FileError::cannotWrite(path_);
    if (tempPath_.empty()) {
        replaced_ = true;
        return;
    }
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0)
        throw FileError::cannotWrite(path_, errno);
    replaced_ = true;
    unregisterTemporary(slot_);
    slot_ = -1;
    syncFolder(target_);
}

void AtomicFile::commitTogether(std::initializer_list<AtomicFile *> files) {
    for (AtomicFile *file : files)
        file->finish();
    std::deque<Backup> backups;
    for (AtomicFile *file : files)
        if (!file->tempPath_.empty())
            backups.emplace_back(file->target_);
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGTERM);
    sigaddset(&held, SIGHUP);
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &held, &previous);
    std::size_t replaced = 0;
    try {
        for (AtomicFile *file : files) {
            file->replace();
            if (!file->tempPath_.empty())
                ++replaced;
        }
    } catch (...) {
        for (std::size_t i = 0; i < replaced; ++i)
            backups[i].restore();
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        throw;
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

TemporaryFileGuard::TemporaryFileGuard() {
    const std::lock_guard<std::mutex> lock(guardMutex);
    if (guardDepth++ > 0)
        return;
    struct sigaction cleanup {};
    cleanup.sa_handler = removeTemporariesAndReraise;
    sigemptyset(&cleanup.sa_mask);
    sigaddset(&cleanup.sa_mask, SIGINT);
    sigaddset(&cleanup.sa_mask, SIGTERM);
    sigaddset(&cleanup.sa_mask, SIGHUP);
    for (const auto &[signal, saved] :
         {std::pair{SIGINT, &savedInterrupt}, std::pair{SIGTERM, &savedTerminate},
          std::pair{SIGHUP, &savedHangUp}}) {
        ::sigaction(signal, nullptr, saved);
        if (saved->sa_handler != SIG_IGN)
            ::sigaction(signal, &cleanup, nullptr);
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &savedFileSize);
}

TemporaryFileGuard::~TemporaryFileGuard() {
    const std::lock_guard<std::mutex> lock(guardMutex);
    if (--guardDepth > 0)
        return;
    ::sigaction(SIGINT, &savedInterrupt, nullptr);
    ::sigaction(SIGTERM, &savedTerminate, nullptr);
    ::sigaction(SIGHUP, &savedHangUp, nullptr);
    ::sigaction(SIGXFSZ, &savedFileSize, nullptr);
}
