// The favourites of the "&Favs" popup: which searches, in which order, within which limits.

#include "search_store_fixture.h"

namespace trawlex::shell::testing {
namespace {

std::string TwoDigits(int i) {
  return (i < 10 ? "0" : "") + std::to_string(i);
}

class FavouritesTest : public StoreTest {
 protected:
  SavedSearch AddFavourite(const std::string& name) {
    SavedSearch record = Saved(name);
    record.sw[engine::Extra::Favourite] = 1;
    return AddSaved(record);
  }
  Favourites Load() {
    Favourites favourites;
    EXPECT_TRUE(LoadFavourites(saved, favourites));
    return favourites;
  }
};

TEST_F(FavouritesTest, OnlyFavouritesInNameOrderWithoutCase) {
  const SavedSearch b = AddFavourite("beta");
  AddSaved(Saved("also here but not a favourite"));
  const SavedSearch a = AddFavourite("Alpha");
  const Favourites favourites = Load();
  EXPECT_EQ(favourites.favCount, 2);
  EXPECT_EQ(favourites.favMenu, "Alpha|beta|");
  EXPECT_EQ(favourites.favMenuLen(), 11u);
  EXPECT_EQ(favourites.favPos[0], a.position);
  EXPECT_EQ(favourites.favPos[1], b.position);
  EXPECT_EQ(favourites.favPos[2], 0);
}

TEST_F(FavouritesTest, MenuSyntaxCharactersBecomeBlanks) {
  struct Case {
    std::string name;
    std::string item;
  };
  const Case cases[] = {
      {"a|b{c}d", "a b c d"},     {"tail}", "tail"},  // the blank it leaves at the end is clipped
      {"~disabled", " disabled"}, {"-", " -"},       {"-x", "-x"}, {"a~b", "a~b"},
      {"plain", "plain"},
  };
  for (const Case& c : cases) EXPECT_EQ(FavouriteMenuItem(c.name), c.item) << c.name;
}

TEST_F(FavouritesTest, TheFortyFirstIsNotOffered) {
  for (int i = 1; i <= 41; ++i) AddFavourite("fav" + TwoDigits(i));
  const Favourites favourites = Load();
  EXPECT_EQ(favourites.favCount, 40);
  EXPECT_EQ(favourites.favMenu.find("fav41"), std::string::npos);
  EXPECT_NE(favourites.favMenu.find("fav40|"), std::string::npos);
  EXPECT_NE(favourites.favPos[39], 0);
}

// 32 names of 30 characters take 992 characters; a 7-character name then fills exactly
// 1000 and is offered; any further name would go past 1000 and ends the list.
TEST_F(FavouritesTest, TheMenuTextStopsAt1000Characters) {
  for (int i = 0; i < 32; ++i) {
    AddFavourite("a" + std::string(27, 'x') + TwoDigits(i));
  }
  AddFavourite("b123456");
  AddFavourite("c");
  const Favourites favourites = Load();
  EXPECT_EQ(favourites.favCount, 33);
  EXPECT_EQ(favourites.favMenuLen(), 1000u);
  EXPECT_EQ(favourites.favMenu.substr(992), "b123456|");
}

TEST_F(FavouritesTest, AnUnreadableStoreLeavesNoFavourites) {
  AddFavourite("a");
  Favourites favourites = Load();
  ASSERT_EQ(favourites.favCount, 1);
  saved.Close();
  EXPECT_FALSE(LoadFavourites(saved, favourites));
  EXPECT_EQ(favourites.favCount, 0);
  EXPECT_EQ(favourites.favMenu, "");
}

}  // namespace
}  // namespace trawlex::shell::testing
