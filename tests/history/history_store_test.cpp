// OrviKV.db: what is stored, when, and how long it is kept.
#include <gtest/gtest.h>

#include "history_store.hpp"
#include "jra_fixture.hpp"
#include "snapshot_fixture.hpp"

namespace orvikel::history::testing {
namespace {

using ::orvikel::testing::TempDir;

constexpr std::int64_t kNow = 1700000000;
constexpr std::int64_t kDay = 24 * 60 * 60;

void ExpectSameSnapshot(const RaceSnapshot& got, const RaceSnapshot& want) {
    EXPECT_EQ(got.race, want.race);
    for (std::size_t k = 0; k < kBetKindCount; ++k) {
        SCOPED_TRACE("kind " + std::to_string(k));
        const KindSnapshot& g = got.kinds[k];
        const KindSnapshot& w = want.kinds[k];
        EXPECT_EQ(g.present, w.present);
        EXPECT_EQ(g.oddsTime, w.oddsTime);
        EXPECT_EQ(g.votes, w.votes);
        ASSERT_EQ(g.entries.size(), w.entries.size());
        for (std::size_t i = 0; i < g.entries.size(); ++i) {
            EXPECT_EQ(g.entries[i].horses, w.entries[i].horses) << i;
            EXPECT_EQ(g.entries[i].odds, w.entries[i].odds) << i;
            EXPECT_EQ(g.entries[i].upper, w.entries[i].upper) << i;
            EXPECT_EQ(g.entries[i].state, w.entries[i].state) << i;
            EXPECT_EQ(g.entries[i].rank, w.entries[i].rank) << i;
        }
    }
}

TEST(HistoryStore, KeepsEveryKindOfTheSnapshotAsItWasGiven) {
    TempDir dir;
    RaceSnapshot full = FullRace("15:20");
    // Both kinds of missing: a kind without its file and a file without a total; and the
    // states that carry no odds, plus odds past 16 bits.
    full[BetKind::Exacta] = KindSnapshot{};
    full[BetKind::Wide].votes.reset();
    full[BetKind::Trio].entries[0].state = PriceState::Cancelled;
    full[BetKind::Trio].entries[0].odds = 0;
    full[BetKind::Trio].entries[1].state = PriceState::Scratched;
    full[BetKind::Trio].entries[2].state = PriceState::NoOdds;
    full[BetKind::Trio].entries[3].odds = 999999;
    {
        auto store = OpenHistory(dir.path(), kNow);
        ASSERT_TRUE(store->Record(full, kNow));
    }
    const auto store = OpenHistory(dir.path(), kNow);  // read back from the file itself
    const auto stored = store->Snapshots(kRace);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].oddsTime, "15:20");
    EXPECT_EQ(stored[0].takenAt, kNow);
    ExpectSameSnapshot(stored[0].snapshot, full);
}

// One snapshot per odds time of a race: a refresh that finds the same time stores nothing,
// another race is counted apart, and a blank time is never stored.
TEST(HistoryStore, StoresOneSnapshotPerOddsTimeAndNoneForARepeat) {
    TempDir dir;
    const auto store = OpenHistory(dir.path(), kNow);
    const RaceKey other{5, 4, 3, 7, 12};
    struct Step {
        const char* time;
        RaceKey race;
        bool stored;
    } const steps[] = {
        {"15:20", kRace, true},  {"15:20", kRace, false}, {"15:20", other, true},
        {"15:21", kRace, true},  {"15:21", kRace, false}, {"15:20", kRace, true},
        {"  :  ", kRace, false}, {"", kRace, false},      {"25:70", kRace, false},
        {"15:22", kRace, true},
    };
    int n = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.time) + " step " + std::to_string(n));
        // The same odds each time: a repeat of a time is the same read again.
        const RaceSnapshot s = Snapshot(step.time, {{1, 25}, {2, 40}}, step.race);
        EXPECT_EQ(store->Record(s, kNow + n), step.stored);
        ++n;
    }
    std::vector<std::string> times;
    for (const StoredSnapshot& s : store->Snapshots(kRace)) {
        times.push_back(s.oddsTime);
    }
    EXPECT_EQ(times, (std::vector<std::string>{"15:20", "15:21", "15:20", "15:22"}));
    EXPECT_EQ(store->Snapshots(other).size(), 1u);
}

