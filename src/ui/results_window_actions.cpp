// The results window's ways from a hit to its source: the file viewer, the editor, the
// desktop's own actions, the file manager, a terminal and the line-copy window. Each acts on
// the selection of the current tab; the logic behind them lives in the results library.

#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>
#include <algorithm>
#include <vector>

#include "results/command_prompt.h"
#include "results/edit_several_files.h"
#include "results/editor_command.h"
#include "results/file_name_parts.h"
#include "results/line_copy_texts.h"
#include "runtime/desktop.h"
#include "ui/format_list_view.h"
#include "ui/line_copy_window.h"
#include "ui/results_window.h"
#include "ui/view_file_window.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The window that holds `window` on screen: its frame sub-window when it has one.
QWidget* HostOf(QWidget* window) {
  return window->parentWidget() ? window->parentWidget() : window;
}

}  // namespace

ViewFileWindow* ResultsWindow::linkedViewer() const {
  return viewer_;
}

std::size_t ResultsWindow::SelectedHitRow() const {
  const std::size_t row = resultsList_->currentRecord();
  return row < run_->results().size() ? row : kNone;
}

std::string ResultsWindow::SelectedPath() const {
  if (tabs_->currentIndex() == kResultsTab) {
    const std::size_t row = SelectedHitRow();
    return row == kNone ? std::string() : run_->results()[row].path.str();
  }
  if (tabs_->currentIndex() == kFilesTab) {
    const std::size_t row = filesList_->currentRecord();
    if (row >= run_->files().size()) return {};
    const engine::FileEntry& file = run_->files()[row];
    return run_->dirs()[file.subdirNum - 1].realPath + file.realName;
  }
  return {};
}

void ResultsWindow::ListDoubleClicked(int tab) {
  if (running()) return;  // the gestures rest while a search runs
  const Qt::KeyboardModifiers keys = QApplication::keyboardModifiers();
  if (tab == kPathTab) {
    ViewSelected(ViewGesture::DoubleClick);
  } else if (keys & Qt::ShiftModifier) {
    EditSelected();
  } else if (keys & Qt::AltModifier) {
    OpenSelected(results::ShellVerb::Open);
  } else {
    ViewSelected(keys & Qt::ControlModifier ? ViewGesture::NewViewer : ViewGesture::DoubleClick);
  }
}

void ResultsWindow::ViewSelected(ViewGesture gesture) {
  results::ViewParams params;
  if (tabs_->currentIndex() == kPathTab) {
    const std::size_t row = pathList_->currentRecord();
    if (row < run_->dirs().size()) {
      results::Explore(*context_.desktop, results::ExploreAction::Directory,
                       run_->dirs()[row].realPath);
    }
    return;
  }
  if (tabs_->currentIndex() == kFilesTab) {
    const std::size_t row = filesList_->currentRecord();
    if (row >= run_->files().size()) return;
    const auto hit = resultsCheck_->isChecked()
                         ? results::FirstHitRow(run_->results(), run_->files(), run_->dirs(), row)
                         : std::nullopt;
    if (!hit) {
      params = results::ViewParamsForFile(run_->files(), run_->dirs(), row, run_->request(), true);
    } else {
      // The file's first hit is viewed as from the Results tab; the move of the selection
      // there must not send the viewer a second time.
      const QSignalBlocker quiet(resultsList_->selectionModel());
      tabs_->setCurrentIndex(kResultsTab);
      resultsList_->SelectRecord(*hit);
      resultsList_->viewport()->update();
    }
  }
  if (tabs_->currentIndex() == kResultsTab) {
    const std::size_t row = SelectedHitRow();
    if (row == kNone) return;
    params = results::ViewParamsForHit(run_->results(), row, run_->request(), true);
  }
  if (gesture == ViewGesture::NewViewer) {
    params.linked = false;
    OpenViewer(params, false);
  } else if (!viewer_) {
    OpenViewer(params, true);
  } else {
    SendHitToViewer(*viewer_, params);
    if (gesture == ViewGesture::DoubleClick) {
      HostOf(viewer_)->raise();
      HostOf(viewer_)->activateWindow();
    }
  }
}

