#pragma once
// Hand-built race snapshots: a race's win odds given horse by horse, the other kinds filled
// to the size of a full 18-runner race when a test needs the bulk.
#include <cstdint>
#include <string>
#include <vector>

#include "domain/race_snapshot.hpp"

namespace orvikel::history::testing {

inline constexpr RaceKey kRace{5, 4, 3, 7, 11};

struct Horse {
    int number;
    std::int64_t tenths;  // win odds in tenths
    PriceState state = PriceState::Priced;
};

// A snapshot whose win odds (and so its deciding odds time) are the ones given; ranks follow
// the odds.
RaceSnapshot Snapshot(const std::string& oddsTime, const std::vector<Horse>& horses,
                      const RaceKey& race = kRace);

// All seven kinds of an 18-runner race at the given time, every entry priced, with totals.
RaceSnapshot FullRace(const std::string& oddsTime, std::int64_t shift = 0);

}  // namespace orvikel::history::testing
