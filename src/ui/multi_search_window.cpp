#include "ui/multi_search_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "runtime/desktop.h"
#include "ui/qt_text.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

constexpr int kTickMs = 2000;
constexpr int kResultColumn = 0;
constexpr int kSearchColumn = 1;

QPushButton* Button(QWidget* parent, const char* name, const char* text, const char* tip) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromUtf8(name));
  if (tip != nullptr) button->setToolTip(QString::fromUtf8(tip));
  return button;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* text, const char* tip) {
  auto* box = new QCheckBox(QString::fromUtf8(text), parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setToolTip(QString::fromUtf8(tip));
  return box;
}

// At most the text box's width, never ending inside a surrogate pair.
QString CutToTextBox(QString text) {
  const auto width = static_cast<qsizetype>(shell::kMultiSearchTextWidth);
  if (text.size() <= width) return text;
  const qsizetype cut = text.at(width - 1).isHighSurrogate() ? width - 1 : width;
  text.truncate(cut);
  return text;
}

}  // namespace

MultiSearchWindow* MultiSearchWindow::Open(const engine::SearchSpec& request,
                                           runtime::Desktop& desktop,
                                           StartMultiSearchFn startSearch, QWidget* parent) {
  shell::MultiSearchState& shared = shell::MultiSearchShared();
  if (shared.window != 0) {
    runtime::Tell(desktop, std::string(shell::kMultiSearchActive),
                  std::string(shell::kMultiSearchCaption));
    return nullptr;
  }
  auto* window = new MultiSearchWindow(request, desktop, std::move(startSearch), parent);
  window->slot_ = AppWindows().Open(window, WindowKind::MultiSearch);
  if (window->slot_ == 0) {
    runtime::Tell(desktop, "No window slot is free.", std::string(shell::kMultiSearchCaption),
                  runtime::Icon::Warning);
    delete window;
    return nullptr;
  }
  shared.window = window->slot_;
  window->text_->setPlainText(CutToTextBox(ToQString(desktop.ClipboardText())));
  window->LoadList();
  return window;
}

MultiSearchWindow::MultiSearchWindow(const engine::SearchSpec& request, runtime::Desktop& desktop,
                                     StartMultiSearchFn startSearch, QWidget* parent)
    : QWidget(parent),
      desktop_(desktop),
      model_(request, desktop),
      startSearch_(std::move(startSearch)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQString(shell::kMultiSearchCaption));
  BuildControls();
  timer_ = new QTimer(this);
  timer_->setObjectName("tick");
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
  ShowRunning(false);
  resize(520, 480);
}

MultiSearchWindow::~MultiSearchWindow() {
  shell::MultiSearchState& shared = shell::MultiSearchShared();
  if (slot_ != 0 && shared.window == slot_) shared.window = 0;
}

void MultiSearchWindow::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* load = Button(this, "load", "&Load text into Search List",
                      "Take the text below and parse it\ninto the search list.");
  left_ = Check(this, "left", "L&eft", "Left Justify text when\nbuilding search list");
  summary_ =
      Check(this, "summary", "Summary", "Close Results windows and \nonly show result count here");
  top->addWidget(load);
  top->addWidget(left_);
  top->addWidget(summary_);
  top->addStretch(1);
  layout->addLayout(top);

  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("text"));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(text_, 1);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("list"));
  list_->setColumnCount(2);
  list_->setHeaderLabels({tr("Result"), tr("Search")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->header()->resizeSection(kResultColumn, 64);
  layout->addWidget(list_, 2);

  auto* bottom = new QHBoxLayout;
  searchAll_ = Button(this, "searchAll", "Search &All", nullptr);
  one_ = Button(this, "one", "&One",
                "Search the current list selection\nMay also double click on the line");
  stop_ = Button(this, "stop", "&Stop", "Stop the search");
  auto* close = Button(this, "close", "Close", nullptr);
  bottom->addWidget(searchAll_);
  bottom->addWidget(one_);
  bottom->addWidget(stop_);
  bottom->addStretch(1);
  bottom->addWidget(close);
  layout->addLayout(bottom);

  connect(text_, &QPlainTextEdit::textChanged, this, [this] { LimitText(); });
  connect(load, &QPushButton::clicked, this, [this] { LoadList(); });
  connect(summary_, &QCheckBox::toggled, this, [this](bool on) { model_.SetSummary(on); });
  connect(searchAll_, &QPushButton::clicked, this, [this] { StartRun(model_.StartAll()); });
  connect(one_, &QPushButton::clicked, this,
          [this] { StartRun(model_.StartOne(list_->currentIndex().row())); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    // Only the start buttons start a run: while one goes on they are hidden.
    if (!model_.running()) StartRun(model_.StartOne(list_->indexOfTopLevelItem(item)));
  });
  connect(stop_, &QPushButton::clicked, this, [this] { StopRun(); });
  connect(close, &QPushButton::clicked, this, [this] {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub != nullptr) {
      sub->close();
    } else {
      QWidget::close();
    }
  });
}

