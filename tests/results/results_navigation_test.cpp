#include "results/results_navigation.h"

#include <gtest/gtest.h>

namespace trawlex::results {
namespace {

// Hits named by file, "dir/name" for files outside the starting directory.
engine::ResultsQueue Hits(std::initializer_list<std::string_view> files) {
  engine::ResultsQueue results;
  std::uint32_t line = 0;
  for (std::string_view file : files) {
    engine::ResultLine hit;
    const std::size_t slash = file.find('/');
    hit.subdirNum = slash == std::string_view::npos ? 1 : 2;
    hit.subdir = runtime::SharedText(slash == std::string_view::npos ? "" : file.substr(0, slash));
    hit.file = runtime::SharedText(slash == std::string_view::npos ? file : file.substr(slash + 1));
    hit.lineNo = ++line;
    results.push_back(hit);
  }
  return results;
}

using Row = std::optional<std::size_t>;

TEST(ResultsNavigation, MovesLineByLineWithinTheList) {
  // count, selected, next, previous
  const std::tuple<std::size_t, std::size_t, Row, Row> cases[] = {
      {5, 0, 1, 0},  // the first row has no previous
      {5, 2, 3, 1},
      {5, 4, 4, 3},  // the last row has no next
      {1, 0, 0, 0},
      {5, 9, 4, 3},  // a selection past the end counts as the last row
      {0, 0, std::nullopt, std::nullopt},
  };
  for (const auto& [count, selected, next, previous] : cases) {
    EXPECT_EQ(NextRow(count, selected), next) << count << " " << selected;
    EXPECT_EQ(PreviousRow(count, selected), previous) << count << " " << selected;
  }
}

TEST(ResultsNavigation, MovesFileByFile) {
  //                                     0      1      2      3      4      5
  const engine::ResultsQueue results = Hits({"a.vl", "a.vl", "b.vl", "c.vl", "c.vl", "c.vl"});
  // selected, next file, previous file
  const std::tuple<std::size_t, Row, Row> cases[] = {
      {0, 2, 0},  // nothing before the first file: the first row
      {1, 2, 0},  //
      {2, 3, 1},  // back to the last hit of the previous file, not its first
      {3, 5, 2},  // next file on the last file's rows stays on the last row
      {4, 5, 2},  //
      {5, 5, 2},  //
      {8, 5, 2},  // past the end: from the last row
  };
  for (const auto& [selected, next, previous] : cases) {
    EXPECT_EQ(NextFileRow(results, selected), next) << selected;
    EXPECT_EQ(PreviousFileRow(results, selected), previous) << selected;
  }
  EXPECT_EQ(NextFileRow({}, 0), std::nullopt);
  EXPECT_EQ(PreviousFileRow({}, 3), std::nullopt);
  const engine::ResultsQueue oneFile = Hits({"a.vl", "a.vl"});
  EXPECT_EQ(NextFileRow(oneFile, 0), 1u);
  EXPECT_EQ(PreviousFileRow(oneFile, 1), 0u);
}

TEST(ResultsNavigation, FilesOfOneNameInTwoDirectoriesAreTwoFiles) {
  //                                     0       1        2        3
  const engine::ResultsQueue results = Hits({"main.vl", "main.vl", "lib/main.vl", "lib/main.vl"});
  EXPECT_EQ(NextFileRow(results, 0), 2u);
  EXPECT_EQ(PreviousFileRow(results, 3), 1u);
  EXPECT_EQ(PreviousFileRow(results, 2), 1u);
}

TEST(ResultsStatus, Texts) {
  EXPECT_EQ(RemainingText(12, 7), "12 found, 7 remaining");
  EXPECT_EQ(RemainingText(0, 0), "0 found, 0 remaining");
  EXPECT_EQ(FilesCountText(40), "Files Count:  40");
  EXPECT_EQ(FilesCountText(1234567), "Files Count:  1234567");  // not cut to 20 characters
  EXPECT_EQ(WithFoundText(3), "With Found: 3");
  EXPECT_EQ(WithFoundText(0), "With Found: 0");
}

}  // namespace
}  // namespace trawlex::results
