#include "ui/search_input_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "engine/label_modes.h"
#include "shell/window_placement.h"
#include "ui/qt_text.h"
#include "ui/regex_assistant_window.h"
#include "ui/qt_window_geometry.h"

namespace trawlex::ui {
namespace {

using engine::Extra;
using engine::SearchSpec;
using shell::SearchParameters;

constexpr int kTextWidth = 60;   // SER:TEXT and SER:SPEC
constexpr int kPathWidth = 256;  // SER:PATH
constexpr int kCodeColumn = 8;   // label list columns, in characters
constexpr int kNameColumn = 30;
constexpr const char* kNotYet = "Not available yet";



QString Tip(std::initializer_list<const char*> lines) {
  QStringList joined;
  for (const char* line : lines) joined << QString::fromUtf8(line);
  return joined.join('\n');
}

QComboBox* Entry(QWidget* parent, const char* name, int maxLength) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setEditable(true);
  // The histories belong to the model: Enter must not add to them, and inline completion
  // would silently turn a typed "Foo" into a remembered "Foobar".
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  combo->lineEdit()->setMaxLength(maxLength);
  // Long history entries must not widen the dialogue.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(30);
  combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return combo;
}

void ShowEntry(QComboBox* combo, const std::vector<std::string>& history, std::string_view value) {
  const QSignalBlocker block(combo);
  combo->clear();
  for (const std::string& entry : history) combo->addItem(ToQString(entry));
  combo->setEditText(ToQString(value));
}

QPushButton* Button(QWidget* parent, const char* name, const char* text, const QString& tip = {}) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  return button;
}

QToolButton* Tool(QWidget* parent, const char* name, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

QLabel* Caption(QWidget* parent, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setBuddy(buddy);
  return label;
}

// Local paths of the files in a drop, as the file system names them.
std::vector<std::string> DroppedFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return files;
}

bool IsDropEvent(QEvent::Type type) {
  return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

}  // namespace

SearchInputWindow::SearchInputWindow(SearchParameters& model, runtime::Desktop& desktop,
                                     QWidget* parent)
    : QDialog(parent), model_(model), desktop_(desktop) {
  setObjectName("SearchInput");
  BuildControls();
  BuildLayout();
  SetTips();
  SetTabOrder();
  Connect();
  WatchControls();

  const bool edit = model_.mode() == shell::DialogMode::Edit;
  search_->setText(edit ? "Ok" : "&Search");
  for (QWidget* editOnly : {static_cast<QWidget*>(append_), static_cast<QWidget*>(again_),
                            static_cast<QWidget*>(refresh_)}) {
    editOnly->setVisible(edit);
  }
  Redisplay();
  find_->setFocus();
  find_->lineEdit()->selectAll();
  setSizeGripEnabled(true);
  resize(sizeHint());
}

QCheckBox* SearchInputWindow::AddSwitch(const char* name, const char* text, const QString& tip,
                                        void (*set)(SearchParameters&, bool),
                                        bool (*get)(const SearchSpec&)) {
  auto* box = new QCheckBox(QString::fromUtf8(text), this);
  box->setObjectName(name);
  box->setToolTip(tip);
  switches_.push_back({box, set, get});
  return box;
}

