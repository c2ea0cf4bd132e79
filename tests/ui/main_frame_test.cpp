// The frame from a first start in an empty directory: the files it creates, the search
// dialogue it opens, and a search run from the dialogue into a results window.

#include "ui/main_frame.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "runtime/profile.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "dialog_driver.h"
#include "ui/multi_search_window.h"
#include "ui/regex_assistant_window.h"
#include "ui/results_window.h"

namespace trawlex::ui {
namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(tree.root().string()));
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;

 private:
  QString previous_;
};

TEST_F(MainFrameTest, FirstStartCreatesItsFilesAndOpensTheSearchDialogue) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.show();
  frame.Start();
  const auto dir = tree.root();
  EXPECT_TRUE(std::filesystem::exists(dir / "searches.hvn"));
  EXPECT_EQ(runtime::ReadProfileString(dir / "Search.DAT", "Setup", "Searches", ""), "1");
  EXPECT_EQ(runtime::ReadProfileString(dir / "Search.DAT", "Spec", "1", ""), "*.VLW;*.INC;*.INT;*.EQU");
  EXPECT_EQ(runtime::ReadProfileString(dir / "VavaDud2.INI", "Look1", "Name", ""), "Two Line");
  // First start: the editor message, then the missing look file.
  ASSERT_GE(desktop.messages.size(), 2u);
  EXPECT_TRUE(desktop.messages[0].text.starts_with("Your default editor has been setup as "));
  EXPECT_TRUE(desktop.messages[1].text.starts_with("Missing file: VAVADUD2.INI"));
  ASSERT_NE(frame.searchDialog(), nullptr);
  EXPECT_TRUE(frame.searchDialog()->isVisible());
  EXPECT_NE(frame.splash(), nullptr);
  // With the single-thread limit on, "&Search!" brings the same dialogue forward.
  EXPECT_EQ(frame.OpenSearchDialog(), frame.searchDialog());
  frame.close();
}

TEST_F(MainFrameTest, SearchFromTheDialogueOpensAResultsWindow) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.show();
  frame.Start();
  SearchInputWindow* dialog = frame.searchDialog();
  ASSERT_NE(dialog, nullptr);
  auto combos = dialog->findChildren<QComboBox*>();
  ASSERT_GE(combos.size(), 3);
  combos[0]->setEditText("UpdateStock");
  combos[1]->setEditText(TRAWLEX_SAMPLES_DIR);
  combos[2]->setEditText("*.vlw");
  for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
    if (box->text() == "S&ub Dirs" && !box->isChecked()) box->click();  // first start: off
  }
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->text() == "&Search") button->click();
  }
  ASSERT_EQ(frame.mdiArea().subWindowList().size(), 1);
  auto* results = qobject_cast<ResultsWindow*>(frame.mdiArea().subWindowList()[0]->widget());
  ASSERT_NE(results, nullptr);
  if (results->run().state() == engine::RunState::Running) {
    QSignalSpy finished(results, &ResultsWindow::runFinished);
    ASSERT_TRUE(finished.wait(10000));
  }
  EXPECT_EQ(results->run().results().size(), 4u);
  // Using the dialogue closed the splash window.
  EXPECT_TRUE(frame.splash() == nullptr || !frame.splash()->isVisible());
  frame.close();
}

// The dialogue's text with "_cb_" starts a multi search over the clipboard's lines.
TEST_F(MainFrameTest, ClipboardPatternOpensTheMultiSearch) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.show();
  frame.Start();
  desktop.clipboard = "UpdateStock\r\nReportStock\r\n";
  SearchInputWindow* dialog = frame.searchDialog();
  ASSERT_NE(dialog, nullptr);
  auto combos = dialog->findChildren<QComboBox*>();
  combos[0]->setEditText("_cb_");
  combos[1]->setEditText(TRAWLEX_SAMPLES_DIR);
  combos[2]->setEditText("*.*");
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->text() == "&Search") button->click();
  }
  MultiSearchWindow* multi = nullptr;
  for (QMdiSubWindow* sub : frame.mdiArea().subWindowList()) {
    if (auto* window = qobject_cast<MultiSearchWindow*>(sub->widget())) multi = window;
  }
  ASSERT_NE(multi, nullptr);
  ASSERT_EQ(multi->model().entries().size(), 2u);
  EXPECT_EQ(multi->model().entries()[1].search.str(), "ReportStock");
  frame.close();
}

// The assistant completes: its pattern becomes the find text and the regex switch comes on.
TEST_F(MainFrameTest, RegexAssistantFillsTheFindText) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.show();
  frame.Start();
  SearchInputWindow* dialog = frame.searchDialog();
  ASSERT_NE(dialog, nullptr);
  test::DialogDriver driver;
  driver.WhenModal<RegexAssistantWindow>([](RegexAssistantWindow& assistant) {
    auto* pattern = assistant.findChild<QLineEdit*>("regX");
    ASSERT_NE(pattern, nullptr);
    pattern->selectAll();
    QTest::keyClicks(pattern, "Update{Stock|Cust}");  // typed, as a user does
    assistant.findChild<QPushButton*>("ok")->click();
  });
  dialog->findChild<QPushButton*>("assistant")->click();
  EXPECT_TRUE(driver.AllActed());
  EXPECT_EQ(dialog->model().request().text.str(), "Update{Stock|Cust}");
  EXPECT_EQ(dialog->model().request().regex(), true);
  frame.close();
}

// "Preferences...." opens the preferences window; Cancel leaves the preferences as they were.
TEST_F(MainFrameTest, PreferencesOpenFromTheFileMenu) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.show();
  frame.Start();
  const shell::Preferences before = frame.preferences();
  test::DialogDriver driver;
  driver.WhenModal<QDialog>([](QDialog& window) {
    EXPECT_EQ(window.windowTitle(), "Preferences");
    window.reject();
  });
  for (QAction* action : frame.findChildren<QAction*>()) {
    if (action->text() == "Preferences....") action->trigger();
  }
  EXPECT_TRUE(driver.AllActed());
  EXPECT_EQ(frame.preferences(), before);
  frame.close();
}

}  // namespace
}  // namespace trawlex::ui
