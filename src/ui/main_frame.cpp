#include "ui/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <filesystem>

#include "engine/prefetcher.h"
#include "results/look_file.h"
#include "runtime/desktop.h"
#include "shell/debug_trace.h"
#include "shell/frame_title.h"
#include "shell/saved_search_session.h"
#include "shell/search_parameters.h"
#include "shell/setup_check.h"
#include "shell/store_messages.h"
#include "shell/user_guide.h"
#include "shell/window_placement.h"
#include "ui/about_window.h"
#include "ui/app_icon.h"
#include "ui/constant_converter_window.h"
#include "ui/feq_use_buddy_window.h"
#include "ui/help_window.h"
#include "ui/multi_search_window.h"
#include "ui/preferences_window.h"
#include "ui/prototype_converter_window.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/results_report.h"
#include "ui/results_window.h"
#include "ui/saved_search_windows.h"
#include "ui/search_input_window.h"
#include "ui/stick_note_window.h"
#include "ui/view_file_window.h"
#include "ui/window_centring.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

// The extra help text the Help menu shows in the file viewer, in the working directory.
constexpr std::string_view kHelpExtraFile = "TrxHelp_Extra.RTF";

// What a search dialogue works on, kept alive as long as the dialogue.
class SearchDialogParts final : public QObject {
 public:
  SearchDialogParts(MainFrame& frame, shell::SavedSearchStore& saved,
                    shell::RecentSearchStore& recent, runtime::Desktop& desktop,
                    shell::SearchListWindows& windows, const shell::SettingsFiles& files,
                    shell::DialogMode mode)
      : session(saved, recent, desktop, windows,
                mode == shell::DialogMode::Edit        ? shell::SessionMode::Edit
                : mode == shell::DialogMode::Prefilled ? shell::SessionMode::Prefilled
                                                       : shell::SessionMode::Normal),
        model(files, frame.preferences(), desktop, session, mode) {}

  shell::SavedSearchSession session;
  shell::SearchParameters model;
};

// The smallest size at which a child window shows every caption whole: its own minimum or
// that of the window it holds, with the sub-window's frame around it.
QSize SmallestWhole(const QMdiSubWindow& sub) {
  QSize smallest = sub.minimumSize().expandedTo(sub.minimumSizeHint());
  if (const QWidget* inner = sub.widget()) {
    const QSize frame = sub.size() - inner->size();
    const QSize innerMinimum = inner->minimumSize().expandedTo(inner->minimumSizeHint());
    smallest = smallest.expandedTo(innerMinimum + frame.expandedTo(QSize(0, 0)));
  }
  return smallest;
}

// Rows (Qt::Horizontal) or columns (Qt::Vertical) of equal size for the frame's child
// windows. A window never gets less than its smallest whole size: when the frame is too
// small for one line of them, they go into a grid, and the frame scrolls when even that
// does not fit.
void Tile(QMdiArea& area, Qt::Orientation orientation) {
  QList<QMdiSubWindow*> windows;
  QSize smallest(1, 1);
  for (QMdiSubWindow* w : area.subWindowList()) {
    if (w->isMinimized()) continue;
    windows << w;
    smallest = smallest.expandedTo(SmallestWhole(*w));
  }
  if (windows.isEmpty()) return;
  const QRect space = area.viewport()->rect();
  const int count = static_cast<int>(windows.size());
  const bool sideBySide = orientation == Qt::Vertical;
  const int along = sideBySide ? space.width() : space.height();
  const int fits = std::max(1, along / (sideBySide ? smallest.width() : smallest.height()));
  const int lines = std::min(count, fits);
  const int across = (count + lines - 1) / lines;
  const int columns = sideBySide ? lines : across;
  const int rows = sideBySide ? across : lines;
  const int width = std::max(space.width() / columns, smallest.width());
  const int height = std::max(space.height() / rows, smallest.height());
  for (int i = 0; i < count; ++i) {
    windows[i]->showNormal();
    const int line = i % lines;
    const int step = i / lines;
    const int column = sideBySide ? line : step;
    const int row = sideBySide ? step : line;
    windows[i]->setGeometry(column * width, row * height, width, height);
  }
}

// Minimised child windows lined up along the bottom of the frame.
void ArrangeIcons(QMdiArea& area) {
  int x = 0;
  for (QMdiSubWindow* w : area.subWindowList()) {
    if (!w->isMinimized()) continue;
    const QSize size = w->size();
    w->move(x, area.viewport()->height() - size.height());
    x += size.width();
  }
}

}  // namespace

