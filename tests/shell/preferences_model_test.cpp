#include "shell/preferences_model.h"

#include <gtest/gtest.h>

#include "runtime/profile.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

TEST(PreferencesModel, ExtensionFieldShowsItsGroups) {
  const std::pair<std::string, std::string> cases[] = {
      {"vlwincintvlavli  ", "VlwIncIntVlaVli "},
      {"TPLTPW", "TplTpw "},
      {"vlwin", "VlwIn "},
      {"\xe0\x62\x63", "\xc0\x62\x63 "},                   // accented letters fold too
      {std::string(30, 'z'), "ZzzZzzZzzZzzZzzZzzZzzZzz"},  // the field's 24 characters
  };
  for (const auto& [typed, shown] : cases) EXPECT_EQ(FormatExtensionField(typed), shown);
}

class PreferencesModelTest : public ::testing::Test {
 protected:
  testing::TempTree tree_;
  SettingsFiles files_ = SettingsFilesIn(tree_.root());
  testing::ScriptedDesktop desktop_;
  Preferences global_;
  PreferencesModel model_{global_, files_};
};

TEST_F(PreferencesModelTest, OkStoresWhatCancelPutsBack) {
  global_.editorName = "kate --line %L %F";
  global_.extVeldar = "VlwIncVli ";
  model_.LeaveExtTemplates();
  global_.use16BitFileOpen = 1;
  global_.filesPerTimer = 12;
  global_.helpFilePath = "/opt/veldar/V55Help.HLP";
  ASSERT_TRUE(model_.Ok());
  EXPECT_EQ(global_.extVeldar, "vlwincvli  ");
  EXPECT_EQ(global_.fileDialogFlags, 0);
  EXPECT_EQ(runtime::ReadProfileString(files_.searchDat, "Options", "ExtVeldar", ""), "vlwincvli");
  const Preferences stored = global_;

  global_.editorName = "changed";
  global_.filesPerTimer = 99;
  model_.LeaveExtVeldar();
  model_.Cancel(desktop_);
  EXPECT_EQ(global_, stored);  // the help file path found at start-up stays too
  EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(PreferencesModelTest, ChoosingTheEditorProgram) {
  struct Case {
    std::optional<std::string> chosen;
    bool changed;
    std::string editor;
  };
  const Case cases[] = {
      {"/usr/bin/gvim", true, "/usr/bin/gvim"},
      {"/opt/ue/Uedit32.exe", true, "/opt/ue/Uedit32.exe %F/%L"},
      {"/opt/a\"b/$X", true, "\"/opt/a\\\"b/\\$X\""},  // one shell word
      {std::nullopt, false, "vi"},
      {"/" + std::string(70, 'p'), false, "vi"},  // would not fit the field
  };
  for (const Case& c : cases) {
    global_.editorName = "vi";
    desktop_.chosenFiles = {c.chosen};
    EXPECT_EQ(model_.ChooseEditor(desktop_), c.changed);
    EXPECT_EQ(global_.editorName, c.editor);
  }
}

}  // namespace
}  // namespace trawlex::shell
