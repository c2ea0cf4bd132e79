// The viewer's page: opening the file at the hit, moving the page, and what happens when the
// file can no longer be read.

#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>

#include "engine/file_search.h"
#include "results/view_texts.h"
#include "runtime/desktop.h"
#include "ui/qt_text.h"
#include "ui/view_file_parts.h"
#include "ui/view_page_list.h"
#include "ui/view_page_text.h"

namespace trawlex::ui {
namespace {

// The scroll bar's steps over the whole file.
constexpr std::int64_t kScrollSteps = 1000;

// Told when the line at the hit's position is no longer the line the search found: the
// positions the search recorded no longer hold, as with a file that shrank ("Handle EOF").
runtime::OsError FileChangedError() {
  constexpr int kPositionsLost = 338;
  return {kPositionsLost, "The file has changed since the search"};
}

}  // namespace

// Whether the file no longer holds the hit's line where the search found it.
bool ViewFileWindow::HitMoved() {
  if (!params_.hitText) return false;
  const auto line = parts_->pager->LineAt(params_.ptr);
  return !line || engine::ResultText(*line) != *params_.hitText;
}

// Opens the parameter block's file with the first page five lines above the hit. When that
// fails the user is told and the page stays empty: trying again would fail the same way.
void ViewFileWindow::Load() {
  Parts& p = *parts_;
  p.loading = true;
  p.pager->Close();
  p.kind = results::ViewFileKindOf(params_.file, context_.preferences.extVeldar,
                                   context_.preferences.extTemplates);
  p.hitMoved = false;
  runtime::OsError error = p.pager->Open(params_.fileAndPath);
  if (!error) {
    bool filled = false;
    if (HitMoved()) {
      // A page at the recorded position would show some other line as the hit.
      p.hitMoved = true;
      context_.desktop->ShowMessage(
          results::ReopenErrorMessage(FileChangedError(), params_.fileAndPath));
      filled = p.pager->Top();
    } else {
      filled = p.pager->OpenAtHit(params_.ptr);
    }
    if (!filled) error = p.pager->error();
  }
  p.loading = false;
  if (error) {
    p.pager->Close();
    p.model->SetRows({});
    p.text->clear();
    SyncScrollBar();
    context_.desktop->ShowMessage(results::ReopenErrorMessage(error, params_.fileAndPath));
    return;
  }
  int hitRow = 0;
  const auto& rows = p.pager->rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].ptr == params_.ptr && !p.hitMoved) hitRow = static_cast<int>(i);
  }
  ShowPage(hitRow);
}

// A page that could not be read: the user is told, and the viewer starts over on the file.
void ViewFileWindow::Fail(const runtime::OsError& error) {
  context_.desktop->ShowMessage(results::ReopenErrorMessage(error, params_.fileAndPath));
  Load();
}

void ViewFileWindow::Move(int move) {
  results::ViewPager& pager = *parts_->pager;
  if (!pager.isOpen()) return;
  bool read = false;
  switch (static_cast<PageMove>(move)) {
    case PageMove::LineUp:
      read = pager.LineUp();
      break;
    case PageMove::LineDown:
      read = pager.LineDown();
      break;
    case PageMove::PageUp:
      read = pager.PageUp();
      break;
    case PageMove::PageDown:
      read = pager.PageDown();
      break;
    case PageMove::Top:
      read = pager.Top();
      break;
    case PageMove::End:
      read = pager.End();
      break;
  }
  if (!read) {
    Fail(pager.error());
    return;
  }
  const auto to = static_cast<PageMove>(move);
  const bool down = to == PageMove::LineDown || to == PageMove::PageDown || to == PageMove::End;
  ShowPage(down ? static_cast<int>(pager.rows().size()) - 1 : 0);
}

// The pager's rows, coloured, with one selected; the text tab follows when it shows.
void ViewFileWindow::ShowPage(int selectedRow) {
  Parts& p = *parts_;
  const auto& rows = p.pager->rows();
  results::RowMarks marks;
  if (!p.hitMoved) {
    marks.hitPositions = &params_.hitPositions;
    marks.currentHit = params_.ptr;
  }
  if (p.find.set()) marks.find = &p.find;
  std::vector<ViewPageModel::Row> shown;
  shown.reserve(rows.size());
  for (const results::ViewRow& row : rows) {
    shown.push_back({ToQString(row.text), results::ColourRow(p.kind, row.text, row.ptr, marks)});
  }
  p.model->SetRows(std::move(shown));
  p.list->SelectRow(selectedRow);
  SyncScrollBar();
  if (p.tabs->currentIndex() == kTextTab) p.text->ShowRows(rows);
}

// A list of another height: the page keeps its top row and takes as many rows as now fit.
void ViewFileWindow::ResizePage(int rows) {
  results::ViewPager& pager = *parts_->pager;
  if (rows == pager.rowsPerPage()) return;
  pager.SetRowsPerPage(rows);
  if (parts_->loading || !pager.isOpen() || pager.rows().empty()) return;
  const int selected = parts_->list->currentRow();
  if (!pager.FillFrom(pager.rows().front().ptr)) {
    Fail(pager.error());
    return;
  }
  ShowPage(selected);
}

void ViewFileWindow::SyncScrollBar() {
  const results::ViewPager& pager = *parts_->pager;
  const std::int64_t size = pager.fileSize();
  const std::int64_t top = pager.rows().empty() ? 1 : pager.rows().front().ptr;
  const QSignalBlocker block(parts_->scroll);
  parts_->scroll->setEnabled(pager.isOpen() && size > 0);
  parts_->scroll->setValue(size > 0 ? static_cast<int>((top - 1) * kScrollSteps / size) : 0);
}

// Steps and pages of the scroll bar move the page as the keys do; the slider waits for its
// release (ScrollTo).
void ViewFileWindow::ScrollAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      Move(static_cast<int>(PageMove::LineUp));
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      Move(static_cast<int>(PageMove::LineDown));
      break;
    case QAbstractSlider::SliderPageStepSub:
      Move(static_cast<int>(PageMove::PageUp));
      break;
    case QAbstractSlider::SliderPageStepAdd:
      Move(static_cast<int>(PageMove::PageDown));
      break;
    case QAbstractSlider::SliderToMinimum:
      Move(static_cast<int>(PageMove::Top));
      break;
    case QAbstractSlider::SliderToMaximum:
      Move(static_cast<int>(PageMove::End));
      break;
    default:
      return;
  }
  // The bar shows where the page went, not where the action would have put it.
  SyncScrollBar();
  parts_->scroll->setSliderPosition(parts_->scroll->value());
}

// The page that starts with the line holding the byte the slider points at.
void ViewFileWindow::ScrollTo(int value) {
  results::ViewPager& pager = *parts_->pager;
  const std::int64_t size = pager.fileSize();
  if (!pager.isOpen() || size <= 0) return;
  if (value <= parts_->scroll->minimum()) return Move(static_cast<int>(PageMove::Top));
  if (value >= parts_->scroll->maximum()) return Move(static_cast<int>(PageMove::End));
  const std::int64_t byte = value * size / kScrollSteps + 1;
  // Backing up one line from just after the byte finds the start of the line it is in.
  const std::int64_t start = pager.BackUp(byte + 1, 1);
  if (!pager.FillFrom(start)) {
    Fail(pager.error());
    return;
  }
  ShowPage(0);
}

}  // namespace trawlex::ui
