#pragma once
// Following the client: what the live refresh decides without the window. The client
// rewrites a race's files every minute or so; a refresh that reads one while it is being
// written sees a data error, or worse reads a cut-short race card without error. So the files
// are stamped (size and modification time) before and after the refresh, and an attempt that
// failed or saw a file change under it is tried again a few times before anything is shown.
#include <array>
#include <chrono>
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

// When a race whose files the client rewrites is read again. The client writes every race's
// files all day, so the folder as a whole is never quiet: each race is judged by its own
// files alone. A change is read once the race's files have kept still for kQuiet; while they
// keep changing, no later than kMaxWait after the race was last read (but never sooner than
// kQuiet after the first change, which gives the client time to finish the files of one
// state). The stamps taken around the read catch a file caught half-written. The clock is
// the caller's, so a scan of many races and a test drive it alike.
class RaceQuietRule {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kQuiet{500};
    static constexpr std::chrono::milliseconds kMaxWait{2000};

    // The race was read at now with these stamps: nothing is pending.
    void Read(const RaceStamps& stamps, Clock::time_point now);
    // The race's files as stamped at now; true when they changed since last seen.
    bool Observe(const RaceStamps& stamps, Clock::time_point now);
    // When the race is due to be read; nullopt while no change waits to be read.
    std::optional<Clock::time_point> DueAt() const;
    bool Due(Clock::time_point now) const {
        const auto at = DueAt();
        return at && now >= *at;
    }

  private:
    RaceStamps seen_;
    bool pending_ = false;
    Clock::time_point lastRead_ = Clock::time_point::min();
    Clock::time_point firstChange_{};
    Clock::time_point lastChange_{};
};

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
