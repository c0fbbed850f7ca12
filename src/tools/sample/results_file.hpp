#pragma once
// The results file of a run race: the first seven finishers, the payouts of every bet type
// from the same pools as the odds, and the horses whose stakes were refunded. The long layout
// (more than 800 bytes) adds exacta and trio payouts; the short one has neither.
#include <string>

#include "sample/folder_plan.hpp"
#include "sample/race_model.hpp"

namespace orvikel::sample {

std::string ResultsFile(const MeetingPlan& meeting, const RacePlan& race, const Market& market);

}  // namespace orvikel::sample
