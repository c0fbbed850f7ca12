#pragma once
// RefreshRace: rebuilds every work file of the selected race in the fixed order and returns
// what the window shows; and the loaders that read the work files back for the controls.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "domain/hint.hpp"
#include "domain/lists.hpp"
#include "domain/race_files.hpp"
#include "domain/race_snapshot.hpp"
#include "odds/odds_lists.hpp"
#include "platform/text_lines.hpp"
#include "racecard/racecard_table.hpp"
#include "results/vote_texts.hpp"
#include "settings/settings.hpp"
#include "shell/race_header.hpp"

namespace orvikel {

inline constexpr int kGridColumns = 11;
inline constexpr int kGridRows = kHorses;  // one row per horse slot
// A grid row's cells in UTF-8, ready to show: a full-width cell may hold characters that
// CP932 has no form for (ヷ, a lone combining voiced mark).
using GridRow = std::array<std::string, kGridColumns>;
using Grid = OneBased<GridRow, kGridRows>;  // rows 1..18
// The horse number each grid row shows (0: an empty slot), so marks by horse find their row
// in either order of the grid.
using GridHorses = OneBased<int, kGridRows>;

// Everything the main window displays apart from its buttons, as CP932 texts but the grid.
struct DisplayState {
    RaceHeader header;
    OddsDisplay odds;
    Hint gridHint;
    Grid grid;                         // DEGrid rows 1..18, UTF-8
    GridHorses gridHorse;              // the horse of each row of grid
    ByOddsList<TextLines> oddsLines;   // the lines of MemoOdds1..5
    std::vector<std::string> results;  // MemoSeiseki

    DisplayState() { Clear(); }
    // ClearDisplay: boxes and memos emptied, the title text, the caption reset, grid rows
    // 1..18 emptied, every hint switched off (hint texts stay).
    void Clear();
};

// The title text the cleared EditYMDR shows (CP932).
std::string_view TitleText();

// The per-refresh state that outlives a refresh for the trio panel and the vote summary, and
// the refreshed race as numbers.
struct RaceState {
    RaceCardTable table;
    VoteTexts votes;
    RaceSnapshot snapshot;
};

// Runs the refresh steps for the race whose files are given, holding the program folder's
// WriterLock throughout, and returns its snapshot (the one in race). A DataError stops it; the
// display, the work files and the snapshot then keep what the completed steps left (a kind
// whose step did not complete is not present).
const RaceSnapshot& RefreshRace(const RaceFiles& files, const Settings& settings, RaceState& race,
                                DisplayState& display, const std::filesystem::path& programDir);

// The work file a list control shows for its flag. Returns nullptr for an odds list whose
// flag is neither "True" nor "false".
const char* WorkFileFor(OrderList list, const std::string& flag);

// The grid rows (UTF-8) from "QvDESo.dat" ("True") or "QvDENo.dat" (any other flag). Throws
// DataError when the file is missing or holds fewer than 18 lines.
// horses, when given, gets the horse number of each row.
Grid LoadRaceCardGrid(const std::filesystem::path& programDir, const std::string& tsort,
                      GridHorses* horses = nullptr);

// The lines of an odds list's memo for its flag; empty for a flag other than "True" or
// "false".
TextLines LoadOddsMemo(const std::filesystem::path& programDir, OrderList list,
                       const std::string& flag);

}  // namespace orvikel