void ResultsWindow::OpenViewer(const results::ViewParams& params, bool linked) {
  ViewerContext context;
  context.desktop = context_.desktop;
  context.files = context_.files;
  context.preferences = context_.preferences;
  context.startSearch = context_.startSearch;
  ViewFileWindow* viewer =
      NewViewFileWindow(params, std::move(context), linked ? AppWindows().SlotOf(this) : 0);
  if (!viewer) return;
  if (linked) viewer_ = viewer;
  if (context_.showWindow) {
    context_.showWindow(viewer);
  } else {
    viewer->show();
  }
}

// A linked viewer moves with the selection of the results list, except while the user
// Shift + double-clicks a line to edit it.
void ResultsWindow::FollowSelection() {
  if (!viewer_ || tabs_->currentIndex() != kResultsTab) return;
  if (QApplication::keyboardModifiers() & Qt::ShiftModifier) return;
  const std::size_t row = SelectedHitRow();
  if (row == kNone) return;
  SendHitToViewer(*viewer_, results::ViewParamsForHit(run_->results(), row, run_->request(), true));
}

void ResultsWindow::EditSelected() {
  const std::string path = SelectedPath();
  if (path.empty()) return;
  const std::uint32_t line =
      tabs_->currentIndex() == kResultsTab ? run_->results()[SelectedHitRow()].lineNo : 1;
  results::EditFile(*context_.desktop, context_.preferences.editorName.view(), path, line);
}

void ResultsWindow::OpenSelected(results::ShellVerb verb) {
  const std::string path = SelectedPath();
  if (!path.empty()) results::ShellOpen(*context_.desktop, path, verb, true);
}

void ResultsWindow::ExploreSelected(results::ExploreAction action) {
  const std::string path = SelectedPath();
  if (!path.empty()) results::Explore(*context_.desktop, action, path);
}

void ResultsWindow::CommandPromptAtSelected() {
  const std::string path = SelectedPath();
  if (path.empty()) return;
  results::CommandPromptHere(
      *context_.desktop, results::DirectoryWithoutSlash(results::SplitFullName(path).directory));
}

void ResultsWindow::CopySelectedLine() {
  const std::size_t row = SelectedHitRow();
  if (row == kNone || running()) return;
  RunLineCopyWindow(this, *context_.desktop, context_.files.trawlexIni,
                    results::LineCopyRequestFor(run_->results()[row]));
}

void ResultsWindow::CopySelectedLineTexts() {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : resultsList_->selectionModel()->selectedRows()) {
    rows.push_back(static_cast<std::size_t>(index.row()));
  }
  std::sort(rows.begin(), rows.end());  // in list order, however they were selected
  std::string text;
  for (const std::size_t row : rows) {
    if (row >= run_->results().size()) continue;
    text += results::MakeLineCopyTexts(results::LineCopyRequestFor(run_->results()[row])).boxText;
  }
  if (!text.empty()) context_.desktop->SetClipboardText(text);
}

void ResultsWindow::ResultsPopupAtCurrentRow() {
  const QRect row = resultsList_->visualRect(resultsList_->currentIndex());
  const QPoint at = row.isValid() ? row.bottomLeft() : QPoint(0, 0);
  ResultsPopup(resultsList_->viewport()->mapToGlobal(at));
}

void ResultsWindow::EditAllFiles() {
  results::EditAllFiles(*context_.desktop, context_.preferences.editorName.view(), run_->results());
}

void ResultsWindow::EditRelatedFile() {
  const std::size_t row = SelectedHitRow();
  if (row == kNone) return;
  results::EditRelatedFile(*context_.desktop, context_.preferences.editorName.view(),
                           run_->results()[row].path.str());
}

}  // namespace trawlex::ui
