// Pruning the results: the Delete menu's text and criteria, keep and test modes, the guard
// against deleting every line, single-line deletion, and the Files list's delete menu.

#include "results/pruning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "results/files_pruning.h"
#include "results/list_format.h"
#include "runtime/menu_text.h"
#include "support/scripted_desktop.h"

namespace trawlex::results {
namespace {

using DC = DeleteChoice;
using Rows = std::vector<int>;

engine::ResultLine Line(std::uint32_t id, const char* file, const char* subdir,
                        std::uint32_t subdirNum, const char* location, const char* text) {
  engine::ResultLine line;
  line.lineNo = id;  // the fixture row, to tell which lines remain
  line.file = runtime::SharedText(file);
  line.subdir = runtime::SharedText(subdir);
  line.subdirNum = subdirNum;
  line.location = runtime::SharedText(location);
  line.text = text;
  return line;
}

engine::ResultsQueue Fixture() {
  return {
      Line(0, "orders.vlw", "app", 1, "Orders PROCEDURE", "  ! total the order"),
      Line(1, "orders.vlw", "app", 1, "orders procedure", "Total LONG"),
      Line(2, "orders.vlw", "app", 1, "Orders Close", " x = Total = 1 + y"),
      Line(3, "orders.inc", "app", 1, "", "  TOTAL = 1"),
      Line(4, "ord12.vl", "app", 1, "Mapping ROUTINE", "  total = TOTAL * 2"),
      Line(5, "rep_rd.vlw", "app", 1, "Report PROCEDURE", " ! report Total"),
      Line(6, "main.tpl", "tpl", 2, "#GROUP", "#! total hidden"),
      Line(7, "main.tpl", "tpl", 2, "#GROUP", "  ! plain total"),
      Line(8, "form.frm", "vb", 3, "Sub Load", "  ' vb total"),
      Line(9, "form.frm", "vb", 3, "Sub Load", "  Total = 1"),
      Line(10, "page.php", "web", 4, "MAP", "// Total php"),
      Line(11, "readme", "doc", 5, "MAP", "total readme"),
  };
}

Rows Remaining(const engine::ResultsQueue& queue) {
  Rows rows;
  for (const engine::ResultLine& line : queue) rows.push_back(static_cast<int>(line.lineNo));
  return rows;
}

Rows AllBut(Rows gone) {
  Rows rows;
  for (int row = 0; row < 12; ++row) {
    if (std::find(gone.begin(), gone.end(), row) == gone.end()) rows.push_back(row);
  }
  return rows;
}

constexpr std::size_t kDirs = 5;

TEST(Pruning, DeleteMenuCriteriaTable) {
  struct Case {
    DC choice;
    std::size_t selected;
    bool keep;
    Rows remaining;
    std::size_t dirs = kDirs;
  };
  const Rows all = AllBut({});
  const Case cases[] = {
      {DC::CommentLines, 0, false, AllBut({0, 5, 6, 7, 8, 10})},  // '!', "#!" in .tpl, "'", "//"
      {DC::LabelLines, 0, false, AllBut({1, 6, 10, 11})},
      {DC::FileExt, 0, false, AllBut({0, 1, 2})},
      {DC::FileExt, 0, true, {0, 1, 2}},
      {DC::FileStar, 0, false, AllBut({0, 1, 2, 3})},
      {DC::FileStar, 11, false, AllBut({11})},  // "readme.*" names the dotless file itself
      {DC::StarExt, 0, false, AllBut({0, 1, 2, 5})},
      {DC::StarExt, 11, false, all},  // a file without a dot has no extension to share
      {DC::AppFiles, 4, false, AllBut({0, 1, 2, 3, 4})},  // "ord"
      {DC::AppFiles, 11, false, all},                     // no prefix: disabled
      {DC::RiFiles, 0, false, AllBut({5})},
      {DC::Subdirectory, 6, false, AllBut({6, 7})},
      {DC::Subdirectory, 6, true, {6, 7}},
      {DC::Subdirectory, 6, false, all, 1},  // one directory: disabled
      {DC::LocationEquals, 0, false, AllBut({0, 1})},
      {DC::LocationEquals, 3, false, all},  // blank location: disabled
      {DC::LocationLeft, 0, false, AllBut({0, 1, 2})},
      {DC::LocationLeft, 10, false, AllBut({10, 11})},  // "MAP " does not take "Mapping"
      {DC::LocationContains, 0, false, AllBut({0, 1, 5})},
      {DC::TextEquals, 9, false, AllBut({3, 9})},
      {DC::TextContains, 9, false, AllBut({2, 3, 9})},
      {DC::TextContains, 9, true, {2, 3, 9}},
      {DC::SelectedLine, 4, true, AllBut({4})},  // keep mode does not apply
      {DC::Title, 4, false, all},
      {DC::None, 4, false, all},
      {DC::FindAndDelete, 4, false, all},  // a cancelled Find and Delete
  };
  for (const Case& c : cases) {
    engine::ResultsQueue queue = Fixture();
    testing::ScriptedDesktop desktop;
    const PruneOutcome outcome =
        ApplyDeleteChoice(queue, c.selected, c.choice, c.keep, {}, c.dirs, desktop);
    const auto label = ::testing::Message() << "choice " << static_cast<int>(c.choice) << " row "
                                            << c.selected << (c.keep ? " keep" : "");
    EXPECT_EQ(Remaining(queue), c.remaining) << label;
    EXPECT_EQ(outcome.deleted, 12 - c.remaining.size()) << label;
    EXPECT_TRUE(desktop.messages.empty()) << label;
  }
}

// Whatever the criterion, the lines it deletes and the lines it keeps in keep mode split the
// queue between them, each in its order, unless one of them would be all the lines.
TEST(Pruning, KeepModeDeletesExactlyTheOtherLines) {
  const engine::ResultsQueue fixture = Fixture();
  for (int choice = 3; choice <= 15; ++choice) {
    for (std::size_t row = 0; row < fixture.size(); ++row) {
      engine::ResultsQueue deleted = fixture;
      engine::ResultsQueue kept = fixture;
      testing::ScriptedDesktop desktop;
      const DC c = DeleteChoiceFromMenu(choice);
      if (!DeleteChoiceEnabled(c, DeriveDeleteMenuValues(fixture[row]), kDirs)) continue;
      const auto a = ApplyDeleteChoice(deleted, row, c, false, {}, kDirs, desktop);
      const auto b = ApplyDeleteChoice(kept, row, c, true, {}, kDirs, desktop);
      if (a.refused || b.refused) continue;
      const Rows left = Remaining(deleted);
      const Rows other = Remaining(kept);
      EXPECT_TRUE(std::is_sorted(left.begin(), left.end()) &&
                  std::is_sorted(other.begin(), other.end()));
      Rows merged = left;
      merged.insert(merged.end(), other.begin(), other.end());
      std::sort(merged.begin(), merged.end());
      EXPECT_EQ(merged, AllBut({})) << choice << " row " << row;
    }
  }
}

TEST(Pruning, RefusesToDeleteEveryLine) {
  engine::ResultsQueue queue = {Line(0, "a.vl", "", 1, "", "x"), Line(1, "a.vl", "", 1, "", "y")};
  testing::ScriptedDesktop desktop;
  const PruneOutcome outcome = ApplyDeleteChoice(queue, 0, DC::FileExt, false, {}, 1, desktop);
  EXPECT_TRUE(outcome.refused);
  EXPECT_EQ(queue.size(), 2u);
  ASSERT_EQ(desktop.messages.size(), 1u);
  const runtime::Message& shown = desktop.messages[0];
  EXPECT_EQ(shown.text, "That will delete all the Results.");
  EXPECT_EQ(shown.caption, "Don't Do It");
  EXPECT_EQ(shown.icon, runtime::Icon::Warning);
  EXPECT_EQ(shown.buttons, "Cancel");

  // Keep mode with the file that has every line: nothing would go, nothing is asked.
  EXPECT_EQ(ApplyDeleteChoice(queue, 0, DC::FileExt, true, {}, 1, desktop).deleted, 0u);
  EXPECT_EQ(desktop.messages.size(), 1u);

  // "Selected Line" has no guard: it empties the queue.
  EXPECT_TRUE(DeleteSelectedLine(queue, 1));
  EXPECT_TRUE(DeleteSelectedLine(queue, 0));
  EXPECT_TRUE(queue.empty());
  EXPECT_FALSE(DeleteSelectedLine(queue, 0));
  EXPECT_FALSE(DeleteSelectedLine(queue, std::nullopt));
}

TEST(Pruning, TestModeFlagsAndDeletesNothing) {
  engine::ResultsQueue queue = Fixture();
  testing::ScriptedDesktop desktop;
  FindAndDeleteRecord record;
  record.test = true;
  const PruneOutcome outcome =
      ApplyDeleteChoice(queue, 6, DC::Subdirectory, false, record, kDirs, desktop);
  EXPECT_EQ(outcome.flagged, 2u);
  EXPECT_EQ(outcome.deleted, 0u);
  ASSERT_EQ(queue.size(), 12u);
  for (const engine::ResultLine& line : queue) {
    const bool flagged = line.subdirNum == 2;
    EXPECT_EQ(FormatField("@s1@", ResultField(line, 4)), flagged ? "x" : "") << line.lineNo;
  }
  // Refused in test mode: the flags of the first pass stay.
  engine::ResultsQueue one = {Line(0, "a.vl", "", 1, "", "x")};
  EXPECT_TRUE(ApplyDeleteChoice(one, 0, DC::FileExt, false, record, 1, desktop).refused);
  EXPECT_EQ(one[0].blank, 'x');
}

TEST(Pruning, SelectionAfterDeletion) {
  // selected row, rows remaining, row selected after
  const std::tuple<std::size_t, std::size_t, std::optional<std::size_t>> cases[] = {
      {3, 10, 3}, {9, 5, 4}, {0, 1, 0}, {4, 0, std::nullopt}};
  for (const auto& [row, remaining, after] : cases) {
    EXPECT_EQ(RowAfterDeletion(row, remaining), after) << row << " " << remaining;
  }
}

TEST(Pruning, DeleteMenuTextForOneLine) {
  const DeleteMenuValues values = DeriveDeleteMenuValues(Fixture()[0]);
  const std::string text = DeleteMenuText(values, kDirs);
  EXPECT_EQ(text,
            "Delete Menu (Ctrl=Keep)\tAlt+Delete|-|Selected Line\tDelete|!Comment Lines (' VB)|"
            "Label Lines|-|File Name{File.ext \"orders.vlw\"|File.*    \"orders.*\"|"
            "*.Ext    \"*.vlw\"|-|App Files \"order*.*\"|-|RI Files _RD _RU _SF and BC0.VLW}|-|"
            "Subdirectory \"app\"|Location{Equals \"Orders PROCEDURE\"|Left \"Orders\"|"
            "Contains \"PROCEDURE\"}|Text Equals \"  ! total the o...\"|"
            "Text Contains \"  ! total the o...\"|-|Find and Delete....\tCtrl+Delete");
  const auto items = runtime::ParseMenuText(text);
  ASSERT_EQ(runtime::MenuChoiceCount(items), 16);
  EXPECT_EQ(runtime::FindMenuChoice(items, 5)->caption, "File.ext \"orders.vlw\"");
  EXPECT_EQ(runtime::FindMenuChoice(items, 11)->caption, "Equals \"Orders PROCEDURE\"");
  EXPECT_EQ(runtime::FindMenuChoice(items, 16)->caption, "Find and Delete....");

  // Blank location, no prefix, one directory; menu characters in the values are shown as blanks.
  engine::ResultLine odd = Line(0, "a|b{c}.txt", "x|y", 1, "", "a|b{c}<d\te");
  const std::string oddText = DeleteMenuText(DeriveDeleteMenuValues(odd), 1);
  const auto oddItems = runtime::ParseMenuText(oddText);
  ASSERT_EQ(runtime::MenuChoiceCount(oddItems), 16);
  EXPECT_EQ(runtime::FindMenuChoice(oddItems, 5)->caption, "File.ext \"a b c .txt\"");
  EXPECT_EQ(runtime::FindMenuChoice(oddItems, 14)->caption, "Text Equals \"a b c  d e...\"");
  std::vector<int> disabled;
  for (int n = 1; n <= 16; ++n) {
    if (!runtime::FindMenuChoice(oddItems, n)->enabled) disabled.push_back(n);
  }
  EXPECT_EQ(disabled, (std::vector<int>{8, 10, 11, 12, 13}));
  EXPECT_NE(oddText.find("|~Location{"), std::string::npos);
}

TEST(Pruning, DerivedValues) {
  // file, file pattern, extension pattern, application prefix
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"orders.vlw", "orders.*", "*.vlw", "order"},
      {"ord12_.vl", "ord12_.*", "*.vl", "ord"},
      {"a1.inc", "a1.*", "*.inc", "a"},
      {"12.vl", "12.*", "*.vl", ""},
      {"readme", "readme.*", "*.$$$", ""},
      {"customerreport.vlw", "customerreport.*", "*.vlw", "custo"},
  };
  for (const auto& [file, pattern, extension, prefix] : cases) {
    const DeleteMenuValues v = DeriveDeleteMenuValues(Line(0, file, "", 1, "", ""));
    EXPECT_EQ(v.filePattern, pattern) << file;
    EXPECT_EQ(v.extensionPattern, extension) << file;
    EXPECT_EQ(v.appPrefix, prefix) << file;
  }
  const DeleteMenuValues map = DeriveDeleteMenuValues(Line(0, "a", "", 1, "MAP", ""));
  EXPECT_EQ(map.locationLeft, "MAP ");
  EXPECT_EQ(map.locationRest, "");
  EXPECT_EQ(ApplicationPrefix("orders.inc", false), "");
}