MainFrame::MainFrame(runtime::Desktop& desktop, shell::SettingsFiles files, QWidget* parent)
    : QMainWindow(parent), desktop_(desktop), files_(std::move(files)) {
  setWindowTitle(tr("Trawlex"));
  InstallAppIcon();
  InstallHelpKey();
  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect space = screen->availableGeometry();
    resize(space.width() * 9 / 10, space.height() * 9 / 10);
  } else {
    resize(1024, 720);
  }
  // A search opened with Ctrl or Shift gets a dialogue of its own, even while the
  // single-thread limit would bring the open one forward.
  listWindows_ = std::make_unique<QtSearchListWindows>(this, files_, [this] {
    const bool limit = singleThreadLimit_->isChecked();
    singleThreadLimit_->setChecked(false);
    OpenSearchDialog();
    singleThreadLimit_->setChecked(limit);
  });
  BuildMenus();
  AppWindows().Open(this, WindowKind::Frame);
}

MainFrame::~MainFrame() = default;

void MainFrame::Start() {
  QtWindowGeometry geometry(*this);
  shell::RestoreWindowPosition(geometry, files_.trawlexIni, shell::kMainWindowSection);
  preferences_ = shell::LoadOptions(files_, desktop_);
  const shell::SetupCheckResult setup = shell::RunSetupCheck(files_, ".", desktop_);
  // After the setup check, which copies the shipped snippets of a fresh installation.
  feqBuddy_->setVisible(QFile::exists(ToQString(shell::kFeqSnippetsName)));
  preferences_.helpFilePath = setup.helpFilePath;
  shell::DebugTrace("Setup", setup.firstStart ? "first start" : "setup checked");
  results::RepairLookFile(".", desktop_);
  OpenStores();
  SearchInputWindow* dialog = OpenSearchDialog();
  if (!preferences_.noSplash2) {
    // Owned by the dialogue, so the window system keeps the splash above it until a control
    // of the dialogue is used or the splash's time is up.
    splash_ = new AboutWindow(dialog ? static_cast<QWidget*>(dialog) : this);
    CentreOver(*splash_, dialog ? static_cast<QWidget*>(dialog) : this);
    splash_->show();
    splash_->raise();
  }
}

void MainFrame::OpenStores() {
  // A store that cannot be opened is named to the user once, here; the program goes on
  // without it and leaves the file as it is.
  if (!savedStore_.Open(shell::SavedSearchStore::kFileName.data())) {
    shell::DebugTrace("Store", savedStore_.driverError());
    desktop_.ShowMessage(shell::OpenStoreErrorMessage(savedStore_));
  }
  if (!recentStore_.Open(shell::RecentSearchStore::kFileName.data())) {
    shell::DebugTrace("Store", recentStore_.driverError());
    desktop_.ShowMessage(shell::OpenStoreErrorMessage(recentStore_));
  }
}

