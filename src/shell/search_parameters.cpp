#include "shell/search_parameters.h"

#include <sys/stat.h>

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "shell/last_search_settings.h"
#include "shell/search_parameter_rules.h"
#include "utilities/regex_checker.h"

namespace trawlex::shell {
namespace {

using engine::Extra;

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string First(const std::vector<std::string>& list) { return list.empty() ? "" : list[0]; }

// The directory part of a path: before its last '/', the root kept.
std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The edit-mode buttons: "Ok" only takes the request, "&Again" and "Refre&sh" also start a
// run, which "Append" makes add to the current results.
engine::EditAnswer EditAnswerFor(EditButton button, bool append) {
  switch (button) {
    case EditButton::Again:
      return {engine::EditChoice::SearchAll, append};
    case EditButton::Refresh:
      return {engine::EditChoice::SearchFilesWithHits, append};
    case EditButton::Ok:
      break;
  }
  return {engine::EditChoice::Apply};
}

}  // namespace

SearchParameters::SearchParameters(const SettingsFiles& files, const Preferences& preferences,
                                   runtime::Desktop& desktop, SavedSearchSession& session,
                                   DialogMode mode)
    : files_(files), preferences_(preferences), desktop_(desktop), session_(session), mode_(mode) {}

void SearchParameters::Open(const engine::SearchSpec& callerRequest) {
  LoadLastSearch();
  if (session_.LoadAtStart(request_)) AfterLoad();
  if (mode_ == DialogMode::Edit || mode_ == DialogMode::Prefilled) request_ = callerRequest;
}

void SearchParameters::LoadLastSearch() {
  request_.sw = ReadLastSwitches(files_.searchDat);
  findHistory_ = ReadHistory(files_.searchDat, kTextHistorySection);
  pathHistory_ = ReadHistory(files_.searchDat, kPathHistorySection);
  specHistory_ = ReadHistory(files_.searchDat, kSpecHistorySection);
  request_.text = First(findHistory_);
  request_.path = First(pathHistory_);
  request_.spec = First(specHistory_);
}

// A search was loaded: the label-mode list follows the request (the window reads it back).
void SearchParameters::AfterLoad() { SetLabelMode(request_.labelMode()); }

std::string SearchParameters::Title() const {
  return mode_ == DialogMode::Edit ? "Edit Search Parameters" : session_.Title();
}

bool SearchParameters::SaveEnabled() const {
  return StoreButtonsEnabled() && session_.SaveEnabled();
}

void SearchParameters::SetSmash(bool on) {
  request_.sw.smash = on;
  request_.sw.word = 0;
  request_.sw.trail = 0;
}

void SearchParameters::SetWord(bool on) {
  request_.sw.word = on;
  request_.sw.trail = 0;
  request_.sw.smash = 0;
}

void SearchParameters::SetTrailing(bool on) {
  request_.sw.trail = on;
  request_.sw.word = 0;
  request_.sw.smash = 0;
}

void SearchParameters::SetWild(bool on) {
  request_.sw[Extra::Wild] = on;
  request_.sw[Extra::Regex] = 0;
}

void SearchParameters::SetRegex(bool on) {
  request_.sw[Extra::Regex] = on;
  request_.sw[Extra::Wild] = 0;
}

void SearchParameters::SetOop(bool on) {
  request_.sw.oop = on;
  runtime::Tell(desktop_, "leave this checked", "OOP Code");
}

void SearchParameters::SetLabelMode(int eqt) {
  request_.sw[Extra::LabelMode] = static_cast<std::uint8_t>(eqt);
}

void SearchParameters::AssistantCompleted() {
  if (!request_.regex()) SetRegex(true);
}

void SearchParameters::LeaveSpecs() { request_.spec = NormaliseSpecs(request_.spec.str()); }

SearchAction SearchParameters::Refuse(Field field) {
  desktop_.Beep();
  SearchAction action;
  action.focus = field;
  return action;
}

// The path must name an existing directory; a trailing '/' goes first.
bool SearchParameters::CheckPath() {
  request_.path = WithoutTrailingSlash(request_.path.str());
  if (IsDirectory(request_.path.str())) return true;
  runtime::Message message;
  message.text = "The path entered is invalid||" + request_.path.str();
  message.caption = "Search";
  message.icon = runtime::Icon::Warning;
  desktop_.ShowMessage(message);
  return false;
}

// The histories and switches go to the settings file, the search to the recent searches.
void SearchParameters::RememberSearch() {
  UpdateHistory(findHistory_, request_.text.str());
  UpdateHistory(pathHistory_, request_.path.str());
  UpdateHistory(specHistory_, request_.spec.str());
  WriteLastSwitches(files_.searchDat, request_.sw);
  WriteHistory(files_.searchDat, kTextHistorySection, findHistory_);
  WriteHistory(files_.searchDat, kPathHistorySection, pathHistory_);
  WriteHistory(files_.searchDat, kSpecHistorySection, specHistory_);
  session_.RecordRecentSearch(request_, preferences_.lastSearchCnt);
}

SearchAction SearchParameters::Search(EditButton button, bool append) {
  if (request_.wild()) request_.text = TidyWildcardText(request_.text.str());
  if (request_.text.empty()) return Refuse(Field::Find);
  if (request_.regex() && utilities::ValidateRegex(request_.text.str(), &request_.sw.word,
                                                   &request_.sw.trail, desktop_) != 0) {
    return Refuse(Field::Find);
  }
  if (request_.path.empty()) return Refuse(Field::Path);
  LeaveSpecs();
  if (request_.spec.empty()) {
    request_.spec = "*.VLW;*.INC";
    return Refuse(Field::Specs);
  }
  if (!CheckPath()) return Refuse(Field::Path);
  RememberSearch();

  SearchAction action;
  action.request = request_;
  if (mode_ == DialogMode::Edit) {
    answer_ = EditAnswerFor(button, append);
    action.kind = SearchAction::Kind::Return;
    action.answer = answer_;
    action.close = true;
    return action;
  }
  const bool multi = runtime::LowerText(request_.text.str()).find("_cb_") != std::string::npos;
  action.kind = multi ? SearchAction::Kind::MultiSearch : SearchAction::Kind::Search;
  if (mode_ == DialogMode::Prefilled && !multi) {
    answer_ = {engine::EditChoice::Apply};  // the search was started: the dialogue is done
    action.answer = answer_;
    action.close = true;
  }
  return action;
}

void SearchParameters::DropMenu() {
  ApplyDropChoice(desktop_.PopupMenu(std::string(kDropMenu)), findHistory_, pathHistory_,
                  specHistory_);
}

void SearchParameters::SpecPresets() {
  const int choice = desktop_.PopupMenu(SpecPresetMenu());
  if (choice != 0) request_.spec = ApplySpecPreset(request_.spec.str(), choice);
}

void SearchParameters::ChoosePath() {
  const auto chosen =
      desktop_.ChooseDirectory("Select path to search", TrimUntilPathExists(request_.path.str()));
  // Paths keep their case: on this system a lower-cased path names another directory.
  if (chosen) request_.path = WithoutTrailingSlash(*chosen);
}

void SearchParameters::PickApps() {
  runtime::FileDialogRequest dialog;
  dialog.title = "Select one or more Apps to search";
  dialog.filter = "Veldar App|*.APP";
  if (!request_.path.empty()) dialog.directory = TrimUntilPathExists(request_.path.str());
  const std::vector<std::string> apps = desktop_.ChooseFiles(dialog);
  if (apps.empty()) return;
  request_.path = DirectoryOf(apps.front());
  request_.spec = AppSpecs(apps);
}

void SearchParameters::OpenFileManager() {
  desktop_.RunProgram("xdg-open", {TrimUntilPathExists(request_.path.str())});
}

bool SearchParameters::DropFiles(const std::vector<std::string>& dropped) {
  if (dropped.empty()) return false;
  const std::string& first = dropped.front();
  // A dropped directory is taken as it is; a dropped file gives its directory.
  const std::string path = IsDirectory(first) ? first : DirectoryOf(first);
  if (!IsDirectory(path)) {
    runtime::Tell(desktop_, "Unable to find a good path||||" + first + "||" + path, "Search",
                  runtime::Icon::Warning);
    return false;
  }
  request_.path = path;
  return true;
}

void SearchParameters::New() {
  request_.text = "";
  request_.sw = engine::SearchSwitches{};
  request_.sw.subLevels = 1;
  session_.New();
}

bool SearchParameters::OpenSaved() {
  if (!session_.Open(request_)) return false;
  AfterLoad();
  return true;
}

bool SearchParameters::OpenLast() {
  if (!session_.OpenLast(request_, preferences_.lastSearchCnt)) return false;
  AfterLoad();
  return true;
}

bool SearchParameters::Favourites() {
  if (!session_.Favourites(request_)) return false;
  AfterLoad();
  return true;
}

void SearchParameters::Save() { session_.Save(request_); }

void SearchParameters::SaveAs() { session_.SaveAs(request_); }

engine::EditAnswer SearchParameters::Close() {
  if (mode_ == DialogMode::Normal) session_.PruneRecentSearches(preferences_.lastSearchCnt);
  return answer_;
}

}  // namespace trawlex::shell
