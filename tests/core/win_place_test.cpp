#include "racecard/win_place.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "jra_fixture.hpp"
#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"
#include "racecard/racecard_file.hpp"

namespace orvikel {
namespace {

using testing::JraLine;
using testing::Sj;
using testing::TempDir;
using testing::U8;

using Lines = std::vector<std::string>;

const char* const kWorkFiles[] = {"QvDESo.dat", "QvFSo.dat", "QvDENo.dat",
                                  "QvFNo.dat",  "QvTNo.dat", "QvTSo.dat"};

// Lead byte of the win/place record of a slot in the Zo file (18 bytes each from 143).
int ZoColumn(int slot) {
    return 143 + 18 * (slot - 1);
}

void PutZo(JraLine& zo, int slot, std::string_view horseNo, std::string_view win,
           std::string_view lower, std::string_view upper) {
    const int c = ZoColumn(slot);
    zo.At(c + 1, horseNo).At(c + 3, win).At(c + 8, lower).At(c + 13, upper);
}

// Bracket, horse number and status of a race-card record (48 bytes each from 94).
void PutDe(JraLine& de, int slot, std::string_view bracketAndNo, std::string_view status = " ") {
    const int b = 94 + 48 * (slot - 1);
    de.At(b, bracketAndNo).At(b + 3, status);
}

// Converts the UTF-8 expectations of a table to CP932 once.
Lines SjLines(std::initializer_list<std::string_view> utf8) {
    Lines lines;
    for (auto line : utf8) {
        lines.push_back(Sj(line));
    }
    return lines;
}

class RaceCardLists : public ::testing::Test {
  protected:
    // Reads the files the way a refresh does and builds the six work files.
    void Build(bool withDe, bool withZo) {
        table.Reset();
        if (withDe) {
            ReadRaceCardFile(dir.Write("De-a.jra", de.str()), table);
        }
        if (withZo) {
            ReadWinPlaceOdds(dir.Write("Zo-a.jra", zo.str()), table, votes, hint, snapshot);
        }
        BuildRaceCardLists(table, dir.path(), snapshot);
    }
    Lines Work(std::string_view name) const { return testing::ReadLines(dir.path() / name); }

