// One writer at a time per program folder, one viewer per folder, temporary files of their
// own, and the clean-up of those a killed writer left.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <thread>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "platform/encoding.hpp"
#include "platform/error_text.hpp"
#include "platform/file_io.hpp"
#include "platform/folder_lock.hpp"
#include "platform/literals.hpp"
#include "sample/sample_folder.hpp"
#include "session_fixture.hpp"
#include "settings/settings.hpp"
#include "shell/viewer_instance.hpp"
#include "shell/viewer_session.hpp"

namespace orvikel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string PathUtf8(const fs::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

// Only the POSIX tests below use it.
[[maybe_unused]] std::map<std::string, std::string> WorkFiles(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Qv")) {
            files[name] = ReadFileBytes(entry.path());
        }
    }
    return files;
}

// The tests with a second process that holds the lock use fork (POSIX only).
#ifndef _WIN32
// A child process that takes the writer lock of dir and then waits to be killed; returns its
// id once it holds the lock.
pid_t ChildHoldingTheWriterLock(const fs::path& dir) {
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        const WriterLock lock(dir, 0ms);
        const char held = 'x';
        (void)!write(ready[1], &held, 1);
        for (;;) {
            pause();
        }
    }
    close(ready[1]);
    char held = 0;
    EXPECT_EQ(read(ready[0], &held, 1), 1);
    close(ready[0]);
    return child;
}
#endif

TEST(WriterLock, ASecondWriterWaitsThenNamesTheFolder) {
    TempDir dir;
    std::optional<WriterLock> first(std::in_place, dir.path());
    const auto start = Clock::now();
    try {
        const WriterLock second(dir.path(), 200ms);
        FAIL() << "two writers at once";
    } catch (const DataError& e) {
        EXPECT_EQ(ErrorTextUtf8(e), "フォルダ " + PathUtf8(dir.path()) +
                                        " には別の OrviKEL Viewer か orvikel-dump が書き込み中"
                                        "です。少し待ってからもう一度操作してください");
    }
    EXPECT_GE(Clock::now() - start, 200ms);

    // The waiting writer goes on as soon as the first one is done.
    auto second = std::async(std::launch::async, [&] { WriterLock lock(dir.path(), 5s); });
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(second.wait_for(0ms), std::future_status::timeout);
    first.reset();
    EXPECT_EQ(second.wait_for(2s), std::future_status::ready);
    second.get();
}

#ifndef _WIN32
TEST(WriterLock, IsHeldAcrossProcessesAndFreedWhenItsHolderIsKilled) {
    TempDir dir;
    const pid_t child = ChildHoldingTheWriterLock(dir.path());
    EXPECT_THROW(WriterLock(dir.path(), 100ms), DataError);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const auto start = Clock::now();
    EXPECT_NO_THROW(WriterLock(dir.path(), 2s));
    EXPECT_LT(Clock::now() - start, 500ms);
}

#endif

TEST(WriterLock, AFolderNothingCanBeMadeInIsLeftToItsWritesToReport) {
    TempDir dir;
    dir.Write("file", "x");
    EXPECT_NO_THROW(WriterLock(dir.path() / "file", 0ms));
    EXPECT_NO_THROW(WriterLock(dir.path() / "missing", 0ms));
}

// A folder of the lock file's name in a folder that can be written: going on unlocked would
// let two writers (or two viewers) mix their files, so each refuses and names the lock file.
TEST(WriterLock, ALockFileThatCannotBeUsedInAWritableFolderIsRefusedNamingIt) {
    TempDir dir;
    fs::create_directory(dir.path() / kWriterLockFileName);
    fs::create_directory(dir.path() / kViewerLockFileName);
    const auto message = [&](const char* file) {
        return "ファイル " + PathUtf8(dir.path() / file) + " をロックできません";
    };
    try {
        const WriterLock lock(dir.path(), 0ms);
        ADD_FAILURE() << "a writer without its lock";
    } catch (const DataError& e) {
        EXPECT_EQ(ErrorTextUtf8(e), message(kWriterLockFileName));
    }
    try {
        const ViewerInstance viewer(dir.path());
        ADD_FAILURE() << "a viewer without its lock";
    } catch (const DataError& e) {
        EXPECT_EQ(ErrorTextUtf8(e), message(kViewerLockFileName));
    }
}

// A writer waiting for the lock while its file is deleted and made anew by a third one: when
// the first holder lets go, the waiting writer must not count the old, deleted file as the
// lock while the third one holds the file now at the path.
TEST(WriterLock, ALockTakenOnAFileNoLongerAtItsPathIsTakenAgainOnTheFileThere) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the lock file cannot be deleted while a writer has it open";
#else
    TempDir dir;
    std::optional<WriterLock> first(std::in_place, dir.path(), 0ms);
    auto waiting = std::async(std::launch::async, [&] { WriterLock lock(dir.path(), 3s); });
    std::this_thread::sleep_for(100ms);  // it has the first file open and waits
    fs::remove(dir.path() / kWriterLockFileName);
    std::optional<WriterLock> third(std::in_place, dir.path(), 0ms);
    first.reset();
    EXPECT_EQ(waiting.wait_for(300ms), std::future_status::timeout)
        << "two writers hold the lock at once";
    third.reset();
    ASSERT_EQ(waiting.wait_for(3s), std::future_status::ready);
    waiting.get();
