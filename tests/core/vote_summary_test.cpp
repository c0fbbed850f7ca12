#include "results/vote_summary.hpp"

#include <gtest/gtest.h>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "platform/literals.hpp"

namespace orvikel {
namespace {

using testing::TempDir;
using testing::U8;

const char* const kSeparator = "--------------:-------------+----+-----------";

std::string Label(BetKind kind) {
    static constexpr std::array<std::string_view, kBetKindCount> labels = {
        lit::kTotalWin,  lit::kTotalPlace,  lit::kTotalBracket, lit::kTotalQuinella,
        lit::kTotalWide, lit::kTotalExacta, lit::kTotalTrio};
    return std::string(labels[static_cast<std::size_t>(kind)]);
}

std::string SourceOf(BetKind kind) {
    return "/kel/" + std::string(kind <= BetKind::BracketQuinella ? "Zo" : "Uo") + "-file" +
           std::to_string(static_cast<int>(kind)) + ".jra";
}

// Sets a kind's total as the odds steps do: label, the total field, its time and its file.
void SetTotal(VoteTexts& votes, BetKind kind, const std::string& field,
              const std::string& minute = "35") {
    votes.TotalText[kind] = Label(kind) + field;
    votes.TimeCaption[kind] = MakeTimeCaption("14", minute);
    votes.TotalSource[kind] = SourceOf(kind);
}

std::string Field(long long value) {
    std::string text = std::to_string(value);
    return std::string(text.size() < 11 ? 11 - text.size() : 0, ' ') + text;
}

std::vector<std::string> ToU8(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        out.push_back(U8(line));
    }
    return out;
}

TEST(TimeCaption, WrapsHourAndMinute) {
    EXPECT_EQ(U8(MakeTimeCaption("09", "05")), "[09:05現在]");
    EXPECT_EQ(MakeTimeCaption("09", "05").size(), 11u);
}

TEST(VoteSummary, WritesKindLinesSeparatorAndGrandTotal) {
    VoteTexts votes;
    SetTotal(votes, BetKind::Win, Field(75), "31");
    SetTotal(votes, BetKind::Trio, Field(925), "33");
    TempDir dir;
    BuildVoteSummary(votes, dir.path());
    EXPECT_EQ(U8(testing::ReadBytes(dir.path() / "QvHyou.dat")),
              "単勝発売票数　:         75票 ( 8) [14:31現在]\r\n"
              "３連複発売票数:        925票 (93) [14:33現在]\r\n"
              "--------------:-------------+----+-----------\r\n"
              "総発売票数　　:       1000票 (％)\r\n");
}

TEST(VoteSummary, SharesRoundHalfUpExactly) {
    struct Case {
        std::vector<long long> totals;  // kinds 0.. in order
        std::vector<std::string> shares;
    };
    const Case cases[] = {
        {{75, 925}, {"票 ( 8) ", "票 (93) "}},   // 7.5 and 92.5
        {{100, 900}, {"票 (10) ", "票 (90) "}},  // 10 takes no blank
        {{23, 17}, {"票 (58) ", "票 (43) "}},    // 57.5, which floating point puts below
        {{29, 171}, {"票 (15) ", "票 (86) "}},   // 14.5 and 85.5
        {{1, 199}, {"票 ( 1) ", "票 (100) "}},   // 0.5 rounds up; 99.5 reaches 100
        {{1, 1999, 0}, {"票 ( 0) ", "票 (100) ", "票 ( 0) "}},
        {{99999999999LL, 99999999999LL, 1}, {"票 (50) ", "票 (50) ", "票 ( 0) "}},
        // 2.49999999999999999995 and 97.50000000000000000005: beyond double precision
        {{49999999999999999LL, 1950000000000000001LL}, {"票 ( 2) ", "票 (98) "}},
        {{9223372036854775806LL, 1}, {"票 (100) ", "票 ( 0) "}},
    };
    for (const auto& c : cases) {
        VoteTexts votes;
        for (std::size_t k = 0; k < c.totals.size(); ++k) {
            SetTotal(votes, static_cast<BetKind>(k), Field(c.totals[k]));
        }
        const auto lines = BuildVoteSummaryLines(votes);
        ASSERT_EQ(lines.size(), c.totals.size() + 2);
        for (std::size_t k = 0; k < c.totals.size(); ++k) {
            const std::size_t start =
                votes.TotalText[static_cast<BetKind>(k)].size();  // after label and total
            EXPECT_EQ(U8(lines[k].substr(start, lines[k].size() - start - 11)), c.shares[k])
                << c.totals[0] << " / " << k;
        }
    }
}

TEST(VoteSummary, KindLinesLineUpWithTheSeparator) {
    VoteTexts votes;
    SetTotal(votes, BetKind::Quinella, Field(5));
    SetTotal(votes, BetKind::Wide, Field(45));
    auto lines = BuildVoteSummaryLines(votes);
    EXPECT_EQ(lines[0].size(), std::string(kSeparator).size());  // 10 %
    EXPECT_EQ(lines[1].size(), std::string(kSeparator).size());  // 90 %
    EXPECT_EQ(lines[2], kSeparator);

    VoteTexts single;
    SetTotal(single, BetKind::Exacta, Field(1234));
    lines = BuildVoteSummaryLines(single);
    EXPECT_EQ(U8(lines[0]), "馬単発売票数　:       1234票 (100) [14:35現在]");
    EXPECT_EQ(lines[0].size(), std::string(kSeparator).size() + 1);
}

TEST(VoteSummary, GrandTotalIsRightAlignedInElevenBytes) {
    struct Case {
        std::vector<long long> totals;
        std::string expected;
    };
    const Case cases[] = {
        {{1}, "総発売票数　　:          1票 (％)"},
        {{1234567890}, "総発売票数　　: 1234567890票 (％)"},
        {{60000000000LL, 40000000000LL}, "総発売票数　　:100000000000票 (％)"},
    };
    for (const auto& c : cases) {
        VoteTexts votes;
        for (std::size_t k = 0; k < c.totals.size(); ++k) {
            SetTotal(votes, static_cast<BetKind>(k), Field(c.totals[k]));
        }
        EXPECT_EQ(U8(BuildVoteSummaryLines(votes).back()), c.expected);
    }
}

TEST(VoteSummary, NoKindGivesTheNoDataLine) {
    VoteTexts votes;
    TempDir dir;
    BuildVoteSummary(votes, dir.path());
    EXPECT_EQ(U8(testing::ReadBytes(dir.path() / "QvHyou.dat")), "発売票数データなし\r\n");
}

// Totals that are all 0 give no share to form: every kind is listed at 0 with a grand total 0.
TEST(VoteSummary, AllTotalsZeroListsEveryKindAtZero) {
    VoteTexts votes;
    SetTotal(votes, BetKind::Win, Field(0));
    SetTotal(votes, BetKind::Place, "          0");
    SetTotal(votes, BetKind::Exacta, "00000000000");
    const auto lines = ToU8(BuildVoteSummaryLines(votes));
    const std::vector<std::string> expected = {
        "単勝発売票数　:          0票 ( 0) [14:35現在]",
        "複勝発売票数　:          0票 ( 0) [14:35現在]",
        "馬単発売票数　:00000000000票 ( 0) [14:35現在]",
        kSeparator,
        "総発売票数　　:          0票 (％)",
    };
    EXPECT_EQ(lines, expected);
}

// The messages name the file the total came from and the field.
TEST(VoteSummary, BadOrOversizedTotalIsADataErrorNamingTheFile) {
    struct Case {
        std::vector<std::string> fields;  // kinds 0.. in order
        BetKind badKind;
        std::string fieldName;
    };
    const Case cases[] = {
        {{Field(10), "    12a    "}, BetKind::Place, "複勝発売票数"},
        {{Field(10), "           "}, BetKind::Place, "複勝発売票数"},
        {{"  -5       "}, BetKind::Win, "単勝発売票数"},
        {{Field(1), Field(2), Field(3), "99999999999999999999"}, BetKind::Quinella, "馬連発売票数"},
        {{"5000000000000000000", "5000000000000000000"}, BetKind::Place, "複勝発売票数"},
    };
    for (const auto& c : cases) {
        VoteTexts votes;
        for (std::size_t k = 0; k < c.fields.size(); ++k) {
            SetTotal(votes, static_cast<BetKind>(k), c.fields[k]);
        }
        TempDir dir;
        try {
            BuildVoteSummary(votes, dir.path());
            ADD_FAILURE() << "no error for " << c.fields.back();
        } catch (const DataError& e) {
            const std::string message = U8(e.what());
            EXPECT_NE(message.find(SourceOf(c.badKind)), std::string::npos) << message;
            EXPECT_NE(message.find(c.fieldName), std::string::npos) << message;
        }
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "QvHyou.dat"));
    }
}

}  // namespace
}  // namespace orvikel
