#pragma once
// The betting aids of the trio BOX / total wheel: how many tickets the extracted set is, and
// what it pays taken as one bet (the combined odds 1 / Σ 1/oddsᵢ, cut to one decimal).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "domain/race_snapshot.hpp"
#include "trio/trio_selection.hpp"

namespace orvikel {

// Combined odds in tenths of odds in tenths: floor(1 / Σ 1/oᵢ), the largest t with
// Σ t/oᵢ ≤ 1, computed exactly in integers. 0 for no odds. Throws std::invalid_argument for an
// odds value that is not positive or does not fit 32 bits (no price the files can hold).
std::int64_t CombinedOddsTenths(std::span<const std::int64_t> oddsTenths);

struct TrioPoints {
    int points = 0;                   // combinations with a popularity rank (odds of 1.0 or more)
    int excluded = 0;                 // cancelled, scratched or unranked combinations of the set
    std::int64_t combinedTenths = 0;  // combined odds of the counted ones; 0 when points is 0
};

// Points, excluded count and combined odds of a set of trio entries.
TrioPoints CountTrioPoints(std::span<const OddsEntry> entries);

// The trio entries the selector's current extraction holds, in the entries' order: with a BOX
// of 3 or more horses the combinations of ticked horses only, with a total wheel of 1 or 2
// axes the combinations holding every axis. Empty while the selection extracts nothing.
std::vector<OddsEntry> TrioSetEntries(const KindSnapshot& trio, const TrioSelector& selector);

// The panel's lines, CP932: "点数 N", "合成オッズ X.X" (or "---" without points), and
// "(M点除く)" when some combinations were left out.
std::vector<std::string> TrioPointsLines(const TrioPoints& points);

// The combined odds as orvikel-dump prints it: "X.X", or empty when no point was counted.
std::string CombinedOddsText(const TrioPoints& points);

}  // namespace orvikel
