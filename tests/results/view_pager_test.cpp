// The viewer's pager over real files: backing up against the text reader's own lines over
// random files, paging against a model of the page, opening on a hit, finding, and files that
// change under the viewer.

#include "results/view_pager.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>

#include "runtime/text_reader.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::results {
namespace {

// The lines the search sees in `bytes`, and where its text ends.
struct Reference {
  std::vector<ViewRow> lines;
  std::int64_t textEnd = 1;  // the position just after the text (a Ctrl-Z or the file's end)
};

Reference ReferenceOf(const std::string& bytes) {
  Reference ref;
  runtime::TextReader reader;
  reader.OpenMemory(bytes);
  runtime::TextRecord record;
  while (reader.Next(record)) ref.lines.push_back({std::string(record.text), record.position});
  ref.textEnd = static_cast<std::int64_t>(std::min(bytes.find('\x1A'), bytes.size())) + 1;
  return ref;
}

// A file of lines of every awkward kind: empty, around and beyond the backing-up block, with
// tabs and lone CRs, ended by LF or CR LF, maybe unended, maybe closed by a Ctrl-Z.
std::string RandomFile(std::mt19937& rng, bool withCtrlZ) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::string bytes;
  const int lines = pick(30);
  for (int i = 0; i < lines; ++i) {
    static constexpr int kLengths[] = {0, 0, 5, 40, 509, 510, 511, 1021, 1100};
    const int length = kLengths[pick(9)] + (pick(3) == 0 ? pick(4) : 0);
    for (int c = 0; c < length; ++c) {
      const int kind = pick(40);
      bytes += kind == 0 ? '\t' : kind == 1 ? '\r' : static_cast<char>('a' + pick(26));
    }
    bytes += pick(2) == 0 ? "\n" : "\r\n";
  }
  if (pick(3) == 0) bytes += "last line without end";
  if (withCtrlZ && pick(2) == 0) bytes += pick(2) == 0 ? "\x1A" : "\x1Ajunk\r";
  return bytes;
}

std::int64_t Expected(const Reference& ref, std::size_t index, int count) {
  const auto above = static_cast<std::int64_t>(index) - count;
  if (above <= 0) return 1;
  if (above == static_cast<std::int64_t>(ref.lines.size())) return ref.textEnd;
  return ref.lines[static_cast<std::size_t>(above)].ptr;
}

TEST(ViewPager, BackUpFindsTheLineStartsTheTextReaderCounts) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  std::mt19937 rng(20240611);
  for (int round = 0; round < 150; ++round) {
    const std::string bytes = RandomFile(rng, true);
    const Reference ref = ReferenceOf(bytes);
    ViewPager pager(desktop, 3);
    ASSERT_FALSE(pager.Open(tree.Write("f" + std::to_string(round), bytes).string()));
    for (std::size_t index = 0; index <= ref.lines.size(); ++index) {
      const std::int64_t from = index < ref.lines.size() ? ref.lines[index].ptr : ref.textEnd;
      for (int count : {0, 1, 2, 3, 7}) {
        ASSERT_EQ(pager.BackUp(from, count), Expected(ref, index, count))
            << "round " << round << " from " << from << " count " << count;
      }
    }
    // From the file's end: a closing Ctrl-Z ends the text there.
    ASSERT_EQ(pager.BackUp(pager.fileSize() + 1, 2), Expected(ref, ref.lines.size(), 2));
    EXPECT_TRUE(desktop.messages.empty());
  }
}

