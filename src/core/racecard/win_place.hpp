#pragma once
// Win and place odds from the Zo file, the popularity order of the race card and its six work
// files: "QvDESo.dat", "QvDENo.dat", "QvTSo.dat", "QvTNo.dat", "QvFSo.dat", "QvFNo.dat".
#include <filesystem>
#include <string>

#include "common/hint.hpp"
#include "racecard/racecard_table.hpp"
#include "results/vote_texts.hpp"

namespace orvikel {

// Reads the win/place records of the Zo file into the table. When the file carries totals
// (larger than 850 bytes) sets TotalText 0 and 1 and the grid hint; otherwise switches the
// hint off. Returns whether the file carries totals (the bracket-quinella step reuses it).
// lineRead, when given, receives line 1 as read, so that the bracket-quinella step of the same
// refresh works on the same snapshot of a file the KEL client may be rewriting.
bool ReadWinPlaceOdds(const std::string& path, RaceCardTable& table, VoteTexts& votes,
                      Hint& gridHint, std::string* lineRead = nullptr);

// Marks, sorts and writes the six race-card and win/place work files, in the order
// "QvDESo.dat", "QvFSo.dat", "QvDENo.dat", "QvFNo.dat", "QvTNo.dat", "QvTSo.dat". May set the
// scratched remark of a horse the odds file marks "ﾄﾘｹｼ".
void BuildRaceCardLists(RaceCardTable& table, const std::filesystem::path& programDir);

}  // namespace orvikel
