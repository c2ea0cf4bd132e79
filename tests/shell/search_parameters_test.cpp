// The search-parameters dialogue without its window: opening on the last search, the checks
// of "&Search" in order, the switch rules, the histories, the tools and closing.

#include "shell/search_parameters.h"

#include <gtest/gtest.h>

#include "search_store_fixture.h"
#include "shell/last_search_settings.h"

namespace trawlex::shell {
namespace {

using engine::Extra;
using Kind = SearchAction::Kind;

class SearchParametersTest : public testing::StoreTest {
 protected:
  SettingsFiles files = SettingsFilesIn(tree.root());
  Preferences preferences;

  // A dialogue opened in `mode` on a request that would search the temporary tree.
  std::unique_ptr<SearchParameters> Dialogue(DialogMode mode = DialogMode::Normal,
                                             engine::SearchSpec caller = {}) {
    sessions_.push_back(std::make_unique<SavedSearchSession>(
        saved, recent, desktop, windows,
        mode == DialogMode::Edit ? SessionMode::Edit : SessionMode::Normal));
    auto dialogue =
        std::make_unique<SearchParameters>(files, preferences, desktop, *sessions_.back(), mode);
    dialogue->Open(caller);
    return dialogue;
  }

  void FillRequest(SearchParameters& d, const char* text) {
    d.request().text = text;
    d.request().path = tree.root().string();
    d.request().spec = "*.vlw";
  }

 private:
  std::vector<std::unique_ptr<SavedSearchSession>> sessions_;
};

TEST_F(SearchParametersTest, OpensOnTheLastSearch) {
  auto first = Dialogue();
  EXPECT_EQ(first->request().sw.oop, 1);  // first start: OOP and one level
  EXPECT_EQ(first->request().sw.subLevels, 1);
  EXPECT_EQ(first->Title(), "Search Parameters");
  FillRequest(*first, "kmn");
  first->SetWord(true);
  ASSERT_EQ(first->Search().kind, Kind::Search);

  auto next = Dialogue();
  EXPECT_EQ(next->request().text, std::string_view("kmn"));
  EXPECT_EQ(next->request().path, tree.root().string());
  EXPECT_EQ(next->request().spec, std::string_view("*.vlw"));
  EXPECT_EQ(next->request().sw.word, 1);
  EXPECT_EQ(next->findHistory(), (std::vector<std::string>{"kmn"}));
}

TEST_F(SearchParametersTest, SearchChecksInOrder) {
  auto d = Dialogue();
  FillRequest(*d, "");
  EXPECT_EQ(d->Search().focus, Field::Find);  // blank text

  FillRequest(*d, "**kmn**");
  d->SetWild(true);
  d->request().path = "";
  EXPECT_EQ(d->Search().focus, Field::Path);  // blank path; the text was tidied first
  EXPECT_EQ(d->request().text, std::string_view("kmn"));

  FillRequest(*d, "a{b");
  d->SetRegex(true);
  EXPECT_EQ(d->Search().focus, Field::Find);  // the checker refused the pattern
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, "Regular Expression Checker");

  FillRequest(*d, "kmn");
  d->SetRegex(false);
  d->request().spec = " ; ;";
  EXPECT_EQ(d->Search().focus, Field::Specs);  // blank specifications are filled in
  EXPECT_EQ(d->request().spec, std::string_view("*.VLW;*.INC"));

  d->request().path = tree.path() + "missing/";
  EXPECT_EQ(d->Search().focus, Field::Path);
  EXPECT_EQ(desktop.messages.back().text, "The path entered is invalid||" + tree.path() + "missing");
  EXPECT_EQ(desktop.messages.back().caption, "Search");
  EXPECT_EQ(desktop.beeps, 5);
  EXPECT_EQ(recent.Count(), 0);  // nothing was recorded