// ---- The Files list ----

engine::FileEntry File(const char* name, std::uint32_t count, std::uint32_t subdirNum,
                       std::uint8_t mark) {
  engine::FileEntry entry;
  entry.name = runtime::SharedText(name);
  entry.count = count;
  entry.subdirNum = subdirNum;
  entry.subdir = runtime::SharedText(subdirNum == 1 ? "" : "lib");
  entry.mark = mark;
  return entry;
}

engine::FileQueue FilesFixture() {
  return {File("orders.vlw", 3, 1, 1), File("ord12.vl", 0, 1, 0), File("ordmain.inc", 2, 1, 0),
          File("ord5.vl", 1, 2, 1),    File("main.vl", 0, 2, 1),  File("readme", 0, 1, 0)};
}

TEST(FilesPruning, DeleteMenuTable) {
  using Names = std::vector<std::string>;
  struct Case {
    FilesDeleteChoice choice;
    std::size_t selected;
    Names remaining;
    std::vector<int> marks;
  };
  const Case cases[] = {
      {FilesDeleteChoice::FoundCountZero, 0, {"orders.vlw", "ordmain.inc", "ord5.vl"}, {1, 0, 1}},
      {FilesDeleteChoice::Marked, 0, {"ord12.vl", "ordmain.inc", "readme"}, {0, 0, 0}},
      {FilesDeleteChoice::Unmarked, 0, {"orders.vlw", "ord5.vl", "main.vl"}, {0, 0, 0}},
      {FilesDeleteChoice::Subdirectory,
       3,
       {"orders.vlw", "ord12.vl", "ordmain.inc", "readme"},
       {0, 0, 0, 0}},
      {FilesDeleteChoice::AppFiles, 1, {"ord5.vl", "main.vl", "readme"}, {0, 0, 0}},
      {FilesDeleteChoice::Title,
       1,
       {"orders.vlw", "ord12.vl", "ordmain.inc", "ord5.vl", "main.vl", "readme"},
       {1, 0, 0, 1, 1, 0}},
  };
  for (const Case& c : cases) {
    engine::FileQueue files = FilesFixture();
    const engine::FileEntry selected = files[c.selected];
    const std::int64_t before = FilesWithHits(files);
    const FilesPruneOutcome outcome = PruneFiles(files, c.choice, files[c.selected]);
    Names names;
    std::vector<int> marks;
    for (const engine::FileEntry& entry : files) {
      names.push_back(entry.name.str());
      marks.push_back(entry.mark);
    }
    const int choice = static_cast<int>(c.choice);
    EXPECT_EQ(names, c.remaining) << choice;
    EXPECT_EQ(marks, c.marks) << choice;
    EXPECT_EQ(outcome.deleted, 6 - c.remaining.size()) << choice;
    EXPECT_EQ(FilesWithHits(files), before - static_cast<std::int64_t>(outcome.withHitsDeleted))
        << choice;
    EXPECT_EQ(FilesDeleteChoiceFromMenu(choice, selected), c.choice) << choice;
  }
  engine::FileQueue files = FilesFixture();
  UnmarkFiles(files);
  EXPECT_TRUE(std::all_of(files.begin(), files.end(), [](const auto& f) { return !f.mark; }));
}

TEST(FilesPruning, MenuTextOffersAppFilesForVeldarModulesOnly) {
  const engine::FileQueue files = FilesFixture();
  EXPECT_EQ(FilesDeleteMenuText(files[3]),
            "Delete File List Menu|-|Found Count = 0|-|Marked|Unmarked|-|Subdirectory "
            "\"lib\"|App Files \"ord\"");
  EXPECT_EQ(FilesDeleteMenuText(files[2]),  // ".inc" is no module here
            "Delete File List Menu|-|Found Count = 0|-|Marked|Unmarked|-|Subdirectory \"\"");
  EXPECT_EQ(FilesDeleteChoiceFromMenu(6, files[2]), FilesDeleteChoice::None);
}

}  // namespace
}  // namespace trawlex::results
