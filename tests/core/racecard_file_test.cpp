#include "racecard/racecard_file.hpp"

#include <gtest/gtest.h>

#include "jra_fixture.hpp"
#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/literals.hpp"
#include "racecard/racecard_table.hpp"

namespace orvikel {
namespace {

using testing::JraLine;
using testing::Sj;
using testing::TempDir;
using testing::U8;

// First byte of the race-card record of a slot (48 bytes each from column 94).
int DeColumn(int slot) {
    return 94 + 48 * (slot - 1);
}
// First byte of the horse-weight record of a slot (10 bytes each from column 89).
int UtColumn(int slot) {
    return 89 + 10 * (slot - 1);
}

JraLine DeWithStatus(std::string_view status) {
    JraLine de(957);
    de.At(DeColumn(1), "1 1").At(DeColumn(1) + 3, status);
    return de;
}

JraLine UtRecord(std::string_view status, std::string_view amount, std::string_view code) {
    JraLine ut(268);
    const int u = UtColumn(1);
    ut.At(u, " 1").At(u + 2, status).At(u + 3, "480").At(u + 6, amount).At(u + 8, code);
    return ut;
}

TEST(RaceCardTable, ResetFillsEveryCellWithBlanksOfItsWidth) {
    RaceCardTable table;
    table.cell(3, kHorseName) = "x";
    table.cell(3, kRemark) = lit::kRemarkScratched;
    table.Reset();
    for (int slot = 1; slot <= 18; ++slot) {
        for (int c = 0; c < kRaceCardColumns; ++c) {
            const auto column = static_cast<RaceCardColumn>(c);
            EXPECT_EQ(table.cell(slot, column),
                      std::string(static_cast<std::size_t>(kRaceCardWidths[c]), ' '))
                << "slot " << slot << " column " << c;
        }
        EXPECT_FALSE(table.IsScratched(slot));
    }
}

TEST(RaceCardFile, DecodesEveryFieldOfARecordByByteColumn) {
    TempDir dir;
    JraLine de(957);
    const int b = DeColumn(18);  // the last slot ends at column 957
    de.At(b, "8").At(b + 1, "18").At(b + 3, " ").At(b + 4, "x");
    de.AtU8(b + 5, "アイウエオカキクケ");  // nine double-byte characters fill all 18 bytes
    de.AtU8(b + 23, "騎手名前");
    de.At(b + 41, "10").At(b + 43, "57.5").At(b + 47, "z");
    RaceCardTable table;
    ReadRaceCardFile(dir.Write("De-a.jra", de.str()), table);

    EXPECT_EQ(table.cell(18, kBracket), "8");
    EXPECT_EQ(table.cell(18, kHorseNo), "18");
    EXPECT_EQ(U8(table.cell(18, kHorseName)), "アイウエオカキクケ");
    EXPECT_EQ(table.cell(18, kJockey), Sj("騎手名前") + std::string(10, ' '));
    EXPECT_EQ(table.cell(18, kBurdenWeight), "57.5");
    EXPECT_EQ(U8(table.cell(18, kApprenticeMark)), " ☆");
    EXPECT_EQ(table.cell(18, kRemark), std::string(20, ' '));
    EXPECT_EQ(table.cell(1, kNumberKey), " 1");
    EXPECT_EQ(table.cell(9, kNumberKey), " 9");
    EXPECT_EQ(table.cell(10, kNumberKey), "10");
    EXPECT_EQ(table.cell(18, kNumberKey), "18");
    // an empty slot keeps a blank bracket, which keeps it out of the win lists
    EXPECT_EQ(table.cell(1, kBracket), " ");
}

TEST(RaceCardFile, ApprenticeCodesGiveTheirMarksAndUnknownCodesKeepTheColumn) {
    struct Case {
        std::string_view code;
        std::string_view mark;  // UTF-8
    };
    const Case cases[] = {
        {"10", " ☆"},  {"20", " △"},  {"30", " ▲"},  {"00", " 　"},
        {"  ", " 　"}, {"40", "   "}, {"1 ", "   "}, {"01", "   "},
    };
    TempDir dir;
    for (const auto& c : cases) {
        JraLine de(957);
        de.At(DeColumn(1), "1 1").At(DeColumn(1) + 41, c.code);
        RaceCardTable table;
        ReadRaceCardFile(dir.Write("De-a.jra", de.str()), table);
        EXPECT_EQ(U8(table.cell(1, kApprenticeMark)), c.mark) << "code '" << c.code << "'";
    }
}

TEST(RaceCardFile, RemarkFollowsRaceCardStatusAndTheWeightFileCanOnlyScratch) {
    struct Case {
        std::string_view deStatus;
        std::string_view utStatus;  // empty: no horse-weight file
        std::string_view remark;    // UTF-8
        bool scratched;
    };
    const Case cases[] = {
        {"8", "", "●騎手／負担重量変更", false},  {"9", "", "●出走取消          ", true},
        {" ", "", "                    ", false}, {"1", "", "                    ", false},
        {"8", "9", "●出走取消          ", true},  // the later file wins
        {" ", "9", "●出走取消          ", true},  // scratched in the weight file only
        {"9", " ", "●出走取消          ", true},  // nothing there clears a scratching
        {"8", "1", "●騎手／負担重量変更", false},
    };
    TempDir dir;
    for (const auto& c : cases) {
        RaceCardTable table;
        ReadRaceCardFile(dir.Write("De-a.jra", DeWithStatus(c.deStatus).str()), table);
        if (!c.utStatus.empty()) {
            ReadHorseWeightFile(dir.Write("Ut-a.jra", UtRecord(c.utStatus, " 2", "1").str()), table,
                                std::string(lit::kSignFilled));
        }
        EXPECT_EQ(U8(table.cell(1, kRemark)), c.remark) << c.deStatus << "/" << c.utStatus;
        EXPECT_EQ(table.IsScratched(1), c.scratched) << c.deStatus << "/" << c.utStatus;
    }
}

TEST(HorseWeightFile, ChangeCodesGiveTheirTextsWithTheChosenMinusSign) {
    struct Case {
        std::string_view code;
        std::string_view amount;
        std::string_view minusSign;  // UTF-8
        std::string_view change;     // UTF-8
    };
    const Case cases[] = {
        {"2", " 6", "▲", "▲ 6"},
        {"2", " 6", "－", "－ 6"},
        {"2", " 6", "△", "△ 6"},
        {"2", "12", "▲", "▲12"},
        {"1", " 4", "▲", "＋ 4"},
        {"1", "10", "▲", "＋10"},
        {"3", " 0", "▲", "± 0"},
        {"3", "99", "▲", "± 0"},
        {"7", "  ", "▲", " 初 "},
        {" ", " 6", "▲", "    "},
        // an unknown code keeps what the column held before
        {"5", " 6", "▲", "keep"},
        {"0", " 6", "▲", "keep"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        RaceCardTable table;
        table.cell(1, kWeightChange) = "keep";
        ReadHorseWeightFile(dir.Write("Ut-a.jra", UtRecord(" ", c.amount, c.code).str()), table,
                            Sj(c.minusSign));
        EXPECT_EQ(U8(table.cell(1, kWeightChange)), c.change)
            << "code '" << c.code << "' amount '" << c.amount << "'";
        EXPECT_EQ(table.cell(1, kBodyWeight), "480");
        EXPECT_EQ(table.cell(1, kHorseNo), " 1");
        EXPECT_EQ(table.cell(1, kNumberKey), " 1");
    }
}

TEST(RaceCardFile, AShortLineGivesShorterFieldsThatAreUsedUnchanged) {
    TempDir dir;
    JraLine de(957);
    const int b = DeColumn(1);
    de.At(b, "3 5").At(b + 3, "9").AtU8(b + 5, "アイウエオカキクケ").At(b + 41, "10");
    de.Length(static_cast<std::size_t>(b + 9));  // ends after 5 bytes of the horse name
    RaceCardTable table;
    ReadRaceCardFile(dir.Write("De-a.jra", de.str()), table);

    EXPECT_EQ(table.cell(1, kBracket), "3");
    EXPECT_EQ(table.cell(1, kHorseNo), " 5");
    EXPECT_EQ(table.cell(1, kHorseName), Cut(Sj("アイウエオ"), 1, 5));  // splits a character
    EXPECT_EQ(table.cell(1, kJockey), "");
    EXPECT_EQ(table.cell(1, kBurdenWeight), "");
    EXPECT_EQ(table.cell(1, kApprenticeMark), "   ");  // a missing code matches no code
    EXPECT_TRUE(table.IsScratched(1));
    EXPECT_EQ(table.cell(2, kBracket), "");
    EXPECT_EQ(table.cell(2, kRemark), std::string(20, ' '));

    JraLine ut = UtRecord(" ", " 6", "2");
    ut.Length(static_cast<std::size_t>(UtColumn(1) + 7));  // change code cut off
    table.cell(1, kWeightChange) = "keep";
    ReadHorseWeightFile(dir.Write("Ut-a.jra", ut.str()), table, std::string(lit::kSignFilled));
    EXPECT_EQ(table.cell(1, kWeightChange), "keep");
    EXPECT_EQ(table.cell(1, kBodyWeight), "480");
    EXPECT_EQ(table.cell(2, kBodyWeight), "");
}

TEST(RaceCardFile, AFileWithoutAnyLineOrNoFileAtAllStopsWithADataError) {
    TempDir dir;
    RaceCardTable table;
    const std::string empty = dir.Write("De-a.jra", "");
    EXPECT_THROW(ReadRaceCardFile(empty, table), DataError);
    EXPECT_THROW(
        ReadHorseWeightFile(dir.DirText() + "Ut-missing.jra", table, std::string(lit::kSignFilled)),
        DataError);
}

}  // namespace
}  // namespace orvikel
