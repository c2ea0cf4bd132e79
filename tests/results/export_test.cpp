// The text file and clipboard exports of the results: exact bytes of each layout, the save
// command's dialogs and its all-or-nothing writing, the clipboard's size question.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "results/export_texts.h"
#include "results/results_clipboard.h"
#include "results/results_text_file.h"
#include "runtime/pictures.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::results {
namespace {

engine::ResultLine Hit(std::string file, std::uint32_t lineNo, std::string location,
                       std::string text, std::uint32_t dir) {
  engine::ResultLine hit;
  hit.file = runtime::SharedText(file);
  hit.lineNo = lineNo;
  hit.location = runtime::SharedText(location);
  hit.text = std::move(text);
  hit.subdirNum = dir;
  return hit;
}

// Three hits in two directories: a short name with no location and an indented text, a line
// number of two digits, a second directory.
struct Fixture {
  engine::ResultsQueue results{Hit("a.vlw", 3, "", "  x = kmn", 1),
                               Hit("inventory.vlw", 12, "Main", "call kmn(1)", 1),
                               Hit("b.inc", 7, "Proc", "kmn", 2)};
  engine::ScanDirQueue dirs{2};
  engine::SearchSpec request;
  engine::SearchCounts counts;

  Fixture() {
    dirs[0].fPathBs = "/src/";
    dirs[1].fPathBs = "/src/sub/";
    request.text = "kmn";
    counts.findCnt = 4;
    counts.scanBytes = 12345;
    counts.searchTime = 0.5;
  }
  ExportSource Source() const {
    return {results, dirs, request, counts,
            {runtime::DayNumber(2024, 3, 5), runtime::TimeOf(13, 7, 0, 0)}};
  }
};

const std::string kRule80(80, '-');
const std::string kRule100(100, '=');
const std::string kHead = "Trawlex Results 03/05/24  1:07PM\r\nFind: kmn\r\nOptions:\r\n";
const std::string kSummary = "3 lines reported, 4 originally found in 0.5 seconds, searched 12,345 bytes";

const std::string kTextFile = kHead + kRule80 + "\r\n" +
    "\r\nDir: /src/\r\n\r\n"
    "a.vlw\r\n"
    "            3  x = kmn\r\n\r\n"
    "inventory.vlw  Main\r\n"
    "           12  call kmn(1)\r\n\r\n"
    "\r\nDir: /src/sub/\r\n\r\n"
    "b.inc          Proc\r\n"
    "            7  kmn\r\n\r\n" +
    kSummary + "\r\n";

std::string WrittenText(const ExportSource& source, bool separatorFirst) {
  std::string text;
  const bool ok = WriteResultsText(source, [&text](std::string_view piece) {
    text += piece;
    return true;
  }, separatorFirst);
  EXPECT_TRUE(ok);
  return text;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(ExportTexts, ColumnWidthsAndSummaryCountTheResultsAsTheyAre) {
  Fixture fixture;
  const ColumnWidths widths = ComputeColumnWidths(fixture.results);
  EXPECT_EQ(widths.file, 13);
  EXPECT_EQ(widths.lineNo, 2);
  EXPECT_EQ(widths.location, 8);
  EXPECT_EQ(widths.text, 20);
  EXPECT_EQ(widths.totalText, 9 + 11 + 3);
  fixture.results.pop_back();  // pruned: the summary counts what is left
  EXPECT_EQ(SummaryLine(fixture.Source()),
            "2 lines reported, 4 originally found in 0.5 seconds, searched 12,345 bytes");
}

TEST(ResultsTextFile, WritesTheExactLayout) {
  const Fixture fixture;
  EXPECT_EQ(WrittenText(fixture.Source(), false), kTextFile);
  EXPECT_EQ(WrittenText(fixture.Source(), true), "\r\n\r\n\f\r\n" + kTextFile);
}

TEST(ResultsTextFile, AStoppedSinkEndsTheWriting) {
  const Fixture fixture;
  int pieces = 0;
  EXPECT_FALSE(WriteResultsText(fixture.Source(), [&pieces](std::string_view) {
    ++pieces;
    return false;
  }, false));
  EXPECT_EQ(pieces, 1);
}

TEST(ResultsClipboard, SpaceAlignedKeepsIndentationAndLeftAlignsNumbers) {
  const Fixture fixture;
  std::vector<runtime::Message> messages;
  EXPECT_EQ(ClipboardText(fixture.Source(), ClipboardLayout::Spaces, &messages),
            kHead + "File          L# Location Text\r\n" + kRule100 + "\r\n" +
                "Dir: /src/\r\n----------\r\n"
                "a.vlw         3 " " " "        " " " "  x = kmn\r\n"
                "inventory.vlw 12 Main     call kmn(1)\r\n"
                "Dir: /src/sub/\r\n--------------\r\n"
                "b.inc         7  Proc     kmn\r\n"
                "\r\n" + kSummary + "\r\n");
  EXPECT_TRUE(messages.empty());
}

TEST(ResultsClipboard, TabSeparatedStripsIndentation) {
  const Fixture fixture;
  EXPECT_EQ(ClipboardText(fixture.Source(), ClipboardLayout::Tabs, nullptr),
            kHead + "File\tLine#\tLocation\tText\r\n" + kRule100 + "\r\n" +
                "Dir: /src/\r\n----------\r\n"
                "a.vlw\t3\t\tx = kmn\r\n"
                "inventory.vlw\t12\tMain\tcall kmn(1)\r\n"
                "Dir: /src/sub/\r\n--------------\r\n"
                "b.inc\t7\tProc\tkmn\r\n"
                "\r\n" + kSummary + "\r\n");
}

// However long the directories, the text never leaves out a hit without saying so.
TEST(ResultsClipboard, AShortTextAlwaysComesWithItsMessage) {
  std::set<std::string> seen;
  for (std::size_t pathLength = 1560; pathLength < 1740; pathLength += 3) {
    Fixture fixture;
    fixture.dirs[0].fPathBs = std::string(pathLength, 'd');
    std::vector<runtime::Message> messages;
    const std::string text = ClipboardText(fixture.Source(), ClipboardLayout::Tabs, &messages);
    const bool whole = text.find("b.inc\t7") != std::string::npos &&
                       text.find(kSummary) != std::string::npos;
    EXPECT_NE(whole, !messages.empty()) << pathLength;
    EXPECT_EQ(text.find(kHead), 0u);
    for (const runtime::Message& message : messages) seen.insert(message.text.substr(0, 34));
  }
  // The range reaches every way of stopping short, and texts that are whole.
  EXPECT_EQ(seen, (std::set<std::string>{"Clipboard string overflowed adding",
                                         "Clipboard string overflowed at lin",
                                         "Clipboard string overflowed at end"}));
  Fixture fixture;
  fixture.dirs[0].fPathBs = std::string(3000, 'd');
  std::vector<runtime::Message> messages;
  const std::string text = ClipboardText(fixture.Source(), ClipboardLayout::Spaces, &messages);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Clipboard string overflowed adding Dir at line 1 of 3");
  EXPECT_NE(text.find(kSummary), std::string::npos);  // the summary still ends the text
}

// One hit of 25 column characters plus its text, 7994 directories of 500 each and 2500:
// the estimate is 4,000,000 with a text of 475 characters.
TEST(ResultsClipboard, AsksFirstAboveFourMillion) {
  for (const std::size_t textLength : {475u, 476u}) {
    Fixture fixture;
    fixture.results = {Hit("a", 1, "", std::string(textLength, 't'), 1)};
    fixture.dirs.resize(7994);
    const ExportSource source = fixture.Source();
    EXPECT_EQ(ClipboardEstimate(source, ComputeColumnWidths(fixture.results)),
              3'999'525 + static_cast<std::int64_t>(textLength));
    testing::ScriptedDesktop desktop;
    desktop.answers = {1, runtime::kAnswerNo};
    CopyResultsToClipboard(desktop, source);
    if (textLength == 475) {
      ASSERT_EQ(desktop.messages.size(), 1u);
      EXPECT_NE(desktop.clipboard.find("4 originally found"), std::string::npos);
      continue;
    }
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text,
              "This will result in a large clipboard of 4000001 bytes.||Continue?");
    EXPECT_EQ(desktop.messages[1].caption, "Clipboard");
    EXPECT_EQ(desktop.messages[1].icon, runtime::Icon::Warning);
    EXPECT_EQ(desktop.messages[1].defaultButton, runtime::kAnswerNo);
    EXPECT_TRUE(desktop.clipboard.empty());
  }
}

TEST(ResultsClipboard, TheSecondButtonCopiesTabSeparatedText) {
  const Fixture fixture;
  testing::ScriptedDesktop desktop;
  desktop.answers = {2};
  CopyResultsToClipboard(desktop, fixture.Source());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            "Space or Tab Separated?||(TSV can be pasted directly into Excel.)");
  EXPECT_EQ(desktop.messages[0].caption, "Copy to Clipboard");
  EXPECT_EQ(desktop.messages[0].buttons, "Space|Tab");
  EXPECT_EQ(desktop.clipboard, ClipboardText(fixture.Source(), ClipboardLayout::Tabs, nullptr));
}

