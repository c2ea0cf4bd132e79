// The buttons of the "Open Search" and "Last Searches" windows.

#include "runtime/error_codes.h"
#include "runtime/pictures.h"
#include "search_store_fixture.h"

namespace trawlex::shell::testing {
namespace {

using engine::Extra;

class ListTest : public StoreTest {
 protected:
  SavedSearch AddFavourite(const std::string& name) {
    SavedSearch record = Saved(name);
    record.sw[Extra::Favourite] = 1;
    return AddSaved(record);
  }
  // Loads the favourites so that a test can see them being invalidated.
  void LoadFavouriteSet() {
    ASSERT_TRUE(LoadFavourites(saved, ProcessFavourites()));
    ASSERT_GT(ProcessFavourites().favCount, 0);
  }

  OpenSearchList list{saved, desktop, windows};
  LastSearchList last{recent, desktop, 99, runtime::DayNumber(2024, 12, 10)};
};

TEST_F(ListTest, OpenSearchRowsShowTheFavouriteMarkAndTheParms) {
  SavedSearch fav = Saved("b");
  fav.sw[Extra::Favourite] = 1;
  fav.sw.caseSensitive = 1;
  AddSaved(fav);
  AddSaved(Saved("a"));
  const auto rows = list.Rows(SavedKey::ByName);
  ASSERT_EQ(rows->size(), 2u);
  EXPECT_EQ((*rows)[0].record.name.str(), "a");
  EXPECT_EQ((*rows)[0].fav, " ");
  EXPECT_EQ((*rows)[0].parms, "");
  EXPECT_EQ((*rows)[1].fav, "*");
  EXPECT_EQ((*rows)[1].parms, "Case");
  EXPECT_EQ(list.title(), "Open Search");
}

TEST_F(ListTest, DeleteAsksFirstAndCancelIsTheDefault) {
  const SavedSearch lib = AddSaved(Saved("Lib  "));
  EXPECT_FALSE(list.Delete(lib));  // no answer scripted: the default button
  ASSERT_EQ(desktop.messages.size(), 1u);
  const runtime::Message& m = desktop.messages[0];
  EXPECT_EQ(m.text,
            "You've selected to Delete the highlighted record.|Press OK to confirm the deletion "
            "of this record.|||Name: Lib");
  EXPECT_EQ(m.caption, "Confirm Delete");
  EXPECT_EQ(m.standard, runtime::Buttons::OkCancel);
  EXPECT_EQ(m.defaultButton, runtime::kAnswerCancel);
  EXPECT_EQ(saved.Count(), 1);
  desktop.answers = {runtime::kAnswerOk};
  EXPECT_TRUE(list.Delete(lib));
  EXPECT_EQ(saved.Count(), 0);
}

TEST_F(ListTest, DeletingAFavouriteInvalidatesTheFavourites) {
  const SavedSearch plain = AddSaved(Saved("plain"));
  const SavedSearch fav = AddFavourite("fav");
  LoadFavouriteSet();
  desktop.answers = {runtime::kAnswerOk, runtime::kAnswerOk};
  ASSERT_TRUE(list.Delete(plain));
  EXPECT_EQ(ProcessFavourites().favCount, 1);
  ASSERT_TRUE(list.Delete(fav));
  EXPECT_EQ(ProcessFavourites().favCount, 0);
}

TEST_F(ListTest, FailuresOfTheListButtonsShowTheirMessages) {
  const SavedSearch lib = AddFavourite("Lib");
  FailWrites(savedPath(), "searches", "DELETE");
  FailWrites(savedPath(), "searches", "UPDATE");
  desktop.answers = {runtime::kAnswerOk};
  EXPECT_FALSE(list.Delete(lib));
  windows.typedNames = {"New name"};
  EXPECT_FALSE(list.Rename(lib));
  EXPECT_FALSE(list.ToggleFavourite(lib));
  std::vector<std::string> texts;
  for (const runtime::Message& m : desktop.messages) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "You've selected to Delete the highlighted record.|Press OK to confirm "
                       "the deletion of this record.|||Name: Lib",
                       "!@# err on delete File System Error",
                       "!@# error on rename File System Error",
                       "!@# error on put File System Error",
                   }));
  EXPECT_EQ(desktop.messages[1].icon, runtime::Icon::Warning);
  EXPECT_EQ(*saved.Get(lib.position), lib);  // nothing changed
}

