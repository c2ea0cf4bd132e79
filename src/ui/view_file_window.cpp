#include "ui/view_file_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "results/view_texts.h"
#include "ui/qt_text.h"
#include "ui/view_file_parts.h"
#include "ui/view_page_list.h"
#include "ui/view_page_text.h"
#include "ui/window_centring.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

constexpr QSize kDesignedSize(760, 520);
// Rows of the first page, before the list knows its height.
constexpr int kFirstPageRows = 20;

QPushButton* Button(QWidget* parent, const char* name, const char* text, const char* tip) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  if (tip != nullptr) button->setToolTip(QString::fromUtf8(tip));
  return button;
}

// A small arrow button; keyboard users reach it with Tab and its shortcut.
QToolButton* Arrow(QWidget* parent, const char* name, Qt::ArrowType arrow, const char* tip,
                   const QKeySequence& shortcut) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setArrowType(arrow);
  button->setToolTip(QString::fromUtf8(tip));
  button->setAccessibleName(QString::fromUtf8(tip));
  button->setFocusPolicy(Qt::StrongFocus);
  button->setShortcut(shortcut);
  return button;
}

QAction* MenuAction(QMenu* menu, const char* name, const char* text) {
  QAction* action = menu->addAction(QString::fromUtf8(text));
  action->setObjectName(name);
  return action;
}

}  // namespace

ViewFileWindow::ViewFileWindow(results::ViewParams params, ViewerContext context, int resultsSlot,
                               QWidget* parent)
    : QWidget(parent),
      params_(std::move(params)),
      context_(std::move(context)),
      resultsSlot_(params_.linked ? resultsSlot : 0),
      parts_(std::make_unique<Parts>()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("ViewFile");
  AppWindows().Open(this, WindowKind::Viewer);
  parts_->pager = std::make_unique<results::ViewPager>(*context_.desktop, kFirstPageRows);

  auto* layout = new QVBoxLayout(this);
  BuildMenus();
  parts_->heading = new QLabel(this);
  parts_->heading->setObjectName("heading");
  parts_->heading->setFrameShape(QFrame::StyledPanel);
  parts_->heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(parts_->heading);
  parts_->tabs = new QTabWidget(this);
  parts_->tabs->setObjectName("tabs");
  parts_->tabs->addTab(BuildListTab(), tr("Tab List"));
  parts_->tabs->addTab(BuildTextTab(), tr("Tab Text"));
  parts_->tabs->tabBar()->hide();  // "&As Text" switches
  layout->addWidget(parts_->tabs, 1);
  layout->addLayout(BuildButtons());
  Connect();
  LoadFont();
  resize(kDesignedSize);

  ShowTitles();
  ShowLink();
  ShowFindState();
  Load();
}

// A viewer deleted without being closed still frees its results window to start another.
ViewFileWindow::~ViewFileWindow() {
  if (resultsSlot_ != 0) AppWindows().Post(resultsSlot_, kEventPartnerClosed);
}

void ViewFileWindow::BuildMenus() {
  auto* bar = new QMenuBar(this);
  QMenu* view = bar->addMenu(tr("View"));
  parts_->breakAction = MenuAction(view, "breakAction", "Break Link to Results List");
  connect(parts_->breakAction, &QAction::triggered, this, [this] { BreakLink(); });

  QMenu* look = bar->addMenu(tr("&Look"));
  QMenu* font = look->addMenu(tr("Font"));
  connect(MenuAction(font, "changeFont", "Change Font"), &QAction::triggered, this,
          [this] { ChangeFont(); });
  connect(MenuAction(font, "saveFont", "Save Current Font as Default"), &QAction::triggered, this,
          [this] { SaveFont(); });
  QMenu* window = look->addMenu(tr("Window"));
  connect(MenuAction(window, "savePlacement", "Save Current Size and Location as Default"),
          &QAction::triggered, this, [this] { SavePlacement(); });

  QMenu* find = bar->addMenu(tr("Find"));
  parts_->findTextAction = MenuAction(find, "findTextAction", "Find Text in Viewer...\tAlt+F3");
  parts_->findTextAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F3));
  parts_->findNextAction = MenuAction(find, "findNextAction", "Find Next\tF3");
  parts_->findNextAction->setShortcut(QKeySequence(Qt::Key_F3));
  parts_->findPreviousAction = MenuAction(find, "findPreviousAction", "Find Previous\tShift+F3");
  parts_->findPreviousAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

