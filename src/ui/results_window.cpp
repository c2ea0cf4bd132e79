#include "ui/results_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/standard_trackers.h"
#include "results/command_prompt.h"
#include "results/desktop_search_questions.h"
#include "results/edit_several_files.h"
#include "results/editor_command.h"
#include "results/file_name_parts.h"
#include "results/line_copy_texts.h"
#include "results/results_navigation.h"
#include "results/run_texts.h"
#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "shell/window_placement.h"
#include "ui/format_list_model.h"
#include "ui/format_list_view.h"
#include "ui/line_copy_window.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/view_file_window.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

// How long one timer event may search, in batches of the configured number of files.
constexpr qint64 kSliceMs = 10;

// How often the texts and the list follow a running search.
constexpr qint64 kShowEveryMs = 100;

// Timer period of the runs that "&Again" and "Refres&h" start: two hundredths of a second.
constexpr int kRestartPeriodMs = 20;

QPushButton* Button(const char* text, const char* tip, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  if (tip) button->setToolTip(QString::fromUtf8(tip));
  return button;
}

std::filesystem::path DirectoryOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

results::ListFormat ParsedOrEmpty(std::string_view text) {
  auto parsed = results::ListFormat::Parse(text);
  return parsed.format ? std::move(*parsed.format) : results::ListFormat();
}

// The results popup's choices.
enum ResultsChoice {
  kChoiceFindAndDelete = 1,
  kChoiceDeleteMenu,
  kChoiceCopyLine,
  kChoiceShowFileName,
  kChoiceView,
  kChoiceEdit,
  kChoiceEditRelated,
  kChoiceEditAll,
  kChoiceExplore2Pane,
  kChoiceExplore1Pane,
  kChoiceCommandPrompt,
  kChoiceShellOpen,
  kChoiceShellEdit,
  kFirstLookChoice
};

// The results popup; "Copy Result Line..." is greyed while no line is selected.
std::string ResultsPopupText(const std::string& lookPopup, bool lineSelected) {
  return std::string("Find and Delete...\tCtrl+Delete|Delete Menu...\tAlt+Delete|-|") +
         (lineSelected ? "" : "~") +
         "Copy Result Line...\tCtrl+C|Show File Name/Path...|-|View File\tDbl-Click|Edit "
         "File\tShift+Dbl-Click|File Options{Edit Related File|Edit All Files|-|Explore 2 "
         "Pane|Explore 1 Pane|Command Prompt Here|-|ShellExecute Open\tAlt+Dbl-Click|"
         "ShellExecute Edit}|-|Change Look{" +
         lookPopup + "}";
}

// The file popup's choices after its three copy items.
enum FileChoice {
  kFileChoiceView = 4,
  kFileChoiceEdit,
  kFileChoiceExplore,
  kFileChoiceCommandPrompt,
  kFileChoiceShellOpen,
  kFileChoiceShellEdit
};

// The file popup, for one file's full name.
std::string FilePopupText(const std::string& directory, const std::string& name) {
  // Paths on this system are written with '/', in the caption's abbreviation too.
  return "Copy Names to Clipboard{Path / File:\t" + directory.substr(0, 3) + "../" + name +
         "|Path Only:\t" + directory + "|File Only:\t" + name +
         "}|-|View File|Edit File|-|Explore Folder|Command Prompt Here|-|ShellExecute "
         "Open\tAlt+Dbl-Click|ShellExecute Edit";
}

}  // namespace

