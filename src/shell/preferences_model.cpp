#include "shell/preferences_model.h"

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::shell {

std::string FormatExtensionField(std::string_view list) {
  std::string text = runtime::Fit(runtime::LowerText(list), kExtensionListWidth);
  for (std::size_t at = 0; at < text.size(); at += 3) {
    text[at] = static_cast<char>(runtime::ToUpper(static_cast<unsigned char>(text[at])));
  }
  if (text.size() < kExtensionListWidth) text += ' ';
  return text;
}

PreferencesModel::PreferencesModel(Preferences& preferences, SettingsFiles files)
    : preferences_(preferences), files_(std::move(files)) {}

void PreferencesModel::LeaveExtVeldar() {
  preferences_.extVeldar = FormatExtensionField(preferences_.extVeldar);
}

void PreferencesModel::LeaveExtTemplates() {
  preferences_.extTemplates = FormatExtensionField(preferences_.extTemplates);
}

bool PreferencesModel::ChooseEditor(runtime::Desktop& desktop) {
  runtime::FileDialogRequest request;
  request.title = std::string(kEditorDialogTitle);
  request.filter = std::string(kEditorDialogFilter);
  const std::optional<std::string> program = desktop.ChooseFile(request);
  if (!program || runtime::Len(*program) == 0) return false;
  const std::string command = EditorCommandFor(runtime::Clip(*program));
  if (command.size() > kEditorNameWidth) return false;
  preferences_.editorName = command;
  return true;
}

bool PreferencesModel::Ok() {
  preferences_.extVeldar = NormalExtensionList(runtime::Clip(preferences_.extVeldar));
  preferences_.extTemplates = NormalExtensionList(runtime::Clip(preferences_.extTemplates));
  const bool written = SaveOptions(preferences_, files_);
  preferences_.fileDialogFlags = FileDialogFlagsFor(preferences_.use16BitFileOpen);
  return written;
}

void PreferencesModel::Cancel(runtime::Desktop& desktop) {
  const auto helpFilePath = preferences_.helpFilePath;
  preferences_ = LoadOptions(files_, desktop);
  preferences_.helpFilePath = helpFilePath;
}

}  // namespace trawlex::shell
