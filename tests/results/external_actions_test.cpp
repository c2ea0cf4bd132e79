// The actions that leave the program, over a scripted desktop: the editor command as words,
// the editor started in the file's directory, the desktop's open and edit actions and their
// messages, the editor for every file of a run or files beside a hit, a terminal and the
// file manager.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "results/command_prompt.h"
#include "results/command_words.h"
#include "results/edit_several_files.h"
#include "results/editor_command.h"
#include "results/file_manager.h"
#include "results/line_copy_texts.h"
#include "results/shell_open.h"
#include "runtime/error_codes.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::results {
namespace {

using Words = std::vector<std::string>;
using runtime::Icon;
using runtime::OsError;
using testing::ScriptedDesktop;

const OsError kNotFound{302, "File Not Found"};

TEST(CommandWords, SplitsLikeAShellWithoutExpandingAnything) {
  const struct {
    const char* command;
    std::optional<Words> words;
  } cases[] = {
      {"", Words{}},
      {" \t\n ", Words{}},
      {"  gvim  --remote +%L\t%F  ", Words{"gvim", "--remote", "+%L", "%F"}},
      {"'/opt/my editor/ed' %F", Words{"/opt/my editor/ed", "%F"}},
      {"\"a b\"'c d'e", Words{"a bc de"}},  // quotes never end a word
      {"\"\" x ''", Words{"", "x", ""}},
      {"a\\ b \\'c\\\"", Words{"a b", "'c\""}},
      {"\"\\$H \\\" \\\\ \\` \\x\"", Words{"$H \" \\ ` \\x"}},  // only $ ` " \ escaped
      {"a\\\nb \"c\\\nd\"", Words{"ab", "cd"}},                 // a line end joined
      {"'it'\\''s' '\\n'", Words{"it's", "\\n"}},
      {"x; rm $(pwd) `id` | y &", Words{"x;", "rm", "$(pwd)", "`id`", "|", "y", "&"}},
      {"end\\", Words{"end\\"}},
      {"'open %F", std::nullopt},
      {"ed \"open", std::nullopt},
      {"ed \"a\\\"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandWords(c.command), c.words) << c.command;
}

TEST(CommandWords, JoinedWordsSplitBackToTheSameWords) {
  const std::vector<std::string> pieces = {
      "a", "Z9",  " ",  "\t", "\n", "\r", "'", "\"", "\\",   ";",    "$(",       ")",    "`",
      "-", "--x", "%F", "*",  "~",  "#",  "&", "|",  "\x80", "\xE9", "\xC3\xA9", "\xFF", {'\0'}};
  std::mt19937 random(20240611);
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n)(random);
  };
  for (int round = 0; round < 3000; ++round) {
    Words words(pick(4));
    for (std::string& word : words) {
      for (std::size_t n = pick(6); n > 0; --n) word += pieces[pick(pieces.size() - 1)];
    }
    const std::string line = JoinCommandWords(words);
    EXPECT_EQ(SplitCommandWords(line), words) << line;
  }
}

TEST(EditorCommand, PlaceholdersBecomeTheFileAndLineInsideTheirWords) {
  const std::string file = "/src/app/a b.vlw";
  const struct {
    const char* editor;
    std::optional<Words> words;
  } cases[] = {
      {"vim", Words{"vim", file}},  // no %F: the file goes last; no %L: no line
      {"ED.EXE %F/%L", Words{"ED.EXE", file + "/12"}},
      {"%F ed", Words{"%F", "ed", file}},  // at the very start %F is not a file
      {"", Words{"xdg-open", file}},
      {"   ", Words{"xdg-open", file}},
      {"gvim +%L %F", Words{"gvim", "+12", file}},
      {"code -g %F:%L", Words{"code", "-g", file + ":12"}},
      {"ed %l x%f", Words{"ed", "12", "x" + file}},
      {"Kate --Line %L", Words{"Kate", "--Line", "12", file}},  // the command keeps its case
      {"'my ed' \"%F\"", Words{"my ed", file}},
      {"ed 'unclosed %F", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EditorCommandWords(c.editor, file, 12), c.words) << c.editor;
  }
  // Placeholders are looked for in the command only, never in the file put into it.
  EXPECT_EQ(EditorCommandWords("ed %F +%L", "/src/%L %F.vlw", 3),
            (Words{"ed", "/src/%L %F.vlw", "+3"}));
  EXPECT_EQ(EditorCommandWords("ed %F%L", "/x/%L", 3), (Words{"ed", "/x/%L3"}));
}

TEST(EditorCommand, StartsTheEditorInTheFilesDirectoryOrSaysWhyNot) {
  ScriptedDesktop desktop;
  desktop.currentDirectory = "/home/u";
  const struct {
    const char* file;
    Words arguments;
    const char* directory;
  } cases[] = {
      {"/src/app/a b.vlw", {"+7", "/src/app/a b.vlw"}, "/src/app"},
      {"sub/x.vlw", {"+7", "/home/u/sub/x.vlw"}, "/home/u/sub"},  // from the current directory
      {"/x.vlw", {"+7", "/x.vlw"}, "/"},
  };
  for (const auto& c : cases) {
    desktop.programsStarted.clear();
    EXPECT_TRUE(EditFile(desktop, "gvim +%L %F", c.file, 7)) << c.file;
    ASSERT_EQ(desktop.programsStarted.size(), 1u) << c.file;
    EXPECT_EQ(desktop.programsStarted[0].program, "gvim");
    EXPECT_EQ(desktop.programsStarted[0].arguments, c.arguments);
    EXPECT_EQ(desktop.programsStarted[0].workingDirectory, c.directory);
  }
  EXPECT_TRUE(desktop.messages.empty());

  desktop.startFailures = {kNotFound};
  EXPECT_FALSE(EditFile(desktop, "'my ed' +%L", "/src/a b.vlw", 7));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            "Error running editor: File Not Found||'my ed' +7 '/src/a b.vlw'");
  EXPECT_EQ(desktop.messages[0].caption, "Edit File");
  EXPECT_EQ(desktop.messages[0].icon, Icon::Warning);
  EXPECT_EQ(runtime::ErrorCode(), kNotFound.code);
  // A program that is not installed is named, not mistaken for the file.
  desktop.missingPrograms = {"my ed"};
  desktop.startFailures = {kNotFound};
  EXPECT_FALSE(EditFile(desktop, "'my ed' +%L", "/src/a b.vlw", 7));
  EXPECT_EQ(desktop.messages.back().text,
            "Error running editor: the program my ed was not found.||'my ed' +7 '/src/a b.vlw'");
  desktop.missingPrograms.clear();