void SearchInputWindow::BuildControls() {
  find_ = Entry(this, "find", kTextWidth);
  path_ = Entry(this, "path", kPathWidth);
  specs_ = Entry(this, "specs", kTextWidth);
  path_->setAcceptDrops(true);
  explorer_ =
      Tool(this, "explorer",
           Tip({"Start Windows Explorer on current path ", "and Drag and Drop from Explorer"}));
  explorer_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  explorer_->setAccessibleName("Explorer");
  choosePath_ = Tool(this, "choosePath", "Select path dialog");
  choosePath_->setText("...");
  presets_ = Tool(this, "specPresets", "Pick extension from popup list");
  presets_->setText("...");

  using R = SearchParameters;
  using S = SearchSpec;
  case_ = AddSwitch(
      "case", "&Case ", "Check for Case Sensitive",
      [](R& m, bool on) { m.request().sw.caseSensitive = on; },
      [](const S& r) -> bool { return r.sw.caseSensitive; });
  smash_ = AddSwitch(
      "smash", "S&mash", "Remove spaces from search", [](R& m, bool on) { m.SetSmash(on); },
      [](const S& r) -> bool { return r.sw.smash; });
  word_ = AddSwitch(
      "word", "Wo&rd ", "Text must start with and end with a space, ie a word",
      [](R& m, bool on) { m.SetWord(on); }, [](const S& r) -> bool { return r.sw.word; });
  trailing_ = AddSwitch(
      "trailing", "&Trailing", "Text must end with a space",
      [](R& m, bool on) { m.SetTrailing(on); }, [](const S& r) -> bool { return r.sw.trail; });
  wild_ = AddSwitch(
      "wild", "&Wild", "Use Wildcards * and ?", [](R& m, bool on) { m.SetWild(on); },
      [](const S& r) { return r.wild(); });
  regex_ = AddSwitch(
      "regex", "Reg &X", "Use Regular Expressions", [](R& m, bool on) { m.SetRegex(on); },
      [](const S& r) { return r.regex(); });
  first_ = AddSwitch(
      "first", "First", "Only show first occurence per file",
      [](R& m, bool on) { m.request().sw.first = on; },
      [](const S& r) -> bool { return r.sw.first; });
  skip_ = AddSwitch(
      "skip", "S&kip !", "Don't search Veldar !Comments",
      [](R& m, bool on) { m.request().sw.codeOnly = on; },
      [](const S& r) -> bool { return r.sw.codeOnly; });
  subDirs_ = AddSwitch(
      "subDirs", "S&ub Dirs",
      Tip({"Check to search lower Level directories", "Select the levels deep below"}),
      [](R& m, bool on) { m.request().sw.subdirs = on; },
      [](const S& r) -> bool { return r.sw.subdirs; });
  levels_ = new QSpinBox(this);
  levels_->setObjectName("levels");
  levels_->setRange(0, 255);
  favourite_ = AddSwitch(
      "favourite", "Favorite", "Add this Search to Favorites list (must save)",
      [](R& m, bool on) { m.request().sw[Extra::Favourite] = on; },
      [](const S& r) -> bool { return r.sw[Extra::Favourite]; });
  lineMode_ = AddSwitch(
      "lineMode", "Line Mode", "Slower search using ASCII line by line mode",
      [](R& m, bool on) { m.request().sw[Extra::LineMode] = on; },
      [](const S& r) { return r.lineMode(); });
  modal_ = AddSwitch(
      "modal", "Modal", "Don't yield, search faster",
      [](R& m, bool on) { m.request().sw.modal = on; },
      [](const S& r) -> bool { return r.sw.modal; });
  oop_ = AddSwitch(
      "oop", "OOP Code", "Search V4 OOP Code", [](R& m, bool on) { m.SetOop(on); },
      [](const S& r) -> bool { return r.sw.oop; });
  assistant_ = Button(this, "assistant", "Regular Expression Assistant", nullptr);

  labels_ = new QTreeWidget(this);
  labels_->setObjectName("labels");
  labels_->setColumnCount(2);
  labels_->setHeaderLabels({"Code", "Description"});
  labels_->setRootIsDecorated(false);
  labels_->setUniformRowHeights(true);
  labels_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const engine::LabelMode& mode : engine::LabelModes()) {
    auto* item = new QTreeWidgetItem(labels_, {ToQString(mode.code), ToQString(mode.name)});
    item->setData(0, Qt::UserRole, mode.eqt);
  }
  const int charWidth = labels_->fontMetrics().averageCharWidth();
  labels_->resizeColumnToContents(0);  // "LnEquate" is wider than eight average characters
  labels_->setColumnWidth(0, std::max(labels_->columnWidth(0), charWidth * kCodeColumn) + 8);
  labels_->setColumnWidth(1, charWidth * kNameColumn);
  labels_->setMinimumWidth(labels_->columnWidth(0) + labels_->columnWidth(1) +
                           labels_->verticalScrollBar()->sizeHint().width() +
                           2 * labels_->frameWidth());

  append_ = new QCheckBox("Appe&nd", this);
  append_->setObjectName("append");
  search_ = Button(this, "search", "&Search");
  search_->setDefault(true);
  again_ = Button(this, "again", "&Again");
  refresh_ = Button(this, "refresh", "Refre&sh");
  close_ = Button(this, "close", "Close");
  apps_ = Button(this, "apps", "A&pp", "Pick Apps to search");
  drop_ = Button(this, "drop", "&Drop", "Sort/Empty the drop lists");
  new_ = Button(this, "new", "&New", "Clear entries for a new search");
  open_ = Button(this, "open", "&Open");
  save_ = Button(this, "save", "Sa&ve");
  saveAs_ = Button(this, "saveAs", "Save &As");
  favs_ = Button(this, "favs", "&Favs");
  last_ = Button(this, "last", "&Last");
}

