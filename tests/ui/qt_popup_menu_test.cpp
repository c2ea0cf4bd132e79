#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "dialog_driver.h"
#include "ui/qt_desktop.h"

namespace trawlex::ui {
namespace {

const std::string kDropMenu = "Drop Lists|-|Sort{All|Find|Path|Specs}|Empty{All|Find|Path|Specs}";
const std::string kResultsPopup =
    "Find and Delete...\tCtrl+Delete|Delete Menu...\tAlt+Delete|-|Copy Result Line...\tCtrl+C|"
    "Show File Name/Path...|-|View File\tDbl-Click|Edit File\tShift+Dbl-Click|"
    "File Options{Edit Related File|Edit All Files|-|Explore 2 Pane|Explore 1 Pane|"
    "Command Prompt Here|-|ShellExecute Open\tAlt+Dbl-Click|ShellExecute Edit}|-|"
    "Change Look{&1. Two Line\t(Default Loc)\t(Default n/l)|&2. User|&3. User|&4. User|"
    "&5. User|&6. Line#,Text|&7. User|&8. User}";

// A picture of a Qt menu: "N:text" per action ("~" before a disabled one), "-" for a
// separator, "Title{...}" for a submenu.
std::string Describe(const QMenu& menu) {
  std::string out;
  for (const QAction* action : menu.actions()) {
    if (!out.empty()) out += " | ";
    if (!action->isEnabled()) out += "~";
    if (action->isSeparator()) {
      out += "-";
    } else if (action->menu() != nullptr) {
      out += action->text().toStdString() + "{" + Describe(*action->menu()) + "}";
    } else {
      out += std::to_string(action->data().toInt()) + ":" + action->text().toStdString();
    }
  }
  return out;
}

std::string Built(const std::string& text) {
  QMenu menu;
  FillMenu(menu, runtime::ParseMenuText(text));
  return Describe(menu);
}

TEST(QtPopupMenu, BuildsTheMenuStructureFromText) {
  EXPECT_EQ(Built(kDropMenu),
            "1:Drop Lists | - | Sort{2:All | 3:Find | 4:Path | 5:Specs} | "
            "Empty{6:All | 7:Find | 8:Path | 9:Specs}");
  EXPECT_EQ(Built(kResultsPopup),
            "1:Find and Delete...\tCtrl+Delete | 2:Delete Menu...\tAlt+Delete | - | "
            "3:Copy Result Line...\tCtrl+C | 4:Show File Name/Path... | - | "
            "5:View File\tDbl-Click | 6:Edit File\tShift+Dbl-Click | File Options{"
            "7:Edit Related File | 8:Edit All Files | - | 9:Explore 2 Pane | 10:Explore 1 Pane | "
            "11:Command Prompt Here | - | 12:ShellExecute Open\tAlt+Dbl-Click | "
            "13:ShellExecute Edit} | - | Change Look{"
            "14:&1. Two Line\t(Default Loc)  (Default n/l) | 15:&2. User | 16:&3. User | "
            "17:&4. User | 18:&5. User | 19:&6. Line#,Text | 20:&7. User | 21:&8. User}");
  EXPECT_EQ(Built("Delete Menu|-|~App Files \"*.*\"|~Location{~Equals \"\"|Text Equals \"a\"}"),
            "1:Delete Menu | - | ~2:App Files \"*.*\" | "
            "~Location{~3:Equals \"\" | 4:Text Equals \"a\"}");
  EXPECT_EQ(Built("caf\xE9|&&Co"), "1:caf\xC3\xA9 | 2:&&Co");
}

QAction* ActionNamed(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) return action;
  }
  ADD_FAILURE() << "no menu item " << text.toStdString();
  return nullptr;
}

// Picks `path` (captions from the top menu down) with the keyboard and returns the choice.
int Choose(const std::string& menuText, const QStringList& path) {
  test::DialogDriver driver;
  std::function<void(QMenu&, int)> pick = [&](QMenu& menu, int depth) {
    QAction* action = ActionNamed(menu, path[depth]);
    if (action == nullptr) {
      menu.close();
      return;
    }
    menu.setActiveAction(action);
    if (depth + 1 == path.size()) {
      QTest::keyClick(&menu, Qt::Key_Return);
      return;
    }
    driver.WhenPopup([&, depth](QMenu& submenu) { pick(submenu, depth + 1); }, &menu);
    QTest::keyClick(&menu, Qt::Key_Right);
  };
  driver.WhenPopup([&](QMenu& menu) { pick(menu, 0); });
  QtDesktop desktop;
  const int choice = desktop.PopupMenuAt(menuText, {100, 100});
  EXPECT_TRUE(driver.AllActed());
  return choice;
}

TEST(QtPopupMenu, ReturnsTheNumberOfTheChosenItem) {
  const struct {
    const std::string& text;
    QStringList path;
    int choice;
  } cases[] = {
      {kDropMenu, {"Drop Lists"}, 1},
      {kDropMenu, {"Sort", "Specs"}, 5},
      {kDropMenu, {"Empty", "Find"}, 7},
      {kResultsPopup, {"View File\tDbl-Click"}, 5},
      {kResultsPopup, {"File Options", "Edit Related File"}, 7},
      {kResultsPopup, {"File Options", "ShellExecute Edit"}, 13},
      {kResultsPopup, {"Change Look", "&6. Line#,Text"}, 19},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Choose(c.text, c.path), c.choice) << c.path.join('/').toStdString();
  }
}

TEST(QtPopupMenu, NothingChosenGivesZero) {
  test::DialogDriver driver;
  driver.WhenPopup([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
  QtDesktop desktop;
  EXPECT_EQ(desktop.PopupMenuAt(kDropMenu, {50, 50}), 0);
  EXPECT_TRUE(driver.AllActed());

  // A disabled item cannot be chosen: Enter on it leaves the menu open.
  driver.WhenPopup([](QMenu& menu) {
    menu.setActiveAction(ActionNamed(menu, "Off"));
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_TRUE(menu.isVisible());
    menu.close();
  });
  EXPECT_EQ(desktop.PopupMenuAt("~Off|On", {50, 50}), 0);
  EXPECT_TRUE(driver.AllActed());

  // An empty menu text shows no menu at all.
  EXPECT_EQ(desktop.PopupMenuAt("", {50, 50}), 0);
}

TEST(QtPopupMenu, MenuChoiceIgnoresDisabledAndForeignActions) {
  QAction numbered("x");
  numbered.setData(4);
  EXPECT_EQ(MenuChoice(&numbered), 4);
  numbered.setEnabled(false);
  EXPECT_EQ(MenuChoice(&numbered), 0);
  QAction plain("y");
  EXPECT_EQ(MenuChoice(&plain), 0);
  EXPECT_EQ(MenuChoice(nullptr), 0);
}

TEST(QtPopupMenu, ParentClosedUnderTheMenuGivesZero) {
  auto* parent = new QWidget;
  parent->show();
  test::DialogDriver driver;
  driver.WhenPopup([&](QMenu&) { delete parent; });
  QtDesktop desktop(parent);
  EXPECT_EQ(desktop.PopupMenuAt(kDropMenu, {10, 10}), 0);
  EXPECT_TRUE(driver.AllActed());
}

}  // namespace
}  // namespace trawlex::ui
