#include "shell/setup_check.h"

#include <algorithm>
#include <system_error>

#include "engine/search_spec.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "runtime/profile.h"
#include "runtime/shipped_files.h"
#include "shell/debug_trace.h"
#include "shell/last_search_settings.h"
#include "shell/saved_search.h"
#include "shell/search_store.h"
#include "shell/settings_file_refusals.h"
#include "shell/veldar_versions.h"

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTraceTag = "Setup";
constexpr std::string_view kFirstStartMark = "1";
constexpr std::string_view kQuestionCaption = "Search Setup";

constexpr std::string_view kSourceSpec = "*.VLW;*.INC;*.INT;*.EQU";
constexpr std::string_view kTemplateSpec = "*.TPW;*.TPL";
constexpr std::string_view kLibraryNotQrmSpec = "*.VLW;*.INC;*.INT;*.EQU;~QR*.*;~WB*.*";
constexpr std::string_view kLibraryQrmSpec = "QR*.VLW;QR*.INC;QR*.INT;QR*.TRN;QR*.EQU";

// The file-pattern history a first start offers: source, templates, applications, text.
constexpr std::string_view kFirstStartSpecs[] = {kSourceSpec, kTemplateSpec, "*.VLA", "*.TXT"};

// Width of a saved search's path (and of the Path history).
constexpr std::size_t kPathWidth = runtime::FixedText<127>::width;

std::string ReadMark(const fs::path& searchDat) {
  return runtime::ReadProfileString(searchDat, kSetupSection, kSetupSearchesKey, "");
}

bool WriteMark(const fs::path& searchDat, std::string_view mark) {
  return runtime::WriteProfileString(searchDat, kSetupSection, kSetupSearchesKey,
                                     ProfileText(mark));
}

// The text before the first "BIN" directory of the working directory, found without case.
// win.ini files copied from Windows separate with '\', ours with '/': either counts.
std::string InstallationRoot(std::string_view workDir) {
  const std::string upper = runtime::UpperText(workDir);
  const std::size_t at = std::min(upper.find("\\BIN"), upper.find("/BIN"));
  if (at == std::string::npos) return {};
  std::string root(workDir.substr(0, at));
  return runtime::Len(root) > 0 ? root : std::string();
}

bool AddFavourite(SavedSearchStore& store, const std::string& name, const std::string& path,
                  std::string_view spec) {
  SavedSearch record;
  record.name = name;
  record.path = path;
  record.spec = spec;
  record.sw[engine::Extra::Favourite] = 1;
  return store.Add(record);  // a failure (a name already stored) is not reported
}

bool IsFile(const fs::path& file) {
  std::error_code ec;
  return fs::is_regular_file(file, ec);
}

bool IsDirectory(const fs::path& dir) {
  std::error_code ec;
  return fs::is_directory(dir, ec);
}

// `name` in `dir`, spelt as on disk: the exact name first, else the first entry whose name
// equals it without case (help files copied from Windows come in any case).
std::string FindFileNoCase(const fs::path& dir, std::string_view name) {
  if (IsFile(dir / name)) return (dir / name).string();
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (runtime::EqualNoCase(it->path().filename().string(), name) && IsFile(it->path())) {
      return it->path().string();
    }
  }
  return {};
}

void SetUpVersion(std::string_view version, SavedSearchStore& store, const SettingsFiles& files,
                  int& pathCount, SetupCheckResult& result) {
  const VersionSetup setup = SetupVersionSearches(version, store, files, pathCount);
  if (setup.root.empty()) return;
  result.versionsSetUp.emplace_back(version);
  result.searchesAdded += setup.searchesAdded;
  DebugTrace(kTraceTag, "version " + std::string(version) + " at " + setup.root + ": " +
                            std::to_string(setup.searchesAdded) + " searches added");
}

bool OpenStore(SavedSearchStore& store, const fs::path& workDir, SetupCheckResult& result) {
  if (store.Open((workDir / SavedSearchStore::kFileName).string())) return true;
  result.storeError = store.driverError();
  DebugTrace(kTraceTag, "saved-search store not opened: " + result.storeError);
  return false;
}

bool NeedsFirstStart(const SettingsFiles& files, const fs::path& workDir) {
  std::error_code ec;
  if (!fs::exists(workDir / SavedSearchStore::kFileName, ec)) return true;
  // The mark reads as a number, as every numeric setting does: text that is not one is 0.
  return VersionNumber(ReadMark(files.searchDat)) == 0;
}

