#pragma once
// The race-card table: 12 fixed-width CP932 text columns for each of the 18 horse slots,
// rebuilt at every refresh.
#include <array>
#include <string>

#include "domain/race_files.hpp"
#include "platform/indexed_array.hpp"

namespace orvikel {

enum RaceCardColumn : int {
    kBracket = 0,         // 1
    kHorseNo = 1,         // 2
    kWinOdds = 2,         // 10: a blank, 5-byte win odds, 4 blanks
    kPlaceOdds = 3,       // 12: a blank, lower, "-", upper
    kHorseName = 4,       // 18
    kBodyWeight = 5,      // 3
    kWeightChange = 6,    // 4
    kApprenticeMark = 7,  // 3
    kJockey = 8,          // 18
    kBurdenWeight = 9,    // 4
    kRemark = 10,         // 20
    kNumberKey = 11,      // 2
};
inline constexpr int kRaceCardColumns = 12;
inline constexpr std::array<int, kRaceCardColumns> kRaceCardWidths{1, 2, 10, 12, 18, 3,
                                                                   4, 3, 18, 4,  20, 2};

struct RaceCardTable {
    // row[i][c] for horse slot i = 1..18
    OneBased<std::array<std::string, kRaceCardColumns>, kHorses> row;
    // CP932 path of the Zo file the odds columns came from (empty without one), so an odds
    // field that is not a number can be named when the lists are built
    std::string OddsSource;

    RaceCardTable() { Reset(); }
    // Every cell to blanks of its column's width; no odds source.
    void Reset();
    std::string& cell(int slot, RaceCardColumn column) {
        return row[slot][static_cast<std::size_t>(column)];
    }
    const std::string& cell(int slot, RaceCardColumn column) const {
        return row[slot][static_cast<std::size_t>(column)];
    }
    bool IsScratched(int slot) const;  // Remark is "●出走取消          "
};

}  // namespace orvikel
