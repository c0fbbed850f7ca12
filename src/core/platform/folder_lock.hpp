#pragma once
// Locks on the program folder, so that only one process at a time rewrites its work files and
// its settings file, and only one viewer runs on it. Each lock is an OS lock on a small file
// in the folder, held by the process and released by the OS when the process ends, however it
// ends; the files themselves stay and are never removed.
#include <chrono>
#include <filesystem>
#include <string>

#include "platform/data_error.hpp"

namespace orvikel {

// The lock file of the writers and the one a running viewer holds, both in the program folder.
inline constexpr const char* kWriterLockFileName = "OrviKV.lock";
inline constexpr const char* kViewerLockFileName = "OrviKV.viewer.lock";

// How long a writer waits for another one to finish: a refresh holds the lock for a few
// milliseconds, so this is only ever reached when the other process hangs.
inline constexpr std::chrono::milliseconds kWriterLockWait{5000};

// How long a WriterLock made without a wait of its own waits in this process: kWriterLockWait
// unless set. The viewer sets 0: its GUI thread never waits for another program, it tries
// again from a timer. (A constant-initialised atomic, so no start-up order matters.)
void SetDefaultWriterLockWait(std::chrono::milliseconds wait);
std::chrono::milliseconds DefaultWriterLockWait();

// An exclusive lock on one file, or none. Moving hands the lock over; destruction releases it.
class FileLock {
  public:
    enum class Outcome {
        Held,         // this object holds the lock
        Busy,         // another holder kept it for the whole wait
        Unavailable,  // no lock here: the folder itself cannot be written (or is missing)
        Failed,       // the folder may be written, yet the lock file cannot be opened or
                      // locked: a folder of that name, a file system without locks
    };

    // Tries to lock path, creating the file when missing, and retries with short sleeps until
    // wait has passed. A lock taken on a file that is no longer the one at path (deleted or
    // replaced meanwhile, while this one waited for it) is let go and taken again on the file
    // now there, so two holders never lock two different files of one name.
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

// Another writer kept the program folder's lock for the whole wait: nothing was written, and
// the same step may simply be tried again later.
class WriterBusy : public DataError {
  public:
    using DataError::DataError;
};

// Held by every writer of the program folder (a refresh, a trio extraction, a settings save)
// while it writes and reads back what it wrote. Throws WriterBusy naming the folder when
// another writer keeps the lock for the whole wait, and DataError "ファイル <lock file> を
// ロックできません" when the lock file cannot be used though the folder may be written (going
// on unlocked there would let two writers mix their files). Only in a folder that cannot be
// written at all does the writer go on without it: its own writes fail there and name their
// file.
class WriterLock {
  public:
    explicit WriterLock(const std::filesystem::path& programDir);
    WriterLock(const std::filesystem::path& programDir, std::chrono::milliseconds wait);

  private:
    FileLock lock_;
};

}  // namespace orvikel