// Default searches for every installed version and the first drop-list entries. When the
// store cannot be opened the mark is not written, so that the next start tries again.
void FirstStartSetup(const SettingsFiles& files, const fs::path& workDir,
                     SetupCheckResult& result) {
  result.firstStart = true;
  DebugTrace(kTraceTag, "first start");
  SavedSearchStore store;
  if (OpenStore(store, workDir, result)) {
    WriteMark(files.searchDat, kFirstStartMark);
    const std::string firstPath =
        runtime::ReadProfileString(files.searchDat, kPathHistorySection, "1", "");
    if (runtime::Len(firstPath) == 0) {
      for (const VeldarVersion& v : kVeldarVersions) {
        SetUpVersion(v.version, store, files, result.pathCount, result);
      }
    }
    store.Close();
  }
  const std::string firstSpec =
      runtime::ReadProfileString(files.searchDat, kSpecHistorySection, "1", "");
  if (runtime::Len(firstSpec) == 0) {
    std::vector<std::pair<std::string, std::string>> keys;
    for (std::size_t i = 0; i < std::size(kFirstStartSpecs); ++i) {
      keys.emplace_back(std::to_string(i + 1), std::string(kFirstStartSpecs[i]));
    }
    result.specKeysWritten =
        runtime::WriteProfileStrings(files.searchDat, kSpecHistorySection, keys);
  }
}

// The help file of the newest environment that has one; the version found stays "2" when
// none has.
void FindHelpFile(const SettingsFiles& files, SetupCheckResult& result) {
  for (const VeldarVersion& v : HelpFileVersions()) {
    const std::string dir = WorkingDirectoryOf(v.version, files.winIni);
    if (runtime::Len(dir) == 0 || !IsDirectory(dir)) continue;
    const std::string name = "V" + std::string(v.shortForm) + "Help.HLP";
    std::string found = FindFileNoCase(dir, name);
    if (found.empty()) continue;
    result.helpFilePath = std::move(found);
    result.versionFound = v.version;
    DebugTrace(kTraceTag, "help file " + result.helpFilePath);
    return;
  }
}

VersionAnswer AskAboutVersion(std::string_view version, runtime::Desktop& desktop) {
  runtime::Message question;
  question.text = "Would you like me to setup searchs in the favorites list for Veldar version " +
                  std::string(version) + "?";
  question.caption = std::string(kQuestionCaption);
  question.icon = runtime::Icon::Question;
  question.buttons = "&Yes|&No|&Later";
  question.defaultButton = 1;
  switch (desktop.ShowMessage(question)) {
    case 1:
      return VersionAnswer::Yes;
    case 2:
      return VersionAnswer::No;
    default:  // "&Later", or the box closed without an answer: ask again next start
      return VersionAnswer::Later;
  }
}

// Offers the searches of a newer environment (6.0 or 5.5) than the mark records.
void OfferNewerVersion(const SettingsFiles& files, const fs::path& workDir,
                       runtime::Desktop& desktop, SetupCheckResult& result) {
  const std::string& version = result.versionFound;
  if (VersionNumber(version) <= 5) return;
  if (runtime::CompareFixed(ReadMark(files.searchDat), version) >= 0) return;
  result.answer = AskAboutVersion(version, desktop);
  constexpr const char* kAnswers[] = {"not asked", "yes", "no", "later"};
  DebugTrace(kTraceTag, "setup of version " + version + " offered, answer " +
                            kAnswers[static_cast<int>(result.answer)]);
  if (result.answer == VersionAnswer::No) {
    WriteMark(files.searchDat, kSetupDeclinedMark);
  } else if (result.answer == VersionAnswer::Yes) {
    // The new directories go after the user's own history instead of over its newest
    // entries: on a later start nothing has been written yet in this process.
    const auto history = ReadHistory(files.searchDat, kPathHistorySection);
    result.pathCount = std::max(result.pathCount, static_cast<int>(history.size()));
    SavedSearchStore store;
    if (!OpenStore(store, workDir, result)) return;
    SetUpVersion(version, store, files, result.pathCount, result);
    store.Close();
  }
}