void SearchInputWindow::BuildLayout() {
  auto* fields = new QGridLayout;
  fields->addWidget(Caption(this, "F&ind:", find_), 0, 0);
  fields->addWidget(find_, 0, 1);
  fields->addWidget(Caption(this, "Path:", path_), 1, 0);
  fields->addWidget(path_, 1, 1);
  fields->addWidget(choosePath_, 1, 2);
  fields->addWidget(explorer_, 1, 3);
  fields->addWidget(Caption(this, "Sp&ecs:", specs_), 2, 0);
  fields->addWidget(specs_, 2, 1);
  fields->addWidget(presets_, 2, 2);
  fields->setColumnStretch(1, 1);

  auto* switchBox = new QGroupBox(this);
  auto* grid = new QGridLayout(switchBox);
  const QWidget* pairs[][2] = {{case_, smash_}, {word_, trailing_},  {wild_, regex_},
                               {first_, skip_}, {lineMode_, modal_}, {favourite_, oop_}};
  int row = 0;
  for (const auto& pair : pairs) {
    grid->addWidget(const_cast<QWidget*>(pair[0]), row, 0);
    grid->addWidget(const_cast<QWidget*>(pair[1]), row, 1);
    ++row;
  }
  auto* levelsRow = new QHBoxLayout;
  levelsRow->addWidget(subDirs_);
  levelsRow->addWidget(levels_);
  levelsRow->addStretch();
  grid->addLayout(levelsRow, row++, 0, 1, 2);
  grid->addWidget(assistant_, row++, 0, 1, 2);
  grid->setRowStretch(row, 1);

  auto* labelColumn = new QVBoxLayout;
  labelColumn->addWidget(Caption(this, "La&bel", labels_));
  labelColumn->addWidget(labels_, 1);

  auto* middle = new QHBoxLayout;
  middle->addWidget(switchBox);
  middle->addLayout(labelColumn, 1);

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(middle, 1);

  auto* buttons = new QVBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{search_, again_, refresh_, append_, close_}) {
    buttons->addWidget(w);
  }
  buttons->addSpacing(12);
  for (QWidget* w : std::initializer_list<QWidget*>{apps_, drop_, new_}) buttons->addWidget(w);
  buttons->addSpacing(12);
  for (QWidget* w : std::initializer_list<QWidget*>{open_, save_, saveAs_, favs_, last_}) {
    buttons->addWidget(w);
  }
  buttons->addStretch();

  auto* main = new QHBoxLayout(this);
  main->addLayout(left, 1);
  main->addLayout(buttons);
}

void SearchInputWindow::SetTips() {
  append_->setToolTip(Tip({"Do not clear results list,", "append new serch results."}));
  again_->setToolTip(Tip({"Search with new parameters", "and Scan all files again"}));
  refresh_->setToolTip(Tip({"Search with new parameters", "Re-scan just files where text ",
                            "was found in previous search"}));
  levels_->setToolTip("Sub Directory Levels to search");
  labels_->setToolTip("Veldar Label Search Options");
}

