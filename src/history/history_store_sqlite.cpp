// The store on SQLite: OrviKV.db in the program folder.
#include <sqlite3.h>

#include <optional>

#include "entry_codec.hpp"
#include "history_store.hpp"
#include "platform/data_error.hpp"
#include "platform/encoding.hpp"
#include "platform/folder_lock.hpp"
#include "sqlite_db.hpp"

namespace orvikel::history {

namespace {

// Raised whenever the tables change shape; a file of a newer version is left alone.
constexpr int kSchemaVersion = 1;
constexpr int kBusyMs = 500;  // the GUI thread waits no longer for another program
constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS snapshot(
    id INTEGER PRIMARY KEY,
    venue INTEGER NOT NULL, key_a INTEGER NOT NULL, key_b INTEGER NOT NULL,
    key_c INTEGER NOT NULL, race INTEGER NOT NULL,
    odds_time BLOB NOT NULL,  -- CP932 "HH:MM", the time that made it a new snapshot
    taken_at INTEGER NOT NULL -- seconds since 1970, UTC
);
CREATE INDEX IF NOT EXISTS snapshot_by_race
    ON snapshot(venue, key_a, key_b, key_c, race, id);
CREATE INDEX IF NOT EXISTS snapshot_by_age ON snapshot(taken_at);
CREATE TABLE IF NOT EXISTS kind(
    snapshot_id INTEGER NOT NULL,
    kind INTEGER NOT NULL,    -- 0 win, 1 place, 2 bracket quinella, 3 quinella, 4 wide,
                              -- 5 exacta, 6 trio
    present INTEGER NOT NULL, -- its data file was read
    odds_time BLOB NOT NULL,  -- CP932, as the file gives it
    votes INTEGER,            -- NULL when the file carries no total
    entries BLOB NOT NULL,    -- 16-byte records, see entry_codec.hpp
    PRIMARY KEY(snapshot_id, kind)
) WITHOUT ROWID;
)";

constexpr const char* kRaceWhere =
    "venue = ?1 AND key_a = ?2 AND key_b = ?3 AND key_c = ?4 AND race = ?5";

std::string Message(const std::filesystem::path& file, const char* what) {
    return text::ToCp932("オッズ履歴 ") + text::PathText(file) + text::ToCp932(what);
}

// One message per kind of failure; the SQLite detail is English and stays out of it.
[[noreturn]] void Fail(const std::filesystem::path& file, const SqliteError& e) {
    if (e.Busy()) {
        throw HistoryError(Message(file, " は別のプログラムが使用中です。履歴なしで続けます。"));
    }
    if (e.Corrupt()) {
        throw HistoryError(Message(file,
                                   " は壊れているか、データベースではありません。"
                                   "ファイルはそのまま残し、履歴なしで続けます。"));
    }
    if ((e.code() & 0xff) == SQLITE_CANTOPEN || (e.code() & 0xff) == SQLITE_PERM ||
        (e.code() & 0xff) == SQLITE_READONLY) {
        throw HistoryError(Message(file, " を開けません。履歴なしで続けます。"));
    }
    throw HistoryError(Message(file, " を読み書きできません。履歴なしで続けます。"));
}

void BindRace(Statement& s, const RaceKey& race) {
    s.Bind(1, race.venue)
        .Bind(2, race.meetingKeyA)
        .Bind(3, race.meetingKeyB)
        .Bind(4, race.meetingKeyC)
        .Bind(5, race.race);
}

class SqliteHistory final : public HistoryStore {
  public:
    SqliteHistory(const std::filesystem::path& programDir, std::int64_t now, int retentionDays)
        : programDir_(programDir), file_(programDir / kDatabaseName), db_(Open(file_)) {
        try {
            {
                const WriterLock lock = Lock();
                Prepare();
            }
            RemoveOlderThan(now - static_cast<std::int64_t>(retentionDays) * kSecondsPerDay);
        } catch (const SqliteError& e) {
            Fail(file_, e);
        }
    }