// Settings that silently took their defaults, and changes that are silently lost, would look
// like faults of the program: the user learns which file stands in the way, and what it is.
void ReportRefusedSettings(const SettingsFiles& files, runtime::Desktop& desktop,
                           SetupCheckResult& result) {
  result.refusedSettings = RefusedSettingsFiles(files);
  for (const std::string& refusal : result.refusedSettings) {
    DebugTrace(kTraceTag, refusal);
    desktop.ShowMessage(RefusedSettingsMessage(refusal));
  }
}

// The prototype converter reads WinTypes.VLW and the window-structure analyser
// FeqUseLoad.vlw; a fresh installation has only their shipped copies, in the working
// directory or in the installed data directory. A user's own file is never replaced.
bool CopyShipped(const fs::path& workDir, std::string_view name, std::string_view shippedName) {
  const fs::path target = workDir / name;
  std::error_code ec;
  if (fs::exists(target, ec)) return false;
  const auto shipped = runtime::FindShippedFile(shippedName, workDir);
  if (!shipped) return false;
  const bool copied = fs::copy_file(*shipped, target, fs::copy_options::none, ec) && !ec;
  DebugTrace(kTraceTag, copied ? std::string(name) + " copied from its shipped copy"
                               : std::string(name) + " not copied: " + ec.message());
  return copied;
}

}  // namespace

VersionSetup SetupVersionSearches(std::string_view version, SavedSearchStore& store,
                                  const SettingsFiles& files, int& pathCount) {
  version = version.substr(0, runtime::Len(version));
  VersionSetup setup;
  std::string prefix = "V" + std::string(version) + ", ";
  setup.workDir = WorkingDirectoryOf(version, files.winIni);
  if (setup.workDir.empty() && version.size() < 2) {
    // Some installers named a whole-number version "9.0"; the version itself stays "9".
    setup.workDir = WorkingDirectoryOf(std::string(version) + ".0", files.winIni);
  }
  if (version == "2") prefix = "Vw20, ";

  const std::string root = InstallationRoot(setup.workDir);
  if (root.empty()) return setup;
  // From version 7 on, the Windows sources sit in a "win" directory of their own.
  const std::string suffix = VersionNumber(version) >= 7 ? "/win" : "";
  const std::string templatePath = root + "/template" + suffix;
  const std::string libraryPath = root + "/libsrc" + suffix;
  // A directory cut to the field's width would name another directory, or none.
  if (templatePath.size() > kPathWidth || libraryPath.size() > kPathWidth) return setup;
  setup.root = root;

  if (runtime::CompareFixed(version, ReadMark(files.searchDat)) > 0) {
    WriteMark(files.searchDat, version);
  }

  setup.searchesAdded += AddFavourite(store, prefix + "Templates", templatePath, kTemplateSpec);
  if (version == "2") {
    setup.searchesAdded += AddFavourite(store, prefix + "LibSrc", libraryPath, kSourceSpec);
  } else {
    // The library holds the source of the class library QRM, whose files start with "QR".
    setup.searchesAdded +=
        AddFavourite(store, prefix + "LibSrc (Not QRM)", libraryPath, kLibraryNotQrmSpec);
    setup.searchesAdded += AddFavourite(store, prefix + "LibSrc QRM", libraryPath, kLibraryQrmSpec);
  }

  for (const std::string* path : {&templatePath, &libraryPath}) {
    if (pathCount >= kSetupPathLimit) break;
    ++pathCount;
    runtime::WriteProfileString(files.searchDat, kPathHistorySection, std::to_string(pathCount),
                                ProfileText(*path));
    ++setup.pathsWritten;
  }
  return setup;
}

SetupCheckResult RunSetupCheck(const SettingsFiles& files, const fs::path& workDir,
                               runtime::Desktop& desktop) {
  SetupCheckResult result;
  ReportRefusedSettings(files, desktop, result);
  if (NeedsFirstStart(files, workDir)) FirstStartSetup(files, workDir, result);
  FindHelpFile(files, result);
  OfferNewerVersion(files, workDir, desktop, result);
  result.winTypesCopied = CopyShipped(workDir, kWinTypesName, kWinTypesShippedName);
  result.feqSnippetsCopied = CopyShipped(workDir, kFeqSnippetsName, kFeqSnippetsShippedName);
  return result;
}

}  // namespace trawlex::shell