ResultsWindow::ResultsWindow(const engine::SearchSpec& request, ResultsWindowContext context,
                             QWidget* parent)
    : QWidget(parent),
      request_(request),
      context_(std::move(context)),
      looks_(results::LookFilePath(DirectoryOf(context_.files.lookFile))) {
  setAttribute(Qt::WA_DeleteOnClose);
  questions_ = std::make_unique<results::DesktopSearchQuestions>(*context_.desktop);
  engine::RunOptions options;
  options.workers = context_.workers;
  options.onFinished = [this] { RunFinished(); };
  run_ = std::make_unique<engine::SearchRun>(request_, context_.preferences.Engine(), *questions_,
                                             engine::StandardTrackers(), options);

  auto* layout = new QVBoxLayout(this);
  BuildMenus(this);
  tabs_ = new QTabWidget(this);
  tabs_->addTab(BuildResultsTab(), tr("&Results"));
  tabs_->addTab(BuildFilesTab(), tr("&Files"));
  tabs_->addTab(BuildPathTab(), tr("Path"));
  layout->addWidget(tabs_, 1);

  auto* bottom = new QHBoxLayout;
  stop_ = Button("Stop", nullptr, this);
  auto* edit =
      Button("&Edit File",
             "Load the selected file into your editor\nOr Shift+Double-Click on the line", this);
  auto* view = Button("&View",
                      "Open file viewer with selected file\nOr Double-Click on the line\nOr "
                      "Ctrl+Double-Click to open file view in a new thread",
                      this);
  connect(stop_, &QPushButton::clicked, this, [this] { run_->Stop(); });
  connect(edit, &QPushButton::clicked, this, [this] {
    if (tabs_->currentIndex() == kPathTab) {
      ViewSelected(ViewGesture::Button);
    } else {
      EditSelected();
    }
  });
  connect(view, &QPushButton::clicked, this, [this] {
    ViewSelected(QApplication::keyboardModifiers() & Qt::ControlModifier ? ViewGesture::NewViewer
                                                                         : ViewGesture::Button);
  });
  bottom->addWidget(stop_);
  bottom->addStretch(1);
  bottom->addWidget(edit);
  bottom->addWidget(view);
  layout->addLayout(bottom);

  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
  ApplyLookResult(looks_.Open());
  RebuildLookMenus();
  ShowRequest();  // the caption is there before the run, whatever the run then finds
  SetMinimumToContents();
  resize(760, 460);
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::BuildMenus(QWidget* host) {
  auto* bar = new QMenuBar(host);
  QMenu* results = bar->addMenu(tr("Result&s"));
  const std::pair<const char*, ExportCommand> exports[] = {
      {"Report of Results", ExportCommand::Report},
      {"Save Results to Text File", ExportCommand::SaveText},
      {"Save Results to Text File and Edit", ExportCommand::SaveTextAndEdit},
      {"Copy Results to Clipboard", ExportCommand::CopyToClipboard}};
  for (const auto& [item, command] : exports) {
    connect(results->addAction(QString::fromUtf8(item)), &QAction::triggered, this,
            [this, command = command] { Export(command); });
  }
  connect(results->addAction(tr("Copy Result Line to Clipboard  \tCtrl+C")), &QAction::triggered,
          this, [this] { CopySelectedLine(); });

  QMenu* look = bar->addMenu(tr("&Look"));
  lookMenu_ = look->addMenu(tr("List Format"));
  for (int n = 1; n <= results::kLookCount; ++n) {
    QAction* action = lookMenu_->addAction(QString("&%1").arg(n));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, n] { ApplyLook(n); });
    lookActions_.push_back(action);
  }
  QMenu* defaults = look->addMenu(tr("Save Current Format as Default"));
  connect(defaults->addAction(tr("When Location is present")), &QAction::triggered, this, [this] {
    looks_.SaveAsDefaultWithLoc();
    RebuildLookMenus();
  });
  connect(defaults->addAction(tr("When Location is NOT present")), &QAction::triggered, this,
          [this] {
            looks_.SaveAsDefaultNoLoc();
            RebuildLookMenus();
          });
  QMenu* font = look->addMenu(tr("Font"));
  connect(font->addAction(tr("Change Font")), &QAction::triggered, this, [this] {
    const auto chosen = context_.desktop->ChooseFont(ListFontChoice(), "Choose List Box Font");
    if (chosen) resultsList_->setFont(ToQFont(*chosen));
  });
  connect(font->addAction(tr("Save Current Font as Default")), &QAction::triggered, this, [this] {
    const runtime::FontChoice current = ListFontChoice();
    looks_.SaveFont({current.name, current.size, current.style});
  });
  QMenu* widths = look->addMenu(tr("Column Widths"));
  connect(widths->addAction(tr("Save as Default")), &QAction::triggered, this,
          [this] { looks_.SaveFormat(resultsList_->FormatWithCurrentWidths()); });
  connect(widths->addAction(tr("Reset to Original")), &QAction::triggered, this, [this] {
    resultsModel_->SetFormat(ParsedOrEmpty(looks_.OriginalFormat()));
    resultsList_->ApplyFormat();
  });
  QMenu* window = look->addMenu(tr("Window"));
  connect(window->addAction(tr("Save Current Size and Location as Default")), &QAction::triggered,
          this, [this] { SavePlacement(); });
  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

