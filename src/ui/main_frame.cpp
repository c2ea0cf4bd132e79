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
#include "shell/window_placement.h"
#include "ui/about_window.h"
#include "ui/constant_converter_window.h"
#include "ui/multi_search_window.h"
#include "ui/preferences_window.h"
#include "ui/prototype_converter_window.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/results_report.h"
#include "ui/results_window.h"
#include "ui/saved_search_windows.h"
#include "ui/search_input_window.h"
#include "ui/view_file_window.h"
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

// Rows or columns of equal size for the frame's child windows.
void Tile(QMdiArea& area, Qt::Orientation orientation) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : area.subWindowList()) {
    if (!w->isMinimized()) windows << w;
  }
  if (windows.isEmpty()) return;
  const QRect space = area.viewport()->rect();
  const int count = static_cast<int>(windows.size());
  for (int i = 0; i < count; ++i) {
    windows[i]->showNormal();
    if (orientation == Qt::Horizontal) {
      const int height = space.height() / count;
      windows[i]->setGeometry(0, i * height, space.width(), height);
    } else {
      const int width = space.width() / count;
      windows[i]->setGeometry(i * width, 0, width, space.height());
    }
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
  feqBuddy_->setVisible(QFile::exists(QStringLiteral("FeqUseLoad.vlw")));
  preferences_ = shell::LoadOptions(files_, desktop_);
  const shell::SetupCheckResult setup = shell::RunSetupCheck(files_, ".", desktop_);
  preferences_.helpFilePath = setup.helpFilePath;
  shell::DebugTrace("Setup", setup.firstStart ? "first start" : "setup checked");
  results::RepairLookFile(".", desktop_);
  OpenStores();
  if (!preferences_.noSplash2) {
    splash_ = new AboutWindow(this);
    splash_->show();
  }
  OpenSearchDialog();
}

void MainFrame::OpenStores() {
  if (!savedStore_.Open(shell::SavedSearchStore::kFileName.data())) {
    shell::DebugTrace("Store", ToBytes(ToQString(savedStore_.driverError())));
  }
  if (!recentStore_.Open(shell::RecentSearchStore::kFileName.data())) {
    shell::DebugTrace("Store", ToBytes(ToQString(recentStore_.driverError())));
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
  menuBar()->addAction(tr("Stick!"))->setEnabled(false);

  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  connect(tools->addAction(tr("#&Define to Equate Converter")), &QAction::triggered, this,
          [this] { OpenConstantConverter(this, desktop_, files_.trawlexIni); });
  connect(tools->addAction(tr("Prototype and Structure Converter")), &QAction::triggered, this,
          [this] {
            OpenPrototypeConverter(this, desktop_, files_.trawlexIni, ".",
                                   preferences_.editorName.str());
          });
  feqBuddy_ = tools->addAction(tr("Window FEQ USE Buddy"));
  feqBuddy_->setEnabled(false);
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
  QMenu* windowsHelp = help->addMenu(tr("Windows Help"));
  for (const char* item :
       {"&Contents of TrxHelp.HLP", "&Search for Help On...", "&How to Use Help"}) {
    connect(windowsHelp->addAction(QString::fromUtf8(item)), &QAction::triggered, this,
            [this] { NotAvailable(tr("The help file")); });
  }
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
  if (AppWindows().Open(dialog, WindowKind::SearchParameters) == 0) {
    runtime::Tell(desktop_, "No window slot is free.", "Search", runtime::Icon::Warning);
    delete dialog;
    return nullptr;
  }
  // Designed place: the frame's lower right, clear of the results windows.
  dialog->adjustSize();
  const QRect frame = geometry();
  dialog->move(frame.right() - dialog->width() - 32, frame.bottom() - dialog->height() - 32);
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

void MainFrame::NotAvailable(const QString& what) {
  runtime::Tell(desktop_, ToBytes(what + tr(" is not available yet.")), "Trawlex");
}

void MainFrame::closeEvent(QCloseEvent* event) {
  QtWindowGeometry geometry(*this);
  shell::SaveWindowPosition(geometry, files_.trawlexIni, shell::kMainWindowSection);
  mdi_->closeAllSubWindows();
  if (searchDialog_) searchDialog_->close();
  event->accept();
}

}  // namespace trawlex::ui
