#include "shell/preferences.h"

#include <algorithm>

#include "runtime/case_table.h"
#include "runtime/profile.h"

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;
using runtime::ReadProfileInt;
using runtime::ReadProfileString;

// Versions before the include-type extension ("int") was added stored this list; it is
// read as the current default.
constexpr std::string_view kOldDefaultExtVeldar = "vlwincvlavli";

constexpr std::string_view kUltraEditProgram = "UEDIT32.EXE";
constexpr std::string_view kEditorCaption = "Editor Name";

std::uint8_t ToByte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

std::uint8_t ReadByte(const fs::path& file, std::string_view key, int defaultValue) {
  return ToByte(ReadProfileInt(file, kOptionsSection, key, defaultValue));
}

// The list as the engine compares it: 3-letter cells only, no cell of blanks (which would
// make files without an extension count as Veldar source), no trailing blanks.
std::string EngineCells(std::string_view list) {
  std::string cells;
  for (std::size_t at = 0; at < list.size(); at += 3) {
    const std::string_view cell = list.substr(at, 3);
    if (runtime::Len(cell) > 0) cells += runtime::Pad(cell, 3);
  }
  return runtime::Clip(cells);
}

bool NeedsQuotes(std::string_view word) {
  return word.empty() || word.find_first_of(" \t\"'\\$`") != std::string_view::npos;
}

