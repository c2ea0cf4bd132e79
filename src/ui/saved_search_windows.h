#pragma once
// The saved-search windows of the desktop program: the lists "Open Search" and "Last
// Searches" and the naming dialogue "Search Save", each a modal dialogue drawn over its
// shell model (OpenSearchList, LastSearchList, SearchSaveModel). The windows only show rows
// and pass the user's choices on; deleting, renaming, favourites, the locator and the
// clipboard text are the models' business.
//
// The lists keep their place and column widths in Trawlex.INI (sections "OpenSearch" and
// "OpenLastSearch"); widths are stored in pixels.

#include <QPointer>
#include <filesystem>
#include <functional>
#include <optional>

#include "shell/search_list_windows.h"
#include "shell/settings_files.h"

class QWidget;

namespace trawlex::ui {

class QtSearchListWindows final : public shell::SearchListWindows {
 public:
  // `parent` is the window the dialogues sit over when no other window is active (the
  // frame); `startSearchParameters` opens another search-parameters dialogue even while one
  // is open, which takes the pending open request as it opens.
  QtSearchListWindows(QWidget* parent, const shell::SettingsFiles& files,
                      std::function<void()> startSearchParameters);

  // "Open Search": tabs "By Name" and "By Path", "&Open" (Ctrl or Shift: in a new
  // window), "Copy search Specs to clipboard", "&Delete", "&Rename", "&Fav" and "Close".
  std::optional<shell::SavedChoice> OpenSearch(shell::OpenSearchList& list) override;
  // "Last N Searches": tabs "By Time", "By Text" and "By Path"; "&Open", "Copy search Specs
  // to clipboard", "&Delete" and "Close".
  std::optional<shell::RecentChoice> OpenLastSearch(shell::LastSearchList& list) override;
  // "Search Save": "Search Name:" and "Favorite"; OK asks the model, which refuses a blank
  // or taken name (the focus goes back to the name) or completes.
  bool SearchSave(shell::SearchSaveModel& model) override;

  bool NewWindowModifierHeld() override;
  void StartSearchParameters() override;

 private:
  // The active dialogue or window, so that a dialogue opened from the search dialogue (or
  // "Search Save" opened from a list) sits over it; else the frame.
  QWidget* DialogParent() const;

  QPointer<QWidget> parent_;
  std::filesystem::path trawlexIni_;
  std::function<void()> startSearchParameters_;
};

}  // namespace trawlex::ui