#endif
}

// The viewer waits for no other program on its GUI thread: with the process's default wait
// set to none, a writer at work stops a new one at once, as WriterBusy, which may be tried
// again.
TEST(WriterLock, WithNoDefaultWaitABusyFolderIsReportedAtOnceAsBusy) {
    TempDir dir;
    const WriterLock first(dir.path());
    SetDefaultWriterLockWait(0ms);
    const auto start = Clock::now();
    EXPECT_THROW(WriterLock{dir.path()}, WriterBusy);
    SetDefaultWriterLockWait(kWriterLockWait);
    EXPECT_LT(Clock::now() - start, kWriterLockWait / 5);  // not the wait, whatever the load
    EXPECT_EQ(DefaultWriterLockWait(), kWriterLockWait);
}

TEST(ViewerInstance, ASecondViewerOnTheSameFolderIsToldAndAnotherFolderIsFree) {
    TempDir dir;
    std::optional<ViewerInstance> first(std::in_place, dir.path());
    try {
        const ViewerInstance second(dir.path());
        FAIL() << "two viewers on one folder";
    } catch (const DataError& e) {
        EXPECT_EQ(ErrorTextUtf8(e),
                  "フォルダ " + PathUtf8(dir.path()) + " の OrviKEL Viewer は既に起動しています");
    }
    TempDir other;
    EXPECT_NO_THROW(ViewerInstance{other.path()});
    // A viewer that has ended, or was killed, leaves the folder free.
    first.reset();
    EXPECT_NO_THROW(ViewerInstance{dir.path()});
}

TEST(StaleTempFiles, OnlyOursAreRemovedAndOnlyWhenNoWriterIsAtWork) {
    struct Case {
        const char* name;
        bool removed;
    };
    const Case cases[] = {
        {"QvDESo.dat.4242.0a1b2c3d.tmp", true},
        {"QvYOBNo.dat.1.ffffffff.tmp", true},
        {"OrviKV.ini.977.00000000.tmp", true},
        {"QvHyou.dat.tmp", true},  // as earlier versions named them
        {"OrviKV.ini.tmp", true},
        {"QvDESo.dat", false},
        {"OrviKV.ini", false},
        {"notes.txt.4242.0a1b2c3d.tmp", false},
        {"Qv1.dat.4242.0a1b2c3d.tmp", false},
        {"QvDESo.dat.4243.0A1B2C3D.tmp", false},  // not the name above on Windows
        {"QvDESo.dat.42x.0a1b2c3d.tmp", false},
        {"QvDESo.dat.4242.0a1b2c3.tmp", false},
        {"QvDESo.dat.4242.0a1b2c3d.tmp.bak", false},
        {"OrviKV.db.4242.0a1b2c3d.tmp", false},
        {".tmp", false},
    };
    TempDir dir;
    for (const Case& c : cases) {
        dir.Write(c.name, "x");
    }
    fs::create_directory(dir.path() / "QvDENo.dat.1.0a1b2c3d.tmp");  // a folder is not ours

    {
        // Another writer at work: its temporary files may be in use.
        const WriterLock writer(dir.path());
        EXPECT_EQ(RemoveStaleTempFiles(dir.path()), 0);
    }
    EXPECT_EQ(RemoveStaleTempFiles(dir.path()), 5);
    for (const Case& c : cases) {
        EXPECT_EQ(fs::exists(dir.path() / c.name), !c.removed) << c.name;
    }
    EXPECT_TRUE(fs::is_directory(dir.path() / "QvDENo.dat.1.0a1b2c3d.tmp"));

    // A viewer starting on the folder removes them.
    dir.Write("QvTSo.dat.12.abcdef01.tmp", "x");
    const ViewerInstance viewer(dir.path());
    EXPECT_FALSE(fs::exists(dir.path() / "QvTSo.dat.12.abcdef01.tmp"));
}

