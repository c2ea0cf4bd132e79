// The "Multi Search" window driven through its controls: the clipboard text it opens with, the
// list it builds, and runs whose results windows are stand-ins that report their counts the
// way a results window does and close when told to.

#include "ui/multi_search_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "support/scripted_desktop.h"
#include "ui/qt_text.h"
#include "ui/window_registry.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

// Stands in for a results window: registered like one, closed by kEventCloseResults.
class FakeResults final : public QWidget {
 public:
  FakeResults() { setAttribute(Qt::WA_DeleteOnClose); }
  bool event(QEvent* event) override {
    if (event->type() == ProgramEvent::EventType() &&
        static_cast<ProgramEvent*>(event)->Code() == kEventCloseResults) {
      close();
      return true;
    }
    return QWidget::event(event);
  }
};

struct Started {
  std::string text;
  int mode;
  int slot;
  QPointer<QWidget> window;
};

class MultiSearchWindowTest : public ::testing::Test {
 protected:
  MultiSearchWindowTest() {
    request.text = "Get_CB_Value";
    request.path = "/src/app";
    desktop.clipboard = "Alpha\r\n  Beta\r\n\r\nGamma\r\n";
  }
  ~MultiSearchWindowTest() override {
    for (const Started& started : starts) delete started.window.data();
    delete window.data();
    EXPECT_EQ(shell::MultiSearchShared().window, 0);
  }

  MultiSearchWindow* Open() {
    window =
        MultiSearchWindow::Open(request, desktop, [this](const engine::SearchSpec& r, int mode) {
          int slot = 0;
          QPointer<QWidget> results;
          if (!failStarts) {
            results = new FakeResults;
            slot = AppWindows().Open(results, WindowKind::Results);
          }
          starts.push_back({r.text.str(), mode, slot, results});
          return slot;
        });
    if (window) {
      window->ticker().setInterval(5);
      window->show();
    }
    return window;
  }

  template <typename Widget>
  Widget* Get(const char* name) {
    return test::NamedChild<Widget>(*window, name);
  }
  void Click(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }
  QTreeWidget& List() { return *Get<QTreeWidget>("list"); }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < List().topLevelItemCount(); ++i) {
      texts.push_back(ToBytes(List().topLevelItem(i)->text(column)));
    }
    return texts;
  }
  bool Running() { return Get<QPushButton>("stop")->isVisible(); }
  bool StartButtonsShown() {
    return Get<QPushButton>("searchAll")->isVisible() && Get<QPushButton>("one")->isVisible();
  }
  // Lets the window's timer tick a few times, or finds it stopped: whatever a tick would start
  // has had its chance.
  void LetTick(int ticks = 3) {
    auto* timer = window->findChild<QTimer*>("tick");
    ASSERT_NE(timer, nullptr);
    QSignalSpy ticked(timer, &QTimer::timeout);
    while (timer->isActive() && ticked.size() < ticks) ticked.wait(1000);
    QCoreApplication::sendPostedEvents();
  }
  // Waits for the next search to start.
  bool WaitForStart(std::size_t count) {
    return QTest::qWaitFor([&] { return starts.size() >= count; }, 2000);
  }
  // The running search reports like a results window at the end of its run.
  void Report(std::size_t start, qint64 count) {
    ASSERT_TRUE(ReportMultiSearchCount(starts.at(start).slot, count));
  }

  engine::SearchSpec request;
  testing::ScriptedDesktop desktop;
  QPointer<MultiSearchWindow> window;
  std::vector<Started> starts;
  bool failStarts = false;
};

