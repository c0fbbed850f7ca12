// The hand-rolled number parsers must agree with the standard conversion on every input the
// data files can carry, including the edges of their quick paths.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/bytes.hpp"

namespace orvikel {
namespace {

TEST(NumberParse, DecimalsMatchTheStandardConversion) {
    const char* const cases[] = {"0",
                                 "  1.0",
                                 "   0.9",
                                 "  99.9",
                                 " 999.9",
                                 "1234.5",
                                 "0.1",
                                 "0.3",
                                 "2.675",
                                 "123456789012345",
                                 "1.5   ",
                                 "12345678901234.5",
                                 "1234567890123456",
                                 "0.000000000000001",
                                 "9007199254740993",
                                 "99999999999999999999.5",
                                 "1.",
                                 ".5",
                                 "007.25",
                                 "3.14159265358979"};
    for (const char* text : cases) {
        std::string trimmed = text;
        trimmed.erase(0, trimmed.find_first_not_of(' '));
        trimmed.erase(trimmed.find_last_not_of(' ') + 1);
        double expected = 0;
        const auto [end, ec] =
            std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), expected);
        ASSERT_TRUE(ec == std::errc{} && end == trimmed.data() + trimmed.size()) << text;
        const std::optional<double> value = ParseDecimal(text);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_EQ(*value, expected) << text;  // bit for bit, not merely close
    }
}

TEST(NumberParse, NotNumbersAreRefused) {
    for (const char* text : {"", "   ", ".", "1.2.3", "-1", "+1", "1e3", "ﾄﾘｹｼ", "1 2", "1,5"}) {
        EXPECT_FALSE(ParseDecimal(text).has_value()) << text;
        EXPECT_FALSE(ParseInteger(text).has_value()) << text;
    }
}

TEST(NumberParse, IntegersUpToTheLimitOfTheirType) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {" 7", 7},
        {"18", 18},
        {"0009", 9},
        {"9223372036854775807", INT64_MAX},
        {"9223372036854775808", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"1.0", std::nullopt},
        {"12 ", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
    }
}

// Odds in tenths: the texts the files give, the ones they might, and what is no odds.
TEST(NumberParse, OddsTextsInTenths) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> tenths;
    };
    const Case cases[] = {
        {"  2.5", 25},
        {" 12.3", 123},
        {"999.9", 9999},
        {"  1.0", 10},
        {"  0.0", 0},
        {"   0.9", 9},
        {"1234.5 ", 12345},  // trailing blanks, as ParseDecimal allows
        {"  12", 120},       // no decimals: whole
        {"5.", 50},
        {".5", 5},
        {"0.95", 9},  // further decimals cut off: still below 1.0
        {"1.99", 19},
        {"922337203685477580.7", INT64_MAX},
        {"922337203685477580.8", std::nullopt},
        {"922337203685477581", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"     ", std::nullopt},
        {".", std::nullopt},
        {"ﾄﾘｹｼ", std::nullopt},
        {"1.2.3", std::nullopt},
        {"-1.0", std::nullopt},
        {"1 .0", std::nullopt},
        {"1.0x", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseTenths(c.text), c.tenths) << c.text;
    }
}

// A text is in tenths exactly when it is a decimal, and below 10 tenths exactly when its value
// is below 1.0: the state a list gives an entry and the entry's number never disagree.
TEST(NumberParse, TenthsAgreeWithTheDecimalOnWhatIsANumberAndOnOne) {
    for (const char* text : {"  0.0", "  0.9", " 0.99", "0.999", "  1.0", "  1.00", "1.", "0",
                             "  1", "0.", ".9", "12a", "", " . ", "1.5.", "+1.0"}) {
        const auto decimal = ParseDecimal(text);
        const auto tenths = ParseTenths(text);
        ASSERT_EQ(decimal.has_value(), tenths.has_value()) << text;
        if (decimal) {
            EXPECT_EQ(*decimal < 1.0, *tenths < 10) << text;
        }
    }
}

}  // namespace
}  // namespace orvikel
