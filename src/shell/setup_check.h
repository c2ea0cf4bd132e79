#pragma once
// The setup check run at every start: the first-start setup (default saved searches and
// drop-list entries for the installed Veldar environments), the help file of the newest
// environment that has one, the offer to set up searches for a newer environment, and the
// companion file the prototype converter reads.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"
#include "shell/settings_files.h"

namespace trawlex::shell {

class SavedSearchStore;

// Section "Setup", key "Searches" of Search.DAT: the newest version whose searches were set
// up, "1" right after the first start, "5.6" once the user declined the offer.
inline constexpr std::string_view kSetupSection = "Setup";
inline constexpr std::string_view kSetupSearchesKey = "Searches";
inline constexpr std::string_view kSetupDeclinedMark = "5.6";

// Path history keys the first-start setup may fill.
inline constexpr int kSetupPathLimit = 12;

inline constexpr std::string_view kWinTypesName = "WinTypes.VLW";
inline constexpr std::string_view kWinTypesShippedName = "WinTypes.vlw.Shipped";
// The window-structure analyser's snippets: the Tools item shows only when the file exists.
inline constexpr std::string_view kFeqSnippetsName = "FeqUseLoad.vlw";
inline constexpr std::string_view kFeqSnippetsShippedName = "FeqUseLoad.vlw.Shipped";

// What setting up one version did.
struct VersionSetup {
  std::string workDir;    // from win.ini; blank when the version is not installed
  std::string root;       // installation root; blank when nothing was set up
  int searchesAdded = 0;  // adds that succeeded (a name already stored is skipped)
  int pathsWritten = 0;   // Path history keys written
};

// Creates the favourite saved searches of one installed version in the open `store`: its
// templates and its class-library source, found below the installation root (the working
// directory's text before its "BIN" directory), and writes both directories as the next
// Path history keys of Search.DAT while `pathCount` is below 12, counting them in it. Raises
// the setup mark to `version` when it is newer. A version that is not installed, has no
// "BIN" in its working directory or a blank root creates nothing and is not reported.
VersionSetup SetupVersionSearches(std::string_view version, SavedSearchStore& store,
                                  const SettingsFiles& files, int& pathCount);

// The user's answer to the offer to set up a newer version's searches.
enum class VersionAnswer { NotAsked, Yes, No, Later };

struct SetupCheckResult {
  bool firstStart = false;                 // the first-start setup ran
  std::string storeError;                  // the saved-search store could not be opened: why
  std::vector<std::string> versionsSetUp;  // versions whose installation root was found
  int searchesAdded = 0;
  int pathCount = 0;  // the last Path history key the setup has filled (at most 12)
  bool specKeysWritten = false;
  std::string helpFilePath;        // full on-disk path; blank when none was found
  std::string versionFound = "2";  // the version whose help file was found
  VersionAnswer answer = VersionAnswer::NotAsked;
  bool winTypesCopied = false;
  bool feqSnippetsCopied = false;
  std::vector<std::string> refusedSettings;  // settings files that cannot be used, and why
};

// The setup check of every start. `workDir` is the directory of "searches.hvn",
// "WinTypes.VLW" and its shipped copy (the current directory in a normal run); the question
// goes through `desktop`. A settings file that cannot be used is named in a warning first
// (RefusedSettingsMessage), one per file.
SetupCheckResult RunSetupCheck(const SettingsFiles& files, const std::filesystem::path& workDir,
                               runtime::Desktop& desktop);

}  // namespace trawlex::shell
