#pragma once
// Locks on the program folder, so that only one process at a time rewrites its work files and
// its settings file, and only one viewer runs on it. Each lock is an OS lock on a small file
// in the folder, held by the process and released by the OS when the process ends, however it
// ends; the files themselves stay and are never removed.
#include <chrono>
#include <filesystem>

namespace orvikel {

// The lock file of the writers and the one a running viewer holds, both in the program folder.
inline constexpr const char* kWriterLockFileName = "OrviKV.lock";
inline constexpr const char* kViewerLockFileName = "OrviKV.viewer.lock";

// How long a writer waits for another one to finish: a refresh holds the lock for a few
// milliseconds, so this is only ever reached when the other process hangs.
inline constexpr std::chrono::milliseconds kWriterLockWait{5000};

// An exclusive lock on one file, or none. Moving hands the lock over; destruction releases it.
class FileLock {
  public:
    enum class Outcome {
        Held,         // this object holds the lock
        Busy,         // another holder kept it for the whole wait
        Unavailable,  // no lock here: a folder nothing can be made in, or one without locks
    };

    // Tries to lock path, creating the file when missing, and retries with short sleeps until
    // wait has passed.
    FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait);
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    Outcome outcome() const { return outcome_; }

  private:
    void Release() noexcept;

#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    Outcome outcome_ = Outcome::Unavailable;
};

// Held by every writer of the program folder (a refresh, a trio extraction, a settings save)
// while it writes and reads back what it wrote. Throws DataError naming the folder when another
// writer keeps the lock for the whole wait. In a folder where no file can be made the writer
// goes on without it: its own writes fail there and name their file.
class WriterLock {
  public:
    explicit WriterLock(const std::filesystem::path& programDir,
                        std::chrono::milliseconds wait = kWriterLockWait);

  private:
    FileLock lock_;
};

}  // namespace orvikel
