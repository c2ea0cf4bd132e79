// The "Window FEQ USE Buddy" window: pasting and loading a structure, a control's pop-up
// putting a filled snippet on the clipboard (by mouse and by keyboard), deleting rows, the
// refusals and the "No Menus" switch kept in Trawlex.INI.

#include "ui/feq_use_buddy_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "runtime/profile.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

constexpr const char* kSnippets =
    "CATEGORY('State')\n"
    "\"Hide\"  \xC2\xAB%?{PROP:Hide}=1\xC2\xBB  ! hide it\n";

constexpr const char* kWindow =
    "Win WINDOW('Orders'),AT(,,200,100)\r\n"
    "  MENUBAR\r\n    ITEM('E&xit'),USE(?Exit)\r\n  END\r\n"
    "  PROMPT('&Name:'),USE(?NamePrompt)\r\n"
    "  ENTRY(@s20),USE(CUS:Name)\r\n"
    "  BUTTON('&Ok'),USE(?OkButton)\r\n"
    "END\r\n";

struct Fixture {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  std::filesystem::path ini = tree.root() / "Trawlex.INI";
  std::filesystem::path snippets = tree.Write("FeqUseLoad.vlw", kSnippets);
};

QTreeWidget* List(QWidget& window) {
  return test::NamedChild<QTreeWidget>(window, "winQ");
}

using test::Click;

void RightClickRow(QTreeWidget& list, int row) {
  const QPoint at = list.visualItemRect(list.topLevelItem(row)).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
  QCoreApplication::sendEvent(list.viewport(), &event);
}

TEST(FeqUseBuddyWindow, PastesLoadsAndPutsFilledSnippetsOnTheClipboard) {
  Fixture f;
  runtime::WriteProfileString(f.ini, "WinFEQ", "NoMENUs", "1");
  FeqUseBuddyWindow window(f.desktop, f.ini, f.snippets);
  test::ShowActive(window);
  EXPECT_EQ(window.windowTitle(), "Window FEQ USE Buddy");
  EXPECT_TRUE(test::NamedChild<QCheckBox>(window, "noMenus")->isChecked());
  EXPECT_EQ(test::NamedChild<QCheckBox>(window, "noComment")->toolTip(),
            "When generating code do not include !comment");

  f.desktop.clipboard = kWindow;
  Click(window, "paste");
  EXPECT_TRUE(f.desktop.messages.empty());
  EXPECT_EQ(test::NamedChild<QTabWidget>(window, "tabs")->currentIndex(), 1);
  QTreeWidget* list = List(window);
  ASSERT_EQ(list->topLevelItemCount(), 4);  // the menu bar and its item left out
  EXPECT_EQ(list->topLevelItem(3)->text(0), "  BUTTON");
  EXPECT_EQ(list->topLevelItem(3)->text(2), "?OkButton");
  EXPECT_EQ(list->topLevelItem(2)->text(3), "CUS:Name");
  const QFontMetrics metrics(list->font());
  EXPECT_GE(list->columnWidth(2), metrics.horizontalAdvance("?OkButton"));

  f.desktop.menuChoices = {5};  // State > Hide
  RightClickRow(*list, 3);
  ASSERT_EQ(f.desktop.menus.size(), 1u);
  EXPECT_EQ(f.desktop.menus[0], "FEQ|USE|Text|Code Line|-|State{Hide}");
  EXPECT_EQ(f.desktop.clipboard, "?OkButton{PROP:Hide}=1     !hide it");

  test::NamedChild<QCheckBox>(window, "noComment")->setChecked(true);
  list->setFocus();
  list->setCurrentItem(list->topLevelItem(2));
  f.desktop.menuChoices = {5};
  QTest::keyClick(list, Qt::Key_Menu);
  ASSERT_EQ(f.desktop.menus.size(), 2u);
  EXPECT_EQ(f.desktop.clipboard, "?CUS:Name{PROP:Hide}=1");
  const QRect row = list->visualItemRect(list->topLevelItem(2));
  const QPoint rowCorner = list->viewport()->mapToGlobal(row.bottomLeft());
  EXPECT_EQ(f.desktop.menuPlaces.back().y, rowCorner.y());

  f.desktop.menuChoices = {4};  // Delete PROMPTs
  Click(window, "delete");
  EXPECT_EQ(f.desktop.menus.back(),
            "Delete Selected Row\tDel|-|Delete Blank FEQs|Delete STRINGs|Delete PROMPTs|"
            "Delete MENUs && ITEMs");
  ASSERT_EQ(list->topLevelItemCount(), 3);
  list->setCurrentItem(list->topLevelItem(0));
  QTest::keyClick(list, Qt::Key_Delete);
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "  ENTRY");

  test::NamedChild<QCheckBox>(window, "noMenus")->setChecked(false);
  Click(window, "close");
  EXPECT_EQ(runtime::ReadProfileString(f.ini, "WinFEQ", "NoMENUs", ""), "0");
}

TEST(FeqUseBuddyWindow, RefusesWhatItCannotLoad) {
  Fixture f;
  std::filesystem::remove(f.snippets);
  FeqUseBuddyWindow window(f.desktop, f.ini, f.snippets);
  ASSERT_EQ(f.desktop.messages.size(), 1u);
  EXPECT_EQ(f.desktop.messages[0].text, "FeqUseLoad.vlw file does not exist");

  Click(window, "loadWindow");
  EXPECT_EQ(f.desktop.messages.back().text,
            "You must paste a WINDOW or REPORT definition on this tab first");
  f.desktop.clipboard = "BUTTON('x'),USE(?X)\nWINDOW('w')\nEND\n";
  Click(window, "paste");
  EXPECT_EQ(f.desktop.messages.back().text,
            "The first line of the structure must be a APPLICATION, WINDOW or REPORT.");
  EXPECT_EQ(List(window)->topLevelItemCount(), 0);
  f.desktop.clipboard = "WINDOW('w')\n  GIZMO\n";
  Click(window, "paste");
  EXPECT_EQ(f.desktop.messages.back().text,
            "line 1: WINDOW is not closed by END|line 2: unknown control 'GIZMO'");
  EXPECT_EQ(List(window)->topLevelItemCount(), 2);

  f.desktop.menuChoices = {3};  // CHARSET: > CHARSET:DEFAULT
  Click(window, "equates");
  EXPECT_TRUE(f.desktop.menus.back().starts_with("~idea, not done|-|CHARSET:{CHARSET:ANSI|"));
  EXPECT_EQ(f.desktop.clipboard, "CHARSET:DEFAULT");
}

}  // namespace
}  // namespace trawlex::ui
