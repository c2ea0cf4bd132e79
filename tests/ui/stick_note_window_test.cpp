// Sticky notes opened from the frame: the title following the text, the scroll-bar items,
// and a saved look that the next note opens with while open notes keep their own.

#include "ui/stick_note_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include "runtime/profile.h"
#include "support/current_directory.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "ui/main_frame.h"
#include "ui/qt_desktop.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

class StickNoteTest : public ::testing::Test {
 protected:
  // "Stick!" on the frame's menu bar; the note it opened.
  StickNoteWindow* Stick(MainFrame& frame) {
    for (QAction* action : frame.menuBar()->actions()) {
      if (action->text() == "Stick!") action->trigger();
    }
    const QList<QMdiSubWindow*> subs = frame.mdiArea().subWindowList();
    QMdiSubWindow* sub = subs.isEmpty() ? nullptr : subs.last();
    return sub ? qobject_cast<StickNoteWindow*>(sub->widget()) : nullptr;
  }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  testing::CurrentDirectory inTree{tree.root()};
};

void Use(StickNoteWindow& note, const char* item) {
  test::NamedChild<QAction>(note, item)->trigger();
}
QPlainTextEdit& Text(StickNoteWindow& note) {
  return *test::NamedChild<QPlainTextEdit>(note, "noteText");
}
QColor Fill(StickNoteWindow& note) {
  return Text(note).palette().color(QPalette::Base);
}
bool Bars(StickNoteWindow& note, bool horizontal, bool vertical) {
  const auto on = [](Qt::ScrollBarPolicy policy) { return policy == Qt::ScrollBarAlwaysOn; };
  return on(Text(note).horizontalScrollBarPolicy()) == horizontal &&
         on(Text(note).verticalScrollBarPolicy()) == vertical &&
         test::NamedChild<QAction>(note, "hScroll")->isChecked() == horizontal &&
         test::NamedChild<QAction>(note, "vScroll")->isChecked() == vertical;
}

TEST_F(StickNoteTest, NotesShareTheSavedLookButNotTheirText) {
  MainFrame frame(desktop, shell::SettingsFilesIn(tree.root()));
  frame.resize(1000, 760);
  test::ShowActive(frame);

  StickNoteWindow* first = Stick(frame);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->windowTitle(), "Stick Note");
  EXPECT_EQ(Fill(*first), ToQColor(0x80FFFF));
  EXPECT_TRUE(Bars(*first, true, true));
  const QMenu* menu = first->findChild<QMenuBar*>()->actions().value(0)->menu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "&Note");
  QStringList captions;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) captions << action->text();
  }
  EXPECT_EQ(captions,
            QStringList({"&Color...", "Font...", "&Horizontal Scrollbar", "&Vertical Scrollbar",
                         "&Both Scrollbars", "Save Settings", "Reset Settings to Default"}));

  Text(*first).setFocus();
  QTest::keyClick(&Text(*first), Qt::Key_Return);
  QTest::keyClicks(&Text(*first), "Shopping\tlist");
  QTRY_COMPARE(first->windowTitle(), QString("Shopping list - Stick Note"));
  Text(*first).insertPlainText(QString(3100, 'x'));
  EXPECT_EQ(Text(*first).toPlainText().size(), 3000);

  // Both Scrollbars with only the horizontal bar on turns both on, then both off.
  Use(*first, "vScroll");
  EXPECT_TRUE(Bars(*first, true, false));
  Use(*first, "bothScroll");
  EXPECT_TRUE(Bars(*first, true, true));
  Use(*first, "bothScroll");
  EXPECT_TRUE(Bars(*first, false, false));

  desktop.menuChoices = {7};  // Silver
  Use(*first, "colour");
  EXPECT_EQ(Fill(*first), ToQColor(0xC0C0C0));
  desktop.chosenFonts = {runtime::FontChoice{"Serif", 13, 700, 0x0000FF}};
  Use(*first, "font");
  EXPECT_EQ(desktop.dialogTitles.back(), "Select Font for Notes");
  EXPECT_TRUE(Text(*first).hasFocus());
  first->parentWidget()->resize(450, 300);
  Use(*first, "save");
  EXPECT_TRUE(desktop.messages.empty());

  StickNoteWindow* second = Stick(frame);
  ASSERT_NE(second, first);
  EXPECT_EQ(second->parentWidget()->size(), QSize(450, 300));
  EXPECT_EQ(Text(*second).toPlainText(), "");
  EXPECT_EQ(Text(*second).font().family(), "Serif");
  EXPECT_EQ(Text(*second).font().pointSize(), 13);
  EXPECT_EQ(Text(*second).palette().color(QPalette::Text), ToQColor(0x0000FF));
  EXPECT_EQ(Fill(*second), ToQColor(0xC0C0C0));
  EXPECT_TRUE(Bars(*second, false, false));

  // A reset gives this note and the next the defaults; the first keeps what it has.
  Use(*second, "reset");
  EXPECT_EQ(runtime::ReadProfileString(tree.root() / "Search.DAT", "Stick", "Custom", ""), "0");
  EXPECT_EQ(Fill(*second), ToQColor(0x80FFFF));
  EXPECT_EQ(Text(*second).font().pointSize(), 9);
  StickNoteWindow* third = Stick(frame);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(Fill(*third), ToQColor(0x80FFFF));
  EXPECT_TRUE(Bars(*third, true, true));
  EXPECT_EQ(Fill(*first), ToQColor(0xC0C0C0));

  // Ctrl+W closes the note that has the focus, and its text with it.
  const auto open = frame.mdiArea().subWindowList().size();
  Text(*third).setFocus();
  QTRY_VERIFY(Text(*third).hasFocus());
  QTest::keyClick(&Text(*third), Qt::Key_W, Qt::ControlModifier);
  QTRY_COMPARE(frame.mdiArea().subWindowList().size(), open - 1);
}

}  // namespace
}  // namespace trawlex::ui