// A list of one of the run's queues, shown through `format` (none: the looks set it).
FormatListView* ResultsWindow::MakeList(QWidget* page, FormatListModel*& model,
                                        FormatListModel::CountFn count,
                                        FormatListModel::FieldFn field, std::string_view format) {
  model = new FormatListModel(std::move(count), std::move(field), this);
  if (!format.empty()) model->SetFormat(ParsedOrEmpty(format));
  auto* view = new FormatListView(page);
  view->SetModel(model);
  return view;
}

QWidget* ResultsWindow::BuildResultsTab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  resultsList_ = MakeList(
      page, resultsModel_, [this] { return run_->results().size(); },
      [this](std::size_t row, int field) {
        return results::ResultField(run_->results()[row], field);
      },
      {});
  resultsList_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(resultsList_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ResultsPopup(resultsList_->viewport()->mapToGlobal(at)); });
  connect(resultsList_, &QAbstractItemView::doubleClicked, this,
          [this] { ListDoubleClicked(kResultsTab); });
  connect(resultsList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { FollowSelection(); });
  AddListKey(QKeySequence::Copy, [this] { CopySelectedLineTexts(); });
  AddListKey(Qt::SHIFT | Qt::Key_F10, [this] { ResultsPopupAtCurrentRow(); });
  AddListKey(Qt::Key_Menu, [this] { ResultsPopupAtCurrentRow(); });
  AddListKey(Qt::Key_Insert, [this] { CopySelectedLine(); });
  AddListKey(Qt::Key_Delete, [this] { DeleteSelectedLine(); });
  AddListKey(Qt::ALT | Qt::Key_Delete, [this] {
    const QRect row = resultsList_->visualRect(resultsList_->currentIndex());
    DeleteMenu(resultsList_->viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint()));
  });
  AddListKey(Qt::CTRL | Qt::Key_Delete,
             [this] { RunDeleteChoice(results::DeleteChoice::FindAndDelete, false); });
  layout->addWidget(resultsList_, 1);

  auto* statusRow = new QHBoxLayout;
  status_ = new QLabel(page);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long summary is cut at the window's edge rather than widen the window.
  status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  // The count and the progress show while a search runs; its summary then says it all.
  found_ = new QLabel(page);
  found_->hide();
  progress_ = new QProgressBar(page);
  progress_->setMaximumWidth(160);
  progress_->setTextVisible(false);
  progress_->hide();
  statusRow->addWidget(status_, 1);
  statusRow->addWidget(found_);
  statusRow->addWidget(progress_);
  layout->addLayout(statusRow);

  auto* buttons = new QHBoxLayout;
  refresh_ = Button("Refres&h", "Re-scan just files where text was found", page);
  again_ = Button("&Again", "Scan all files again", page);
  auto* remove = Button("&Delete...", "Delete Results Lines Menu", page);
  parms_ = Button("&Parms...", nullptr, page);
  auto* print = Button("Pri&nt...", "Results: Print, Copy or Save to File", page);
  WatchClicks(*remove);
  WatchClicks(*print);
  connect(remove, &QPushButton::clicked, this, [this, remove] { DeleteMenu(MenuPlace(*remove)); });
  connect(refresh_, &QPushButton::clicked, this, [this] { StartRun(&engine::SearchRun::Refresh); });
  connect(again_, &QPushButton::clicked, this, [this] { StartRun(&engine::SearchRun::Again); });
  connect(parms_, &QPushButton::clicked, this, [this] { EditParameters(); });
  connect(print, &QPushButton::clicked, this, [this, print] {
    const std::string text =
        "Print Menu|-|Print Results Report with Preview|Save Results to Text File|Save "
        "Results to Text File and Edit|Copy Results to Clipboard";
    const int choice = context_.desktop->PopupMenuAt(text, ToScreenPoint(MenuPlace(*print)));
    // The title is item 1 and does nothing; the four exports follow in menu order.
    if (choice >= 2 && choice <= 5) Export(static_cast<ExportCommand>(choice - 2));
  });
  for (QPushButton* b : {refresh_, again_, remove, parms_, print}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  return page;
}

