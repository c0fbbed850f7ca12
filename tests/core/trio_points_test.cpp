#include "trio/trio_points.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "jra_fixture.hpp"
#include "platform/bytes.hpp"
#include "platform/file_io.hpp"

namespace orvikel {
namespace {

using testing::Sj;
using testing::TempDir;
using testing::U8;

TEST(CombinedOddsTenths, IsOneOverTheSumOfInversesCutToOneDecimal) {
    struct Case {
        const char* what;
        std::vector<std::int64_t> odds;
        std::int64_t expected;
    };
    // 1 / (1/2.0 + 1/3.0 + 1/7.0 + 1/42.0) is exactly 1.0; 1/(1/3.9 + 1/4.0) = 1.97...
    std::vector<std::int64_t> telescoping;  // Σ 1/(100·i(i+1)) = 1/101 exactly
    for (std::int64_t i = 1; i <= 100; ++i) {
        telescoping.push_back(100 * i * (i + 1));
    }
    std::vector<std::int64_t> justAbove = telescoping;
    justAbove.push_back(4'000'000'000);
    const Case cases[] = {
        {"no odds", {}, 0},
        {"one line pays its own odds", {57}, 57},
        {"2.0 and 2.0", {20, 20}, 10},
        {"3.0, 6.0 and 6.0", {30, 60, 60}, 15},
        {"2.0 and 3.0 exactly", {20, 30}, 12},
        {"cut, not rounded: 1.97 gives 1.9", {39, 40}, 19},
        {"a sum of exactly one", {20, 30, 70, 420}, 10},
        // floating point lands just below these exact tenths and would cut to 1.0 and 3.8
        {"3.3 three times is 1.1", {33, 33, 33}, 11},
        {"7.8 twice is 3.9", {78, 78}, 39},
        {"a set paying below 1.0 gives 0.0", {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, 0},
        {"100 distinct odds with an exact answer", telescoping, 101},
        {"the same and a far outsider: just below 10.1", justAbove, 100},
        {"816 lines at 9999.9", std::vector<std::int64_t>(816, 99999), 122},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CombinedOddsTenths(c.odds), c.expected) << c.what;
        // the order of the lines never matters
        std::vector<std::int64_t> reversed(c.odds.rbegin(), c.odds.rend());
        EXPECT_EQ(CombinedOddsTenths(reversed), c.expected) << c.what;
    }
}

TEST(CombinedOddsTenths, RefusesOddsNoFileCanHold) {
    for (const std::vector<std::int64_t>& odds :
         {std::vector<std::int64_t>{20, 0}, {-5}, {20, 4'294'967'296}}) {
        EXPECT_THROW(CombinedOddsTenths(odds), std::invalid_argument);
    }
}

OddsEntry Trio(int a, int b, int c, std::int64_t odds, PriceState state = PriceState::Priced,
               int rank = 0) {
    return OddsEntry{{a, b, c}, state == PriceState::Priced ? odds : 0, 0, state, rank};
}

TEST(CountTrioPoints, CountsRankedLinesAndExcludesTheRest) {
    struct Case {
        const char* what;
        std::vector<OddsEntry> set;
        TrioPoints expected;
        std::vector<const char*> lines;
    };
    const Case cases[] = {
        {"empty extraction", {}, {0, 0, 0}, {"点数 0", "合成オッズ ---"}},
        {"two at 2.0",
         {Trio(1, 2, 3, 20), Trio(1, 2, 4, 20)},
         {2, 0, 10},
         {"点数 2", "合成オッズ 1.0"}},
        {"a cancelled line is left out and counted",
         {Trio(1, 2, 3, 30), Trio(1, 2, 4, 0, PriceState::Cancelled), Trio(1, 3, 4, 60),
          Trio(2, 3, 4, 60)},
         {3, 1, 15},
         {"点数 3", "合成オッズ 1.5", "(1点除く)"}},
        {"scratched and below 1.0 are left out as well",
         {Trio(1, 2, 3, 0, PriceState::Scratched), Trio(1, 2, 4, 0, PriceState::NoOdds),
          Trio(1, 3, 4, 0, PriceState::Cancelled), Trio(2, 3, 4, 39), Trio(2, 3, 5, 40)},
         {2, 3, 19},
         {"点数 2", "合成オッズ 1.9", "(3点除く)"}},
        {"nothing ranked",
         {Trio(1, 2, 3, 0, PriceState::NoOdds)},
         {0, 1, 0},
         {"点数 0", "合成オッズ ---", "(1点除く)"}},
    };
    for (const auto& c : cases) {
        const TrioPoints points = CountTrioPoints(c.set);
        EXPECT_EQ(points.points, c.expected.points) << c.what;
        EXPECT_EQ(points.excluded, c.expected.excluded) << c.what;
        EXPECT_EQ(points.combinedTenths, c.expected.combinedTenths) << c.what;
        std::vector<std::string> lines;
        for (const auto& line : TrioPointsLines(points)) {
            lines.push_back(U8(line));
        }
        EXPECT_EQ(lines, std::vector<std::string>(c.lines.begin(), c.lines.end())) << c.what;
        EXPECT_EQ(CombinedOddsText(points), points.points > 0 ? lines[1].substr(16) : "") << c.what;
    }
}

// The ten trios of horses 1 to 5, ranked by their odds; 2-4-5 is cancelled. The work lists
// hold the same lines, so the set of the snapshot can be compared with the extraction.
KindSnapshot FiveHorseTrios() {
    KindSnapshot trio;
    trio.present = true;
    trio.entries = {
        Trio(1, 2, 3, 56, PriceState::Priced, 1),  Trio(1, 2, 4, 120, PriceState::Priced, 3),
        Trio(1, 2, 5, 402, PriceState::Priced, 6), Trio(1, 3, 4, 301, PriceState::Priced, 5),
        Trio(1, 3, 5, 880, PriceState::Priced, 9), Trio(1, 4, 5, 615, PriceState::Priced, 8),
        Trio(2, 3, 4, 99, PriceState::Priced, 2),  Trio(2, 3, 5, 523, PriceState::Priced, 7),
        Trio(2, 4, 5, 0, PriceState::Cancelled),   Trio(3, 4, 5, 247, PriceState::Priced, 4)};
    return trio;
}

std::string TrioLine(const OddsEntry& entry) {
    std::string line;
    for (int i = 0; i < 3; ++i) {
        line += (i > 0 ? "-" : "") + SlotText(entry.horses[static_cast<std::size_t>(i)]);
    }
    if (entry.state != PriceState::Priced) {
        return line + " " + Sj("  ﾄﾘｹｼ     ");
    }
    std::string odds = TenthsText(entry.odds);
    odds.insert(0, 6 - odds.size(), ' ');
    std::string rank = std::to_string(entry.rank);
    rank.insert(0, 3 - rank.size(), ' ');
    return line + " " + odds + " [" + rank + "]";
}

std::string Combination(std::string_view line) {
    return std::string(line.substr(0, 8));
}

TEST(TrioSetEntries, HoldsExactlyTheCombinationsTheExtractionShows) {
    const KindSnapshot trio = FiveHorseTrios();
    TempDir dir;
    std::vector<OddsEntry> popular = trio.entries;
    std::stable_sort(popular.begin(), popular.end(), [](const OddsEntry& a, const OddsEntry& b) {
        return (a.rank == 0 ? 1000 : a.rank) < (b.rank == 0 ? 1000 : b.rank);
    });
    std::vector<std::string> popularLines;
    std::vector<std::string> numberLines;
    for (const auto& entry : popular) {
        popularLines.push_back(TrioLine(entry));
    }
    for (const auto& entry : trio.entries) {
        numberLines.push_back(TrioLine(entry));
    }
    WriteWorkFile(dir.path(), "QvYOSo.dat", popularLines);
    WriteWorkFile(dir.path(), "QvYONo.dat", GroupTrioLines(numberLines));

    struct Case {
        const char* what;
        BoxWheelMode mode;
        std::vector<int> clicks;
        std::vector<std::string> combinations;  // in combination order
    };
    const Case cases[] = {
        {"BOX of two extracts nothing", BoxWheelMode::Box, {1, 2}, {}},
        {"BOX of three", BoxWheelMode::Box, {3, 1, 2}, {" 1- 2- 3"}},
        {"BOX of four with a cancelled-free set",
         BoxWheelMode::Box,
         {1, 2, 3, 4},
         {" 1- 2- 3", " 1- 2- 4", " 1- 3- 4", " 2- 3- 4"}},
        {"BOX unticked from four to three", BoxWheelMode::Box, {2, 4, 5, 3, 3}, {" 2- 4- 5"}},
        {"wheel of one axis",
         BoxWheelMode::Wheel,
         {4},
         {" 1- 2- 4", " 1- 3- 4", " 1- 4- 5", " 2- 3- 4", " 2- 4- 5", " 3- 4- 5"}},
        {"wheel of two axes", BoxWheelMode::Wheel, {5, 2}, {" 1- 2- 5", " 2- 3- 5", " 2- 4- 5"}},
        {"wheel back to one axis",
         BoxWheelMode::Wheel,
         {5, 2, 5},
         {" 1- 2- 3", " 1- 2- 4", " 1- 2- 5", " 2- 3- 4", " 2- 3- 5", " 2- 4- 5"}},
        {"wheel emptied", BoxWheelMode::Wheel, {5, 5}, {}},
    };
    for (const auto& c : cases) {
        TrioSelector selector;
        selector.Open(c.mode);
        for (int horse : c.clicks) {
            selector.Click(horse, dir.path());
        }
        std::vector<std::string> fromSnapshot;
        for (const auto& entry : TrioSetEntries(trio, selector)) {
            fromSnapshot.push_back(Combination(TrioLine(entry)));
        }
        EXPECT_EQ(fromSnapshot, c.combinations) << c.what;
        std::vector<std::string> shown;
        for (const auto& line : selector.LoadList(dir.path(), "false")) {
            if (line.rfind("#", 0) != 0 && line.rfind("  -", 0) != 0) {
                shown.push_back(Combination(line));
            }
        }
        EXPECT_EQ(shown, c.combinations) << c.what;
    }
}

TEST(TrioSetEntries, BoxOfFiveCountsTheCancelledLineAsExcluded) {
    const KindSnapshot trio = FiveHorseTrios();
    TempDir dir;
    WriteWorkFile(dir.path(), "QvYOSo.dat", {});
    WriteWorkFile(dir.path(), "QvYONo.dat", {});
    TrioSelector selector;
    selector.Open(BoxWheelMode::Box);
    for (int horse : {1, 2, 3, 4, 5}) {
        selector.Click(horse, dir.path());
    }
    const TrioPoints points = CountTrioPoints(TrioSetEntries(trio, selector));
    EXPECT_EQ(points.points, 9);
    EXPECT_EQ(points.excluded, 1);
    // 1 / (1/5.6 + 1/12.0 + 1/40.2 + 1/30.1 + 1/88.0 + 1/61.5 + 1/9.9 + 1/52.3 + 1/24.7) = 1.967
    EXPECT_EQ(points.combinedTenths, 19);
}

}  // namespace
}  // namespace orvikel
