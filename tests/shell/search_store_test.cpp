// The saved-search store: records kept whole, keys without case, positions that stay put.

#include <filesystem>

#include "runtime/error_codes.h"
#include "search_store_fixture.h"

namespace trawlex::shell::testing {
namespace {

std::vector<std::string> Names(const std::vector<SavedSearch>& records) {
  std::vector<std::string> names;
  for (const SavedSearch& record : records) names.push_back(record.name.str());
  return names;
}

using SavedStoreTest = StoreTest;

TEST_F(SavedStoreTest, MissingStoreIsCreatedAndEmpty) {
  EXPECT_TRUE(std::filesystem::exists(savedPath()));
  EXPECT_EQ(saved.Count(), 0);
  EXPECT_EQ(saved.List(SavedKey::ByName)->size(), 0u);
}

TEST_F(SavedStoreTest, EveryFieldSurvivesAReopen) {
  SavedSearch record = Saved("Windows API", "CreateWindow", "/src/libsrc", "*.vlw;~qr*.*");
  record.sw = {1, 1, 0, 1, 1, 1, 1, 7, 1, 1, 1, 1, {1, 1, 0, 5, 9, 0, 0, 0, 3, 0}};
  record = AddSaved(record);
  saved.Close();
  ASSERT_TRUE(saved.Open(savedPath(), QuickOptions()));
  const auto back = saved.Get(record.position);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, record);
}

TEST_F(SavedStoreTest, DuplicateNameWithoutCaseIsRefusedAndAddsNothing) {
  AddSaved(Saved("Templates"));
  SavedSearch again = Saved("TEMPLATES", "other");
  EXPECT_FALSE(saved.Add(again));
  EXPECT_EQ(runtime::ErrorCode(), 40);
  EXPECT_EQ(runtime::ErrorText(), "Creates Duplicate Key");
  EXPECT_EQ(saved.Count(), 1);
  EXPECT_EQ(saved.FindByName("templates")->text.str(), "kmn");
}

TEST_F(SavedStoreTest, PutRewritesAndRefusesANameTakenByAnother) {
  SavedSearch a = AddSaved(Saved("alpha"));
  AddSaved(Saved("beta"));
  a.text = "changed";
  ASSERT_TRUE(saved.Put(a));
  EXPECT_EQ(saved.Get(a.position)->text.str(), "changed");
  a.name = "Beta";
  EXPECT_FALSE(saved.Put(a));
  EXPECT_EQ(runtime::ErrorCode(), 40);
  EXPECT_EQ(saved.Get(a.position)->name.str(), "alpha");
}

TEST_F(SavedStoreTest, MissingRecordsAreReportedAsNotFound) {
  SavedSearch gone = AddSaved(Saved("gone"));
  ASSERT_TRUE(saved.Delete(gone.position));
  EXPECT_FALSE(saved.Get(gone.position));
  EXPECT_EQ(runtime::ErrorText(), "Record Not Found");
  EXPECT_FALSE(saved.Put(gone));
  EXPECT_EQ(runtime::ErrorCode(), 35);
  EXPECT_FALSE(saved.Delete(gone.position));
  EXPECT_EQ(runtime::ErrorCode(), 35);
  EXPECT_FALSE(saved.FindByName("gone"));
  EXPECT_EQ(runtime::ErrorCode(), 35);
}

// A remembered position (a favourite, a window opening another) must never come to mean a
// different search.
TEST_F(SavedStoreTest, PositionsOfDeletedRecordsAreNotReused) {
  AddSaved(Saved("a"));
  SavedSearch last = AddSaved(Saved("b"));
  ASSERT_TRUE(saved.Delete(last.position));
  SavedSearch next = AddSaved(Saved("c"));
  EXPECT_GT(next.position, last.position);
}

TEST_F(SavedStoreTest, KeysOrderWithoutCase) {
  AddSaved(Saved("delta", "t", "/B"));
  AddSaved(Saved("Alpha", "t", "/b"));
  AddSaved(Saved("charlie", "t", "/a"));
  AddSaved(Saved("Bravo", "t", "/b"));
  EXPECT_EQ(Names(*saved.List(SavedKey::ByName)),
            (std::vector<std::string>{"Alpha", "Bravo", "charlie", "delta"}));
  // By path, then by name within one path.
  EXPECT_EQ(Names(*saved.List(SavedKey::ByPath)),
            (std::vector<std::string>{"charlie", "Alpha", "Bravo", "delta"}));
}

TEST_F(SavedStoreTest, LocateFindsTheFirstRecordNotLessWithoutCase) {
  const SavedSearch alpha = AddSaved(Saved("Alpha", "t", "/usr/src"));
  const SavedSearch bravo = AddSaved(Saved("bravo", "t", "/home/a"));
  const SavedSearch charlie = AddSaved(Saved("Charlie", "t", "/home/b"));
  struct Case {
    SavedKey key;
    std::string typed;
    RecordPosition expected;
  };
  const Case cases[] = {
      {SavedKey::ByName, "", alpha.position},
      {SavedKey::ByName, "B", bravo.position},
      {SavedKey::ByName, "bravo", bravo.position},
      {SavedKey::ByName, "BRAVP", charlie.position},
      {SavedKey::ByName, "c   ", charlie.position},  // trailing blanks do not count
      {SavedKey::ByName, "zz", 0},                   // past the last record
      {SavedKey::ByPath, "/HOME/B", charlie.position},
      {SavedKey::ByPath, "/i", alpha.position},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(saved.Locate(c.key, c.typed), c.expected) << c.typed;
  }
}

TEST_F(SavedStoreTest, FieldsAtAndBeyondTheirWidths) {
  const std::string name30(30, 'n');
  SavedSearch record = Saved(name30 + "XYZ", std::string(60, 't') + "!", std::string(200, 'p'),
                             std::string(61, 's'));
  record = AddSaved(record);
  const auto back = saved.Get(record.position);
  EXPECT_EQ(back->name.str(), name30);
  EXPECT_EQ(back->text.str(), std::string(60, 't'));
  EXPECT_EQ(back->path.str(), std::string(127, 'p'));
  EXPECT_EQ(back->spec.str(), std::string(60, 's'));
  // A name typed longer than its field is the same key as its first 30 characters.
  EXPECT_EQ(saved.FindByName(name30 + "other")->position, record.position);
  SavedSearch clash = Saved(name30 + "Q");
  EXPECT_FALSE(saved.Add(clash));
  EXPECT_EQ(runtime::ErrorCode(), 40);
}

// Fields are bytes: Windows-1252 letters, invalid UTF-8 and even NUL come back unchanged.
TEST_F(SavedStoreTest, BytesAreKeptAsTheyAre) {
  const std::string name("caf\xE9 \xFF\x00z", 8);
  SavedSearch record = AddSaved(Saved(name, std::string("a\x00b\x80", 4)));
  const auto back = saved.Get(record.position);
  EXPECT_EQ(back->name.str(), name);
  EXPECT_EQ(back->text.str(), std::string("a\x00b\x80", 4));
  EXPECT_EQ(saved.FindByName(name)->position, record.position);
}

TEST_F(SavedStoreTest, AKeyThatWentMissingIsRebuiltOnOpen) {
  AddSaved(Saved("one"));
  saved.Close();
  {
    OtherConnection other(savedPath());
    ASSERT_TRUE(other.Exec("DROP INDEX sea_by_name"));
  }
  ASSERT_TRUE(saved.Open(savedPath(), QuickOptions()));
  SavedSearch duplicate = Saved("ONE");
  EXPECT_FALSE(saved.Add(duplicate));
  EXPECT_EQ(runtime::ErrorCode(), 40);
}

// Keys written by a program that ordered names differently are out of order for us: the
// store rebuilds them from the records on opening.
TEST_F(SavedStoreTest, KeysInTheWrongOrderAreRebuiltOnOpen) {
  saved.Close();
  {
    OtherConnection other(savedPath());
    auto reversed = [](void*, int na, const void* a, int nb, const void* b) {
      const int c = std::string_view(static_cast<const char*>(b), nb)
                        .compare(std::string_view(static_cast<const char*>(a), na));
      return c < 0 ? -1 : (c > 0 ? 1 : 0);
    };
    ASSERT_EQ(sqlite3_create_collation(other.handle(), "NOCASE", SQLITE_UTF8, nullptr, reversed),
              SQLITE_OK);
    ASSERT_TRUE(
        other.Exec("INSERT INTO searches (name, path) VALUES ('b', '/2'), ('a', '/3'), "
                   "('d', '/1'), ('c', '/4')"));
  }
  ASSERT_TRUE(saved.Open(savedPath(), QuickOptions()));
  EXPECT_EQ(Names(*saved.List(SavedKey::ByName)), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(saved.FindByName("C")->path.str(), "/4");
}

TEST_F(SavedStoreTest, TwoConnectionsSeeEachOthersChanges) {
  SavedSearchStore second;
  ASSERT_TRUE(second.Open(savedPath(), QuickOptions()));
  SavedSearch record = AddSaved(Saved("shared"));
  EXPECT_EQ(second.FindByName("SHARED")->position, record.position);
  ASSERT_TRUE(second.Delete(record.position));
  EXPECT_EQ(saved.Count(), 0);
}

}  // namespace
}  // namespace trawlex::shell::testing
