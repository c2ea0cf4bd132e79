#include "shell/search_store.h"

#include <string>

#include "shell/store_columns.h"

namespace trawlex::shell {
namespace {

// clang-format off
constexpr StoreIndex kIndexes[] = {
    {"sea_by_name",
     "CREATE UNIQUE INDEX sea_by_name ON searches (name COLLATE NOCASE)"},
    {"sea_by_path",
     "CREATE INDEX sea_by_path ON searches (path COLLATE NOCASE, name COLLATE NOCASE)"},
};
// clang-format on

const std::string& CreateTable() {
  static const std::string sql =
      "CREATE TABLE searches (position INTEGER PRIMARY KEY AUTOINCREMENT, "
      "name TEXT NOT NULL DEFAULT '' COLLATE NOCASE, text TEXT NOT NULL DEFAULT '', "
      "path TEXT NOT NULL DEFAULT '' COLLATE NOCASE, spec TEXT NOT NULL DEFAULT '', " +
      std::string(kSwitchColumnsDdl) + ")";
  return sql;
}

const std::string& Columns() {
  static const std::string columns =
      "position, name, text, path, spec, " + std::string(kSwitchColumns);
  return columns;
}

const StoreSchema& Schema() {
  static const StoreSchema schema{"searches", Columns(), CreateTable(), kIndexes};
  return schema;
}

// Columns 0 .. 17 as Columns() lists them.
SavedSearch ReadRecord(const Statement& row) {
  SavedSearch record;
  record.position = row.Int(0);
  record.name = row.Text(1);
  record.text = row.Text(2);
  record.path = row.Text(3);
  record.spec = row.Text(4);
  record.sw = ReadSwitches(row, 5);
  return record;
}

// Parameters 1 .. 4 are name, text, path and specifications; 5 .. 17 the switches.
void BindFields(Statement& statement, const SavedSearch& record) {
  statement.Bind(1, record.name.view());
  statement.Bind(2, record.text.view());
  statement.Bind(3, record.path.view());
  statement.Bind(4, record.spec.view());
  BindSwitches(statement, 5, record.sw);
}

std::string_view OrderBy(SavedKey key) {
  return key == SavedKey::ByName ? "ORDER BY name COLLATE NOCASE"
                                 : "ORDER BY path COLLATE NOCASE, name COLLATE NOCASE";
}

}  // namespace

SavedSearchStore::SavedSearchStore() : RecordStore(Schema()) {}

std::optional<SavedSearch> SavedSearchStore::Get(RecordPosition position) {
  Statement get(db_, Select("WHERE position = ?1"));
  get.Bind(1, position);
  if (get.Step()) return ReadRecord(get);
  if (!get.failed()) NotFound(position);
  return std::nullopt;
}

std::optional<SavedSearch> SavedSearchStore::FindByName(std::string_view name) {
  const runtime::FixedText<30> key(name);
  Statement find(db_, Select("WHERE name = ?1 COLLATE NOCASE"));
  find.Bind(1, key.view());
  if (find.Step()) return ReadRecord(find);
  if (!find.failed()) db_.FailWith(35, "no search named " + key.str());
  return std::nullopt;
}

std::optional<std::vector<SavedSearch>> SavedSearchStore::List(SavedKey key) {
  Statement list(db_, Select(OrderBy(key)));
  std::vector<SavedSearch> records;
  while (list.Step()) records.push_back(ReadRecord(list));
  if (!list.ok() || list.failed()) return std::nullopt;
  return records;
}

std::optional<RecordPosition> SavedSearchStore::Locate(SavedKey key, std::string_view typed) {
  const std::string where = key == SavedKey::ByName ? "WHERE name >= ?1 COLLATE NOCASE "
                                                    : "WHERE path >= ?1 COLLATE NOCASE ";
  Statement locate(db_, Select(where + std::string(OrderBy(key)) + " LIMIT 1"));
  locate.Bind(1, runtime::Clip(typed));
  if (locate.Step()) return locate.Int(0);
  if (locate.failed() || !locate.ok()) return std::nullopt;
  return RecordPosition{0};
}

bool SavedSearchStore::Add(SavedSearch& record) {
  Statement add(db_, "INSERT INTO searches (name, text, path, spec, " +
                         std::string(kSwitchColumns) + ") VALUES (" + Placeholders(1, 17) + ")");
  BindFields(add, record);
  if (!add.Run()) return false;
  record.position = db_.LastInsertPosition();
  return true;
}

bool SavedSearchStore::Put(const SavedSearch& record) {
  Statement put(db_, "UPDATE searches SET (name, text, path, spec, " + std::string(kSwitchColumns) +
                         ") = (" + Placeholders(1, 17) + ") WHERE position = ?18");
  BindFields(put, record);
  put.Bind(18, record.position);
  if (!put.Run()) return false;
  if (db_.Changes() == 0) return NotFound(record.position);
  return true;
}

}  // namespace trawlex::shell
