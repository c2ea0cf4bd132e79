#pragma once
// What the saved-search and recent-search stores share: one SQLite file holding one table,
// whose rowid is the record position, with its keys as indexes. Opening creates a missing
// store, rebuilds missing or damaged keys, and refuses (without writing a byte) a file that
// is not such a store.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/saved_search.h"
#include "shell/sqlite_db.h"

namespace trawlex::shell {

struct StoreIndex {
  std::string_view name;
  std::string_view create;  // the CREATE INDEX statement
};

struct StoreSchema {
  std::string_view table;
  std::string_view columns;      // the record's columns, position first, in reading order
  std::string_view createTable;  // the CREATE TABLE statement
  std::span<const StoreIndex> indexes;
};

class RecordStore {
 public:
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  // Opens (creating when allowed) and checks the store. On failure the runtime error is
  // posted, driverError() says what SQLite found (or what stands at the path instead of a
  // file, see CheckStorePath), and the file is left as it was.
  bool Open(const std::string& path, const StoreOptions& options = {});
  void Close() { db_.Close(); }
  bool isOpen() const { return db_.isOpen(); }

  // The file name as given to Open, and the driver's message of the last failure.
  const std::string& fileName() const { return db_.path(); }
  const std::string& driverError() const { return db_.driverError(); }

  std::optional<std::int64_t> Count();
  // Removes the record at `position`; "Record Not Found" when there is none.
  bool Delete(RecordPosition position);

 protected:
  explicit RecordStore(const StoreSchema& schema) : schema_(schema) {}
  ~RecordStore() = default;

  // "SELECT <columns> FROM <table>" followed by `rest`.
  std::string Select(std::string_view rest) const;
  // Posts "Record Not Found" for `position`.
  bool NotFound(RecordPosition position);

  SqliteDb db_;

 private:
  bool CreateWhenEmpty();
  bool CheckTable();
  bool CheckIntegrity();
  bool CreateMissingIndexes();

  const StoreSchema& schema_;
};

}  // namespace trawlex::shell
