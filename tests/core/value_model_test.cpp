// Theoretical odds from the win market: the worked checks, the sums every field must give, the
// horses left out of the field, the 複勝 rule for small fields, brackets, and the cut to a tenth.
#include "value/value_model.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace orvikel {
namespace {

// A snapshot whose win odds are the given tenths, horse 1 first; 0 leaves a horse without
// odds. brackets, when given, one per horse.
RaceSnapshot WinMarket(const std::vector<std::int64_t>& tenths,
                       const std::vector<int>& brackets = {}) {
    RaceSnapshot snapshot;
    KindSnapshot& win = snapshot[BetKind::Win];
    win.present = true;
    for (std::size_t i = 0; i < tenths.size(); ++i) {
        OddsEntry entry;
        entry.horses[0] = static_cast<int>(i) + 1;
        entry.state = tenths[i] >= 10 ? PriceState::Priced : PriceState::NoOdds;
        entry.odds = tenths[i] >= 10 ? tenths[i] : 0;
        win.entries.push_back(entry);
        if (i < brackets.size()) {
            snapshot.bracket[static_cast<int>(i) + 1] = brackets[i];
        }
    }
    return snapshot;
}

// Σ P over every combination of kind among horses 1..n (ordered for the exacta).
double SumOver(const WinField& field, BetKind kind, int n) {
    double sum = 0;
    for (int i = 1; i <= n; ++i) {
        if (kind == BetKind::Place) {
            sum += field.Probability(kind, {i, 0, 0}).value_or(0);
            continue;
        }
        for (int j = 1; j <= n; ++j) {
            if (kind == BetKind::Exacta) {
                sum += field.Probability(kind, {i, j, 0}).value_or(0);
                continue;
            }
            if (j <= i) {
                continue;
            }
            if (kind != BetKind::Trio) {
                sum += field.Probability(kind, {i, j, 0}).value_or(0);
                continue;
            }
            for (int k = j + 1; k <= n; ++k) {
                sum += field.Probability(kind, {i, j, k}).value_or(0);
            }
        }
    }
    return sum;
}

TEST(WinField, MeetsTheWorkedChecks) {
    const std::vector<std::int64_t> three{16, 24, 48};
    const std::vector<std::int64_t> ten(10, 80);
    struct Case {
        const char* what;
        const std::vector<std::int64_t>& odds;
        BetKind kind;
        std::array<int, 3> horses;
        double probability;
        std::int64_t theoretical;  // tenths
    };
    const Case cases[] = {
        {"馬連 1-2 of 1.6, 2.4, 4.8", three, BetKind::Quinella, {1, 2, 0}, 7.0 / 12, 13},
        {"馬連 1-3", three, BetKind::Quinella, {1, 3, 0}, 4.0 / 15, 29},
        {"馬連 2-3", three, BetKind::Quinella, {2, 3, 0}, 3.0 / 20, 51},
        {"馬連 in the other order", three, BetKind::Quinella, {3, 2, 0}, 3.0 / 20, 51},
        {"馬単 1→2", three, BetKind::Exacta, {1, 2, 0}, 1.0 / 3, 22},
        {"馬単 2→1", three, BetKind::Exacta, {2, 1, 0}, 1.0 / 4, 30},
        {"ten at 8.0: 馬連", ten, BetKind::Quinella, {4, 9, 0}, 1.0 / 45, 348},
        {"ten at 8.0: ３連複 is 90.0, never 89.9", ten, BetKind::Trio, {2, 5, 10}, 1.0 / 120, 900},
        {"ten at 8.0: ワイド", ten, BetKind::Wide, {1, 2, 0}, 8.0 / 120, 116},
        {"ten at 8.0: 複勝", ten, BetKind::Place, {7, 0, 0}, 3.0 / 10, 26},
    };
    for (const Case& c : cases) {
        const WinField field(WinMarket(c.odds));
        const auto p = field.Probability(c.kind, c.horses);
        ASSERT_TRUE(p.has_value()) << c.what;
        EXPECT_NEAR(*p, c.probability, 1e-12) << c.what;
        EXPECT_EQ(TheoreticalTenths(c.kind, *p), c.theoretical) << c.what;
    }
    const WinField field(WinMarket(three));
    EXPECT_NEAR(field.Win(1), 1.0 / 2, 1e-12);
    EXPECT_NEAR(field.Win(2), 1.0 / 3, 1e-12);
    EXPECT_NEAR(field.Win(3), 1.0 / 6, 1e-12);
}

TEST(WinField, ProbabilitiesOfEveryKindSumOverRandomFields) {
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<std::int64_t> odds(10, 9999);
    for (const double discount : {1.0, 0.8, 0.62}) {
        for (int n = 2; n <= kHorses; ++n) {
            std::vector<std::int64_t> tenths(static_cast<std::size_t>(n));
            for (auto& t : tenths) {
                t = odds(random);
            }
            const WinField field(WinMarket(tenths), discount);
            const auto where = ::testing::Message() << n << " horses, λ " << discount;
            EXPECT_NEAR(SumOver(field, BetKind::Exacta, n), 1.0, 1e-9) << where;
            EXPECT_NEAR(SumOver(field, BetKind::Quinella, n), 1.0, 1e-9) << where;
            if (n >= 3) {
                EXPECT_NEAR(SumOver(field, BetKind::Trio, n), 1.0, 1e-9) << where;
                EXPECT_NEAR(SumOver(field, BetKind::Wide, n), 3.0, 1e-9) << where;
            }
            const double places = n < kPlaceFieldMin ? 0.0 : n < kPlaceThreeFrom ? 2.0 : 3.0;
            EXPECT_NEAR(SumOver(field, BetKind::Place, n), places, 1e-9) << where;
        }
    }
}

TEST(WinField, DiscountLowersTheFavouriteInTheMinorPlaces) {
    const RaceSnapshot market = WinMarket({15, 40, 80, 120, 200, 300, 500, 800});
    const WinField harville(market, 1.0);
    const WinField discounted(market, 0.7);
    // first place is the win market either way; second place spreads towards the outsiders
    EXPECT_DOUBLE_EQ(harville.Win(1), discounted.Win(1));
    EXPECT_LT(discounted.Ordered(2, 1), harville.Ordered(2, 1));
    EXPECT_GT(discounted.Ordered(1, 8), harville.Ordered(1, 8));
}

TEST(WinField, LeavesOutHorsesWithoutAPriceOfOneOrMore) {
    // horse 2 scratched, 4 without odds, 6 priced below 1.0; 1, 3, 5 make the field
    RaceSnapshot snapshot = WinMarket({16, 0, 24, 0, 48, 0});
    auto& win = snapshot[BetKind::Win].entries;
    win[1].state = PriceState::Scratched;
    win[5].state = PriceState::NoOdds;
    RaceSnapshot handMade = snapshot;
    handMade[BetKind::Win].entries[5] =
        OddsEntry{.horses = {6, 0, 0}, .odds = 9, .state = PriceState::Priced};
    for (const RaceSnapshot& market : {snapshot, handMade}) {
        const WinField field(market);
        EXPECT_EQ(field.size(), 3);
        // the three priced horses share the whole market, as a field of three would
        EXPECT_NEAR(field.Win(5), 1.0 / 6, 1e-12);
        EXPECT_NEAR(*field.Probability(BetKind::Quinella, {1, 3, 0}), 7.0 / 12, 1e-12);
        for (const int out : {2, 4, 6}) {
            EXPECT_FALSE(field.Has(out)) << out;
            EXPECT_EQ(field.Win(out), 0.0);
            EXPECT_FALSE(field.Probability(BetKind::Quinella, {1, out, 0})) << out;
            EXPECT_FALSE(field.Probability(BetKind::Exacta, {out, 1, 0})) << out;
            EXPECT_FALSE(field.Probability(BetKind::Trio, {1, 3, out})) << out;
            EXPECT_FALSE(field.Probability(BetKind::Wide, {out, 5, 0})) << out;
        }
    }
    const WinField field(snapshot);
    // the same horse twice is no combination
    EXPECT_FALSE(field.Probability(BetKind::Quinella, {1, 1, 0}));
    EXPECT_FALSE(field.Probability(BetKind::Trio, {1, 3, 3}));
}

TEST(WinField, PlacesTheFirstTwoInFieldsOfFiveToSevenAndNoneBelowFive) {
    struct Case {
        int runners;  // all at the same odds
        std::optional<double> place;
    };
    const Case cases[] = {{3, std::nullopt}, {4, std::nullopt}, {5, 2.0 / 5},
                          {7, 2.0 / 7},      {8, 3.0 / 8},      {18, 3.0 / 18}};
    for (const Case& c : cases) {
        // a horse without odds does not count towards the field
        std::vector<std::int64_t> odds(static_cast<std::size_t>(c.runners), 50);
        odds.push_back(0);
        const WinField field(WinMarket(odds));
        const auto p = field.Probability(BetKind::Place, {1, 0, 0});
        ASSERT_EQ(p.has_value(), c.place.has_value()) << c.runners;
        if (p) {
            EXPECT_NEAR(*p, *c.place, 1e-12) << c.runners;
        }
    }
}

TEST(WinField, BracketQuinellaAddsTheQuinellasOfItsHorses) {
    // horses 3, 4 and 5 share bracket 3; horse 6 has bracket 4 but no odds
    const RaceSnapshot market = WinMarket({30, 45, 60, 90, 120, 0}, {1, 2, 3, 3, 3, 4});
    const WinField field(market);
    const auto quinella = [&](int i, int j) {
        return *field.Probability(BetKind::Quinella, {i, j, 0});
    };
    struct Case {
        int a;
        int b;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {3, 3, quinella(3, 4) + quinella(3, 5) + quinella(4, 5)},
        {1, 3, quinella(1, 3) + quinella(1, 4) + quinella(1, 5)},
        {3, 1, quinella(1, 3) + quinella(1, 4) + quinella(1, 5)},
        {1, 2, quinella(1, 2)},
        {2, 2, std::nullopt},  // a bracket of one horse pairs with nobody
        {1, 4, std::nullopt},  // its only horse is outside the field
    };
    double all = 0;
    for (const Case& c : cases) {
        const auto p = field.Probability(BetKind::BracketQuinella, {c.a, c.b, 0});
        ASSERT_EQ(p.has_value(), c.expected.has_value()) << c.a << "-" << c.b;
        if (p) {
            EXPECT_NEAR(*p, *c.expected, 1e-12) << c.a << "-" << c.b;
        }
    }
    for (int a = 1; a <= kBrackets; ++a) {
        for (int b = a; b <= kBrackets; ++b) {
            all += field.Probability(BetKind::BracketQuinella, {a, b, 0}).value_or(0);
        }
    }
    EXPECT_NEAR(all, 1.0, 1e-12);
    // without the race card's brackets there is nothing to add up
    const WinField noCard(WinMarket({30, 45, 60, 90, 120}));
    EXPECT_FALSE(noCard.Probability(BetKind::BracketQuinella, {1, 2, 0}));
    // nor when a horse of the field lacks its bracket: the sums would be short
    const WinField partial(WinMarket({30, 45, 60}, {1, 2, 0}));
    EXPECT_FALSE(partial.Probability(BetKind::BracketQuinella, {1, 2, 0}));
}

TEST(TheoreticalTenths, CutsToATenthButCountsANearMissAsTheTenth) {
    struct Case {
        const char* what;
        BetKind kind;
        double probability;
        std::optional<std::int64_t> tenths;
    };
    const Case cases[] = {
        {"0.75 / (1/120) is 90.0", BetKind::Trio, 1.0 / 120, 900},
        {"a hair below 90.0", BetKind::Trio, 0.75 / (90.0 - 1e-11), 900},
        {"a hair above 90.0", BetKind::Trio, 0.75 / (90.0 + 1e-11), 900},
        {"well below 90.0 is cut", BetKind::Trio, 0.75 / 89.99, 899},
        {"just outside the tolerance is cut", BetKind::Trio, 0.75 / (90.0 - 1e-8), 899},
        {"34.875 is cut, not rounded", BetKind::Quinella, 1.0 / 45, 348},
        {"2.25 is cut", BetKind::Exacta, 1.0 / 3, 22},
        {"a certainty still pays the rate", BetKind::Place, 1.0, 8},
        {"no chance, no odds", BetKind::Quinella, 0.0, std::nullopt},
        {"no probability below zero", BetKind::Quinella, -0.5, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TheoreticalTenths(c.kind, c.probability), c.tenths) << c.what;
    }
}

TEST(ValueBoard, GivesTheGapOfTheOddsAsShownForPricedCombinations) {
    RaceSnapshot snapshot = WinMarket(std::vector<std::int64_t>(10, 80));
    const auto add = [&](BetKind kind, std::array<int, 3> horses, std::int64_t odds,
                         PriceState state = PriceState::Priced) {
        KindSnapshot& taken = snapshot[kind];
        taken.present = true;
        taken.entries.push_back(OddsEntry{
            .horses = horses, .odds = odds, .upper = odds + 50, .state = state, .rank = 1});
    };
    add(BetKind::Quinella, {2, 3, 0}, 400);  // 40.0 against 34.8
    add(BetKind::Quinella, {1, 2, 0}, 150);  // 15.0 against 34.8
    add(BetKind::Quinella, {1, 4, 0}, 0, PriceState::Cancelled);
    add(BetKind::Quinella, {1, 11, 0}, 50);  // horse 11 has no win odds
    add(BetKind::Trio, {1, 2, 3}, 900);      // 90.0 against 90.0 exactly
    add(BetKind::Wide, {1, 2, 0}, 116);      // the lower bound against 11.6
    add(BetKind::Place, {1, 0, 0}, 13);      // 1.3 against 2.6
    add(BetKind::Exacta, {2, 1, 0}, 700);
    add(BetKind::Exacta, {1, 2, 0}, 700);
    snapshot[BetKind::BracketQuinella].present = true;  // no brackets: nothing to price
    add(BetKind::BracketQuinella, {1, 2, 0}, 50);

    const ValueBoard board = BuildValueBoard(snapshot, 1.0);
    const auto& quinella = board.figures[BetKind::Quinella];
    ASSERT_EQ(quinella.size(), 4U);
    EXPECT_EQ(quinella[0]->theoretical, 348);
    EXPECT_EQ(quinella[0]->gap, 114);  // 40.0 / 34.8 = 1.149...
    EXPECT_EQ(quinella[1]->gap, 43);
    EXPECT_FALSE(quinella[2]);
    EXPECT_FALSE(quinella[3]);
    EXPECT_EQ(board.figures[BetKind::Trio][0]->gap, 100);
    EXPECT_EQ(board.figures[BetKind::Wide][0]->gap, 100);
    EXPECT_EQ(board.figures[BetKind::Place][0]->gap, 50);
    EXPECT_FALSE(board.figures[BetKind::BracketQuinella][0]);
    EXPECT_TRUE(board.figures[BetKind::Win].empty());

    // the lines in number order, exacta in finishing order
    const auto lines = ValueLines(snapshot, board, BetKind::Quinella);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].entry.horses, (std::array<int, 3>{1, 2, 0}));
    EXPECT_EQ(lines[1].entry.horses, (std::array<int, 3>{2, 3, 0}));
    const auto exacta = ValueLines(snapshot, board, BetKind::Exacta);
    ASSERT_EQ(exacta.size(), 2U);
    EXPECT_EQ(exacta[0].entry.horses, (std::array<int, 3>{1, 2, 0}));
    EXPECT_EQ(exacta[0].figures.theoretical, 675);  // 0.75 × 90
    EXPECT_EQ(exacta[0].figures.gap, 103);
}

TEST(HundredthsText, HasTwoPlaces) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0.00"}, {5, "0.05"}, {100, "1.00"}, {114, "1.14"}, {12345, "123.45"}, {-7, "-0.07"}};
    for (const auto& [hundredths, text] : cases) {
        EXPECT_EQ(HundredthsText(hundredths), text);
    }
}

}  // namespace
}  // namespace orvikel