void MainFrame::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  connect(file->addAction(tr("Preferences....")), &QAction::triggered, this,
          [this] { RunPreferences(this, preferences_, files_, desktop_); });
  connect(file->addAction(tr("P&rint Setup...")), &QAction::triggered, this,
          [this] { RunPrintSetup(this); });
  connect(file->addAction(ToQString(shell::kSetFrameTitleItem)), &QAction::triggered, this,
          [this] { SetFrameTitle(); });
  singleThreadLimit_ = file->addAction(tr("Single Thread Limit"));
  singleThreadLimit_->setCheckable(true);
  singleThreadLimit_->setChecked(true);
  file->addSeparator();
  connect(file->addAction(tr("E&xit")), &QAction::triggered, this, &QWidget::close);
  file->addAction(tr("Tester"))->setEnabled(false);

  connect(menuBar()->addAction(tr("&Search!")), &QAction::triggered, this,
          [this] { OpenSearchDialog(); });
  connect(menuBar()->addAction(tr("Stick!")), &QAction::triggered, this, [this] {
    if (StickNoteWindow* note = StickNoteWindow::Open(desktop_, files_.searchDat)) {
      ShowInFrame(note);
      note->TakeSavedSize();
    }
  });

  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  connect(tools->addAction(tr("#&Define to Equate Converter")), &QAction::triggered, this,
          [this] { OpenConstantConverter(this, desktop_, files_.trawlexIni); });
  connect(tools->addAction(tr("Prototype and Structure Converter")), &QAction::triggered, this,
          [this] {
            OpenPrototypeConverter(this, desktop_, files_.trawlexIni, ".",
                                   preferences_.editorName.str());
          });
  feqBuddy_ = tools->addAction(tr("Window FEQ USE Buddy"));
  connect(feqBuddy_, &QAction::triggered, this,
          [this] { OpenFeqUseBuddy(this, desktop_, files_.trawlexIni); });
  feqBuddy_->setVisible(false);

  AddWindowMenu();
  connect(menuBar()->addAction(tr("CloseViews!")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventCloseViewers); });
  connect(menuBar()->addAction(tr("MinimizeViews!")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventMinimizeViewers); });
  connect(menuBar()->addAction(tr("CloseAll!")), &QAction::triggered, this,
          [this] { CloseAllWindows(); });
  connect(menuBar()->addAction(tr("MinimizeAll!")), &QAction::triggered, this, [] {
    AppWindows().Broadcast(kEventMinimizeResults);
    AppWindows().Broadcast(kEventMinimizeViewers);
  });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  // The user guide in the help window: its contents, its search, and the page on using it.
  QMenu* windowsHelp = help->addMenu(tr("Windows Help"));
  QAction* contents = windowsHelp->addAction(tr("&Contents of TrxHelp.HLP"));
  contents->setShortcut(QKeySequence::HelpContents);
  contents->setShortcutContext(Qt::WidgetShortcut);  // F1 itself is answered in every window
  connect(contents, &QAction::triggered, this,
          [this] { OpenHelp(QString::fromLatin1(shell::kGuideContentsPage.data())); });
  connect(windowsHelp->addAction(tr("&Search for Help On...")), &QAction::triggered, this,
          [this] { OpenHelp(QString::fromLatin1(shell::kGuideContentsPage.data()), true); });
  connect(windowsHelp->addAction(tr("&How to Use Help")), &QAction::triggered, this,
          [this] { OpenHelp(QString::fromLatin1(shell::kGuideUsingHelpPage.data())); });
  connect(help->addAction(tr("TRX Help Extra RTF File")), &QAction::triggered, this,
          [this] { ViewHelpExtra(); });
  connect(help->addAction(tr("About...")), &QAction::triggered, this,
          [this] { (new AboutWindow(this))->show(); });
}

void MainFrame::AddWindowMenu() {
  QMenu* window = menuBar()->addMenu(tr("&Window"));
  connect(window->addAction(tr("Tile &Horizontal")), &QAction::triggered, this,
          [this] { Tile(*mdi_, Qt::Horizontal); });
  connect(window->addAction(tr("Tile &Vertical")), &QAction::triggered, this,
          [this] { Tile(*mdi_, Qt::Vertical); });
  connect(window->addAction(tr("&Cascade")), &QAction::triggered, mdi_,
          &QMdiArea::cascadeSubWindows);
  connect(window->addAction(tr("&Arrange Icons")), &QAction::triggered, this,
          [this] { ArrangeIcons(*mdi_); });
  QMenu* close = window->addMenu(tr("Close"));
  connect(close->addAction(tr("C&lose All")), &QAction::triggered, this,
          [this] { CloseAllWindows(); });
  connect(close->addAction(tr("Close File Views")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventCloseViewers); });
  QMenu* minimize = window->addMenu(tr("Minimize"));
  connect(minimize->addAction(tr("Minimize All")), &QAction::triggered, this, [] {
    AppWindows().Broadcast(kEventMinimizeResults);
    AppWindows().Broadcast(kEventMinimizeViewers);
  });
  connect(minimize->addAction(tr("Minimize Results")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventMinimizeResults); });
  connect(minimize->addAction(tr("Minimize File Views")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventMinimizeViewers); });
  QMenu* restore = window->addMenu(tr("Restore"));
  connect(restore->addAction(tr("Restore All")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventRestoreBoth); });
  connect(restore->addAction(tr("Restore Results")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventRestoreResults); });
  connect(restore->addAction(tr("Restore File Views")), &QAction::triggered, this,
          [] { AppWindows().Broadcast(kEventRestoreViewers); });
  window->addSeparator();
  connect(window, &QMenu::aboutToShow, this, [this, window] { ListOpenWindows(*window); });
}

// The open windows below the menu's commands, as desktop programs list them: the frame's
// child windows and the search dialogues, which live outside the frame. Choosing one brings
// it forward.
void MainFrame::ListOpenWindows(QMenu& menu) {
  for (QAction* old : std::as_const(windowListActions_)) {
    menu.removeAction(old);
    old->deleteLater();
  }
  windowListActions_.clear();
  QList<QWidget*> open;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) open << sub;
  for (int slot : AppWindows().SlotsOf(WindowKind::SearchParameters)) {
    if (QWidget* dialog = AppWindows().Window(slot); dialog && dialog->isVisible()) open << dialog;
  }
  for (int i = 0; i < open.size(); ++i) {
    QWidget* shown = open[i];
    const QString title = shown->windowTitle().isEmpty() ? tr("(untitled)") : shown->windowTitle();
    const QString number =
        i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
    QAction* item = menu.addAction(number + title);
    item->setCheckable(true);
    item->setChecked(shown == mdi_->activeSubWindow() || shown->isActiveWindow());
    QPointer<QWidget> target(shown);
    connect(item, &QAction::triggered, this, [this, target] { BringForward(target); });
    windowListActions_ << item;
  }
}