  desktop.programsStarted.clear();
  EXPECT_FALSE(EditFile(desktop, "ed 'x %F  ", "/src/a.vlw", 7));
  EXPECT_TRUE(desktop.programsStarted.empty());
  ASSERT_EQ(desktop.messages.size(), 3u);
  EXPECT_EQ(desktop.messages[2].text,
            "Error running editor: The editor command has a quote that is not closed.||ed 'x %F");
}

TEST(ShellOpen, FailuresAreExplainedWithTheWindowsResultNumbers) {
  testing::TempTree tree;
  tree.Write("manual.pdf", "%PDF");
  tree.Write("a.vlw", "x");
  const std::string dir = tree.path();
  const struct {
    std::string file;
    ShellVerb verb;
    bool desktopWorks;
    int result;
    std::string text;  // empty: no message
    const char* caption;
  } cases[] = {
      {dir + "a.vlw", ShellVerb::Open, true, 0, "", ""},
      {dir + "manual.pdf", ShellVerb::Edit, false, kShellNoAssociation,
       "Could not open your PDF file. Acrobat needs to be installed on this computer.||31",
       "Acrobat not Found"},
      {dir + "notes.txt", ShellVerb::Edit, true, kShellFileNotFound,
       "Unable to edit the requested file. The file is missing or deleted.||File: " + dir +
           "notes.txt||Reason: 2  File not found",
       "View TXT File"},
      {dir + "gone/notes.txt", ShellVerb::Open, true, kShellPathNotFound,
       "Unable to view the requested file. The folder is missing or deleted.||File: " + dir +
           "gone/notes.txt||Reason: 3  Path not found",
       "View TXT File"},
      {dir + "a.vlw", ShellVerb::Open, false, kShellNoAssociation,
       "Unable to view the requested file. You need to install a VLW viewer.||File: " + dir +
           "a.vlw||Reason: 31  No File Association for file type",
       "View VLW File"},
  };
  for (const auto& c : cases) {
    ScriptedDesktop desktop;
    desktop.openWorks = c.desktopWorks;
    EXPECT_EQ(ShellOpen(desktop, c.file, c.verb, true), c.result) << c.file;
    if (c.text.empty()) {
      EXPECT_TRUE(desktop.messages.empty()) << c.file;
      continue;
    }
    ASSERT_EQ(desktop.messages.size(), 1u) << c.file;
    EXPECT_EQ(desktop.messages[0].text, c.text);
    EXPECT_EQ(desktop.messages[0].caption, c.caption);
    EXPECT_EQ(desktop.messages[0].icon, Icon::Warning);
    // Without reporting, the same result and no message.
    desktop.messages.clear();
    EXPECT_EQ(ShellOpen(desktop, c.file, c.verb, false), c.result) << c.file;
    EXPECT_TRUE(desktop.messages.empty()) << c.file;
  }
  ScriptedDesktop desktop;
  ShellOpen(desktop, dir + "a.vlw", ShellVerb::Edit, true);
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], std::make_pair(dir + "a.vlw", std::string("edit")));
  ShellOpen(desktop, dir + "notes.txt", ShellVerb::Open, true);
  EXPECT_EQ(desktop.opened.size(), 1u);  // a missing file is never handed over
}

