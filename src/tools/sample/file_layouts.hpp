#pragma once
// The pieces every data file shares: the file names of a meeting's races, and the race
// header at the start of line 1 in its two layouts (the card layout of the race card,
// horse-weight and results files, the odds layout of the four odds files).
#include <string>

#include "sample/folder_plan.hpp"
#include "sample/line_builder.hpp"

namespace orvikel::sample {

// "Uy-a.jra" .. "Uy-f.jra".
std::string MeetingFileName(int slot);
// Kinds 1..7; the results file (5) carries all three meeting keys in its name.
std::string RaceFileName(int kind, const MeetingPlan& meeting, int race);

// Columns 1-22: date, racecourse, meeting, day and race.
void PutCardHeader(LineBuilder& line, const MeetingPlan& meeting, const RacePlan& race);
// The card header with the race-card file's own fields (post time, course, distance, name,
// conditions), which the results file repeats at the same columns.
void PutRaceCardHeader(LineBuilder& line, const MeetingPlan& meeting, const RacePlan& race);
// Columns 1-142: date, racecourse, meeting, day, race, odds time, name, conditions, runners.
void PutOddsHeader(LineBuilder& line, const MeetingPlan& meeting, const RacePlan& race);

// The whole file of each kind.
std::string MeetingFile(const MeetingPlan& meeting);
std::string RaceCardFile(const MeetingPlan& meeting, const RacePlan& race);
std::string HorseWeightFile(const MeetingPlan& meeting, const RacePlan& race);

}  // namespace orvikel::sample
