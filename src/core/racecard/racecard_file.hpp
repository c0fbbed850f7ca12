#pragma once
// The race-card ("De-") and horse-weight ("Ut-") files, decoded into the race-card table.
#include <string>

#include "racecard/racecard_table.hpp"

namespace orvikel {

// Sets NumberKey, HorseNo, Bracket, HorseName, Jockey, BurdenWeight, ApprenticeMark (known
// codes only) and Remark of all 18 rows from line 1 of the race-card file.
void ReadRaceCardFile(const std::string& path, RaceCardTable& table);

// Sets NumberKey, HorseNo, Remark (status "9" only), BodyWeight and WeightChange (known codes
// only) of all 18 rows from line 1 of the horse-weight file.
void ReadHorseWeightFile(const std::string& path, RaceCardTable& table,
                         const std::string& minusSign);

}  // namespace orvikel
