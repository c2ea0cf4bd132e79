// The "Regular Expression Assistant" window over its model, with a scripted desktop for the
// checker's messages: opening, typing a pattern and sample texts, the options, and the ways
// of closing.

#include "ui/regex_assistant_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "dialog_driver.h"
#include "runtime/match.h"
#include "support/scripted_desktop.h"
#include "utilities/regex_checker.h"
#include "widget_lookup.h"

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace trawlex::ui {
namespace {

using Rows = std::vector<std::pair<QString, QString>>;

constexpr const char* kCheckerCaption = "Regular Expression Checker";

// A dialogue's child by name.
template <typename Widget>
Widget* Child(QWidget& window, const char* name) {
  return test::NamedChild<Widget>(window, name);
}

void ClickOn(QWidget& window, const char* name) {
  QAbstractButton* button = Child<QAbstractButton>(window, name);
  // Near the left edge: check boxes and radio buttons take clicks on their box and caption.
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// A click as a hand makes it: the focus moves on the press, and what that starts runs before
// the button is released.
void SlowClickOn(QWidget& window, const char* name) {
  QAbstractButton* button = Child<QAbstractButton>(window, name);
  QTest::mousePress(button, Qt::LeftButton);
  QCoreApplication::processEvents();  // what the focus change scheduled runs now
  QTest::mouseRelease(button, Qt::LeftButton);
}

// Types into an entry the way a user does: focus, select all, type.
void TypeInto(QWidget& window, const char* name, const QString& text) {
  QLineEdit* entry = Child<QLineEdit>(window, name);
  entry->setFocus(Qt::MouseFocusReason);
  entry->selectAll();
  QTest::keyClick(entry, Qt::Key_Delete);
  QTest::keyClicks(entry, text);
}

// Types and leaves the field with Tab, which accepts it once the focus has settled.
void EnterInto(QWidget& window, const char* name, const QString& text) {
  TypeInto(window, name, text);
  QTest::keyClick(Child<QLineEdit>(window, name), Qt::Key_Tab);
  QCoreApplication::processEvents();  // accepted once the focus has settled
}

bool WaitOpen(RegexAssistantWindow& window) {
  return QTest::qWaitFor([&] { return window.model().IsOpen(); }, 5000);
}

class RegexAssistantWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { utilities::RememberedTestTexts::Forget(); }
  void TearDown() override { utilities::RememberedTestTexts::Forget(); }

  RegexAssistantWindow& Open(const std::string& pattern) {
    window = std::make_unique<RegexAssistantWindow>(desktop, pattern);
    test::ShowActive(*window);
    EXPECT_TRUE(WaitOpen(*window));
    return *window;
  }
  void Remember(std::initializer_list<const char*> texts) {
    utilities::TestTexts remembered;
    std::size_t k = 0;
    for (const char* text : texts) remembered[k++] = text;
    utilities::RememberedTestTexts::Store(remembered);
  }

  void Click(const char* name) { ClickOn(*window, name); }
  void Type(const char* name, const QString& text) { TypeInto(*window, name, text); }
  void Enter(const char* name, const QString& text) { EnterInto(*window, name, text); }
  QString Result(int k) {
    return Child<QLabel>(*window, QString("result%1").arg(k).toUtf8().constData())->text();
  }
  QStringList Results() {
    QStringList all;
    for (int k = 1; k <= utilities::kTestTextCount; ++k) all << Result(k);
    return all;
  }
  Rows ShownRows() {
    Rows rows;
    auto* list = Child<QTreeWidget>(*window, "explanation");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      rows.emplace_back(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1));
    }
    return rows;
  }
  bool Checked(const char* name) { return Child<QAbstractButton>(*window, name)->isChecked(); }

  testing::ScriptedDesktop desktop;
  std::unique_ptr<RegexAssistantWindow> window;
};

TEST_F(RegexAssistantWindowTest, OpeningChecksTriesAndExplains) {
  Remember({"IF A = 1 THEN", "", "ELSE"});
  Open("^IF.*THEN$");
  EXPECT_EQ(window->windowTitle(), "Regular Expression Assistant");
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(Child<QLineEdit>(*window, "regX")->text(), "^IF.*THEN$");
  EXPECT_EQ(Child<QLineEdit>(*window, "test1")->text(), "IF A = 1 THEN");
  EXPECT_EQ(Results(), (QStringList{"Yes", "", "No", "", ""}));
  const Rows expected = {{"^", "<Match at Beginning of Line>"},
                         {"IF", "IF"},
                         {".*", "<Any Character> <Occurs 0 or More Times>"},
                         {"THEN", "THEN"},
                         {"$", "<Match at End of Line>"}};
  EXPECT_EQ(ShownRows(), expected);
  auto* list = Child<QTreeWidget>(*window, "explanation");
  EXPECT_EQ(list->headerItem()->text(0), "Regex");
  EXPECT_EQ(list->headerItem()->text(1), "Text to Match");
  // The options start plain.
  EXPECT_TRUE(Checked("caseNo"));
  EXPECT_FALSE(Checked("word"));
  EXPECT_FALSE(Checked("trailing"));
}

