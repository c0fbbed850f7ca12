#include "sqlite_db.hpp"

#include <sqlite3.h>

#include <string>

namespace orvikel::history {

namespace {

[[noreturn]] void Throw(sqlite3* db, int code) {
    std::string message = sqlite3_errstr(code);
    if (db != nullptr && sqlite3_errcode(db) == code) {
        message = sqlite3_errmsg(db);
    }
    throw SqliteError(code, message);
}

void Check(sqlite3* db, int code) {
    if (code != SQLITE_OK) {
        Throw(db, code);
    }
}

}  // namespace

bool SqliteError::Busy() const {
    const int primary = code_ & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

bool SqliteError::Corrupt() const {
    const int primary = code_ & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    Check(db_, sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, std::int64_t value) {
    Check(db_, sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

Statement& Statement::BindNull(int index) {
    Check(db_, sqlite3_bind_null(stmt_, index));
    return *this;
}

Statement& Statement::BindBlob(int index, std::string_view bytes) {
    // A zero-length blob is still a blob, not NULL: the empty string has a valid pointer.
    Check(db_, sqlite3_bind_blob64(stmt_, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                                   SQLITE_TRANSIENT));
    return *this;
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    sqlite3_reset(stmt_);
    Throw(db_, rc);
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string Statement::Blob(int column) const {
    const void* data = sqlite3_column_blob(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    return data == nullptr
               ? std::string()
               : std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

Database::Database(const std::filesystem::path& file, int busyMs) {
    // SQLite takes UTF-8 file names on every platform.
    const std::u8string utf8 = file.u8string();
    const std::string name(utf8.begin(), utf8.end());
    const int rc =
        sqlite3_open_v2(name.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const int code = rc;
        const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(code, message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyMs);
}

Database::~Database() {
    sqlite3_close(db_);
}

void Database::Exec(std::string_view sql) {
    const std::string text(sql);
    Check(db_, sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr));
}

std::int64_t Database::QueryInt(std::string_view sql) {
    Statement s(db_, sql);
    return s.Step() ? s.Int(0) : 0;
}

std::string Database::QueryText(std::string_view sql) {
    Statement s(db_, sql);
    return s.Step() ? s.Blob(0) : std::string();
}

std::int64_t Database::LastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.Exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) {
        try {
            db_.Exec("ROLLBACK");
        } catch (const SqliteError&) {
            // Already rolled back by SQLite itself (a failed COMMIT under I/O error).
        }
    }
}

void Transaction::Commit() {
    db_.Exec("COMMIT");
    done_ = true;
}

}  // namespace orvikel::history
