// Find and Delete: the searched block of a line and which lines the criterion selects.

#include "results/find_and_delete.h"

#include <gtest/gtest.h>

#include "results/pruning.h"
#include "support/scripted_desktop.h"

namespace trawlex::results {
namespace {

enum Source : unsigned { kText = 1, kLocation = 2, kFile = 4, kSubdir = 8, kAll = 15 };

FindAndDeleteRecord Record(const char* text, FindSwitches sw, unsigned sources,
                           bool contains = true) {
  FindAndDeleteRecord record;
  record.find.findText = text;
  record.find.sw = sw;
  PrepareFindText(record.find);
  record.inText = (sources & kText) != 0;
  record.inLocation = (sources & kLocation) != 0;
  record.inFile = (sources & kFile) != 0;
  record.inSubdir = (sources & kSubdir) != 0;
  record.contains = contains;
  return record;
}

engine::ResultLine Line(std::string text, const char* location = "Orders PROCEDURE",
                        const char* file = "orders.vlw", const char* subdir = "app") {
  engine::ResultLine line;
  line.text = std::move(text);
  line.location = runtime::SharedText(location);
  line.file = runtime::SharedText(file);
  line.subdir = runtime::SharedText(subdir);
  return line;
}

TEST(FindAndDelete, BlockKeepsSourcesApart) {
  const engine::ResultLine line = Line("  Total = Cust.Amount  ");
  // switches, block of all four sources
  const std::pair<FindSwitches, const char*> cases[] = {
      {{}, "TOTAL = CUST.AMOUNT\r\nORDERS PROCEDURE\r\nORDERS.VLW\r\nAPP"},
      {{.word = true}, " TOTAL = CUST.AMOUNT \r\n ORDERS PROCEDURE \r\n ORDERS.VLW \r\n APP "},
      {{.trailing = true}, "TOTAL = CUST.AMOUNT \r\nORDERS PROCEDURE \r\nORDERS.VLW \r\nAPP "},
      {{.caseSensitive = true, .smash = true},
       "Total=Cust.Amount\r\nOrders PROCEDURE\r\norders.vlw\r\napp"},
  };
  for (const auto& [sw, block] : cases) {
    EXPECT_EQ(FindAndDeleteBlock(Record("t", sw, kAll), line), block);
  }
  EXPECT_EQ(FindAndDeleteBlock(Record("t", {.word = true}, kFile), line), " ORDERS.VLW ");
}

TEST(FindAndDelete, SelectsByModeSourceAndContains) {
  const engine::ResultLine line = Line("  Total = Cust.Amount  ");
  const engine::ResultLine ends = Line("a x", "y b");
  const engine::ResultLine longText = Line(std::string(199, 'q'), std::string(80, 'L').c_str(),
                                           std::string(68, 'f').c_str(), "zzsub");
  struct Case {
    const char* text;
    FindSwitches sw;
    unsigned sources;
    bool contains;
    const engine::ResultLine& on;
    bool selects;
  };
  const Case cases[] = {
      {"amount", {}, kText, true, line, true},
      {"amount", {}, kFile, true, line, false},
      {"orders.v", {}, kLocation | kFile, true, line, true},
      {"procedure", {}, kText, false, line, true},  // lacks it: deleted
      {"procedure", {}, kLocation, false, line, false},
      {"Cust", {.caseSensitive = true}, kText, true, line, true},
      {"cust", {.caseSensitive = true}, kText, true, line, false},
      {"total", {.word = true}, kText, true, line, true},
      {"cust", {.word = true}, kText, true, line, false},
      {"app", {.word = true}, kAll, true, line, true},
      {"procedure", {.trailing = true}, kLocation, true, line, true},
      {"proc", {.trailing = true}, kLocation, true, line, false},
      {"total=cust", {.smash = true}, kText, true, line, true},
      {"cust.am?unt", {.wild = true}, kText, true, line, true},
      {"cust.am?unt", {.wild = true}, kSubdir, true, line, false},
      {"amoun+t$", {.regex = true}, kText, true, line, true},
      {"cust\\.amount", {.regex = true}, kLocation, true, line, false},
      {"p[a-z]+e", {.word = true, .regex = true}, kLocation, true, line, true},
      // The word "x" is found in each source alone; a text across two sources is not.
      {"x", {.word = true}, kText, true, ends, true},
      {"y", {.word = true}, kText | kLocation, true, ends, true},
      {"y", {.word = true}, kText, true, ends, false},
      {"x y", {.word = true}, kText | kLocation, true, ends, false},
      {"xy", {.smash = true}, kText | kLocation, true, ends, false},
      // Sources beyond 255 characters of the block are searched all the same.
      {"zzsub", {}, kAll, true, longText, true},
      {"zzsub", {}, kAll, false, longText, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindAndDeleteSelects(Record(c.text, c.sw, c.sources, c.contains), c.on), c.selects)
        << c.text << " sources " << c.sources << (c.contains ? "" : " not");
  }
}

TEST(FindAndDelete, DeleteMenuRunsItOverTheQueue) {
  engine::ResultsQueue queue = {Line("a = Total"), Line("b = 2"), Line("TOTAL c"), Line("d")};
  testing::ScriptedDesktop desktop;
  const FindAndDeleteRecord doesNotContain = Record("total", {}, kText, false);
  const PruneOutcome outcome =
      ApplyDeleteChoice(queue, 0, DeleteChoice::FindAndDelete, false, doesNotContain, 1, desktop);
  EXPECT_EQ(outcome.deleted, 2u);
  ASSERT_EQ(queue.size(), 2u);
  EXPECT_EQ(queue[0].text, "a = Total");
  EXPECT_EQ(queue[1].text, "TOTAL c");
}

}  // namespace
}  // namespace trawlex::results
