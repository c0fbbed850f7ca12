#pragma once
// The odds history: every refreshed race's snapshot kept in the SQLite database OrviKV.db in
// the program folder, so the window can show how the odds moved and orvikel-dump can print
// it. A build without SQLite (the Windows cross-build) gets a store that never opens.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "domain/race_snapshot.hpp"

namespace orvikel::history {

inline constexpr const char* kDatabaseName = "OrviKV.db";
inline constexpr int kDefaultRetentionDays = 30;

// Why the history is not available, as one Japanese message (CP932) naming the file. The
// viewer shows it once and goes on without history; the file is never deleted.
class HistoryError : public std::runtime_error {
  public:
    explicit HistoryError(const std::string& cp932Message) : std::runtime_error(cp932Message) {}
};

struct StoredSnapshot {
    std::int64_t id = 0;
    std::int64_t takenAt = 0;  // when it was stored, seconds since 1970 (UTC)
    std::string oddsTime;      // the odds time that made it a new snapshot (CP932 "HH:MM")
    RaceSnapshot snapshot;
};

// The odds time that tells snapshots of a race apart: the win odds' time, the one the race
// card and the movement marks are about; when the race has no win odds, the latest time of
// the other kinds. The client writes the files of a race in one pass, so their times agree;
// a file of a kind rewritten alone is taken with the next win odds. Empty: nothing to store
// (no kind has a time of day: blank, or out of range as "25:70" is).
std::string SnapshotOddsTime(const RaceSnapshot& snapshot);

// Minutes after midnight of an odds time "HH:MM" (the hour may be right-aligned, " 9:05");
// nullopt for anything else, a time past 23:59 included.
std::optional<int> OddsTimeMinutes(const std::string& oddsTime);

class HistoryStore {
  public:
    virtual ~HistoryStore() = default;

    // Stores the snapshot when its odds time is a time of day and differs from the last one
    // stored for its race; a snapshot of that same time that differs from the stored one
    // replaces it (one snapshot per odds time, the latest read). One transaction; true when
    // something was written.
    virtual bool Record(const RaceSnapshot& snapshot, std::int64_t takenAt) = 0;
    // Every stored snapshot of the race, oldest first. winOnly leaves the entries of the other
    // kinds out (their times and totals still come): all the odds history shows, and a tenth
    // of the reading.
    virtual std::vector<StoredSnapshot> Snapshots(const RaceKey& race,
                                                  bool winOnly = false) const = 0;
    // The newest stored snapshot of the race whose odds time differs from oddsTime: what the
    // odds were before the ones on screen.
    virtual std::optional<StoredSnapshot> Previous(const RaceKey& race,
                                                   const std::string& oddsTime) const = 0;
    // Snapshots stored before the cut-off (seconds since 1970) are deleted; returns how many.
    virtual int RemoveOlderThan(std::int64_t cutoff) = 0;
};

// Opens or creates programDir/OrviKV.db (WAL, our schema version) and applies the retention:
// snapshots taken more than retentionDays before now are removed. Throws HistoryError when
// the file cannot be opened or created, is held locked by another program, is not a database
// or is damaged, or was written by a newer version of the viewer.
std::unique_ptr<HistoryStore> OpenHistory(const std::filesystem::path& programDir, std::int64_t now,
                                          int retentionDays = kDefaultRetentionDays);

// Whether this build can keep a history at all.
bool HistoryBuiltIn();

}  // namespace orvikel::history
