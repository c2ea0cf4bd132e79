#include "ui/format_list_view.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>

namespace trawlex::ui {
namespace {

// Records measured as they arrive; those further down are measured when they are painted,
// so a list of a million hits does not measure every text at once.
constexpr int kMeasuredRecords = 5000;

// Half the width of the band around a header section's edge that grabs it for resizing: the
// styles' usual 4 pixels take a steady hand.
constexpr int kHeaderGripMargin = 8;

class WideGripStyle final : public QProxyStyle {
 public:
  // A style of its own, of the application's kind: a proxy owns the style it wraps.
  WideGripStyle() : QProxyStyle(QApplication::style()->name()) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_HeaderGripMargin) return kHeaderGripMargin;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// Paints a cell's lines one under the other, each with its alignment.
class CellDelegate final : public QStyledItemDelegate {
 public:
  CellDelegate(FormatListModel* model, FormatListView* view)
      : QStyledItemDelegate(view), model_(model), view_(view) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem base = option;
    initStyleOption(&base, index);
    base.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : nullptr;
    if (style) style->drawControl(QStyle::CE_ItemViewItem, &base, painter, widget);

    const auto lines = model_->CellLines(static_cast<std::size_t>(index.row()),
                                         static_cast<std::size_t>(index.column()));
    const int lineHeight = option.fontMetrics.height();
    const int pad = FormatListView::kCellPadding;
    QRect line = option.rect.adjusted(pad, 1, -pad, 0);
    line.setHeight(lineHeight);
    painter->save();
    painter->setPen(option.state & QStyle::State_Selected
                        ? option.palette.color(QPalette::HighlightedText)
                        : option.palette.color(QPalette::Text));
    for (const auto& cell : lines) {
      // Measured once: the width both widens the column and says whether to elide.
      const int width = option.fontMetrics.horizontalAdvance(cell.text);
      if (view_) view_->NoteCellWidth(index.column(), width + 2 * pad);
      const QString text = width <= line.width() ? cell.text
                                                 : option.fontMetrics.elidedText(
                                                       cell.text, Qt::ElideRight, line.width());
      painter->drawText(line, static_cast<int>(cell.alignment | Qt::AlignVCenter), text);
      line.translate(0, lineHeight);
    }
    painter->restore();
  }

 private:
  FormatListModel* model_;
  QPointer<FormatListView> view_;
};

}  // namespace

FormatListView::FormatListView(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  setShowGrid(false);
  setAlternatingRowColors(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  // The last column is fitted by hand: a stretched section may shrink below its text.
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto* gripStyle = new WideGripStyle;
  gripStyle->setParent(header);
  header->setStyle(gripStyle);
  connect(header, &QHeaderView::sectionResized, this,
          [this](int column, int, int newSize) { SectionResized(column, newSize); });
}

void FormatListView::SetModel(FormatListModel* model) {
  model_ = model;
  setModel(model);
  setItemDelegate(new CellDelegate(model, this));
  connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int f, int l) {
    MeasureRecords(f, l);
    WidenToNeeds();
  });
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    MeasureRecords(0, model_->rowCount() - 1);
    WidenToNeeds();
  });
  ApplyFormat();
}

// The dialogue base unit of the list's font: the average width of the 52 letters, rounded.
int FormatListView::BaseUnit() const {
  static const QString kLetters =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return std::max(1, (fontMetrics().horizontalAdvance(kLetters) / 26 + 1) / 2);
}

int FormatListView::UnitsToPixels(int units) const {
  return std::max(8, (units * BaseUnit() + 2) / 4);
}

int FormatListView::PixelsToUnits(int pixels) const {
  const int base = BaseUnit();
  return (pixels * 4 + base / 2) / base;
}

void FormatListView::ApplyFormat() {
  if (!model_) return;
  cellWidths_.assign(static_cast<std::size_t>(model_->columnCount()), 0);
  userSized_.assign(cellWidths_.size(), false);
  MeasureRecords(0, model_->rowCount() - 1);
  const auto& groups = model_->format().groups();
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const int column = static_cast<int>(i);
    SetWidth(column, std::max(UnitsToPixels(groups[i].width), NeededWidth(column)));
  }
  FitLastColumn();
  verticalHeader()->setDefaultSectionSize(model_->LinesPerRecord() * fontMetrics().height() + 2);
  // Header lines follow the tallest group header.
  horizontalHeader()->setMinimumHeight(0);
}

