// One search-parameters dialogue working with the stores: loading, saving, favourites, the
// recent searches, and what a failing store shows the user.

#include "shell/saved_search_session.h"

#include "runtime/error_codes.h"
#include "search_store_fixture.h"

namespace trawlex::shell::testing {
namespace {

using engine::Extra;

class SessionTest : public StoreTest {
 protected:
  SavedSearchSession MakeSession(SessionMode mode = SessionMode::Normal) {
    return SavedSearchSession(saved, recent, desktop, windows, mode, [this] { return now; });
  }
  // The list window answers with `record`, as a double click (or Ctrl+Open) would.
  void ChooseInList(const SavedSearch& record, bool newWindow = false) {
    windows.onOpenSearch = [record, newWindow](OpenSearchList&) {
      return std::optional<SavedChoice>(SavedChoice{record, newWindow});
    };
  }
  engine::SearchSpec Typed(const std::string& text = "typed") {
    engine::SearchSpec request;
    request.text = text;
    request.path = "/work";
    request.spec = "*.vlw";
    request.sw.oop = 1;
    request.sw.subLevels = 1;
    return request;
  }

  StoreDateTime now{80000, 360001};
  engine::SearchSpec request = Typed();
  SavedSearchSession session = MakeSession();
};

TEST_F(SessionTest, TitleAndSaveFollowTheCurrentSearch) {
  EXPECT_EQ(session.Title(), "Search Parameters");
  EXPECT_FALSE(session.SaveEnabled());
  ChooseInList(AddSaved(Saved("Lib", "", "/lib")));
  ASSERT_TRUE(session.Open(request));
  EXPECT_EQ(session.Title(), "Search Parms (Lib)");
  EXPECT_TRUE(session.SaveEnabled());
  session.New();
  EXPECT_EQ(session.Title(), "Search Parameters");
  EXPECT_FALSE(session.SaveEnabled());
}

TEST_F(SessionTest, OpenLoadsTheChosenSearchAndABlankTextKeepsTheFindField) {
  ChooseInList(AddSaved(Saved("Lib", "", "/lib", "*.inc")));
  ASSERT_TRUE(session.Open(request));
  EXPECT_EQ(request.text.str(), "typed");
  EXPECT_EQ(request.path.str(), "/lib");
  EXPECT_EQ(request.spec.str(), "*.inc");
}

TEST_F(SessionTest, OpenCancelledChangesNothing) {
  const engine::SearchSpec before = request;
  EXPECT_FALSE(session.Open(request));
  EXPECT_EQ(windows.openSearchCalls, 1);
  EXPECT_EQ(request, before);
  EXPECT_FALSE(session.hasCurrent());
}

TEST_F(SessionTest, CtrlOpenAsksForANewWindowAndLeavesThisOne) {
  const SavedSearch lib = AddSaved(Saved("Lib", "other", "/lib"));
  const engine::SearchSpec before = request;
  ChooseInList(lib, true);
  EXPECT_FALSE(session.Open(request));
  EXPECT_EQ(windows.started, 1);
  EXPECT_EQ(request, before);
  EXPECT_FALSE(session.hasCurrent());
  const OpenRequest pending = TakeOpenRequest();
  EXPECT_EQ(pending.openOnStart, OpenOnStart::SavedSearch);
  EXPECT_EQ(pending.openPosition, lib.position);
  EXPECT_EQ(TakeOpenRequest().openOnStart, OpenOnStart::None);  // read once
}

TEST_F(SessionTest, TheNewWindowLoadsWhatItWasAskedFor) {
  const SavedSearch lib = AddSaved(Saved("Lib", "find", "/lib"));
  RecentSearch last = AddRecent(Recent(7, 7, "recent text", "/r"));
  struct Case {
    OpenOnStart kind;
    RecordPosition position;
    bool loaded;
    std::string text;
    bool current;
  };
  const Case cases[] = {
      {OpenOnStart::SavedSearch, lib.position, true, "find", true},
      {OpenOnStart::RecentSearch, last.position, true, "recent text", false},
      {OpenOnStart::SavedSearch, 999, false, "typed", false},
      {OpenOnStart::None, 0, false, "typed", false},
  };
  for (const Case& c : cases) {
    SavedSearchSession fresh = MakeSession();
    engine::SearchSpec startRequest = Typed();
    RequestOpenOnStart(c.kind, c.position);
    EXPECT_EQ(fresh.LoadAtStart(startRequest), c.loaded);
    EXPECT_EQ(startRequest.text.str(), c.text);
    EXPECT_EQ(fresh.hasCurrent(), c.current);
    EXPECT_EQ(TakeOpenRequest().openOnStart, OpenOnStart::None);
  }
}

// The list may rename or delete the search this dialogue has loaded; "Sa&ve" must then
// neither undo the rename nor write over a record that is gone.
TEST_F(SessionTest, RenameOrDeleteInTheListIsSeenWhenItCloses) {
  const SavedSearch lib = AddSaved(Saved("Lib", "x", "/lib"));
  ChooseInList(lib);
  ASSERT_TRUE(session.Open(request));
  windows.typedNames = {"Library"};
  windows.onOpenSearch = [&lib](OpenSearchList& list) {
    EXPECT_TRUE(list.Rename(lib));
    return std::optional<SavedChoice>();
  };
  EXPECT_FALSE(session.Open(request));
  EXPECT_EQ(session.Title(), "Search Parms (Library)");
  ASSERT_TRUE(session.Save(request));
  EXPECT_EQ(saved.Get(lib.position)->name.str(), "Library");

  desktop.answers = {runtime::kAnswerOk};
  windows.onOpenSearch = [&lib](OpenSearchList& list) {
    EXPECT_TRUE(list.Delete(lib));
    return std::optional<SavedChoice>();
  };
  EXPECT_FALSE(session.Open(request));
  EXPECT_FALSE(session.SaveEnabled());
  EXPECT_FALSE(session.Save(request));
  EXPECT_EQ(saved.Count(), 0);
}

TEST_F(SessionTest, OpenLastLoadsARecentSearchAndMakesNoSavedSearchCurrent) {
  ChooseInList(AddSaved(Saved("Lib")));
  ASSERT_TRUE(session.Open(request));
  RecentSearch last = AddRecent(Recent(7, 7, "", "/recent"));
  windows.onOpenLastSearch = [&last](LastSearchList&) {
    return std::optional<RecentChoice>(RecentChoice{last, false});
  };
  ASSERT_TRUE(session.OpenLast(request, 99));
  EXPECT_EQ(windows.lastTitles, std::vector<std::string>{"Last 99 Searches"});
  EXPECT_EQ(request.text.str(), "");  // a recent search's text is always taken
  EXPECT_EQ(request.path.str(), "/recent");
  EXPECT_FALSE(session.SaveEnabled());
  EXPECT_EQ(session.Title(), "Search Parameters");
  // Running what was just loaded adds nothing.
  EXPECT_FALSE(session.RecordRecentSearch(request, 99));
  EXPECT_EQ(recent.Count(), 1);
}

TEST_F(SessionTest, CtrlOpenLastAsksForANewWindow) {
  RecentSearch last = AddRecent(Recent(7, 7));
  windows.onOpenLastSearch = [&last](LastSearchList&) {
    return std::optional<RecentChoice>(RecentChoice{last, true});
  };
  EXPECT_FALSE(session.OpenLast(request, 20));
  EXPECT_EQ(request.text.str(), "typed");
  EXPECT_EQ(windows.started, 1);
  const OpenRequest pending = TakeOpenRequest();
  EXPECT_EQ(pending.openOnStart, OpenOnStart::RecentSearch);
  EXPECT_EQ(pending.openPosition, last.position);
}

TEST_F(SessionTest, SaveRewritesTheCurrentSearchKeepingWhatTheRequestDoesNotHold) {
  SavedSearch lib = Saved("Lib", "old", "/lib");
  lib.sw.modal = 1;
  lib.sw.literalsSkip = 1;
  ChooseInList(AddSaved(lib));
  ASSERT_TRUE(session.Open(request));
  request.text = "new text";
  request.sw.modal = 0;
  request.sw[Extra::LineMode] = 1;
  request.path = std::string(130, 'p');
  ASSERT_TRUE(session.Save(request));
  const SavedSearch stored = *saved.FindByName("lib");
  EXPECT_EQ(stored.text.str(), "new text");
  EXPECT_EQ(stored.path.str(), std::string(127, 'p'));
  EXPECT_EQ(stored.sw.modal, 1);
  EXPECT_EQ(stored.sw.literalsSkip, 1);
  EXPECT_EQ(stored.sw[Extra::LineMode], 0);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SessionTest, AFailedSaveShowsThePutSearchError) {
  ChooseInList(AddSaved(Saved("Lib")));
  ASSERT_TRUE(session.Open(request));
  FailWrites(savedPath(), "searches", "UPDATE");
  EXPECT_FALSE(session.Save(request));
  ASSERT_EQ(desktop.messages.size(), 1u);
  const runtime::Message& m = desktop.messages[0];
  EXPECT_EQ(m.text, "An error occured while saveing the Search|Error: File System Error|File: " +
                        savedPath() + " |File Error: disk says no");
  EXPECT_EQ(m.caption, "PUT SEARCH ERROR");
  EXPECT_EQ(m.icon, runtime::Icon::Warning);
  EXPECT_EQ(m.standard, runtime::Buttons::Ok);
  EXPECT_EQ(saved.FindByName("Lib")->text.str(), "kmn");  // the stored search is unchanged
  EXPECT_TRUE(session.SaveEnabled());
}

TEST_F(SessionTest, SaveAsAddsUnderTheTypedNameAndTakesTheFavouriteBack) {
  AddSaved(Saved("Taken"));
  windows.typedNames = {"", "TAKEN", "Fresh"};
  windows.tickFavourite = 1;
  request.sw[Extra::LineMode] = 1;
  ASSERT_TRUE(session.SaveAs(request));
  EXPECT_EQ(windows.saveTitles, std::vector<std::string>{"Save As New Search"});
  EXPECT_EQ(windows.saveOkTexts, std::vector<std::string>{"&Save"});
  EXPECT_EQ(desktop.messages.size(), 2u);  // blank, then already used
  EXPECT_EQ(desktop.beeps, 2);
  EXPECT_EQ(request.sw[Extra::Favourite], 1);
  const SavedSearch stored = *saved.FindByName("fresh");
  EXPECT_EQ(stored.name.str(), "Fresh");
  EXPECT_EQ(stored.text.str(), "typed");
  EXPECT_EQ(stored.sw[Extra::Favourite], 1);
  EXPECT_EQ(stored.sw[Extra::LineMode], 0);
  EXPECT_EQ(session.Title(), "Search Parms (Fresh)");
  EXPECT_EQ(session.current().position, stored.position);
}

TEST_F(SessionTest, SaveAsOffersTheLoadedNameButRefusesIt) {
  SavedSearch lib = Saved("Lib");
  lib.sw.modal = 1;
  lib.sw[Extra::Favourite] = 1;
  ChooseInList(AddSaved(lib));
  ASSERT_TRUE(session.Open(request));
  windows.typedNames = {"Lib", "Lib copy"};
  ASSERT_TRUE(session.SaveAs(request));
  EXPECT_EQ(windows.saveInitialNames, std::vector<std::string>{"Lib"});
  EXPECT_EQ(windows.saveInitialFavourites, std::vector<std::uint8_t>{1});
  EXPECT_EQ(desktop.messages.at(0).text,
            "That Search Name is already used.|Please use a different name.");
  EXPECT_EQ(saved.FindByName("Lib copy")->sw.modal, 1);  // kept from the loaded search
  EXPECT_EQ(saved.Count(), 2);
}

TEST_F(SessionTest, SaveAsCancelledChangesNothing) {
  ChooseInList(AddSaved(Saved("Lib")));
  ASSERT_TRUE(session.Open(request));
  windows.typedNames = {};  // the user types nothing acceptable and cancels
  windows.tickFavourite = 1;
  EXPECT_FALSE(session.SaveAs(request));
  EXPECT_EQ(request.sw[Extra::Favourite], 0);
  EXPECT_EQ(session.Title(), "Search Parms (Lib)");
  ASSERT_TRUE(session.Save(request));
  EXPECT_EQ(saved.Count(), 1);
  EXPECT_TRUE(saved.FindByName("Lib"));
}

TEST_F(SessionTest, AFailedSaveAsShowsTheAddSearchErrorAndMakesNoSearchCurrent) {
  ChooseInList(AddSaved(Saved("Lib")));
  ASSERT_TRUE(session.Open(request));
  FailWrites(savedPath(), "searches", "INSERT");
  windows.typedNames = {"Second"};
  EXPECT_FALSE(session.SaveAs(request));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            "An error occured while adding a Search record|Error: File System Error|File: " +
                savedPath() + " |File Error: disk says no");
  EXPECT_EQ(desktop.messages[0].caption, "ADD SEARCH ERROR");
  EXPECT_FALSE(session.SaveEnabled());
  EXPECT_EQ(session.Title(), "Search Parameters");
  EXPECT_EQ(saved.Count(), 1);
  // Once the store works again the same name can be given: it was never stored.
  OtherConnection(savedPath()).Exec("DROP TRIGGER fail_INSERT");
  windows.typedNames = {"Second"};
  ASSERT_TRUE(session.SaveAs(request));
  EXPECT_EQ(windows.saveInitialNames.back(), "Second");
  EXPECT_EQ(saved.Count(), 2);
}

TEST_F(SessionTest, FavouritesPopupFlows) {
  const SavedSearch alpha = AddSaved([] {
    SavedSearch r = Saved("Alpha", "alpha text", "/a");
    r.sw[Extra::Favourite] = 1;
    return r;
  }());
  AddSaved([] {
    SavedSearch r = Saved("be|ta", "beta text", "/b");
    r.sw[Extra::Favourite] = 1;
    return r;
  }());
  AddSaved(Saved("not offered"));

  desktop.menuChoices = {0};  // nothing chosen
  EXPECT_FALSE(session.Favourites(request));
  EXPECT_EQ(desktop.menus.at(0), "Alpha|be ta|-|Open List");
  EXPECT_EQ(request.text.str(), "typed");

  desktop.menuChoices = {2};
  ASSERT_TRUE(session.Favourites(request));
  EXPECT_EQ(request.text.str(), "beta text");
  EXPECT_EQ(session.Title(), "Search Parms (be|ta)");

  desktop.menuChoices = {3};  // "Open List"
  EXPECT_FALSE(session.Favourites(request));
  EXPECT_EQ(windows.openSearchCalls, 1);

  windows.modifierHeld = true;
  desktop.menuChoices = {1};
  EXPECT_FALSE(session.Favourites(request));
  EXPECT_EQ(request.text.str(), "beta text");  // this dialogue stays as it was
  EXPECT_EQ(windows.started, 1);
  const OpenRequest pending = TakeOpenRequest();
  EXPECT_EQ(pending.openOnStart, OpenOnStart::SavedSearch);
  EXPECT_EQ(pending.openPosition, alpha.position);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SessionTest, NoFavouritesSaysSoAndOpensTheList) {
  AddSaved(Saved("plain"));
  EXPECT_FALSE(session.Favourites(request));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "No favorites have been defined");
  EXPECT_TRUE(desktop.menus.empty());
  EXPECT_EQ(windows.openSearchCalls, 1);
}

