#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/bytes.hpp"
#include "race_odds.hpp"
#include "sample_fixture.hpp"

namespace orvikel::sample::testing {
namespace {

class SampleOdds : public ::testing::TestWithParam<std::uint64_t> {
  protected:
    const GeneratedFolder& folder() const { return GeneratedFolder::ForSeed(GetParam()); }

    template <typename Visit>
    void ForEachRace(Visit visit) const {
        for (const MeetingKeys& m : folder().Meetings()) {
            for (int race = 1; race <= 12; ++race) {
                SCOPED_TRACE("slot " + std::to_string(m.slot) + " race " + std::to_string(race));
                visit(m, race, ReadRaceOdds(folder(), m, race));
            }
        }
    }
};

// Sum of 1/odds over the priced entries, and how many were left out as 0.0 or capped.
template <typename Map>
double InverseSum(const Map& odds, double cap, int& skipped) {
    double sum = 0;
    for (const auto& [key, field] : odds) {
        const auto value = Odds(field);
        if (!value) {
            continue;
        }
        if (*value < 1.0 || *value >= cap) {
            ++skipped;
            continue;
        }
        sum += 1.0 / *value;
    }
    return sum;
}

// The pools keep 80 % (win), 77.5 % (quinella) and 75 % (exacta, trio) after the takeout, so
// the inverse odds add up to a little more than the reciprocal (the odds are cut to 0.1).
TEST_P(SampleOdds, InverseOddsAddUpToTheTakeoutOfEachPool) {
    ForEachRace([](const MeetingKeys&, int, const RaceOdds& odds) {
        struct Case {
            bool present;
            double sum;
            double keep;
            int skipped;
        };
        int s[4] = {0, 0, 0, 0};
        const Case cases[] = {
            {odds.hasWin, InverseSum(odds.win, 999.9, s[0]), 0.8, s[0]},
            {odds.hasQuinella, InverseSum(odds.quinella, 9999.9, s[1]), 0.775, s[1]},
            {odds.hasExacta, InverseSum(odds.exacta, 9999.9, s[2]), 0.75, s[2]},
            {odds.hasTrio, InverseSum(odds.trio, 9999.9, s[3]), 0.75, s[3]},
        };
        for (const Case& c : cases) {
            if (!c.present || c.skipped > 0) {
                continue;
            }
            EXPECT_GE(c.sum, 1.0 / c.keep - 0.005) << c.keep;
            EXPECT_LE(c.sum, 1.0 / c.keep + 0.04) << c.keep;
        }
    });
}

TEST_P(SampleOdds, TheWinFavouriteLeadsTheLowestCombinations) {
    int races = 0;
    ForEachRace([&](const MeetingKeys&, int, const RaceOdds& odds) {
        if (!odds.hasWin || !odds.hasQuinella || !odds.hasExacta || !odds.hasTrio) {
            return;
        }
        ++races;
        long long best = -1;
        std::set<int> favourites;
        for (const auto& [horse, field] : odds.win) {
            if (Odds(field) && Tenths(field) >= 10) {
                if (best < 0 || Tenths(field) < best) {
                    best = Tenths(field);
                    favourites.clear();
                }
                if (Tenths(field) == best) {
                    favourites.insert(horse);
                }
            }
        }
        auto lowest = [](const auto& map) {
            long long low = -1;
            for (const auto& [key, field] : map) {
                if (Odds(field) && Tenths(field) >= 10 && (low < 0 || Tenths(field) < low)) {
                    low = Tenths(field);
                }
            }
            return low;
        };
        const long long lowestQuinella = lowest(odds.quinella);
        const long long lowestExacta = lowest(odds.exacta);
        const long long lowestTrio = lowest(odds.trio);
        bool quinella = false;
        for (const auto& [pair, field] : odds.quinella) {
            if (Odds(field) && Tenths(field) == lowestQuinella) {
                quinella =
                    quinella || favourites.count(pair.first) || favourites.count(pair.second);
            }
        }
        bool exacta = false;
        for (const auto& [pair, field] : odds.exacta) {
            if (Odds(field) && Tenths(field) == lowestExacta) {
                exacta = exacta || favourites.count(pair.first);
            }
        }
        bool trio = false;
        for (const auto& [triple, field] : odds.trio) {
            if (Odds(field) && Tenths(field) == lowestTrio) {
                for (int h : triple) {
                    trio = trio || favourites.count(h) != 0;
                }
            }
        }
        EXPECT_TRUE(quinella);
        EXPECT_TRUE(exacta);
        EXPECT_TRUE(trio);
    });
    EXPECT_GT(races, 30);
}

TEST_P(SampleOdds, RangesAreOrderedAndWidePaysNoMoreThanQuinellaAtItsLowerBound) {
    ForEachRace([](const MeetingKeys&, int, const RaceOdds& odds) {
        for (const auto& [horse, low] : odds.placeLow) {
            if (Odds(low) && Tenths(low) > 0) {
                EXPECT_GE(Tenths(low), 10) << horse;
                EXPECT_LE(Tenths(low), Tenths(odds.placeHigh.at(horse))) << horse;
                EXPECT_LE(Tenths(low), Tenths(odds.win.at(horse))) << horse;
            }
        }
        for (const auto& [pair, low] : odds.wideLow) {
            if (Odds(low) && Tenths(low) > 0) {
                EXPECT_LE(Tenths(low), Tenths(odds.wideHigh.at(pair)));
                EXPECT_LE(Tenths(low), Tenths(odds.quinella.at(pair)));
            }
        }
    });
}

struct Scratches {
    std::set<int> card, weights, odds;
    int runners = 0;
    bool hasWeights = false;
};

Scratches ReadScratches(const GeneratedFolder& folder, const MeetingKeys& m, int race,
                        const RaceOdds& odds) {
    Scratches s;
    const std::string de = GeneratedFolder::RaceFile(1, m, race);
    if (folder.Has(de)) {
        for (int i = 1; i <= 18; ++i) {
            const int b = 94 + 48 * (i - 1);
            s.runners += IsBlanks(Cut(folder.Line(de), b, 1), 1) ? 0 : 1;
            if (Cut(folder.Line(de), b + 3, 1) == "9") {
                s.card.insert(i);
            }
        }
    }
    const std::string ut = GeneratedFolder::RaceFile(2, m, race);
    if (folder.Has(ut)) {
        s.hasWeights = true;
        for (int i = 1; i <= 18; ++i) {
            if (Cut(folder.Line(ut), 89 + 10 * (i - 1) + 2, 1) == "9") {
                s.weights.insert(i);
            }
        }
    }
    for (const auto& [horse, field] : odds.win) {
        if (IsCancelled(field)) {
            s.odds.insert(horse);
        }
    }
    return s;
}

TEST_P(SampleOdds, ScratchedHorsesCancelTheirCombinationsAndMissingNumbersStayBlank) {
    int cardOnly = 0, weightsOnly = 0, oddsOnly = 0;
    ForEachRace([&](const MeetingKeys& m, int race, const RaceOdds& odds) {
        const Scratches s = ReadScratches(folder(), m, race, odds);
        for (int h : s.card) {
            EXPECT_TRUE(!s.hasWeights || s.weights.count(h)) << h;
            EXPECT_TRUE(!odds.hasWin || s.odds.count(h)) << h;
            ++cardOnly;
        }
        for (int h : s.weights) {
            weightsOnly += s.card.count(h) == 0 && s.odds.count(h) == 0 && odds.hasWin ? 1 : 0;
        }
        for (int h : s.odds) {
            oddsOnly += s.card.count(h) == 0 && s.weights.count(h) == 0 ? 1 : 0;
        }
        if (!odds.hasQuinella || s.runners == 0) {
            return;
        }
        for (const auto& [pair, field] : odds.quinella) {
            const bool off = s.odds.count(pair.first) || s.odds.count(pair.second);
            const bool missing = pair.second > s.runners;
            EXPECT_EQ(IsCancelled(field), off && !missing) << pair.first << "-" << pair.second;
            EXPECT_EQ(IsCancelled(odds.wideLow.at(pair)), off && !missing);
            EXPECT_EQ(IsBlanks(field, 6), missing) << pair.first << "-" << pair.second;
            EXPECT_EQ(IsBlanks(odds.wideHigh.at(pair), 6), missing);
        }
        for (const auto& [triple, field] : odds.trio) {
            const bool off =
                s.odds.count(triple[0]) || s.odds.count(triple[1]) || s.odds.count(triple[2]);
            const bool missing = triple[2] > s.runners;
            EXPECT_EQ(IsCancelled(field), off && !missing);
            EXPECT_EQ(IsBlanks(field, 6), missing);
        }
    });
    EXPECT_GT(cardOnly, 0) << "a horse scratched on the race card";
    EXPECT_GT(weightsOnly, 0) << "a horse scratched only in the horse-weight file";
    EXPECT_GT(oddsOnly, 0) << "a horse scratched only in the win odds";
}

TEST_P(SampleOdds, SizesTellWhetherTheZoAndUoFilesCarryTheirTotals) {
    struct Kind {
        const char* prefix;
        std::size_t limit;
        std::vector<int> totals;
    };
    const Kind kinds[] = {
        {"Zo-", 850, {827, 838, 849}},
        {"Uo-", 3985, {3970, 3981}},
        {"So-", 0, {3815}},
        {"Yo-", 0, {12383}},
    };
    for (const Kind& kind : kinds) {
        int with = 0, without = 0;
        for (const auto& [name, bytes] : folder().Files()) {
            if (name.rfind(kind.prefix, 0) != 0) {
                continue;
            }
            const std::string line = folder().Line(name);
            const bool carries = bytes.size() > kind.limit;
            (carries ? with : without) += 1;
            for (int column : kind.totals) {
                const std::string field = Cut(line, column, 11);
                EXPECT_EQ(ParseInteger(field).has_value(), carries) << name << " @" << column;
                EXPECT_EQ(field.size(), carries ? 11u : 0u) << name << " @" << column;
            }
        }
        EXPECT_GT(with, 0) << kind.prefix;
        EXPECT_EQ(without > 0, kind.limit > 0) << kind.prefix;
    }
}

TEST_P(SampleOdds, SomeCombinationDrewNoVoteAndShowsOddsBelowOne) {
    int zero = 0;
    ForEachRace([&](const MeetingKeys&, int, const RaceOdds& odds) {
        for (const auto& [triple, field] : odds.trio) {
            zero += field == "   0.0" ? 1 : 0;
        }
    });
    EXPECT_GT(zero, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleOdds, ::testing::ValuesIn(TestSeeds()));

}  // namespace
}  // namespace orvikel::sample::testing
