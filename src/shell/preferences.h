#pragma once
// The preferences: section "Options" of Search.DAT (and "Test"), loaded once at start-up and
// held for the whole process; the preferences window edits them and writes them back.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine_settings.h"
#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "shell/settings_files.h"

namespace trawlex::shell {

inline constexpr std::string_view kOptionsSection = "Options";

inline constexpr std::size_t kEditorNameWidth = 64;
// The extension lists hold up to eight 3-letter extensions; in memory they carry two
// trailing blanks after the list (see NormalExtensionList).
inline constexpr std::size_t kExtensionListWidth = 24;

inline constexpr std::string_view kDefaultExtVeldar = "vlwincintvlavli";
inline constexpr std::string_view kDefaultExtTemplates = "tpltpwtpxtpd";

// The editor stored when none is configured and none is found.
inline constexpr std::string_view kFallbackEditor = "xdg-open %F";

// The file dialogue's long-file-name flag; the dialogue flags are 0 for old-style dialogues.
inline constexpr std::int32_t kFileDialogLongNames = 0x00200000;

struct Preferences {
  runtime::FixedText<kEditorNameWidth> editorName;      // EditorName: %F file, %L line
  std::int32_t lastSearchCnt = 99;                      // LastSearchCnt: 0 = keep none
  std::uint8_t filesPerTimer = 2;                       // FilesPerTimer
  std::uint8_t filesPerTimerModal = 50;                 // FilesPerTimerModal
  std::uint8_t use16BitFileOpen = 0;                    // Use16BitFileOpen
  std::uint8_t minViewWithResults = 0;                  // MinViewWithResults
  std::string extVeldar = "vlwincintvlavli  ";          // ExtVeldar, lower case, two blanks after
  std::string extTemplates = "tpltpwtpxtpd  ";          // ExtTemplates, likewise
  std::uint8_t noSplash2 = 0;                           // NoSplash2
  std::int32_t fileDialogFlags = kFileDialogLongNames;  // derived from use16BitFileOpen
  std::uint8_t test = 0;                                // section Test, key Test
  runtime::FixedText<64> helpFilePath;                  // found at start-up, never stored
  // LanguageHelp: where help on a Veldar word comes from, a URL or a command with %W for the
  // word. Set by hand in Search.DAT; the preferences window leaves it alone.
  std::string languageHelp;

  // What the search engine reads: the extension lists as clean 3-letter cells, and at least
  // one file per timer tick (a stored 0 would leave a search that never moves on).
  engine::EngineSettings Engine() const;
  bool operator==(const Preferences&) const = default;
};

// The in-memory form of an extension list: lower case, cut to the list width, clipped, two
// blanks after.
std::string NormalExtensionList(std::string_view list);

// The file-dialogue flags that go with the 16-bit switch.
std::int32_t FileDialogFlagsFor(std::uint8_t use16BitFileOpen);

// The editor command for a chosen program: the program as one command word (inside double
// quotes when it holds blanks or quotes, since the command is split into words like a shell
// would), followed by " %F/%L" when it is UltraEdit (its upper-cased text holds "UEDIT32.EXE").
std::string EditorCommandFor(std::string_view program);

// Loads the preferences at start-up: every key with its default, the old source list
// "vlwincvlavli" repaired, and an editor found when none is set: UltraEdit when UEDIT32.INI
// leads to its program and the user agrees, else kFallbackEditor, with a message. A found
// editor is written at once. The help file path is left blank.
Preferences LoadOptions(const SettingsFiles& files, runtime::Desktop& desktop);

// Writes the nine keys of section Options. False when any of them could not be written.
bool SaveOptions(const Preferences& preferences, const SettingsFiles& files);

}  // namespace trawlex::shell