void MainFrame::BringForward(QWidget* window) {
  if (window == nullptr) return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
    if (sub->isMinimized()) sub->showNormal();
    mdi_->setActiveSubWindow(sub);
    return;
  }
  if (window->isMinimized()) window->showNormal();
  window->raise();
  window->activateWindow();
}

void MainFrame::CloseAllWindows() {
  for (int slot : AppWindows().SlotsOf(WindowKind::Results)) {
    AppWindows().Post(slot, kEventCloseResults);
  }
  for (int slot : AppWindows().SlotsOf(WindowKind::Viewer)) {
    AppWindows().Post(slot, kEventCloseViewers);
  }
}

SearchInputWindow* MainFrame::OpenSearchDialog() {
  if (searchDialog_ && singleThreadLimit_->isChecked()) {
    searchDialog_->BringToFront();
    return searchDialog_;
  }
  SearchInputWindow* dialog = NewSearchDialog(shell::DialogMode::Normal, {});
  if (dialog && !searchDialog_) searchDialog_ = dialog;
  return dialog;
}

SearchInputWindow* MainFrame::OpenPrefilledSearchDialog(const engine::SearchSpec& request) {
  return NewSearchDialog(shell::DialogMode::Prefilled, request);
}

SearchInputWindow* MainFrame::NewSearchDialog(shell::DialogMode mode,
                                              const engine::SearchSpec& request) {
  auto* parts = new SearchDialogParts(*this, savedStore_, recentStore_, desktop_, *listWindows_,
                                      files_, mode);
  parts->model.Open(request);
  auto* dialog = new SearchInputWindow(parts->model, desktop_, this);
  parts->setParent(dialog);
  dialog->SetSavedSearchWindowsAvailable(true);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  // An ordinary window of the program rather than a dialogue kept above the frame: the
  // results and the multi search it starts can come in front of it, and it comes forward
  // again when clicked.
  dialog->setWindowFlags((dialog->windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
  if (AppWindows().Open(dialog, WindowKind::SearchParameters) == 0) {
    runtime::Tell(desktop_, "No window slot is free.", "Search", runtime::Icon::Warning);
    delete dialog;
    return nullptr;
  }
  // Designed place: centred over the frame; a stored placement wins.
  dialog->adjustSize();
  CentreOver(*dialog, this);
  FitIntoSpace(*dialog);
  dialog->KeepPlacement(files_.trawlexIni);
  connect(dialog, &SearchInputWindow::controlUsed, this, [this] {
    if (splash_) splash_->close();
  });
  connect(dialog, &SearchInputWindow::searchRequested, this,
          [this](const shell::SearchAction& action) {
            if (action.kind == shell::SearchAction::Kind::Search) {
              OpenResults(action.request);
            } else if (action.kind == shell::SearchAction::Kind::MultiSearch) {
              OpenMultiSearch(action.request);
            }
          });
  dialog->show();
  return dialog;
}

void MainFrame::OpenHelp(const QString& page, bool search) {
  if (ShowHelp(page, search)) return;
  runtime::Tell(desktop_,
                "The user guide was not found.|It is installed with the program in "
                "share/trawlex/guide.",
                "Help", runtime::Icon::Warning);
}

void MainFrame::ViewHelpExtra() {
  const std::string name(kHelpExtraFile);
  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error)) {
    runtime::Tell(desktop_, "Missing file " + name, "Help", runtime::Icon::Warning);
    return;
  }
  ViewerContext context;
  context.desktop = &desktop_;
  context.files = files_;
  context.preferences = preferences_;
  context.startSearch = [this](const engine::SearchSpec& request) {
    OpenPrefilledSearchDialog(request);
  };
  ViewFileWindow* viewer =
      NewViewFileWindow(results::ViewParamsForPath(std::filesystem::absolute(name, error).string()),
                        std::move(context), 0);
  if (viewer) ShowInFrame(viewer);
}