TEST(HistoryStore, PreviousIsTheNewestSnapshotWithAnotherOddsTime) {
    TempDir dir;
    const auto store = OpenHistory(dir.path(), kNow);
    EXPECT_FALSE(store->Previous(kRace, "15:20"));
    store->Record(Snapshot("15:20", {{1, 25}}), kNow);
    EXPECT_FALSE(store->Previous(kRace, "15:20"));  // the one on screen is no "before"
    store->Record(Snapshot("15:21", {{1, 30}}), kNow + 60);
    store->Record(Snapshot("15:22", {{1, 35}}), kNow + 120);
    const auto before = store->Previous(kRace, "15:22");
    ASSERT_TRUE(before);
    EXPECT_EQ(before->oddsTime, "15:21");
    EXPECT_EQ(before->snapshot[BetKind::Win].entries.at(0).odds, 30);
    EXPECT_EQ(store->Previous(kRace, "15:23")->oddsTime, "15:22");
}

// A win/place file caught half-written has no vote totals, yet the same odds time as the
// whole file read a moment later: the later read that differs replaces the stored one in its
// place, and reading the same again stores nothing.
TEST(HistoryStore, ADifferingReadOfTheSameOddsTimeReplacesTheStoredSnapshot) {
    TempDir dir;
    const auto store = OpenHistory(dir.path(), kNow);
    ASSERT_TRUE(store->Record(FullRace("15:19"), kNow));
    RaceSnapshot cut = FullRace("15:20");
    for (KindSnapshot& kind : cut.kinds) {
        kind.votes.reset();
    }
    ASSERT_TRUE(store->Record(cut, kNow + 10));
    const RaceSnapshot whole = FullRace("15:20");
    EXPECT_TRUE(store->Record(whole, kNow + 20));
    EXPECT_FALSE(store->Record(whole, kNow + 30));

    const auto stored = store->Snapshots(kRace);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].oddsTime, "15:19");
    EXPECT_EQ(stored[1].oddsTime, "15:20");
    EXPECT_EQ(stored[1].takenAt, kNow + 20);
    ExpectSameSnapshot(stored[1].snapshot, whole);
    EXPECT_EQ(store->Previous(kRace, "15:20")->oddsTime, "15:19");
}

// The odds time that tells snapshots apart: the win odds' time, else the latest other one.
TEST(HistoryStore, TheDecidingOddsTimeIsTheWinTimeElseTheLatestKind) {
    struct Case {
        const char* name;
        const char* win;  // nullptr: no win file
        std::vector<const char*> others;
        const char* expected;
    } const cases[] = {
        {"win time", "15:20", {"15:18", "15:22"}, "15:20"},
        {"blank win time", "  :  ", {"15:18", "15:22"}, "15:22"},
        {"no win file", nullptr, {" 9:40", "10:05"}, "10:05"},
        {"nothing timed", nullptr, {"  :  "}, ""},
        {"a win time no clock shows", "24:00", {"15:18"}, "15:18"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RaceSnapshot s;
        if (c.win != nullptr) {
            s[BetKind::Win].present = true;
            s[BetKind::Win].oddsTime = c.win;
        }
        std::size_t k = 2;
        for (const char* t : c.others) {
            s.kinds[k].present = true;
            s.kinds[k++].oddsTime = t;
        }
        EXPECT_EQ(SnapshotOddsTime(s), c.expected);
    }
}

// Snapshots older than the retention are removed when the history is opened, the rest stay.
TEST(HistoryStore, RetentionAtOpeningRemovesOnlySnapshotsPastItsDays) {
    TempDir dir;
    {
        auto store = OpenHistory(dir.path(), kNow);
        store->Record(Snapshot("10:00", {{1, 20}}), kNow - 40 * kDay);
        store->Record(Snapshot("11:00", {{1, 21}}), kNow - 30 * kDay - 1);
        store->Record(Snapshot("12:00", {{1, 22}}), kNow - 30 * kDay + 1);
        store->Record(Snapshot("13:00", {{1, 23}}), kNow - kDay);
    }
    const auto times = [&dir](int days) {
        std::vector<std::string> out;
        for (const StoredSnapshot& s : OpenHistory(dir.path(), kNow, days)->Snapshots(kRace)) {
            out.push_back(s.oddsTime);
        }
        return out;
    };
    EXPECT_EQ(times(kDefaultRetentionDays), (std::vector<std::string>{"12:00", "13:00"}));
    EXPECT_EQ(times(2), (std::vector<std::string>{"13:00"}));
}

}  // namespace
}  // namespace orvikel::history::testing
