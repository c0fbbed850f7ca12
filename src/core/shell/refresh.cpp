#include "shell/refresh.hpp"

#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/encoding.hpp"
#include "platform/file_io.hpp"
#include "platform/folder_lock.hpp"
#include "platform/literals.hpp"
#include "racecard/racecard_file.hpp"
#include "racecard/win_place.hpp"
#include "results/results_text.hpp"
#include "results/vote_summary.hpp"

namespace orvikel {

namespace {

// Byte columns of the grid cells in a race-card work-file line, and whether the cell is shown
// in full width.
struct GridCell {
    int column;
    int width;
    bool fullWidth;
};
constexpr std::array<GridCell, kGridColumns> kGridCells{{
    {.column = 1, .width = 1, .fullWidth = true},
    {.column = 2, .width = 2, .fullWidth = true},
    {.column = 4, .width = 10, .fullWidth = false},
    {.column = 14, .width = 12, .fullWidth = false},
    {.column = 26, .width = 18, .fullWidth = true},
    {.column = 44, .width = 3, .fullWidth = true},
    {.column = 47, .width = 4, .fullWidth = false},
    {.column = 51, .width = 3, .fullWidth = false},
    {.column = 54, .width = 18, .fullWidth = false},
    {.column = 72, .width = 4, .fullWidth = false},
    {.column = 76, .width = 20, .fullWidth = false},
}};

// A row's cells as cut from its line; the full-width ones are converted by the caller, all
// rows in one go.
GridRow GridRowFromLine(std::string_view line) {
    GridRow row;
    for (std::size_t c = 0; c < kGridCells.size(); ++c) {
        row[c] = Cut(line, kGridCells[c].column, kGridCells[c].width);
    }
    // The first two bytes of the win cell carry the state of the horse's odds.
    std::string& win = row[2];
    std::string& place = row[3];
    const std::string marker = win.substr(0, 2);
    if (marker == sort_key::kScratched) {
        win = lit::kWinScratched;
        place = lit::kPlaceScratched;
    } else if (marker == sort_key::kNoOdds) {
        win = std::string(10, ' ');
        place = std::string(12, ' ');
    } else if (marker == sort_key::kBelowOne) {
        win = "  " + Cut(win, 3, 4) + "    ";
    }
    return row;
}

}  // namespace

std::string_view TitleText() {
    return lit::kTitleText;
}

void DisplayState::Clear() {
    header = RaceHeader{};
    header.dateLine = TitleText();
    for (const OrderList list : kOddsLists) {
        odds.caption[list] = Concat({Describe(list).captionWord, lit::kCaptionNoTime});
        odds.hint[list].show = false;
        oddsLines[list].clear();
    }
    gridHint.show = false;
    for (int r = 1; r <= kGridRows; ++r) {
        grid[r].fill(std::string());
        gridHorse[r] = 0;
    }
    results.clear();
}

const char* WorkFileFor(OrderList list, const std::string& flag) {
    const WorkFilePair& files = Describe(list).files;
    if (IsPopularityOrder(flag)) {
        return files.popularity;
    }
    // The grid falls back to number order for any other text; the memos show nothing.
    if (list == OrderList::Grid || IsNumberOrder(flag)) {
        return files.number;
    }
    return nullptr;
}

Grid LoadRaceCardGrid(const std::filesystem::path& programDir, const std::string& tsort,
                      GridHorses* horses) {
    const char* name = WorkFileFor(OrderList::Grid, tsort);
    const TextLines lines = ReadWorkFileLines(programDir, name);
    if (lines.size() < static_cast<std::size_t>(kGridRows)) {
        ThrowAboutPath({}, programDir / name, lit::kTooFewLinesSuffix);
    }
    Grid grid;
    std::vector<std::string*> wide;  // the cells shown in full width, and their bytes
    std::vector<std::string_view> halfWidth;
    for (int i = 1; i <= kGridRows; ++i) {
        GridRow& row = grid[i];
        const std::string_view line = lines[static_cast<std::size_t>(i - 1)];
        row = GridRowFromLine(line);
        if (horses != nullptr) {
            (*horses)[i] = static_cast<int>(ParseInteger(Cut(line, 2, 2)).value_or(0));
        }
        for (std::size_t c = 0; c < kGridCells.size(); ++c) {
            if (kGridCells[c].fullWidth) {
                wide.push_back(&row[c]);
                halfWidth.push_back(row[c]);
            } else {
                row[c] = text::ToUtf8(row[c]);
            }
        }
    }
    // Full width goes straight to UTF-8: its result need not have a CP932 form.
    std::vector<std::string> fullWidth = text::FullWidthUtf8Each(halfWidth);
    for (std::size_t k = 0; k < wide.size(); ++k) {
        *wide[k] = std::move(fullWidth[k]);
    }
    return grid;
}

TextLines LoadOddsMemo(const std::filesystem::path& programDir, OrderList list,
                       const std::string& flag) {
    const char* name = WorkFileFor(list, flag);
    if (name == nullptr) {
        return {};
    }
    return ReadWorkFileLines(programDir, name);
}

const RaceSnapshot& RefreshRace(const RaceFiles& files, const Settings& settings, RaceState& race,
                                DisplayState& display, const std::filesystem::path& programDir) {
    // From the first work file written to the last one loaded back, so the lists shown are
    // the set this refresh wrote, never a mix with another writer's.
    const WriterLock lock(programDir);
    race.table.Reset();
    race.votes.Reset();
    race.snapshot = RaceSnapshot{};
    race.snapshot.race = files.race;
    RaceSnapshot& snapshot = race.snapshot;

    if (files.Has(kRaceCard)) {
        ReadRaceCardFile(files.Name(kRaceCard), race.table);
    }
    if (files.Has(kHorseWeights)) {
        ReadHorseWeightFile(files.Name(kHorseWeights), race.table, settings.MinusSign);
    }
    bool zoCarriesTotals = false;
    std::string zoLine;  // read once: both Zo steps see the same snapshot
    if (files.Has(kWinPlace)) {
        zoCarriesTotals = ReadWinPlaceOdds(files.Name(kWinPlace), race.table, race.votes,
                                           display.gridHint, snapshot, &zoLine);
    }
    BuildRaceCardLists(race.table, programDir, snapshot);

    BuildBracketQuinellaLists(files, zoCarriesTotals, race.votes, display.odds, snapshot,
                              programDir, files.Has(kWinPlace) ? &zoLine : nullptr);
    BuildQuinellaAndWideLists(files, race.table, race.votes, display.odds, snapshot, programDir);
    BuildExactaLists(files, race.table, race.votes, display.odds, snapshot, programDir);
    BuildTrioLists(files, race.table, race.votes, display.odds, snapshot, programDir);

    display.results.clear();
    display.results = ResultsMemo(files);

    BuildVoteSummary(race.votes, programDir);

    display.grid = LoadRaceCardGrid(programDir, settings.sort.Tsort, &display.gridHorse);
    for (const OrderList list : kOddsLists) {
        auto& lines = display.oddsLines[list];
        lines.clear();
        lines = LoadOddsMemo(programDir, list, settings.sort.Of(list));
    }
    return snapshot;
}

}  // namespace orvikel
