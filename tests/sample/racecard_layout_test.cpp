#include <gtest/gtest.h>

#include <map>
#include <set>

#include "jra_fixture.hpp"
#include "platform/bytes.hpp"
#include "sample_fixture.hpp"

namespace orvikel::sample::testing {
namespace {

using ::orvikel::testing::Sj;

class SampleRaceCards : public ::testing::TestWithParam<std::uint64_t> {
  protected:
    const GeneratedFolder& folder() const { return GeneratedFolder::ForSeed(GetParam()); }
};

// Bracket of each horse number for every field size, as the racing authority assigns them.
const std::map<int, std::string>& BracketsByRunners() {
    static const std::map<int, std::string> table = {
        {8, "12345678"},           {9, "123456788"},           {10, "1234567788"},
        {11, "12345667788"},       {12, "123455667788"},       {13, "1234455667788"},
        {14, "12334455667788"},    {15, "122334455667788"},    {16, "1122334455667788"},
        {17, "11223344556677888"}, {18, "112233445566777888"},
    };
    return table;
}

bool IsFullWidthKatakanaName(const std::string& field) {
    // Double-byte characters (katakana 0x83xx or the long mark 0x815B) up to the padding.
    std::size_t i = 0;
    while (i + 1 < field.size() && field[i] != ' ') {
        const auto lead = static_cast<unsigned char>(field[i]);
        const auto trail = static_cast<unsigned char>(field[i + 1]);
        if (!(lead == 0x83 || (lead == 0x81 && trail == 0x5B))) {
            return false;
        }
        i += 2;
    }
    return i > 0 && IsBlanks(field.substr(i), field.size() - i);
}

TEST_P(SampleRaceCards, RecordsSitAtTheirColumnsWithJraBracketsAndKnownCodes) {
    int files = 0;
    for (const auto& [name, bytes] : folder().Files()) {
        if (name.rfind("De-", 0) != 0) {
            continue;
        }
        ++files;
        SCOPED_TRACE(name);
        const std::string line = folder().Line(name);
        ASSERT_EQ(line.size(), 957u);
        const std::string course = Cut(line, 27, 4);
        EXPECT_TRUE(course.substr(0, 2) == Sj("芝") || course.substr(0, 2) == Sj("ダ"));
        EXPECT_TRUE(course.substr(2) == Sj("右") || course.substr(2) == Sj("左"));
        const auto distance = ParseInteger(Cut(line, 31, 4));
        ASSERT_TRUE(distance);
        EXPECT_TRUE(*distance >= 1000 && *distance <= 3600);

        int runners = 0;
        std::string brackets;
        for (int i = 1; i <= 18; ++i) {
            const int b = 94 + 48 * (i - 1);
            const std::string record = Cut(line, b, 48);
            if (IsBlanks(record, 48)) {
                continue;
            }
            ++runners;
            EXPECT_EQ(runners, i) << "records leave no gap";
            brackets += Cut(line, b, 1);
            EXPECT_EQ(Cut(line, b + 1, 2), SlotText(i));
            const std::string status = Cut(line, b + 3, 1);
            EXPECT_TRUE(status == "0" || status == "8" || status == "9") << status;
            EXPECT_TRUE(IsFullWidthKatakanaName(Cut(line, b + 5, 18))) << i;
            EXPECT_FALSE(IsBlanks(Cut(line, b + 23, 2), 2));
            const std::string apprentice = Cut(line, b + 41, 2);
            EXPECT_TRUE(std::set<std::string>({"10", "20", "30", "00", "  "}).count(apprentice))
                << apprentice;
            const auto burden = ParseDecimal(Cut(line, b + 43, 4));
            ASSERT_TRUE(burden) << i;
            EXPECT_TRUE(*burden >= 48.0 && *burden <= 60.0) << *burden;
        }
        ASSERT_TRUE(BracketsByRunners().count(runners)) << runners << " runners";
        EXPECT_EQ(brackets, BracketsByRunners().at(runners));
    }
    EXPECT_GT(files, 40);
}

TEST_P(SampleRaceCards, WeightRecordsCarryAWeightAndAChangeCodeUnlessScratched) {
    std::set<std::string> codes;
    for (const auto& [name, bytes] : folder().Files()) {
        if (name.rfind("Ut-", 0) != 0) {
            continue;
        }
        SCOPED_TRACE(name);
        const std::string line = folder().Line(name);
        ASSERT_EQ(line.size(), 268u);
        const auto runners = ParseInteger(Cut(line, 87, 2));
        ASSERT_TRUE(runners);
        for (int i = 1; i <= 18; ++i) {
            const int u = 89 + 10 * (i - 1);
            if (i > *runners) {
                EXPECT_TRUE(IsBlanks(Cut(line, u, 10), 10)) << i;
                continue;
            }
            EXPECT_EQ(Cut(line, u, 2), SlotText(i));
            if (Cut(line, u + 2, 1) == "9") {
                EXPECT_TRUE(IsBlanks(Cut(line, u + 3, 6), 6)) << i;
                continue;
            }
            const auto weight = ParseInteger(Cut(line, u + 3, 3));
            ASSERT_TRUE(weight) << i;
            EXPECT_TRUE(*weight >= 380 && *weight <= 560);
            const std::string code = Cut(line, u + 8, 1);
            const std::string amount = Cut(line, u + 6, 2);
            codes.insert(code);
            if (code == "1" || code == "2") {
                EXPECT_GT(ParseInteger(amount).value_or(0), 0) << i;
            } else if (code == "3") {
                EXPECT_EQ(amount, " 0");
            } else {
                EXPECT_EQ(code, "7");
                EXPECT_EQ(amount, "  ");
            }
        }
    }
    EXPECT_EQ(codes, (std::set<std::string>{"1", "2", "3", "7"}));
}

TEST_P(SampleRaceCards, EveryFileOfARaceGivesTheSameNumberOfRunners) {
    for (const MeetingKeys& m : folder().Meetings()) {
        for (int race = 1; race <= 12; ++race) {
            std::set<std::string> counts;
            const std::string card = GeneratedFolder::RaceFile(1, m, race);
            if (folder().Has(card)) {
                int runners = 0;
                for (int i = 1; i <= 18; ++i) {
                    runners += IsBlanks(Cut(folder().Line(card), 94 + 48 * (i - 1), 1), 1) ? 0 : 1;
                }
                counts.insert((runners < 10 ? "0" : "") + std::to_string(runners));
            }
            const std::string weights = GeneratedFolder::RaceFile(2, m, race);
            if (folder().Has(weights)) {
                counts.insert(Cut(folder().Line(weights), 87, 2));
            }
            for (int kind : {3, 4, 6, 7}) {
                const std::string odds = GeneratedFolder::RaceFile(kind, m, race);
                if (folder().Has(odds)) {
                    counts.insert(Cut(folder().Line(odds), 141, 2));
                }
            }
            EXPECT_LE(counts.size(), 1u) << "slot " << m.slot << " race " << race;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleRaceCards, ::testing::ValuesIn(TestSeeds()));

}  // namespace
}  // namespace orvikel::sample::testing
