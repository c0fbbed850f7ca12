#include "results/results_text.hpp"

#include <gtest/gtest.h>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"

namespace orvikel {
namespace {

using testing::JraLine;
using testing::Sj;
using testing::TempDir;
using testing::U8;

const char* const kCaution = "【備考】※競走成績は必ず主催者発行のものと照合し確認してください。";
const char* const kHeader = "着順 馬番馬名              タイム／着差";

// A 40-byte finishing record: position, 3-byte horse number, 18-byte name, 18-byte time.
std::string Record(std::string_view position, std::string_view horse, std::string_view nameU8,
                   std::string_view timeU8) {
    return JraLine(40).At(1, position).At(2, horse).AtU8(5, nameU8).AtU8(23, timeU8).str();
}

// The file on disk: the first line, CR LF, then filler lines up to size bytes, since the
// layout is chosen by the size of the whole file.
std::string WriteResults(const TempDir& dir, const std::string& line, std::size_t size) {
    std::string bytes = line + "\r\n";
    if (bytes.size() < size) {
        bytes += std::string(size - bytes.size(), 'x');
    }
    return dir.Write("Ks-test.jra", bytes);
}

std::vector<std::string> ToU8(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        out.push_back(U8(line));
    }
    return out;
}

TEST(ResultsText, ShortLayoutCopiesEveryFieldAtItsColumn) {
    const std::string line = JraLine(90, 'H')
                                 .At(91, Record("1", "  5", "サンプルホース", "1.34.5"))
                                 .At(131, Record("2", " 12", "テストラン", "1/2"))
                                 .At(171, Record("3", "  3", "ダミー", "ハナ"))
                                 .At(376, " 5     350")
                                 .At(406, " 5     150")
                                 .At(416, " 3     210")
                                 .At(426, "12     480")
                                 .At(457, "3-6    1250")
                                 .At(493, " 3- 5    2310")
                                 .At(535, " 3- 5     720")
                                 .At(549, " 5-12    1010")
                                 .At(563, " 3-12    1630")
                                 .At(675, " 7  11")
                                 .str();
    TempDir dir;
    const auto lines = ToU8(BuildResultsText(WriteResults(dir, line, 0)));
    const std::vector<std::string> expected = {
        kCaution,
        "単勝  5番      350円  ",
        "複勝  5番      150円   3番      210円  12番      480円  ",
        "枠番連勝  3-6     1250円  ",
        "馬番連勝  3- 5    2310円  ",
        "ワイド　  3- 5     720円   5-12    1010円   3-12    1630円  ",
        " ",
        "返還に関わる馬番  7番 11番 ",
        " ",
        kHeader,
        " 1着  5番サンプルホース    1.34.5            ",
        " 2着 12番テストラン        1/2               ",
        " 3着  3番ダミー            ハナ              ",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ResultsText, LongLayoutShiftsPayoutsAndAddsExactaAndTrio) {
    JraLine line(90, 'H');
    for (int k = 0; k < 7; ++k) {
        line.At(91 + 40 * k,
                Record(std::to_string(k + 1), "  " + std::to_string(k + 1), "ウマ", "1.35.0"));
    }
    line.At(378, " 3     240")  // dead heat for first: two win entries
        .At(388, " 5     260")
        .At(408, " 3     120")
        .At(459, "2-3     640")
        .At(495, " 3- 5     890")
        .At(537, " 3- 5     310")
        .At(677, " 3- 5    1830")
        .At(691, " 5- 3    1990")
        .At(761, " 3- 5- 1    5640")
        .At(812, "          ")  // no refunds
        .Length(830);
    TempDir dir;
    const auto lines = ToU8(BuildResultsText(WriteResults(dir, line.str(), 0)));
    ASSERT_EQ(lines.size(), 19u);
    const std::vector<std::string> payouts(lines.begin() + 1, lines.begin() + 12);
    const std::vector<std::string> expected = {
        "単勝  3番      240円   5番      260円  ",
        "複勝  3番      120円  ",
        "枠番連勝  2-3      640円  ",
        "馬番連勝  3- 5     890円  ",
        "ワイド　  3- 5     310円  ",
        "馬単　　  3- 5    1830円   5- 3    1990円  ",
        "３連複　  3- 5- 1    5640円  ",
        " ",
        "返還に関わる馬番 なし",
        " ",
        kHeader,
    };
    EXPECT_EQ(payouts, expected);
    EXPECT_EQ(lines[18], " 7着  7番ウマ              1.35.0            ");
}

TEST(ResultsText, FileSizeChoosesTheLayoutAtEightHundredBytes) {
    const std::string line = JraLine(90)
                                 .At(91, Record("1", "  5", "サンプルホース", "1.34.5"))
                                 .At(376, " 5     350")
                                 .At(675, " 7")
                                 .str();
    const std::string finisher = " 1着  5番サンプルホース    1.34.5            ";
    struct Case {
        std::size_t size;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {800,
         {kCaution, "単勝  5番      350円  ", "複勝 ", "枠番連勝 ", "馬番連勝 ", "ワイド　 ", " ",
          "返還に関わる馬番  7番 ", " ", kHeader, finisher}},
        // the long layout reads the win key two columns on, and its refunds from column 812
        {801,
         {kCaution, "単勝 ", "複勝 ", "枠番連勝 ", "馬番連勝 ", "ワイド　 ", "馬単　　 ",
          "３連複　 ", " ", "返還に関わる馬番 なし", " ", kHeader, finisher}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        EXPECT_EQ(ToU8(BuildResultsText(WriteResults(dir, line, c.size))), c.expected)
            << c.size << " bytes";
    }
}

TEST(ResultsText, WinLineHoldsEveryEntryOfADeadHeat) {
    struct Case {
        std::vector<std::string> entries;  // 10 bytes each from column 376
        std::string expected;
    };
    const Case cases[] = {
        {{" 4     410"}, "単勝  4番      410円  "},
        {{" 4     410", "10     380"}, "単勝  4番      410円  10番      380円  "},
        {{" 4     410", "10     380", " 1     450"},
         "単勝  4番      410円  10番      380円   1番      450円  "},
    };
    for (const auto& c : cases) {
        JraLine line(700);
        for (std::size_t k = 0; k < c.entries.size(); ++k) {
            line.At(376 + 10 * static_cast<int>(k), c.entries[k]);
        }
        TempDir dir;
        EXPECT_EQ(U8(BuildResultsText(WriteResults(dir, line.str(), 0))[1]), c.expected);
    }
}

TEST(ResultsText, HeaderStaysWhenNoPlaceIsFilled) {
    TempDir dir;
    const auto lines = ToU8(BuildResultsText(WriteResults(dir, JraLine(700).str(), 0)));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), kHeader);
    EXPECT_EQ(lines[7], "返還に関わる馬番 なし");
}

// A line that ends inside a payout: the entry it cuts short is left out, never written with
// an empty number or payout. Entry 1 of the win line has its key at 386-387, payout 388-395.
TEST(ResultsText, EntryCutShortByTheEndOfTheLineIsLeftOut) {
    struct Case {
        std::size_t length;
        std::string expectedWin;
    };
    const std::string one = "単勝  5番      350円  ";
    const Case cases[] = {
        {385, one},  // line ends right after entry 0
        {386, one},  // key cut short
        {390, one},  // payout cut short
        {394, one}, {395, one + " 8番      120円  "},
    };
    for (const auto& c : cases) {
        const std::string line =
            JraLine(90).At(376, " 5     350").At(386, " 8     120").Length(c.length).str();
        TempDir dir;
        const auto lines = ToU8(BuildResultsText(WriteResults(dir, line, 0)));
        ASSERT_GE(lines.size(), 8u);
        EXPECT_EQ(lines[1], c.expectedWin) << c.length;
        EXPECT_EQ(lines[2], "複勝 ") << c.length;
        EXPECT_EQ(lines[7], "返還に関わる馬番 なし") << c.length;
    }
}

// A finishing record that the line cuts short is left out like a blank place.
TEST(ResultsText, FinishingRecordCutShortIsLeftOut) {
    const std::string line = JraLine(90)
                                 .At(91, Record("1", "  5", "サンプルホース", "1.34.5"))
                                 .At(131, Record("2", " 12", "テストラン", "1/2"))
                                 .Length(160)
                                 .str();
    TempDir dir;
    const auto lines = ToU8(BuildResultsText(WriteResults(dir, line, 0)));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], kHeader);
    EXPECT_EQ(lines.back(), " 1着  5番サンプルホース    1.34.5            ");
}

TEST(ResultsMemo, ShowsTheNoDataRemarkWithoutAResultsFile) {
    RaceFiles files;
    const auto lines = ToU8(ResultsMemo(files));
    EXPECT_EQ(lines, std::vector<std::string>{"備考：特になし（データなし）"});
}

TEST(ResultsMemo, ReadsTheResultsFileThatDiscoveryFound) {
    TempDir dir;
    RaceFiles files;
    files.name[kResults] = WriteResults(dir, JraLine(700).At(376, " 5     350").str(), 0);
    files.exists[kResults] = true;
    const auto lines = ToU8(ResultsMemo(files));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], kCaution);
    EXPECT_EQ(lines[1], "単勝  5番      350円  ");
}

TEST(ResultsMemo, VanishedOrEmptyFileIsADataError) {
    TempDir dir;
    RaceFiles files;
    files.exists[kResults] = true;
    files.name[kResults] = dir.DirText() + "Ks-gone.jra";
    EXPECT_THROW(ResultsMemo(files), DataError);
    files.name[kResults] = dir.Write("Ks-empty.jra", "");
    EXPECT_THROW(ResultsMemo(files), DataError);
}

}  // namespace
}  // namespace orvikel
