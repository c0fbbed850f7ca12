// The live refresh's decisions: stamps of a race's files and when an attempt is retried,
// shown or reported.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "jra_fixture.hpp"
#include "shell/live_refresh.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(LiveStamps, AChangedAddedOrRemovedFileChangesTheStampsAndNothingElseDoes) {
    TempDir dir;
    RaceFiles files;
    files.name[1] = dir.Write("De-1.jra", "card");
    files.name[3] = dir.Write("Zo-1.jra", "odds");
    files.name[5] = text::PathText(dir.path() / "Ks-1.jra");  // not there yet
    const RaceStamps first = StampRaceFiles(files);
    EXPECT_TRUE(first[1].exists);
    EXPECT_EQ(first[3].size, 4u);
    EXPECT_FALSE(first[5].exists);
    EXPECT_EQ(StampRaceFiles(files), first);

    dir.Write("Other.jra", "another race");
    EXPECT_EQ(StampRaceFiles(files), first);
    dir.Write("Zo-1.jra", "odds, longer");
    const RaceStamps grown = StampRaceFiles(files);
    EXPECT_NE(grown, first);
    dir.Write("Ks-1.jra", "results");
    EXPECT_NE(StampRaceFiles(files), grown);
}

// Sets a file's write time to a fixed second and the given milliseconds past it. Windows'
// own call, because the MinGW runtime sets whole seconds only.
void SetWriteTime(const fs::path& path, int milliseconds) {
#ifdef _WIN32
    const std::uint64_t ticks = 133'000'000'000'000'000ULL + milliseconds * 10'000ULL;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
#else
    fs::last_write_time(path, fs::file_time_type(std::chrono::seconds(1'800'000'000) +
                                                 std::chrono::milliseconds(milliseconds)));
#endif
}

// The client rewrites its fixed-width files with the same size, often twice within a second:
// only the write time tells the rewrite, to below the second.
TEST(LiveStamps, ASameSizeRewriteWithinTheSecondChangesTheStamps) {
    TempDir dir;
    RaceFiles files;
    files.name[3] = dir.Write("Zo-1.jra", "odds 1");
    const fs::path path = text::NativePath(files.name[3]);
    SetWriteTime(path, 100);
    const RaceStamps first = StampRaceFiles(files);
    dir.Write("Zo-1.jra", "odds 2");
    SetWriteTime(path, 600);
    const RaceStamps rewritten = StampRaceFiles(files);
    EXPECT_EQ(rewritten[3].size, first[3].size);
    EXPECT_NE(rewritten, first);
}

RaceStamps Stamps(std::uintmax_t size) {
    RaceStamps s;
    s[3] = FileStamp{true, size, 7};
    return s;
}

// Each case is a run of attempts after one change of the files: whether the files moved
// under the attempt, its error, and what the window is told to do.
TEST(LiveRetry, RetriesAHalfWrittenFileAndReportsAnErrorOnlyAfterTheLastAttemptOnce) {
    struct Attempt {
        bool moved;
        const char* error;  // nullptr: no error
        LiveStep step;
    };
    struct Case {
        const char* name;
        std::vector<Attempt> attempts;
    } const cases[] = {
        {"settled at once", {{false, nullptr, LiveStep::Show}}},
        {"cut short then whole",
         {{false, "bad field", LiveStep::Retry}, {false, nullptr, LiveStep::Show}}},
        {"read while growing, no error",
         {{true, nullptr, LiveStep::Retry}, {false, nullptr, LiveStep::Show}}},
        {"always moving: shown after the last attempt",
         {{true, nullptr, LiveStep::Retry},
          {true, nullptr, LiveStep::Retry},
          {true, nullptr, LiveStep::Retry},
          {true, nullptr, LiveStep::Show}}},
        {"broken for good, then the same error after the next change",
         {{false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Report},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Quiet},
          {false, "other field", LiveStep::Retry},
          {false, "other field", LiveStep::Retry},
          {false, "other field", LiveStep::Retry},
          {false, "other field", LiveStep::Report}}},
        {"an error, a success, then the same error again is shown",
         {{false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Report},
          {false, nullptr, LiveStep::Show},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Retry},
          {false, "bad field", LiveStep::Report}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LiveRetry retry;
        int n = 0;
        for (const Attempt& a : c.attempts) {
            const auto error = a.error ? std::optional<std::string>(a.error) : std::nullopt;
            EXPECT_EQ(retry.After(Stamps(10), Stamps(a.moved ? 11 : 10), error), a.step)
                << "attempt " << n++;
        }
    }
}

// The per-race quiet rule on a clock of its own: each case is the race's stamps seen at the
// given milliseconds and when the race is then due (-1: nothing waits to be read); the race
// was read at 0.
TEST(RaceQuietRule, AChangeIsDueAfterTheQuietTimeOrTwoSecondsAfterTheFirstChangeAtTheLatest) {
    struct Seen {
        int ms;
        std::uintmax_t size;  // the race's stamps, by the size of one file
        int dueMs;
    };
    struct Case {
        const char* name;
        std::vector<Seen> seen;
    } const cases[] = {
        {"nothing changed", {{0, 10, -1}, {900, 10, -1}}},
        {"one change, then still", {{100, 11, 600}, {400, 11, 600}, {700, 11, 600}}},
        {"a burst: the quiet time from its last change",
         {{0, 11, 500}, {200, 12, 700}, {450, 13, 950}}},
        {"a client writing every 0.35 s: due 2 s after the first change",
         {{0, 11, 500},
          {350, 12, 850},
          {700, 13, 1200},
          {1050, 14, 1550},
          {1400, 15, 1900},
          {1750, 16, 2000},
          {2100, 17, 2000}}},
        {"back to what was read still counts as a change", {{0, 11, 500}, {300, 10, 800}}},
        {"a stream after a long still time: read once it has run for the quiet time",
         {{5000, 11, 5500}, {5350, 12, 5500}}},
    };
    using Clock = RaceQuietRule::Clock;
    const Clock::time_point zero{};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RaceQuietRule rule;
        rule.Read(Stamps(10), zero);
        for (const Seen& s : c.seen) {
            const auto now = zero + std::chrono::milliseconds(s.ms);
            rule.Observe(Stamps(s.size), now);
            const auto due = rule.DueAt();
            if (s.dueMs < 0) {
                EXPECT_FALSE(due) << "at " << s.ms;
                EXPECT_FALSE(rule.Due(now + std::chrono::hours(1)));
            } else {
                ASSERT_TRUE(due) << "at " << s.ms;
                EXPECT_EQ(*due - zero, std::chrono::milliseconds(s.dueMs)) << "at " << s.ms;
                EXPECT_FALSE(rule.Due(*due - std::chrono::milliseconds(1)));
                EXPECT_TRUE(rule.Due(*due));
            }
        }
    }
}

