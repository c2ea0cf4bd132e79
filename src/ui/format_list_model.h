#pragma once
// A table model that shows records through a list format string: one view column per group
// of the format, one view row per record, and in each cell the group's rows one under the
// other. The records are not copied: the model asks for a record's field when a cell is
// painted, so a million hits cost nothing until they scroll into view.

#include <QAbstractTableModel>
#include <functional>

#include "results/list_format.h"

namespace trawlex::ui {

class FormatListModel final : public QAbstractTableModel {
 public:
  // How many records there are, and a field (numbered as the format numbers them) of one.
  using CountFn = std::function<std::size_t()>;
  using FieldFn = std::function<results::FieldValue(std::size_t record, int field)>;

  FormatListModel(CountFn count, FieldFn field, QObject* parent = nullptr);

  void SetFormat(results::ListFormat format);
  const results::ListFormat& format() const { return format_; }
  // The most rows a group of the format has: the height of every view row, in lines.
  int LinesPerRecord() const { return linesPerRecord_; }

  // Records were appended (or the list changed beyond appending): tells the view.
  void RecordsAppended();
  void Reset();

  // One cell: the texts of a group's rows, each with its alignment.
  struct CellLine {
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft;
  };
  std::vector<CellLine> CellLines(std::size_t record, std::size_t group) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  CountFn count_;
  FieldFn field_;
  results::ListFormat format_;
  int linesPerRecord_ = 1;
  int shownRows_ = 0;
};

// The alignment of a column's text.
Qt::Alignment ToQtAlignment(results::Alignment alignment);

}  // namespace trawlex::ui
