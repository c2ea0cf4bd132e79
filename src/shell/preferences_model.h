#pragma once
// The logic of the preferences window ("Preferences", position kept in section "INIOptions"):
// its controls edit the process's preferences directly; OK stores them, Cancel reloads what
// the settings file holds.

#include <string>
#include <string_view>

#include "runtime/desktop.h"
#include "shell/preferences.h"
#include "shell/settings_files.h"

namespace trawlex::shell {

// How an extension field shows its list on leaving it: lower case, clipped, one trailing
// blank, the first letter of every three-letter group upper-cased so the groups stand out
// ("VlwIncIntVlaVli "). At most the field's 24 characters.
std::string FormatExtensionField(std::string_view list);

inline constexpr std::string_view kEditorDialogTitle = "Select your Editor program";
inline constexpr std::string_view kEditorDialogFilter = "Programs|*.EXE;*.COM|All Files|*.*";

class PreferencesModel {
 public:
  // Edits `preferences` in place: the window's controls are bound to them.
  PreferencesModel(Preferences& preferences, SettingsFiles files);

  Preferences& values() { return preferences_; }
  const Preferences& values() const { return preferences_; }

  // Leaving the "Veldar Source:" or "Templates:" field.
  void LeaveExtVeldar();
  void LeaveExtTemplates();

  // The button beside "Editor Path && Name:": a chosen program becomes the editor command
  // (see EditorCommandFor). False when nothing was chosen, or when the command would not fit
  // the editor field (a command cut short would not start anything); the command then stays.
  bool ChooseEditor(runtime::Desktop& desktop);

  // OK: extension lists back to their stored form, the nine keys written, the dialogue
  // flags derived again. False when a key could not be written.
  bool Ok();

  // Cancel: the preferences as the settings file holds them (LoadOptions again, which may
  // ask about the editor); the help file path found at start-up stays.
  void Cancel(runtime::Desktop& desktop);

 private:
  Preferences& preferences_;
  SettingsFiles files_;
};

}  // namespace trawlex::shell
