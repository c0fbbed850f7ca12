// OrviKV.db that cannot serve: one Japanese message naming the file, and the file left alone.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <fstream>

#include "history_store.hpp"
#include "jra_fixture.hpp"
#include "platform/file_io.hpp"
#include "snapshot_fixture.hpp"

namespace orvikel::history::testing {
namespace {

namespace fs = std::filesystem;
using ::orvikel::testing::TempDir;
using ::orvikel::testing::U8;

constexpr std::int64_t kNow = 1700000000;

std::string Bytes(const fs::path& file) {
    return ReadFileBytes(file);
}

void Overwrite(const fs::path& file, std::uintmax_t at, const std::string& bytes) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(at));
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A database with a few snapshots, checkpointed so everything is in the main file.
fs::path FilledDatabase(const TempDir& dir) {
    {
        auto store = OpenHistory(dir.path(), kNow);
        for (int i = 0; i < 6; ++i) {
            store->Record(FullRace("15:0" + std::to_string(i), i), kNow);
        }
    }
    return dir.path() / kDatabaseName;
}

std::string OpenMessage(const fs::path& programDir) {
    try {
        OpenHistory(programDir, kNow);
    } catch (const HistoryError& e) {
        return U8(e.what());
    }
    return "(opened)";
}

TEST(HistoryFailure, AFileThatIsNoDatabaseIsReportedAndLeftAsItWas) {
    struct Case {
        const char* name;
        std::string bytes;
    } const cases[] = {
        {"text", std::string("not a database at all, just some notes\n", 39)},
        {"random", std::string(4096, '\x5a')},
        {"header only", std::string("SQLite format 3\0", 16) + std::string(84, '\xff')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path file = dir.path() / kDatabaseName;
        dir.Write(kDatabaseName, c.bytes);
        const std::string message = OpenMessage(dir.path());
        EXPECT_NE(message.find("OrviKV.db"), std::string::npos) << message;
        EXPECT_NE(message.find("壊れているか、データベースではありません"), std::string::npos)
            << message;
        EXPECT_EQ(Bytes(file), c.bytes);
        EXPECT_FALSE(fs::exists(dir.path() / "OrviKV.db-wal"));
    }
}

TEST(HistoryFailure, DamagedPagesFailReadingWithTheMessageNotACrash) {
    TempDir dir;
    const fs::path file = FilledDatabase(dir);
    // Page 1 is the header and the schema; scribble over every page after it.
    const std::uintmax_t size = fs::file_size(file);
    for (std::uintmax_t at = 4096; at + 64 <= size; at += 4096) {
        Overwrite(file, at, std::string(64, '\x7f'));
    }
    try {
        auto store = OpenHistory(dir.path(), kNow);
        store->Snapshots(kRace);
        ADD_FAILURE() << "damage went unnoticed";
    } catch (const HistoryError& e) {
        EXPECT_NE(U8(e.what()).find("OrviKV.db"), std::string::npos);
    }
    EXPECT_TRUE(fs::exists(file));
}

TEST(HistoryFailure, ADatabaseOfANewerVersionIsNotTouched) {
    TempDir dir;
    const fs::path file = FilledDatabase(dir);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const std::string before = Bytes(file);
    EXPECT_NE(OpenMessage(dir.path()).find("新しい版"), std::string::npos);
    EXPECT_EQ(Bytes(file), before);
}

// Another program holding the database: opening gives up after a short wait with the message,
// and so does storing when the lock comes while the history is open; then it works again.
TEST(HistoryFailure, ALockedDatabaseIsReportedAfterAShortWait) {
    TempDir dir;
    const fs::path file = FilledDatabase(dir);
    auto open = OpenHistory(dir.path(), kNow);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(OpenMessage(dir.path()).find("別のプログラムが使用中"), std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_THROW(open->Record(FullRace("16:00"), kNow), HistoryError);

    ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    EXPECT_TRUE(open->Record(FullRace("16:00"), kNow));
    EXPECT_EQ(open->Snapshots(kRace).size(), 7u);
}

// Another program's SQLite database under our name: refused before anything in it changes,
// its journal mode included.
TEST(HistoryFailure, AForeignDatabaseIsRefusedUnchanged) {
    TempDir dir;
    const fs::path file = dir.path() / kDatabaseName;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE notes(x TEXT); INSERT INTO notes VALUES('mine');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const std::string before = Bytes(file);
    EXPECT_NE(OpenMessage(dir.path()).find("オッズ履歴のデータベースではありません"),
              std::string::npos);
    EXPECT_EQ(Bytes(file), before);
    EXPECT_FALSE(fs::exists(dir.path() / "OrviKV.db-wal"));
}

// Values no refresh stores, written into the file by someone else: refused as damage when
// read, never handed on to be charted.
TEST(HistoryFailure, StoredValuesOutOfRangeAreRefusedNotRead) {
    struct Case {
        const char* name;
        const char* sql;
    } const cases[] = {
        {"a time past 23:59", "UPDATE snapshot SET odds_time = CAST('25:70' AS BLOB)"},
        {"a time that is no time", "UPDATE snapshot SET odds_time = CAST('ab:cd' AS BLOB)"},
        {"negative odds",
         "UPDATE kind SET entries = X'0100000001000000F6FFFFFF00000000' WHERE kind = 0"},
        {"negative upper bound",
         "UPDATE kind SET entries = X'01000000010000000A000000F6FFFFFF' WHERE kind = 1"},
        {"horse 19",
         "UPDATE kind SET entries = X'13000000010000000500000000000000' WHERE kind = 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        {
            auto store = OpenHistory(dir.path(), kNow);
            ASSERT_TRUE(store->Record(FullRace("15:20"), kNow));
        }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((dir.path() / kDatabaseName).string().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        auto store = OpenHistory(dir.path(), kNow);
        EXPECT_THROW(store->Snapshots(kRace), HistoryError);
    }
}

TEST(HistoryFailure, AFolderInThePlaceOfTheFileOrNoFolderCannotBeOpened) {
    TempDir dir;
    fs::create_directory(dir.path() / kDatabaseName);
    EXPECT_NE(OpenMessage(dir.path()).find("開けません"), std::string::npos);
    EXPECT_NE(OpenMessage(dir.path() / "missing").find("開けません"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir.path() / kDatabaseName));
}

}  // namespace
}  // namespace orvikel::history::testing
