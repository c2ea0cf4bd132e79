#pragma once
// The frame of the desktop program: the multiple-document window with its menus, the
// start-up sequence, and the windows it starts (search dialogue, results windows, About).

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "engine/edit_answer.h"
#include "engine/search_spec.h"
#include "shell/preferences.h"
#include "shell/recent_store.h"
#include "shell/search_list_windows.h"
#include "shell/search_store.h"
#include "shell/settings_files.h"
#include "ui/about_window.h"
#include "ui/search_input_window.h"

class QMdiArea;
class QMenu;
class QAction;

namespace trawlex::runtime {
class Desktop;
}

namespace trawlex::ui {

class ResultsWindow;

class MainFrame final : public QMainWindow {
  Q_OBJECT

 public:
  MainFrame(runtime::Desktop& desktop, shell::SettingsFiles files, QWidget* parent = nullptr);
  ~MainFrame() override;

  // The start-up sequence: placement, preferences, setup check, look file, then the splash
  // window and the search dialogue. Call after the frame is shown.
  void Start();

  // "&Search!": a new search dialogue, or the open one brought forward while the
  // single-thread limit is on.
  SearchInputWindow* OpenSearchDialog();
  // A new search dialogue filled with a request another window hands over (a viewer's
  // "SelSrch").
  SearchInputWindow* OpenPrefilledSearchDialog(const engine::SearchSpec& request);
  // A window opened from another one (a file viewer), shown in the frame's window area.
  void ShowInFrame(QWidget* window);
  // A results window for a request; nullptr when no window slot is free or no file matched.
  ResultsWindow* OpenResults(const engine::SearchSpec& request);
  // A multi search of the request's text ("_cb_" for each clipboard line).
  void OpenMultiSearch(const engine::SearchSpec& request);

  QMdiArea& mdiArea() { return *mdi_; }
  const shell::Preferences& preferences() const { return preferences_; }
  SearchInputWindow* searchDialog() const { return searchDialog_; }
  AboutWindow* splash() const { return splash_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void AddWindowMenu();
  void ListOpenWindows(QMenu& menu);
  void BringForward(QWidget* window);
  void SetFrameTitle();
  SearchInputWindow* NewSearchDialog(shell::DialogMode mode, const engine::SearchSpec& request);
  // "TRX Help Extra RTF File": the file in an unlinked viewer.
  void ViewHelpExtra();
  // The user guide at `page`, or its search; a message when the guide is not installed.
  void OpenHelp(const QString& page, bool search = false);
  void CloseAllWindows();
  std::optional<std::pair<engine::SearchSpec, engine::EditAnswer>> EditParameters(
      const engine::SearchSpec& request);
  void OpenStores();
  // Opens a results window and starts its run: its window slot, 0 when none was free (a
  // window whose search found no file closes again, and still gives its slot). `prepare`
  // runs before the run starts.
  using PrepareResults = std::function<void(ResultsWindow&, int slot)>;
  int StartResults(const engine::SearchSpec& request, const PrepareResults& prepare,
                   ResultsWindow** opened = nullptr);
  int StartMultiSearchEntry(const engine::SearchSpec& request, int mode);

  runtime::Desktop& desktop_;
  shell::SettingsFiles files_;
  shell::Preferences preferences_;
  std::string helpFilePath_;
  QMdiArea* mdi_ = nullptr;
  QAction* singleThreadLimit_ = nullptr;
  QAction* feqBuddy_ = nullptr;
  QList<QAction*> windowListActions_;
  QPointer<SearchInputWindow> searchDialog_;
  QPointer<AboutWindow> splash_;
  shell::SavedSearchStore savedStore_;
  shell::RecentSearchStore recentStore_;
  std::unique_ptr<shell::SearchListWindows> listWindows_;
};

}  // namespace trawlex::ui
