#include "shell/record_store.h"

#include "runtime/error_codes.h"

namespace trawlex::shell {
namespace {

constexpr int kRecordNotFound = 35;
constexpr int kInvalidDataFile = 36;
constexpr int kFileSystemError = 90;

}  // namespace

bool RecordStore::Open(const std::string& path, const StoreOptions& options) {
  if (!db_.Open(path, options)) return false;
  // Each step only reads until it has made sure the file is one of our stores.
  if (CreateWhenEmpty() && CheckTable() && CheckIntegrity() && CreateMissingIndexes()) {
    db_.Succeeded();
    return true;
  }
  const int code = runtime::ErrorCode() != 0 ? runtime::ErrorCode() : kFileSystemError;
  return db_.FailOpen(code, db_.driverError());
}

// A new file (or an empty one) gets the table and its keys. Reading the schema is also the
// first read of the file, which is where a file that is not a database shows itself.
bool RecordStore::CreateWhenEmpty() {
  auto objectCount = [this]() -> std::optional<std::int64_t> {
    Statement count(db_, "SELECT count(*) FROM sqlite_master");
    if (!count.Step()) return std::nullopt;
    return count.Int(0);
  };
  const auto before = objectCount();
  if (!before) return false;
  if (*before != 0 || db_.readOnly()) return true;
  Transaction transaction(db_);
  if (!transaction.begun()) return false;
  const auto now = objectCount();  // another process may have created it meanwhile
  if (!now) return false;
  if (*now == 0) {
    if (!db_.Exec(std::string(schema_.createTable).c_str())) return false;
    for (const StoreIndex& index : schema_.indexes) {
      if (!db_.Exec(std::string(index.create).c_str())) return false;
    }
  }
  return transaction.Commit();
}

// The table must exist with every column we read: another database under our name is
// reported, not altered.
bool RecordStore::CheckTable() {
  Statement probe(db_, Select("LIMIT 0"));
  if (probe.ok()) return true;
  return db_.FailWith(kInvalidDataFile, db_.driverError());
}

// Damaged keys are rebuilt from the records; damage to the records themselves is reported.
bool RecordStore::CheckIntegrity() {
  auto firstProblem = [this]() -> std::optional<std::string> {
    Statement check(db_, "PRAGMA integrity_check");
    if (!check.Step()) return std::nullopt;
    return std::string(check.Text(0));
  };
  auto problem = firstProblem();
  if (!problem) return false;
  if (*problem == "ok") return true;
  if (!db_.readOnly()) {
    Transaction transaction(db_);
    if (transaction.begun() && db_.Exec(("REINDEX " + std::string(schema_.table)).c_str()) &&
        transaction.Commit()) {
      problem = firstProblem();
      if (!problem) return false;
      if (*problem == "ok") return true;
    }
  }
  return db_.FailWith(kInvalidDataFile, *problem);
}

// A key that has gone missing is built again.
bool RecordStore::CreateMissingIndexes() {
  for (const StoreIndex& index : schema_.indexes) {
    Statement find(db_, "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?1");
    find.Bind(1, index.name);
    const bool present = find.Step();
    if (find.failed()) return false;
    if (present || db_.readOnly()) continue;
    if (!db_.Exec(std::string(index.create).c_str())) return false;
  }
  return true;
}

std::optional<std::int64_t> RecordStore::Count() {
  Statement count(db_, "SELECT count(*) FROM " + std::string(schema_.table));
  if (!count.Step()) return std::nullopt;
  const std::int64_t n = count.Int(0);
  db_.Succeeded();
  return n;
}

bool RecordStore::Delete(RecordPosition position) {
  Statement remove(db_, "DELETE FROM " + std::string(schema_.table) + " WHERE position = ?1");
  remove.Bind(1, position);
  if (!remove.Run()) return false;
  if (db_.Changes() == 0) return NotFound(position);
  return true;
}

std::string RecordStore::Select(std::string_view rest) const {
  std::string sql = "SELECT ";
  sql += schema_.columns;
  sql += " FROM ";
  sql += schema_.table;
  sql += ' ';
  sql += rest;
  return sql;
}

bool RecordStore::NotFound(RecordPosition position) {
  return db_.FailWith(kRecordNotFound, "no record at position " + std::to_string(position));
}

}  // namespace trawlex::shell