void MultiSearchWindow::LimitText() {
  const QString text = text_->toPlainText();
  const QString cut = CutToTextBox(text);
  if (cut.size() == text.size()) return;
  const QSignalBlocker block(text_);
  text_->setPlainText(cut);
  text_->moveCursor(QTextCursor::End);
}

void MultiSearchWindow::LoadList() {
  const bool wasRunning = model_.running();
  model_.LoadText(ToBytes(text_->toPlainText()), left_->isChecked());
  {
    const QSignalBlocker block(summary_);
    summary_->setChecked(model_.summary());
  }
  if (wasRunning) StopRun();
  RefreshList();
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
}

void MultiSearchWindow::StartRun(bool started) {
  if (!started) return;
  RefreshList();
  ShowRunning(true);
  timer_->start();
}

void MultiSearchWindow::StopRun() {
  model_.Stop();
  timer_->stop();
  ShowRunning(false);
}

void MultiSearchWindow::Tick() {
  // A results window that closed without reporting (it found no file to search) counts what
  // it left, else 0, so that the run does not wait for it for ever.
  if (model_.searchRunning() && model_.runningSearch() != 0 && !searchWindow_) {
    const std::int64_t left = shell::MultiSearchShared().lastCount;
    FinishSearch(left >= 0 ? left : 0);
  }
  if (const auto start = model_.Tick()) {
    RefreshList();
    const QPointer<MultiSearchWindow> alive(this);
    const int searchSlot = startSearch_ ? startSearch_(start->request, start->mode) : 0;
    if (!alive) return;  // closed while the results window opened
    model_.SearchStarted(searchSlot);
    searchWindow_ = searchSlot != 0 ? AppWindows().Window(searchSlot) : nullptr;
    RefreshList();
  }
  if (!model_.running()) StopRun();
}

void MultiSearchWindow::FinishSearch(std::int64_t count) {
  const QPointer<QWidget> finished = searchWindow_;
  searchWindow_.clear();
  const int toClose = model_.SearchFinished(count);
  // The slot must still hold that window: a slot freed meanwhile may hold another.
  if (toClose != 0 && finished && AppWindows().Window(toClose) == finished) {
    AppWindows().Post(toClose, kEventCloseResults);
  }
  RefreshList();
}

void MultiSearchWindow::ShowRunning(bool running) {
  searchAll_->setVisible(!running);
  one_->setVisible(!running);
  stop_->setVisible(running);
}

void MultiSearchWindow::RefreshList() {
  const auto& entries = model_.entries();
  const int count = static_cast<int>(entries.size());
  while (list_->topLevelItemCount() > count) delete list_->takeTopLevelItem(count);
  while (list_->topLevelItemCount() < count) list_->addTopLevelItem(new QTreeWidgetItem(list_));
  for (int i = 0; i < count; ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    item->setText(kResultColumn, ToQString(entries[i].result));
    item->setText(kSearchColumn, ToQString(entries[i].search.str()));
  }
  if (model_.selected() >= 0 && model_.selected() < count) {
    list_->setCurrentItem(list_->topLevelItem(model_.selected()));
  }
}

bool MultiSearchWindow::event(QEvent* event) {
  if (event->type() != ProgramEvent::EventType()) return QWidget::event(event);
  // The group events of the frame's Window menu are for results windows and viewers.
  if (static_cast<ProgramEvent*>(event)->Code() != kEventMultiSearchDone) return true;
  const std::int64_t count = shell::MultiSearchShared().lastCount;
  if (model_.searchRunning() && count >= 0) FinishSearch(count);
  return true;
}

void MultiSearchWindow::closeEvent(QCloseEvent* event) {
  timer_->stop();
  QWidget::closeEvent(event);
}

bool ReportMultiSearchCount(int resultsSlot, qint64 count) {
  shell::MultiSearchState& shared = shell::MultiSearchShared();
  if (!shell::StoreMultiSearchCount(shared, resultsSlot, count)) return false;
  AppWindows().Post(shared.window, kEventMultiSearchDone);
  return true;
}

}  // namespace trawlex::ui
