#include "shell/sqlite_db.h"

#include <sqlite3.h>

#include <cerrno>

#include "runtime/error_codes.h"
#include "shell/store_path.h"

namespace trawlex::shell {
namespace {

// File-driver codes of the runtime's error table.
constexpr int kAccessDenied = 5;
constexpr int kInsufficientMemory = 8;
constexpr int kFileIsAlreadyLocked = 32;
constexpr int kInvalidDataFile = 36;
constexpr int kFileNotOpen = 37;
constexpr int kCreatesDuplicateKey = 40;
constexpr int kFileSystemError = 90;

// The runtime error that a SQLite result stands for. Operating-system failures carry the
// system's own error where SQLite kept it.
void PostFor(sqlite3* db, int rc, const std::string& path) {
  const int primary = rc & 0xFF;
  switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      runtime::PostError(kFileIsAlreadyLocked);
      return;
    case SQLITE_CONSTRAINT:
      if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) {
        runtime::PostError(kCreatesDuplicateKey);
      } else {
        runtime::PostError(kFileSystemError);  // a check or trigger refused the change
      }
      return;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      runtime::PostError(kInvalidDataFile);
      return;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      runtime::PostError(kAccessDenied);
      return;
    case SQLITE_NOMEM:
      runtime::PostError(kInsufficientMemory);
      return;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_FULL: {
      const int systemErrno = db ? sqlite3_system_errno(db) : 0;
      if (systemErrno != 0) {
        runtime::PostOsError(systemErrno, path);
      } else if (primary == SQLITE_FULL) {
        runtime::PostOsError(ENOSPC);
      } else {
        runtime::PostError(kFileSystemError);
      }
      return;
    }
    default:
      runtime::PostError(kFileSystemError);
      return;
  }
}

}  // namespace

SqliteDb::~SqliteDb() {
  Close();
}

bool SqliteDb::Open(const std::string& path, const StoreOptions& options) {
  Close();
  path_ = path;
  readOnly_ = options.readOnly;
  if (StorePathCheck check = CheckStorePath(path); !check.refusal.empty()) {
    return FailOpen(kInvalidDataFile, std::move(check.refusal));
  }
  int flags = options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  if (options.create && !options.readOnly) flags |= SQLITE_OPEN_CREATE;
  const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    Fail(rc);
    Close();
    openFailure_ = driverError_;
    return false;
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, options.busyTimeoutMs);
  Succeeded();
  return true;
}

void SqliteDb::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  openFailure_.clear();
}

bool SqliteDb::FailOpen(int code, std::string note) {
  Close();
  openFailure_ = note;
  return FailWith(code, std::move(note));
}

bool SqliteDb::Exec(const char* sql) {
  if (!db_) return FailNotOpen();
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return Fail(rc);
  Succeeded();
  return true;
}

int SqliteDb::Changes() const {
  return db_ ? sqlite3_changes(db_) : 0;
}

std::int64_t SqliteDb::LastInsertPosition() const {
  return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

bool SqliteDb::Fail(int rc) {
  driverError_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
  PostFor(db_, rc, path_);
  return false;
}

bool SqliteDb::FailWith(int code, std::string note) {
  driverError_ = std::move(note);
  runtime::PostError(code);
  return false;
}

bool SqliteDb::FailNotOpen() {
  return FailWith(kFileNotOpen, openFailure_.empty() ? "store not open" : openFailure_);
}

void SqliteDb::Succeeded() {
  driverError_.clear();
  runtime::ClearError();
}

Statement::Statement(SqliteDb& db, std::string_view sql) : db_(db) {
  if (!db.isOpen()) {
    db.FailNotOpen();
    failed_ = true;
    return;
  }
  const int rc =
      sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) {
    db.Fail(rc);
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    failed_ = true;
  }
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

void Statement::Bind(int index, std::string_view text) {
  if (!stmt_) return;  // the failed prepare has been reported
  // Record fields are bytes: any byte, including NUL, is stored as it is.
  sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Statement::Bind(int index, std::int64_t value) {
  if (!stmt_) return;
  sqlite3_bind_int64(stmt_, index, value);
}

void Statement::BindBlob(int index, std::span<const std::uint8_t> bytes) {
  if (!stmt_) return;
  sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

bool Statement::Step() {
  if (!stmt_) return false;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) {
    db_.Succeeded();
    return false;
  }
  failed_ = true;
  db_.Fail(rc);
  return false;
}

bool Statement::Run() {
  while (Step()) {
  }
  return ok() && !failed_;
}

std::string_view Statement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!text) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::span<const std::uint8_t> Statement::Blob(int column) const {
  const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
  if (!bytes) return {};
  return {bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

Transaction::Transaction(SqliteDb& db) : db_(db) {
  begun_ = db.Exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (begun_ && !done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Transaction::Commit() {
  if (!begun_ || done_) return false;
  if (!db_.Exec("COMMIT")) return false;  // still open: the destructor rolls it back
  done_ = true;
  return true;
}

}  // namespace trawlex::shell
