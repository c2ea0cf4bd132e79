#pragma once
// The favourite searches of the process: the saved searches flagged as favourites, in name
// order, as the "&Favs" popup offers them. Loaded lazily and rebuilt after any change: every
// save, rename, delete or favourite toggle sets the count to 0.

#include <array>
#include <cstdint>
#include <string>

#include "shell/saved_search.h"

namespace trawlex::shell {

class SavedSearchStore;

inline constexpr int kMaxFavourites = 40;
inline constexpr std::size_t kMaxFavMenuLen = 1000;

struct Favourites {
  std::array<RecordPosition, kMaxFavourites> favPos{};  // FavPos[i] at index i - 1
  std::int32_t favCount = 0;                            // 0: not loaded, reloaded on the next use
  std::string favMenu;                                  // "name|name|...|", at most 1000 characters
  std::size_t favMenuLen() const { return favMenu.size(); }
};

// The one set of the process. The dialogues run on one thread, so it needs no lock.
Favourites& ProcessFavourites();
// Forces a reload on the next use.
void InvalidateFavourites();

// Rebuilds `favourites` from the store: at most 40 names and 1000 characters of menu text,
// stopping at the first that would not fit. False when the store cannot be read (the set is
// then left empty).
bool LoadFavourites(SavedSearchStore& store, Favourites& favourites);

// A name as a popup item: '|', '{' and '}' are menu syntax and become blanks; so does a
// leading '~' (a disabled item), and a name that is just "-" (a separator) gets a leading
// blank, so that every favourite stays a selectable item and the items keep their numbers.
std::string FavouriteMenuItem(std::string_view name);

}  // namespace trawlex::shell