TEST_F(MultiSearchWindowTest, OpensWithTheClipboardTextAndItsList) {
  ASSERT_TRUE(Open());
  EXPECT_EQ(window->windowTitle(), "Multi Search");
  EXPECT_EQ(Get<QPlainTextEdit>("text")->toPlainText(), "Alpha\n  Beta\n\nGamma\n");
  EXPECT_EQ(Column(1),
            (std::vector<std::string>{"GetAlphaValue", "Get  BetaValue", "GetGammaValue"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(List().currentIndex().row(), 0);
  EXPECT_TRUE(StartButtonsShown());
  EXPECT_FALSE(Running());
  EXPECT_EQ(AppWindows().SlotOf(window), window->slot());
  EXPECT_EQ(shell::MultiSearchShared().window, window->slot());

  QCheckBox* left = Get<QCheckBox>("left");
  QTest::mouseClick(left, Qt::LeftButton);
  ASSERT_TRUE(left->isChecked());
  Click("load");
  EXPECT_EQ(Column(1)[1], "GetBetaValue");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MultiSearchWindowTest, OnlyOneMayBeOpenAndCloseEndsIt) {
  ASSERT_TRUE(Open());
  MultiSearchWindow* first = window;
  EXPECT_EQ(MultiSearchWindow::Open(request, desktop, {}), nullptr);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Multi Search is active, you can only run it once");
  EXPECT_EQ(window, first);

  Click("close");
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
  EXPECT_EQ(shell::MultiSearchShared().window, 0);
  ASSERT_TRUE(Open()) << "a closed one no longer counts";
}

TEST_F(MultiSearchWindowTest, TheTextBoxHoldsAtMost8192Characters) {
  desktop.clipboard = std::string(9000, 'a');
  ASSERT_TRUE(Open());
  QPlainTextEdit* text = Get<QPlainTextEdit>("text");
  EXPECT_EQ(text->toPlainText().size(), 8192);
  text->moveCursor(QTextCursor::End);
  QTest::keyClicks(text, "bc");
  EXPECT_EQ(text->toPlainText().size(), 8192);
}

TEST_F(MultiSearchWindowTest, FortyOneLinesAskForSummaryAtOpening) {
  for (const int answer : {runtime::kAnswerYes, runtime::kAnswerNo}) {
    delete window.data();
    desktop = {};
    for (int i = 0; i < 41; ++i) desktop.clipboard += "Line" + std::to_string(i) + "\r\n";
    desktop.answers.push_back(answer);
    ASSERT_TRUE(Open());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].caption, "Multi Search");
    EXPECT_EQ(List().topLevelItemCount(), 41);
    EXPECT_EQ(Get<QCheckBox>("summary")->isChecked(), answer == runtime::kAnswerYes);
  }
}

TEST_F(MultiSearchWindowTest, SummaryRunClosesEveryResultsWindowButTheLast) {
  ASSERT_TRUE(Open());
  QTest::mouseClick(Get<QCheckBox>("summary"), Qt::LeftButton);
  Click("searchAll");
  EXPECT_TRUE(Running());
  EXPECT_FALSE(StartButtonsShown());
  for (std::size_t i = 0; i < 3; ++i) {
    ASSERT_TRUE(WaitForStart(i + 1)) << i;
    EXPECT_EQ(Column(0)[i], "Run...");
    EXPECT_EQ(List().currentIndex().row(), static_cast<int>(i));
    LetTick();  // ticks while the search runs start nothing
    ASSERT_EQ(starts.size(), i + 1);
    Report(i, 10 + i);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Column(0)[i] == std::to_string(10 + i); }, 2000));
  }
  EXPECT_EQ(starts[0].text, "GetAlphaValue");
  EXPECT_EQ(starts[2].text, "GetGammaValue");
  EXPECT_EQ(starts[0].mode, shell::kModeSummary);
  EXPECT_EQ(starts[1].mode, shell::kModeSummary);
  EXPECT_EQ(starts[2].mode, shell::kModeShow);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Running(); }, 2000));
  EXPECT_TRUE(StartButtonsShown());
  EXPECT_TRUE(starts[0].window.isNull());
  EXPECT_TRUE(starts[1].window.isNull());
  EXPECT_FALSE(starts[2].window.isNull()) << "the last results window stays open";
  EXPECT_EQ(Column(0), (std::vector<std::string>{"10", "11", "12"}));
}

TEST_F(MultiSearchWindowTest, OneAndDoubleClickRunTheChosenLine) {
  ASSERT_TRUE(Open());
  QTest::mouseClick(Get<QCheckBox>("summary"), Qt::LeftButton);
  List().setCurrentItem(List().topLevelItem(1));
  Click("one");
  ASSERT_TRUE(WaitForStart(1));
  Report(0, 4);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Running(); }, 2000));
  EXPECT_EQ(starts[0].text, "Get  BetaValue");
  EXPECT_EQ(starts[0].mode, shell::kModeShow);

  QTreeWidgetItem* gamma = List().topLevelItem(2);
  const QPoint at = List().visualItemRect(gamma).center();
  QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, at);
  ASSERT_TRUE(WaitForStart(2));
  EXPECT_EQ(starts[1].text, "GetGammaValue");
  Report(1, 6);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Running(); }, 2000));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"", "4", "6"}));
  EXPECT_EQ(starts.size(), 2u);
}

TEST_F(MultiSearchWindowTest, AResultsWindowThatCannotOpenFailsTheRun) {
  failStarts = true;
  ASSERT_TRUE(Open());
  Click("searchAll");
  ASSERT_TRUE(WaitForStart(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Running(); }, 2000));
  LetTick();
  EXPECT_EQ(starts.size(), 1u);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Fail", "", ""}));
  EXPECT_TRUE(StartButtonsShown());
}

TEST_F(MultiSearchWindowTest, StopEndsTheRunButTheRunningSearchStillCounts) {
  ASSERT_TRUE(Open());
  QTest::mouseClick(Get<QCheckBox>("summary"), Qt::LeftButton);
  Click("searchAll");
  ASSERT_TRUE(WaitForStart(1));
  Click("stop");
  EXPECT_FALSE(Running());
  EXPECT_TRUE(StartButtonsShown());
  Report(0, 42);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Column(0)[0] == "42"; }, 2000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return starts[0].window.isNull(); }, 2000))
      << "a summary search closes its window all the same";
  LetTick();
  EXPECT_EQ(starts.size(), 1u);
}

TEST_F(MultiSearchWindowTest, AResultsWindowGoneWithoutACountCountsNone) {
  ASSERT_TRUE(Open());
  Click("searchAll");
  ASSERT_TRUE(WaitForStart(1));
  delete starts[0].window.data();  // found no file and closed without a run
  ASSERT_TRUE(WaitForStart(2));
  EXPECT_EQ(Column(0)[0], "0");
  EXPECT_EQ(Column(0)[1], "Run...");
}

TEST_F(MultiSearchWindowTest, OtherProgramEventsAndStrayCountsChangeNothing) {
  ASSERT_TRUE(Open());
  AppWindows().Broadcast(kEventCloseResults);
  AppWindows().Post(window->slot(), kEventMultiSearchDone);  // no search runs
  QCoreApplication::sendPostedEvents();
  ASSERT_FALSE(window.isNull());
  EXPECT_EQ(Column(0), (std::vector<std::string>{"", "", ""}));
}

}  // namespace
}  // namespace trawlex::ui
