#include <gtest/gtest.h>

#include "common/bytes.hpp"
#include "common/data_error.hpp"
#include "common/encoding.hpp"
#include "common/file_io.hpp"
#include "common/literals.hpp"
#include "jra_fixture.hpp"

namespace orvikel {
namespace {

using testing::Sj;
using testing::U8;

TEST(Cut, TakesOneBasedByteColumnsAndStopsAtTheEndOfTheLine) {
    struct Case {
        std::string_view line;
        int column;
        int width;
        std::string_view expected;
    };
    const Case cases[] = {
        {"abcdef", 1, 2, "ab"}, {"abcdef", 5, 2, "ef"}, {"abcdef", 5, 4, "ef"},
        {"abcdef", 7, 2, ""},   {"abcdef", 99, 2, ""},  {"", 1, 3, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cut(c.line, c.column, c.width), c.expected) << c.line << " @" << c.column;
    }
}

TEST(Cut, CountsADoubleByteCharacterAsTwoBytes) {
    const std::string line = Sj("東京ｶ1");  // 2 + 2 + 1 + 1 bytes
    EXPECT_EQ(U8(Cut(line, 3, 2)), "京");
    EXPECT_EQ(U8(Cut(line, 5, 1)), "ｶ");
    EXPECT_EQ(Cut(line, 6, 1), "1");
}

TEST(Numbers, IntegersAllowLeadingBlanksOnly) {
    EXPECT_EQ(ParseInteger(" 5"), 5);
    EXPECT_EQ(ParseInteger("02"), 2);
    EXPECT_EQ(ParseInteger("00"), 0);
    EXPECT_EQ(ParseInteger("5 "), std::nullopt);
    EXPECT_EQ(ParseInteger("  "), std::nullopt);
    EXPECT_EQ(ParseInteger(""), std::nullopt);
    EXPECT_EQ(ParseInteger("1a"), std::nullopt);
    EXPECT_EQ(ParseInteger("-1"), std::nullopt);
    EXPECT_EQ(ParseInteger("99999999999999999999"), std::nullopt);
}

TEST(Numbers, DecimalsUseAPointAndAllowBlanks) {
    EXPECT_EQ(ParseDecimal("   5.6"), 5.6);
    EXPECT_EQ(ParseDecimal("   0.0"), 0.0);
    EXPECT_EQ(ParseDecimal(" 123"), 123.0);
    EXPECT_EQ(ParseDecimal("      "), std::nullopt);
    EXPECT_EQ(ParseDecimal(" 1,5"), std::nullopt);
    EXPECT_EQ(ParseDecimal("."), std::nullopt);
    EXPECT_EQ(ParseDecimal(Sj("  ﾄﾘｹｼ")), std::nullopt);
}

TEST(SlotText, IsTwoBytesRightAligned) {
    EXPECT_EQ(SlotText(1), " 1");
    EXPECT_EQ(SlotText(9), " 9");
    EXPECT_EQ(SlotText(10), "10");
    EXPECT_EQ(SlotText(18), "18");
}

TEST(Encoding, EveryLiteralTheViewerWritesSurvivesTheRoundTrip) {
    for (const auto& entry : lit::AllLiterals()) {
        EXPECT_EQ(text::ToUtf8(*entry.cp932), entry.utf8) << entry.name;
        EXPECT_EQ(text::ToCp932(entry.utf8), *entry.cp932) << entry.name;
    }
}

TEST(Encoding, HalfWidthKatakanaAreSingleBytes) {
    EXPECT_EQ(lit::kTorikeshi, "\xC4\xD8\xB9\xBC");
    EXPECT_EQ(lit::kSignFilled, "\x81\xA3");
    EXPECT_EQ(lit::kSignDash, "\x81\x7C");
    EXPECT_EQ(lit::kSignOpen, "\x81\xA2");
}

// The cases a bettor sees in the grid; the golden tables hold the rest of the mapping.
TEST(Encoding, FullWidthConversionComposesVoicedKanaAndStaysUnicode) {
    struct Case {
        std::string in;  // CP932
        std::string_view out;
    };
    const Case cases[] = {
        {Sj("ｶﾞ"), "ガ"},
        {Sj("ﾊﾟ"), "パ"},
        {Sj("A1 "), "Ａ１　"},
        {Sj("ｱｲｳ"), "アイウ"},
        {Sj("東京"), "東京"},
        {Sj("ﾜﾞｦﾞ"), "ヷヺ"},        // no CP932 form: must not come back as "?"
        {Sj("ﾞﾟ"), "\u3099\u309A"},  // lone marks become the combining ones
        {"C:\\", "Ｃ：\\"},          // the yen-sign byte is left as it is
        {Sj("ﾀ") + "\x83", "タ・"},  // a cell cut inside a character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::FullWidthUtf8(c.in), c.out) << ::testing::PrintToString(c.in);
    }
}

// The grid converts all its cells in one pass; the result must be that of one call per cell,
// also where a cell ends in a kana and the next starts with a voiced mark, a cell is empty,
// ends inside a double-byte character, or holds a line break itself.
TEST(Encoding, FullWidthOfManyCellsEqualsOneByOne) {
    const std::vector<std::vector<std::string>> batches = {
        {Sj("ｶ"), Sj("ﾞｱ"), Sj("ﾊ"), Sj("ﾟ")},
        {"", Sj(" 1"), "", Sj("ｶﾞﾗｽ"), ""},
        {"\x83", "\x40", Sj("東京"), "\x81"},
        {Sj("ｱ"), "a\nb", Sj("ﾞ")},
        {},
    };
    for (const auto& batch : batches) {
        const std::vector<std::string_view> views(batch.begin(), batch.end());
        std::vector<std::string> oneByOne;
        for (const std::string& cell : batch) {
            oneByOne.push_back(text::FullWidthUtf8(cell));
        }
        EXPECT_EQ(text::FullWidthUtf8Each(views), oneByOne) << batch.size();
    }
}

// Refused, never dropped or replaced: a pasted folder name must not lose a character unseen.
TEST(Encoding, TextWithoutACp932FormIsRefused) {
    const std::string_view refused[] = {
        "😀",         "a\u00ADb", "\u200B", "\u200F", "\u202A",   "\u2060",
        "\uFEFFKEL", "\uFE0F",   "\u00A5", "\xFF",   "\xC0\xAF", "\xED\xA0\x80",
    };
    for (std::string_view text : refused) {
        EXPECT_THROW(text::ToCp932(text), std::runtime_error) << ::testing::PrintToString(text);
    }
}

// Both forms of a file's lines (strings, and one buffer for the lists) follow one rule.
TEST(Lines, SplitAtCrLfLfOrCr) {
    struct Case {
        std::string_view bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"", {}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"\x83\r\n\x83\x40", {"\x83", "\x83\x40"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitLines(c.bytes), c.lines) << ::testing::PrintToString(c.bytes);
        const TextLines lines{std::string(c.bytes)};
        EXPECT_EQ(lines, c.lines) << ::testing::PrintToString(c.bytes);
    }
}

TEST(Lines, AListKeepsItsLinesWhenCopiedOrMoved) {
    // Short lines sit inside the string object itself; views must follow the copy.
    TextLines original{std::string("ab\r\ncd\r\n")};
    const TextLines copy = original;
    const TextLines moved = std::move(original);
    const std::vector<std::string> expected{"ab", "cd"};
    EXPECT_EQ(copy, expected);
    EXPECT_EQ(moved, expected);
}

TEST(Files, FirstLineOfADataFile) {
    testing::TempDir dir;
    EXPECT_EQ(ReadFirstLine(dir.Write("a.jra", "one\r\ntwo")), "one");
    EXPECT_EQ(ReadFirstLine(dir.Write("b.jra", "one")), "one");
    EXPECT_THROW(ReadFirstLine(dir.Write("c.jra", "")), DataError);
    EXPECT_THROW(ReadFirstLine(dir.DirText() + "missing.jra"), DataError);
    std::filesystem::create_directory(dir.path() / "d.jra");
    EXPECT_THROW(ReadFirstLine(dir.DirText() + "d.jra"), DataError);
}

TEST(Files, WorkFilesEndEveryLineWithCrLf) {
    testing::TempDir dir;
    WriteWorkFile(dir.path(), "x.dat", {"a", "", "b"});
    EXPECT_EQ(testing::ReadBytes(dir.path() / "x.dat"), "a\r\n\r\nb\r\n");
    WriteWorkFile(dir.path(), "x.dat", {});
    EXPECT_EQ(testing::ReadBytes(dir.path() / "x.dat"), "");
}

TEST(Files, AFailedWriteKeepsTheOldFileAndNamesThePath) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit to stand in for a full disk";
#endif
    testing::TempDir dir;
    WriteWorkFile(dir.path(), "x.dat", {"old"});
    try {
        // The disk fills up after two bytes of the new file, even for root.
        const testing::FileSizeLimit full(2);
        WriteWorkFile(dir.path(), "x.dat", {"new"});
        FAIL() << "no error";
    } catch (const DataError& e) {
        EXPECT_NE(std::string(e.what()).find("x.dat"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find(lit::kCannotWriteSuffix), std::string::npos);
    }
    EXPECT_EQ(testing::ReadBytes(dir.path() / "x.dat"), "old\r\n");
    // Nothing is left of the temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace orvikel
