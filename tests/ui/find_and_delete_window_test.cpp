// The "Find Text and Delete Results Lines" window: the "&All" rule, the checks it makes
// before a find runs, pasting the find from the selected line, Cancel and the Test box.

#include "ui/find_and_delete_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <array>
#include <functional>

#include "dialog_driver.h"
#include "results/find_text_queue.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

using Sources = std::array<bool, 4>;  // text, location, file, subdirectory

Sources SourcesOf(const results::FindAndDeleteRecord& record) {
  return {record.inText, record.inLocation, record.inFile, record.inSubdir};
}

class FindAndDeleteWindowTest : public ::testing::Test {
 protected:
  bool Run(const std::function<void(QDialog&)>& act, bool offerTest = false) {
    test::DialogDriver driver;
    driver.WhenModal<QDialog>(act);
    const bool accepted = RunFindAndDeleteWindow(nullptr, desktop, tree.root() / "Trawlex.INI",
                                                 offerTest, line, record);
    EXPECT_TRUE(driver.AllActed());
    return accepted;
  }

  void SetSources(const Sources& sources) {
    record.inText = sources[0];
    record.inLocation = sources[1];
    record.inFile = sources[2];
    record.inSubdir = sources[3];
  }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  FindAndDeleteSource line{"    PROCEDURE Orders   ", "Orders PROCEDURE  ", "src ", "orders.vlw"};
  results::FindAndDeleteRecord record;
};

// "&All", and the shared switch exclusions under this window's own captions.
TEST_F(FindAndDeleteWindowTest, AllTicksEverySourceOrGoesBackToTheText) {
  struct Case {
    const char* click;
    Sources before;
    results::FindSwitches swBefore;
    Sources after;
    results::FindSwitches swAfter;
  };
  using S = results::FindSwitches;
  const Case cases[] = {
      {"all", {true, true, true, true}, {}, {true, false, false, false}, {}},
      {"all", {false, true, false, true}, {}, {true, true, true, true}, {}},
      {"all", {false, false, false, false}, {}, {true, true, true, true}, {}},
      {"wild",
       {true, false, false, false},
       S{.regex = true},
       {true, false, false, false},
       S{.wild = true}},
      {"smash",
       {true, false, false, false},
       S{.word = true},
       {true, false, false, false},
       S{.smash = true}},
  };
  for (const Case& c : cases) {
    SetSources(c.before);
    record.find.sw = c.swBefore;
    Run([&](QDialog& window) {
      test::NamedChild<QAbstractButton>(window, c.click)->click();
      test::NamedChild<QPushButton>(window, "cancel")->click();
    });
    EXPECT_EQ(SourcesOf(record), c.after) << c.click;
    EXPECT_EQ(record.find.sw, c.swAfter) << c.click;
  }
}

TEST_F(FindAndDeleteWindowTest, RefusesWhatCannotRunThenPastesTheSelectionAndFinds) {
  record.find.findText = "  ";
  const bool accepted = Run([&](QDialog& window) {
    EXPECT_EQ(window.windowTitle(), "Find Text and Delete Results Lines");
    // Fits a 1366 x 768 screen, title bar and task bar included, and its title fits it.
    EXPECT_LE(window.minimumSizeHint().width(), 1366);
    EXPECT_LE(window.minimumSizeHint().height(), 680);
    EXPECT_LT(QFontMetrics(window.font()).horizontalAdvance(window.windowTitle()) + 150,
              window.width());
    auto* text = test::NamedChild<QComboBox>(window, "findText");
    auto* ok = test::NamedChild<QPushButton>(window, "ok");
    ok->setFocus();
    ok->click();
    EXPECT_EQ(window.focusWidget(), text);

    text->setEditText("orders");
    test::NamedChild<QCheckBox>(window, "inText")->setChecked(false);
    ok->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.focusWidget(), test::NamedChild<QCheckBox>(window, "inText"));

    // The box shows the line's parts, one per line, without their outer blanks.
    auto* box = test::NamedChild<QPlainTextEdit>(window, "line");
    EXPECT_EQ(box->toPlainText(), "PROCEDURE Orders\nOrders PROCEDURE\nsrc\norders.vlw");
    test::NamedChild<QCheckBox>(window, "inLocation")->setChecked(true);
    test::NamedChild<QRadioButton>(window, "doesNotContain")->click();
    box->setTextCursor(box->document()->find("Orders PROC"));
    test::NamedChild<QPushButton>(window, "pasteFindOk")->click();
  });
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].text, "You must enter Search Text.");
  EXPECT_EQ(desktop.messages[1].text, "You must check at least one Results Text to Search.");
  for (const runtime::Message& message : desktop.messages) {
    EXPECT_EQ(message.caption, "Find and Delete Results");
    EXPECT_EQ(message.icon, runtime::Icon::Information);
  }
  EXPECT_TRUE(accepted);
  EXPECT_EQ(record.find.findText, "Orders PROC");
  EXPECT_EQ(record.find.needle(), "ORDERS PROC");  // prepared: upper-cased without Case
  EXPECT_EQ(results::ProgramFindTexts().entries().front(), "Orders PROC");
  EXPECT_EQ(SourcesOf(record), (Sources{false, true, false, false}));
  EXPECT_FALSE(record.contains);
}

TEST_F(FindAndDeleteWindowTest, CancelClearsTheFindAndTestIsOfferedOnlyWhenAsked) {
  record.find.findText = "orders";
  record.find.findLen = 6;
  EXPECT_FALSE(Run(
      [](QDialog& window) {
        test::NamedChild<QCheckBox>(window, "test")->setChecked(true);
        test::NamedChild<QPushButton>(window, "cancel")->click();
      },
      true));
  EXPECT_FALSE(record.find.set());
  EXPECT_TRUE(record.test);

  // Not offered, the box is not there and no deletion is a test.
  Run([](QDialog& window) {
    EXPECT_EQ(window.findChild<QCheckBox*>("test"), nullptr);
    window.reject();
  });
  EXPECT_FALSE(record.test);
}

}  // namespace
}  // namespace trawlex::ui
