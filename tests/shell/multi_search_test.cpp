// The multi search's logic: the list built from the text box, the warning about many windows,
// and the run the window's timer walks, with the state it shares with the results windows.

#include "shell/multi_search.h"

#include <gtest/gtest.h>

#include "support/scripted_desktop.h"

namespace trawlex::shell {
namespace {

std::vector<std::string> Texts(const std::vector<runtime::FixedText<60>>& texts) {
  std::vector<std::string> plain;
  for (const auto& text : texts) plain.push_back(text.str());
  return plain;
}

std::string Lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Name" + std::to_string(i) + "\r\n";
  return text;
}

TEST(MultiSearchListTest, EachNonBlankLineFillsThePattern) {
  struct Case {
    const char* name;
    std::string pattern;
    std::string text;
    bool left;
    std::vector<std::string> expected;
  };
  const std::string sixty(60, 'x');
  const Case cases[] = {
      {"CR LF, LF and CR all end lines; blank lines are skipped",
       "Get(_cb_)",
       "alpha\r\nbeta\n\n   \r\ngamma\rdelta",
       false,
       {"Get(alpha)", "Get(beta)", "Get(gamma)", "Get(delta)"}},
      {"leading blanks stay without Left, trailing ones never",
       "Get(_cb_)",
       "  two  \r\n",
       false,
       {"Get(  two)"}},
      {"Left removes the leading blanks",
       "Get(_cb_)",
       "  two  \r\n\t tab",
       true,
       {"Get(two)", "Get(\t tab)"}},
      {"the mark is found in any case", "x _Cb_ y", "one\r\n", false, {"x one y"}},
      {"every mark takes the line", "_CB_ = _cb_", "val", false, {"val = val"}},
      {"a mark inside the line is not expanded again", "<_cb_>", "_cb_\r\n", false, {"<_cb_>"}},
      {"a pattern without the mark stays as it is", "Fixed", "a\r\nb", false, {"Fixed", "Fixed"}},
      {"the search text is cut to 60 characters",
       "pre _cb_",
       sixty + "tail",
       false,
       {"pre " + std::string(56, 'x')}},
      {"the last line needs no line end", "_cb_", "first\r\nlast", false, {"first", "last"}},
      {"no lines", "_cb_", "\r\n  \r\n", false, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Texts(BuildSearchTexts(c.pattern, c.text, c.left)), c.expected) << c.name;
  }
}

TEST(MultiSearchListTest, MoreThanFortyEntriesWithoutSummaryAskToTurnItOn) {
  struct Case {
    int lines;
    bool summaryBefore;
    std::optional<int> answer;  // nothing: no question expected
    bool summaryAfter;
  };
  const Case cases[] = {
      {40, false, std::nullopt, false},
      {41, false, runtime::kAnswerYes, true},
      {41, false, runtime::kAnswerNo, false},
      {41, true, std::nullopt, true},
  };
  for (const Case& c : cases) {
    testing::ScriptedDesktop desktop;
    if (c.answer) desktop.answers.push_back(*c.answer);
    MultiSearchState shared;
    engine::SearchSpec request;
    request.text = "Find _cb_";
    MultiSearch model(request, desktop, shared);
    model.SetSummary(c.summaryBefore);
    model.LoadText(Lines(c.lines), false);
    EXPECT_EQ(model.entries().size(), static_cast<std::size_t>(c.lines));
    EXPECT_EQ(model.summary(), c.summaryAfter) << c.lines;
    ASSERT_EQ(desktop.messages.size(), c.answer ? 1u : 0u) << c.lines;
    if (!c.answer) continue;
    const runtime::Message& asked = desktop.messages.front();
    EXPECT_EQ(asked.text,
              "Warning: You have listed 41 items to search. ||Opening more than 40 windows can "
              "hang TRX. ||Want me to check the Summary box?");
    EXPECT_EQ(asked.caption, "Multi Search");
    EXPECT_EQ(asked.icon, runtime::Icon::Warning);
    EXPECT_EQ(asked.standard, runtime::Buttons::YesNo);
  }
}

class MultiSearchRunTest : public ::testing::Test {
 protected:
  MultiSearchRunTest() {
    request.text = "Get_CB_Value";
    request.path = "/src/app";
    request.spec = "*.VLW";
    request.sw.word = 1;
  }

