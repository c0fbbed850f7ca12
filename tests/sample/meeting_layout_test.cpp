#include <gtest/gtest.h>

#include <set>

#include "platform/bytes.hpp"
#include "platform/encoding.hpp"
#include "sample_fixture.hpp"
#include "shell/discovery.hpp"

namespace orvikel::sample::testing {
namespace {

class SampleMeetings : public ::testing::TestWithParam<std::uint64_t> {
  protected:
    const GeneratedFolder& folder() const { return GeneratedFolder::ForSeed(GetParam()); }
};

TEST_P(SampleMeetings, EveryFileIsOneCp932LineEndedByCrLf) {
    for (const auto& [name, bytes] : folder().Files()) {
        ASSERT_GE(bytes.size(), 2u) << name;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
        EXPECT_EQ(bytes.find_first_of("\r\n"), bytes.size() - 2) << name;
        EXPECT_EQ(text::ToUtf8(bytes).find("\xEF\xBF\xBD"), std::string::npos) << name;
    }
}

TEST_P(SampleMeetings, TodayFillsSlotsAToCAndTheDayBeforeFollowsAtTheSameRacecourses) {
    const auto& meetings = folder().Meetings();
    ASSERT_TRUE(meetings.size() == 5 || meetings.size() == 6);
    std::set<int> venuesToday;
    for (std::size_t i = 0; i < meetings.size(); ++i) {
        const MeetingKeys& m = meetings[i];
        EXPECT_EQ(m.slot, static_cast<int>(i) + 1);  // no gap between the slots
        EXPECT_GE(m.venue, 1);
        EXPECT_LE(m.venue, 10);
        EXPECT_GE(m.keyA, 0);
        EXPECT_GE(m.keyB, 1);
        EXPECT_GE(m.keyC, 1);
        if (m.slot <= 3) {
            venuesToday.insert(m.venue);
        } else {
            const MeetingKeys& sameCourse = meetings[i - 3];
            EXPECT_EQ(m.venue, sameCourse.venue);
            EXPECT_EQ(m.keyB, sameCourse.keyB);
            EXPECT_EQ(m.keyC, sameCourse.keyC - 1);
        }
    }
    EXPECT_EQ(venuesToday.size(), 3u);
}

TEST_P(SampleMeetings, KeyBCarriesALeadingZeroInTheMeetingFile) {
    for (const MeetingKeys& m : folder().Meetings()) {
        const std::string line = folder().Line(
            std::string("Uy-") + "abcdef"[static_cast<std::size_t>(m.slot - 1)] + ".jra");
        if (m.keyB < 10) {
            EXPECT_EQ(Cut(line, 65, 1), "0");
        }
        EXPECT_EQ(Cut(line, 59, 1), m.venue < 10 ? "0" : "1");
    }
}

TEST_P(SampleMeetings, EveryRaceOneToTwelveHasAFileAndRaceFilesCarryTheirRaceInTheHeader) {
    for (const MeetingKeys& m : folder().Meetings()) {
        std::set<std::string> dates;
        for (int race = 1; race <= 12; ++race) {
            int present = 0;
            for (int kind = 1; kind <= 7; ++kind) {
                const std::string name = GeneratedFolder::RaceFile(kind, m, race);
                if (!folder().Has(name)) {
                    continue;
                }
                ++present;
                const std::string line = folder().Line(name);
                const bool card = kind == 1 || kind == 2 || kind == 5;
                const int venueColumn = card ? 9 : 29;
                const int numbersColumn = card ? 17 : 37;
                SCOPED_TRACE(name);
                dates.insert(Cut(line, 1, 8));
                EXPECT_EQ(Cut(line, venueColumn, 4), ::orvikel::VenueName(m.venue));
                EXPECT_EQ(ParseInteger(Cut(line, numbersColumn, 2)), m.keyB);
                EXPECT_EQ(ParseInteger(Cut(line, numbersColumn + 2, 2)), m.keyC);
                EXPECT_EQ(ParseInteger(Cut(line, numbersColumn + 4, 2)), race);
                if (!card) {
                    const auto hour = ParseInteger(Cut(line, 45, 2));
                    const auto minute = ParseInteger(Cut(line, 47, 2));
                    ASSERT_TRUE(hour && minute);
                    EXPECT_TRUE(*hour >= 9 && *hour <= 16 && *minute <= 59);
                }
            }
            EXPECT_GT(present, 0) << "race " << race << " of slot " << m.slot;
        }
        EXPECT_EQ(dates.size(), 1u) << "slot " << m.slot;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleMeetings, ::testing::ValuesIn(TestSeeds()));

}  // namespace
}  // namespace orvikel::sample::testing
