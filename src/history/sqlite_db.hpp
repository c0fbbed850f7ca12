#pragma once
// A thin owner of an SQLite connection and its prepared statements: every call checks its
// result and throws SqliteError, so the store above reads as plain steps.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace orvikel::history {

// An SQLite failure with its result code (SQLITE_BUSY, SQLITE_CORRUPT, ...) and its English
// message from SQLite, which the store turns into the user's message.
class SqliteError : public std::runtime_error {
  public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    int code() const { return code_; }
    // The primary code: busy or locked (another program holds the file).
    bool Busy() const;
    // The file is not a database or is damaged.
    bool Corrupt() const;

  private:
    int code_;
};

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binders are 1-based, as SQLite counts its parameters.
    Statement& Bind(int index, std::int64_t value);
    Statement& BindNull(int index);
    Statement& BindBlob(int index, std::string_view bytes);
    // True while a row is there; false when done. Throws on failure.
    bool Step();
    void Run() { Step(); }
    void Reset();

    std::int64_t Int(int column) const;
    bool IsNull(int column) const;
    std::string Blob(int column) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Database {
  public:
    // Opens (creating) the file; waits up to busyMs for another connection's lock.
    Database(const std::filesystem::path& file, int busyMs);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Exec(std::string_view sql);
    std::int64_t QueryInt(std::string_view sql);
    std::string QueryText(std::string_view sql);
    std::int64_t LastInsertId() const;
    sqlite3* handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

// BEGIN IMMEDIATE .. COMMIT; rolled back when left by an exception.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

  private:
    Database& db_;
    bool done_ = false;
};

}  // namespace orvikel::history