  d->request().path = tree.path();
  const SearchAction action = d->Search();
  EXPECT_EQ(action.kind, Kind::Search);
  EXPECT_EQ(action.request.path, tree.root().string());  // without the trailing '/'
  EXPECT_FALSE(action.close);  // a dialogue on its own stays open
  EXPECT_EQ(recent.Count(), 1);
}

TEST_F(SearchParametersTest, HistoriesKeepOneEntryPerValueWithoutCase) {
  auto d = Dialogue();
  FillRequest(*d, "foo");
  ASSERT_EQ(d->Search().kind, Kind::Search);
  d->request().text = "Foo";
  ASSERT_EQ(d->Search().kind, Kind::Search);
  EXPECT_EQ(d->findHistory(), (std::vector<std::string>{"Foo"}));
  EXPECT_EQ(ReadHistory(files.searchDat, kTextHistorySection), (std::vector<std::string>{"Foo"}));
  EXPECT_EQ(recent.Count(), 2);  // the text changed, so both searches are remembered
}

TEST_F(SearchParametersTest, ClipboardTextStartsAMultiSearch) {
  auto d = Dialogue();
  FillRequest(*d, "Item_CB_Total");
  EXPECT_EQ(d->Search().kind, Kind::MultiSearch);
}

TEST_F(SearchParametersTest, EditModeAnswersWithTheButtonAndRecordsNothing) {
  engine::SearchSpec caller;
  caller.text = "caller";
  caller.path = tree.root().string();
  caller.spec = "*.inc";
  auto d = Dialogue(DialogMode::Edit, caller);
  EXPECT_EQ(d->request().text, std::string_view("caller"));
  EXPECT_EQ(d->Title(), "Edit Search Parameters");
  EXPECT_FALSE(d->StoreButtonsEnabled());
  using engine::EditChoice;
  const struct {
    EditButton button;
    bool append;
    engine::EditAnswer answer;
  } cases[] = {{EditButton::Ok, false, {EditChoice::Apply, false}},
               {EditButton::Ok, true, {EditChoice::Apply, false}},  // no run to append to
               {EditButton::Again, false, {EditChoice::SearchAll, false}},
               {EditButton::Again, true, {EditChoice::SearchAll, true}},
               {EditButton::Refresh, false, {EditChoice::SearchFilesWithHits, false}},
               {EditButton::Refresh, true, {EditChoice::SearchFilesWithHits, true}}};
  for (const auto& c : cases) {
    const SearchAction action = d->Search(c.button, c.append);
    EXPECT_EQ(action.kind, Kind::Return);
    EXPECT_EQ(action.answer, c.answer) << static_cast<int>(c.button) << c.append;
    EXPECT_TRUE(action.close);
  }
  EXPECT_EQ(d->Close(), (engine::EditAnswer{EditChoice::SearchFilesWithHits, true}));
  EXPECT_EQ(recent.Count(), 0);
}

TEST_F(SearchParametersTest, PrefilledSearchesAndCloses) {
  engine::SearchSpec caller;
  caller.text = "kmn";
  caller.path = tree.root().string();
  caller.spec = "*.vlw";
  auto d = Dialogue(DialogMode::Prefilled, caller);
  const SearchAction action = d->Search();
  EXPECT_EQ(action.kind, Kind::Search);
  EXPECT_TRUE(action.close);
  EXPECT_EQ(d->Close(), engine::EditAnswer{engine::EditChoice::Apply});
}

TEST_F(SearchParametersTest, SwitchExclusions) {
  auto d = Dialogue();
  d->SetTrailing(true);
  d->SetWord(true);
  EXPECT_EQ(d->request().sw.word, 1);
  EXPECT_EQ(d->request().sw.trail, 0);
  d->SetSmash(true);
  EXPECT_EQ(d->request().sw.word, 0);
  d->SetWord(true);
  d->SetTrailing(false);  // unchecking also clears the other two
  EXPECT_EQ(d->request().sw.word + d->request().sw.trail + d->request().sw.smash, 0);
  d->SetWild(true);
  d->SetRegex(true);
  EXPECT_EQ(d->request().sw[Extra::Wild], 0);
  d->AssistantCompleted();  // already on: stays on
  EXPECT_EQ(d->request().sw[Extra::Regex], 1);
  d->SetRegex(false);
  d->AssistantCompleted();
  EXPECT_EQ(d->request().sw[Extra::Regex], 1);
  d->SetOop(false);
  EXPECT_EQ(desktop.messages.back().text, "leave this checked");
}

TEST_F(SearchParametersTest, NewKeepsPathAndSpecifications) {
  auto d = Dialogue();
  FillRequest(*d, "kmn");
  d->SetWord(true);
  d->SetLabelMode(129);
  d->New();
  EXPECT_TRUE(d->request().text.empty());
  EXPECT_EQ(d->request().sw.word, 0);
  EXPECT_EQ(d->request().labelMode(), 0);
  EXPECT_EQ(d->request().sw.subLevels, 1);
  EXPECT_EQ(d->request().path, tree.root().string());
  EXPECT_EQ(d->request().spec, std::string_view("*.vlw"));
}

TEST_F(SearchParametersTest, ClosingOnItsOwnTrimsTheRecentSearches) {
  preferences.lastSearchCnt = 99;
  for (int i = 0; i < 105; ++i) AddRecent(testing::Recent(80000, i + 1, "t" + std::to_string(i)));
  Dialogue(DialogMode::Prefilled)->Close();
  EXPECT_EQ(recent.Count(), 105);  // only a dialogue opened on its own trims
  Dialogue()->Close();
  EXPECT_EQ(recent.Count(), 99);
}

TEST_F(SearchParametersTest, PathToolsAndDroppedFiles) {
  auto d = Dialogue();
  const auto file = tree.Write("src/app/main.vlw", "x");
  EXPECT_TRUE(d->DropFiles({file.string(), "/elsewhere"}));
  EXPECT_EQ(d->request().path, (tree.root() / "src/app").string());
  EXPECT_TRUE(d->DropFiles({(tree.root() / "src").string()}));
  EXPECT_EQ(d->request().path, (tree.root() / "src").string());
  EXPECT_FALSE(d->DropFiles({"/no/such/place/x.vlw"}));
  EXPECT_EQ(desktop.messages.back().text,
            "Unable to find a good path||||/no/such/place/x.vlw||/no/such/place");

  d->request().path = (tree.root() / "src/gone/deeper").string();
  d->OpenFileManager();
  ASSERT_EQ(desktop.programsRun.size(), 1u);
  EXPECT_EQ(desktop.programsRun[0], (std::vector<std::string>{"xdg-open", tree.path() + "src"}));

  desktop.chosenDirectories = {tree.path() + "Src/"};
  d->ChoosePath();
  EXPECT_EQ(d->request().path, tree.path() + "Src");  // case kept, trailing '/' dropped
}

TEST_F(SearchParametersTest, PopupsAndApplications) {
  auto d = Dialogue();
  d->request().spec = "*.vlw";
  desktop.menuChoices = {3, 0, 1};
  d->SpecPresets();
  EXPECT_EQ(d->request().spec, std::string_view("*.vlw;*.inc"));
  d->SpecPresets();  // nothing chosen
  EXPECT_EQ(d->request().spec, std::string_view("*.vlw;*.inc"));
  d->SpecPresets();
  EXPECT_TRUE(d->request().spec.empty());

  d->findHistory() = {"b", "a"};
  desktop.menuChoices = {7};  // Empty > Find
  d->DropMenu();
  EXPECT_TRUE(d->findHistory().empty());
  EXPECT_EQ(desktop.menus.back(), "Drop Lists|-|Sort{All|Find|Path|Specs}|Empty{All|Find|Path|Specs}");

  desktop.chosenFileLists = {{tree.path() + "apps/Inventory.APP", tree.path() + "apps/orders.app"}};
  d->PickApps();
  EXPECT_EQ(d->request().path, tree.path() + "apps");
  EXPECT_EQ(d->request().spec, std::string_view("inven*.VLW;order*.VLW"));
  EXPECT_EQ(desktop.fileRequests.back().title, "Select one or more Apps to search");
}

}  // namespace
}  // namespace trawlex::shell
