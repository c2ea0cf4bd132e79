#pragma once
// The "Search Parameters" window: draws a SearchParameters model and calls it from its
// controls. Every rule (switch exclusions, the checks of "&Search", histories, presets,
// saved searches) lives in the model; the window only copies what the user typed into the
// request before an operation and shows the request, histories and title again after it.
//
// The caller opens the model (SearchParameters::Open) before building the window. On its
// own the dialogue stays open after a search and reports it with searchRequested(). In edit
// mode a results window runs it with exec(): a search accepts it, Close or Esc rejects it.
// answer() is the model's answer either way (cancelled when no search closed it), and
// model.request() the edited search.

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>
#include <vector>

#include "runtime/desktop.h"
#include "shell/search_parameters.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QToolButton;
class QTreeWidget;

namespace trawlex::ui {

class SearchInputWindow : public QDialog {
  Q_OBJECT

 public:
  SearchInputWindow(shell::SearchParameters& model, runtime::Desktop& desktop,
                    QWidget* parent = nullptr);

  // The model's answer for the caller: the search that closed the dialogue, cancelled when
  // none did. Valid once the dialogue has closed.
  const engine::EditAnswer& answer() const { return answer_; }
  shell::SearchParameters& model() { return model_; }

  // The "Open Search" and "Last Searches" lists and the "Search Save" dialogue are not
  // there yet; once the frame can answer them it turns the five saved-search buttons on.
  void SetSavedSearchWindowsAvailable(bool available);

  // A dialogue opened on its own keeps its place in `trawlexIni` (section "SearchInput"):
  // restored now, saved as it closes. Dialogues opened by a results window open where
  // Qt puts them, so this does nothing for them.
  void KeepPlacement(const std::filesystem::path& trawlexIni);

  // Another start of the dialogue while this one is open brings this one forward.
  void BringToFront();

  void done(int code) override;

 signals:
  // A search passed the checks: start it (Search, MultiSearch) or, in edit mode (Return),
  // the caller reads answer() once the dialogue has closed.
  void searchRequested(const trawlex::shell::SearchAction& action);
  // The first use of any control (the splash window closes then).
  void controlUsed();
  // The dialogue closed, with the model's answer.
  void closed(const trawlex::engine::EditAnswer& answer);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildLayout();
  void SetTips();
  void SetTabOrder();
  void Connect();
  void WatchControls();

  // Widgets -> request, before every call into the model.
  void Collect();
  // Request, histories, title and button states -> widgets, after every call.
  void Redisplay();
  void ShowSwitches();
  void ShowLabelMode();
  void UpdateButtons();
  void FocusField(shell::Field field);

  // A check box and the request switch behind it.
  struct SwitchBox {
    QCheckBox* box;
    void (*set)(shell::SearchParameters&, bool);
    bool (*get)(const engine::SearchSpec&);
  };
  QCheckBox* AddSwitch(const char* name, const char* text, const QString& tip,
                       void (*set)(shell::SearchParameters&, bool),
                       bool (*get)(const engine::SearchSpec&));

  void Used();
  // Runs one model operation between Collect() and Redisplay().
  void Run(const std::function<void()>& operation);
  void RunSearch(shell::EditButton button);
  void SwitchClicked(const SwitchBox& entry, bool on);
  void LabelChosen();
  void Load(const std::function<bool(shell::SearchParameters&)>& operation);
  bool DropOnPath(QEvent* event);

  shell::SearchParameters& model_;
  runtime::Desktop& desktop_;
  bool used_ = false;
  bool closing_ = false;
  bool storeWindowsAvailable_ = false;
  engine::EditAnswer answer_;
  std::filesystem::path placementFile_;  // empty: the place is not kept
  std::vector<SwitchBox> switches_;

  QComboBox* find_ = nullptr;
  QComboBox* path_ = nullptr;
  QComboBox* specs_ = nullptr;
  QToolButton* explorer_ = nullptr;
  QToolButton* choosePath_ = nullptr;
  QToolButton* presets_ = nullptr;

  QCheckBox* case_ = nullptr;
  QCheckBox* smash_ = nullptr;
  QCheckBox* word_ = nullptr;
  QCheckBox* trailing_ = nullptr;
  QCheckBox* wild_ = nullptr;
  QCheckBox* regex_ = nullptr;
  QCheckBox* first_ = nullptr;
  QCheckBox* skip_ = nullptr;
  QCheckBox* subDirs_ = nullptr;
  QSpinBox* levels_ = nullptr;
  QCheckBox* favourite_ = nullptr;
  QCheckBox* lineMode_ = nullptr;
  QCheckBox* modal_ = nullptr;
  QCheckBox* oop_ = nullptr;
  QCheckBox* append_ = nullptr;
  QTreeWidget* labels_ = nullptr;

  QPushButton* search_ = nullptr;
  QPushButton* again_ = nullptr;
  QPushButton* refresh_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* apps_ = nullptr;
  QPushButton* drop_ = nullptr;
  QPushButton* new_ = nullptr;
  QPushButton* assistant_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* saveAs_ = nullptr;
  QPushButton* favs_ = nullptr;
  QPushButton* last_ = nullptr;
};

}  // namespace trawlex::ui