QWidget* ViewFileWindow::BuildListTab() {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  parts_->model = new ViewPageModel(this);
  parts_->list = new ViewPageList(page);
  parts_->list->setObjectName("lines");
  parts_->list->setModel(parts_->model);
  // The bar stands for the byte position of the page in the file.
  parts_->scroll = new QScrollBar(Qt::Vertical, page);
  parts_->scroll->setObjectName("position");
  parts_->scroll->setRange(0, 1000);
  parts_->scroll->setPageStep(100);
  row->addWidget(parts_->list, 1);
  row->addWidget(parts_->scroll);
  return page;
}

QWidget* ViewFileWindow::BuildTextTab() {
  parts_->text = new ViewPageText;
  parts_->text->setObjectName("pageText");
  return parts_->text;
}

QLayout* ViewFileWindow::BuildButtons() {
  Parts& p = *parts_;
  p.previousFile = Arrow(this, "previousFile", Qt::LeftArrow, "Jump to the Previous File",
                         QKeySequence(Qt::ALT | Qt::Key_Left));
  p.previousLine = Button(this, "previousLine", "&Prev", "Show previous results line");
  p.nextLine = Button(this, "nextLine", "&Next", "Show next results line");
  p.nextFile = Arrow(this, "nextFile", Qt::RightArrow, "Jump to the Next File",
                     QKeySequence(Qt::ALT | Qt::Key_Right));
  p.selSrch = Button(this, "selSrch", "SelSrch", "Start New Search for Selected Text");
  p.selSrch->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
  p.edit = Button(this, "editFile", "&Edit File", nullptr);
  p.results = Button(this, "results", "&Res", "Change Focus to Search Results List");
  p.breakLink = Button(this, "breakLink", "&Break",
                       "Break Link to Results List to allow opening another Viewer");
  p.searchUp = Arrow(this, "searchUp", Qt::UpArrow, "Search Up the File (Prev)", {});
  p.findButton = Button(this, "find", "&Find", nullptr);
  p.searchDown = Arrow(this, "searchDown", Qt::DownArrow, "Search Down the File (Next)", {});
  p.asText =
      Button(this, "asText", "&As Text", "Switch to text box for cut and paste (Dbl Click in Box)");
  p.help = Button(this, "help", "V&W ?", "Display Veldar Help on selected text (F2)");
  auto* hint = new QLabel(tr("CtrlUp,Down,PgUp,PgDn\nHome, End - Scrolls Text"), this);
  hint->setObjectName("hint");

  auto* links = new QHBoxLayout;
  for (QWidget* w :
       std::initializer_list<QWidget*>{p.previousFile, p.previousLine, p.nextLine, p.nextFile}) {
    links->addWidget(w);
  }
  links->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{p.selSrch, p.edit, p.results, p.breakLink}) {
    links->addWidget(w);
  }
  auto* tools = new QHBoxLayout;
  for (QWidget* w :
       std::initializer_list<QWidget*>{p.searchUp, p.findButton, p.searchDown, p.asText, p.help}) {
    tools->addWidget(w);
  }
  tools->addStretch(1);
  tools->addWidget(hint);
  auto* rows = new QVBoxLayout;
  rows->addLayout(links);
  rows->addLayout(tools);
  return rows;
}

