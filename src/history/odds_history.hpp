#pragma once
// What the history shows, computed from stored snapshots: the win odds of every horse over
// the snapshots with their moves (the オッズ推移 window and orvikel-dump --history), the vote
// totals over time, and the marks of the race card (which horses were backed or eased since
// the previous snapshot). No SQLite here: the same figures come from any list of snapshots.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "domain/race_snapshot.hpp"
#include "history_store.hpp"

namespace orvikel::history {

inline constexpr int kMaxHorse = 18;

enum class Move {
    Same,  // unchanged, or not comparable (no price before or now)
    Fell,  // the odds went down: the horse is being backed
    Rose,  // the odds went up
};

// A horse's win odds in one snapshot, as the race card shows them: "ﾄﾘｹｼ" for a scratched
// horse (or one the file cancels), the odds for a priced one ("12.3", also "0.0" below 1.0),
// empty when the snapshot has no odds for the horse. CP932.
struct WinOdds {
    std::string text;
    std::optional<std::int64_t> tenths;  // set when priced (rank-bearing odds)
};
WinOdds WinOddsOf(const RaceSnapshot& snapshot, int horse);

Move MoveOf(const WinOdds& before, const WinOdds& now);

// The race card's marks: by horse number 1..18 ([0] unused), the move since the previous
// snapshot with what the odds were then.
struct WinMark {
    Move move = Move::Same;
    std::string previousText;  // CP932, as WinOdds::text
    std::string previousTime;  // CP932 "HH:MM"
};
using WinMarks = std::array<WinMark, kMaxHorse + 1>;
WinMarks MarksSince(const RaceSnapshot& now, const StoredSnapshot& previous);

struct HistoryCell {
    WinOdds odds;
    Move move = Move::Same;  // against the snapshot before (the first is always Same)
};

struct OddsHistory {
    std::vector<std::string> times;     // odds time of each snapshot, CP932 "HH:MM"
    std::vector<int> minutes;           // the same as minutes after midnight (-1: unreadable)
    std::vector<std::int64_t> takenAt;  // seconds since 1970
    std::vector<int> horses;            // horse numbers with odds in any snapshot, ascending
    std::vector<std::vector<HistoryCell>> cells;  // [horse index][snapshot]
    // Vote totals of each kind per snapshot (nullopt: that file carried none).
    std::array<std::vector<std::optional<std::int64_t>>, kBetKindCount> votes;
};
OddsHistory BuildOddsHistory(const std::vector<StoredSnapshot>& snapshots);

// The short name of a bet kind as the bettor says it ("単勝" .. "３連複"), CP932.
std::string KindName(BetKind kind);

}  // namespace orvikel::history