// Paging keeps the page a run of consecutive lines; the model is the index of its top line.
TEST(ViewPager, PagesMoveAsWholeRunsOfLines) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  std::mt19937 rng(7);
  constexpr int kRows = 4;
  for (int round = 0; round < 40; ++round) {
    const std::string bytes = RandomFile(rng, false);
    const Reference ref = ReferenceOf(bytes);
    const int n = static_cast<int>(ref.lines.size());
    const int last = std::max(0, n - kRows);
    ViewPager pager(desktop, kRows);
    ASSERT_FALSE(pager.Open(tree.Write("p" + std::to_string(round), bytes).string()));
    int top = 0;
    auto check = [&](const char* step) {
      const auto from = ref.lines.begin() + top;
      const std::vector<ViewRow> expected(from, from + std::min(kRows, n - top));
      ASSERT_EQ(pager.rows().size(), expected.size()) << step << " round " << round;
      for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(pager.rows()[i].ptr, expected[i].ptr) << step << " round " << round;
        ASSERT_EQ(pager.rows()[i].text, expected[i].text) << step << " round " << round;
      }
    };
    ASSERT_TRUE(pager.Top());
    check("top");
    while (top < last) {
      ASSERT_TRUE(pager.PageDown());
      top = std::min(top + kRows, last);
      check("page down");
    }
    ASSERT_TRUE(pager.PageDown());
    check("page down at the end");
    ASSERT_TRUE(pager.LineUp());
    top = std::max(0, top - 1);
    check("line up");
    ASSERT_TRUE(pager.LineDown());
    top = std::min(top + 1, last);
    check("line down");
    while (top > 0) {
      ASSERT_TRUE(pager.PageUp());
      top = std::max(0, top - kRows);
      check("page up");
    }
    ASSERT_TRUE(pager.End());
    top = last;
    check("end");
  }
}

std::string Numbered(int lines) {
  std::string text;
  for (int i = 1; i <= lines; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

TEST(ViewPager, OpensFiveLinesAboveTheHitAndReadsLinesAtTheirStarts) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  const std::string bytes = Numbered(20);
  const Reference ref = ReferenceOf(bytes);
  ViewPager pager(desktop, 6);
  ASSERT_FALSE(pager.Open(tree.Write("n.vlw", bytes).string()));
  ASSERT_TRUE(pager.OpenAtHit(ref.lines[2].ptr));
  EXPECT_EQ(pager.rows().front().text, "line 1");
  ASSERT_TRUE(pager.OpenAtHit(ref.lines[9].ptr));
  EXPECT_EQ(pager.rows().front().text, "line 5");
  EXPECT_EQ(pager.rows().back().text, "line 10");

  EXPECT_EQ(pager.LineAt(ref.lines[3].ptr), "line 4");
  EXPECT_EQ(pager.LineAt(ref.lines[3].ptr + 1), std::nullopt);  // inside a line
  EXPECT_EQ(pager.LineAt(pager.fileSize() + 1), std::nullopt);
  EXPECT_FALSE(pager.error());
}

TEST(ViewPager, FindSearchesFromTheLineAfterOrAboveTheStart) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  const std::string bytes = "alpha\nbeta\n\tgamma\r\nbeta two\nomega";
  const Reference ref = ReferenceOf(bytes);
  ViewPager pager(desktop, 3);
  ASSERT_FALSE(pager.Open(tree.Write("f.txt", bytes).string()));
  auto find = [](const char* text) {
    FindRecord f;
    f.findText = text;
    PrepareFindText(f);
    return f;
  };
  const auto at = [&ref](int line) { return ref.lines[static_cast<std::size_t>(line - 1)].ptr; };
  using enum FindDirection;
  EXPECT_EQ(pager.Find(find("beta"), at(1), Down), at(2));
  EXPECT_EQ(pager.Find(find("beta"), at(2), Down), at(4));
  EXPECT_EQ(pager.Find(find("beta"), at(4), Down), std::nullopt);
  EXPECT_EQ(pager.Find(find("    gamma"), at(1), Down), at(3));  // tabs expanded as shown
  EXPECT_EQ(pager.Find(find("beta"), at(4), Up), at(2));
  // Backing up reaches line 1 and tests it; starting there tests nothing.
  EXPECT_EQ(pager.Find(find("alpha"), at(5), Up), at(1));
  EXPECT_EQ(pager.Find(find("alpha"), at(1), Down), std::nullopt);
  EXPECT_EQ(pager.Find(find("alpha"), at(1), Up), std::nullopt);
  EXPECT_EQ(pager.Find(FindRecord{}, at(1), Down), std::nullopt);
  EXPECT_FALSE(pager.error());

  // Far down, past a line longer than any one read.
  const std::string big = Numbered(9000) + std::string(200000, 'w') + "\n" + Numbered(9000);
  ASSERT_FALSE(pager.Open(tree.Write("big.txt", big).string()));
  const auto found = pager.Find(find("line 8999"), 1, Down);
  ASSERT_TRUE(found);
  EXPECT_EQ(pager.Find(find("line 8999"), *found, Down),
            static_cast<std::int64_t>(big.rfind("line 8999")) + 1);
}

