#pragma once
// Win and place odds from the Zo file, the popularity order of the race card and its six work
// files: "QvDESo.dat", "QvDENo.dat", "QvTSo.dat", "QvTNo.dat", "QvFSo.dat", "QvFNo.dat".
#include <filesystem>
#include <string>
#include <string_view>

#include "domain/hint.hpp"
#include "domain/race_snapshot.hpp"
#include "racecard/racecard_table.hpp"
#include "results/vote_texts.hpp"

namespace orvikel {

// A race-card work-file line starts with the horse's odds key (a blank and the 5-byte win
// price, then the place prices). When the horse has no price to rank, the key's first two
// bytes are one of these markers instead: a priced key starts with a blank, which sorts before
// the mark, so every marked horse sorts after the priced ones and takes no rank. The place
// lines' keys use the same marks. The grid loader reads the markers back from the line to
// decide what the win and place cells show.
namespace sort_key {
inline constexpr char kMark = '*';
inline constexpr std::string_view kScratched = "* ";  // scratched: "ﾄﾘｹｼ" in both cells
inline constexpr std::string_view kNoOdds = "**";     // no odds yet: both cells blank
inline constexpr std::string_view kBelowOne = "*#";   // a price under 1.0: shown, not ranked
}  // namespace sort_key

// Reads the win/place records of the Zo file into the table. When the file carries totals
// (larger than 850 bytes) sets the win and place totals and the grid hint; otherwise switches
// the hint off. Marks win and place present in the snapshot, with their vote totals. Returns
// whether the file carries totals (the bracket-quinella step reuses it). lineRead, when given,
// receives line 1 as read, so that the bracket-quinella step of the same refresh works on the same
// snapshot of a file the KEL client may be rewriting.
bool ReadWinPlaceOdds(const std::string& path, RaceCardTable& table, VoteTexts& votes,
                      Hint& gridHint, RaceSnapshot& snapshot, std::string* lineRead = nullptr);

// Marks, sorts and writes the six race-card and win/place work files, in the order
// "QvDESo.dat", "QvFSo.dat", "QvDENo.dat", "QvFNo.dat", "QvTNo.dat", "QvTSo.dat". May set the
// scratched remark of a horse the odds file marks "ﾄﾘｹｼ". When the win/place odds were read,
// fills the snapshot's win and place entries: one per horse the win (place) lists show, with
// its state and rank as they show them. Always sets the snapshot's brackets from the table.
void BuildRaceCardLists(RaceCardTable& table, const std::filesystem::path& programDir,
                        RaceSnapshot& snapshot);

}  // namespace orvikel
