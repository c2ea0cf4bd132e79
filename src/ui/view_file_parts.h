#pragma once
// What a file viewer is made of: its pager and find, and the widgets its parts act on. Shared
// by the viewer's source files only.

#include <memory>

#include "results/find_text.h"
#include "results/view_colouring.h"
#include "results/view_pager.h"
#include "ui/view_file_window.h"

class QAction;
class QLabel;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QToolButton;

namespace trawlex::ui {

class ViewPageList;
class ViewPageModel;
class ViewPageText;

inline constexpr int kListTab = 0;
inline constexpr int kTextTab = 1;

struct ViewFileWindow::Parts {
  std::unique_ptr<results::ViewPager> pager;
  results::FindRecord find;
  results::ViewFileKind kind = results::ViewFileKind::None;
  // The hit is not where the search found it: its marks would colour the wrong rows.
  bool hitMoved = false;
  // A load is under way: a resize only counts the rows, the load fills the page.
  bool loading = false;
  bool placed = false;

  QLabel* heading = nullptr;
  QTabWidget* tabs = nullptr;
  ViewPageModel* model = nullptr;
  ViewPageList* list = nullptr;
  QScrollBar* scroll = nullptr;
  ViewPageText* text = nullptr;

  QAction* breakAction = nullptr;
  QAction* findTextAction = nullptr;
  QAction* findNextAction = nullptr;
  QAction* findPreviousAction = nullptr;
  QToolButton* previousFile = nullptr;
  QPushButton* previousLine = nullptr;
  QPushButton* nextLine = nullptr;
  QToolButton* nextFile = nullptr;
  QPushButton* selSrch = nullptr;
  QPushButton* edit = nullptr;
  QPushButton* results = nullptr;
  QPushButton* breakLink = nullptr;
  QToolButton* searchUp = nullptr;
  QPushButton* findButton = nullptr;
  QToolButton* searchDown = nullptr;
  QPushButton* asText = nullptr;
  QPushButton* help = nullptr;
};

}  // namespace trawlex::ui