TEST(ShellOpen, NotFoundForAnExistingFileBlamesTheViewer) {
  const struct {
    const char* file;
    int result;
    const char* text;
    const char* caption;
  } cases[] = {
      {"/d/notes.txt", 2,
       "Unable to view the requested file. ||File: /d/notes.txt||Reason: -2  File not found|\t"
       "Viewer Program could be missing or corrupt.",
       "View TXT File"},
      {"/d/manual.pdf", 3,
       "Unable to view the requested file. ||File: /d/manual.pdf||Reason: -3  Path not found|\t"
       "Acrobat could be missing or corrupt.",
       "View Acrobat PDF"},
  };
  for (const auto& c : cases) {
    const ShellOpenFailure failure =
        ShellOpenFailureMessage(c.file, ShellVerb::Open, c.result, true);
    EXPECT_EQ(failure.result, -c.result);
    EXPECT_EQ(failure.message.text, c.text);
    EXPECT_EQ(failure.message.caption, c.caption);
  }
}

engine::ResultLine Hit(const char* path, std::uint32_t lineNo) {
  engine::ResultLine line;
  line.path = runtime::SharedText(path);
  line.lineNo = lineNo;
  return line;
}

TEST(EditSeveralFiles, EveryRunOfAFilesLinesStartsTheEditorOnce) {
  const engine::ResultsQueue results = {Hit("/s/a.vlw", 3), Hit("/s/a.vlw", 9), Hit("/s/b.vlw", 1),
                                        Hit("/s/a.vlw", 20), Hit("/s/A.vlw", 4)};
  ScriptedDesktop desktop;
  EXPECT_EQ(EditAllFiles(desktop, "ed +%L %F", results), 4);
  std::vector<Words> started;
  for (const runtime::ProgramStart& start : desktop.programsStarted) {
    started.push_back(start.arguments);
  }
  EXPECT_EQ(started,
            (std::vector<Words>{
                {"+3", "/s/a.vlw"}, {"+1", "/s/b.vlw"}, {"+20", "/s/a.vlw"}, {"+4", "/s/A.vlw"}}));

  // The first editor that fails ends the walk: its message is the only one.
  ScriptedDesktop failing;
  failing.startFailures = {kNotFound};
  EXPECT_EQ(EditAllFiles(failing, "ed", results), 0);
  EXPECT_EQ(failing.programsStarted.size(), 1u);
  EXPECT_EQ(failing.messages.size(), 1u);
}

