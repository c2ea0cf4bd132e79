#include "ui/feq_use_buddy_window.h"

#include <QCheckBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "runtime/profile.h"
#include "ui/converter_parts.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"
#include "ui/window_centring.h"
#include "utilities/equate_families.h"

namespace trawlex::ui {
namespace {

constexpr const char* kCaption = "Window FEQ USE Buddy";
constexpr const char* kSection = "WinFEQ";
constexpr const char* kNoMenusKey = "NoMENUs";
constexpr int kDesignedColumns = 100;
constexpr int kDesignedLines = 24;
enum Column { kControl, kText, kFeq, kUse, kCodeLine };

// The point below a widget's bottom-left corner, where a menu opened from it belongs.
runtime::ScreenPoint Below(const QWidget& widget) {
  return ToScreenPoint(widget.mapToGlobal(widget.rect().bottomLeft()));
}

}  // namespace

FeqUseBuddyWindow::FeqUseBuddyWindow(runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                                     std::filesystem::path snippetFile, QWidget* parent)
    : QDialog(parent),
      desktop_(desktop),
      trawlexIni_(std::move(trawlexIni)),
      snippetFile_(std::move(snippetFile)) {
  setObjectName("FeqUseBuddy");
  setWindowTitle(QString::fromUtf8(kCaption));
  setSizeGripEnabled(true);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabs");
  tabs_->addTab(CodePage(), QStringLiteral("&Window Code"));
  tabs_->addTab(ControlsPage(), QStringLiteral("Win Q"));
  tabs_->addTab(ParsePage(), QStringLiteral("Parse Q"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(ButtonRow());

  noMenus_->setChecked(runtime::ReadProfileInt(trawlexIni_, kSection, kNoMenusKey, 0) != 0);
  LoadSnippets();
  ResizeForCode(*this, *code_, kDesignedColumns, kDesignedLines);
  CentreOver(*this, parent != nullptr ? &PlacedWindow(*parent) : nullptr);
  FitIntoSpace(*this);
  code_->setFocus();
}

QWidget* FeqUseBuddyWindow::CodePage() {
  auto* page = new QWidget(this);
  code_ = CodeTextBox(page, "windowCode");
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(code_, 1);
  return page;
}

QWidget* FeqUseBuddyWindow::ControlsPage() {
  auto* page = new QWidget(this);
  controls_ = new QTreeWidget(page);
  controls_->setObjectName("winQ");
  controls_->setRootIsDecorated(false);
  controls_->setUniformRowHeights(true);
  controls_->setHeaderLabels({QStringLiteral("Control"), QStringLiteral("Text"),
                              QStringLiteral("FEQ"), QStringLiteral("Use"),
                              QStringLiteral("Code Line")});
  controls_->setToolTip(QStringLiteral("Double click or Right Click"));
  controls_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(controls_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex index = controls_->indexAt(at);
    if (index.isValid()) RowPopup(index.row(), controls_->viewport()->mapToGlobal(at));
  });
  connect(controls_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    RowPopup(controls_->indexOfTopLevelItem(item), QCursor::pos());
  });
  AddListKey(Qt::Key_Menu, &FeqUseBuddyWindow::RowPopupAtCurrentRow);
  AddListKey(Qt::SHIFT | Qt::Key_F10, &FeqUseBuddyWindow::RowPopupAtCurrentRow);
  AddListKey(Qt::Key_Return, &FeqUseBuddyWindow::RowPopupAtCurrentRow);
  AddListKey(Qt::Key_Enter, &FeqUseBuddyWindow::RowPopupAtCurrentRow);
  AddListKey(Qt::Key_Delete, &FeqUseBuddyWindow::DeleteSelectedRow);

  auto* hint = new QLabel(QStringLiteral("Double click or Right Click"), page);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(controls_, 1);
  layout->addWidget(hint);
  return page;
}

QWidget* FeqUseBuddyWindow::ParsePage() {
  auto* page = new QWidget(this);
  parse_ = new QListWidget(page);
  parse_->setObjectName("parseQ");
  parse_->setFont(code_->font());
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(parse_, 1);
  return page;
}

QLayout* FeqUseBuddyWindow::ButtonRow() {
  QPushButton* load = PlainButton(this, "loadWindow", "&Load Window");
  connect(load, &QPushButton::clicked, this, &FeqUseBuddyWindow::LoadWindow);
  QPushButton* paste = PlainButton(this, "paste", "P&aste");
  connect(paste, &QPushButton::clicked, this, &FeqUseBuddyWindow::PasteWindow);
  QPushButton* clear = PlainButton(this, "clear", "C&lear");
  connect(clear, &QPushButton::clicked, code_, &QPlainTextEdit::clear);
  delete_ = PlainButton(this, "delete", "&Delete....");
  connect(delete_, &QPushButton::clicked, this, &FeqUseBuddyWindow::DeleteMenu);
  equates_ = PlainButton(this, "equates", "Equates");
  connect(equates_, &QPushButton::clicked, this, &FeqUseBuddyWindow::EquatesMenu);
  QPushButton* popups = PlainButton(this, "loadPopups", "Load Popups");
  connect(popups, &QPushButton::clicked, this, &FeqUseBuddyWindow::LoadSnippets);
  QPushButton* close = PlainButton(this, "close", "Close");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  noMenus_ = new QCheckBox(QStringLiteral("No Menus"), this);
  noMenus_->setObjectName("noMenus");
  noComment_ = new QCheckBox(QStringLiteral("No !"), this);
  noComment_->setObjectName("noComment");
  noComment_->setToolTip(QStringLiteral("When generating code do not include !comment"));

  auto* row = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{load, paste, clear, delete_, equates_,
                                                         popups, noMenus_, noComment_}) {
    row->addWidget(widget);
  }
  row->addStretch(1);
  row->addWidget(close);
  return row;
}