TEST(ExportCommands, EmptyResultsDoNothing) {
  Fixture fixture;
  fixture.results.clear();
  testing::ScriptedDesktop desktop;
  EXPECT_FALSE(SaveResultsToTextFile(desktop, fixture.Source(), SaveResultsMode::Save, ""));
  CopyResultsToClipboard(desktop, fixture.Source());
  EXPECT_TRUE(desktop.fileRequests.empty());
  EXPECT_TRUE(desktop.messages.empty());
}

class SaveResultsTest : public ::testing::Test {
 protected:
  bool Save(std::deque<std::optional<std::string>> files, std::deque<int> answers,
            SaveResultsMode mode = SaveResultsMode::Save) {
    desktop_.chosenFiles = std::move(files);
    desktop_.answers = std::move(answers);
    return SaveResultsToTextFile(desktop_, fixture_.Source(), mode, "ed +%L %F");
  }
  std::string File(const std::string& name) const { return (tree_.root() / name).string(); }

  Fixture fixture_;
  testing::ScriptedDesktop desktop_;
  testing::TempTree tree_;
};

TEST_F(SaveResultsTest, ANewFileHoldsTheLayoutAndEditOpensIt) {
  ASSERT_TRUE(Save({File("new.txt")}, {}, SaveResultsMode::SaveAndEdit));
  EXPECT_EQ(ReadFile(File("new.txt")), kTextFile);
  ASSERT_EQ(desktop_.fileRequests.size(), 1u);
  const runtime::FileDialogRequest& request = desktop_.fileRequests[0];
  EXPECT_EQ(request.title, "Enter File Name to Save Results In");
  EXPECT_EQ(request.filter, "Text Files|*.TXT|All Files|*.*");
  EXPECT_EQ(request.fileName, "Results.TXT");
  EXPECT_TRUE(request.save);
  EXPECT_TRUE(desktop_.messages.empty());
  ASSERT_EQ(desktop_.programsStarted.size(), 1u);
  EXPECT_EQ(desktop_.programsStarted[0].program, "ed");
  EXPECT_EQ(desktop_.programsStarted[0].arguments,
            (std::vector<std::string>{"+1", File("new.txt")}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree_.root()), {}), 1);
}

