#include "shell/favourites.h"

#include "shell/search_store.h"

namespace trawlex::shell {

Favourites& ProcessFavourites() {
  static Favourites favourites;
  return favourites;
}

void InvalidateFavourites() {
  ProcessFavourites().favCount = 0;
}

std::string FavouriteMenuItem(std::string_view name) {
  std::string item(name);
  for (char& c : item) {
    if (c == '|' || c == '{' || c == '}') c = ' ';
  }
  if (!item.empty() && item.front() == '~') item.front() = ' ';
  item = runtime::Clip(item);
  if (item == "-") item = " -";
  return item;
}

bool LoadFavourites(SavedSearchStore& store, Favourites& favourites) {
  favourites = Favourites{};
  const auto records = store.List(SavedKey::ByName);
  if (!records) return false;
  for (const SavedSearch& record : *records) {
    if (record.sw[engine::Extra::Favourite] == 0) continue;
    const std::string item = FavouriteMenuItem(record.name.view());
    const std::size_t n = item.size() + 1;
    if (favourites.favMenuLen() + n > kMaxFavMenuLen) break;
    favourites.favMenu += item + "|";
    favourites.favPos[favourites.favCount] = record.position;
    ++favourites.favCount;
    if (favourites.favCount == kMaxFavourites) break;
  }
  return true;
}

}  // namespace trawlex::shell