void SearchInputWindow::SetTabOrder() {
  const std::initializer_list<QWidget*> order = {
      find_,     path_,   choosePath_, explorer_, specs_,  presets_,  case_,    smash_,     word_,
      trailing_, wild_,   regex_,      first_,    skip_,   lineMode_, modal_,   favourite_, oop_,
      subDirs_,  levels_, assistant_,  labels_,   search_, again_,    refresh_, append_,    close_,
      apps_,     drop_,   new_,        open_,     save_,   saveAs_,   favs_,    last_};
  QWidget* previous = nullptr;
  for (QWidget* widget : order) {
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

void SearchInputWindow::Connect() {
  for (const SwitchBox& entry : switches_) {
    connect(entry.box, &QCheckBox::clicked, this,
            [this, entry](bool on) { SwitchClicked(entry, on); });
  }
  connect(levels_, &QSpinBox::valueChanged, this, [this](int value) {
    Used();
    model_.request().sw.subLevels = static_cast<std::uint8_t>(value);
  });
  connect(labels_, &QTreeWidget::itemSelectionChanged, this, &SearchInputWindow::LabelChosen);
  for (QComboBox* combo : {find_, path_, specs_}) {
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, &SearchInputWindow::Used);
    connect(combo, &QComboBox::activated, this, &SearchInputWindow::Used);
  }

  connect(search_, &QPushButton::clicked, this, [this] { RunSearch(shell::EditButton::Ok); });
  connect(again_, &QPushButton::clicked, this, [this] { RunSearch(shell::EditButton::Again); });
  connect(refresh_, &QPushButton::clicked, this, [this] { RunSearch(shell::EditButton::Refresh); });
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);

  connect(explorer_, &QToolButton::clicked, this,
          [this] { Run([this] { model_.OpenFileManager(); }); });
  connect(choosePath_, &QToolButton::clicked, this,
          [this] { Run([this] { model_.ChoosePath(); }); });
  connect(presets_, &QToolButton::clicked, this, [this] { Run([this] { model_.SpecPresets(); }); });
  connect(apps_, &QPushButton::clicked, this, [this] { Run([this] { model_.PickApps(); }); });
  connect(drop_, &QPushButton::clicked, this, [this] { Run([this] { model_.DropMenu(); }); });
  // The assistant edits the find text; once it completes, the search is a regular one.
  connect(assistant_, &QPushButton::clicked, this, [this] {
    Run([this] {
      std::string pattern = model_.request().text.str();
      if (RunRegexAssistant(this, desktop_, pattern) != 1) return;
      model_.request().text = pattern;
      model_.AssistantCompleted();
    });
  });
  connect(new_, &QPushButton::clicked, this, [this] {
    Run([this] { model_.New(); });
    FocusField(shell::Field::Find);
  });
  connect(open_, &QPushButton::clicked, this,
          [this] { Load([](SearchParameters& m) { return m.OpenSaved(); }); });
  connect(last_, &QPushButton::clicked, this,
          [this] { Load([](SearchParameters& m) { return m.OpenLast(); }); });
  connect(favs_, &QPushButton::clicked, this,
          [this] { Load([](SearchParameters& m) { return m.Favourites(); }); });
  connect(save_, &QPushButton::clicked, this, [this] { Run([this] { model_.Save(); }); });
  connect(saveAs_, &QPushButton::clicked, this, [this] { Run([this] { model_.SaveAs(); }); });
}

// Every control reports its first use (the splash window closes then), and the path field
// takes dropped files; the filter sees both.
void SearchInputWindow::WatchControls() {
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool SearchInputWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::Wheel) {
    Used();
  }
  if (IsDropEvent(type) && (watched == path_ || watched == path_->lineEdit())) {
    return DropOnPath(event);
  }
  // The combo box passes focus events straight to its line edit: either may report it.
  if (type == QEvent::FocusOut && (watched == specs_ || watched == specs_->lineEdit())) {
    Collect();
    model_.LeaveSpecs();
    const QSignalBlocker block(specs_);
    specs_->setEditText(ToQString(model_.request().spec.view()));
  }
  return QDialog::eventFilter(watched, event);
}

// Dropped files set the path through the model; other drops (plain text) are left to the
// entry itself.
bool SearchInputWindow::DropOnPath(QEvent* event) {
  auto* drop = static_cast<QDropEvent*>(event);
  const std::vector<std::string> files = DroppedFiles(drop->mimeData());
  if (files.empty()) return false;
  drop->acceptProposedAction();
  if (event->type() == QEvent::Drop) {
    Used();
    Run([this, &files] { model_.DropFiles(files); });
  }
  return true;
}

void SearchInputWindow::Used() {
  if (used_) return;
  used_ = true;
  emit controlUsed();
}

void SearchInputWindow::Run(const std::function<void()>& operation) {
  Used();
  Collect();
  operation();
  Redisplay();
}

void SearchInputWindow::Collect() {
  engine::SearchSpec& request = model_.request();
  TakeIfChanged(request.text, find_->currentText());
  TakeIfChanged(request.path, path_->currentText());
  TakeIfChanged(request.spec, specs_->currentText());
  request.sw.subLevels = static_cast<std::uint8_t>(levels_->value());
}