TEST_F(SaveResultsTest, AppendSeparatesOnlyFromOldContent) {
  tree_.Write("old.txt", "old\r\n");
  tree_.Write("empty.txt", "");
  ASSERT_TRUE(Save({File("old.txt")}, {}));  // the default answer appends
  EXPECT_EQ(ReadFile(File("old.txt")), "old\r\n\r\n\r\n\f\r\n" + kTextFile);
  ASSERT_EQ(desktop_.messages.size(), 1u);
  EXPECT_EQ(desktop_.messages[0].text, "The file name entered already exists.||" + File("old.txt"));
  EXPECT_EQ(desktop_.messages[0].caption, "File Exists");
  EXPECT_EQ(desktop_.messages[0].icon, runtime::Icon::Warning);
  EXPECT_EQ(desktop_.messages[0].buttons, "Append|Replace|Rename");
  ASSERT_TRUE(Save({File("empty.txt")}, {1}));
  EXPECT_EQ(ReadFile(File("empty.txt")), kTextFile);
}

TEST_F(SaveResultsTest, ReplaceKeepsPermissionsAndRenameAsksAgain) {
  const auto old = tree_.Write("old.txt", "old content that is longer than nothing\r\n");
  std::filesystem::permissions(old, std::filesystem::perms(0640));
  ASSERT_TRUE(Save({File("old.txt")}, {2}));
  EXPECT_EQ(ReadFile(old), kTextFile);
  EXPECT_EQ(std::filesystem::status(old).permissions(), std::filesystem::perms(0640));

  tree_.Write("keep.txt", "keep\r\n");
  desktop_.fileRequests.clear();
  ASSERT_TRUE(Save({File("keep.txt"), File("other.txt")}, {3}));
  ASSERT_EQ(desktop_.fileRequests.size(), 2u);
  EXPECT_EQ(desktop_.fileRequests[1].fileName, File("keep.txt"));
  EXPECT_EQ(ReadFile(File("keep.txt")), "keep\r\n");
  EXPECT_EQ(ReadFile(File("other.txt")), kTextFile);
}

TEST_F(SaveResultsTest, AFileThatCannotBeOpenedIsNamed) {
  tree_.Write("plain", "x");
  const std::string name = File("plain") + "/results.txt";  // below a file: no directory
  EXPECT_FALSE(Save({name}, {}, SaveResultsMode::SaveAndEdit));
  ASSERT_EQ(desktop_.messages.size(), 1u);
  const std::string& text = desktop_.messages[0].text;
  EXPECT_EQ(text.rfind("Error opening file ", 0), 0u) << text;
  EXPECT_GT(text.size(), std::string("Error opening file |").size() + name.size());
  EXPECT_EQ(text.substr(text.size() - name.size() - 1), "|" + name);
  EXPECT_TRUE(desktop_.programsStarted.empty());
}

// Writing stops short (the file size limit, which binds root too): the old file is as it was,
// no temporary file remains, and the user is told. Run in a child so the limit ends with it.
TEST_F(SaveResultsTest, AFailedWriteLeavesTheOldFileAsItWas) {
  const std::string old = "old\r\n";
  tree_.Write("old.txt", old);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{40, 40};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool saved = Save({File("old.txt")}, {2});
    const bool told = desktop_.messages.size() == 2 &&
                      desktop_.messages[1].text.rfind("Error writing file ", 0) == 0 &&
                      desktop_.messages[1].text.ends_with("|" + File("old.txt"));
    ::_exit(!saved && told ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadFile(File("old.txt")), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree_.root()), {}), 1);
}

}  // namespace
}  // namespace trawlex::results
