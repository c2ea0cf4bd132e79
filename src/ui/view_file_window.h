#pragma once
// The file viewer ("View ..."): one page of a file at a time in a line list, with the
// search's hits, the current hit and the rows of its own find coloured; a text tab for cut
// and paste; buttons that walk the linked results window's hits (Prev/Next, previous and next
// file), search the file up and down, open the file in the editor, start a new search on
// selected text, and ask the language help about a word. The viewer keeps its place in
// Trawlex.INI under "SearchView" and its font in the look file, section "ViewFile".
//
// A viewer is linked to at most one results window (by window slot) or to none. The results
// window hands it a new hit with ShowHit(); the viewer asks the results window to move with
// the program events 0x452 to 0x455 and tells it with 0x451 when it closes or breaks the link.

#include <QWidget>
#include <functional>
#include <memory>

#include "engine/search_spec.h"
#include "results/find_text.h"
#include "results/view_params.h"
#include "shell/preferences.h"
#include "shell/settings_files.h"

class QFont;
class QLayout;

namespace trawlex::runtime {
class Desktop;
struct OsError;
}  // namespace trawlex::runtime

namespace trawlex::ui {

struct ViewerContext {
  runtime::Desktop* desktop = nullptr;
  shell::SettingsFiles files;
  shell::Preferences preferences;  // the editor, the extension lists, the language help
  // "SelSrch": opens the search dialogue on a request (null: the button beeps).
  std::function<void(const engine::SearchSpec&)> startSearch;
};

class ViewFileWindow final : public QWidget {
  Q_OBJECT

 public:
  // `resultsSlot`: the window slot of the linked results window, 0 for an unlinked viewer.
  ViewFileWindow(results::ViewParams params, ViewerContext context, int resultsSlot,
                 QWidget* parent = nullptr);
  ~ViewFileWindow() override;

  // Shows another hit (or file): the list tab again, the file reopened, the first page five
  // lines above the hit, title and heading anew; the placement and the font stay.
  void ShowHit(results::ViewParams params);

  int resultsSlot() const { return resultsSlot_; }
  const results::ViewParams& params() const { return params_; }

  QSize sizeHint() const override;  // the designed size

 protected:
  bool event(QEvent* event) override;  // program events 0x450, 0x451, 0x457, 0x459, 0x45B, 0x45D
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Parts;

  // The window and its link (view_file_window.cpp).
  void BuildMenus();
  QWidget* BuildListTab();
  QWidget* BuildTextTab();
  QLayout* BuildButtons();
  void Connect();
  void ShowTitles();
  void ShowLink();
  void BreakLink();
  void ActivateResults();
  void ShowTab(int index);

  // Font and placement (view_file_look.cpp).
  void LoadFont();
  void ChangeFont();
  void SaveFont();
  void ApplyFont(const QFont& font);
  void SavePlacement();
  void Place();

  // The page (view_file_paging.cpp).
  void Load();
  void Fail(const runtime::OsError& error);
  void Move(int move);  // a PageMove
  void ShowPage(int selectedRow);
  void ResizePage(int rows);
  void ScrollAction(int action);
  void ScrollTo(int value);
  void SyncScrollBar();
  bool HitMoved();

  // Acting on the page (view_file_actions.cpp).
  void FindWithWindow();
  void Search(bool up, bool askWhenNotFound);
  void ShowFindState();
  void SearchForSelection();
  void HelpOnWord();
  void EditFile();
  void RowPopup(const QPoint& globalPosition);
  void CopyRow(bool withoutComment);
  std::string CurrentRowText() const;

  results::ViewParams params_;
  ViewerContext context_;
  int resultsSlot_ = 0;
  std::unique_ptr<Parts> parts_;
};

// A viewer that deletes itself when closed, in a window slot of its own; nothing when no slot
// is free (the user is told). The caller shows it.
ViewFileWindow* NewViewFileWindow(results::ViewParams params, ViewerContext context,
                                  int resultsSlot);

// Hands a linked viewer another hit: fills the pending parameter block and posts 0x450.
void SendHitToViewer(ViewFileWindow& viewer, results::ViewParams params);

// The program's one pending parameter block: a results window fills it just before it posts
// 0x450 to its viewer, which takes it from here.
results::ViewParams& PendingViewParams();

}  // namespace trawlex::ui