void SearchInputWindow::Redisplay() {
  const engine::SearchSpec& request = model_.request();
  ShowEntry(find_, model_.findHistory(), request.text.view());
  ShowEntry(path_, model_.pathHistory(), request.path.view());
  ShowEntry(specs_, model_.specHistory(), request.spec.view());
  {
    const QSignalBlocker block(levels_);
    levels_->setValue(request.sw.subLevels);
  }
  ShowSwitches();
  ShowLabelMode();
  setWindowTitle(ToQString(model_.Title()));
  UpdateButtons();
}

void SearchInputWindow::ShowSwitches() {
  for (const SwitchBox& entry : switches_) entry.box->setChecked(entry.get(model_.request()));
}

void SearchInputWindow::ShowLabelMode() {
  const QSignalBlocker block(labels_);
  labels_->clearSelection();
  const int eqt = model_.request().labelMode();
  for (int i = 0; i < labels_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = labels_->topLevelItem(i);
    if (item->data(0, Qt::UserRole).toInt() != eqt) continue;
    labels_->setCurrentItem(item);
    item->setSelected(true);
    labels_->scrollToItem(item);
    break;
  }
}

void SearchInputWindow::UpdateButtons() {
  const bool stores = storeWindowsAvailable_ && model_.StoreButtonsEnabled();
  for (QPushButton* button : {open_, saveAs_, favs_, last_}) {
    button->setEnabled(stores);
    button->setToolTip(storeWindowsAvailable_ ? QString() : kNotYet);
  }
  save_->setEnabled(stores && model_.SaveEnabled());
  save_->setToolTip(storeWindowsAvailable_ ? QString() : kNotYet);
}

void SearchInputWindow::SetSavedSearchWindowsAvailable(bool available) {
  storeWindowsAvailable_ = available;
  UpdateButtons();
}

void SearchInputWindow::FocusField(shell::Field field) {
  QComboBox* combo = field == shell::Field::Find    ? find_
                     : field == shell::Field::Path  ? path_
                     : field == shell::Field::Specs ? specs_
                                                    : nullptr;
  if (combo == nullptr) return;
  combo->setFocus(Qt::OtherFocusReason);
  combo->lineEdit()->selectAll();
}

void SearchInputWindow::SwitchClicked(const SwitchBox& entry, bool on) {
  Run([this, &entry, on] { entry.set(model_, on); });
}

void SearchInputWindow::LabelChosen() {
  const QList<QTreeWidgetItem*> chosen = labels_->selectedItems();
  if (chosen.isEmpty()) return;
  Used();
  model_.SetLabelMode(chosen.front()->data(0, Qt::UserRole).toInt());
}

// "&Open", "&Last" and "&Favs": a search that was loaded is shown, and the user starts
// again at the find field.
void SearchInputWindow::Load(const std::function<bool(SearchParameters&)>& operation) {
  bool loaded = false;
  Run([&] { loaded = operation(model_); });
  if (loaded) FocusField(shell::Field::Find);
}

void SearchInputWindow::RunSearch(shell::EditButton button) {
  shell::SearchAction action;
  Run([&] { action = model_.Search(button, append_->isChecked()); });
  if (action.kind == shell::SearchAction::Kind::Refused) {
    FocusField(action.focus);
    return;
  }
  emit searchRequested(action);
  // The caller reads the typed answer(); exec() only tells that a search closed the dialogue.
  if (action.close) done(QDialog::Accepted);
}

void SearchInputWindow::KeepPlacement(const std::filesystem::path& trawlexIni) {
  if (model_.mode() != shell::DialogMode::Normal) return;
  placementFile_ = trawlexIni;
  QtWindowGeometry geometry(*this);
  shell::RestoreWindowPosition(geometry, placementFile_, shell::kSearchInputSection);
}

void SearchInputWindow::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

// Every way of closing (Close, Esc, the window's close box, a search that ends the dialogue)
// comes through here once: the model closes and the caller hears its answer.
void SearchInputWindow::done(int code) {
  if (!closing_) {
    closing_ = true;
    answer_ = model_.Close();
    if (!placementFile_.empty()) {
      QtWindowGeometry geometry(*this);
      shell::SaveWindowPosition(geometry, placementFile_, shell::kSearchInputSection);
    }
    emit closed(answer_);
  }
  QDialog::done(code);
}

}  // namespace trawlex::ui
