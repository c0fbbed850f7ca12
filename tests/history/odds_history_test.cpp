// The figures the history shows: win odds texts, moves, marks and the table over snapshots.
#include <gtest/gtest.h>

#include "jra_fixture.hpp"
#include "odds_history.hpp"
#include "snapshot_fixture.hpp"

namespace orvikel::history::testing {
namespace {

using ::orvikel::testing::U8;

StoredSnapshot Stored(const std::string& time, const std::vector<Horse>& horses) {
    StoredSnapshot s;
    s.oddsTime = time;
    s.snapshot = Snapshot(time, horses);
    return s;
}

// Backed (odds down) and eased (odds up) horses are marked; a horse without a price before or
// now, scratched since, or new in the race is not; the previous odds text is the card's.
TEST(OddsMarks, MarkHorsesWhoseWinOddsFellOrRoseSinceThePreviousSnapshot) {
    const StoredSnapshot before = Stored("15:20", {{1, 35},
                                                   {2, 120},
                                                   {3, 58},
                                                   {4, 0, PriceState::NoOdds},
                                                   {5, 99},
                                                   {6, 70, PriceState::Scratched}});
    const RaceSnapshot now = Snapshot("15:22", {{1, 31},
                                                {2, 145},
                                                {3, 58},
                                                {4, 42},
                                                {5, 0, PriceState::Scratched},
                                                {6, 70, PriceState::Scratched},
                                                {7, 250}});
    const WinMarks marks = MarksSince(now, before);
    struct Case {
        int horse;
        Move move;
        const char* previous;
    } const cases[] = {
        {1, Move::Fell, "3.5"}, {2, Move::Rose, "12.0"}, {3, Move::Same, "5.8"},
        {4, Move::Same, "0.0"}, {5, Move::Same, "9.9"},  {6, Move::Same, "ﾄﾘｹｼ"},
        {7, Move::Same, ""},    {8, Move::Same, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("horse " + std::to_string(c.horse));
        const WinMark& m = marks[static_cast<std::size_t>(c.horse)];
        EXPECT_EQ(m.move, c.move);
        EXPECT_EQ(U8(m.previousText), c.previous);
        EXPECT_EQ(m.previousTime, "15:20");
    }
}

TEST(OddsHistoryTable, OneColumnPerSnapshotWithTheMovesAndTheVoteTotals) {
    std::vector<StoredSnapshot> snapshots = {
        Stored("15:20", {{1, 35}, {3, 80}}),
        Stored("15:22", {{1, 31}, {3, 80}, {2, 0, PriceState::Scratched}}),
        Stored("15:25", {{1, 33}, {3, 75}}),
    };
    snapshots[1].snapshot[BetKind::Trio].votes = 5000;
    const OddsHistory h = BuildOddsHistory(snapshots);
    EXPECT_EQ(h.times, (std::vector<std::string>{"15:20", "15:22", "15:25"}));
    EXPECT_EQ(h.minutes, (std::vector<int>{920, 922, 925}));
    ASSERT_EQ(h.horses, (std::vector<int>{1, 2, 3}));

    const auto row = [&h](std::size_t i) {
        std::string out;
        for (const HistoryCell& c : h.cells[i]) {
            out += U8(c.odds.text) +
                   (c.move == Move::Fell   ? "v"
                    : c.move == Move::Rose ? "^"
                                           : "=") +
                   " ";
        }
        return out;
    };
    EXPECT_EQ(row(0), "3.5= 3.1v 3.3^ ");
    EXPECT_EQ(row(1), "= ﾄﾘｹｼ= = ");
    EXPECT_EQ(row(2), "8.0= 8.0= 7.5v ");

    EXPECT_EQ(h.votes[static_cast<std::size_t>(BetKind::Win)],
              (std::vector<std::optional<std::int64_t>>{100000, 100000, 100000}));
    EXPECT_EQ(h.votes[static_cast<std::size_t>(BetKind::Trio)],
              (std::vector<std::optional<std::int64_t>>{std::nullopt, 5000, std::nullopt}));
}

TEST(OddsHistoryTable, AnUnreadableOddsTimeKeepsItsColumnWithoutAPlaceInTime) {
    const OddsHistory h =
        BuildOddsHistory({Stored(" 9:05", {{1, 20}}), Stored("ab:cd", {{1, 21}})});
    EXPECT_EQ(h.minutes, (std::vector<int>{545, -1}));
    EXPECT_EQ(h.cells.at(0).size(), 2u);
}

}  // namespace
}  // namespace orvikel::history::testing
