#pragma once
// The odds files of one race read back into maps keyed by combination, so the tests can
// compare them with each other and with the results.
#include <array>
#include <map>
#include <string>
#include <utility>

#include "sample_fixture.hpp"

namespace orvikel::sample::testing {

using Pair = std::pair<int, int>;
using Triple = std::array<int, 3>;

struct RaceOdds {
    bool hasWin = false, hasQuinella = false, hasExacta = false, hasTrio = false;
    std::map<int, std::string> win, placeLow, placeHigh;  // by horse number
    std::map<Pair, std::string> bracket;                  // brackets, first <= second
    std::map<Pair, std::string> quinella, wideLow, wideHigh;
    std::map<Pair, std::string> exacta;  // ordered
    std::map<Triple, std::string> trio;
};

RaceOdds ReadRaceOdds(const GeneratedFolder& folder, const MeetingKeys& meeting, int race);

// Odds in tenths of a priced field (12.3 -> 123).
long long Tenths(const std::string& field);

}  // namespace orvikel::sample::testing
