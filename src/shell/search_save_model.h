#pragma once
// The logic of the naming dialogue "Search Save": the name of a search saved as new
// (mode 1) or renamed (mode 2), and its favourite flag. The window shows title(), okText(),
// the entry bound to `name` and the check box bound to `favourite`; its OK button calls
// Ok(), which either refuses the name (the window puts the focus back on the entry) or
// completes.

#include <cstdint>
#include <string>

#include "runtime/desktop.h"
#include "runtime/fixed_text.h"

namespace trawlex::shell {

class SavedSearchStore;

enum class SearchSaveMode { SaveAsNew = 1, Rename = 2 };

class SearchSaveModel {
 public:
  // `nameOnEntry` is the stored name that may not be given again (the search being renamed,
  // or the saved search the dialogue has loaded); blank when there is none.
  SearchSaveModel(SearchSaveMode mode, std::string_view name, std::string_view nameOnEntry,
                  std::uint8_t favourite, SavedSearchStore& store, runtime::Desktop& desktop);

  SearchSaveMode mode() const { return mode_; }
  std::string title() const;   // "Save As New Search" or "Rename Search"
  std::string okText() const;  // "&Save" or "&Rename"
  const runtime::FixedText<30>& nameOnEntry() const { return nameOnEntry_; }

  runtime::FixedText<30> name;  // "Search Name:"
  std::uint8_t favourite;       // "Favorite"

  // True: the name is accepted and the dialogue closes as completed. False: the user has
  // been told why (beep and message) and the dialogue stays open on the name.
  bool Ok();

 private:
  bool Refuse(const std::string& text);

  SearchSaveMode mode_;
  runtime::FixedText<30> nameOnEntry_;
  SavedSearchStore& store_;
  runtime::Desktop& desktop_;
};

}  // namespace trawlex::shell