TEST_F(RegexAssistantWindowTest, OpeningOnABadPatternSaysSoOnce) {
  Remember({"kmn"});
  Open("{kmn");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, kCheckerCaption);
  EXPECT_EQ(Results(), (QStringList{"Err", "", "", "", ""}));
  EXPECT_EQ(ShownRows(), (Rows{{"Error", "Regular Expression is Invalid"}}));
}

TEST_F(RegexAssistantWindowTest, GroupsAreIndentedAndBlanksMarked) {
  Open("{IF|CASE} x");
  const Rows expected = {
      {"{", "{ <Begin Group>"}, {"  IF", "   IF"},
      {"  |", "   <-or->"},     {"  CASE", "   CASE"},
      {"}", "} <End Group>"},   {QString::fromUtf8("\u2423x"), QString::fromUtf8("\u2423x")}};
  EXPECT_EQ(ShownRows(), expected);
}

TEST_F(RegexAssistantWindowTest, TypedPatternIsTriedUnderEachCaseOption) {
  Open("");
  EXPECT_TRUE(ShownRows().empty());
  Enter("test1", "if x then");
  Enter("test2", "IF X THEN");
  Enter("test3", "IF x");
  EXPECT_EQ(Results(), (QStringList{"", "", "", "", ""}));  // no pattern, no trial
  Enter("regX", "IF [a-z]");
  EXPECT_EQ(ShownRows(), (Rows{{QString::fromUtf8("IF\u2423"), QString::fromUtf8("IF\u2423")},
                               {"[a-z]", "<1 of the Characters> a-z"}}));
  const struct {
    const char* option;
    QStringList results;
  } cases[] = {
      {"caseYes", {"No", "No", "Yes", "", ""}},
      {"caseNoCase", {"Yes", "No", "Yes", "", ""}},  // sets stay exact
      {"caseNo", {"Yes", "Yes", "Yes", "", ""}},     // both in capitals, sets too
  };
  for (const auto& c : cases) {
    Click(c.option);
    EXPECT_TRUE(Checked(c.option)) << c.option;
    EXPECT_EQ(Results(), c.results) << c.option;
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(RegexAssistantWindowTest, WordAndTrailingExcludeEachOther) {
  Remember({"END IF X", "ENDIF X", "X IFY"});
  Open("IF");
  EXPECT_EQ(Results(), (QStringList{"Yes", "Yes", "Yes", "", ""}));
  const struct {
    const char* click;
    bool word, trailing;
    QStringList results;
  } steps[] = {
      {"word", true, false, {"Yes", "No", "No", "", ""}},       // " IF{ }"
      {"trailing", false, true, {"Yes", "Yes", "No", "", ""}},  // "IF{ }"
      {"word", true, false, {"Yes", "No", "No", "", ""}},
      {"word", false, false, {"Yes", "Yes", "Yes", "", ""}},
  };
  for (const auto& step : steps) {
    Click(step.click);
    EXPECT_EQ(Checked("word"), step.word) << step.click;
    EXPECT_EQ(Checked("trailing"), step.trailing) << step.click;
    EXPECT_EQ(Results(), step.results) << step.click;
  }
}

TEST_F(RegexAssistantWindowTest, ABadPatternIsSelectedForCorrection) {
  Remember({"kmn"});
  Open("kmn");
  EXPECT_EQ(Results(), (QStringList{"Yes", "", "", "", ""}));
  Enter("regX", "kmn}");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, kCheckerCaption);
  EXPECT_NE(desktop.messages[0].text.find("unbalanced group"), std::string::npos);
  QLineEdit* regX = Child<QLineEdit>(*window, "regX");
  EXPECT_TRUE(regX->hasFocus());
  EXPECT_EQ(regX->selectedText(), "kmn}");
  // A failed check leaves the trial as it was; the next refresh shows the error.
  EXPECT_EQ(Results(), (QStringList{"Yes", "", "", "", ""}));
  Click("test");
  EXPECT_EQ(Results(), (QStringList{"Err", "", "", "", ""}));
  EXPECT_EQ(ShownRows(), (Rows{{"Error", "Regular Expression is Invalid"}}));
  EXPECT_EQ(desktop.messages.size(), 1u);  // "&Test" only refreshes

  Type("regX", "kmn+");
  Click("parse");  // accepts the typed pattern first
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(Results(), (QStringList{"Yes", "", "", "", ""}));
  EXPECT_EQ(ShownRows(), (Rows{{"km", "km"}, {"n+", "n <Occurs 1 or More Times>"}}));
}

TEST_F(RegexAssistantWindowTest, OkRefusesABadPatternAndCompletesAGoodOne) {
  std::string pattern = "kmn";
  int answer = 0;
  test::DialogDriver driver;
  driver.WhenModal<RegexAssistantWindow>([&](RegexAssistantWindow& dialog) {
    ASSERT_TRUE(WaitOpen(dialog));
    TypeInto(dialog, "regX", "kmn|");
    ClickOn(dialog, "ok");
    EXPECT_EQ(desktop.messages.size(), 1u);  // one message, though the focus left the field
    EXPECT_TRUE(dialog.isVisible());
    TypeInto(dialog, "regX", "kmn^");
    SlowClickOn(dialog, "ok");  // leaving the field checks it: the press does not become a click
    EXPECT_EQ(desktop.messages.size(), 2u);
    EXPECT_TRUE(Child<QLineEdit>(dialog, "regX")->hasFocus());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(desktop.messages[0].text.find("Ending a Regular Expression"), std::string::npos);
    TypeInto(dialog, "regX", "{GET|PUT}(");
    ClickOn(dialog, "ok");
  });
  answer = RunRegexAssistant(nullptr, desktop, pattern);
  EXPECT_TRUE(driver.AllActed());
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(pattern, "{GET|PUT}(");
  EXPECT_EQ(desktop.messages.size(), 2u);
}

TEST_F(RegexAssistantWindowTest, OkUnticksAClashingWordAndStays) {
  Open("^IF");
  Click("word");
  EXPECT_TRUE(Checked("word"));  // the box alone does not check the pattern
  Click("ok");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].text.find("I will uncheck Word"), std::string::npos);
  EXPECT_FALSE(Checked("word"));
  EXPECT_TRUE(window->isVisible());
  Click("ok");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->resultCode(), 1);
  EXPECT_EQ(window->acceptedPattern(), "^IF");
}

