#pragma once
// Shared set-up of the saved-search tests: both stores in a fresh directory, a scripted
// desktop, list windows answered by the test, and helpers that reach into the SQLite file
// the way another process (or a failing disk) would.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/favourites.h"
#include "shell/last_search_list.h"
#include "shell/open_request.h"
#include "shell/open_search_list.h"
#include "shell/recent_store.h"
#include "shell/search_list_windows.h"
#include "shell/search_save_model.h"
#include "shell/search_store.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::shell::testing {

using trawlex::testing::ScriptedDesktop;
using trawlex::testing::TempTree;

// Short enough that lock tests stay quick, long enough to show that the store waited.
inline StoreOptions QuickOptions() {
  StoreOptions options;
  options.busyTimeoutMs = 150;
  return options;
}

inline SavedSearch Saved(std::string name, std::string text = "kmn", std::string path = "/src",
                         std::string spec = "*.vlw") {
  SavedSearch record;
  record.name = name;
  record.text = text;
  record.path = path;
  record.spec = spec;
  return record;
}

inline RecentSearch Recent(std::int32_t date, std::int32_t time, std::string text = "kmn",
                           std::string path = "/src") {
  RecentSearch record;
  record.date = date;
  record.time = time;
  record.text = text;
  record.path = path;
  record.spec = "*.vlw";
  return record;
}

// A second connection to a store file, as another process would hold it.
class OtherConnection {
 public:
  explicit OtherConnection(const std::string& path) { sqlite3_open(path.c_str(), &db_); }
  ~OtherConnection() { sqlite3_close(db_); }
  OtherConnection(const OtherConnection&) = delete;
  OtherConnection& operator=(const OtherConnection&) = delete;
  sqlite3* handle() const { return db_; }
  bool Exec(const std::string& sql) {
    return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }

 private:
  sqlite3* db_ = nullptr;
};

// Many recent searches at once, in one transaction, as another process would write them
// (adding them one by one would commit each to disk). Texts hold no quotes.
struct RecentRow {
  std::int32_t date;
  std::int32_t time;
  std::string text;
};
inline void InsertRecent(const std::string& path, const std::vector<RecentRow>& rows) {
  OtherConnection other(path);
  std::string sql = "BEGIN;";
  for (const RecentRow& row : rows) {
    sql += "INSERT INTO search20 (date, time, text, path, spec) VALUES (" +
           std::to_string(row.date) + ", " + std::to_string(row.time) + ", '" + row.text +
           "', '/src', '*.vlw');";
  }
  ASSERT_TRUE(other.Exec(sql + "COMMIT;"));
}

// The list windows and the naming dialogue, answered by the test.
class FakeSearchWindows : public SearchListWindows {
 public:
  std::function<std::optional<SavedChoice>(OpenSearchList&)> onOpenSearch;
  std::function<std::optional<RecentChoice>(LastSearchList&)> onOpenLastSearch;
  // Names typed into "Search Save", one per press of OK; cancelled when they run out.
  std::deque<std::string> typedNames;
  std::optional<std::uint8_t> tickFavourite;  // the check box as the user leaves it
  bool modifierHeld = false;

  int openSearchCalls = 0;
  int openLastCalls = 0;
  int started = 0;
  std::vector<std::string> saveTitles, saveOkTexts, saveInitialNames;
  std::vector<std::uint8_t> saveInitialFavourites;
  std::vector<std::string> lastTitles;

  std::optional<SavedChoice> OpenSearch(OpenSearchList& list) override {
    ++openSearchCalls;
    return onOpenSearch ? onOpenSearch(list) : std::nullopt;
  }
  std::optional<RecentChoice> OpenLastSearch(LastSearchList& list) override {
    ++openLastCalls;
    lastTitles.push_back(list.title());
    return onOpenLastSearch ? onOpenLastSearch(list) : std::nullopt;
  }
  bool SearchSave(SearchSaveModel& model) override {
    saveTitles.push_back(model.title());
    saveOkTexts.push_back(model.okText());
    saveInitialNames.push_back(model.name.str());
    saveInitialFavourites.push_back(model.favourite);
    if (tickFavourite) model.favourite = *tickFavourite;
    while (!typedNames.empty()) {
      model.name = typedNames.front();
      typedNames.pop_front();
      if (model.Ok()) return true;
    }
    return false;
  }
  bool NewWindowModifierHeld() override { return modifierHeld; }
  void StartSearchParameters() override { ++started; }
};

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProcessFavourites() = Favourites{};
    TakeOpenRequest();
    ASSERT_TRUE(saved.Open(savedPath(), QuickOptions()));
    ASSERT_TRUE(recent.Open(recentPath(), QuickOptions()));
  }
  void TearDown() override {
    ProcessFavourites() = Favourites{};
    TakeOpenRequest();
  }

  std::string savedPath() const { return (tree.root() / "searches.hvn").string(); }
  std::string recentPath() const { return (tree.root() / "SEARCH20.hvn").string(); }

  SavedSearch AddSaved(SavedSearch record) {
    EXPECT_TRUE(saved.Add(record)) << record.name.str();
    return record;
  }
  RecentSearch AddRecent(RecentSearch record) {
    EXPECT_TRUE(recent.Add(record));
    return record;
  }
  // Makes every change of `operation` (INSERT, UPDATE or DELETE) on `table` fail the way a
  // failing disk would, with the driver message "disk says no".
  void FailWrites(const std::string& path, const std::string& table, const std::string& operation) {
    OtherConnection other(path);
    ASSERT_TRUE(other.Exec("CREATE TRIGGER fail_" + operation + " BEFORE " + operation + " ON " +
                           table + " BEGIN SELECT RAISE(ABORT, 'disk says no'); END"));
  }

  TempTree tree;
  SavedSearchStore saved;
  RecentSearchStore recent;
  ScriptedDesktop desktop;
  FakeSearchWindows windows;
};

}  // namespace trawlex::shell::testing