  MultiSearch& Model(std::string_view text) {
    model = std::make_unique<MultiSearch>(request, desktop, shared);
    model->LoadText(text, false);
    return *model;
  }
  std::vector<std::string> Results() const {
    std::vector<std::string> results;
    for (const auto& entry : model->entries()) results.push_back(entry.result);
    return results;
  }
  // Starts the due search as window `id`, lets it report `count` as a results window
  // would, and returns the window the model wants closed.
  int RunOne(int id, std::int64_t count) {
    model->SearchStarted(id);
    EXPECT_TRUE(StoreMultiSearchCount(shared, id, count));
    return model->SearchFinished(shared.lastCount);
  }

  engine::SearchSpec request;
  testing::ScriptedDesktop desktop;
  MultiSearchState shared;
  std::unique_ptr<MultiSearch> model;
};

TEST_F(MultiSearchRunTest, SummaryClosesEveryResultsWindowButTheLastOne) {
  struct Step {
    std::string text;
    int mode;
    int closed;
  };
  for (const bool summary : {true, false}) {
    MultiSearch& run = Model("Alpha\r\nBeta\r\nGamma\r\n");
    run.SetSummary(summary);
    ASSERT_TRUE(run.StartAll());
    const std::vector<Step> steps = {
        {"GetAlphaValue", summary ? kModeSummary : kModeShow, summary ? 11 : 0},
        {"GetBetaValue", summary ? kModeSummary : kModeShow, summary ? 12 : 0},
        {"GetGammaValue", kModeShow, 0},
    };
    for (int i = 0; i < 3; ++i) {
      const auto start = run.Tick();
      ASSERT_TRUE(start) << i;
      EXPECT_EQ(start->entry, i);
      EXPECT_EQ(start->mode, steps[i].mode) << summary << i;
      EXPECT_EQ(start->request.text.str(), steps[i].text);
      EXPECT_EQ(start->request.path.str(), "/src/app");  // the rest of the request is kept
      EXPECT_EQ(start->request.sw, request.sw);
      EXPECT_EQ(run.entries()[i].result, "Run...");
      EXPECT_EQ(run.selected(), i);
      EXPECT_EQ(shared.mode, steps[i].mode);
      EXPECT_FALSE(run.Tick()) << "a second search while one runs";
      EXPECT_EQ(RunOne(11 + i, 5 * i), steps[i].closed) << summary << i;
    }
    EXPECT_EQ(Results(), (std::vector<std::string>{"0", "5", "10"}));
    EXPECT_TRUE(run.running());
    EXPECT_FALSE(run.Tick());
    EXPECT_FALSE(run.running()) << "the run ends past the last entry";
  }
}

TEST_F(MultiSearchRunTest, OneRunsOnlyThatEntryAndKeepsItsWindow) {
  MultiSearch& run = Model("Alpha\r\nBeta\r\nGamma\r\n");
  run.SetSummary(true);
  ASSERT_TRUE(run.StartAll());
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(run.Tick());
    RunOne(20 + i, 7);
  }
  ASSERT_TRUE(run.StartOne(1));
  EXPECT_EQ(Results(), (std::vector<std::string>{"7", "", "7"})) << "only its result is cleared";
  const auto start = run.Tick();
  ASSERT_TRUE(start);
  EXPECT_EQ(start->entry, 1);
  EXPECT_EQ(start->mode, kModeShow) << "the only entry is the last to run";
  EXPECT_EQ(RunOne(30, 3), 0);
  EXPECT_FALSE(run.Tick());
  EXPECT_FALSE(run.running());
  EXPECT_EQ(Results(), (std::vector<std::string>{"7", "3", "7"}));

  ASSERT_TRUE(run.StartAll());
  EXPECT_EQ(Results(), (std::vector<std::string>{"", "", ""}));
  EXPECT_FALSE(run.StartOne(3));
  EXPECT_FALSE(run.StartOne(-1));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MultiSearchRunTest, AnEmptyListHasNothingToSearch) {
  MultiSearch& run = Model("  \r\n");
  EXPECT_FALSE(run.StartAll());
  EXPECT_FALSE(run.StartOne(0));
  ASSERT_EQ(desktop.messages.size(), 2u);
  for (const auto& message : desktop.messages) {
    EXPECT_EQ(message.text, "There's nothing to be searched");
  }
  EXPECT_FALSE(run.running());
  EXPECT_FALSE(run.Tick());
}

