#pragma once
// The refreshed race as numbers: what a refresh parsed, kept beside the texts it wrote. The
// work files are written from it, and everything that computes with odds (combined odds,
// movement since the last refresh, the odds history, CSV export) reads it instead of parsing
// our own work files again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "domain/bet_kind.hpp"
#include "domain/race_files.hpp"

namespace orvikel {

// How an entry's odds stand.
enum class PriceState : int {
    Priced,     // odds of 1.0 or more: ranked by popularity
    NoOdds,     // odds below 1.0 (0.0: none yet): listed without a rank
    Cancelled,  // the file says "ﾄﾘｹｼ" (a combination that can no longer be bet)
    Scratched,  // a horse of the combination is scratched (the race card's remark); for win
                // and place also a horse whose win odds say "ﾄﾘｹｼ", which the refresh scratches
};

// One priced combination (or one horse, for win and place). Odds are integers in tenths, as
// the files give them with one decimal ("  2.5" -> 25), so sums and comparisons are exact.
struct OddsEntry {
    // Horse numbers of the combination in file order (bracket numbers for the bracket
    // quinella); entries past the kind's size are 0. Win and place: horses[0] only.
    std::array<int, 3> horses{};
    std::int64_t odds = 0;  // tenths; for place and wide the lower bound; 0 unless priced
    // place and wide: the upper bound in tenths; else 0. The lists show it as the file gives it
    // without checking it, so an upper field that is no number comes out as 0.
    std::int64_t upper = 0;
    PriceState state = PriceState::NoOdds;
    int rank = 0;  // popularity rank from 1, as the lists show it; 0 when it carries none
};

// One bet kind of the refreshed race.
struct KindSnapshot {
    bool present = false;  // its data file was read (false: the lists say "DATAなし")
    // The odds time as the file gives it, hour and minute fields joined by ':' ("15:20");
    // CP932 bytes, unchanged (blank fields stay blank); empty when the kind has none.
    std::string oddsTime;
    std::optional<std::int64_t> votes;  // the vote total, when the file carries one
    std::vector<OddsEntry> entries;     // in file (combination) order
};

struct RaceSnapshot {
    RaceKey race;  // which race it belongs to
    std::array<KindSnapshot, kBetKindCount> kinds{};
    // The bracket of each horse slot as the race card gives it; 0 without one (no race card,
    // an empty slot or a field that is no bracket number). Bracket figures come from it.
    OneBased<int, kHorses> bracket{};

    KindSnapshot& operator[](BetKind kind) { return kinds[static_cast<std::size_t>(kind)]; }
    const KindSnapshot& operator[](BetKind kind) const {
        return kinds[static_cast<std::size_t>(kind)];
    }
};

}  // namespace orvikel
