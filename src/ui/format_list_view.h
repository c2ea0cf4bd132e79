#pragma once
// A list view over a FormatListModel: column widths from the format (the list control's
// units: a quarter of the font's average character width), one fixed row height for every
// record, and each cell's lines drawn with their own alignment.

#include <QTableView>

#include "ui/format_list_model.h"

namespace trawlex::ui {

class FormatListView final : public QTableView {
 public:
  explicit FormatListView(QWidget* parent = nullptr);

  void SetModel(FormatListModel* model);
  // Applies the model's format to the view: widths, row height, headers.
  void ApplyFormat();
  // The format with the widths the user dragged, as text.
  std::string FormatWithCurrentWidths() const;
  std::size_t currentRecord() const;  // npos when nothing is selected
  void SelectRecord(std::size_t record);

  // Width units of the list control and pixels.
  int UnitsToPixels(int units) const;
  int PixelsToUnits(int pixels) const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  FormatListModel* model_ = nullptr;
};

}  // namespace trawlex::ui
