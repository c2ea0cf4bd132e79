// The viewer's "Find Text" window: the switches that exclude each other, the blank text it
// refuses, and the find it prepares.

#include "ui/find_text_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "dialog_driver.h"
#include "results/find_text_queue.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

class FindTextWindowTest : public ::testing::Test {
 protected:
  // Runs the window over `find`, acting on it while it shows.
  bool Run(const std::function<void(QDialog&)>& act) {
    test::DialogDriver driver;
    driver.WhenModal<QDialog>(act);
    const bool found = RunFindTextWindow(nullptr, desktop, tree.root() / "Trawlex.INI", find);
    EXPECT_TRUE(driver.AllActed());
    return found;
  }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  results::FindRecord find;
};

TEST_F(FindTextWindowTest, CheckingASwitchClearsTheOnesItExcludes) {
  struct Case {
    const char* click;
    results::FindSwitches before;
    results::FindSwitches after;
  };
  using S = results::FindSwitches;
  const Case cases[] = {
      {"smash", S{.word = true, .trailing = true}, S{.smash = true}},
      {"word", S{.trailing = true, .smash = true}, S{.word = true}},
      {"trailing", S{.word = true, .smash = true}, S{.trailing = true}},
      {"wild", S{.regex = true}, S{.wild = true}},
      {"regex", S{.wild = true}, S{.regex = true}},
      {"case", S{.word = true, .wild = true}, S{.caseSensitive = true, .word = true, .wild = true}},
  };
  for (const Case& c : cases) {
    find.sw = c.before;
    find.findText = "text";
    Run([&](QDialog& window) {
      test::NamedChild<QCheckBox>(window, c.click)->click();
      test::NamedChild<QPushButton>(window, "cancel")->click();
    });
    EXPECT_EQ(find.sw, c.after) << c.click;
  }
}

TEST_F(FindTextWindowTest, ABlankTextIsRefusedAndAFindIsPrepared) {
  const bool found = Run([&](QDialog& window) {
    EXPECT_EQ(window.windowTitle(), "Find Text");
    auto* text = test::NamedChild<QComboBox>(window, "findText");
    text->setEditText("   ");
    test::NamedChild<QPushButton>(window, "findPrev")->click();
    EXPECT_TRUE(window.isVisible());  // refused: the window stays open on the text
    EXPECT_EQ(window.focusWidget(), text);
    text->setEditText("needle ");
    test::NamedChild<QPushButton>(window, "findPrev")->click();
  });
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "You must enter Search Text.");
  EXPECT_EQ(desktop.messages[0].caption, "Find");
  EXPECT_EQ(desktop.messages[0].icon, runtime::Icon::Information);
  EXPECT_TRUE(found);
  EXPECT_TRUE(find.prev);
  EXPECT_EQ(find.needle(), "NEEDLE");  // prepared: upper-cased without Case
  EXPECT_EQ(results::ProgramFindTexts().entries().front(), "needle");

  // Cancelled, no find is set; the text typed stays for the next time.
  EXPECT_FALSE(Run([](QDialog& window) {
    EXPECT_EQ(test::NamedChild<QComboBox>(window, "findText")->currentText(), "needle ");
    window.reject();
  }));
  EXPECT_FALSE(find.set());
}

}  // namespace
}  // namespace trawlex::ui
