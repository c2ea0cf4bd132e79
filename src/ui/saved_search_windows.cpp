#include "ui/saved_search_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "shell/column_widths.h"
#include "shell/last_search_list.h"
#include "shell/open_search_list.h"
#include "shell/search_save_model.h"
#include "shell/window_placement.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

using shell::RecordPosition;

// Designed column widths follow the fields' character counts, but no column starts wider
// than this many characters: a 127-character path would push the other columns out of
// sight. Dragging a header widens a column, and the list keeps the width.
constexpr int kMaxDesignedChars = 40;
constexpr int kDesignedRows = 20;
constexpr int kNameWidth = 30;  // SEA:NAME
constexpr int kTextWidth = 60;  // SEA:TEXT, LAST:TEXT
constexpr int kPathWidth = 127;

constexpr const char* kOpenTip = "Ctrl+Open to open search in a new thread";

struct ColumnSpec {
  const char* header;
  int chars;
};

// A tab of a list: the order it shows and its "Locate:" entry (none when `locatorWidth`
// is 0).
struct TabSpec {
  const char* title;
  const char* locatorName;
  int locatorWidth;
};

struct ListLayout {
  QString title;
  std::vector<ColumnSpec> columns;
  std::vector<TabSpec> tabs;
  std::string_view section;
  int layoutVersion;
};

// One row as the list draws it.
struct ListRow {
  QStringList cells;
  RecordPosition position;
};

