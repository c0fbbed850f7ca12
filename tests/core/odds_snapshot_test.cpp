// The snapshot the odds steps leave: every record of a kind with its state, its odds in tenths
// and the rank its line shows; a kind without its file, and one whose step failed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "odds_fixture.hpp"
#include "platform/data_error.hpp"

namespace orvikel::testing {
namespace {

using enum PriceState;

struct Expected {
    std::array<int, 3> horses;
    PriceState state;
    std::int64_t odds;
    std::int64_t upper;
    int rank;
};

TEST_F(OddsListsTest, TheSnapshotHoldsEveryRecordWithItsStateOddsAndTheRankItsLineShows) {
    // In file order: priced, below 1.0, cancelled by the file, naming scratched horse 4,
    // priced lower, and a blank record that no list shows.
    const auto recs = [](const OddsKind& kind) {
        Rec first(1, 2, 3, Odds(kind, "2.5"), Odds(kind, "4.1"));
        return std::vector<Rec>{
            first,
            {1, 3, 5, Odds(kind, "0.0")},
            {2, 3, 5, testing::Cancelled(kind)},
            {1, 4, 6, Odds(kind, "3.0")},
            {2, 5, 6, Odds(kind, "1.5")},
            {3, 5, 6, std::string(static_cast<std::size_t>(kind.layout.oddsWidth), ' ')}};
    };
    for (const OddsKind* kind :
         {&kBracketKind, &kQuinellaKind, &kWideKind, &kExactaKind, &kTrioKind}) {
        SCOPED_TRACE(kind->name);
        snapshot = RaceSnapshot{};
        table.Reset();
        Scratch(4);
        Put(*kind, recs(*kind));
        Run(*kind);

        const int horses = kind->layout.horses;
        const auto comb = [&](int a, int b, int c) {
            // brackets and pairs keep two numbers, trios three
            return std::array<int, 3>{a, b, horses == 3 ? c : 0};
        };
        const std::int64_t upperOfFirst = kind->wide ? 41 : 0;
        // Brackets are no horses: a scratched horse cancels nothing there.
        const bool bracket = horses == 0;
        const std::vector<Expected> expected{
            {comb(1, 2, 3), Priced, 25, upperOfFirst, 2},
            {comb(1, 3, 5), NoOdds, 0, 0, 0},
            {comb(2, 3, 5), Cancelled, 0, 0, 0},
            bracket ? Expected{comb(1, 4, 6), Priced, 30, 0, 3}
                    : Expected{comb(1, 4, 6), Scratched, 0, 0, 0},
            {comb(2, 5, 6), Priced, 15, kind->wide ? 15 : 0, 1},
        };
        const KindSnapshot& taken = snapshot[kind->betKind];
        EXPECT_TRUE(taken.present);
        EXPECT_EQ(taken.oddsTime, "14:05");
        ASSERT_EQ(taken.entries.size(), expected.size());
        const std::vector<std::string> popularity = Lines(kind->popularityFile);
        ASSERT_EQ(popularity.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const OddsEntry& entry = taken.entries[i];
            const Expected& e = expected[i];
            SCOPED_TRACE("record " + std::to_string(i));
            EXPECT_EQ(entry.horses, e.horses);
            EXPECT_EQ(entry.state, e.state);
            EXPECT_EQ(entry.odds, e.odds);
            EXPECT_EQ(entry.upper, e.upper);
            EXPECT_EQ(entry.rank, e.rank);
            if (e.rank != 0) {
                // the line at that rank is this record's
                const std::string& line = popularity[static_cast<std::size_t>(e.rank - 1)];
                const int c = horses == 3 ? e.horses[2] : 0;
                EXPECT_EQ(line.substr(0, Shown(*kind, e.horses[0], e.horses[1], c).size()),
                          Shown(*kind, e.horses[0], e.horses[1], c))
                    << line;
            }
        }
    }
}

TEST_F(OddsListsTest, AKindWithoutItsFileIsAbsentAndAFailedStepLeavesItsKindAsItWas) {
    // Without a file: not present, no entries, no time, no total.
    for (const OddsKind* kind : {&kBracketKind, &kQuinellaKind, &kExactaKind, &kTrioKind}) {
        snapshot = RaceSnapshot{};
        files = RaceFiles{};
        Run(*kind);
        const KindSnapshot& taken = snapshot[kind->betKind];
        EXPECT_FALSE(taken.present) << kind->name;
        EXPECT_TRUE(taken.entries.empty()) << kind->name;
        EXPECT_TRUE(taken.oddsTime.empty()) << kind->name;
        EXPECT_FALSE(taken.votes.has_value()) << kind->name;
    }

    // A record that is no number stops the step before its kinds change.
    snapshot = RaceSnapshot{};
    Put(kQuinellaKind, {{1, 2, 0, Odds(kQuinellaKind, "3.3")}});
    Run(kQuinellaKind);
    const KindSnapshot before = snapshot[BetKind::Quinella];
    ASSERT_EQ(before.entries.size(), 1u);
    Put(kQuinellaKind, {{1, 2, 0, Odds(kQuinellaKind, "3.3")}, {1, 3, 0, "  x1.0"}});
    EXPECT_THROW(Run(kQuinellaKind), DataError);
    EXPECT_EQ(snapshot[BetKind::Quinella].entries.size(), before.entries.size());
    EXPECT_EQ(snapshot[BetKind::Quinella].entries[0].odds, 33);
    EXPECT_TRUE(snapshot[BetKind::Wide].present);
}

// The totals the files carry arrive as numbers; a total that is no number arrives as none.
TEST_F(OddsListsTest, TheSnapshotTakesTheVoteTotalsAsNumbers) {
    struct Case {
        const OddsKind* kind;
        std::string field;
        std::optional<std::int64_t> votes;
    };
    const Case cases[] = {
        {&kExactaKind, "00004560000", 4560000},
        {&kTrioKind, "   98765432", 98765432},
        {&kTrioKind, "   9876543x", std::nullopt},
        {&kExactaKind, "99999999999", 99999999999},
    };
    for (const Case& c : cases) {
        snapshot = RaceSnapshot{};
        JraLine line = OddsLine(*c.kind, {{1, 2, 3, Odds(*c.kind, "5.6")}});
        line.At(c.kind->layout.totalColumn, c.field);
        Put(c.kind->dataKind, line.str());
        Run(*c.kind);
        EXPECT_EQ(snapshot[c.kind->betKind].votes, c.votes) << c.kind->name << " " << c.field;
    }
}

}  // namespace
}  // namespace orvikel::testing
