#include "ui/format_list_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace trawlex::ui {
namespace {

constexpr int kCellPadding = 3;

// Paints a cell's lines one under the other, each with its alignment.
class CellDelegate final : public QStyledItemDelegate {
 public:
  CellDelegate(FormatListModel* model, QObject* parent)
      : QStyledItemDelegate(parent), model_(model) {}

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
    QRect line = option.rect.adjusted(kCellPadding, 1, -kCellPadding, 0);
    line.setHeight(lineHeight);
    painter->save();
    painter->setPen(option.state & QStyle::State_Selected
                        ? option.palette.color(QPalette::HighlightedText)
                        : option.palette.color(QPalette::Text));
    for (const auto& cell : lines) {
      const QString text = option.fontMetrics.elidedText(cell.text, Qt::ElideRight, line.width());
      painter->drawText(line, static_cast<int>(cell.alignment | Qt::AlignVCenter), text);
      line.translate(0, lineHeight);
    }
    painter->restore();
  }

 private:
  FormatListModel* model_;
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
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(false);  // widths stay as the format gives them
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void FormatListView::SetModel(FormatListModel* model) {
  model_ = model;
  setModel(model);
  setItemDelegate(new CellDelegate(model, this));
  ApplyFormat();
}

int FormatListView::UnitsToPixels(int units) const {
  return std::max(8, units * fontMetrics().averageCharWidth() / 4);
}

int FormatListView::PixelsToUnits(int pixels) const {
  const int average = std::max(1, fontMetrics().averageCharWidth());
  return (pixels * 4 + average / 2) / average;
}

void FormatListView::ApplyFormat() {
  if (!model_) return;
  const auto& groups = model_->format().groups();
  for (std::size_t i = 0; i < groups.size(); ++i) {
    setColumnWidth(static_cast<int>(i), UnitsToPixels(groups[i].width));
  }
  verticalHeader()->setDefaultSectionSize(model_->LinesPerRecord() * fontMetrics().height() + 2);
  // Header lines follow the tallest group header.
  horizontalHeader()->setMinimumHeight(0);
}

std::string FormatListView::FormatWithCurrentWidths() const {
  if (!model_) return {};
  results::ListFormat format = model_->format();
  for (std::size_t i = 0; i < format.groups().size(); ++i) {
    // Only widths the user changed: an untouched format is written back as it was read.
    const int pixels = columnWidth(static_cast<int>(i));
    if (pixels != UnitsToPixels(format.groups()[i].width)) {
      format.SetGroupWidth(i, PixelsToUnits(pixels));
    }
  }
  return format.Write();
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

void FormatListView::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) ApplyFormat();
}

}  // namespace trawlex::ui