TEST_F(RegexAssistantWindowTest, CancelLeavesThePattern) {
  const std::function<void(RegexAssistantWindow&)> closers[] = {
      [](RegexAssistantWindow& dialog) { ClickOn(dialog, "cancel"); },
      [](RegexAssistantWindow& dialog) { SlowClickOn(dialog, "cancel"); },
      [](RegexAssistantWindow& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
      [](RegexAssistantWindow& dialog) { dialog.close(); },
  };
  for (const auto& close : closers) {
    std::string pattern = "kmn";
    test::DialogDriver driver;
    driver.WhenModal<RegexAssistantWindow>([&](RegexAssistantWindow& dialog) {
      ASSERT_TRUE(WaitOpen(dialog));
      TypeInto(dialog, "regX", "{bad");
      close(dialog);
    });
    EXPECT_EQ(RunRegexAssistant(nullptr, desktop, pattern), 2);
    EXPECT_TRUE(driver.AllActed());
    EXPECT_EQ(pattern, "kmn");
  }
  EXPECT_TRUE(desktop.messages.empty());  // going to Cancel checks nothing
}

TEST_F(RegexAssistantWindowTest, TestTextsAreRememberedForTheNextOpening) {
  std::string pattern = "IF";
  test::DialogDriver driver;
  driver.WhenModal<RegexAssistantWindow>([&](RegexAssistantWindow& dialog) {
    ASSERT_TRUE(WaitOpen(dialog));
    EnterInto(dialog, "test1", "IF X");
    TypeInto(dialog, "test4", "ELSE");  // closing takes it too
    ClickOn(dialog, "cancel");
  });
  RunRegexAssistant(nullptr, desktop, pattern);
  driver.WhenModal<RegexAssistantWindow>([&](RegexAssistantWindow& dialog) {
    ASSERT_TRUE(WaitOpen(dialog));
    EXPECT_EQ(Child<QLineEdit>(dialog, "test1")->text(), "IF X");
    EXPECT_EQ(Child<QLineEdit>(dialog, "test4")->text(), "ELSE");
    EXPECT_EQ(Child<QLabel>(dialog, "result1")->text(), "Yes");
    EXPECT_EQ(Child<QLabel>(dialog, "result4")->text(), "No");
    ClickOn(dialog, "ok");
  });
  EXPECT_EQ(RunRegexAssistant(nullptr, desktop, pattern), 1);
  EXPECT_TRUE(driver.AllActed());
  EXPECT_EQ(utilities::RememberedTestTexts::Load()[3], std::string_view("ELSE"));
}

TEST_F(RegexAssistantWindowTest, ShowsItsControlsToolsAndHelp) {
  Open("kmn");
  QStringList buttons;
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    buttons << button->text();
  }
  for (const char* text :
       {"&Word", "&Trailing", "&Parse", "&Test", "&Ok", "Cancel", "No", "Yes", "Match:NoCase"}) {
    EXPECT_TRUE(buttons.contains(text)) << text;
  }
  EXPECT_EQ(Child<QGroupBox>(*window, "syntaxBox")->title(), "&Syntax");
  auto* tabs = Child<QTabWidget>(*window, "syntax");
  QStringList titles;
  for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
  EXPECT_EQ(titles,
            (QStringList{"Summary", "Character", "Not Set", "Group", "Alternates", "Examples"}));
  EXPECT_EQ(Child<QLineEdit>(*window, "regX")->maxLength(), 60);
  auto* tools = Child<QPushButton>(*window, "tools");
  EXPECT_EQ(tools->text(), "Tool&s");
  EXPECT_TRUE(tools->isEnabled());
  ASSERT_NE(tools->menu(), nullptr);
  QStringList items;
  for (const QAction* action : tools->menu()->actions()) {
    items << action->text();
    // Only Undo waits for something to undo.
    EXPECT_EQ(action->isEnabled(), action->text() != "Undo") << action->text().toStdString();
  }
  EXPECT_EQ(items, (QStringList{"Fix Meta Characters by Prefixing a Backslash",
                                "Remove All Meta Characters", "Change Unix Regex Characters to TRX",
                                "Convert Veldar String Literal to TRX", "Undo",
                                "Generate Veldar MATCH() Code"}));
}