void MainFrame::ShowInFrame(QWidget* window) {
  QMdiSubWindow* sub = mdi_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  // Designed size, stepped from the frame's corner like the results windows; a placement
  // the window restores itself wins.
  const QSize space = mdi_->viewport()->size();
  const int offset = 24 * static_cast<int>(mdi_->subWindowList().size() - 1);
  sub->resize(std::min(space.width() * 9 / 10, 820), std::min(space.height() * 9 / 10, 560));
  sub->move(std::min(offset, std::max(0, space.width() - sub->width())),
            std::min(offset, std::max(0, space.height() - sub->height())));
  sub->show();
}

ResultsWindow* MainFrame::OpenResults(const engine::SearchSpec& request) {
  ResultsWindow* opened = nullptr;
  StartResults(request, {}, &opened);
  return opened;
}

int MainFrame::StartResults(const engine::SearchSpec& request, const PrepareResults& prepare,
                            ResultsWindow** opened) {
  ResultsWindowContext context;
  context.desktop = &desktop_;
  context.files = files_;
  context.preferences = preferences_;
  context.workers = engine::Prefetcher::DefaultWorkers();
  context.editParameters = [this](const engine::SearchSpec& current) {
    return EditParameters(current);
  };
  context.showWindow = [this](QWidget* window) { ShowInFrame(window); };
  context.startSearch = [this](const engine::SearchSpec& request) {
    OpenPrefilledSearchDialog(request);
  };
  auto* results = new ResultsWindow(request, std::move(context));
  const int slot = AppWindows().Open(results, WindowKind::Results);
  if (slot == 0) {
    runtime::Tell(desktop_, "No window slot is free.", "Search", runtime::Icon::Warning);
    delete results;
    return 0;
  }
  QMdiSubWindow* sub = mdi_->addSubWindow(results);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  // Designed size: most of the frame; a placement saved as default wins.
  const QSize space = mdi_->viewport()->size();
  const int offset = 24 * static_cast<int>(mdi_->subWindowList().size() - 1);
  sub->setGeometry(offset, offset, space.width() * 9 / 10, space.height() * 3 / 4);
  QtWindowGeometry geometry(*sub);
  shell::RestoreWindowPosition(geometry, files_.trawlexIni, shell::kSearchResultsSection);
  sub->show();
  shell::DebugTrace("Search", ToBytes(ToQString(request.text.str())));
  if (prepare) prepare(*results, slot);
  if (!results->Start()) {
    sub->close();  // no file matched: the user was told
    return slot;
  }
  if (opened) *opened = results;
  return slot;
}

// The multi search starts each of its searches here; a window's count goes back to it when
// its first run finishes.
int MainFrame::StartMultiSearchEntry(const engine::SearchSpec& request, int /*mode*/) {
  return StartResults(request, [](ResultsWindow& window, int slot) {
    QObject::connect(&window, &ResultsWindow::runFinished, &window,
                     [slot](qint64 count) { ReportMultiSearchCount(slot, count); });
  });
}

void MainFrame::OpenMultiSearch(const engine::SearchSpec& request) {
  MultiSearchWindow* window = MultiSearchWindow::Open(
      request, desktop_,
      [this](const engine::SearchSpec& entry, int mode) {
        return StartMultiSearchEntry(entry, mode);
      },
      this);
  if (!window) return;
  QMdiSubWindow* sub = mdi_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->show();
}

std::optional<std::pair<engine::SearchSpec, engine::EditAnswer>> MainFrame::EditParameters(
    const engine::SearchSpec& request) {
  SearchDialogParts parts(*this, savedStore_, recentStore_, desktop_, *listWindows_, files_,
                          shell::DialogMode::Edit);
  parts.model.Open(request);
  SearchInputWindow dialog(parts.model, desktop_, this);
  dialog.SetSavedSearchWindowsAvailable(true);
  dialog.exec();
  return std::make_pair(parts.model.request(), dialog.answer());
}

void MainFrame::SetFrameTitle() {
  QDialog dialog(this);
  dialog.setWindowTitle(ToQString(shell::kSetFrameTitleItem));
  auto* form = new QFormLayout(&dialog);
  auto* title = new QLineEdit(windowTitle(), &dialog);
  title->setMaxLength(static_cast<int>(shell::kFrameTitleWidth));
  form->addRow(ToQString(shell::kFrameTitlePrompt), title);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (const auto accepted = shell::AcceptFrameTitle(ToBytes(title->text()), desktop_)) {
      setWindowTitle(ToQString(*accepted));
      dialog.accept();
    }
  });
  dialog.exec();
}

void MainFrame::closeEvent(QCloseEvent* event) {
  QtWindowGeometry geometry(*this);
  shell::SaveWindowPosition(geometry, files_.trawlexIni, shell::kMainWindowSection);
  mdi_->closeAllSubWindows();
  if (searchDialog_) searchDialog_->close();
  event->accept();
}

}  // namespace trawlex::ui
