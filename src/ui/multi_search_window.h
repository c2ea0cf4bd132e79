#pragma once
// The "Multi Search" window: a text box whose lines become a list of search texts, and a run
// that searches them one after another, each in a results window of its own, collecting the
// number of lines found. The logic is shell::MultiSearch; the frame opens the results windows.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "engine/search_spec.h"
#include "shell/multi_search.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace trawlex::runtime {
class Desktop;
}

namespace trawlex::ui {

// Opens a results window searching `request`; `mode` is shell::kModeShow or kModeSummary.
// Returns the window's slot, 0 when none could be opened. A window that finds no file may
// close again at once: the multi search then counts 0 for it.
using StartMultiSearchFn = std::function<int(const engine::SearchSpec& request, int mode)>;

class MultiSearchWindow final : public QWidget {
  Q_OBJECT

 public:
  // The multi search for the request of the search dialogue, its text being the pattern. The
  // text box takes the clipboard text and the list is built from it. Only one may be open:
  // a second one shows "Multi Search is active, you can only run it once" and gives nullptr,
  // as does a full window table. The window deletes itself when closed.
  static MultiSearchWindow* Open(const engine::SearchSpec& request, runtime::Desktop& desktop,
                                 StartMultiSearchFn startSearch, QWidget* parent = nullptr);
  ~MultiSearchWindow() override;

  // "&Load text into Search List".
  void LoadList();

  const shell::MultiSearch& model() const { return model_; }
  int slot() const { return slot_; }
  // The run's timer (2 seconds).
  QTimer& ticker() { return *timer_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  MultiSearchWindow(const engine::SearchSpec& request, runtime::Desktop& desktop,
                    StartMultiSearchFn startSearch, QWidget* parent);
  void BuildControls();
  void StartRun(bool started);
  void StopRun();
  void Tick();
  void FinishSearch(std::int64_t count);
  void ShowRunning(bool running);
  void RefreshList();
  void LimitText();

  runtime::Desktop& desktop_;
  shell::MultiSearch model_;
  StartMultiSearchFn startSearch_;
  int slot_ = 0;
  // The results window of the running search, to close in summary mode and to notice when
  // it went away without reporting.
  QPointer<QWidget> searchWindow_;

  QPlainTextEdit* text_ = nullptr;
  QCheckBox* left_ = nullptr;
  QCheckBox* summary_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* searchAll_ = nullptr;
  QPushButton* one_ = nullptr;
  QPushButton* stop_ = nullptr;
  QTimer* timer_ = nullptr;
};

// For a results window whose run finished: when it is the search running for the multi
// search, leaves the count in the shared state and posts kEventMultiSearchDone to the
// multi-search window. False when the run was not the multi search's.
bool ReportMultiSearchCount(int resultsSlot, qint64 count);

}  // namespace trawlex::ui