void FeqUseBuddyWindow::AddListKey(const QKeySequence& keys, void (FeqUseBuddyWindow::*action)()) {
  auto* shortcut = new QShortcut(keys, controls_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(shortcut, &QShortcut::activated, this, action);
}

void FeqUseBuddyWindow::Warn(const std::string& text) {
  runtime::Tell(desktop_, text, kCaption, runtime::Icon::Warning);
}

// A refused text leaves the list as it was and the user on the text to fix it.
void FeqUseBuddyWindow::LoadWindow() {
  const utilities::WindowLoad load =
      utilities::LoadWindowStructure(FromEditText(code_->toPlainText()), noMenus_->isChecked());
  if (!load.refusal.empty()) {
    tabs_->setCurrentIndex(0);
    Warn(load.refusal);
    code_->setFocus();
    return;
  }
  rows_ = load.rows;
  ShowRows();
  ShowParseLines(load.parseLines);
  tabs_->setCurrentIndex(1);
  controls_->setFocus();
  if (!load.problems.empty()) Warn(utilities::ProblemsMessage(load.problems));
}

void FeqUseBuddyWindow::PasteWindow() {
  code_->setPlainText(ToEditText(desktop_.ClipboardText()));
  LoadWindow();
}

void FeqUseBuddyWindow::LoadSnippets() {
  const auto load = utilities::LoadSnippetFile(snippetFile_);
  if (!load) {
    Warn(utilities::kSnippetFileMissing);
    return;
  }
  snippets_ = load->snippets;
  if (!load->problems.empty()) Warn(utilities::ProblemsMessage(load->problems));
}

// The control column shows the nesting by indenting; the columns fit their widest text.
void FeqUseBuddyWindow::ShowRows() {
  const int current = controls_->indexOfTopLevelItem(controls_->currentItem());
  controls_->clear();
  QList<QTreeWidgetItem*> items;
  for (const utilities::WinqRow& row : rows_) {
    const QString control = QString(row.lvl * 2, QLatin1Char(' ')) + ToQString(row.cntrl.view());
    items.append(new QTreeWidgetItem(
        QStringList{control, ToQString(row.txt.view()), ToQString(row.feq.view()),
                    ToQString(row.useVar.view()), ToQString(row.lnCode.view())}));
  }
  controls_->addTopLevelItems(items);
  for (int column = kControl; column < kCodeLine; ++column) {
    controls_->resizeColumnToContents(column);
  }
  if (!items.isEmpty()) {
    controls_->setCurrentItem(items[std::clamp(current, 0, static_cast<int>(items.size()) - 1)]);
  }
}

void FeqUseBuddyWindow::ShowParseLines(const std::vector<utilities::JoinedLine>& lines) {
  parse_->clear();
  for (const utilities::JoinedLine& line : lines) {
    parse_->addItem(ToQString(line.label.empty() ? line.text : line.label + " " + line.text));
  }
}

void FeqUseBuddyWindow::RowPopup(int row, const QPoint& where) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  const utilities::ControlPopup popup =
      utilities::BuildControlPopup(snippets_, rows_[row].cntrl.view());
  const int choice = desktop_.PopupMenuAt(popup.menuText, ToScreenPoint(where));
  const auto text =
      utilities::PopupChoiceText(popup, choice, snippets_, rows_, row, noComment_->isChecked());
  if (text) desktop_.SetClipboardText(*text);
}

void FeqUseBuddyWindow::RowPopupAtCurrentRow() {
  const QModelIndex current = controls_->currentIndex();
  if (!current.isValid()) return;
  const QRect rect = controls_->visualRect(current);
  RowPopup(current.row(), controls_->viewport()->mapToGlobal(rect.bottomLeft()));
}

void FeqUseBuddyWindow::DeleteMenu() {
  const int choice = desktop_.PopupMenuAt(utilities::kDeleteMenu, Below(*delete_));
  if (choice < 1 || choice > static_cast<int>(utilities::DeleteChoice::MenusAndItems)) return;
  const int selected = controls_->indexOfTopLevelItem(controls_->currentItem());
  if (utilities::DeleteRows(rows_, static_cast<utilities::DeleteChoice>(choice), selected) > 0) {
    ShowRows();
  }
}

void FeqUseBuddyWindow::DeleteSelectedRow() {
  const int selected = controls_->indexOfTopLevelItem(controls_->currentItem());
  if (utilities::DeleteRows(rows_, utilities::DeleteChoice::SelectedRow, selected) > 0) {
    ShowRows();
  }
}

void FeqUseBuddyWindow::EquatesMenu() {
  const int choice = desktop_.PopupMenuAt(utilities::EquatesMenuText(), Below(*equates_));
  if (const auto name = utilities::EquateForChoice(choice)) desktop_.SetClipboardText(*name);
}

void FeqUseBuddyWindow::done(int result) {
  runtime::WriteProfileString(trawlexIni_, kSection, kNoMenusKey,
                              noMenus_->isChecked() ? "1" : "0");
  QDialog::done(result);
}

FeqUseBuddyWindow* OpenFeqUseBuddy(QWidget* parent, runtime::Desktop& desktop,
                                   const std::filesystem::path& trawlexIni) {
  auto* window = new FeqUseBuddyWindow(desktop, trawlexIni, utilities::kSnippetFileName, parent);
  ShowInFront(*window);
  return window;
}

}  // namespace trawlex::ui
