#include "shell/recent_store.h"

#include <algorithm>
#include <string>

#include "shell/store_columns.h"

namespace trawlex::shell {
namespace {

// clang-format off
constexpr StoreIndex kIndexes[] = {
    {"last_by_date",
     "CREATE INDEX last_by_date ON search20 (date DESC, time DESC)"},
    {"last_by_text",
     "CREATE INDEX last_by_text ON search20 (text COLLATE NOCASE)"},
    {"last_by_path",
     "CREATE INDEX last_by_path ON search20 (path COLLATE NOCASE)"},
};
// clang-format on

const std::string& CreateTable() {
  static const std::string sql =
      "CREATE TABLE search20 (position INTEGER PRIMARY KEY AUTOINCREMENT, "
      "date INTEGER NOT NULL DEFAULT 0, time INTEGER NOT NULL DEFAULT 0, "
      "text TEXT NOT NULL DEFAULT '' COLLATE NOCASE, path TEXT NOT NULL DEFAULT '' COLLATE "
      "NOCASE, spec TEXT NOT NULL DEFAULT '', " +
      std::string(kSwitchColumnsDdl) + ")";
  return sql;
}

const std::string& Columns() {
  static const std::string columns =
      "position, date, time, text, path, spec, " + std::string(kSwitchColumns);
  return columns;
}

const StoreSchema& Schema() {
  static const StoreSchema schema{"search20", Columns(), CreateTable(), kIndexes};
  return schema;
}

std::int32_t ToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

RecentSearch ReadRecord(const Statement& row) {
  RecentSearch record;
  record.position = row.Int(0);
  record.date = ToInt32(row.Int(1));
  record.time = ToInt32(row.Int(2));
  record.text = row.Text(3);
  record.path = row.Text(4);
  record.spec = row.Text(5);
  record.sw = ReadSwitches(row, 6);
  return record;
}

// Newest first; of two searches with the same date and time the later added is the newer.
constexpr std::string_view kNewestFirst = "ORDER BY date DESC, time DESC, position DESC";

std::string_view OrderBy(RecentKey key) {
  switch (key) {
    case RecentKey::ByText:
      return "ORDER BY text COLLATE NOCASE, position";
    case RecentKey::ByPath:
      return "ORDER BY path COLLATE NOCASE, position";
    case RecentKey::ByDate:
      break;
  }
  return kNewestFirst;
}

}  // namespace

RecentSearchStore::RecentSearchStore() : RecordStore(Schema()) {}

std::optional<RecentSearch> RecentSearchStore::Get(RecordPosition position) {
  Statement get(db_, Select("WHERE position = ?1"));
  get.Bind(1, position);
  if (get.Step()) return ReadRecord(get);
  if (!get.failed()) NotFound(position);
  return std::nullopt;
}

std::optional<std::vector<RecentSearch>> RecentSearchStore::List(RecentKey key) {
  Statement list(db_, Select(OrderBy(key)));
  std::vector<RecentSearch> records;
  while (list.Step()) records.push_back(ReadRecord(list));
  if (!list.ok() || list.failed()) return std::nullopt;
  return records;
}

std::optional<RecordPosition> RecentSearchStore::Locate(RecentKey key, std::string_view typed) {
  std::string where;
  if (key == RecentKey::ByText) where = "WHERE text >= ?1 COLLATE NOCASE ";
  if (key == RecentKey::ByPath) where = "WHERE path >= ?1 COLLATE NOCASE ";
  Statement locate(db_, Select(where + std::string(OrderBy(key)) + " LIMIT 1"));
  if (key != RecentKey::ByDate) locate.Bind(1, runtime::Clip(typed));
  if (locate.Step()) return locate.Int(0);
  if (locate.failed() || !locate.ok()) return std::nullopt;
  return RecordPosition{0};
}

bool RecentSearchStore::Add(RecentSearch& record) {
  Statement add(db_, "INSERT INTO search20 (date, time, text, path, spec, " +
                         std::string(kSwitchColumns) + ") VALUES (" + Placeholders(1, 18) + ")");
  add.Bind(1, std::int64_t{record.date});
  add.Bind(2, std::int64_t{record.time});
  add.Bind(3, record.text.view());
  add.Bind(4, record.path.view());
  add.Bind(5, record.spec.view());
  BindSwitches(add, 6, record.sw);
  if (!add.Run()) return false;
  record.position = db_.LastInsertPosition();
  return true;
}

std::optional<std::int64_t> RecentSearchStore::Prune(std::int64_t keep, std::int64_t whenAtLeast) {
  keep = std::max<std::int64_t>(keep, 0);
  // Counted and trimmed under one lock, so two dialogues closing together trim once.
  Transaction transaction(db_);
  if (!transaction.begun()) return std::nullopt;
  const auto count = Count();
  if (!count) return std::nullopt;
  if (*count < whenAtLeast || *count <= keep) {
    if (!transaction.Commit()) return std::nullopt;
    return 0;
  }
  // The oldest are the last in the newest-first order.
  Statement trim(db_,
                 "DELETE FROM search20 WHERE position IN (SELECT position FROM search20 "
                 "ORDER BY date ASC, time ASC, position ASC LIMIT ?1)");
  trim.Bind(1, *count - keep);
  if (!trim.Run()) return std::nullopt;
  const std::int64_t deleted = db_.Changes();
  if (!transaction.Commit()) return std::nullopt;
  return deleted;
}

}  // namespace trawlex::shell