    TempDir dir;
    JraLine de{957};
    JraLine zo{826};  // no totals
    RaceCardTable table;
    VoteTexts votes;
    Hint hint;
    RaceSnapshot snapshot;
};

TEST_F(RaceCardLists, AFullRowBecomesTheNinetySevenByteLineAndItsWinAndPlaceLines) {
    const int b = 94;
    de.At(b, "1 1").AtU8(b + 5, "アイウエオカキクケ").AtU8(b + 23, "騎手名前");
    de.At(b + 41, "10").At(b + 43, "56.0");
    JraLine ut(268);
    ut.At(89, " 1").At(92, "480").At(95, " 4").At(97, "1");
    PutZo(zo, 1, " 1", "  3.4", "  1.2", "  1.5");

    table.Reset();
    ReadRaceCardFile(dir.Write("De-a.jra", de.str()), table);
    ReadHorseWeightFile(dir.Write("Ut-a.jra", ut.str()), table, std::string(lit::kSignFilled));
    ReadWinPlaceOdds(dir.Write("Zo-a.jra", zo.str()), table, votes, hint, snapshot);
    BuildRaceCardLists(table, dir.path(), snapshot);

    const std::string expected = "1" + std::string(" 1") + "   3.4" + "[ 1]" + "   1.2-  1.5" +
                                 Sj("アイウエオカキクケ") + "480" + Sj("＋ 4") + Sj(" ☆") +
                                 Sj("騎手名前") + std::string(10, ' ') + "56.0" +
                                 std::string(20, ' ') + " 1";
    ASSERT_EQ(expected.size(), 97u);
    EXPECT_EQ(Work("QvDESo.dat").at(0), expected);
    EXPECT_EQ(Work("QvDENo.dat").at(0), expected);
    EXPECT_EQ(testing::ReadBytes(dir.path() / "QvTSo.dat"), "1 1   3.4[ 1]\r\n");
    EXPECT_EQ(testing::ReadBytes(dir.path() / "QvTNo.dat"), "1 1   3.4[ 1]\r\n");
    EXPECT_EQ(Work("QvFSo.dat"), Lines{"1 1   1.2-  1.5[ 1]"});
    EXPECT_EQ(Work("QvFNo.dat"), Lines{"1 1   1.2-  1.5[ 1]"});
}

TEST_F(RaceCardLists, RanksMarkersAndListsOfEveryKindOfRunner) {
    PutDe(de, 1, "1 1");
    PutDe(de, 2, "1 2");
    PutDe(de, 3, "2 3", "9");  // scratched on the race card, priced in the odds file
    PutDe(de, 4, "2 4");
    PutDe(de, 5, "3 5");
    PutDe(de, 6, "3 6");
    PutDe(de, 7, "4 7");
    PutZo(zo, 1, " 1", "  5.0", "  1.5", "  2.0");
    PutZo(zo, 2, " 2", "  2.0", "  1.1", "  1.3");
    PutZo(zo, 3, " 3", "  4.0", "  1.2", "  1.6");
    PutZo(zo, 4, " 4", Sj(" ﾄﾘｹｼ"), Sj(" ﾄﾘｹｼ"), Sj(" ﾄﾘｹｼ"));  // scratched by the odds file
    PutZo(zo, 5, " 5", "     ", "  1.4", "  1.9");  // place odds without win odds: no odds
    PutZo(zo, 6, " 6", "  0.5", "  0.8", "  0.9");  // below 1.0
    PutZo(zo, 7, " 7", "  5.0", "  1.5", "  2.0");  // equal to slot 1
    Build(true, true);

    // bytes 1-25 of the race-card line of each slot: horse, win part, rank, place part
    std::map<int, std::string> head{
        {1, "1 1   5.0[ 2]   1.5-  2.0"},     {2, "1 2   2.0[ 1]   1.1-  1.3"},
        {3, Sj("2 3* ﾄﾘｹｼ    **ﾄﾘｹｼ**ﾄﾘｹｼ")}, {4, Sj("2 4* ﾄﾘｹｼ    **ﾄﾘｹｼ**ﾄﾘｹｼ")},
        {5, "3 5******    ************"},     {6, "3 6*# 0.5       0.8-  0.9"},
        {7, "4 7   5.0[ 3]   1.5-  2.0"},
    };
    for (int slot = 8; slot <= 18; ++slot) {
        head[slot] = "   ******    ************";
    }
    const std::vector<int> popularity{2,  1,  7,  3,  4,  6,  8,  9,  10,
                                      11, 12, 13, 14, 15, 16, 17, 18, 5};
    const struct {
        const char* file;
        std::vector<int> order;
    } cards[] = {
        {"QvDESo.dat", popularity},
        {"QvDENo.dat", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
    };
    for (const auto& card : cards) {
        const Lines lines = Work(card.file);
        ASSERT_EQ(lines.size(), 18u) << card.file;
        for (std::size_t p = 0; p < lines.size(); ++p) {
            const int slot = card.order[p];
            SCOPED_TRACE(std::string(card.file) + " slot " + std::to_string(slot));
            EXPECT_EQ(lines[p].size(), 97u);
            EXPECT_EQ(U8(Cut(lines[p], 1, 25)), U8(head[slot]));
            EXPECT_EQ(Cut(lines[p], 76, 20) == lit::kRemarkScratched, slot == 3 || slot == 4);
            EXPECT_EQ(Cut(lines[p], 96, 2), SlotText(slot));
        }
    }
    EXPECT_TRUE(table.IsScratched(4));
    EXPECT_EQ(table.cell(5, kPlaceOdds), std::string(12, ' '));

    EXPECT_EQ(Work("QvTSo.dat"),
              SjLines({"1 2   2.0[ 1]", "1 1   5.0[ 2]", "4 7   5.0[ 3]", "2 3  ﾄﾘｹｼ    ",
                       "2 4  ﾄﾘｹｼ    ", "3 6  ﾄﾘｹｼ    ", "3 5  ﾄﾘｹｼ    "}));
    EXPECT_EQ(Work("QvTNo.dat"),
              SjLines({"1 1   5.0[ 2]", "1 2   2.0[ 1]", "2 3  ﾄﾘｹｼ    ", "2 4  ﾄﾘｹｼ    ",
                       "3 5  ﾄﾘｹｼ    ", "3 6  ﾄﾘｹｼ    ", "4 7   5.0[ 3]"}));
    EXPECT_EQ(Work("QvFSo.dat"),
              SjLines({"1 2   1.1-  1.3[ 1]", "1 1   1.5-  2.0[ 2]", "4 7   1.5-  2.0[ 3]",
                       "3 6      -         ", "2 3  ﾄﾘｹｼ- ﾄﾘｹｼ    ", "2 4  ﾄﾘｹｼ- ﾄﾘｹｼ    "}));
    EXPECT_EQ(Work("QvFNo.dat"),
              SjLines({"1 1   1.5-  2.0[ 2]", "1 2   1.1-  1.3[ 1]", "2 3  ﾄﾘｹｼ- ﾄﾘｹｼ    ",
                       "2 4  ﾄﾘｹｼ- ﾄﾘｹｼ    ", "3 6      -         ", "4 7   1.5-  2.0[ 3]"}));
}

// The snapshot keeps each horse as the win and place lists show it, with the truth about its
// odds: the win list writes "ﾄﾘｹｼ" for every starred row, the snapshot tells a horse without
// odds from a scratched one.
TEST_F(RaceCardLists, TheSnapshotHoldsEachListedHorseWithItsStateOddsAndRank) {
    PutDe(de, 1, "1 1");
    PutDe(de, 2, "1 2");
    PutDe(de, 3, "2 3", "9");  // scratched on the race card, priced in the odds file
    PutDe(de, 4, "2 4");
    PutDe(de, 5, "3 5");
    PutDe(de, 6, "3 6");
    PutDe(de, 7, "4 7");
    PutZo(zo, 1, " 1", "  5.0", "  1.5", "  2.0");
    PutZo(zo, 2, " 2", "  2.0", "  1.1", "  1.3");
    PutZo(zo, 3, " 3", "  4.0", "  1.2", "  1.6");
    PutZo(zo, 4, " 4", Sj(" ﾄﾘｹｼ"), Sj(" ﾄﾘｹｼ"), Sj(" ﾄﾘｹｼ"));  // scratched by the odds file
    PutZo(zo, 5, " 5", "     ", "  1.4", "  1.9");              // no win price: no odds at all
    PutZo(zo, 6, " 6", "  0.5", "  0.8", "  0.9");              // below 1.0
    PutZo(zo, 7, " 7", " 12.3", "  3.4", "  0.5");  // an upper bound below the lower one
    zo.At(45, "15").At(47, "20");
    Build(true, true);

    struct Expected {
        int horse;
        PriceState state;
        std::int64_t odds;
        std::int64_t upper;
        int rank;
    };
    const auto check = [&](BetKind kind, const std::vector<Expected>& expected) {
        const KindSnapshot& taken = snapshot[kind];
        EXPECT_TRUE(taken.present);
        EXPECT_FALSE(taken.votes.has_value());  // an 826-byte file carries no totals
        ASSERT_EQ(taken.entries.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const OddsEntry& entry = taken.entries[i];
            const Expected& e = expected[i];
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(kind)) + " horse " +
                         std::to_string(e.horse));
            EXPECT_EQ(entry.horses, (std::array<int, 3>{e.horse, 0, 0}));
            EXPECT_EQ(entry.state, e.state);
            EXPECT_EQ(entry.odds, e.odds);
            EXPECT_EQ(entry.upper, e.upper);
            EXPECT_EQ(entry.rank, e.rank);
        }
    };
    using enum PriceState;
    check(BetKind::Win, {{1, Priced, 50, 0, 2},
                         {2, Priced, 20, 0, 1},
                         {3, Scratched, 0, 0, 0},
                         {4, Scratched, 0, 0, 0},
                         {5, NoOdds, 0, 0, 0},
                         {6, NoOdds, 0, 0, 0},
                         {7, Priced, 123, 0, 3}});
    // Horse 5 has no place line; horse 7's lower bound ranks it.
    check(BetKind::Place, {{1, Priced, 15, 20, 2},
                           {2, Priced, 11, 13, 1},
                           {3, Scratched, 0, 0, 0},
                           {4, Scratched, 0, 0, 0},
                           {6, NoOdds, 0, 0, 0},
                           {7, Priced, 34, 5, 3}});
    EXPECT_EQ(Work("QvFSo.dat").at(2), "4 7   3.4-  0.5[ 3]");
    EXPECT_EQ(Work("QvTSo.dat").at(2), "4 7  12.3[ 3]");
}

TEST_F(RaceCardLists, WithoutAnOddsFileWinAndPlaceAreAbsentFromTheSnapshot) {
    PutDe(de, 1, "1 1");
    Build(true, false);
    for (const BetKind kind : {BetKind::Win, BetKind::Place}) {
        EXPECT_FALSE(snapshot[kind].present);
        EXPECT_TRUE(snapshot[kind].entries.empty());
        EXPECT_FALSE(snapshot[kind].votes.has_value());
    }
}

TEST_F(RaceCardLists, NumberOrderFollowsTheSlotWhateverTheHorseNumberFieldsSay) {
    PutDe(de, 1, "1 9");
    PutDe(de, 2, "1 3");
    PutZo(zo, 1, " 9", "  2.0", "  1.1", "  1.2");
    PutZo(zo, 2, " 3", "  3.0", "  1.3", "  1.4");
    Build(true, true);
    const Lines byNumber = Work("QvDENo.dat");
    EXPECT_EQ(Cut(byNumber.at(0), 1, 13), "1 9   2.0[ 1]");
    EXPECT_EQ(Cut(byNumber.at(1), 1, 13), "1 3   3.0[ 2]");
    EXPECT_EQ(Work("QvTNo.dat"), (Lines{"1 9   2.0[ 1]", "1 3   3.0[ 2]"}));
}

TEST_F(RaceCardLists, MissingFilesLeaveBlankRowsWithoutRanks) {
    PutDe(de, 1, "1 1");
    PutDe(de, 2, "1 2", "9");
    PutZo(zo, 1, " 1", "  2.0", "  1.1", "  1.2");
    PutZo(zo, 2, " 2", "  3.0", "  1.3", "  1.4");
    const std::string blankRow = "   ******    ************" + std::string(72, ' ');
    const struct {
        const char* name;
        bool withDe;
        bool withZo;
        std::vector<std::pair<const char*, Lines>> files;
    } cases[] = {
        {"no file at all",
         false,
         false,
         {{"QvDESo.dat", Lines(18, blankRow)},
          {"QvDENo.dat", Lines(18, blankRow)},
          {"QvTSo.dat", {}},
          {"QvTNo.dat", {}},
          {"QvFSo.dat", {}},
          {"QvFNo.dat", {}}}},
        // without a race card no slot has a bracket, so the win lists stay empty
        {"no race card", false, true, {{"QvTSo.dat", {}}, {"QvTNo.dat", {}}}},
        {"no odds file",
         true,
         false,
         {{"QvTSo.dat", SjLines({"1 2  ﾄﾘｹｼ    ", "1 1  ﾄﾘｹｼ    "})},
          {"QvTNo.dat", SjLines({"1 1  ﾄﾘｹｼ    ", "1 2  ﾄﾘｹｼ    "})},
          {"QvFSo.dat", SjLines({"1 2  ﾄﾘｹｼ- ﾄﾘｹｼ    "})},
          {"QvFNo.dat", SjLines({"1 2  ﾄﾘｹｼ- ﾄﾘｹｼ    "})}}},
    };
    for (const auto& c : cases) {
        Build(c.withDe, c.withZo);
        for (const auto& [file, lines] : c.files) {
            EXPECT_EQ(Work(file), lines) << c.name << ": " << file;
        }
    }
    // the odds alone still rank the horses
    Build(false, true);
    EXPECT_EQ(Cut(Work("QvDESo.dat").at(0), 1, 13), "  1   2.0[ 1]");
}

TEST_F(RaceCardLists, BlankLowerPlaceOddsBesideAWinPriceMeanNoPlaceOdds) {
    PutDe(de, 1, "1 1");
    PutDe(de, 2, "2 2");
    PutZo(zo, 1, " 1", "  3.0", "     ", "  1.5");
    PutZo(zo, 2, " 2", "  4.0", "  1.2", "  1.4");
    ASSERT_NO_THROW(Build(true, true));
    EXPECT_EQ(Work("QvTSo.dat"), (Lines{"1 1   3.0[ 1]", "2 2   4.0[ 2]"}));
    EXPECT_EQ(Work("QvFSo.dat"), Lines{"2 2   1.2-  1.4[ 1]"});
    EXPECT_EQ(Work("QvFNo.dat"), Lines{"2 2   1.2-  1.4[ 1]"});
}

TEST_F(RaceCardLists, AnOddsFieldThatIsNotANumberStopsAndKeepsTheOldWorkFiles) {
    const struct {
        std::string_view win, lower;
        std::string_view field;  // UTF-8, the Zo columns of slot 2
        std::size_t length;      // of the Zo line; 0 keeps it whole
    } cases[] = {
        {"  3.x", "  1.2", "単勝オッズ (164-168)", 0},
        {"  3,0", "  1.2", "単勝オッズ (164-168)", 0},
        {"  3.0", "  1,2", "複勝オッズ下限 (169-173)", 0},
        {"  3.0", "1.2.3", "複勝オッズ下限 (169-173)", 0},
        {"  3.0", "  1.2", "単勝オッズ (164-168)", 165},  // win field cut short
    };
    for (const auto& c : cases) {
        for (const char* name : kWorkFiles) {
            WriteWorkFile(dir.path(), name, {"old"});
        }
        zo = JraLine(826);
        PutZo(zo, 1, " 1", "  2.0", "  1.1", "  1.2");
        PutZo(zo, 2, " 2", c.win, c.lower, "  1.9");
        if (c.length != 0) {
            zo.Length(c.length);
        }
        const std::string path = dir.Write("Zo-a.jra", zo.str());
        try {
            Build(false, true);
            ADD_FAILURE() << "no error for " << c.win << "/" << c.lower;
        } catch (const DataError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(path), std::string::npos) << U8(message);
            EXPECT_NE(message.find(Sj(c.field)), std::string::npos) << U8(message);
        }
        for (const char* name : kWorkFiles) {
            EXPECT_EQ(Work(name), Lines{"old"}) << name;
        }
    }
}

