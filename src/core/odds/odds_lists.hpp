#pragma once
// The five combination-odds lists (bracket quinella, quinella, wide, exacta, trio), each
// written in popularity order ("...So.dat") and number order ("...No.dat"), with the group-box
// captions, the memo hints and the texts kept for the vote-count summary.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "domain/hint.hpp"
#include "domain/lists.hpp"
#include "domain/race_files.hpp"
#include "domain/race_snapshot.hpp"
#include "racecard/racecard_table.hpp"
#include "results/vote_texts.hpp"

namespace orvikel {

// What the odds steps set directly on the window.
struct OddsDisplay {
    ByOddsList<std::string> caption;  // GBOdds1..5 (CP932)
    ByOddsList<Hint> hint;            // MemoOdds1..5
    bool boxWheelVisible = false;     // RBBox / RBWheel, shown by the exacta step
};

// Each step reads its data file only when files.Has(kind); otherwise it writes its "DATAなし"
// lists. A file that cannot be read or a field that is not a number raises DataError naming
// the file and the field; the step then writes none of its work files and leaves its kinds of
// the snapshot as they were. Otherwise it puts its kinds into the snapshot: present, the odds
// time, the vote total and every listed record with its state and the rank its line shows.

// Bracket quinella from the Zo file ("QvZOSo.dat", "QvZONo.dat"); zoCarriesTotals is what
// ReadWinPlaceOdds found. Without a Zo file it also rewrites "QvFSo.dat" and "QvFNo.dat".
// zoLine is line 1 of the Zo file as the win/place step read it; without it the file is read.
// Also sets the odds time of win and place in the snapshot.
void BuildBracketQuinellaLists(const RaceFiles& files, bool zoCarriesTotals, VoteTexts& votes,
                               OddsDisplay& display, RaceSnapshot& snapshot,
                               const std::filesystem::path& programDir,
                               const std::string* zoLine = nullptr);

// Quinella and wide from the Uo file ("QvUOSo.dat", "QvUONo.dat", "QvKOSo.dat", "QvKONo.dat").
void BuildQuinellaAndWideLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                               OddsDisplay& display, RaceSnapshot& snapshot,
                               const std::filesystem::path& programDir);

// Exacta from the So file ("QvSOSo.dat", "QvSONo.dat"); also shows RBBox / RBWheel.
void BuildExactaLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                      OddsDisplay& display, RaceSnapshot& snapshot,
                      const std::filesystem::path& programDir);

// Trio from the Yo file ("QvYOSo.dat", "QvYONo.dat").
void BuildTrioLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                    OddsDisplay& display, RaceSnapshot& snapshot,
                    const std::filesystem::path& programDir);

// The combination a line of an odds list shows at its start (" 1- 2", " 1- 2- 3", brackets
// "1-2"), in the order the snapshot keeps it; nullopt for a line that shows none (a
// separator, "DATAなし").
std::optional<std::array<int, 3>> CombinationOfLine(OrderList list, std::string_view line);

}  // namespace orvikel
