#include "shell/search_save_model.h"

#include "runtime/case_table.h"
#include "shell/search_store.h"

namespace trawlex::shell {

SearchSaveModel::SearchSaveModel(SearchSaveMode mode, std::string_view name,
                                 std::string_view nameOnEntry, std::uint8_t favourite,
                                 SavedSearchStore& store, runtime::Desktop& desktop)
    : name(name),
      favourite(favourite),
      mode_(mode),
      nameOnEntry_(nameOnEntry),
      store_(store),
      desktop_(desktop) {}

std::string SearchSaveModel::title() const {
  return mode_ == SearchSaveMode::Rename ? "Rename Search" : "Save As New Search";
}

std::string SearchSaveModel::okText() const {
  return mode_ == SearchSaveMode::Rename ? "&Rename" : "&Save";
}

bool SearchSaveModel::Ok() {
  if (name.empty()) return Refuse("You cannot leave the Search Name blank.");
  // Names are keys without case: "Foo" is taken when "FOO" is stored. The name held on
  // entry is taken by definition (saving under it again, or renaming to it, changes nothing).
  const bool sameAsOnEntry =
      !nameOnEntry_.empty() && runtime::EqualNoCase(name.view(), nameOnEntry_.view());
  if (sameAsOnEntry || store_.FindByName(name.view())) {
    return Refuse("That Search Name is already used.|Please use a different name.");
  }
  return true;
}

bool SearchSaveModel::Refuse(const std::string& text) {
  desktop_.Beep();
  runtime::Message message;
  message.text = text;
  message.caption = title();
  message.icon = runtime::Icon::Warning;
  message.standard = runtime::Buttons::Ok;
  desktop_.ShowMessage(message);
  return false;
}

}  // namespace trawlex::shell
