#pragma once
// The results window: one search, run on a timer over its SearchRun, with the hits, the file
// list and the directory list on three tabs, the looks of the results list, and the buttons
// and gestures that act on a hit. Windows hold no search logic: the run, the looks and the
// navigation live in the libraries below.

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "engine/edit_answer.h"
#include "engine/search_run.h"
#include "results/delete_menu.h"
#include "results/file_manager.h"
#include "results/find_and_delete.h"
#include "results/list_format.h"
#include "results/look_file.h"
#include "results/shell_open.h"
#include "results/view_params.h"
#include "shell/preferences.h"
#include "shell/settings_files.h"

class QCheckBox;
class QShowEvent;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace trawlex::runtime {
class Desktop;
struct FontChoice;
}  // namespace trawlex::runtime

namespace trawlex::ui {

class FormatListModel;
class FormatListView;
class ViewFileWindow;

// How a hit is viewed: in the linked viewer (a double-click also raises it), or in a new
// viewer of its own that is not linked (Ctrl held).
enum class ViewGesture { Button, DoubleClick, NewViewer };

// The exports of the results, in the order of the "Result&s" menu.
enum class ExportCommand { Report, SaveText, SaveTextAndEdit, CopyToClipboard };

// The window's tabs, in order.
enum ResultsTab { kResultsTab = 0, kFilesTab = 1, kPathTab = 2 };

// What a results window needs from the program around it.
struct ResultsWindowContext {
  runtime::Desktop* desktop = nullptr;
  shell::SettingsFiles files;
  shell::Preferences preferences;
  // Edits a copy of the window's request in the search-parameters dialogue: the edited
  // request and the dialogue's answer, or nothing when it could not be opened.
  std::function<std::optional<std::pair<engine::SearchSpec, engine::EditAnswer>>(
      const engine::SearchSpec&)>
      editParameters;
  int workers = 0;  // threads searching ahead of the run
  // Shows a window this one opens (a file viewer) beside the results: inside the frame's
  // window area when there is one; null shows it as a window of its own.
  std::function<void(QWidget*)> showWindow;
  // "SelSrch" in a viewer: opens the search dialogue on a request.
  std::function<void(const engine::SearchSpec&)> startSearch;
};

class ResultsWindow final : public QWidget {
  Q_OBJECT

 public:
  ResultsWindow(const engine::SearchSpec& request, ResultsWindowContext context,
                QWidget* parent = nullptr);
  ~ResultsWindow() override;

  // Prepares, loads the files and starts the run; false when no file was found (the user was
  // told and the window should close).
  bool Start();

  engine::SearchRun& run() { return *run_; }
  const results::Looks& looks() const { return looks_; }
  FormatListView& resultsList() { return *resultsList_; }
  FormatListView& filesList() { return *filesList_; }
  FormatListView& pathList() { return *pathList_; }
  QTabWidget& tabs() { return *tabs_; }
  QString statusText() const;
  void ApplyLook(int look);
  // The viewer this window moves along with its selection; null when none is linked.
  ViewFileWindow* linkedViewer() const;

 signals:
  // A run finished (after its summary is shown); the count is FINDCNT.
  void runFinished(qint64 foundCount);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus(QWidget* host);
  FormatListView* MakeList(QWidget* page, FormatListModel*& model,
                           std::function<std::size_t()> count,
                           std::function<results::FieldValue(std::size_t, int)> field,
                           std::string_view format);
  QWidget* BuildResultsTab();
  QWidget* BuildFilesTab();
  QWidget* BuildPathTab();
  void RebuildLookMenus();
  void ApplyLookResult(const results::AppliedLook& applied);
  void StartTicking();
  void Tick();
  void RunFinished();
  void ShowRequest();  // caption and "&Parms..." tip
  void RefreshCounters();
  void RefreshLists();
  void StartRun(void (engine::SearchRun::*restart)());
  void EditParameters();
  void Navigate(int code);
  void ResultsPopup(const QPoint& where);
  void FilePopup(const std::string& path);
  // The actions on the selected hit or file of the current tab.
  void ViewSelected(ViewGesture gesture);
  void EditSelected();
  void OpenSelected(results::ShellVerb verb);
  void ExploreSelected(results::ExploreAction action);
  void CommandPromptAtSelected();
  void CopySelectedLine();
  // Ctrl+C: the line-copy texts of the selected hits, straight onto the clipboard.
  void CopySelectedLineTexts();
  // The results popup from the keyboard: at the current row.
  void ResultsPopupAtCurrentRow();
  // The list's font as the font dialogue and the look file name it: the family actually
  // drawn (not an alias such as "Sans Serif"), its size and weight.
  runtime::FontChoice ListFontChoice() const;
  // The size below which a button caption or a counter would be cut.
  void SetMinimumToContents();
  void EditAllFiles();
  void EditRelatedFile();
  void ListDoubleClicked(int tab);
  void OpenViewer(const results::ViewParams& params, bool linked);
  void FollowSelection();
  // The full path of the selected hit (Results tab) or file (Files tab); empty when none.
  std::string SelectedPath() const;
  std::size_t SelectedHitRow() const;
  // Pruning: the Delete menus of both lists, Find and Delete and the Delete key.
  void DeleteMenu(const QPoint& where);
  void RunDeleteChoice(results::DeleteChoice choice, bool keep);
  void DeleteSelectedLine();
  void FilesDeleteMenu(const QPoint& where);
  void UnmarkFiles();
  void AfterDeletion(std::size_t selectedRow);
  void AfterFilesDeletion(std::size_t selectedRow);
  // Where a menu opened by `button` shows: at the mouse when it clicked the button, else
  // (its mnemonic, Space, a call) below the button.
  static QPoint MenuPlace(const QWidget& button);
  // Lets MenuPlace tell a mouse click on `button` from a key press.
  static void WatchClicks(QPushButton& button);
  // The results as they stand, exported to a report, a text file or the clipboard.
  void Export(ExportCommand command);
  // A key of the results list.
  void AddListKey(const QKeySequence& keys, const std::function<void()>& action);
  void SavePlacement();
  bool running() const;

  engine::SearchSpec request_;
  ResultsWindowContext context_;
  std::unique_ptr<engine::SearchQuestions> questions_;
  std::unique_ptr<engine::SearchRun> run_;
  results::Looks looks_;

  QTabWidget* tabs_ = nullptr;
  FormatListModel* resultsModel_ = nullptr;
  FormatListView* resultsList_ = nullptr;
  FormatListModel* filesModel_ = nullptr;
  FormatListView* filesList_ = nullptr;
  FormatListModel* pathModel_ = nullptr;
  FormatListView* pathList_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* found_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* filesCount_ = nullptr;
  QLabel* withFound_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  QLabel* specLabel_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* parms_ = nullptr;
  QPushButton* again_ = nullptr;
  QPushButton* refresh_ = nullptr;
  QPushButton* reload_ = nullptr;
  QCheckBox* resultsCheck_ = nullptr;
  QMenu* lookMenu_ = nullptr;
  std::vector<QAction*> lookActions_;
  QTimer* timer_ = nullptr;
  QElapsedTimer sinceShown_;
  QPointer<ViewFileWindow> viewer_;             // the linked viewer
  results::FindAndDeleteRecord findAndDelete_;  // the last Find and Delete, for this window
};

}  // namespace trawlex::ui