bool NewWindowModifiers(Qt::KeyboardModifiers modifiers) {
  return (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
}

// The frame of both list windows: tabs with their locators, the list, the record buttons
// and "Close"; the place and column widths kept in Trawlex.INI. A subclass reads the rows
// of a tab from its model and gives the buttons their actions.
class SavedListDialog : public QDialog {
 public:
  SavedListDialog(QWidget* parent, ListLayout layout, std::filesystem::path trawlexIni)
      : QDialog(parent), layout_(std::move(layout)), trawlexIni_(std::move(trawlexIni)) {
    setObjectName("SavedSearchList");
    setWindowTitle(layout_.title);
    setSizeGripEnabled(true);
    BuildTabs();
    BuildList();
    auto* buttonRow = new QHBoxLayout;
    recordButtons_ = new QHBoxLayout;
    buttonRow->addLayout(recordButtons_);
    buttonRow->addStretch();
    auto* close = new QPushButton("Close", this);
    close->setObjectName("close");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttonRow->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tabs_);
    column->addWidget(list_, 1);
    column->addLayout(buttonRow);

    auto* open = AddButton("open", "&Open", kOpenTip, [this](int row) { Choose(row); });
    open->setDefault(true);  // Enter opens the highlighted search
  }

  // Shows the first tab's rows at the list's designed or stored widths, in the stored place.
  void Prepare() {
    Refresh(0, 0);
    SetDesignedSize();
    if (const auto stored =
            shell::RestoreColumnWidths(trawlexIni_, layout_.section, layout_.layoutVersion)) {
      const int count = std::min<int>(list_->columnCount(), stored->columnWidths.size());
      for (int i = 0; i < count; ++i) {
        if (stored->columnWidths[i] > 0) list_->setColumnWidth(i, stored->columnWidths[i]);
      }
    }
    CentreOver(*this, parentWidget());
    FitIntoSpace(*this);
    QtWindowGeometry geometry(*this);
    shell::RestoreWindowPosition(geometry, trawlexIni_, layout_.section);
    opened_ = true;
    if (locators_.front() != nullptr) {
      locators_.front()->setFocus();
    } else {
      list_->setFocus();
    }
  }

  // The row chosen with "&Open" or a double click; nullopt when closed without a choice.
  std::optional<int> chosen() const { return chosen_; }
  // Whether Ctrl or Shift was held as the row was chosen.
  bool newWindow() const { return newWindow_; }

  void done(int code) override {
    if (opened_) {
      opened_ = false;
      std::vector<int> widths;
      for (int i = 0; i < list_->columnCount(); ++i) widths.push_back(list_->columnWidth(i));
      shell::SaveColumnWidths(trawlexIni_, layout_.section, layout_.layoutVersion, {}, widths);
      QtWindowGeometry geometry(*this);
      shell::SaveWindowPosition(geometry, trawlexIni_, layout_.section);
    }
    QDialog::done(code);
  }

 protected:
  // The rows in the order of tab `tab`; the subclass keeps the records behind them.
  virtual std::vector<ListRow> LoadRows(int tab) = 0;
  virtual std::optional<RecordPosition> Locate(int tab, std::string_view typed) = 0;

  // A button that acts on the highlighted row; it is disabled while no row is highlighted.
  QPushButton* AddButton(const char* name, const char* text, const char* tip,
                         std::function<void(int row)> action) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (tip != nullptr) button->setToolTip(QString::fromUtf8(tip));
    connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] {
      const int row = CurrentRow();
      if (row >= 0) action(row);
    });
    recordButtons_->addWidget(button);
    rowButtons_.push_back(button);
    return button;
  }

  // A key on the list that presses `button` (Ctrl+C copies, Del deletes).
  void AddListKey(const QKeySequence& keys, QPushButton* button) {
    auto* shortcut = new QShortcut(keys, list_);
    shortcut->setContext(Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled()) button->click();
    });
  }

  // Reads the rows again and highlights the record at `keep`; when it is gone, the row at
  // `fallbackRow` (or the last one), so that the list keeps its place.
  void Refresh(RecordPosition keep, int fallbackRow) {
    const std::vector<ListRow> rows = LoadRows(tabs_->currentIndex());
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const ListRow& row : rows) {
      auto* item = new QTreeWidgetItem(row.cells);
      item->setData(0, Qt::UserRole, QVariant::fromValue<qint64>(row.position));
      for (int i = 0; i < row.cells.size(); ++i) item->setToolTip(i, row.cells[i]);
      items << item;
    }
    list_->addTopLevelItems(items);
    if (!SelectPosition(keep) && !items.isEmpty()) {
      SelectRow(std::clamp(fallbackRow, 0, static_cast<int>(items.size()) - 1));
    }
    UpdateButtons();
  }

  int CurrentRow() const {
    QTreeWidgetItem* item = list_->currentItem();
    return item == nullptr ? -1 : list_->indexOfTopLevelItem(item);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // The locator moves through the list with the arrow and page keys, as a list's own
    // locator would, so the user need not leave the entry.
    if (event->type() == QEvent::KeyPress && IsLocator(watched)) {
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
          QApplication::sendEvent(list_, event);
          return true;
        default:
          break;
      }
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  void BuildTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabs");
    tabs_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    for (const TabSpec& spec : layout_.tabs) {
      auto* page = new QWidget(tabs_);
      auto* row = new QHBoxLayout(page);
      QLineEdit* locator = nullptr;
      if (spec.locatorWidth > 0) {
        locator = new QLineEdit(page);
        locator->setObjectName(spec.locatorName);
        locator->setMaxLength(spec.locatorWidth);
        locator->installEventFilter(this);
        auto* caption = new QLabel("Locate:", page);
        caption->setBuddy(locator);
        row->addWidget(caption);
        row->addWidget(locator, 1);
        const int tab = static_cast<int>(locators_.size());
        connect(locator, &QLineEdit::textEdited, this,
                [this, tab, width = spec.locatorWidth](const QString& text) {
                  OnLocate(tab, FieldBytes(text, width));
                });
      } else {
        row->addStretch();
      }
      locators_.push_back(locator);
      tabs_->addTab(page, QString::fromUtf8(spec.title));
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
      // The new order, still on the record that was highlighted.
      Refresh(CurrentPosition(), 0);
      if (locators_[tab] != nullptr) {
        locators_[tab]->setFocus();
      } else {
        list_->setFocus();
      }
    });
  }

  void BuildList() {
    list_ = new QTreeWidget(this);
    list_->setObjectName("list");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setAlternatingRowColors(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    QStringList headers;
    for (const ColumnSpec& column : layout_.columns) headers << QString::fromUtf8(column.header);
    list_->setHeaderLabels(headers);
    const QFontMetrics metrics = list_->fontMetrics();
    const int charWidth = metrics.averageCharWidth();
    for (int i = 0; i < static_cast<int>(layout_.columns.size()); ++i) {
      const ColumnSpec& column = layout_.columns[i];
      const int byChars = std::min(column.chars, kMaxDesignedChars) * charWidth;
      const int byHeader = metrics.horizontalAdvance(headers[i]);
      list_->setColumnWidth(i, std::max(byChars, byHeader) + 2 * charWidth);
    }
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Choose(list_->indexOfTopLevelItem(item)); });
  }

  void SetDesignedSize() {
    int width = 2 * list_->frameWidth() + 40;
    for (int i = 0; i < list_->columnCount(); ++i) width += list_->columnWidth(i);
    const int height = sizeHint().height() + kDesignedRows * list_->fontMetrics().height();
    QSize size(width, height);
    if (const QScreen* screen = this->screen()) {
      size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    resize(size);
  }

  void OnLocate(int tab, const std::string& typed) {
    const auto position = Locate(tab, typed);
    if (!position) return;
    // 0: everything is less than what was typed; the list goes to its end.
    if (*position == 0 || !SelectPosition(*position)) {
      SelectRow(list_->topLevelItemCount() - 1);
    }
  }

  void Choose(int row) {
    if (row < 0) return;
    chosen_ = row;
    newWindow_ = NewWindowModifiers(QGuiApplication::keyboardModifiers());
    accept();
  }

  bool SelectPosition(RecordPosition position) {
    if (position == 0) return false;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
      if (list_->topLevelItem(i)->data(0, Qt::UserRole).toLongLong() == position) {
        SelectRow(i);
        return true;
      }
    }
    return false;
  }

  void SelectRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (item == nullptr) return;
    list_->setCurrentItem(item);
    list_->scrollToItem(item);
  }

  RecordPosition CurrentPosition() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item == nullptr ? 0 : item->data(0, Qt::UserRole).toLongLong();
  }

  bool IsLocator(const QObject* object) const {
    return std::find(locators_.begin(), locators_.end(), object) != locators_.end();
  }

  void UpdateButtons() {
    const bool highlighted = list_->currentItem() != nullptr;
    for (QPushButton* button : rowButtons_) button->setEnabled(highlighted);
  }

  ListLayout layout_;
  std::filesystem::path trawlexIni_;
  QTabWidget* tabs_ = nullptr;
  std::vector<QLineEdit*> locators_;  // by tab; nullptr for a tab without one
  QTreeWidget* list_ = nullptr;
  QHBoxLayout* recordButtons_ = nullptr;
  std::vector<QPushButton*> rowButtons_;
  std::optional<int> chosen_;
  bool newWindow_ = false;
  bool opened_ = false;
};