// Two threads replace one file over and over, a third reads it meanwhile: every read and the
// end state are one writer's whole bytes, never a mix, and no temporary file is left.
TEST(TempFiles, WritersOfOneFileNeverShareATemporaryFile) {
    TempDir dir;
    const fs::path target = dir.path() / "QvDESo.dat";
    const std::string a(20000, 'a');
    const std::string b(30000, 'b');
    WriteFileAtomically(target, a);
    std::atomic<bool> done{false};
    auto writer = [&](const std::string& bytes) {
        for (int i = 0; i < 300; ++i) {
            WriteFileAtomically(target, bytes);
        }
    };
    std::thread first(writer, a);
    std::thread second(writer, b);
    std::thread reader([&] {
        while (!done) {
            const std::string now = ReadFileBytes(target);
            if (now != a && now != b) {
                ADD_FAILURE() << "a mixed file of " << now.size() << " bytes";
                return;
            }
#ifdef _WIN32
            // A file open for reading cannot be replaced on Windows: a reader that never lets
            // go would stop every writer, which no viewer does.
            std::this_thread::sleep_for(2ms);
#endif
        }
    });
    first.join();
    second.join();
    done = true;
    reader.join();
    const std::string end = ReadFileBytes(target);
    EXPECT_TRUE(end == a || end == b);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// A refresh of a sample race with every kind of file, the trio odds among them, with a program
// folder of its own.
using LockedRefresh = testing::CompleteSampleRace;

TEST_F(LockedRefresh, ARefreshWaitsForTheWriterAtWorkAndThenWritesItsWholeSet) {
    fs::remove(program() / "QvHyou.dat");
    std::optional<WriterLock> other(std::in_place, program());
    auto refresh = std::async(std::launch::async, [&] { session_.ClickRace(race_); });
    EXPECT_EQ(refresh.wait_for(300ms), std::future_status::timeout);
    EXPECT_FALSE(fs::exists(program() / "QvHyou.dat")) << "written while another writer works";
    other.reset();
    ASSERT_EQ(refresh.wait_for(5s), std::future_status::ready);
    refresh.get();
    EXPECT_TRUE(fs::exists(program() / "QvHyou.dat"));
}

#ifndef _WIN32
TEST_F(LockedRefresh, AWriterThatNeverEndsStopsTheRefreshWithTheFolderNamed) {
    const auto before = WorkFiles(program());
    const pid_t child = ChildHoldingTheWriterLock(program());
    const auto start = Clock::now();
    try {
        session_.ClickRace(race_);
        ADD_FAILURE() << "refreshed beside another writer";
    } catch (const DataError& e) {
        EXPECT_NE(ErrorTextUtf8(e).find(PathUtf8(program())), std::string::npos);
        EXPECT_NE(std::string(e.what()).find(lit::kWriterBusySuffix), std::string::npos);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_GE(Clock::now() - start, kWriterLockWait);
    EXPECT_EQ(WorkFiles(program()), before);
}
#endif

TEST_F(LockedRefresh, ATrioExtractionAndASettingsSaveWaitForTheWriterAtWork) {
    session_.ClickTrioMode(BoxWheelMode::Box);
    ASSERT_TRUE(session_.TrioPanelVisible());
    session_.ClickTrioHorse(1);
    session_.ClickTrioHorse(2);
    std::optional<WriterLock> other(std::in_place, program());
    auto extraction = std::async(std::launch::async, [&] { session_.ClickTrioHorse(3); });
    auto save = std::async(std::launch::async, [&] {
        SaveSettings(program(), SettingsToSave{"/kel/", std::string(lit::kSignDash), SortFlags{}});
    });
    EXPECT_EQ(extraction.wait_for(300ms), std::future_status::timeout);
    EXPECT_EQ(save.wait_for(0ms), std::future_status::timeout);
    EXPECT_FALSE(fs::exists(program() / "QvYOBSo.dat"));
    EXPECT_FALSE(fs::exists(program() / kSettingsFileName));
    other.reset();
    ASSERT_EQ(extraction.wait_for(5s), std::future_status::ready);
    ASSERT_EQ(save.wait_for(5s), std::future_status::ready);
    extraction.get();
    save.get();
    EXPECT_EQ(ReadLines(program() / "QvYOBSo.dat").size(), 1u);
    EXPECT_EQ(ReadSettings(program()).KelDir, "/kel/");
}

// The viewer's GUI thread waits for no writer: what another writer stops changes nothing,
// so the window can simply make the same step again once that writer is done. A trio click
// keeps the ticks it found; a live refresh spends none of its attempts on it.
TEST_F(LockedRefresh, StepsStoppedByAnotherWriterWithoutWaitingChangeNothing) {
    session_.ClickTrioMode(BoxWheelMode::Box);
    session_.ClickTrioHorse(1);
    session_.ClickTrioHorse(2);
    std::optional<WriterLock> other(std::in_place, program());
    SetDefaultWriterLockWait(0ms);
    EXPECT_THROW(session_.ClickTrioHorse(3), WriterBusy);
    EXPECT_FALSE(session_.trio().IsTicked(3));
    EXPECT_EQ(session_.trio().TickedCount(), 2);

    fs::last_write_time(text::NativePath(session_.ShownRaceFiles().Name(kWinPlace)),
                        fs::file_time_type::clock::now() + 5s);
    for (int attempt = 0; attempt < 2 * LiveRetry::kAttempts; ++attempt) {
        EXPECT_THROW(session_.FollowClient(), WriterBusy);
    }
    SetDefaultWriterLockWait(kWriterLockWait);
    other.reset();
    EXPECT_EQ(session_.ClickTrioHorse(3), ExtractResult::ListsWritten);
    EXPECT_EQ(session_.FollowClient(), LiveStep::Show);
}

}  // namespace
}  // namespace orvikel::testing