QWidget* ResultsWindow::BuildFilesTab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  filesList_ = MakeList(
      page, filesModel_, [this] { return run_->files().size(); },
      [this](std::size_t row, int field) { return results::FileField(run_->files()[row], field); },
      results::kFilesListFormat);
  // A right click marks (or unmarks) the file and offers its names.
  filesList_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(filesList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex index = filesList_->indexAt(at);
    if (!index.isValid() || running()) return;
    engine::FileEntry& file = run_->files()[static_cast<std::size_t>(index.row())];
    file.mark = file.mark ? 0 : 1;
    filesModel_->Reset();
    filesList_->SelectRecord(static_cast<std::size_t>(index.row()));
    FilePopup(run_->dirs()[file.subdirNum - 1].realPath + file.realName);
  });
  connect(filesList_, &QAbstractItemView::doubleClicked, this,
          [this] { ListDoubleClicked(kFilesTab); });
  layout->addWidget(filesList_, 1);

  auto* row = new QHBoxLayout;
  filesCount_ = new QLabel(page);
  withFound_ = new QLabel(page);
  auto* unmark = Button("&UnMark", "Clear marks", page);
  auto* remove = Button("&Delete...", "Delete Files from list Menu", page);
  reload_ = Button("&ReLoad", "Reload files list", page);
  resultsCheck_ = new QCheckBox(tr("Results"), page);
  resultsCheck_->setToolTip(
      tr("When double clicking on a file where results\nwere found, start showing the file at "
         "the first\nresult line."));
  WatchClicks(*remove);
  connect(remove, &QPushButton::clicked, this,
          [this, remove] { FilesDeleteMenu(MenuPlace(*remove)); });
  connect(unmark, &QPushButton::clicked, this, [this] { UnmarkFiles(); });
  connect(reload_, &QPushButton::clicked, this, [this] {
    run_->ReLoad();
    RefreshLists();
    RefreshCounters();
  });
  row->addWidget(filesCount_);
  row->addWidget(withFound_);
  row->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{unmark, remove, reload_, resultsCheck_}) {
    row->addWidget(w);
  }
  layout->addLayout(row);
  return page;
}

QWidget* ResultsWindow::BuildPathTab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  pathLabel_ = new QLabel(page);
  specLabel_ = new QLabel(page);
  for (QLabel* label : {pathLabel_, specLabel_}) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // long paths are cut
  }
  layout->addWidget(pathLabel_);
  layout->addWidget(specLabel_);
  pathList_ = MakeList(
      page, pathModel_, [this] { return run_->dirs().size(); },
      [this](std::size_t row, int field) {
        return results::ScanDirField(run_->dirs()[row], field);
      },
      results::kPathListFormat);
  connect(pathList_, &QAbstractItemView::doubleClicked, this,
          [this] { ListDoubleClicked(kPathTab); });
  layout->addWidget(pathList_, 1);
  return page;
}

void ResultsWindow::ApplyLook(int look) {
  ApplyLookResult(looks_.Apply(look));
  RebuildLookMenus();
}

