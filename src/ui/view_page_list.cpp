#include "ui/view_page_list.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

#include "ui/qt_desktop.h"

namespace trawlex::ui {
namespace {

// One wheel notch (120 units) moves this many lines, as a scrolling list does.
constexpr int kLinesPerNotch = 3;
constexpr int kUnitsPerLine = 120 / kLinesPerNotch;

// Rows of a fixed height, so that the rows of a page can be counted before they exist; a
// selected row keeps the colours that make it stand out when the viewer gave it some.
class RowDelegate final : public QStyledItemDelegate {
 public:
  explicit RowDelegate(ViewPageList* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), list_->RowHeight()};
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant foreground = index.data(ViewPageModel::kSelectedForegroundRole);
    const QVariant background = index.data(ViewPageModel::kSelectedBackgroundRole);
    if (foreground.isValid()) {
      option->palette.setColor(QPalette::HighlightedText, foreground.value<QColor>());
    }
    if (background.isValid()) {
      option->palette.setColor(QPalette::Highlight, background.value<QColor>());
    }
  }

 private:
  ViewPageList* list_;
};

QVariant Colour(std::int32_t value) {
  return value == results::kListColour ? QVariant() : QVariant(ToQColor(value));
}

}  // namespace

void ViewPageModel::SetRows(std::vector<Row> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int ViewPageModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ViewPageModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return row.text;
    case Qt::ForegroundRole:
      return Colour(row.colours.fg);
    case Qt::BackgroundRole:
      return Colour(row.colours.bg);
    case kSelectedForegroundRole:
      return Colour(row.colours.selectedFg);
    case kSelectedBackgroundRole:
      return Colour(row.colours.selectedBg);
    default:
      return {};
  }
}

ViewPageList::ViewPageList(QWidget* parent) : QListView(parent) {
  setItemDelegate(new RowDelegate(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the page is all there is to scroll
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setWordWrap(false);
}

int ViewPageList::RowHeight() const {
  return fontMetrics().height() + 2;
}

int ViewPageList::RowsThatFit() const {
  // A horizontal scroll bar may come and go with the page's widest row: the page is counted
  // without the room it takes, so that the row count does not flicker with it.
  int height = viewport()->height();
  if (horizontalScrollBar()->isVisible()) height += horizontalScrollBar()->height();
  return std::max(1, height / RowHeight());
}

int ViewPageList::currentRow() const {
  return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ViewPageList::SelectRow(int row) {
  if (model() == nullptr || model()->rowCount() == 0) return;
  row = std::clamp(row, 0, model()->rowCount() - 1);
  setCurrentIndex(model()->index(row, 0));
}

void ViewPageList::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const int rows = model() ? model()->rowCount() : 0;
  const bool ctrl = modifiers == Qt::ControlModifier;
  auto move = [&](PageMove to) {
    event->accept();
    emit moveRequested(to);
  };
  if (event->matches(QKeySequence::Copy)) {
    event->accept();
    emit copyRequested();
  } else if (key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
    event->accept();
    PopupAtCurrentRow();
  } else if (key == Qt::Key_Up && (ctrl || currentRow() <= 0)) {
    move(PageMove::LineUp);
  } else if (key == Qt::Key_Down && (ctrl || currentRow() >= rows - 1)) {
    move(PageMove::LineDown);
  } else if (key == Qt::Key_PageUp) {
    move(PageMove::PageUp);
  } else if (key == Qt::Key_PageDown) {
    move(PageMove::PageDown);
  } else if (key == Qt::Key_Home) {
    move(PageMove::Top);
  } else if (key == Qt::Key_End) {
    move(PageMove::End);
  } else {
    QListView::keyPressEvent(event);
  }
}

void ViewPageList::wheelEvent(QWheelEvent* event) {
  event->accept();
  wheelDelta_ += event->angleDelta().y();
  while (wheelDelta_ >= kUnitsPerLine) {
    wheelDelta_ -= kUnitsPerLine;
    emit moveRequested(PageMove::LineUp);
  }
  while (wheelDelta_ <= -kUnitsPerLine) {
    wheelDelta_ += kUnitsPerLine;
    emit moveRequested(PageMove::LineDown);
  }
}

void ViewPageList::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  emit rowsPerPageChanged(RowsThatFit());
}

void ViewPageList::changeEvent(QEvent* event) {
  QListView::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    doItemsLayout();  // the rows take the new height
    emit rowsPerPageChanged(RowsThatFit());
  }
}

void ViewPageList::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (event->reason() != QContextMenuEvent::Mouse) {
    PopupAtCurrentRow();
    return;
  }
  // The list's context events come from its viewport, in the viewport's coordinates.
  const QModelIndex index = indexAt(event->pos());
  if (!index.isValid()) return;
  setCurrentIndex(index);
  emit popupRequested(event->globalPos());
}

void ViewPageList::PopupAtCurrentRow() {
  const QModelIndex index = currentIndex();
  if (!index.isValid()) return;
  const QRect row = visualRect(index);
  emit popupRequested(viewport()->mapToGlobal(QPoint(row.left() + 8, row.bottom())));
}

}  // namespace trawlex::ui
