// orvikel-sample --minutes: the same races some minutes later, as the client would leave them.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/bytes.hpp"
#include "race_odds.hpp"
#include "sample/sample_folder.hpp"
#include "sample_fixture.hpp"

namespace orvikel::sample::testing {
namespace {

constexpr int kLater = 10;

bool IsToday(const MeetingKeys& m) {
    return m.slot <= 3;
}

// Odds time of an odds file as minutes after midnight.
int OddsMinutes(const std::string& line) {
    return static_cast<int>(ParseInteger(Cut(line, 45, 2)).value_or(-1) * 60 +
                            ParseInteger(Cut(line, 47, 2)).value_or(-1));
}

class SampleLater : public ::testing::TestWithParam<std::uint64_t> {
  protected:
    const GeneratedFolder& before() const { return GeneratedFolder::ForSeed(GetParam()); }
    const GeneratedFolder& after() const { return GeneratedFolder::ForSeed(GetParam(), kLater); }
};

TEST_P(SampleLater, TheSameSeedAndMinutesGiveTheSameBytesAndZeroMinutesIsTheFolderItself) {
    EXPECT_EQ(GeneratedFolder(GetParam(), kLater).Files(), after().Files());
    EXPECT_EQ(GeneratedFolder(GetParam(), 0).Files(), before().Files());
    EXPECT_NE(after().Files(), before().Files());
}

TEST_P(SampleLater, TheDayBeforeAndTheRaceCardsStayTheSame) {
    for (const MeetingKeys& m : before().Meetings()) {
        for (int race = 1; race <= 12; ++race) {
            for (int kind : {1, 2, 3, 4, 5, 6, 7}) {
                const std::string name = GeneratedFolder::RaceFile(kind, m, race);
                if (!before().Has(name)) {
                    continue;
                }
                ASSERT_TRUE(after().Has(name)) << name << " vanished";
                if (!IsToday(m) || kind == 1) {
                    EXPECT_EQ(after().Files().at(name), before().Files().at(name)) << name;
                }
            }
        }
    }
}

// Every race on sale moves on: its odds time goes forward (to the post at most), more votes
// are sold, its win odds move, and by plausible steps; a race already over stays as it was.
TEST_P(SampleLater, RacesOnSaleMoveOnPlausibly) {
    int moved = 0;
    for (const MeetingKeys& m : before().Meetings()) {
        if (!IsToday(m)) {
            continue;
        }
        for (int race = 1; race <= 12; ++race) {
            SCOPED_TRACE("slot " + std::to_string(m.slot) + " race " + std::to_string(race));
            const std::string zo = GeneratedFolder::RaceFile(3, m, race);
            const std::string ks = GeneratedFolder::RaceFile(5, m, race);
            if (!before().Has(zo) || before().Has(ks)) {
                continue;
            }
            const int was = OddsMinutes(before().Line(zo));
            const int now = OddsMinutes(after().Line(zo));
            EXPECT_GE(now, was);
            EXPECT_LE(now, was + kLater);
            const auto votes = [](const GeneratedFolder& f, const std::string& name) {
                return ParseInteger(Cut(f.Line(name), 827, 11)).value_or(0);
            };
            EXPECT_GE(votes(after(), zo), votes(before(), zo));

            const RaceOdds a = ReadRaceOdds(before(), m, race);
            const RaceOdds b = ReadRaceOdds(after(), m, race);
            ASSERT_EQ(a.win.size(), b.win.size());
            bool any = false;
            for (const auto& [horse, field] : a.win) {
                const auto x = Odds(field);
                const auto y = Odds(b.win.at(horse));
                ASSERT_EQ(x.has_value(), y.has_value()) << "horse " << horse;
                if (x && y && *x >= 1.0 && *y >= 1.0) {
                    any = any || *x != *y;
                    // Ten minutes of drift and sale move no price by more than a factor of 3.
                    EXPECT_LT(std::fabs(std::log(*y / *x)), std::log(3.0))
                        << "horse " << horse << ": " << *x << " -> " << *y;
                }
            }
            moved += any ? 1 : 0;
        }
    }
    EXPECT_GT(moved, 0);
}

TEST_P(SampleLater, HoursLaterTheRacesPastTheirPostHaveResults) {
    const GeneratedFolder& late = GeneratedFolder::ForSeed(GetParam(), 8 * 60);
    for (const MeetingKeys& m : late.Meetings()) {
        for (int race = 1; race <= 12; ++race) {
            const std::string zo = GeneratedFolder::RaceFile(3, m, race);
            if (!late.Has(zo)) {
                continue;
            }
            // Eight hours after midday every race of the day is over and paid.
            EXPECT_TRUE(late.Has(GeneratedFolder::RaceFile(5, m, race)))
                << "slot " << m.slot << " race " << race;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleLater, ::testing::ValuesIn(TestSeeds()));

}  // namespace
}  // namespace orvikel::sample::testing