void ResultsWindow::ApplyLookResult(const results::AppliedLook& applied) {
  resultsModel_->SetFormat(ParsedOrEmpty(applied.format));
  runtime::FontChoice font;
  // The looks' old default face is not on this system: the desktop's own sans face stands in.
  font.name =
      applied.font.name == results::kDefaultLookFontName
          ? ToBytes(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family())
          : applied.font.name;
  font.size = applied.font.size;
  font.style = applied.font.style;
  resultsList_->setFont(ToQFont(font));
  resultsList_->ApplyFormat();
}

void ResultsWindow::RebuildLookMenus() {
  const results::LookMenus menus = looks_.Menus();
  for (int n = 0; n < results::kLookCount; ++n) {
    QAction* action = lookActions_[static_cast<std::size_t>(n)];
    action->setText(ToQString(menus.captions[static_cast<std::size_t>(n)]));
    action->setChecked(n + 1 == menus.checked);
  }
}

bool ResultsWindow::Start() {
  const bool started = run_->Open();
  ShowRequest();
  pathLabel_->setText(tr("Path: ") + ToQString(request_.path.str()));
  specLabel_->setText(tr("Spec: ") + ToQString(request_.spec.str()));
  RefreshLists();
  if (!started) return false;
  progress_->setRange(0, static_cast<int>(run_->files().size()));
  timer_->setInterval(0);  // the first run ticks as fast as the event loop allows
  StartTicking();
  return true;
}

bool ResultsWindow::running() const {
  return run_->state() == engine::RunState::Running;
}

void ResultsWindow::StartTicking() {
  stop_->setEnabled(true);
  found_->clear();
  found_->show();
  progress_->setValue(0);
  progress_->show();
  for (QPushButton* b : {again_, refresh_, parms_, reload_}) b->setEnabled(false);
  timer_->start();
}

void ResultsWindow::Tick() {
  // Batches of the configured size, as many as fit in a short slice: the window stays as
  // responsive as with one batch per tick, without paying the event loop per batch.
  QElapsedTimer slice;
  slice.start();
  do {
    run_->Step(run_->filesPerTick());
  } while (running() && slice.elapsed() < kSliceMs);
  // The texts and the list follow the run a few times a second: redrawing them on every
  // tick of a few files would cost more than the search itself.
  if (running() && (!sinceShown_.isValid() || sinceShown_.elapsed() >= kShowEveryMs)) {
    sinceShown_.restart();
    resultsModel_->RecordsAppended();
    status_->setText(ToQString(results::StatusText(*run_)));
    found_->setText(ToQString(results::FoundText(run_->counts().findCnt)));
    progress_->setValue(static_cast<int>(run_->progress()));
  }
}

void ResultsWindow::RunFinished() {
  timer_->stop();
  resultsModel_->RecordsAppended();
  std::string summary = results::SummaryText(*run_);
  if (run_->counts().unreadableDirs > 0) {
    summary += "  (" + results::UnreadableFoldersText(run_->counts().unreadableDirs) + ")";
  }
  status_->setText(ToQString(summary));
  found_->hide();
  progress_->hide();
  stop_->setEnabled(false);
  for (QPushButton* b : {again_, refresh_, parms_, reload_}) b->setEnabled(true);
  if (const auto look = looks_.RunCompleted(run_->counts().locationFound != 0)) {
    ApplyLookResult(*look);
    RebuildLookMenus();
  }
  RefreshLists();
  RefreshCounters();
  emit runFinished(run_->counts().findCnt);
}

void ResultsWindow::ShowRequest() {
  setWindowTitle(ToQString(results::CaptionText(run_->request())));
  parms_->setToolTip(ToQString(results::ParmsTipText(run_->request())));
}

void ResultsWindow::RefreshCounters() {
  filesCount_->setText(ToQString(results::FilesCountText(run_->files().size())));
  withFound_->setText(ToQString(results::WithFoundText(run_->counts().filesFindCnt)));
}

void ResultsWindow::RefreshLists() {
  filesModel_->Reset();
  pathModel_->Reset();
}

