#include "platform/folder_lock.hpp"

#include <thread>
#include <utility>

#include "platform/data_error.hpp"
#include "platform/literals.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace orvikel {

namespace {

// Short enough that a waiting writer starts soon after the other one ends.
constexpr std::chrono::milliseconds kRetryPause{10};

enum class Attempt { Locked, Busy, Failed };

}  // namespace

#ifdef _WIN32

namespace {

void* OpenLockFile(const std::filesystem::path& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

Attempt TryLock(void* handle) {
    OVERLAPPED at{};
    if (LockFileEx(static_cast<HANDLE>(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY,
                   0, 1, 0, &at)) {
        return Attempt::Locked;
    }
    return GetLastError() == ERROR_LOCK_VIOLATION ? Attempt::Busy : Attempt::Failed;
}

void CloseLockFile(void* handle) {
    OVERLAPPED at{};
    UnlockFileEx(static_cast<HANDLE>(handle), 0, 1, 0, &at);
    CloseHandle(static_cast<HANDLE>(handle));
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    void* handle = OpenLockFile(path);
    if (handle == nullptr) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const Attempt attempt = TryLock(handle);
        if (attempt == Attempt::Locked) {
            handle_ = handle;
            outcome_ = Outcome::Held;
            return;
        }
        if (attempt == Attempt::Failed || std::chrono::steady_clock::now() >= deadline) {
            CloseHandle(static_cast<HANDLE>(handle));
            outcome_ = attempt == Attempt::Failed ? Outcome::Unavailable : Outcome::Busy;
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

void FileLock::Release() noexcept {
    if (handle_ != nullptr) {
        CloseLockFile(handle_);
        handle_ = nullptr;
    }
}

FileLock::FileLock(FileLock&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), outcome_(other.outcome_) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
        outcome_ = other.outcome_;
    }
    return *this;
}

#else

namespace {

int OpenLockFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EACCES) {
        // A lock file another user made: a lock needs only a descriptor, not write access.
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    return fd;
}

Attempt TryLock(int fd) {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return Attempt::Locked;
        }
        if (errno != EINTR) {
            return errno == EWOULDBLOCK ? Attempt::Busy : Attempt::Failed;
        }
    }
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    const int fd = OpenLockFile(path);
    if (fd < 0) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const Attempt attempt = TryLock(fd);
        if (attempt == Attempt::Locked) {
            fd_ = fd;
            outcome_ = Outcome::Held;
            return;
        }
        if (attempt == Attempt::Failed || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            outcome_ = attempt == Attempt::Failed ? Outcome::Unavailable : Outcome::Busy;
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

void FileLock::Release() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);  // closing the only descriptor releases the lock
        fd_ = -1;
    }
}

FileLock::FileLock(FileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), outcome_(other.outcome_) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        outcome_ = other.outcome_;
    }
    return *this;
}

#endif

FileLock::~FileLock() {
    Release();
}

WriterLock::WriterLock(const std::filesystem::path& programDir, std::chrono::milliseconds wait)
    : lock_(programDir / kWriterLockFileName, wait) {
    if (lock_.outcome() == FileLock::Outcome::Busy) {
        ThrowAboutPath(lit::kFolderPrefixMsg, programDir, lit::kWriterBusySuffix);
    }
}

}  // namespace orvikel
