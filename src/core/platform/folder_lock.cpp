#include "platform/folder_lock.hpp"

#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/data_error.hpp"
#include "platform/literals.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace orvikel {

namespace {

// Short enough that a waiting writer starts soon after the other one ends.
constexpr std::chrono::milliseconds kRetryPause{10};

enum class Attempt { Locked, Busy, Failed };

std::atomic<std::int64_t> defaultWaitMs{kWriterLockWait.count()};

// After the lock file could not be opened: whether that is because the folder cannot be
// written at all (no lock, and no write of ours either) or the file is the trouble.
FileLock::Outcome CannotOpen(const std::filesystem::path& path, bool folderRefused) {
    std::error_code ec;
    const bool nameTaken =
        std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found;
    return folderRefused && !nameTaken ? FileLock::Outcome::Unavailable : FileLock::Outcome::Failed;
}

}  // namespace

void SetDefaultWriterLockWait(std::chrono::milliseconds wait) {
    defaultWaitMs = wait.count();
}

std::chrono::milliseconds DefaultWriterLockWait() {
    return std::chrono::milliseconds(defaultWaitMs.load());
}

#ifdef _WIN32

namespace {

// Opened without FILE_SHARE_DELETE: while any writer has the lock file open (holding it or
// waiting for it) nobody can delete or replace it, so every writer locks the same file.
void* OpenLockFile(const std::filesystem::path& path, bool& folderRefused) {
    HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        // A read-only lock file another user made: a lock needs only a handle to read.
        handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
            SetLastError(ERROR_ACCESS_DENIED);  // no such file: the folder refused to make it
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        folderRefused = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
                        error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    return handle;
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
    bool folderRefused = false;
    void* handle = OpenLockFile(path, folderRefused);
    if (handle == nullptr) {
        outcome_ = CannotOpen(path, folderRefused);
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
            outcome_ = attempt == Attempt::Failed ? Outcome::Failed : Outcome::Busy;
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

int OpenLockFile(const std::filesystem::path& path, bool& folderRefused) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EACCES) {
        // A lock file another user made: a lock needs only a descriptor, not write access.
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        folderRefused = errno == EACCES || errno == EROFS || errno == EPERM || errno == ENOENT ||
                        errno == ENOTDIR;
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

// Whether fd is still the file at path: one deleted or replaced while this process waited
// for it locks nothing another writer will ever look at.
bool StillAtPath(int fd, const std::filesystem::path& path) {
    struct stat held {};
    struct stat there {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &there) == 0 &&
           held.st_dev == there.st_dev && held.st_ino == there.st_ino;
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    bool folderRefused = false;
    int fd = OpenLockFile(path, folderRefused);
    if (fd < 0) {
        outcome_ = CannotOpen(path, folderRefused);
        return;
    }
    for (;;) {
        const Attempt attempt = TryLock(fd);
        if (attempt == Attempt::Locked) {
            if (StillAtPath(fd, path)) {
                fd_ = fd;
                outcome_ = Outcome::Held;
                return;
            }
            // The file at path now is another one: that is the lock to take, at once.
            ::close(fd);
            fd = OpenLockFile(path, folderRefused);
            if (fd < 0) {
                outcome_ = CannotOpen(path, folderRefused);
                return;
            }
            continue;
        }
        if (attempt == Attempt::Failed || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            outcome_ = attempt == Attempt::Failed ? Outcome::Failed : Outcome::Busy;
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

WriterLock::WriterLock(const std::filesystem::path& programDir)
    : WriterLock(programDir, DefaultWriterLockWait()) {}

WriterLock::WriterLock(const std::filesystem::path& programDir, std::chrono::milliseconds wait)
    : lock_(programDir / kWriterLockFileName, wait) {
    if (lock_.outcome() == FileLock::Outcome::Busy) {
        const DataError error =
            ErrorAboutPath(lit::kFolderPrefixMsg, programDir, lit::kWriterBusySuffix);
        throw WriterBusy(error.what(), error.utf8Message());
    }
    if (lock_.outcome() == FileLock::Outcome::Failed) {
        ThrowAboutPath(lit::kFilePrefixMsg, programDir / kWriterLockFileName,
                       lit::kCannotLockSuffix);
    }
}

}  // namespace orvikel