    bool Record(const RaceSnapshot& snapshot, std::int64_t takenAt) override {
        const std::string oddsTime = SnapshotOddsTime(snapshot);
        if (oddsTime.empty()) {
            return false;
        }
        try {
            std::optional<WriterLock> lock;
            try {
                lock.emplace(programDir_);
            } catch (const WriterBusy&) {
                // Another program is writing and the viewer waits for none: this refresh's
                // snapshot is left out, the next refresh of the race stores its time.
                return false;
            } catch (const DataError& e) {
                throw HistoryError(e.what());
            }
            Transaction tx(*db_);
            Statement last(db_->handle(), std::string("SELECT id, odds_time FROM snapshot WHERE ") +
                                              kRaceWhere + " ORDER BY id DESC LIMIT 1");
            BindRace(last, snapshot.race);
            std::int64_t id = 0;
            if (last.Step() && last.Blob(1) == oddsTime) {
                // The same odds time read again: a read that caught a file half-written
                // (a win file cut short has no totals) differs from the complete one that
                // follows, and the latest complete read is the one to keep.
                id = last.Int(0);
                if (SameKinds(id, snapshot)) {
                    return false;  // the transaction rolls back: nothing was written
                }
                Statement drop(db_->handle(), "DELETE FROM kind WHERE snapshot_id = ?1");
                drop.Bind(1, id).Run();
                Statement retake(db_->handle(), "UPDATE snapshot SET taken_at = ?2 WHERE id = ?1");
                retake.Bind(1, id).Bind(2, takenAt).Run();
            } else {
                Statement add(db_->handle(),
                              "INSERT INTO snapshot(venue, key_a, key_b, key_c, race, odds_time, "
                              "taken_at) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
                BindRace(add, snapshot.race);
                add.BindBlob(6, oddsTime).Bind(7, takenAt).Run();
                id = db_->LastInsertId();
            }
            Statement kind(db_->handle(),
                           "INSERT INTO kind(snapshot_id, kind, present, odds_time, votes, "
                           "entries) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
            for (std::size_t k = 0; k < kBetKindCount; ++k) {
                const KindSnapshot& ks = snapshot.kinds[k];
                kind.Reset();
                kind.Bind(1, id)
                    .Bind(2, static_cast<std::int64_t>(k))
                    .Bind(3, ks.present ? 1 : 0)
                    .BindBlob(4, ks.oddsTime)
                    .BindBlob(6, EncodeEntries(ks.entries));
                if (ks.votes) {
                    kind.Bind(5, *ks.votes);
                } else {
                    kind.BindNull(5);
                }
                kind.Run();
            }
            tx.Commit();
            return true;
        } catch (const SqliteError& e) {
            Fail(file_, e);
        }
    }

    std::vector<StoredSnapshot> Snapshots(const RaceKey& race, bool winOnly) const override {
        return Read(race, std::nullopt, false, winOnly);
    }

    std::optional<StoredSnapshot> Previous(const RaceKey& race,
                                           const std::string& oddsTime) const override {
        std::vector<StoredSnapshot> found = Read(race, oddsTime, true, false);
        if (found.empty()) {
            return std::nullopt;
        }
        return std::move(found.front());
    }

    int RemoveOlderThan(std::int64_t cutoff) override {
        try {
            const WriterLock lock = Lock();
            Transaction tx(*db_);
            Statement kinds(db_->handle(),
                            "DELETE FROM kind WHERE snapshot_id IN "
                            "(SELECT id FROM snapshot WHERE taken_at < ?1)");
            kinds.Bind(1, cutoff).Run();
            Statement snapshots(db_->handle(), "DELETE FROM snapshot WHERE taken_at < ?1");
            snapshots.Bind(1, cutoff).Run();
            const int removed = sqlite3_changes(db_->handle());
            tx.Commit();
            return removed;
        } catch (const SqliteError& e) {
            Fail(file_, e);
        }
    }

  private:
    // True when the stored kinds of snapshot id hold exactly what snapshot holds.
    bool SameKinds(std::int64_t id, const RaceSnapshot& snapshot) const {
        Statement stored(db_->handle(),
                         "SELECT kind, present, odds_time, votes, entries FROM kind "
                         "WHERE snapshot_id = ?1 ORDER BY kind");
        stored.Bind(1, id);
        std::size_t k = 0;
        for (; stored.Step(); ++k) {
            if (k >= kBetKindCount || stored.Int(0) != static_cast<std::int64_t>(k)) {
                return false;
            }
            const KindSnapshot& ks = snapshot.kinds[k];
            const bool storedVotes = !stored.IsNull(3);
            if ((stored.Int(1) != 0) != ks.present || stored.Blob(2) != ks.oddsTime ||
                storedVotes != ks.votes.has_value() ||
                (storedVotes && stored.Int(3) != *ks.votes) ||
                stored.Blob(4) != EncodeEntries(ks.entries)) {
                return false;
            }
        }
        return k == kBetKindCount;
    }

    // The program folder's writer lock, as every writer of the folder holds it (the viewer
    // and orvikel-dump may record into the same history); a writer that never lets go ends
    // the history like any other failure.
    WriterLock Lock() const {
        try {
            return WriterLock(programDir_);
        } catch (const DataError& e) {
            throw HistoryError(e.what());
        }
    }

    static std::unique_ptr<Database> Open(const std::filesystem::path& file) {
        try {
            return std::make_unique<Database>(file, kBusyMs);
        } catch (const SqliteError& e) {
            Fail(file, e);
        }
    }

    void Prepare() {
        // Reading the version is the first read of the file: a file that is not a database
        // fails here, before anything is written to it.
        const std::int64_t version = db_->QueryInt("PRAGMA user_version");
        if (version > kSchemaVersion) {
            throw HistoryError(Message(file_,
                                       " は新しい版のビューアで作られています。"
                                       "履歴なしで続けます。"));
        }
        // A database of another program under our name is refused before anything in it
        // changes (its journal mode included): only an empty file becomes our history.
        if (version < kSchemaVersion && db_->QueryInt("SELECT count(*) FROM sqlite_master") > 0) {
            throw HistoryError(Message(file_,
                                       " はオッズ履歴のデータベースではありません。"
                                       "ファイルはそのまま残し、履歴なしで続けます。"));
        }
        // WAL: a reader (the chart window, a second viewer) never waits for the writer, and
        // a snapshot costs no sync of the whole file.
        if (db_->QueryText("PRAGMA journal_mode=WAL") != "wal") {
            throw SqliteError(SQLITE_BUSY, "journal mode");
        }
        db_->Exec("PRAGMA synchronous=NORMAL");
        if (version < kSchemaVersion) {
            Transaction tx(*db_);
            db_->Exec(kSchema);
            db_->Exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
            tx.Commit();
        }
    }

    // Snapshots of the race, oldest first; or, with differentFrom, only the newest one whose
    // odds time differs from it. One query for the snapshots and their kinds together.
    std::vector<StoredSnapshot> Read(const RaceKey& race,
                                     const std::optional<std::string>& differentFrom,
                                     bool newestOnly, bool winOnly) const {
        try {
            std::string chosen = std::string("SELECT id FROM snapshot WHERE ") + kRaceWhere;
            if (differentFrom) {
                chosen += " AND odds_time <> ?6";
            }
            if (newestOnly) {
                chosen += " ORDER BY id DESC LIMIT 1";
            }
            Statement s(db_->handle(),
                        "SELECT s.id, s.odds_time, s.taken_at, k.kind, k.present, k.odds_time, "
                        "k.votes, CASE WHEN ?7 = 0 OR k.kind = 0 THEN k.entries END "
                        "FROM snapshot s JOIN kind k ON k.snapshot_id = s.id "
                        "WHERE s.id IN (" +
                            chosen + ") ORDER BY s.id, k.kind");
            BindRace(s, race);
            if (differentFrom) {
                s.BindBlob(6, *differentFrom);
            }
            s.Bind(7, winOnly ? 1 : 0);
            std::vector<StoredSnapshot> out;
            while (s.Step()) {
                if (out.empty() || out.back().id != s.Int(0)) {
                    // A time no clock shows is damage: refused like a damaged row, never
                    // charted.
                    if (!OddsTimeMinutes(s.Blob(1))) {
                        throw SqliteError(SQLITE_CORRUPT, "odds time");
                    }
                    StoredSnapshot stored;
                    stored.id = s.Int(0);
                    stored.oddsTime = s.Blob(1);
                    stored.takenAt = s.Int(2);
                    stored.snapshot.race = race;
                    out.push_back(std::move(stored));
                }
                const std::int64_t k = s.Int(3);
                auto entries = DecodeEntries(s.Blob(7));
                if (k < 0 || k >= static_cast<std::int64_t>(kBetKindCount) || !entries) {
                    throw SqliteError(SQLITE_CORRUPT, "kind row");
                }
                KindSnapshot& ks = out.back().snapshot.kinds[static_cast<std::size_t>(k)];
                ks.present = s.Int(4) != 0;
                ks.oddsTime = s.Blob(5);
                if (!s.IsNull(6)) {
                    ks.votes = s.Int(6);
                }
                ks.entries = std::move(*entries);
            }
            return out;
        } catch (const SqliteError& e) {
            Fail(file_, e);
        }
    }

    std::filesystem::path programDir_;
    std::filesystem::path file_;
    std::unique_ptr<Database> db_;
};

}  // namespace

bool HistoryBuiltIn() {
    return true;
}

std::unique_ptr<HistoryStore> OpenHistory(const std::filesystem::path& programDir, std::int64_t now,
                                          int retentionDays) {
    return std::make_unique<SqliteHistory>(programDir, now, retentionDays);
}

}  // namespace orvikel::history
