// The results window's pruning: the Delete menu of the results list (keep mode with Ctrl),
// Find and Delete, the Delete key, and the Files list's Delete menu and marks. The criteria
// and the deletions live in the results library; the window shows the menus and follows up.

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

#include "results/files_pruning.h"
#include "results/pruning.h"
#include "results/results_navigation.h"
#include "runtime/desktop.h"
#include "ui/find_and_delete_window.h"
#include "ui/format_list_model.h"
#include "ui/format_list_view.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"

namespace trawlex::ui {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

int PopupAt(runtime::Desktop& desktop, const std::string& text, const QPoint& where) {
  return desktop.PopupMenuAt(text, ToScreenPoint(where));
}

// The property of a menu button that holds where the mouse released it; cleared when a key
// presses the button.
constexpr char kReleasedAt[] = "trawlexReleasedAt";

// Watches how a menu button is pressed. A mouse click emits `clicked` inside the release that
// this filter has seen; a mnemonic or Space clicks later, after the key this filter clears on.
class ClickWatcher final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      watched->setProperty(kReleasedAt, mouse->globalPosition().toPoint());
    } else if (event->type() == QEvent::Shortcut || event->type() == QEvent::KeyPress) {
      watched->setProperty(kReleasedAt, QVariant());
    }
    return false;
  }
};

}  // namespace

void ResultsWindow::AddListKey(const QKeySequence& keys, const std::function<void()>& action) {
  auto* shortcut = new QShortcut(keys, resultsList_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(shortcut, &QShortcut::activated, this, action);
}

QPoint ResultsWindow::MenuPlace(const QWidget& button) {
  const QVariant releasedAt = button.property(kReleasedAt);
  if (releasedAt.isValid()) return releasedAt.toPoint();
  return button.mapToGlobal(button.rect().bottomLeft());
}

void ResultsWindow::WatchClicks(QPushButton& button) {
  button.installEventFilter(new ClickWatcher(&button));
}

void ResultsWindow::DeleteMenu(const QPoint& where) {
  if (running()) return;
  const std::size_t row = SelectedHitRow();
  if (row == kNone) return;
  const results::DeleteMenuValues values = results::DeriveDeleteMenuValues(run_->results()[row]);
  const int number =
      PopupAt(*context_.desktop, results::DeleteMenuText(values, run_->dirs().size()), where);
  // Ctrl held as the choice is made keeps the chosen lines and deletes the others.
  const bool keep = QApplication::keyboardModifiers() & Qt::ControlModifier;
  RunDeleteChoice(results::DeleteChoiceFromMenu(number), keep);
}

void ResultsWindow::RunDeleteChoice(results::DeleteChoice choice, bool keep) {
  if (running()) return;
  const std::size_t row = SelectedHitRow();
  if (row == kNone || choice == results::DeleteChoice::None) return;
  if (choice == results::DeleteChoice::FindAndDelete) {
    const engine::ResultLine& line = run_->results()[row];
    const FindAndDeleteSource source{line.text, line.location.str(), line.subdir.str(),
                                     line.file.str()};
    if (!RunFindAndDeleteWindow(this, *context_.desktop, context_.files.trawlexIni,
                                context_.preferences.test != 0, source, findAndDelete_)) {
      return;
    }
  }
  const results::PruneOutcome outcome = results::ApplyDeleteChoice(
      run_->results(), row, choice, keep, findAndDelete_, run_->dirs().size(), *context_.desktop);
  if (outcome.deleted > 0 || outcome.flagged > 0) AfterDeletion(row);
}

void ResultsWindow::DeleteSelectedLine() {
  if (running()) return;
  const std::size_t row = SelectedHitRow();
  if (row == kNone) return;
  if (results::DeleteSelectedLine(run_->results(), row)) AfterDeletion(row);
}

// The list, the status line and a linked viewer follow a deletion: the same row number stays
// selected while it exists, which moves the viewer to the line now there.
void ResultsWindow::AfterDeletion(std::size_t selectedRow) {
  resultsModel_->Reset();
  status_->setText(
      ToQString(results::RemainingText(run_->counts().findCnt, run_->results().size())));
  const auto target = results::RowAfterDeletion(selectedRow, run_->results().size());
  if (target) resultsList_->SelectRecord(*target);
}

void ResultsWindow::FilesDeleteMenu(const QPoint& where) {
  if (running()) return;
  const std::size_t row = filesList_->currentRecord();
  if (row >= run_->files().size()) return;
  const engine::FileEntry selected = run_->files()[row];  // a copy: entries may go
  const int number = PopupAt(*context_.desktop, results::FilesDeleteMenuText(selected), where);
  const results::FilesDeleteChoice choice = results::FilesDeleteChoiceFromMenu(number, selected);
  if (results::PruneFiles(run_->files(), choice, selected).deleted > 0) AfterFilesDeletion(row);
}

void ResultsWindow::UnmarkFiles() {
  results::UnmarkFiles(run_->files());
  filesModel_->Reset();
}

void ResultsWindow::AfterFilesDeletion(std::size_t selectedRow) {
  run_->FilesPruned(results::FilesWithHits(run_->files()));
  filesModel_->Reset();
  RefreshCounters();
  const auto target = results::RowAfterDeletion(selectedRow, run_->files().size());
  if (target) filesList_->SelectRecord(*target);
}

}  // namespace trawlex::ui