TEST_F(SessionTest, AFavouriteGoneSinceTheMenuWasBuiltIsReported) {
  SavedSearch alpha = Saved("Alpha");
  alpha.sw[Extra::Favourite] = 1;
  AddSaved(alpha);
  desktop.menuChoices = {0};
  session.Favourites(request);  // builds the menu
  OtherConnection(savedPath()).Exec("DELETE FROM searches");
  desktop.menuChoices = {1};
  EXPECT_FALSE(session.Favourites(request));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "FavPos[j] Reget Error: Record Not Found");
  EXPECT_EQ(desktop.messages[0].icon, runtime::Icon::Warning);
  EXPECT_EQ(request.text.str(), "typed");
}

TEST_F(SessionTest, SavingRebuildsTheFavouritesOnTheirNextUse) {
  windows.typedNames = {"Zeta"};
  windows.tickFavourite = 1;
  ASSERT_TRUE(session.SaveAs(request));
  desktop.menuChoices = {0};
  session.Favourites(request);
  EXPECT_EQ(desktop.menus.back(), "Zeta|-|Open List");
  windows.typedNames = {"Alpha"};
  ASSERT_TRUE(session.SaveAs(request));
  session.Favourites(request);
  EXPECT_EQ(desktop.menus.back(), "Alpha|Zeta|-|Open List");
}

