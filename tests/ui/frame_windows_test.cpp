// The frame's care for its windows: tiling that never squeezes a window below the size
// its captions need, the Window menu's list of open windows, a damaged store named at start,
// and the help window with the guide's pages.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>

#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "ui/help_window.h"
#include "ui/main_frame.h"

namespace trawlex::ui {
namespace {

class FrameWindowsTest : public ::testing::Test {
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

TEST_F(FrameWindowsTest, TilingKeepsWindowsWholeAndTheWindowMenuListsThem) {
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

TEST_F(FrameWindowsTest, DamagedStoreIsNamedAtStartAndLeftAsItIs) {
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
