#include "shell/column_widths.h"

#include <gtest/gtest.h>

#include "runtime/profile.h"
#include "shell/window_placement.h"
#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

TEST(ColumnWidths, FormatsThreeDigitsPerWidth) {
  const std::pair<std::vector<int>, std::string> cases[] = {
      {{93, 92, 57}, "093092057"},
      {{93, 0, 57}, "093"},           // the walk ends at a width of 0
      {{5, -1, 57}, "005"},           // or less
      {{1000, 999, 1}, "999999001"},  // three digits hold no more than 999
  };
  for (const auto& [widths, text] : cases) EXPECT_EQ(FormatWidths(widths), text);
  EXPECT_EQ(FormatWidths(std::vector<int>(70, 12)).size(), 64u * 3);
}

TEST(ColumnWidths, ParsesCellsAndIgnoresWhatCannotBeRead) {
  const std::pair<std::string, std::vector<int>> cases[] = {
      {"093092057", {93, 92, 57}},
      {"09309", {93}},             // a short cell at the end is dropped
      {"093x9a057", {93, 0, 57}},  // 0: that column keeps its designed width
      {std::string(10000, '1'), std::vector<int>(64, 111)},
  };
  for (const auto& [text, widths] : cases) EXPECT_EQ(ParseWidths(text), widths);
}

TEST(ColumnWidths, RestoredOnlyForTheLayoutVersion) {
  testing::TempTree tree;
  const auto ini = tree.root() / "Trawlex.INI";
  ASSERT_TRUE(
      SaveColumnWidths(ini, kOpenSearchSection, kOpenSearchLayoutVersion, {120, 80}, {93, 92, 57}));
  EXPECT_EQ(runtime::ReadProfileString(ini, "OpenSearch", "VersionNumber", ""), "2");
  EXPECT_EQ(runtime::ReadProfileString(ini, "OpenSearch", "Browse:1ColumnWidths", ""), "093092057");
  EXPECT_EQ(RestoreColumnWidths(ini, kOpenSearchSection, 2),
            (ColumnWidths{{120, 80}, {93, 92, 57}}));
  EXPECT_FALSE(RestoreColumnWidths(ini, kOpenLastSearchSection, 3));  // nothing stored

  for (const char* version : {"1", "2x", ""}) {
    runtime::WriteProfileString(ini, "OpenSearch", "VersionNumber", version);
    EXPECT_FALSE(RestoreColumnWidths(ini, kOpenSearchSection, 2)) << version;
  }
}

}  // namespace
}  // namespace trawlex::shell
