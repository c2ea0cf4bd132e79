// The recent-search store: newest first, duplicates kept, and trimming that keeps the newest.

#include "runtime/error_codes.h"
#include "search_store_fixture.h"

namespace trawlex::shell::testing {
namespace {

std::vector<std::string> Texts(const std::vector<RecentSearch>& records) {
  std::vector<std::string> texts;
  for (const RecentSearch& record : records) texts.push_back(record.text.str());
  return texts;
}

using RecentStoreTest = StoreTest;

TEST_F(RecentStoreTest, EveryFieldSurvives) {
  RecentSearch record = Recent(80000, 6111, "find me", "/deep/path");
  record.sw = {1, 0, 1, 0, 1, 0, 1, 3, 1, 0, 1, 0, {0, 1, 0, 2, 0, 0, 0, 0, 0, 1}};
  record = AddRecent(record);
  EXPECT_EQ(*recent.Get(record.position), record);
}

TEST_F(RecentStoreTest, ByDateIsNewestFirstAndKeepsDuplicates) {
  AddRecent(Recent(100, 500, "old"));
  AddRecent(Recent(101, 100, "next day early"));
  AddRecent(Recent(100, 900, "same day later"));
  AddRecent(Recent(101, 100, "next day early"));  // the very same search again
  EXPECT_EQ(
      Texts(*recent.List(RecentKey::ByDate)),
      (std::vector<std::string>{"next day early", "next day early", "same day later", "old"}));
  EXPECT_EQ(recent.Count(), 4);
}

TEST_F(RecentStoreTest, ByTextAndByPathIgnoreCase) {
  AddRecent(Recent(1, 1, "beta", "/Z"));
  AddRecent(Recent(1, 2, "Alpha", "/y"));
  AddRecent(Recent(1, 3, "ALPHA", "/x"));
  AddRecent(Recent(1, 4, "gamma", "/Y"));
  EXPECT_EQ(Texts(*recent.List(RecentKey::ByText)),
            (std::vector<std::string>{"Alpha", "ALPHA", "beta", "gamma"}));
  EXPECT_EQ(Texts(*recent.List(RecentKey::ByPath)),
            (std::vector<std::string>{"ALPHA", "Alpha", "gamma", "beta"}));
}

TEST_F(RecentStoreTest, LocateByTextAndPath) {
  const RecentSearch b = AddRecent(Recent(1, 1, "beta", "/b"));
  const RecentSearch a = AddRecent(Recent(1, 2, "alpha", "/c"));
  EXPECT_EQ(recent.Locate(RecentKey::ByText, "B"), b.position);
  EXPECT_EQ(recent.Locate(RecentKey::ByText, "c"), 0);
  EXPECT_EQ(recent.Locate(RecentKey::ByPath, "/C"), a.position);
  EXPECT_EQ(recent.Locate(RecentKey::ByDate, "ignored"), a.position);  // the newest
}

// 99 kept: the store may grow to 104 between trims; at 105 it goes back to the newest 99.
TEST_F(RecentStoreTest, PruneTrimsToTheNewestOnlyFromLastSearchCntPlusSix) {
  struct Case {
    int records;
    std::int64_t expectedDeleted;
  };
  for (const Case c : {Case{104, 0}, Case{105, 6}, Case{130, 31}}) {
    SCOPED_TRACE(c.records);
    RecentSearchStore store;
    TempTree dir;
    const std::string path = (dir.root() / "SEARCH20.hvn").string();
    ASSERT_TRUE(store.Open(path, QuickOptions()));
    // Added in an order unlike their dates: the trim must follow the dates.
    std::vector<RecentRow> rows;
    for (int i = 0; i < c.records; ++i) {
      const int age = (i * 37) % c.records;  // a permutation: 37 is prime to every count here
      rows.push_back({1000 - age / 10, 100000 - age, "search " + std::to_string(age)});
    }
    InsertRecent(path, rows);
    EXPECT_EQ(store.Prune(99, 105), c.expectedDeleted);
    const auto left = store.List(RecentKey::ByDate);
    ASSERT_EQ(static_cast<int>(left->size()), c.records - c.expectedDeleted);
    for (std::size_t i = 0; i < left->size(); ++i) {
      EXPECT_EQ((*left)[i].text.str(), "search " + std::to_string(i));  // the newest remain
    }
  }
}

TEST_F(RecentStoreTest, PruneOfEqualTimesRemovesTheEarlierAdded) {
  for (int i = 0; i < 8; ++i) AddRecent(Recent(5, 5, "r" + std::to_string(i)));
  EXPECT_EQ(recent.Prune(2, 8), 6);
  EXPECT_EQ(Texts(*recent.List(RecentKey::ByDate)), (std::vector<std::string>{"r7", "r6"}));
}

}  // namespace
}  // namespace trawlex::shell::testing