TEST(ViewPager, FileThatShrinksFailsTheCallAndKeepsThePage) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  const auto file = tree.Write("s.vlw", Numbered(30));
  ViewPager pager(desktop, 5);
  ASSERT_FALSE(pager.Open(file.string()));
  ASSERT_TRUE(pager.OpenAtHit(100));
  const std::vector<ViewRow> page = pager.rows();

  // Removed: the open file still reads.
  std::filesystem::remove(file);
  ASSERT_TRUE(pager.PageDown());
  EXPECT_EQ(pager.rows().front().ptr, page.back().ptr + 9);
  ASSERT_TRUE(pager.PageUp());
  EXPECT_EQ(pager.rows().front().ptr, page.front().ptr);

  const auto shrinking = tree.Write("t.vlw", Numbered(30));
  ASSERT_FALSE(pager.Open(shrinking.string()));
  ASSERT_TRUE(pager.OpenAtHit(100));
  const std::vector<ViewRow> before = pager.rows();
  ASSERT_EQ(::truncate(shrinking.c_str(), 20), 0);
  FindRecord beta;
  beta.findText = "line 2";
  PrepareFindText(beta);
  const std::vector<std::function<bool()>> calls = {
      [&] { return pager.PageDown(); },
      [&] { return pager.LineUp(); },
      [&] { return pager.End(); },
      [&] { return pager.FillFrom(1); },
      [&] { return pager.Find(beta, 1, FindDirection::Down).has_value(); },
      [&] { return pager.LineAt(1).has_value(); }};
  for (const auto& call : calls) {
    EXPECT_FALSE(call());
    EXPECT_TRUE(pager.error());
    EXPECT_EQ(pager.rows().size(), before.size());
    EXPECT_EQ(pager.rows().front().ptr, before.front().ptr);
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST(ViewPager, OpenRefusesWhatIsNoRegularFile) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  ViewPager pager(desktop, 5);
  EXPECT_EQ(pager.Open(tree.Dir("dir").string()).text, "Access Denied");
  EXPECT_EQ(pager.Open(tree.path() + "missing.vlw").text, "File Not Found");
  EXPECT_FALSE(pager.isOpen());
  EXPECT_FALSE(pager.FillFrom(1));
  EXPECT_TRUE(pager.error());
}

// A 2 GB file (sparse: its middle is one line of NULs) pages at its top and its end without
// the middle ever being read; a closing Ctrl-Z ends its text.
TEST(ViewPager, HugeFilePagesAtBothEndsWithoutReadingTheMiddle) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  const auto file = tree.Write("huge.txt", "h1\nh2\nh3\n");
  constexpr std::int64_t kSize = std::int64_t{2} << 30;
  std::filesystem::resize_file(file, kSize);
  {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << "\nt1\r\nt2\r\n\x1A";
  }
  ViewPager pager(desktop, 2);
  ASSERT_FALSE(pager.Open(file.string()));
  ASSERT_TRUE(pager.End());
  ASSERT_EQ(pager.rows().size(), 2u);
  EXPECT_EQ(pager.rows()[0].text, "t1");
  EXPECT_EQ(pager.rows()[1].text, "t2");
  EXPECT_EQ(pager.rows()[0].ptr, kSize + 2);
  ASSERT_TRUE(pager.Top());
  EXPECT_EQ(pager.rows()[1].text, "h2");
}

}  // namespace
}  // namespace trawlex::results