// A client that never stops writing gets the race read every 2 s, not once.
TEST(RaceQuietRule, AReadStartsTheWaitAgainFromTheNextChange) {
    using Clock = RaceQuietRule::Clock;
    const Clock::time_point zero{};
    RaceQuietRule rule;
    rule.Read(Stamps(0), zero);
    std::vector<int> reads;
    std::uintmax_t size = 0;
    for (int ms = 0; ms <= 8000; ms += 50) {
        const auto now = zero + std::chrono::milliseconds(ms);
        if (ms % 350 == 0) {
            rule.Observe(Stamps(++size), now);
        }
        if (rule.Due(now)) {
            rule.Read(Stamps(size), now);
            reads.push_back(ms);
        }
    }
    ASSERT_GE(reads.size(), 3u);
    int last = 0;
    for (int at : reads) {
        EXPECT_LE(at - last, 2000) << "read at " << at;
        last = at;
    }
    EXPECT_FALSE(rule.DueAt());
}

TEST(LiveRetry, ANewChangeStartsTheAttemptsAgain) {
    LiveRetry retry;
    const std::optional<std::string> error = "bad";
    EXPECT_EQ(retry.After(Stamps(1), Stamps(1), error), LiveStep::Retry);
    EXPECT_EQ(retry.After(Stamps(1), Stamps(1), error), LiveStep::Retry);
    retry.Restart();
    EXPECT_EQ(retry.After(Stamps(1), Stamps(1), error), LiveStep::Retry);
    EXPECT_EQ(retry.After(Stamps(1), Stamps(1), error), LiveStep::Retry);
    EXPECT_EQ(retry.After(Stamps(1), Stamps(1), error), LiveStep::Retry);
    EXPECT_EQ(retry.After(Stamps(1), Stamps(1), error), LiveStep::Report);
}

}  // namespace
}  // namespace orvikel
