#pragma once
// The four odds files of a race, priced from its market: win, place and bracket quinella
// (Zo), quinella and wide (Uo), exacta (So) and trio (Yo), each with its vote totals.
#include <string>

#include "sample/folder_plan.hpp"
#include "sample/race_model.hpp"

namespace orvikel::sample {

std::string WinPlaceFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market);
std::string QuinellaWideFile(const MeetingPlan& meeting, const RacePlan& race,
                             const Market& market);
std::string ExactaFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market);
std::string TrioFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market);

// Combination texts as the client writes them: " 1- 2", " 1- 2- 3".
std::string PairText(int first, int second);
std::string TripleText(int a, int b, int c);

// Odds text of a width-byte field, capped at what the field can hold ("999.9" in 5 bytes).
std::string OddsText(std::int64_t tenths, int width);

}  // namespace orvikel::sample