// One shell word: inside double quotes, where only '"', '\', '$' and '`' need a backslash.
std::string QuotedWord(std::string_view word) {
  if (!NeedsQuotes(word)) return std::string(word);
  std::string quoted = "\"";
  for (const char c : word) {
    if (c == '"' || c == '\\' || c == '$' || c == '`') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

// UltraEdit keeps the path of its language file; its program sits in the same directory.
// Cut after the last path separator at the fourth character or later (a separator in the
// first three characters keeps the whole text, as the Windows version did for a drive
// root); Linux paths use '/', Windows ones '\'.
std::string UltraEditProgramFrom(std::string_view languageFile) {
  std::size_t keep = languageFile.size();
  for (std::size_t at = languageFile.size(); at >= 4; --at) {
    const char c = languageFile[at - 1];
    if (c == '\\' || c == '/') {
      keep = at;
      break;
    }
  }
  return std::string(languageFile.substr(0, keep)) + std::string(kUltraEditProgram);
}

bool IsFile(const fs::path& file) {
  std::error_code ec;
  return fs::exists(file, ec) && !fs::is_directory(file, ec);
}

void StoreEditor(Preferences& p, const SettingsFiles& files, std::string_view command) {
  p.editorName = command;
  // Lost without a message when the file cannot be written, like every profile write.
  runtime::WriteProfileString(files.searchDat, kOptionsSection, "EditorName",
                              ProfileText(p.editorName.view()));
}

// Offers UltraEdit when its settings lead to its program. A command that does not fit the
// editor field is not offered: cut short it would not start anything.
void OfferUltraEdit(Preferences& p, const SettingsFiles& files, runtime::Desktop& desktop) {
  const std::string languageFile =
      ReadProfileString(files.uedit32Ini, "Settings", "Language File", "");
  if (runtime::Len(languageFile) == 0) return;
  const std::string program = UltraEditProgramFrom(runtime::Clip(languageFile));
  if (!IsFile(program)) return;
  const std::string command = EditorCommandFor(program);
  if (command.size() > kEditorNameWidth) return;

  runtime::Message question;
  question.text = "Would you like to make " + program + " your default editor?";
  question.caption = std::string(kEditorCaption);
  question.icon = runtime::Icon::Question;
  question.standard = runtime::Buttons::YesNo;
  question.defaultButton = runtime::kAnswerYes;
  if (desktop.ShowMessage(question) == runtime::kAnswerYes) StoreEditor(p, files, command);
}

void UseFallbackEditor(Preferences& p, const SettingsFiles& files, runtime::Desktop& desktop) {
  StoreEditor(p, files, kFallbackEditor);
  runtime::Message message;
  message.text = "Your default editor has been setup as " + p.editorName.str() +
                 ". If you have a better editor you should go to File-Preferences and define "
                 "it. TRX supports passing the editor the file line number which is very "
                 "productive. See the help for more info.";
  // The stored command cannot start anything on a machine without the desktop's opener.
  if (const std::string missing = runtime::MissingOpenerNote(desktop); !missing.empty()) {
    message.text += "||" + missing;
  }
  message.caption = std::string(kEditorCaption);
  message.icon = runtime::Icon::Information;
  message.standard = runtime::Buttons::Ok;
  desktop.ShowMessage(message);
}

std::string ReadExtVeldar(const fs::path& file) {
  std::string list = ReadProfileString(file, kOptionsSection, "ExtVeldar", kDefaultExtVeldar);
  if (runtime::EqualNoCase(runtime::Clip(list), kOldDefaultExtVeldar)) {
    list = kDefaultExtVeldar;
  }
  return NormalExtensionList(list);
}

}  // namespace

engine::EngineSettings Preferences::Engine() const {
  engine::EngineSettings settings;
  settings.extVeldar = EngineCells(extVeldar);
  settings.extTemplates = EngineCells(extTemplates);
  settings.filesPerTimer = std::max<int>(1, filesPerTimer);
  settings.filesPerTimerModal = std::max<int>(1, filesPerTimerModal);
  return settings;
}

std::string NormalExtensionList(std::string_view list) {
  return runtime::Fit(runtime::LowerText(list), kExtensionListWidth) + "  ";
}

std::int32_t FileDialogFlagsFor(std::uint8_t use16BitFileOpen) {
  return use16BitFileOpen ? 0 : kFileDialogLongNames;
}

std::string EditorCommandFor(std::string_view program) {
  std::string command = QuotedWord(program);
  if (runtime::UpperText(program).find(kUltraEditProgram) != std::string::npos) {
    command += " %F/%L";
  }
  return command;
}

Preferences LoadOptions(const SettingsFiles& files, runtime::Desktop& desktop) {
  const fs::path& dat = files.searchDat;
  Preferences p;
  p.editorName = ReadProfileString(dat, kOptionsSection, "EditorName", "");
  p.lastSearchCnt = ReadProfileInt(dat, kOptionsSection, "LastSearchCnt", 99);
  p.filesPerTimer = ReadByte(dat, "FilesPerTimer", 2);
  p.filesPerTimerModal = ReadByte(dat, "FilesPerTimerModal", 50);
  p.use16BitFileOpen = ReadByte(dat, "Use16BitFileOpen", 0);
  p.minViewWithResults = ReadByte(dat, "MinViewWithResults", 0);
  p.extVeldar = ReadExtVeldar(dat);
  p.extTemplates = NormalExtensionList(
      ReadProfileString(dat, kOptionsSection, "ExtTemplates", kDefaultExtTemplates));
  p.noSplash2 = ReadByte(dat, "NoSplash2", 0);
  p.test = ToByte(ReadProfileInt(dat, "Test", "Test", 0));
  p.languageHelp = ReadProfileString(dat, kOptionsSection, "LanguageHelp", "");

  if (p.editorName.empty()) OfferUltraEdit(p, files, desktop);
  if (p.editorName.empty()) UseFallbackEditor(p, files, desktop);

  p.fileDialogFlags = FileDialogFlagsFor(p.use16BitFileOpen);
  return p;
}

bool SaveOptions(const Preferences& p, const SettingsFiles& files) {
  const std::pair<std::string_view, std::string> keys[] = {
      {"EditorName", ProfileText(p.editorName.view())},
      {"LastSearchCnt", std::to_string(p.lastSearchCnt)},
      {"FilesPerTimer", std::to_string(p.filesPerTimer)},
      {"FilesPerTimerModal", std::to_string(p.filesPerTimerModal)},
      {"Use16BitFileOpen", std::to_string(p.use16BitFileOpen)},
      {"MinViewWithResults", std::to_string(p.minViewWithResults)},
      {"ExtVeldar", ProfileText(runtime::Clip(p.extVeldar))},
      {"ExtTemplates", ProfileText(runtime::Clip(p.extTemplates))},
      {"NoSplash2", std::to_string(p.noSplash2)},
  };
  bool allWritten = true;
  for (const auto& [key, value] : keys) {
    allWritten &= runtime::WriteProfileString(files.searchDat, kOptionsSection, key, value);
  }
  return allWritten;
}

}  // namespace trawlex::shell