void ViewFileWindow::Connect() {
  Parts& p = *parts_;
  auto post = [this](int code) {
    return [this, code] {
      if (resultsSlot_ != 0) AppWindows().Post(resultsSlot_, code);
    };
  };
  connect(p.previousFile, &QToolButton::clicked, this, post(kEventPreviousFile));
  connect(p.previousLine, &QPushButton::clicked, this, post(kEventPreviousLine));
  connect(p.nextLine, &QPushButton::clicked, this, post(kEventNextLine));
  connect(p.nextFile, &QToolButton::clicked, this, post(kEventNextFile));
  connect(p.results, &QPushButton::clicked, this, [this] { ActivateResults(); });
  connect(p.breakLink, &QPushButton::clicked, this, [this] { BreakLink(); });
  connect(p.selSrch, &QPushButton::clicked, this, [this] { SearchForSelection(); });
  connect(p.edit, &QPushButton::clicked, this, [this] { EditFile(); });
  connect(p.help, &QPushButton::clicked, this, [this] { HelpOnWord(); });
  auto* helpKey = new QAction(this);
  helpKey->setShortcut(QKeySequence(Qt::Key_F2));
  addAction(helpKey);
  connect(helpKey, &QAction::triggered, this, [this] { HelpOnWord(); });

  connect(p.findButton, &QPushButton::clicked, this, [this] { FindWithWindow(); });
  connect(p.searchUp, &QToolButton::clicked, this, [this] { Search(true, false); });
  connect(p.searchDown, &QToolButton::clicked, this, [this] { Search(false, false); });
  connect(p.findTextAction, &QAction::triggered, p.findButton, &QPushButton::click);
  // F3 and Shift+F3 press a search button only while it is there to be pressed.
  auto press = [](QAbstractButton* button) {
    return [button] {
      if (button->isEnabled() && button->isVisible()) button->click();
    };
  };
  connect(p.findNextAction, &QAction::triggered, this, press(p.searchDown));
  connect(p.findPreviousAction, &QAction::triggered, this, press(p.searchUp));

  connect(p.asText, &QPushButton::clicked, this,
          [this] { ShowTab(parts_->tabs->currentIndex() == kListTab ? kTextTab : kListTab); });
  connect(p.tabs, &QTabWidget::currentChanged, this, [this](int index) { ShowTab(index); });
  connect(p.list, &QAbstractItemView::doubleClicked, this, [this] { ShowTab(kTextTab); });
  connect(p.text, &ViewPageText::backToList, this, [this] { ShowTab(kListTab); });

  connect(p.list, &ViewPageList::moveRequested, this,
          [this](PageMove move) { Move(static_cast<int>(move)); });
  connect(p.text, &ViewPageText::moveRequested, this,
          [this](PageMove move) { Move(static_cast<int>(move)); });
  connect(p.list, &ViewPageList::rowsPerPageChanged, this, [this](int rows) { ResizePage(rows); });
  connect(p.list, &ViewPageList::copyRequested, this, [this] { CopyRow(false); });
  connect(p.list, &ViewPageList::popupRequested, this, [this](const QPoint& at) { RowPopup(at); });
  connect(p.scroll, &QScrollBar::actionTriggered, this,
          [this](int action) { ScrollAction(action); });
  connect(p.scroll, &QScrollBar::sliderReleased, this,
          [this] { ScrollTo(parts_->scroll->sliderPosition()); });
}

QSize ViewFileWindow::sizeHint() const {
  return kDesignedSize;
}

void ViewFileWindow::ShowTitles() {
  setWindowTitle(ToQString(results::ViewTitle(params_)));
  parts_->heading->setText(ToQString(results::ViewHeading(params_)));
  parts_->edit->setToolTip(ToQString(params_.fileAndPath));
}

// An unlinked viewer has no results window to walk or to go back to.
void ViewFileWindow::ShowLink() {
  const bool linked = resultsSlot_ != 0;
  Parts& p = *parts_;
  p.breakAction->setEnabled(linked);
  for (QWidget* w : std::initializer_list<QWidget*>{p.previousFile, p.previousLine, p.nextLine,
                                                    p.nextFile, p.results, p.breakLink}) {
    w->setEnabled(linked);
  }
}

