#pragma once
// The viewer's line list: one page of the file, exactly as many rows as the list shows, each
// in the colours the viewer gave it. The list never scrolls by itself: a key or the wheel that
// would go past the page asks the viewer to move the page instead, and a change of height
// tells the viewer how many rows a page holds now.

#include <QAbstractListModel>
#include <QListView>
#include <vector>

#include "results/view_colouring.h"

namespace trawlex::ui {

enum class PageMove { LineUp, LineDown, PageUp, PageDown, Top, End };

class ViewPageModel final : public QAbstractListModel {
 public:
  // The colours a selected row takes instead of the list's highlight, when it has them.
  static constexpr int kSelectedForegroundRole = Qt::UserRole;
  static constexpr int kSelectedBackgroundRole = Qt::UserRole + 1;

  struct Row {
    QString text;
    results::RowColours colours;
  };

  using QAbstractListModel::QAbstractListModel;

  void SetRows(std::vector<Row> rows);
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<Row> rows_;
};

class ViewPageList final : public QListView {
  Q_OBJECT

 public:
  explicit ViewPageList(QWidget* parent = nullptr);

  // The rows of the current font that fit the list's height, at least one.
  int RowsThatFit() const;
  int RowHeight() const;
  int currentRow() const;
  void SelectRow(int row);

 signals:
  void moveRequested(PageMove move);
  void copyRequested();
  // The row popup, at a point of the screen; the row is the current one.
  void popupRequested(const QPoint& globalPosition);
  void rowsPerPageChanged(int rows);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PopupAtCurrentRow();
  int wheelDelta_ = 0;  // what the wheel turned short of a line
};

}  // namespace trawlex::ui