TEST_F(RegexAssistantWindowTest, ToolsRewriteUndoAndPutMatchCodeOnTheClipboard) {
  Remember({"a{2}"});
  Open("kmn");
  const auto item = [this](const char* text) {
    for (QAction* action : Child<QPushButton>(*window, "tools")->menu()->actions()) {
      if (action->text() == text) return action;
    }
    ADD_FAILURE() << text;
    return static_cast<QAction*>(nullptr);
  };
  QAction* undo = item("Undo");
  Type("regX", "(a{2})");  // still being typed: the tool takes it first
  item("Change Unix Regex Characters to TRX")->trigger();
  EXPECT_EQ(Child<QLineEdit>(*window, "regX")->text(), "{a\\{2\\}}");
  EXPECT_EQ(Result(1), "Yes");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, utilities::kBracesEscapedMessage);
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_EQ(undo->toolTip(), "Undo: Convert Unix\r\n(a{2})");

  undo->trigger();
  EXPECT_EQ(Child<QLineEdit>(*window, "regX")->text(), "(a{2})");
  EXPECT_EQ(window->model().Pattern(), "(a{2})");
  EXPECT_FALSE(undo->isEnabled());

  Click("caseYes");
  item("Generate Veldar MATCH() Code")->trigger();
  EXPECT_EQ(desktop.clipboard, "MATCH( string ,'(a{{2})',MATCH:Regular)  ! +MATCH:NoCase");
  EXPECT_EQ(window->model().Pattern(), "(a{2})");
  EXPECT_FALSE(undo->isEnabled());
}

// The help must not teach what the matcher does not do: every example finds its line, misses
// the other one, and passes the checker.
TEST(RegexAssistantSyntaxHelp, ExamplesSayWhatTheMatcherDoes) {
  ASSERT_FALSE(SyntaxExamples().empty());
  for (const SyntaxExample& example : SyntaxExamples()) {
    EXPECT_EQ(runtime::MATCH(example.found, example.pattern, runtime::Match::Regular), 1)
        << example.pattern << " on " << example.found;
    EXPECT_EQ(runtime::MATCH(example.missed, example.pattern, runtime::Match::Regular), 0)
        << example.pattern << " on " << example.missed;
    EXPECT_FALSE(utilities::RegexProblem(example.pattern, false, false).has_value())
        << example.pattern;
  }
}

TEST(RegexAssistantSyntaxHelp, ExplanationShowsBlanksAsMarks) {
  const struct {
    std::string bytes;
    QString shown;
  } cases[] = {
      {"IF\x80x", QString::fromUtf8("IF\u2423x")},
      {"\x80\x80", QString::fromUtf8("\u2423\u2423")},
      {"caf\xc3\xa9\x80\xc3\x80",
       QString::fromUtf8("caf\u00e9\u2423\u00c0")},             // UTF-8 keeps its 128s
      {"caf\xe9\x80x", QString::fromUtf8("caf\u00e9\u2423x")},  // Windows-1252 text
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownExplanation(c.bytes), c.shown) << c.bytes;
}

}  // namespace
}  // namespace trawlex::ui
