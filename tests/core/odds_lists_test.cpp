// The lines of the odds lists: widths per state, rank labels, popularity and number order.
#include <cstdio>
#include <string>
#include <vector>

#include "odds_fixture.hpp"

namespace orvikel::testing {
namespace {

using Lines_ = std::vector<std::string>;

TEST_F(OddsListsTest, TrioListsInBothOrdersByteForByte) {
    // The records lie in the file in an order of their own: the lists sort them.
    Put(kTrioKind,
        {{2, 3, 4, "  ﾄﾘｹｼ"}, {1, 3, 4, "  30.1"}, {1, 2, 4, "  12.0"}, {1, 2, 3, "   5.6"}});
    Run(kTrioKind);

    EXPECT_EQ(Lines("QvYOSo.dat"), (Lines_{" 1- 2- 3    5.6 [  1]", " 1- 2- 4   12.0 [  2]",
                                           " 1- 3- 4   30.1 [  3]", " 2- 3- 4   ﾄﾘｹｼ     "}));
    EXPECT_EQ(Bytes("QvYONo.dat"), Sj(" 1- 2- 3    5.6 [  1]\r\n"
                                      " 1- 2- 4   12.0 [  2]\r\n"
                                      "  -------------------\r\n"
                                      " 1- 3- 4   30.1 [  3]\r\n"
                                      "#--------------------\r\n"
                                      " 2- 3- 4   ﾄﾘｹｼ     \r\n"));
}

TEST_F(OddsListsTest, EachKindShowsItsRankedUnrankedAndCancelledLine) {
    struct Case {
        const OddsKind* kind;
        std::string odds;
        std::string upper;  // wide only
        std::string line;
    };
    const Case cases[] = {
        {&kBracketKind, "  5.6", "", "1-2   5.6[ 1]"},
        {&kBracketKind, "  0.5", "", "1-2   0.5    "},
        {&kBracketKind, " ﾄﾘｹｼ", "", "1-2  ﾄﾘｹｼ    "},
        {&kQuinellaKind, "   5.6", "", " 1- 2    5.6 [  1]"},
        {&kQuinellaKind, "   0.0", "", " 1- 2    0.0     "},
        {&kQuinellaKind, "  ﾄﾘｹｼ", "", " 1- 2   ﾄﾘｹｼ     "},
        {&kQuinellaKind, "1234.5", "", " 1- 2 1234.5 [  1]"},
        {&kWideKind, "   2.1", "   3.4", " 1- 2    2.1-   3.4 [  1]"},
        {&kWideKind, "   0.0", "   1.2", " 1- 2    0.0-   1.2     "},
        {&kWideKind, "  ﾄﾘｹｼ", "  ﾄﾘｹｼ", " 1- 2   ﾄﾘｹｼ-  ﾄﾘｹｼ     "},
        {&kExactaKind, "   5.6", "", " 1- 2    5.6 [  1]"},
        {&kExactaKind, "   0.0", "", " 1- 2    0.0     "},
        {&kExactaKind, "  ﾄﾘｹｼ", "", " 1- 2   ﾄﾘｹｼ     "},
        {&kTrioKind, "   5.6", "", " 1- 2- 3    5.6 [  1]"},
        {&kTrioKind, "   0.0", "", " 1- 2- 3    0.0     "},
        {&kTrioKind, "  ﾄﾘｹｼ", "", " 1- 2- 3   ﾄﾘｹｼ     "},
    };
    for (const Case& c : cases) {
        Put(*c.kind, {{1, 2, 3, c.odds, c.upper}});
        Run(*c.kind);
        EXPECT_EQ(Lines(c.kind->popularityFile), Lines_{c.line}) << c.kind->name << c.odds;
        EXPECT_EQ(Lines(c.kind->numberFile), Lines_{c.line}) << c.kind->name << c.odds;
    }
}

// n ranked records in combination order with the odds 1.0, 2.0, ..., written to the file in
// reverse order.
std::vector<Rec> RankedRecords(const OddsKind& kind, int n) {
    const int last = kind.layout.horses == 0 ? 8 : 18;
    const bool withItself = kind.layout.horses == 0;  // bracket 1 with bracket 1
    std::vector<Rec> recs;
    for (int a = 1; a <= last; ++a) {
        for (int b = withItself ? a : a + 1; b <= last; ++b) {
            if (static_cast<int>(recs.size()) == n) {
                break;
            }
            char value[16];
            std::snprintf(value, sizeof value, "%d.0", static_cast<int>(recs.size()) + 1);
            recs.push_back({a, b, 18, Odds(kind, value)});
        }
    }
    return {recs.rbegin(), recs.rend()};
}

TEST_F(OddsListsTest, RankLabelsKeepTheirWidth) {
    struct Case {
        const OddsKind* kind;
        int rank;
        std::string line;
    };
    const Case cases[] = {
        {&kQuinellaKind, 9, " 1-10    9.0 [  9]"},   {&kQuinellaKind, 10, " 1-11   10.0 [ 10]"},
        {&kQuinellaKind, 100, " 8-10  100.0 [100]"}, {&kBracketKind, 9, "2-2   9.0[ 9]"},
        {&kBracketKind, 10, "2-3  10.0[10]"},
    };
    for (const Case& c : cases) {
        Put(*c.kind, RankedRecords(*c.kind, 100));
        Run(*c.kind);
        const auto lines = Lines(c.kind->popularityFile);
        ASSERT_GE(lines.size(), static_cast<std::size_t>(c.rank)) << c.kind->name;
        EXPECT_EQ(lines[static_cast<std::size_t>(c.rank - 1)], c.line) << c.kind->name;
    }
}

// The combinations of a list's lines (a separator stays as it is).
Lines_ Combinations(const OddsKind& kind, const Lines_& lines) {
    const int width = kind.layout.combinationWidth - (kind.layout.horses == 0 ? 1 : 0);
    Lines_ out;
    for (const std::string& line : lines) {
        const bool separator = line.find("---") != std::string::npos;
        out.push_back(separator ? line : Cut(line, 1, width));
    }
    return out;
}

TEST_F(OddsListsTest, PopularityOrderRanksEqualOddsByCombinationThenPlacesTheRest) {
    for (const OddsKind* kind :
         {&kBracketKind, &kQuinellaKind, &kWideKind, &kExactaKind, &kTrioKind}) {
        const std::string cancelled = Cancelled(*kind);
        Put(*kind, {{3, 4, 8, Odds(*kind, "12.0")},
                    {2, 5, 8, cancelled},
                    {1, 4, 8, Odds(*kind, "0.5")},
                    {2, 3, 8, Odds(*kind, "5.6")},
                    {1, 5, 8, Odds(*kind, "0.0")},
                    {1, 3, 8, cancelled},
                    {1, 2, 8, Odds(*kind, "5.6")}});
        Run(*kind);
        const auto lines = Lines(kind->popularityFile);
        const Lines_ ranked{Shown(*kind, 1, 2, 8), Shown(*kind, 2, 3, 8), Shown(*kind, 3, 4, 8)};
        const Lines_ unranked{Shown(*kind, 1, 5, 8), Shown(*kind, 1, 4, 8)};  // by odds first
        const Lines_ cancels{Shown(*kind, 1, 3, 8), Shown(*kind, 2, 5, 8)};
        Lines_ expected = ranked;
        // Brackets list the unranked entries before the cancelled ones, the others after.
        const bool bracket = kind->layout.horses == 0;
        for (const Lines_* group :
             {bracket ? &unranked : &cancels, bracket ? &cancels : &unranked}) {
            expected.insert(expected.end(), group->begin(), group->end());
        }
        EXPECT_EQ(Combinations(*kind, lines), expected) << kind->name;
        ASSERT_EQ(lines.size(), 7U) << kind->name;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string rank = std::to_string(i + 1);
            const std::string label = bracket ? "[ " + rank + "]" : "[  " + rank + "]";
            if (i < 3) {
                EXPECT_TRUE(lines[i].ends_with(label)) << lines[i];
            } else {
                EXPECT_EQ(lines[i].find('['), std::string::npos) << lines[i];
            }
        }
    }
}

TEST_F(OddsListsTest, AScratchedHorseCancelsEveryCombinationWithIt) {
    struct Case {
        const OddsKind* kind;
        int scratched;
        bool cancels;  // the record " 1- 2(- 3)"
    };
    const Case cases[] = {
        {&kQuinellaKind, 1, true}, {&kQuinellaKind, 2, true}, {&kQuinellaKind, 3, false},
        {&kWideKind, 2, true},     {&kExactaKind, 1, true},   {&kExactaKind, 2, true},
        {&kTrioKind, 1, true},     {&kTrioKind, 2, true},     {&kTrioKind, 3, true},
        {&kTrioKind, 7, false},
    };
    for (const Case& c : cases) {
        table.Reset();
        Scratch(c.scratched);
        Put(*c.kind, {{1, 2, 3, "   5.6"}, {4, 5, 6, "   8.0"}});
        Run(*c.kind);
        const std::string comb = Comb(*c.kind, 1, 2, 3);
        const std::string gone = comb + " " + (c.kind->wide ? "  ﾄﾘｹｼ-  ﾄﾘｹｼ     " : "  ﾄﾘｹｼ     ");
        const auto lines = Lines(c.kind->popularityFile);
        ASSERT_EQ(lines.size(), 2U);
        if (c.cancels) {
            EXPECT_EQ(lines[1], gone) << c.kind->name << c.scratched;
            EXPECT_TRUE(lines[0].ends_with("[  1]")) << lines[0];
        } else {
            EXPECT_TRUE(lines[0].starts_with(comb) && lines[0].ends_with("[  1]")) << lines[0];
        }
    }
}

TEST_F(OddsListsTest, NumberOrderSeparatesGroupsOfTheFirstNumber) {
    const std::string dashes13(13, '-');
    const std::string dashes18(18, '-');
    const std::string dashes25(25, '-');
    const std::string first = "#" + std::string(20, '-');
    const std::string second = "  " + std::string(19, '-');
    struct Case {
        const OddsKind* kind;
        std::vector<Rec> recs;
        Lines_ expected;  // combinations and separators
    };
    const Case cases[] = {
        {&kBracketKind,
         {{3, 8, 0, "  7.0"}, {1, 2, 0, "  2.0"}, {2, 2, 0, " ﾄﾘｹｼ"}, {1, 1, 0, "  0.0"}},
         {"1-1", "1-2", dashes13, "2-2", dashes13, "3-8"}},
        {&kQuinellaKind,
         {{10, 12, 0, "   2.0"}, {2, 3, 0, "   0.1"}, {1, 3, 0, "  ﾄﾘｹｼ"}, {1, 2, 0, "   9.0"}},
         {" 1- 2", " 1- 3", dashes18, " 2- 3", dashes18, "10-12"}},
        {&kWideKind, {{2, 3, 0, "   2.0"}, {1, 2, 0, "   3.0"}}, {" 1- 2", dashes25, " 2- 3"}},
        {&kExactaKind, {{2, 1, 0, "   2.0"}, {1, 2, 0, "   3.0"}}, {" 1- 2", dashes18, " 2- 1"}},
        {&kTrioKind,
         {{10, 11, 12, "   1.5"},
          {2, 5, 6, "   2.0"},
          {2, 4, 6, "  ﾄﾘｹｼ"},
          {2, 4, 5, "   3.0"},
          {1, 3, 4, "   0.2"},
          {1, 2, 4, "   4.0"},
          {1, 2, 3, "   5.0"}},
         {" 1- 2- 3", " 1- 2- 4", second, " 1- 3- 4", first, " 2- 4- 5", " 2- 4- 6", second,
          " 2- 5- 6", first, "10-11-12"}},
    };
    for (const Case& c : cases) {
        Put(*c.kind, c.recs);
        Run(*c.kind);
        EXPECT_EQ(Combinations(*c.kind, Lines(c.kind->numberFile)), c.expected) << c.kind->name;
    }
}

TEST_F(OddsListsTest, WideBoundsAreJudgedTogether) {
    Put(kQuinella,
        OddsLine(kQuinellaKind,
                 {{1, 2, 0, "   5.6"}, {2, 3, 0, "   4.0"}, {1, 3, 0, ""}, {2, 4, 0, ""}})
                .At(kWideLayout.oddsColumn + 1 * 25, Sj("  ﾄﾘｹｼ"))
                .At(kWideLayout.upperColumn + 1 * 25, Sj("  ﾄﾘｹｼ"))
                .At(kWideLayout.oddsColumn + 2 * 25, "   2.0")
                .At(kWideLayout.upperColumn + 2 * 25, "   3.0")
                .At(kWideLayout.oddsColumn + 3 * 25, "   0.5")
                .At(kWideLayout.upperColumn + 3 * 25, "   1.5")
                .str() +
            "\r\n");
    Run(kQuinella);
    EXPECT_EQ(Lines("QvUOSo.dat"), (Lines_{" 2- 3    4.0 [  1]", " 1- 2    5.6 [  2]"}));
    EXPECT_EQ(Lines("QvKOSo.dat"), (Lines_{" 1- 3    2.0-   3.0 [  1]", " 2- 3   ﾄﾘｹｼ-  ﾄﾘｹｼ     ",
                                           " 2- 4    0.5-   1.5     "}));
}

}  // namespace
}  // namespace orvikel::testing