void ResultsWindow::StartRun(void (engine::SearchRun::*restart)()) {
  if (running()) return;
  ((*run_).*restart)();
  resultsModel_->Reset();
  progress_->setRange(0, static_cast<int>(run_->files().size()));
  timer_->setInterval(kRestartPeriodMs);
  StartTicking();
}

void ResultsWindow::EditParameters() {
  if (running() || !context_.editParameters) return;
  const auto edited = context_.editParameters(run_->request());
  if (!edited) return;
  const auto& [request, answer] = *edited;
  run_->TakeEditedRequest(request, answer);
  request_ = run_->request();
  ShowRequest();
  if (answer.StartsRun() && running()) {
    resultsModel_->Reset();
    progress_->setRange(0, static_cast<int>(run_->files().size()));
    timer_->setInterval(kRestartPeriodMs);
    StartTicking();
  }
}

void ResultsWindow::Navigate(int code) {
  if (tabs_->currentIndex() == 0) {
    const auto& rows = run_->results();
    const std::size_t selected = resultsList_->currentRecord();
    if (rows.empty() || selected == static_cast<std::size_t>(-1)) return;
    std::optional<std::size_t> target;
    if (code == kEventNextLine) target = results::NextRow(rows.size(), selected);
    if (code == kEventPreviousLine) target = results::PreviousRow(rows.size(), selected);
    if (code == kEventNextFile) target = results::NextFileRow(rows, selected);
    if (code == kEventPreviousFile) target = results::PreviousFileRow(rows, selected);
    if (target) resultsList_->SelectRecord(*target);
  } else if (tabs_->currentIndex() == 1) {
    const std::size_t count = run_->files().size();
    const std::size_t selected = filesList_->currentRecord();
    if (count == 0 || selected == static_cast<std::size_t>(-1)) return;
    const bool forward = code == kEventNextLine || code == kEventNextFile;
    const auto target =
        forward ? results::NextRow(count, selected) : results::PreviousRow(count, selected);
    if (target) filesList_->SelectRecord(*target);
    ViewSelected(ViewGesture::Button);
  }
}

void ResultsWindow::ResultsPopup(const QPoint& where) {
  if (running()) return;  // the gestures rest while a search runs
  const std::string text =
      ResultsPopupText(looks_.Menus().popupText, SelectedHitRow() < run_->results().size());
  const int choice = context_.desktop->PopupMenuAt(text, ToScreenPoint(where));
  if (choice >= kFirstLookChoice && choice < kFirstLookChoice + results::kLookCount) {
    ApplyLook(choice - kFirstLookChoice + 1);
    return;
  }
  switch (choice) {
    case kChoiceFindAndDelete:
      RunDeleteChoice(results::DeleteChoice::FindAndDelete, false);
      break;
    case kChoiceDeleteMenu:
      DeleteMenu(where);
      break;
    case kChoiceCopyLine:
      CopySelectedLine();
      break;
    case kChoiceShowFileName:
      if (SelectedHitRow() < run_->results().size()) FilePopup(SelectedPath());
      break;
    case kChoiceView:
      ViewSelected(ViewGesture::Button);
      break;
    case kChoiceEdit:
      EditSelected();
      break;
    case kChoiceEditRelated:
      EditRelatedFile();
      break;
    case kChoiceEditAll:
      EditAllFiles();
      break;
    case kChoiceExplore2Pane:
      ExploreSelected(results::ExploreAction::TwoPane);
      break;
    case kChoiceExplore1Pane:
      ExploreSelected(results::ExploreAction::OnePane);
      break;
    case kChoiceCommandPrompt:
      CommandPromptAtSelected();
      break;
    case kChoiceShellOpen:
      OpenSelected(results::ShellVerb::Open);
      break;
    case kChoiceShellEdit:
      OpenSelected(results::ShellVerb::Edit);
      break;
    default:
      break;
  }
}