TEST(EditSeveralFiles, RelatedFilesAreChosenBesideTheHitsFile) {
  const std::string fixed =
      "All Files|*.*|.VL?|*.VL?|.IN?|*.IN?|.TRN|*.TRN|Template|*.TPW;*.TPL;*.TPX;*.TPD;*.MDL|"
      "Project|*.PR;*.PRJ|Compile|*.MAP;*.EXP;*.SHP;*.LNK|TXA/D|*.TXA;*.TXD;*.TXR|Bat|*.BAT|"
      "Text|*.TXT";
  const struct {
    const char* file;
    const char* directory;
    const char* fileName;
    std::string filter;
  } cases[] = {
      {"/src/app/orders.vlw", "/src/app", "orders.*", "orders.*|orders.*|*.vlw|*.vlw|" + fixed},
      {"/src/a.b.inc", "/src", "a.b.*", "a.b.*|a.b.*|*.inc|*.inc|" + fixed},
      {"/src/Makefile", "/src", "", fixed},
      {"/home/.profile", "/home", "", fixed},  // the only dot is the first character
  };
  for (const auto& c : cases) {
    const runtime::FileDialogRequest request = RelatedFileRequest(c.file);
    EXPECT_EQ(request.title, "Select Files to Edit");
    EXPECT_EQ(request.directory, c.directory) << c.file;
    EXPECT_EQ(request.fileName, c.fileName) << c.file;
    EXPECT_EQ(request.filter, c.filter) << c.file;
    EXPECT_FALSE(request.save);
  }

  ScriptedDesktop desktop;
  desktop.chosenFileLists = {{"/src/app/x.vlw", "/src/app/y.inc"}};
  EXPECT_EQ(EditRelatedFile(desktop, "ed +%L", "/src/app/orders.vlw"), 2);
  ASSERT_EQ(desktop.programsStarted.size(), 2u);
  EXPECT_EQ(desktop.programsStarted[1].arguments, (Words{"+1", "/src/app/y.inc"}));
  EXPECT_EQ(EditRelatedFile(desktop, "ed", "/src/app/orders.vlw"), 0);  // cancelled
}