void ViewFileWindow::BreakLink() {
  if (resultsSlot_ == 0) return;
  AppWindows().Post(resultsSlot_, kEventPartnerClosed);
  resultsSlot_ = 0;
  ShowLink();
}

void ViewFileWindow::ActivateResults() {
  QWidget* results = AppWindows().Window(resultsSlot_);
  if (results == nullptr) return;
  QWidget& host = PlacedWindow(*results);
  if (host.isMinimized()) host.showNormal();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(&host); sub && sub->mdiArea()) {
    sub->mdiArea()->setActiveSubWindow(sub);
  }
  host.raise();
  host.activateWindow();
  results->setFocus(Qt::OtherFocusReason);
}

// The text tab holds the page only while it shows: "&As List" empties it again.
void ViewFileWindow::ShowTab(int index) {
  Parts& p = *parts_;
  if (p.tabs->currentIndex() != index) {
    p.tabs->setCurrentIndex(index);  // comes back here through currentChanged
    return;
  }
  const bool text = index == kTextTab;
  p.asText->setText(text ? tr("&As List") : tr("&As Text"));
  if (text) {
    p.text->ShowRows(p.pager->rows());
    p.text->setFocus(Qt::OtherFocusReason);
  } else {
    p.text->clear();
    p.list->setFocus(Qt::OtherFocusReason);
  }
}

void ViewFileWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (parts_->placed) return;
  parts_->placed = true;
  Place();
  parts_->list->setFocus(Qt::OtherFocusReason);
}

bool ViewFileWindow::event(QEvent* event) {
  if (event->type() != ProgramEvent::EventType()) return QWidget::event(event);
  QWidget& host = PlacedWindow(*this);
  switch (static_cast<ProgramEvent*>(event)->Code()) {
    case kEventShowLine:
      ShowHit(PendingViewParams());
      break;
    case kEventPartnerClosed:
      // Only from the linked results window, which is gone and must not be told; a viewer
      // that broke the link ignores a notice that crossed its own.
      if (resultsSlot_ == 0) break;
      resultsSlot_ = 0;
      host.close();
      break;
    case kEventCloseViewers:
      host.close();
      break;
    case kEventMinimizeViewers:
      if (!host.isMinimized()) host.showMinimized();
      break;
    case kEventRestoreViewers:
    case kEventRestoreBoth:
      if (host.isMinimized()) host.showNormal();
      break;
    default:
      break;
  }
  return true;
}

void ViewFileWindow::closeEvent(QCloseEvent* event) {
  BreakLink();
  parts_->pager->Close();
  QWidget::closeEvent(event);
}

void ViewFileWindow::ShowHit(results::ViewParams params) {
  ShowTab(kListTab);
  params_ = std::move(params);
  if (!params_.linked) resultsSlot_ = 0;
  ShowTitles();
  ShowLink();
  Load();
}

ViewFileWindow* NewViewFileWindow(results::ViewParams params, ViewerContext context,
                                  int resultsSlot) {
  runtime::Desktop& desktop = *context.desktop;
  auto* viewer = new ViewFileWindow(std::move(params), std::move(context), resultsSlot);
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  if (AppWindows().SlotOf(viewer) == 0) {  // the viewer takes its slot as it opens
    runtime::Tell(desktop, "No window slot is free.", "Search", runtime::Icon::Warning);
    delete viewer;
    return nullptr;
  }
  return viewer;
}

void SendHitToViewer(ViewFileWindow& viewer, results::ViewParams params) {
  PendingViewParams() = std::move(params);
  AppWindows().Post(AppWindows().SlotOf(&viewer), kEventShowLine);
}

results::ViewParams& PendingViewParams() {
  static results::ViewParams params;
  return params;
}

}  // namespace trawlex::ui
