#include "shell/preferences.h"

#include <gtest/gtest.h>

#include "engine/load_files.h"
#include "runtime/profile.h"
#include "settings_test_support.h"
#include "support/file_size_limit.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;

const char* const kFallbackMessage =
    "Your default editor has been setup as xdg-open %F. If you have a better editor you should "
    "go to File-Preferences and define it. TRX supports passing the editor the file line number "
    "which is very productive. See the help for more info.";

class PreferencesTest : public ::testing::Test {
 protected:
  std::string StoredEditor() {
    return runtime::ReadProfileString(files_.searchDat, "Options", "EditorName", "<none>");
  }
  testing::TempTree tree_;
  SettingsFiles files_ = SettingsFilesIn(tree_.root());
  testing::ScriptedDesktop desktop_;
};

TEST_F(PreferencesTest, FirstStartGivesTheDefaultsAndTheFallbackEditor) {
  Preferences expected;
  expected.editorName = "xdg-open %F";
  EXPECT_EQ(LoadOptions(files_, desktop_), expected);  // LastSearchCnt 99, FilesPerTimer 2...
  EXPECT_EQ(StoredEditor(), "xdg-open %F");            // written at once
  ASSERT_EQ(desktop_.messages.size(), 1u);
  EXPECT_EQ(desktop_.messages[0].text, kFallbackMessage);
  EXPECT_EQ(desktop_.messages[0].caption, "Editor Name");
  EXPECT_EQ(desktop_.messages[0].icon, runtime::Icon::Information);

  testing::ScriptedDesktop nextStart;
  EXPECT_EQ(LoadOptions(files_, nextStart), expected);
  EXPECT_TRUE(nextStart.messages.empty());
}

TEST_F(PreferencesTest, ExtensionListsAreRepairedAndNormalised) {
  const std::pair<std::string, std::string> cases[] = {
      {"ExtVeldar=VLWINCVLAVLI", "vlwincintvlavli  "},
      {"ExtVeldar=VlwIncVlaVli  ", "vlwincintvlavli  "},
      {"ExtVeldar=vlwincvla", "vlwincvla  "},
      {"ExtVeldar=", "  "},
      {"ExtVeldar=" + std::string(10000, 'Q'), std::string(24, 'q') + "  "},
  };
  for (const auto& [line, extVeldar] : cases) {
    tree_.Write("Search.DAT", "[Options]\nEditorName=vi\nExtTemplates=TPLTPW\n" + line);
    const Preferences p = LoadOptions(files_, desktop_);
    EXPECT_EQ(p.extVeldar, extVeldar) << line.substr(0, 30);
    EXPECT_EQ(p.extTemplates, "tpltpw  ");
  }
}

TEST_F(PreferencesTest, SaveAndLoadRoundTrip) {
  Preferences p;
  p.editorName = "\"/opt/my editor/ed\" +%L %F";
  p.lastSearchCnt = 0;
  p.filesPerTimer = 7;
  p.filesPerTimerModal = 200;
  p.use16BitFileOpen = p.minViewWithResults = p.noSplash2 = 1;
  p.fileDialogFlags = 0;
  p.extVeldar = "vlwinc  ";
  p.extTemplates = "tpl  ";
  ASSERT_TRUE(SaveOptions(p, files_));
  EXPECT_EQ(LoadOptions(files_, desktop_), p);
  EXPECT_TRUE(desktop_.messages.empty());
}

// Junk lines, a repeated section, a 10,000-character value and no final line end.
TEST_F(PreferencesTest, UntidySettingsFileReadsSensibly) {
  tree_.Write("Search.DAT",
              "\xef\xbb\xbfjunk\n=\n[unclosed\n[Options]\nEditorName=" + std::string(10000, 'e') +
                  "\nFilesPerTimer=many\nFilesPerTimerModal=300\n"
                  "[Options]\nNoSplash2=1\n[Test]\nTest=3");
  const Preferences p = LoadOptions(files_, desktop_);
  EXPECT_EQ(p.editorName.str(), std::string(64, 'e'));
  EXPECT_EQ(p.filesPerTimer, 0);
  EXPECT_EQ(p.filesPerTimerModal, 255);
  EXPECT_EQ(p.noSplash2, 0);  // only the first section counts
  EXPECT_EQ(p.test, 3);
}