TEST(CommandPrompt, TriesTerminalThenTheDebianDefaultInTheDirectory) {
  testing::TempTree tree;
  const std::string dir = tree.root().string();
  const struct {
    std::optional<std::string> terminal;
    std::vector<OsError> failures;
    std::vector<Words> started;  // program and arguments of every start tried
    std::string message;         // empty: none
  } cases[] = {
      {"'my term' -x", {}, {{"my term", "-x"}}, ""},
      {std::nullopt, {}, {{"x-terminal-emulator"}}, ""},
      {"  ", {}, {{"x-terminal-emulator"}}, ""},
      {"'my term' -x", {kNotFound}, {{"my term", "-x"}, {"x-terminal-emulator"}}, ""},
      {"'my term' -x",
       {kNotFound, OsError{305, "Access Denied"}},
       {{"my term", "-x"}, {"x-terminal-emulator"}},
       "Unable to open a terminal. Set the environment variable TERMINAL to your terminal "
       "program, or install one as x-terminal-emulator.||Folder: " +
           dir + "||Tried: 'my term' -x, x-terminal-emulator||Error: Access Denied"},
      {"x-terminal-emulator",
       {kNotFound},
       {{"x-terminal-emulator"}},
       "Unable to open a terminal. Set the environment variable TERMINAL to your terminal "
       "program, or install one as x-terminal-emulator.||Folder: " +
           dir + "||Tried: x-terminal-emulator||Error: File Not Found"},
  };
  for (const auto& c : cases) {
    const std::string name = c.terminal.value_or("(unset)");
    ScriptedDesktop desktop;
    desktop.startFailures.assign(c.failures.begin(), c.failures.end());
    EXPECT_EQ(CommandPromptHere(desktop, dir, c.terminal), c.message.empty()) << name;
    std::vector<Words> started;
    for (const runtime::ProgramStart& start : desktop.programsStarted) {
      Words words{start.program};
      words.insert(words.end(), start.arguments.begin(), start.arguments.end());
      started.push_back(words);
      EXPECT_EQ(start.workingDirectory, dir) << name;
    }
    EXPECT_EQ(started, c.started) << name;
    if (c.message.empty()) {
      EXPECT_TRUE(desktop.messages.empty()) << name;
    } else {
      ASSERT_EQ(desktop.messages.size(), 1u) << name;
      EXPECT_EQ(desktop.messages[0].text, c.message);
      EXPECT_EQ(desktop.messages[0].caption, "Command Prompt Here");
    }
  }

  ScriptedDesktop desktop;
  EXPECT_FALSE(CommandPromptHere(desktop, dir + "/gone", std::nullopt));
  EXPECT_TRUE(desktop.programsStarted.empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(
      desktop.messages[0].text,
      "Unable to open a terminal. The folder is missing or deleted.||Folder: " + dir + "/gone");
}

TEST(FileManager, ShowsThePathUnderTheActionsNameOrSaysItCannot) {
  const struct {
    ExploreAction action;
    const char* path;
    const char* name;
    const char* folder;
  } cases[] = {
      {ExploreAction::TwoPane, "/src/app/a b.vlw", "EXPLORER.EXE /n,/e,/select,", "/src/app"},
      {ExploreAction::OnePane, "/src/app/a.vlw", "EXPLORER.EXE /n,/select,", "/src/app"},
      {ExploreAction::Folder, "/a.vlw", "explorer.exe /n,/e,/select,", "/"},
      {ExploreAction::Directory, "/src/app/", "EXPLORER.EXE /n,/e,", "/src/app"},
  };
  for (const auto& c : cases) {
    ScriptedDesktop desktop;
    EXPECT_TRUE(Explore(desktop, c.action, c.path));
    EXPECT_EQ(desktop.shownInFileManager,
              (std::vector<std::pair<std::string, std::string>>{{c.path, c.name}}));
    desktop.fileManagerWorks = false;
    EXPECT_FALSE(Explore(desktop, c.action, c.path));
    ASSERT_EQ(desktop.messages.size(), 1u) << c.path;
    EXPECT_EQ(desktop.messages[0].text,
              std::string("Unable to open the file manager.||Folder: ") + c.folder);
    EXPECT_EQ(desktop.messages[0].caption, "Explore");
  }
  ScriptedDesktop bare;  // a desktop without its opener: the message says what to install
  bare.fileManagerWorks = false;
  bare.missingPrograms = {"xdg-open"};
  EXPECT_FALSE(Explore(bare, ExploreAction::Directory, "/src/"));
  ASSERT_EQ(bare.messages.size(), 1u);
  EXPECT_EQ(bare.messages[0].text,
            "Unable to open the file manager.||Folder: /src||The program xdg-open was not found: "
            "install the package xdg-utils.");
}

TEST(LineCopyTexts, PathKeepsTheSlashOfTheRootOnly) {
  const struct {
    const char* file;
    const char* directory;
    const char* name;
    const char* path;
  } cases[] = {
      {"/src/app/a b.vlw", "/src/app/", "a b.vlw", "/src/app"},
      {"/notes.txt", "/", "notes.txt", "/"},
  };
  for (const auto& c : cases) {
    const LineCopyTexts texts = MakeLineCopyTexts({c.file, "  Main  ", "  x  =  1  "});
    EXPECT_EQ(texts.directory, c.directory);
    EXPECT_EQ(texts.name, c.name);
    EXPECT_EQ(texts.path, c.path);
    EXPECT_EQ(texts.fullName, c.file);
    EXPECT_EQ(texts.boxText, std::string("x  =  1 \r\n  Main \r\n") + c.directory + " \r\n" +
                                 c.name + " \r\n" + c.file + " \r\n");
  }
}

}  // namespace
}  // namespace trawlex::results
