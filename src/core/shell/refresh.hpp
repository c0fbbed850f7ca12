#pragma once
// RefreshRace: rebuilds every work file of the selected race in the fixed order and returns
// what the window shows; and the loaders that read the work files back for the controls.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/hint.hpp"
#include "common/text_lines.hpp"
#include "odds/odds_lists.hpp"
#include "racecard/racecard_table.hpp"
#include "results/vote_texts.hpp"
#include "settings/settings.hpp"
#include "shell/discovery.hpp"
#include "shell/race_header.hpp"

namespace orvikel {

inline constexpr int kGridColumns = 11;
inline constexpr int kGridRows = 18;
// A grid row's cells in UTF-8, ready to show: a full-width cell may hold characters that
// CP932 has no form for (ヷ, a lone combining voiced mark).
using GridRow = std::array<std::string, kGridColumns>;
using Grid = std::array<GridRow, kGridRows + 1>;  // rows 1..18; [0] unused

// Everything the main window displays apart from its buttons, as CP932 texts but the grid.
struct DisplayState {
    RaceHeader header;
    OddsDisplay odds;
    Hint gridHint;
    Grid grid;                         // DEGrid rows 1..18, UTF-8
    std::array<TextLines, 6> memo;     // MemoOdds1..5; [0] unused
    std::vector<std::string> results;  // MemoSeiseki

    DisplayState() { Clear(); }
    // ClearDisplay: boxes and memos emptied, the title text, the caption reset, grid rows
    // 1..18 emptied, every hint switched off (hint texts stay).
    void Clear();
};

// The title text the cleared EditYMDR shows (CP932).
const std::string& TitleText();

// The per-refresh state that outlives a refresh for the trio panel and the vote summary.
struct RaceState {
    RaceCardTable table;
    VoteTexts votes;
};

// Runs the refresh steps for the race whose files are given, holding the program folder's
// WriterLock throughout. A DataError stops it; the display and the work files then keep what
// the completed steps left.
void RefreshRace(const RaceFiles& files, const Settings& settings, RaceState& race,
                 DisplayState& display, const std::filesystem::path& programDir);

// The work file a list control shows for its flag: list 0 is the grid, 1..5 the odds memos.
// Returns nullptr for an odds memo whose flag is neither "True" nor "false".
const char* WorkFileFor(int list, const std::string& flag);

// The grid rows (UTF-8) from "QvDESo.dat" ("True") or "QvDENo.dat" (any other flag). Throws
// DataError when the file is missing or holds fewer than 18 lines.
Grid LoadRaceCardGrid(const std::filesystem::path& programDir, const std::string& tsort);

// The lines of memo n (1..5) for its flag; empty for a flag other than "True" or "false".
TextLines LoadOddsMemo(const std::filesystem::path& programDir, int memo, const std::string& flag);

}  // namespace orvikel
