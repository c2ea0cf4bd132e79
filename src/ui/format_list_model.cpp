#include "ui/format_list_model.h"

#include <algorithm>

#include "ui/qt_text.h"

namespace trawlex::ui {

Qt::Alignment ToQtAlignment(results::Alignment alignment) {
  switch (alignment) {
    case results::Alignment::Right:
    case results::Alignment::Decimal:
      return Qt::AlignRight;
    case results::Alignment::Centre:
      return Qt::AlignHCenter;
    case results::Alignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

FormatListModel::FormatListModel(CountFn count, FieldFn field, QObject* parent)
    : QAbstractTableModel(parent), count_(std::move(count)), field_(std::move(field)) {}

void FormatListModel::SetFormat(results::ListFormat format) {
  beginResetModel();
  format_ = std::move(format);
  linesPerRecord_ = 1;
  for (const auto& group : format_.groups()) {
    linesPerRecord_ = std::max(linesPerRecord_, static_cast<int>(group.rows.size()));
  }
  shownRows_ = static_cast<int>(count_());
  endResetModel();
}

void FormatListModel::RecordsAppended() {
  const int now = static_cast<int>(count_());
  if (now > shownRows_) {
    beginInsertRows({}, shownRows_, now - 1);
    shownRows_ = now;
    endInsertRows();
  } else if (now < shownRows_) {
    Reset();
  }
}

void FormatListModel::Reset() {
  beginResetModel();
  shownRows_ = static_cast<int>(count_());
  endResetModel();
}

std::vector<FormatListModel::CellLine> FormatListModel::CellLines(std::size_t record,
                                                                  std::size_t group) const {
  std::vector<CellLine> lines;
  const auto& groups = format_.groups();
  if (group >= groups.size()) return lines;
  for (const results::ListRow& row : groups[group].rows) {
    CellLine line;
    for (const results::ListColumn& column : row.columns) {
      const std::string text = results::FormatField(column.picture, field_(record, column.field));
      if (!line.text.isEmpty()) line.text += QLatin1Char(' ');
      line.text += ToQString(text);
      line.alignment = ToQtAlignment(column.alignment);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

int FormatListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int FormatListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(format_.groups().size());
}

QVariant FormatListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  QStringList texts;
  for (const CellLine& line : CellLines(static_cast<std::size_t>(index.row()),
                                        static_cast<std::size_t>(index.column()))) {
    texts << line.text;
  }
  return texts.join(QLatin1Char('\n'));
}

QVariant FormatListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  const auto& groups = format_.groups();
  if (section < 0 || section >= static_cast<int>(groups.size())) return {};
  return ToQString(results::DisplayHeader(groups[static_cast<std::size_t>(section)]));
}

}  // namespace trawlex::ui
