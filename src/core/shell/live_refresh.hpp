#pragma once
// Following the client: what the live refresh decides without the window. The client
// rewrites a race's files every minute or so; a refresh that reads one while it is being
// written sees a data error, or worse reads a cut-short race card without error. So the files
// are stamped (size and modification time) before and after the refresh, and an attempt that
// failed or saw a file change under it is tried again a few times before anything is shown.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "domain/race_files.hpp"
#include "platform/indexed_array.hpp"

namespace orvikel {

struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // the file system's time stamp, in its own units

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamps of a race's files by data kind 1..7; a missing file has an empty stamp, so a
// file that appears or vanishes is a change too.
using RaceStamps = OneBased<FileStamp, kDataKinds>;
RaceStamps StampRaceFiles(const RaceFiles& files);

enum class LiveStep {
    Unchanged,  // no file of the race on screen changed: nothing was done
    Show,       // the refresh stands: show it
    Retry,      // a file was caught while being written: try again after the quiet time
    Report,     // still failing after the retries: show the error (unless shown just before)
    Quiet,      // still failing, and that error was the last one shown: say nothing
};

class LiveRetry {
  public:
    // Attempts of one change before an error is shown: with the half-second quiet time the
    // client has two seconds to finish its file.
    static constexpr int kAttempts = 4;

    // After an attempt: the stamps taken before and after it, and its error text if it
    // failed. A success whose files changed meanwhile is retried too; after the last attempt
    // it is shown as it is (the client keeps writing: show the newest state read).
    LiveStep After(const RaceStamps& before, const RaceStamps& after,
                   const std::optional<std::string>& error);
    // A new change of the files: the attempts count from the start again.
    void Restart() { attempts_ = 0; }

  private:
    int attempts_ = 0;
    std::string lastShown_;  // the error last reported; a success clears it
};

}  // namespace orvikel