TEST(WinPlaceOdds, FillsTheOddsColumnsAndIgnoresPlaceOddsWithoutAWinPrice) {
    TempDir dir;
    JraLine zo(826);
    PutZo(zo, 3, " 3", " 12.5", "  2.1", "  3.4");
    PutZo(zo, 4, " 4", "     ", "  1.4", "  1.9");
    RaceCardTable table;
    VoteTexts votes;
    Hint hint;
    RaceSnapshot snapshot;
    ReadWinPlaceOdds(dir.Write("Zo-a.jra", zo.str()), table, votes, hint, snapshot);
    EXPECT_EQ(table.cell(3, kNumberKey), " 3");
    EXPECT_EQ(table.cell(3, kHorseNo), " 3");
    EXPECT_EQ(table.cell(3, kWinOdds), "  12.5    ");
    EXPECT_EQ(table.cell(3, kPlaceOdds), "   2.1-  3.4");
    EXPECT_EQ(table.cell(4, kWinOdds), std::string(10, ' '));
    EXPECT_EQ(table.cell(4, kPlaceOdds), std::string(12, ' '));
}

TEST(WinPlaceOdds, TotalsAndTheGridHintNeedAFileLargerThan850Bytes) {
    JraLine first(826);
    first.At(827, "   12345678").At(838, "    9876543");
    const struct {
        const char* name;
        std::string bytes;
        bool carries;
        std::string winTotal, placeTotal;                  // the 11-byte fields as read
        std::optional<std::int64_t> winVotes, placeVotes;  // the snapshot's totals
    } cases[] = {
        {"850 bytes", JraLine(first).Length(850).str(), false, "", "", {}, {}},
        {"851 bytes", JraLine(first).Length(851).str(), true, "   12345678", "    9876543",
         12345678, 9876543},
        // the size is the whole file's, even when line 1 ends before the totals
        {"short line 1 in a large file",
         std::string(826, ' ') + "\r\n" + std::string(30, 'x'),
         true,
         "",
         "",
         {},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.Write("Zo-a.jra", c.bytes);
        RaceCardTable table;
        VoteTexts votes;
        Hint hint{true, "earlier"};
        RaceSnapshot snapshot;
        EXPECT_EQ(ReadWinPlaceOdds(path, table, votes, hint, snapshot), c.carries);
        EXPECT_EQ(hint.show, c.carries);
        EXPECT_TRUE(snapshot[BetKind::Win].present);
        EXPECT_EQ(snapshot[BetKind::Win].votes, c.winVotes);
        EXPECT_EQ(snapshot[BetKind::Place].votes, c.placeVotes);
        if (!c.carries) {
            EXPECT_EQ(hint.text, "earlier");
            EXPECT_FALSE(votes.HasTotal(BetKind::Win));
            EXPECT_FALSE(votes.HasTotal(BetKind::Place));
            continue;
        }
        const std::string win = std::string(lit::kTotalWin) + c.winTotal;
        const std::string place = std::string(lit::kTotalPlace) + c.placeTotal;
        EXPECT_EQ(votes.TotalText[BetKind::Win], win);
        EXPECT_EQ(votes.TotalText[BetKind::Place], place);
        EXPECT_EQ(votes.TotalSource[BetKind::Win], path);
        EXPECT_EQ(votes.TotalSource[BetKind::Place], path);
        EXPECT_EQ(hint.text, win + "\r\n" + place);
        EXPECT_FALSE(votes.HasTotal(BetKind::BracketQuinella));
    }
}

}  // namespace
}  // namespace orvikel
