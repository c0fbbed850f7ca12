#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/bytes.hpp"
#include "race_odds.hpp"
#include "sample_fixture.hpp"

namespace orvikel::sample::testing {
namespace {

class SampleResults : public ::testing::TestWithParam<std::uint64_t> {
  protected:
    const GeneratedFolder& folder() const { return GeneratedFolder::ForSeed(GetParam()); }
};

struct Entry {
    std::string key;
    long long yen = 0;
};

// Entries of one bet type whose key field is not blank.
std::vector<Entry> Entries(const std::string& line, int keyColumn, int keyWidth, int payoutColumn,
                           int stride, int count) {
    std::vector<Entry> entries;
    for (int k = 0; k < count; ++k) {
        const std::string key = Cut(line, keyColumn + stride * k, keyWidth);
        if (!IsBlanks(key, static_cast<std::size_t>(keyWidth))) {
            entries.push_back(
                {key, ParseInteger(Cut(line, payoutColumn + stride * k, 8)).value_or(-1)});
        }
    }
    return entries;
}

int Horse(const std::string& text) {
    return static_cast<int>(ParseInteger(text).value_or(0));
}

Pair PairOf(const std::string& key) {
    return {Horse(key.substr(0, 2)), Horse(key.substr(3, 2))};
}

// A priced odds field and the payout of that combination agree: 12.3 pays 1,230 yen. Odds at
// the top of a field's width are capped there, so the payout can only be checked to exceed it.
void ExpectPays(const std::string& odds, long long yen, long long cap) {
    ASSERT_TRUE(Odds(odds)) << "«" << odds << "»";
    if (Tenths(odds) >= cap) {
        EXPECT_GE(yen, cap * 10);
    } else {
        EXPECT_EQ(yen, Tenths(odds) * 10) << odds;
    }
}

void ExpectWithin(const std::string& low, const std::string& high, long long yen) {
    EXPECT_GE(yen, Tenths(low) * 10) << low << " " << yen;
    EXPECT_LE(yen, Tenths(high) * 10) << high << " " << yen;
}

TEST_P(SampleResults, RunRacesHaveResultsAndLaterRacesOfTodayNone) {
    for (const MeetingKeys& m : folder().Meetings()) {
        int withResults = 0;
        int lastWithResults = 0;
        for (int race = 1; race <= 12; ++race) {
            if (folder().Has(GeneratedFolder::RaceFile(5, m, race))) {
                ++withResults;
                lastWithResults = race;
            }
        }
        EXPECT_EQ(withResults, lastWithResults) << "slot " << m.slot << ": results run 1..k";
        if (m.slot <= 3) {
            EXPECT_GT(withResults, 0) << "slot " << m.slot;
            EXPECT_LT(withResults, 12) << "slot " << m.slot;
        } else {
            EXPECT_EQ(withResults, 12) << "slot " << m.slot;
        }
    }
}

TEST_P(SampleResults, PayoutsAgreeWithTheOddsAndTheFinish) {
    int longLayout = 0, shortLayout = 0, deadHeats = 0, refunds = 0;
    for (const MeetingKeys& m : folder().Meetings()) {
        for (int race = 1; race <= 12; ++race) {
            const std::string name = GeneratedFolder::RaceFile(5, m, race);
            if (!folder().Has(name)) {
                continue;
            }
            SCOPED_TRACE(name);
            const std::string line = folder().Line(name);
            const bool isLong = folder().Size(name) > 800;
            (isLong ? longLayout : shortLayout) += 1;
            const int s = isLong ? 2 : 0;
            const RaceOdds odds = ReadRaceOdds(folder(), m, race);

            std::vector<int> finish;
            std::vector<std::string> positions;
            for (int k = 0; k < 7; ++k) {
                positions.push_back(Cut(line, 91 + 40 * k, 1));
                finish.push_back(Horse(Cut(line, 92 + 40 * k, 3)));
            }
            ASSERT_EQ(std::count(finish.begin(), finish.end(), 0), 0);

            const auto win = Entries(line, 376 + s, 2, 378 + s, 10, 3);
            const auto place = Entries(line, 406 + s, 2, 408 + s, 10, 5);
            const auto bracket = Entries(line, 457 + s, 3, 460 + s, 12, 3);
            const auto quinella = Entries(line, 493 + s, 5, 498 + s, 14, 3);
            const auto wide = Entries(line, 535 + s, 5, 540 + s, 14, 10);
            ASSERT_TRUE(win.size() == 1 || win.size() == 2);
            ASSERT_EQ(place.size(), 3u);
            ASSERT_EQ(quinella.size(), 1u);
            ASSERT_EQ(wide.size(), 3u);
            EXPECT_EQ(Horse(win[0].key), finish[0]);
            EXPECT_EQ(positions[0], "1");
            EXPECT_EQ(positions[1], win.size() == 2 ? "1" : "2");
            for (std::size_t k = 0; k < 3; ++k) {
                EXPECT_EQ(Horse(place[k].key), finish[k]);
            }
            const Pair top2{std::min(finish[0], finish[1]), std::max(finish[0], finish[1])};
            EXPECT_EQ(PairOf(quinella[0].key), top2);

            if (odds.hasWin) {
                if (win.size() == 1) {
                    ExpectPays(odds.win.at(finish[0]), win[0].yen, 9999);
                } else {
                    ++deadHeats;
                    // A dead heat shares the pool: each pays less than its odds alone.
                    for (const Entry& e : win) {
                        EXPECT_LT(e.yen, Tenths(odds.win.at(Horse(e.key))) * 10);
                        EXPECT_GE(e.yen, 100);
                    }
                }
                for (const Entry& e : place) {
                    ExpectWithin(odds.placeLow.at(Horse(e.key)), odds.placeHigh.at(Horse(e.key)),
                                 e.yen);
                }
                for (const Entry& e : bracket) {
                    const Pair b{Horse(e.key.substr(0, 1)), Horse(e.key.substr(2, 1))};
                    ExpectPays(odds.bracket.at(b), e.yen, 9999);
                }
            }
            if (odds.hasQuinella) {
                ExpectPays(odds.quinella.at(top2), quinella[0].yen, 99999);
                for (const Entry& e : wide) {
                    ExpectWithin(odds.wideLow.at(PairOf(e.key)), odds.wideHigh.at(PairOf(e.key)),
                                 e.yen);
                }
            }
            if (isLong) {
                const auto exacta = Entries(line, 677, 5, 682, 14, 6);
                const auto trio = Entries(line, 761, 8, 769, 17, 3);
                ASSERT_EQ(exacta.size(), win.size());
                ASSERT_EQ(trio.size(), 1u);
                EXPECT_EQ(PairOf(exacta[0].key), Pair(finish[0], finish[1]));
                if (odds.hasExacta && exacta.size() == 1) {
                    ExpectPays(odds.exacta.at({finish[0], finish[1]}), exacta[0].yen, 99999);
                }
                Triple top3{finish[0], finish[1], finish[2]};
                std::sort(top3.begin(), top3.end());
                if (odds.hasTrio) {
                    ExpectPays(odds.trio.at(top3), trio[0].yen, 99999);
                }
            }

            std::set<int> refunded;
            for (int k = 0; k < 5; ++k) {
                const std::string field = Cut(line, (isLong ? 812 : 675) + 2 * k, 2);
                if (!IsBlanks(field, 2)) {
                    refunded.insert(Horse(field));
                }
            }
            for (const auto& [horse, field] : odds.win) {
                EXPECT_EQ(refunded.count(horse) != 0, IsCancelled(field)) << horse;
            }
            for (int h : finish) {
                EXPECT_EQ(refunded.count(h), 0u) << h;
            }
            refunds += static_cast<int>(refunded.size());
        }
    }
    EXPECT_GT(longLayout, 0);
    EXPECT_GT(shortLayout, 0);
    EXPECT_GT(deadHeats, 0);
    EXPECT_GT(refunds, 0);
}

TEST_P(SampleResults, SomeRacesHaveOnlySomeOfTheirFiles) {
    bool onlyResults = false;
    bool onlyCardAndTrio = false;
    for (const MeetingKeys& m : folder().Meetings()) {
        for (int race = 1; race <= 12; ++race) {
            std::string kinds;
            for (int kind = 1; kind <= 7; ++kind) {
                kinds += folder().Has(GeneratedFolder::RaceFile(kind, m, race)) ? '1' : '0';
            }
            onlyResults = onlyResults || kinds == "0000100";
            onlyCardAndTrio = onlyCardAndTrio || kinds == "1000001";
        }
    }
    EXPECT_TRUE(onlyResults);
    EXPECT_TRUE(onlyCardAndTrio);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleResults, ::testing::ValuesIn(TestSeeds()));

}  // namespace
}  // namespace orvikel::sample::testing