QString Cell(std::string_view text) {
  return ToQString(text);
}

class OpenSearchDialog final : public SavedListDialog {
 public:
  OpenSearchDialog(QWidget* parent, shell::OpenSearchList& list,
                   const std::filesystem::path& trawlexIni)
      : SavedListDialog(parent, Layout(list), trawlexIni), list_(list) {
    auto* copy = AddButton("copySpecs", "Copy search Specs to clipboard", nullptr,
                           [this](int row) { list_.CopySpecs(rows_[row].record); });
    auto* remove = AddButton("delete", "&Delete", nullptr, [this](int row) {
      const shell::SavedSearch record = rows_[row].record;
      if (list_.Delete(record)) Refresh(0, row);
    });
    AddButton("rename", "&Rename", nullptr, [this](int row) {
      const shell::SavedSearch record = rows_[row].record;
      if (const auto renamed = list_.Rename(record)) Refresh(renamed->position, row);
    });
    AddButton("fav", "&Fav", "Toggle Favorite Flag", [this](int row) {
      const shell::SavedSearch record = rows_[row].record;
      if (const auto toggled = list_.ToggleFavourite(record)) Refresh(toggled->position, row);
    });
    AddListKey(QKeySequence::Copy, copy);
    AddListKey(QKeySequence::Delete, remove);
  }

