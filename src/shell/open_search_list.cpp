#include "shell/open_search_list.h"

#include "shell/favourites.h"
#include "shell/search_list_windows.h"
#include "shell/search_save_model.h"
#include "shell/search_text_form.h"
#include "shell/store_messages.h"

namespace trawlex::shell {
namespace {

bool IsFavourite(const SavedSearch& record) {
  return record.sw[engine::Extra::Favourite] != 0;
}

}  // namespace

OpenSearchList::OpenSearchList(SavedSearchStore& store, runtime::Desktop& desktop,
                               SearchListWindows& windows)
    : store_(store), desktop_(desktop), windows_(windows) {}

std::optional<std::vector<OpenSearchRow>> OpenSearchList::Rows(SavedKey order) {
  const auto records = store_.List(order);
  if (!records) return std::nullopt;
  std::vector<OpenSearchRow> rows;
  rows.reserve(records->size());
  for (const SavedSearch& record : *records) {
    rows.push_back({record, IsFavourite(record) ? "*" : " ", ParmsColumn(record.sw)});
  }
  return rows;
}

std::optional<RecordPosition> OpenSearchList::Locate(SavedKey order, std::string_view typed) {
  return store_.Locate(order, typed);
}

bool OpenSearchList::Delete(const SavedSearch& record) {
  if (!ConfirmDelete(desktop_, record.name.view())) return false;
  if (IsFavourite(record)) InvalidateFavourites();
  if (!store_.Delete(record.position)) {
    ShowErrorWithText(desktop_, "!@# err on delete ");
    return false;
  }
  return true;
}

std::optional<SavedSearch> OpenSearchList::Rename(const SavedSearch& record) {
  SearchSaveModel model(SearchSaveMode::Rename, record.name.view(), record.name.view(),
                        record.sw[engine::Extra::Favourite], store_, desktop_);
  if (!windows_.SearchSave(model)) return std::nullopt;
  // Only the name and the favourite flag change: the rest is taken from the store as it is
  // now, so a search saved since the list was read is not put back to its old state.
  auto renamed = store_.Get(record.position);
  if (renamed) {
    const bool wasFavourite = IsFavourite(*renamed);
    renamed->name = model.name;
    renamed->sw[engine::Extra::Favourite] = model.favourite;
    if (wasFavourite || IsFavourite(*renamed)) InvalidateFavourites();
    if (store_.Put(*renamed)) return renamed;
  }
  ShowErrorWithText(desktop_, "!@# error on rename ");
  return std::nullopt;
}

std::optional<SavedSearch> OpenSearchList::ToggleFavourite(const SavedSearch& record) {
  InvalidateFavourites();
  auto toggled = store_.Get(record.position);
  if (toggled) {
    auto& flag = toggled->sw[engine::Extra::Favourite];
    flag = flag == 0 ? 1 : 0;
    if (store_.Put(*toggled)) return toggled;
  }
  ShowErrorWithText(desktop_, "!@# error on put ");
  return std::nullopt;
}

void OpenSearchList::CopySpecs(const SavedSearch& record) {
  desktop_.SetClipboardText(SpecsText(record));
}

}  // namespace trawlex::shell