TEST_F(ListTest, RenameUsesTheNamingDialogueAndKeepsEverythingElse) {
  const SavedSearch lib = AddSaved(Saved("Lib", "text", "/lib"));
  AddSaved(Saved("Other"));
  windows.typedNames = {"Lib", "other", "Library"};
  windows.tickFavourite = 1;
  const auto renamed = list.Rename(lib);
  ASSERT_TRUE(renamed);
  EXPECT_EQ(windows.saveTitles, std::vector<std::string>{"Rename Search"});
  EXPECT_EQ(windows.saveOkTexts, std::vector<std::string>{"&Rename"});
  EXPECT_EQ(windows.saveInitialNames, std::vector<std::string>{"Lib"});
  EXPECT_EQ(desktop.messages.size(), 2u);  // itself, then a name in use
  EXPECT_EQ(renamed->name.str(), "Library");
  const SavedSearch stored = *saved.Get(lib.position);
  EXPECT_EQ(stored.name.str(), "Library");
  EXPECT_EQ(stored.sw[Extra::Favourite], 1);
  EXPECT_EQ(stored.text.str(), "text");
}

TEST_F(ListTest, RenameDoesNotPutBackWhatWasSavedSinceTheListWasRead) {
  const SavedSearch listed = AddSaved(Saved("Lib", "as listed"));
  SavedSearch savedSince = listed;
  savedSince.text = "saved since";
  ASSERT_TRUE(saved.Put(savedSince));
  windows.typedNames = {"Renamed"};
  ASSERT_TRUE(list.Rename(listed));
  EXPECT_EQ(saved.Get(listed.position)->text.str(), "saved since");
}

TEST_F(ListTest, UnflaggingAFavouriteByRenameInvalidatesTheFavourites) {
  const SavedSearch lib = AddFavourite("Lib");
  LoadFavouriteSet();
  windows.typedNames = {"Lib 2"};
  windows.tickFavourite = 0;
  ASSERT_TRUE(list.Rename(lib));
  EXPECT_EQ(ProcessFavourites().favCount, 0);
}

TEST_F(ListTest, FavToggles) {
  const SavedSearch lib = AddSaved(Saved("Lib"));
  AddFavourite("Other");
  LoadFavouriteSet();
  const auto on = list.ToggleFavourite(lib);
  ASSERT_TRUE(on);
  EXPECT_EQ(on->sw[Extra::Favourite], 1);
  EXPECT_EQ(ProcessFavourites().favCount, 0);
  EXPECT_EQ((*list.Rows(SavedKey::ByName))[0].fav, "*");
  const auto off = list.ToggleFavourite(*on);
  EXPECT_EQ(off->sw[Extra::Favourite], 0);
  EXPECT_EQ(saved.Get(lib.position)->sw[Extra::Favourite], 0);
}

TEST_F(ListTest, CopySpecsPutsTheTextFormOnTheClipboard) {
  const SavedSearch lib = AddSaved(Saved("Lib", "kmn", "/lib", "*.vlw"));
  list.CopySpecs(lib);
  EXPECT_EQ(desktop.clipboard,
            "[Trawlex Specs]\r\nName=Lib\r\nText=kmn\r\nPath=/lib \r\nSpecs=*.vlw\r\nOptions=");
  last.CopySpecs(Recent(1, 1, "kmn", "/lib"));
  EXPECT_EQ(desktop.clipboard,
            "[Trawlex Specs]\r\nText=kmn\r\nPath=/lib \r\nSpecs=*.vlw\r\nOptions=");
}

TEST_F(ListTest, LastSearchesTitleRowsAndDelete) {
  const std::int32_t today = runtime::DayNumber(2024, 12, 10);
  AddRecent(Recent(today - 1, runtime::TimeOf(17, 18, 0, 0) + 1, "yesterday"));
  const RecentSearch now = AddRecent(Recent(today, runtime::TimeOf(9, 5, 0, 0) + 1, "today"));
  EXPECT_EQ(last.title(), "Last 99 Searches");
  EXPECT_EQ(LastSearchList(recent, desktop, 0, today).title(), "Last 0 Searches");
  const auto rows = last.Rows(RecentKey::ByDate);
  ASSERT_EQ(rows->size(), 2u);
  EXPECT_EQ((*rows)[0].byTime, "9:05a");
  EXPECT_EQ((*rows)[1].byTime, "5:18p Mon");
  desktop.answers = {runtime::kAnswerOk};
  ASSERT_TRUE(last.Delete(now));
  EXPECT_EQ(desktop.messages[0].text.substr(desktop.messages[0].text.rfind('|')), "|Name: today");
  EXPECT_EQ(recent.Count(), 1);
}

}  // namespace
}  // namespace trawlex::shell::testing