std::string FormatListView::FormatWithCurrentWidths() const {
  if (!model_) return {};
  results::ListFormat format = model_->format();
  for (std::size_t i = 0; i < format.groups().size(); ++i) {
    // Only widths the user dragged: an untouched format is written back as it was read.
    if (i < userSized_.size() && userSized_[i]) {
      format.SetGroupWidth(i, PixelsToUnits(columnWidth(static_cast<int>(i))));
    }
  }
  return format.Write();
}

int FormatListView::NeededWidth(int column) const {
  const auto index = static_cast<std::size_t>(column);
  const int cells = index < cellWidths_.size() ? cellWidths_[index] : 0;
  return std::max(cells, horizontalHeader()->sectionSizeHint(column));
}

void FormatListView::NoteCellWidth(int column, int pixels) {
  const auto index = static_cast<std::size_t>(column);
  if (index >= cellWidths_.size() || pixels <= cellWidths_[index]) return;
  cellWidths_[index] = pixels;
  // Not while painting: the widths change once the paint is over.
  if (!widenPending_) {
    widenPending_ = true;
    QTimer::singleShot(0, this, [this] {
      widenPending_ = false;
      WidenToNeeds();
    });
  }
}

void FormatListView::MeasureRecords(int first, int last) {
  if (!model_) return;
  cellWidths_.resize(static_cast<std::size_t>(model_->columnCount()), 0);
  userSized_.resize(cellWidths_.size(), false);
  const QFontMetrics metrics = fontMetrics();
  last = std::min(last, kMeasuredRecords - 1);
  for (int row = std::max(first, 0); row <= last; ++row) {
    for (std::size_t column = 0; column < cellWidths_.size(); ++column) {
      for (const auto& line : model_->CellLines(static_cast<std::size_t>(row), column)) {
        cellWidths_[column] =
            std::max(cellWidths_[column], metrics.horizontalAdvance(line.text) + 2 * kCellPadding);
      }
    }
  }
}

void FormatListView::WidenToNeeds() {
  if (!model_) return;
  for (int column = 0; column < model_->columnCount(); ++column) {
    if (columnWidth(column) < NeededWidth(column)) SetWidth(column, NeededWidth(column));
  }
  FitLastColumn();
}

// The last column reaches the right edge of the list, and is never narrower than it needs.
void FormatListView::FitLastColumn() {
  if (!model_ || model_->columnCount() == 0) return;
  const int last = model_->columnCount() - 1;
  int others = 0;
  for (int column = 0; column < last; ++column) others += columnWidth(column);
  const auto& groups = model_->format().groups();
  const int designed =
      last < static_cast<int>(groups.size()) ? UnitsToPixels(groups[last].width) : 0;
  SetWidth(last, std::max({viewport()->width() - others, designed, NeededWidth(last)}));
}

void FormatListView::SectionResized(int column, int newSize) {
  if (settingWidths_ || !model_) return;
  if (column == model_->columnCount() - 1) return;  // the last column follows the others
  userSized_.resize(static_cast<std::size_t>(model_->columnCount()), false);
  userSized_[static_cast<std::size_t>(column)] = true;
  // A drag stops where the column's texts would be cut.
  if (newSize < NeededWidth(column)) SetWidth(column, NeededWidth(column));
  FitLastColumn();
}

void FormatListView::SetWidth(int column, int pixels) {
  settingWidths_ = true;
  setColumnWidth(column, pixels);
  settingWidths_ = false;
}

std::size_t FormatListView::currentRecord() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? static_cast<std::size_t>(index.row()) : static_cast<std::size_t>(-1);
}

void FormatListView::SelectRecord(std::size_t record) {
  if (!model_ || record >= static_cast<std::size_t>(model_->rowCount())) return;
  const QModelIndex index = model_->index(static_cast<int>(record), 0);
  setCurrentIndex(index);
  selectRow(static_cast<int>(record));
  scrollTo(index);
}

QModelIndex FormatListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if (model_ && model_->rowCount() > 0 && (action == MoveHome || action == MoveEnd)) {
    return model_->index(action == MoveHome ? 0 : model_->rowCount() - 1, 0);
  }
  return QTableView::moveCursor(action, modifiers);
}

void FormatListView::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) ApplyFormat();
}

void FormatListView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  FitLastColumn();
}

}  // namespace trawlex::ui