TEST_F(MultiSearchRunTest, ASearchThatCannotStartFailsAndStopsTheRun) {
  MultiSearch& run = Model("Alpha\r\nBeta\r\nGamma\r\n");
  ASSERT_TRUE(run.StartAll());
  ASSERT_TRUE(run.Tick());
  RunOne(3, 9);
  ASSERT_TRUE(run.Tick());
  run.SearchStarted(0);
  EXPECT_EQ(Results(), (std::vector<std::string>{"9", "Fail", ""}));
  EXPECT_FALSE(run.running());
  EXPECT_FALSE(run.searchRunning());
  EXPECT_FALSE(run.Tick());
  EXPECT_EQ(shared.runningSearch, 0);
  EXPECT_EQ(run.SearchFinished(4), 0) << "no search is waiting for a count";
  EXPECT_EQ(Results(), (std::vector<std::string>{"9", "Fail", ""}));
}

TEST_F(MultiSearchRunTest, StopStartsNoMoreButTheRunningSearchStillReports) {
  MultiSearch& run = Model("Alpha\r\nBeta\r\n");
  run.SetSummary(true);
  ASSERT_TRUE(run.StartAll());
  ASSERT_TRUE(run.Tick());
  run.SearchStarted(8);
  run.Stop();
  EXPECT_FALSE(run.running());
  EXPECT_FALSE(run.Tick());
  ASSERT_TRUE(StoreMultiSearchCount(shared, 8, 123456789));
  EXPECT_EQ(run.SearchFinished(shared.lastCount), 8) << "a summary window closes all the same";
  EXPECT_EQ(Results(), (std::vector<std::string>{"123456789", ""})) << "the count is never cut";
  EXPECT_FALSE(run.Tick());
}

TEST_F(MultiSearchRunTest, OnlyTheRunningSearchLeavesItsCountAndOnlyOnce) {
  MultiSearch& run = Model("Alpha\r\n");
  ASSERT_TRUE(run.StartAll());
  EXPECT_FALSE(StoreMultiSearchCount(shared, 4, 1)) << "nothing runs yet";
  ASSERT_TRUE(run.Tick());
  EXPECT_EQ(shared.lastCount, -1);
  EXPECT_FALSE(StoreMultiSearchCount(shared, 4, 1)) << "not started yet";
  run.SearchStarted(4);
  EXPECT_EQ(shared.runningSearch, 4);
  EXPECT_EQ(run.runningSearch(), 4);
  EXPECT_FALSE(StoreMultiSearchCount(shared, 5, 2)) << "another results window";
  EXPECT_FALSE(StoreMultiSearchCount(shared, 0, 2));
  EXPECT_TRUE(StoreMultiSearchCount(shared, 4, 3));
  EXPECT_FALSE(StoreMultiSearchCount(shared, 4, 99)) << "a later run of that window";
  EXPECT_EQ(shared.lastCount, 3);
  run.SearchFinished(shared.lastCount);
  EXPECT_EQ(shared.runningSearch, 0);
  EXPECT_EQ(shared.lastCount, -1);
  EXPECT_EQ(Results(), (std::vector<std::string>{"3"}));
}

TEST_F(MultiSearchRunTest, ANewListStopsTheRunAndTheOldSearchReportsToNoEntry) {
  MultiSearch& run = Model("Alpha\r\nBeta\r\n");
  run.SetSummary(true);
  ASSERT_TRUE(run.StartAll());
  ASSERT_TRUE(run.Tick());
  run.SearchStarted(6);
  run.LoadText("One\r\nTwo\r\nThree\r\n", false);
  EXPECT_FALSE(run.running());
  ASSERT_TRUE(run.StartAll());
  EXPECT_FALSE(run.Tick()) << "the old search still runs";
  EXPECT_EQ(run.SearchFinished(2), 6);
  EXPECT_EQ(Results(), (std::vector<std::string>{"", "", ""}));
  const auto start = run.Tick();
  ASSERT_TRUE(start);
  EXPECT_EQ(start->request.text.str(), "GetOneValue");
}

TEST_F(MultiSearchRunTest, ClosingTheWindowWhileASearchRunsForgetsIt) {
  Model("Alpha\r\n");
  ASSERT_TRUE(model->StartAll());
  ASSERT_TRUE(model->Tick());
  model->SearchStarted(9);
  shared.window = 3;
  model.reset();
  EXPECT_EQ(shared.runningSearch, 0);
  EXPECT_FALSE(StoreMultiSearchCount(shared, 9, 1));
}

}  // namespace
}  // namespace trawlex::shell
