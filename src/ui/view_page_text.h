#pragma once
// The viewer's text tab: the rows of the page as plain text, to select and copy from. Keys
// move the page as in the list ("CtrlUp,Down,PgUp,PgDn" / "Home, End - Scrolls Text"), and a
// double-click goes back to the list.

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "results/view_pager.h"
#include "ui/view_page_list.h"

namespace trawlex::ui {

class ViewPageText final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ViewPageText(QWidget* parent = nullptr);

  // The page's rows, without trailing blanks, as much of them as the text tab holds.
  void ShowRows(const std::vector<results::ViewRow>& rows);
  // The selected text as bytes, line breaks as LF.
  std::string SelectedBytes() const;

 signals:
  void moveRequested(PageMove move);
  void backToList();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace trawlex::ui
