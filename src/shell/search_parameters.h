#pragma once
// The search-parameters dialogue without its window: the request it edits, its three
// drop-down histories, the switch rules, "&Search" with every check in order, and the tools
// for the path and the file specifications. The window binds its controls to request() and the
// histories, and calls these operations from its buttons.

#include <string>
#include <vector>

#include "engine/edit_answer.h"
#include "engine/search_spec.h"
#include "runtime/desktop.h"
#include "shell/preferences.h"
#include "shell/saved_search_session.h"
#include "shell/settings_files.h"

namespace trawlex::shell {

// How the dialogue was opened: on its own, by a results window to edit its search (code 20),
// by a results window as a starting point (code 21), or to select (code 4).
enum class DialogMode { Normal, Edit, Prefilled, Select };

// The field a refused "&Search" puts the focus on.
enum class Field { None, Find, Path, Specs };

// The edit-mode buttons that run a search: "Ok", "&Again" and "Refre&sh".
enum class EditButton { Ok, Again, Refresh };

// What "&Search" asks of the window.
struct SearchAction {
  enum class Kind {
    Refused,      // a check failed: beep and focus `focus`
    Search,       // start a search of `request` in a new results window
    MultiSearch,  // start a multi search of `request` ("_cb_" stands for each clipboard line)
    Return,       // hand `answer` back to the results window that opened the dialogue
  };
  Kind kind = Kind::Refused;
  Field focus = Field::None;
  engine::SearchSpec request;  // the copy the search runs with
  engine::EditAnswer answer;   // what the dialogue answers its caller
  bool close = false;          // the dialogue closes afterwards
};

class SearchParameters {
 public:
  SearchParameters(const SettingsFiles& files, const Preferences& preferences,
                   runtime::Desktop& desktop, SavedSearchSession& session, DialogMode mode);

  // Opening: the last search's switches and histories from the settings, a search another
  // window asked to open, and in edit and prefilled modes the caller's request.
  void Open(const engine::SearchSpec& callerRequest = {});

  engine::SearchSpec& request() { return request_; }
  const engine::SearchSpec& request() const { return request_; }
  std::vector<std::string>& findHistory() { return findHistory_; }
  std::vector<std::string>& pathHistory() { return pathHistory_; }
  std::vector<std::string>& specHistory() { return specHistory_; }
  DialogMode mode() const { return mode_; }

  std::string Title() const;
  bool SaveEnabled() const;
  // Loading and saving searches is off while editing a results window's search.
  bool StoreButtonsEnabled() const { return mode_ != DialogMode::Edit; }

  // Switch boxes, with their exclusions, whichever way they turn.
  void SetSmash(bool on);
  void SetWord(bool on);
  void SetTrailing(bool on);
  void SetWild(bool on);
  void SetRegex(bool on);
  void SetOop(bool on);
  void SetLabelMode(int eqt);
  // The regular-expression assistant completed: the regex switch comes on.
  void AssistantCompleted();

  // Leaving the file specifications field normalises them.
  void LeaveSpecs();
  SearchAction Search(EditButton button = EditButton::Ok, bool append = false);

  void DropMenu();          // "&Drop"
  void SpecPresets();       // "..." beside the file specifications
  void ChoosePath();        // "..." beside the path
  void PickApps();          // "A&pp"
  void OpenFileManager();   // the Explorer button
  // Files dropped on the path field; false (after a message) when no usable path was found.
  bool DropFiles(const std::vector<std::string>& dropped);
  void New();               // "&New"

  // The saved-search buttons; true when a search was loaded into the request.
  bool OpenSaved();
  bool OpenLast();
  bool Favourites();
  void Save();
  void SaveAs();

  // Closing: trims the recent searches of a dialogue opened on its own; the answer for the
  // caller (cancelled when no search set one).
  engine::EditAnswer Close();

 private:
  void LoadLastSearch();
  void AfterLoad();
  bool CheckPath();
  void RememberSearch();
  SearchAction Refuse(Field field);

  SettingsFiles files_;
  Preferences preferences_;
  runtime::Desktop& desktop_;
  SavedSearchSession& session_;
  DialogMode mode_;
  engine::SearchSpec request_;
  std::vector<std::string> findHistory_;
  std::vector<std::string> pathHistory_;
  std::vector<std::string> specHistory_;
  engine::EditAnswer answer_;
};

}  // namespace trawlex::shell