TEST_F(PreferencesTest, EngineSeesCleanCellsAndAtLeastOneFilePerTick) {
  Preferences p;
  p.extVeldar = "vlw   inc  ";  // a blank group inside, two blanks after
  p.filesPerTimer = 0;
  const engine::EngineSettings e = p.Engine();
  EXPECT_EQ(e.extVeldar, "vlwinc");
  EXPECT_EQ(e.extTemplates, "tpltpwtpxtpd");
  EXPECT_EQ(e.filesPerTimer, 1);
  EXPECT_EQ(engine::FileKindOf("defs.INC", e), engine::FileKind::Veldar);
  EXPECT_EQ(engine::FileKindOf("README", e), engine::FileKind::PlainText);
  EXPECT_EQ(engine::FileKindOf("README", Preferences{}.Engine()), engine::FileKind::PlainText);
}

TEST_F(PreferencesTest, UltraEditIsOfferedWhenItsProgramExists) {
  const fs::path program = tree_.Write("Ultra Edit/UEDIT32.EXE", "MZ");
  runtime::WriteProfileString(files_.uedit32Ini, "Settings", "Language File",
                              (program.parent_path() / "uedit32.lng").string());
  const std::string command = "\"" + program.string() + "\" %F/%L";  // one command word
  for (const int answer : {runtime::kAnswerYes, runtime::kAnswerNo}) {
    runtime::DeleteProfileKey(files_.searchDat, "Options", "EditorName");
    testing::ScriptedDesktop desktop;
    desktop.answers = {answer};
    const bool yes = answer == runtime::kAnswerYes;
    EXPECT_EQ(LoadOptions(files_, desktop).editorName, yes ? command : "xdg-open %F");
    EXPECT_EQ(StoredEditor(), yes ? command : "xdg-open %F");
    ASSERT_EQ(desktop.messages.size(), yes ? 1u : 2u);
    const runtime::Message& q = desktop.messages[0];
    EXPECT_EQ(q.text, "Would you like to make " + program.string() + " your default editor?");
    EXPECT_EQ(q.caption, "Editor Name");
    EXPECT_EQ(q.icon, runtime::Icon::Question);
    EXPECT_EQ(q.standard, runtime::Buttons::YesNo);
    EXPECT_EQ(q.defaultButton, runtime::kAnswerYes);
  }
}

TEST_F(PreferencesTest, NoQuestionWithoutAProgramThatFits) {
  const std::string root = tree_.root().string();
  tree_.Dir("dir/UEDIT32.EXE");
  const std::string longDir = std::string(60, 'd');
  tree_.Write(longDir + "/UEDIT32.EXE", "MZ");
  for (const std::string& languageFile :
       {root + "/none/uedit32.lng", root + "/dir/uedit32.lng", std::string("uedit32.lng"),
        root + "/" + longDir + "/uedit32.lng"}) {
    runtime::DeleteProfileKey(files_.searchDat, "Options", "EditorName");
    runtime::WriteProfileString(files_.uedit32Ini, "Settings", "Language File", languageFile);
    testing::ScriptedDesktop desktop;
    EXPECT_EQ(LoadOptions(files_, desktop).editorName, "xdg-open %F") << languageFile;
    EXPECT_EQ(desktop.messages.size(), 1u) << languageFile;
  }
}

TEST_F(PreferencesTest, FailedSaveLeavesTheFileAsItWas) {
  tree_.Dir("Search.DAT");  // a directory where the file should be
  const Preferences p = LoadOptions(files_, desktop_);
  EXPECT_EQ(p.editorName, "xdg-open %F");  // still set for this run
  EXPECT_FALSE(SaveOptions(p, files_));

  const SettingsFiles locked = SettingsFilesIn(tree_.Dir("full"));
  tree_.Write("full/Search.DAT", "[Options]\nEditorName=vi\n");
  testing::FileSizeLimit limit(8);  // a disk that takes no more
  EXPECT_FALSE(SaveOptions(p, locked));
  EXPECT_EQ(test::FileBytes(locked.searchDat), "[Options]\nEditorName=vi\n");
}

}  // namespace
}  // namespace trawlex::shell
