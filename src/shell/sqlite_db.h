#pragma once
// A small SQLite layer for the search stores: one connection, prepared statements and
// transactions. Every failure posts the runtime's current error (code and text) and keeps
// SQLite's own message as the driver error, so callers report failures the way every other
// file operation does.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace trawlex::shell {

struct StoreOptions {
  bool create = true;        // create the file when it does not exist
  bool readOnly = false;     // never write (the command line only reads the stores)
  int busyTimeoutMs = 3000;  // how long to wait for another process's lock
};

class SqliteDb {
 public:
  SqliteDb() = default;
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Opens the connection only: nothing is read or written yet, so a file that is not a
  // database is still untouched when this returns. A path that holds neither a regular file
  // nor nothing is refused before SQLite sees it ("Invalid Data File", with the refusal from
  // CheckStorePath as the driver error).
  bool Open(const std::string& path, const StoreOptions& options);
  void Close();
  // Closes the connection after a failed open and posts `code`. Later operations on the closed
  // store keep `note` as their driver error, so every report says why the store is not open.
  bool FailOpen(int code, std::string note);

  bool isOpen() const { return db_ != nullptr; }
  bool readOnly() const { return readOnly_; }
  sqlite3* handle() const { return db_; }
  const std::string& path() const { return path_; }
  // SQLite's message for the last failure (or a short note for failures found by this layer).
  const std::string& driverError() const { return driverError_; }

  // Runs statements that return no rows.
  bool Exec(const char* sql);
  // Rows changed by the last statement, and the position of the last record added.
  int Changes() const;
  std::int64_t LastInsertPosition() const;

  // Posts the runtime error that stands for SQLite result `rc` and keeps the driver message.
  // Always returns false, so failure paths read `return db.Fail(rc);`.
  bool Fail(int rc);
  // Posts a runtime error code of our own with a note as the driver error.
  bool FailWith(int code, std::string note);
  // Posts "File Not Open" for an operation on a store that is not open.
  bool FailNotOpen();
  // A statement that ran without error: clears the current error.
  void Succeeded();

 private:
  sqlite3* db_ = nullptr;
  std::string path_;
  std::string driverError_;
  std::string openFailure_;  // why the last open failed; empty when it did not
  bool readOnly_ = false;
};

// One prepared statement. Check ok() after construction; Step() returns true while a row is
// available and false at the end or on failure (then failed() tells which).
class Statement {
 public:
  Statement(SqliteDb& db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  bool failed() const { return failed_; }

  void Bind(int index, std::string_view text);
  void Bind(int index, std::int64_t value);
  void BindBlob(int index, std::span<const std::uint8_t> bytes);

  bool Step();
  // Runs a statement that returns no rows; false on failure (the error is posted).
  bool Run();

  std::string_view Text(int column) const;
  std::int64_t Int(int column) const;
  std::span<const std::uint8_t> Blob(int column) const;

 private:
  SqliteDb& db_;
  sqlite3_stmt* stmt_ = nullptr;
  bool failed_ = false;
};

// A write transaction, begun IMMEDIATE so that the lock is taken (or waited for) up front;
// rolled back when it is not committed.
class Transaction {
 public:
  explicit Transaction(SqliteDb& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  bool begun() const { return begun_; }
  bool Commit();

 private:
  SqliteDb& db_;
  bool begun_ = false;
  bool done_ = false;
};

}  // namespace trawlex::shell
