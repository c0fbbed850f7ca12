// 理論オッズ and 妙味 in the session: the race on screen priced with the brackets of its race
// card, the settings that shape it, and the odds-list lines that 妙味 tints.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "odds/odds_lists.hpp"
#include "platform/bytes.hpp"
#include "platform/literals.hpp"
#include "session_fixture.hpp"
#include "settings/settings.hpp"
#include "value/value_model.hpp"

namespace orvikel {
namespace {

using testing::Sj;

TEST(CombinationOfLine, ReadsTheCombinationAListLineStartsWith) {
    using Combination = std::optional<std::array<int, 3>>;
    struct Case {
        OrderList list;
        std::string line;
        Combination expected;
    };
    const Case cases[] = {
        {OrderList::Bracket, "1-2 12.3[ 4]", std::array<int, 3>{1, 2, 0}},
        {OrderList::Quinella, " 3-12  45.6 [ 12]", std::array<int, 3>{3, 12, 0}},
        {OrderList::Wide, " 1- 2   1.2-  1.5 [  1]", std::array<int, 3>{1, 2, 0}},
        {OrderList::Exacta, "12- 3 999.9 [306]", std::array<int, 3>{12, 3, 0}},
        {OrderList::Trio, " 1- 2-18 1234.5 [816]", std::array<int, 3>{1, 2, 18}},
        {OrderList::Trio, " 1- 2- 3" + std::string(lit::kPairCancelledLine),
         std::array<int, 3>{1, 2, 3}},
        {OrderList::Quinella, "------------------", std::nullopt},
        {OrderList::Trio, "#--------------------", std::nullopt},
        {OrderList::Trio, "  -------------------", std::nullopt},
        {OrderList::Exacta, std::string(lit::kNoData), std::nullopt},
        {OrderList::Quinella, " 1- 2", std::array<int, 3>{1, 2, 0}},
        {OrderList::Quinella, " 1-", std::nullopt},
        {OrderList::Quinella, " 1+ 2  12.0", std::nullopt},
        {OrderList::Quinella, "19- 2  12.0", std::nullopt},
        {OrderList::Grid, " 1- 2", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CombinationOfLine(c.list, c.line), c.expected) << c.line;
    }
}

using ValueSession = testing::CompleteSampleRace;

TEST_F(ValueSession, PricesEveryKindWithTheBracketsOfTheRaceCard) {
    const RaceSnapshot& snapshot = session_.snapshot();
    int brackets = 0;
    for (int horse = 1; horse <= kHorses; ++horse) {
        const auto shown = ParseInteger(session_.race().table.cell(horse, kBracket));
        EXPECT_EQ(snapshot.bracket[horse], shown.value_or(0)) << horse;
        brackets += snapshot.bracket[horse] != 0 ? 1 : 0;
    }
    EXPECT_GT(brackets, 0);
    const ValueBoard board = session_.Value();
    for (const BetKind kind : kValueKinds) {
        EXPECT_FALSE(ValueLines(snapshot, board, kind).empty()) << static_cast<int>(kind);
    }
    // before a race is shown nothing is priced
    const ViewerSession idle(program());
    const ValueBoard none = idle.Value();
    for (const BetKind kind : kValueKinds) {
        EXPECT_TRUE(none.figures[kind].empty());
    }
}

TEST_F(ValueSession, ValueMarksFollowTheBoxTheLimitAndTheOrderOfTheLists) {
    for (const OrderList list : kOddsLists) {
        EXPECT_TRUE(session_.ValueMarkedLines()[list].empty());
    }
    session_.ClickValueMarks(true);
    EXPECT_TRUE(ReadSettings(program()).value.marks);

    const auto counts = [this] {
        const auto marked = session_.ValueMarkedLines();
        ByOddsList<long> count{};
        for (const OrderList list : kOddsLists) {
            EXPECT_EQ(marked[list].size(), session_.display().oddsLines[list].size());
            count[list] = std::count(marked[list].begin(), marked[list].end(), true);
        }
        return count;
    };
    // every combination at the limit or above is marked once, and nothing else
    const auto expected = [this] {
        const ValueBoard board = session_.Value();
        ByOddsList<long> count{};
        for (const OrderList list : kOddsLists) {
            for (const ValueLine& line :
                 ValueLines(session_.snapshot(), board, Describe(list).bet)) {
                count[list] += line.figures.gap >= session_.settings().value.high ? 1 : 0;
            }
        }
        return count;
    };
    const auto byNumber = counts();
    EXPECT_EQ(byNumber, expected());
    long all = 0;
    for (const long n : byNumber) {
        all += n;
    }
    EXPECT_GT(all, 0);
    for (const OrderList list : kOddsLists) {
        session_.ClickOrder(list, true);
    }
    EXPECT_EQ(counts(), byNumber);

    // a lower limit marks more, and the discount changes what is priced
    session_.SetValueLimits(100, 80, 50);
    EXPECT_EQ(counts(), expected());
    long lower = 0;
    for (const long n : counts()) {
        lower += n;
    }
    EXPECT_GT(lower, all);
    EXPECT_EQ(ReadSettings(program()).value,
              (ValueSettings{.marks = true, .discount = 100, .high = 80, .low = 50}));
    session_.SetValueLimits(1, 120, 80);
    EXPECT_EQ(session_.settings().value.discount, kDiscountMin);

    session_.ClickValueMarks(false);
    for (const OrderList list : kOddsLists) {
        EXPECT_TRUE(session_.ValueMarkedLines()[list].empty());
    }
}

}  // namespace
}  // namespace orvikel
