// Stores that cannot be used: reported with the runtime's error, never emptied or rewritten.

#include <chrono>
#include <fstream>
#include <iterator>

#include "runtime/error_codes.h"
#include "search_store_fixture.h"
#include "shell/store_messages.h"

namespace trawlex::shell::testing {
namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StoreFailures, AFileThatIsNotADatabaseIsReportedAndLeftAsItWas) {
  TempTree tree;
  const std::string contents = "[Search]\r\nName=not a store at all\r\n" + std::string(5000, 'x');
  const std::string path = tree.Write("searches.hvn", contents).string();
  SavedSearchStore store;
  EXPECT_FALSE(store.Open(path, QuickOptions()));
  EXPECT_EQ(runtime::ErrorCode(), 36);
  EXPECT_EQ(runtime::ErrorText(), "Invalid Data File");
  EXPECT_EQ(store.driverError(), "file is not a database");
  EXPECT_EQ(store.fileName(), path);
  EXPECT_FALSE(store.isOpen());
  EXPECT_EQ(Bytes(path), contents);
  EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

TEST(StoreFailures, TheDialogueReportsAStoreThatCannotBeOpened) {
  TempTree tree;
  const std::string path = tree.Write("searches.hvn", "garbage").string();
  SavedSearchStore store;
  ASSERT_FALSE(store.Open(path, QuickOptions()));
  const runtime::Message m = OpenStoreErrorMessage(store);
  EXPECT_EQ(m.text, "Unable to open the search store|Error: Invalid Data File|File: " + path +
                        " |File Error: file is not a database");
  EXPECT_EQ(m.caption, "OPEN SEARCH ERROR");
  EXPECT_EQ(m.icon, runtime::Icon::Warning);
}

TEST(StoreFailures, AnotherDatabaseUnderTheStoresNameIsNotAltered) {
  TempTree tree;
  const std::string path = (tree.root() / "SEARCH20.hvn").string();
  {
    OtherConnection other(path);
    ASSERT_TRUE(other.Exec("CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('keep')"));
  }
  const std::string before = Bytes(path);
  RecentSearchStore store;
  EXPECT_FALSE(store.Open(path, QuickOptions()));
  EXPECT_EQ(runtime::ErrorCode(), 36);
  EXPECT_EQ(Bytes(path), before);
}

TEST(StoreFailures, ATruncatedStoreIsReportedNotEmptied) {
  TempTree tree;
  const std::string path = (tree.root() / "searches.hvn").string();
  {
    SavedSearchStore store;
    ASSERT_TRUE(store.Open(path, QuickOptions()));
    std::string sql = "BEGIN;";
    for (int i = 0; i < 200; ++i) {
      sql += "INSERT INTO searches (name, text) VALUES ('search " + std::to_string(i) + "', '" +
             std::string(60, 't') + "');";
    }
    ASSERT_TRUE(OtherConnection(path).Exec(sql + "COMMIT;"));
    ASSERT_EQ(store.Count(), 200);
  }
  const std::string whole = Bytes(path);
  const std::string cut = whole.substr(0, whole.size() / 2);
  tree.Write("searches.hvn", cut);
  SavedSearchStore store;
  EXPECT_FALSE(store.Open(path, QuickOptions()));
  EXPECT_EQ(runtime::ErrorCode(), 36);
  EXPECT_EQ(Bytes(path), cut);
}

TEST(StoreFailures, TheCommandLineNeitherCreatesNorWrites) {
  TempTree tree;
  const std::string path = (tree.root() / "searches.hvn").string();
  StoreOptions readOnly = QuickOptions();
  readOnly.create = false;
  readOnly.readOnly = true;
  SavedSearchStore store;
  EXPECT_FALSE(store.Open(path, readOnly));
  EXPECT_EQ(runtime::ErrorText(), "File Not Found");
  EXPECT_FALSE(std::filesystem::exists(path));

  {
    SavedSearchStore writer;
    ASSERT_TRUE(writer.Open(path, QuickOptions()));
  }
  ASSERT_TRUE(store.Open(path, readOnly));
  SavedSearch record = Saved("x");
  EXPECT_FALSE(store.Add(record));
  EXPECT_EQ(runtime::ErrorText(), "Access Denied");
}

class LockedStore : public StoreTest {
 protected:
  // Another process holds the store exclusively (as during its own write).
  void Lock() { ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE")); }
  void Unlock() { ASSERT_TRUE(other.Exec("COMMIT")); }

  OtherConnection other{savedPath()};
};

TEST_F(LockedStore, WritesWaitThenFailAndLoseNothing) {
  const SavedSearch kept = AddSaved(Saved("kept"));
  Lock();
  const auto started = std::chrono::steady_clock::now();
  SavedSearch added = Saved("new one");
  EXPECT_FALSE(saved.Add(added));
  const auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(runtime::ErrorCode(), 32);
  EXPECT_EQ(runtime::ErrorText(), "File Is Already Locked");
  EXPECT_GE(waited, std::chrono::milliseconds(100));  // it waited for the lock first
  SavedSearch changed = kept;
  changed.text = "changed";
  EXPECT_FALSE(saved.Put(changed));
  EXPECT_FALSE(saved.Delete(kept.position));
  EXPECT_FALSE(saved.Count());
  Unlock();
  EXPECT_EQ(*saved.Get(kept.position), kept);
  EXPECT_EQ(saved.Count(), 1);
  EXPECT_TRUE(saved.Add(added));  // and works again once the lock is gone
}

TEST_F(LockedStore, OpeningALockedStoreFailsAndKeepsIt) {
  AddSaved(Saved("kept"));
  saved.Close();
  Lock();
  EXPECT_FALSE(saved.Open(savedPath(), QuickOptions()));
  EXPECT_EQ(runtime::ErrorCode(), 32);
  Unlock();
  ASSERT_TRUE(saved.Open(savedPath(), QuickOptions()));
  EXPECT_EQ(saved.FindByName("kept")->name.str(), "kept");
}

TEST(StoreFailures, OperationsOnAClosedStoreSayFileNotOpen) {
  SavedSearchStore store;
  EXPECT_FALSE(store.Get(1));
  EXPECT_EQ(runtime::ErrorCode(), 37);
  EXPECT_EQ(runtime::ErrorText(), "File Not Open");
  EXPECT_FALSE(store.Count());
}

}  // namespace
}  // namespace trawlex::shell::testing