// The names of one file, to copy to the clipboard, and the actions on it. The file is the
// selection of the current tab, so the actions act on the selection.
void ResultsWindow::FilePopup(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
  const int choice = context_.desktop->PopupMenu(FilePopupText(directory, name));
  if (choice == 1) context_.desktop->SetClipboardText(path);
  if (choice == 2) context_.desktop->SetClipboardText(directory);
  if (choice == 3) context_.desktop->SetClipboardText(name);
  if (choice == kFileChoiceView) ViewSelected(ViewGesture::Button);
  if (choice == kFileChoiceEdit) EditSelected();
  if (choice == kFileChoiceExplore) ExploreSelected(results::ExploreAction::Folder);
  if (choice == kFileChoiceCommandPrompt) CommandPromptAtSelected();
  if (choice == kFileChoiceShellOpen) OpenSelected(results::ShellVerb::Open);
  if (choice == kFileChoiceShellEdit) OpenSelected(results::ShellVerb::Edit);
}

void ResultsWindow::SavePlacement() {
  // Inside the frame the placement is the sub-window's, which holds this one.
  QWidget* host = parentWidget() ? parentWidget() : this;
  QtWindowGeometry geometry(*host);
  shell::SaveWindowPosition(geometry, context_.files.trawlexIni, shell::kSearchResultsSection);
}

QString ResultsWindow::statusText() const {
  return status_->text();
}

bool ResultsWindow::event(QEvent* event) {
  if (event->type() != ProgramEvent::EventType()) return QWidget::event(event);
  const int code = static_cast<ProgramEvent*>(event)->Code();
  QWidget* host = parentWidget() ? parentWidget() : this;
  switch (code) {
    case kEventNextLine:
    case kEventPreviousLine:
    case kEventNextFile:
    case kEventPreviousFile:
      Navigate(code);
      break;
    case kEventCloseResults:
      host->close();
      break;
    case kEventPartnerClosed:
      viewer_ = nullptr;  // the viewer closed or broke the link
      break;
    case kEventMinimizeResults:
      if (!host->isMinimized()) host->showMinimized();
      if (viewer_ && context_.preferences.minViewWithResults) {
        AppWindows().Post(AppWindows().SlotOf(viewer_), kEventMinimizeViewers);
      }
      break;
    case kEventRestoreResults:
    case kEventRestoreBoth:
      if (host->isMinimized()) host->showNormal();
      if (viewer_ && context_.preferences.minViewWithResults) {
        AppWindows().Post(AppWindows().SlotOf(viewer_), kEventRestoreBoth);
      }
      break;
    default:
      break;
  }
  return true;
}

void ResultsWindow::closeEvent(QCloseEvent* event) {
  timer_->stop();
  run_->Stop();
  if (viewer_) AppWindows().Post(AppWindows().SlotOf(viewer_), kEventPartnerClosed);
  viewer_ = nullptr;
  QWidget::closeEvent(event);
}

void ResultsWindow::contextMenuEvent(QContextMenuEvent* event) {
  event->ignore();
}

void ResultsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Inside the frame the sub-window that holds this one keeps to its minimum too, however
  // the frame arranges its windows.
  if (auto* host = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    host->setMinimumSize(host->minimumSizeHint());
  }
}

void ResultsWindow::SetMinimumToContents() {
  // The counters keep room for large numbers, so the minimum still holds as they grow.
  constexpr std::int64_t kLargeCount = 9'999'999;
  filesCount_->setMinimumWidth(filesCount_->fontMetrics().horizontalAdvance(
      ToQString(results::FilesCountText(kLargeCount))));
  withFound_->setMinimumWidth(
      withFound_->fontMetrics().horizontalAdvance(ToQString(results::WithFoundText(kLargeCount))));
  setMinimumSize(minimumSizeHint());
}

runtime::FontChoice ResultsWindow::ListFontChoice() const {
  const QFont& font = resultsList_->font();
  QFont drawn = font;
  drawn.setFamily(QFontInfo(font).family());
  return ToFontChoice(drawn, 0);
}

}  // namespace trawlex::ui
