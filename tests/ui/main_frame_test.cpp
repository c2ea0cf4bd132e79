// The frame from a first start in an empty directory: the files it creates, the search
// dialogue it opens, a search run from the dialogue into a results window; its care for its
// windows (tiling, the Window menu, a damaged store named at start) and the help window.

#include "ui/main_frame.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>

#include "dialog_driver.h"
#include "runtime/profile.h"
#include "support/current_directory.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "ui/help_window.h"
#include "ui/multi_search_window.h"
#include "ui/regex_assistant_window.h"
#include "ui/results_window.h"

namespace trawlex::ui {
namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  testing::CurrentDirectory inTree{tree.root()};
};

TEST_F(MainFrameTest, FirstStartCreatesItsFilesAndOpensTheSearchDialogue) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.show();
  frame.Start();
  const auto dir = tree.root();
  EXPECT_TRUE(std::filesystem::exists(dir / "searches.hvn"));
  EXPECT_EQ(runtime::ReadProfileString(dir / "Search.DAT", "Setup", "Searches", ""), "1");
  EXPECT_EQ(runtime::ReadProfileString(dir / "Search.DAT", "Spec", "1", ""),
            "*.VLW;*.INC;*.INT;*.EQU");
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

QAction* MenuItem(QMainWindow& frame, const QString& menuTitle, const QString& item) {
  for (QAction* top : frame.menuBar()->actions()) {
    if (top->text() != menuTitle || top->menu() == nullptr) continue;
    for (QAction* action : top->menu()->actions()) {
      if (action->text() == item) return action;
    }
  }
  ADD_FAILURE() << item.toStdString();
  return nullptr;
}

// A child window whose button needs its whole width.
QWidget* Child(const QString& title) {
  auto* window = new QWidget;
  window->setWindowTitle(title);
  auto* button = new QPushButton(QStringLiteral("A caption that must stay whole"), window);
  window->setMinimumSize(button->sizeHint() + QSize(20, 20));
  return window;
}

TEST_F(MainFrameTest, TilingKeepsWindowsWholeAndTheWindowMenuListsThem) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.resize(700, 500);
  frame.show();
  for (int i = 1; i <= 5; ++i) frame.ShowInFrame(Child(QStringLiteral("Window %1").arg(i)));

  for (const char* tile : {"Tile &Vertical", "Tile &Horizontal"}) {
    MenuItem(frame, "&Window", tile)->trigger();
    for (QMdiSubWindow* sub : frame.mdiArea().subWindowList()) {
      EXPECT_GE(sub->widget()->width(), sub->widget()->minimumWidth()) << tile;
      EXPECT_GE(sub->widget()->height(), sub->widget()->minimumHeight()) << tile;
    }
  }

  auto* windowMenu = qobject_cast<QMenu*>(MenuItem(frame, "&Window", "&Cascade")->parent());
  ASSERT_NE(windowMenu, nullptr);
  for (int opened = 0; opened < 2; ++opened) {  // listed afresh, not twice
    emit windowMenu->aboutToShow();
    QStringList listed;
    for (QAction* action : windowMenu->actions()) {
      if (action->text().contains(QRegularExpression("^&?\\d "))) listed << action->text();
    }
    EXPECT_EQ(listed.size(), 5);
    EXPECT_EQ(listed.value(0), "&1 Window 1");
  }
  frame.mdiArea().subWindowList().first()->showMinimized();
  emit windowMenu->aboutToShow();
  MenuItem(frame, "&Window", "&1 Window 1")->trigger();
  EXPECT_EQ(frame.mdiArea().activeSubWindow(), frame.mdiArea().subWindowList().first());
  EXPECT_FALSE(frame.mdiArea().activeSubWindow()->isMinimized());
}

TEST_F(MainFrameTest, DamagedStoreIsNamedAtStartAndLeftAsItIs) {
  const std::string damage = "this is not a database, and it must stay as it is\n";
  std::ofstream(tree.root() / "searches.hvn", std::ios::binary) << damage;
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.show();
  frame.Start();
  const auto named =
      std::find_if(desktop.messages.begin(), desktop.messages.end(), [](const runtime::Message& m) {
        return m.caption == "OPEN SEARCH ERROR" && m.text.find("searches.hvn") != std::string::npos;
      });
  EXPECT_NE(named, desktop.messages.end());
  std::ifstream in(tree.root() / "searches.hvn", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damage);
  frame.close();
}

// Every window's F1 page and every link between pages leads to a page of the guide.
TEST(HelpWindow, PagesAndLinksOfTheGuideExist) {
  const std::filesystem::path guide =
      std::filesystem::path(TRAWLEX_SAMPLES_DIR).parent_path() / "docs" / "guide";
  for (const char* window : {"SearchInput", "ViewFile", "FindAndDelete", "SavedSearchList",
                             "INIOptions", "RegexAssistant", "StickNote", "HelpWindow"}) {
    QWidget widget;
    widget.setObjectName(window);
    QWidget inner(&widget);
    const QString page = HelpPageFor(&inner);
    EXPECT_NE(page, "index.md") << window;
    EXPECT_TRUE(std::filesystem::exists(guide / page.toStdString())) << page.toStdString();
  }
  const QRegularExpression link(R"(\]\(([a-z-]+\.md)(#[a-z-]*)?\))");
  for (const auto& entry : std::filesystem::directory_iterator(guide)) {
    QFile file(QString::fromStdString(entry.path().string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (auto match = link.globalMatch(text); match.hasNext();) {
      const QString target = match.next().captured(1);
      EXPECT_TRUE(std::filesystem::exists(guide / target.toStdString()))
          << entry.path().filename() << " -> " << target.toStdString();
    }
  }
}

TEST(HelpWindow, OpensPagesGoesBackAndSearches) {
  const std::filesystem::path guide =
      std::filesystem::path(TRAWLEX_SAMPLES_DIR).parent_path() / "docs" / "guide";
  HelpWindow window(guide);
  window.OpenPage("index.md");
  window.OpenPage("viewer.md");
  EXPECT_EQ(window.currentPage(), "viewer.md");
  auto* browser = window.findChild<QTextBrowser*>("page");
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->toPlainText().contains("viewer", Qt::CaseInsensitive));
  browser->backward();
  EXPECT_EQ(window.currentPage(), "index.md");
  window.OpenSearch("editor %L");
  auto* hits = window.findChild<QListWidget*>("hits");
  ASSERT_NE(hits, nullptr);
  ASSERT_GE(hits->count(), 1);
  emit hits->itemActivated(hits->item(0));
  EXPECT_EQ(window.currentPage(), "editor-and-actions.md");
}

}  // namespace
}  // namespace trawlex::ui