  const shell::SavedSearch& record(int row) const { return rows_[row].record; }

 private:
  static ListLayout Layout(const shell::OpenSearchList& list) {
    return {ToQString(list.title()),
            {{"Name", 30},
             {"Path", 127},
             {"File Specs", 60},
             {"Fav", 1},
             {"Search Text", 60},
             {"Parms", 59}},
            {{"By Name", "locateByName", kNameWidth}, {"By Path", "locateByPath", kPathWidth}},
            shell::kOpenSearchSection,
            shell::kOpenSearchLayoutVersion};
  }
  static shell::SavedKey Order(int tab) {
    return tab == 1 ? shell::SavedKey::ByPath : shell::SavedKey::ByName;
  }

  std::vector<ListRow> LoadRows(int tab) override {
    rows_.clear();
    if (auto rows = list_.Rows(Order(tab))) rows_ = std::move(*rows);
    std::vector<ListRow> shown;
    shown.reserve(rows_.size());
    for (const shell::OpenSearchRow& row : rows_) {
      const shell::SavedSearch& r = row.record;
      shown.push_back({{Cell(r.name.view()), Cell(r.path.view()), Cell(r.spec.view()),
                        Cell(row.fav), Cell(r.text.view()), Cell(row.parms)},
                       r.position});
    }
    return shown;
  }
  std::optional<RecordPosition> Locate(int tab, std::string_view typed) override {
    return list_.Locate(Order(tab), typed);
  }

  shell::OpenSearchList& list_;
  std::vector<shell::OpenSearchRow> rows_;
};

class LastSearchDialog final : public SavedListDialog {
 public:
  LastSearchDialog(QWidget* parent, shell::LastSearchList& list,
                   const std::filesystem::path& trawlexIni)
      : SavedListDialog(parent, Layout(list), trawlexIni), list_(list) {
    auto* copy = AddButton("copySpecs", "Copy search Specs to clipboard", nullptr,
                           [this](int row) { list_.CopySpecs(rows_[row].record); });
    auto* remove = AddButton("delete", "&Delete", nullptr, [this](int row) {
      const shell::RecentSearch record = rows_[row].record;
      if (list_.Delete(record)) Refresh(0, row);
    });
    AddListKey(QKeySequence::Copy, copy);
    AddListKey(QKeySequence::Delete, remove);
  }

  const shell::RecentSearch& record(int row) const { return rows_[row].record; }

 private:
  static ListLayout Layout(const shell::LastSearchList& list) {
    return {
        ToQString(list.title()),
        {{"Time Stamp", 13}, {"Search Text", 60}, {"Path", 127}, {"Options", 39}, {"Specs", 60}},
        {{"By Time", "", 0},
         {"By Text", "locateByText", kTextWidth},
         {"By Path", "locateByPath", kPathWidth}},
        shell::kOpenLastSearchSection,
        shell::kOpenLastSearchLayoutVersion};
  }
  static shell::RecentKey Order(int tab) {
    return tab == 1   ? shell::RecentKey::ByText
           : tab == 2 ? shell::RecentKey::ByPath
                      : shell::RecentKey::ByDate;
  }

  std::vector<ListRow> LoadRows(int tab) override {
    rows_.clear();
    if (auto rows = list_.Rows(Order(tab))) rows_ = std::move(*rows);
    std::vector<ListRow> shown;
    shown.reserve(rows_.size());
    for (const shell::LastSearchRow& row : rows_) {
      const shell::RecentSearch& r = row.record;
      shown.push_back({{Cell(row.byTime), Cell(r.text.view()), Cell(r.path.view()), Cell(row.parms),
                        Cell(r.spec.view())},
                       r.position});
    }
    return shown;
  }
  std::optional<RecordPosition> Locate(int tab, std::string_view typed) override {
    return list_.Locate(Order(tab), typed);
  }

