#pragma once
// A list view over a FormatListModel: one fixed row height for every record, each cell's lines
// drawn with their own alignment, and column widths that never cut what a column shows. The
// format's widths (the list control's dialogue units) are each column's starting width; a
// column is widened to its header and to the widest text of its cells in the list's font, and
// the last column takes the width that is left.

#include <QTableView>
#include <vector>

#include "ui/format_list_model.h"

namespace trawlex::ui {

class FormatListView final : public QTableView {
 public:
  // Blank pixels on each side of a cell's text.
  static constexpr int kCellPadding = 3;

  explicit FormatListView(QWidget* parent = nullptr);

  void SetModel(FormatListModel* model);
  // Applies the model's format to the view: widths, row height, headers.
  void ApplyFormat();
  // The format with the widths the user dragged, as text.
  std::string FormatWithCurrentWidths() const;
  std::size_t currentRecord() const;  // npos when nothing is selected
  void SelectRecord(std::size_t record);

  // Dialogue units of the list's font and pixels: a unit is a quarter of the font's average
  // character width, taken over the 52 letters as Windows dialogues take it.
  int UnitsToPixels(int units) const;
  int PixelsToUnits(int pixels) const;

  // The least width of a column: its header and the widest cell text measured so far.
  int NeededWidth(int column) const;
  // A cell painted with text this wide (padding included): widens its column when needed.
  void NoteCellWidth(int column, int pixels);

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Home and End go to the first and the last record, not along the row.
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  int BaseUnit() const;
  void MeasureRecords(int first, int last);
  void WidenToNeeds();
  void FitLastColumn();
  void SectionResized(int column, int newSize);
  void SetWidth(int column, int pixels);  // a width the view sets, not the user

  FormatListModel* model_ = nullptr;
  std::vector<int> cellWidths_;  // per column: widest cell text measured, padding included
  std::vector<bool> userSized_;  // per column: the user dragged its width
  bool settingWidths_ = false;
  bool widenPending_ = false;
};

}  // namespace trawlex::ui