TEST_F(SessionTest, AnUnreadableStoreIsNotMistakenForNoFavourites) {
  saved.Close();
  EXPECT_FALSE(session.Favourites(request));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Unable to read the favorites|File Not Open");
  EXPECT_EQ(windows.openSearchCalls, 0);
}

TEST_F(SessionTest, RecordingRecentSearches) {
  struct Step {
    std::string what;
    std::function<void(engine::SearchSpec&)> change;
    bool added;
  };
  const Step steps[] = {
      {"first search", [](engine::SearchSpec&) {}, true},
      {"the same again", [](engine::SearchSpec&) {}, false},
      {"only modal", [](engine::SearchSpec& r) { r.sw.modal = 1; }, false},
      {"only the favourite flag", [](engine::SearchSpec& r) { r.sw[Extra::Favourite] = 1; }, false},
      {"only line mode", [](engine::SearchSpec& r) { r.sw[Extra::LineMode] = 1; }, false},
      {"only literals", [](engine::SearchSpec& r) { r.sw.literalsOnly = 1; }, false},
      {"text case", [](engine::SearchSpec& r) { r.text = "TYPED"; }, true},
      {"word switch", [](engine::SearchSpec& r) { r.sw.word = 1; }, true},
      {"wildcards", [](engine::SearchSpec& r) { r.sw[Extra::Wild] = 1; }, true},
      {"label mode", [](engine::SearchSpec& r) { r.sw[Extra::LabelMode] = 1; }, true},
      {"levels", [](engine::SearchSpec& r) { r.sw.subLevels = 2; }, true},
      {"oop", [](engine::SearchSpec& r) { r.sw.oop = 0; }, true},
      {"long path", [](engine::SearchSpec& r) { r.path = std::string(127, 'q') + "A"; }, true},
      {"beyond 127 only", [](engine::SearchSpec& r) { r.path = std::string(127, 'q') + "B"; },
       false},
  };
  std::int64_t expected = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change(request);
    ++now.time;
    EXPECT_EQ(session.RecordRecentSearch(request, 99), step.added);
    expected += step.added ? 1 : 0;
    EXPECT_EQ(recent.Count(), expected);
  }
  const RecentSearch newest = recent.List(RecentKey::ByDate)->front();
  EXPECT_EQ(newest.text.str(), "TYPED");
  EXPECT_EQ(newest.path.str(), std::string(127, 'q'));
  EXPECT_EQ(newest.date, 80000);
  EXPECT_EQ(newest.time, 360001 + 13);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SessionTest, RecentSearchesAreNotRecordedWhenOffOrWhenEditingAResultsSearch) {
  EXPECT_FALSE(session.RecordRecentSearch(request, 0));
  EXPECT_FALSE(session.RecordRecentSearch(request, -3));
  SavedSearchSession edit = MakeSession(SessionMode::Edit);
  EXPECT_FALSE(edit.RecordRecentSearch(request, 99));
  SavedSearchSession prefilled = MakeSession(SessionMode::Prefilled);
  EXPECT_TRUE(prefilled.RecordRecentSearch(request, 99));
  EXPECT_EQ(recent.Count(), 1);
}

