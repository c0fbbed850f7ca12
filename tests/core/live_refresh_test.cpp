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