  shell::LastSearchList& list_;
  std::vector<shell::LastSearchRow> rows_;
};

// "Search Save": the name and favourite flag of a search saved as new or renamed.
class SearchSaveDialog final : public QDialog {
 public:
  SearchSaveDialog(QWidget* parent, shell::SearchSaveModel& model)
      : QDialog(parent), model_(model) {
    setObjectName("SearchSave");
    setWindowTitle(ToQString(model_.title()));
    name_ = new QLineEdit(ToQString(model_.name.view()), this);
    name_->setObjectName("name");
    name_->setMaxLength(kNameWidth);
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * (kNameWidth + 2));
    favourite_ = new QCheckBox("Favorite", this);
    favourite_->setObjectName("favourite");
    favourite_->setToolTip("Add search to favorites list");
    favourite_->setChecked(model_.favourite != 0);
    auto* ok = new QPushButton(ToQString(model_.okText()), this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancel");
    cancel->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow("Search Name:", name_);
    form->addRow(QString(), favourite_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    name_->setFocus();
    name_->selectAll();
  }

  void reject() override {
    TakeIfChanged(model_.name, name_->text());  // the name stays as typed, whichever way it closes
    QDialog::reject();
  }

 private:
  void Ok() {
    TakeIfChanged(model_.name, name_->text());
    if (!model_.Ok()) {
      // The model has beeped and said why; the user corrects the name.
      name_->setFocus();
      name_->selectAll();
      return;
    }
    model_.favourite = favourite_->isChecked() ? 1 : 0;
    accept();
  }

  shell::SearchSaveModel& model_;
  QLineEdit* name_ = nullptr;
  QCheckBox* favourite_ = nullptr;
};

}  // namespace

QtSearchListWindows::QtSearchListWindows(QWidget* parent, const shell::SettingsFiles& files,
                                         std::function<void()> startSearchParameters)
    : parent_(parent),
      trawlexIni_(files.trawlexIni),
      startSearchParameters_(std::move(startSearchParameters)) {}

// Each dialogue is made on the heap and read only while it lives: a parent closed under an
// open dialogue takes the dialogue with it, which then counts as closed without a choice.
std::optional<shell::SavedChoice> QtSearchListWindows::OpenSearch(shell::OpenSearchList& list) {
  QPointer<OpenSearchDialog> dialog = new OpenSearchDialog(DialogParent(), list, trawlexIni_);
  dialog->Prepare();
  dialog->exec();
  if (dialog == nullptr) return std::nullopt;
  std::optional<shell::SavedChoice> choice;
  if (const auto row = dialog->chosen()) {
    choice = shell::SavedChoice{dialog->record(*row), dialog->newWindow()};
  }
  delete dialog;
  return choice;
}

std::optional<shell::RecentChoice> QtSearchListWindows::OpenLastSearch(
    shell::LastSearchList& list) {
  QPointer<LastSearchDialog> dialog = new LastSearchDialog(DialogParent(), list, trawlexIni_);
  dialog->Prepare();
  dialog->exec();
  if (dialog == nullptr) return std::nullopt;
  std::optional<shell::RecentChoice> choice;
  if (const auto row = dialog->chosen()) {
    choice = shell::RecentChoice{dialog->record(*row), dialog->newWindow()};
  }
  delete dialog;
  return choice;
}

bool QtSearchListWindows::SearchSave(shell::SearchSaveModel& model) {
  QPointer<SearchSaveDialog> dialog = new SearchSaveDialog(DialogParent(), model);
  const int code = dialog->exec();
  if (dialog == nullptr) return false;
  delete dialog;
  return code == QDialog::Accepted;
}

bool QtSearchListWindows::NewWindowModifierHeld() {
  return NewWindowModifiers(QGuiApplication::queryKeyboardModifiers());
}

void QtSearchListWindows::StartSearchParameters() {
  if (startSearchParameters_) startSearchParameters_();
}

QWidget* QtSearchListWindows::DialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return parent_;
}

}  // namespace trawlex::ui