TEST_F(SessionTest, AFailedRecentSearchIsReportedAndRetriedNextTime) {
  FailWrites(recentPath(), "search20", "INSERT");
  EXPECT_FALSE(session.RecordRecentSearch(request, 99));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Error Add Search20|File System Error");
  EXPECT_EQ(desktop.messages[0].caption, "");
  EXPECT_EQ(desktop.messages[0].icon, runtime::Icon::Warning);
  OtherConnection(recentPath()).Exec("DROP TRIGGER fail_INSERT");
  EXPECT_TRUE(session.RecordRecentSearch(request, 99));
  EXPECT_EQ(recent.Count(), 1);
}

TEST_F(SessionTest, ClosingPrunesOnlyADialogueOpenedOnItsOwn) {
  std::vector<RecentRow> rows;
  for (int i = 0; i < 104; ++i) rows.push_back({100, i + 1, "r" + std::to_string(i)});
  InsertRecent(recentPath(), rows);
  EXPECT_TRUE(session.PruneRecentSearches(99));
  EXPECT_EQ(recent.Count(), 104);  // LastSearchCnt + 5 may stay
  InsertRecent(recentPath(), {{100, 105, "r104"}});
  SavedSearchSession prefilled = MakeSession(SessionMode::Prefilled);
  EXPECT_TRUE(prefilled.PruneRecentSearches(99));
  EXPECT_EQ(recent.Count(), 105);
  EXPECT_TRUE(session.PruneRecentSearches(99));
  EXPECT_EQ(recent.Count(), 99);
  EXPECT_EQ(recent.List(RecentKey::ByDate)->back().text.str(), "r6");  // the oldest six went
}

}  // namespace
}  // namespace trawlex::shell::testing
