#include "ui/find_and_delete_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <initializer_list>

#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "shell/window_placement.h"
#include "ui/find_controls.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

constexpr const char* kCaption = "Find and Delete Results";
constexpr const char* kPasteTip = "Set Find Text to the selection \r\nfrom the text above. ";
constexpr const char* kPasteOkTip =
    "Set Find Text to the selection \r\nfrom the text above, then\r\npress Ok to find and Delete.";
// The line box is designed for this many columns at least and at most; longer lines scroll.
constexpr int kMinimumColumns = 40;
constexpr int kDesignedColumns = 90;

using S = results::FindSwitches;
const FindCaptions kCaptions = {
    "&Find Text:",
    {{{&S::caseSensitive, "Cas&e"},
      {&S::smash, "&Smash"},
      {&S::word, "&Word"},
      {&S::trailing, "T&railing"},
      {&S::wild, "W&ild"},
      {&S::regex, "Reg&X"}}},
    "Re&gex Assistant...",
};

using Source = bool results::FindAndDeleteRecord::*;
using R = results::FindAndDeleteRecord;
struct SourceBox {
  Source field;
  const char* name;
  const char* text;
};
constexpr std::array<SourceBox, 4> kSources = {{
    {&R::inText, "inText", "&Text Line"},
    {&R::inLocation, "inLocation", "&Location"},
    {&R::inFile, "inFile", "Filena&me"},
    {&R::inSubdir, "inSubdir", "S&ub Directory"},
}};

// A tip as the window system shows it: its CR LF pairs are line breaks.
QString Tip(const char* tip) {
  return QString::fromUtf8(tip).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

template <class Widget>
Widget* Named(QWidget* parent, const char* name, const char* text) {
  auto* widget = new Widget(QString::fromUtf8(text), parent);
  widget->setObjectName(name);
  return widget;
}

// One line of the box: without trailing blanks, and a line end inside a field cannot start
// another line, so the four fields stay one per line.
QString BoxLine(std::string_view field) {
  std::string line = runtime::Clip(field);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return ToQString(line);
}

// The selected line: its text without leading blanks, location, subdirectory and file.
QStringList BoxLines(const FindAndDeleteSource& line) {
  const std::size_t first = line.text.find_first_not_of(' ');
  const std::string_view text =
      first == std::string::npos ? std::string_view() : std::string_view(line.text).substr(first);
  return {BoxLine(text), BoxLine(line.location), BoxLine(line.subdir), BoxLine(line.file)};
}

// Read-only, the keyboard can still move in the box and select.
void SetReadOnly(QPlainTextEdit& box, bool on) {
  box.setReadOnly(on);
  if (on) box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

// What the box's frame and its document's margins take of its size, either way.
int BoxFrame(const QPlainTextEdit& box) {
  return 2 * box.frameWidth() + 2 * static_cast<int>(box.document()->documentMargin());
}

// The selected characters up to the first line end: a find text is one line.
QString SelectedFind(const QPlainTextEdit& box) {
  const QString selected = box.textCursor().selectedText();
  const qsizetype end = selected.indexOf(QChar::ParagraphSeparator);
  return end < 0 ? selected : selected.left(end);
}

class FindAndDeleteWindow final : public QDialog {
 public:
  FindAndDeleteWindow(QWidget* parent, runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                      bool offerTest, const FindAndDeleteSource& line,
                      results::FindAndDeleteRecord& record)
      : QDialog(parent),
        desktop_(desktop),
        trawlexIni_(std::move(trawlexIni)),
        record_(record),
        controls_(*this, desktop, record.find, kCaptions) {
    setWindowTitle(QStringLiteral("Find Text and Delete Results Lines"));
    setObjectName("FindAndDelete");
    setSizeGripEnabled(true);
    BuildLineBox(line);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildTop(offerTest));
    layout->addWidget(box_, 1);
    layout->addLayout(BuildPasteRow());
    SetTabOrder();
    Redisplay();
    controls_.FocusText();
    Place(parent);
  }

  void done(int code) override {
    Collect();
    if (code != QDialog::Accepted) record_.find.findLen = 0;  // cancelled: no find is set
    QtWindowGeometry geometry(*this);
    shell::SaveWindowPosition(geometry, trawlexIni_, shell::kFindAndDeleteSection);
    QDialog::done(code);
  }

 private:
  // The find text and the three groups, with "&OK", "Cancel" and "Test" beside them.
  QHBoxLayout* BuildTop(bool offerTest) {
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(controls_.caption());
    textRow->addWidget(controls_.text(), 1);
    auto* options = Named<QGroupBox>(this, "options", "Options");
    options->setLayout(controls_.switchLayout());
    auto* groups = new QHBoxLayout;
    groups->addWidget(BuildSources());
    groups->addWidget(BuildDeleteIf());
    groups->addWidget(options);
    auto* left = new QVBoxLayout;
    left->addLayout(textRow);
    left->addLayout(groups);
    left->addStretch(1);

    auto* ok = Named<QPushButton>(this, "ok", "&OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Accept(); });
    auto* cancel = Named<QPushButton>(this, "cancel", "Cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    if (offerTest) {
      test_ = Named<QCheckBox>(this, "test", "Test");
      test_->setToolTip(QStringLiteral("Test delete by only flagging lines"));
      buttons->addWidget(test_);
    }
    buttons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(buttons);
    return top;
  }

  QGroupBox* BuildSources() {
    auto* group = Named<QGroupBox>(this, "sources", "Search Which Results Text");
    auto* grid = new QGridLayout(group);
    for (std::size_t i = 0; i < kSources.size(); ++i) {
      sources_[i] = Named<QCheckBox>(group, kSources[i].name, kSources[i].text);
      grid->addWidget(sources_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    all_ = Named<QPushButton>(group, "all", "&All");
    connect(all_, &QPushButton::clicked, this, [this] { AllClicked(); });
    grid->addWidget(all_, 2, 0, Qt::AlignLeft);
    return group;
  }

  QGroupBox* BuildDeleteIf() {
    auto* group = Named<QGroupBox>(this, "deleteIf", "Delete Result Line If");
    contains_ = Named<QRadioButton>(group, "contains", "&Contains the Text");
    doesNotContain_ = Named<QRadioButton>(group, "doesNotContain", "&Does Not Contain");
    auto* column = new QVBoxLayout(group);
    column->addWidget(contains_);
    column->addWidget(doesNotContain_);
    column->addStretch(1);
    return group;
  }

  void BuildLineBox(const FindAndDeleteSource& line) {
    box_ = new QPlainTextEdit(this);
    box_->setObjectName("line");
    box_->setLineWrapMode(QPlainTextEdit::NoWrap);
    box_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box_->setPlainText(BoxLines(line).join(QLatin1Char('\n')));
    SetReadOnly(*box_, true);
    // All four lines show, with room for the scroll bar a long line brings.
    const QFontMetrics metrics(box_->font());
    box_->setMinimumHeight(4 * metrics.lineSpacing() + BoxFrame(*box_) +
                           box_->horizontalScrollBar()->sizeHint().height());
    box_->setMinimumWidth(kMinimumColumns * metrics.horizontalAdvance(QLatin1Char('W')) +
                          BoxFrame(*box_));
  }

  QHBoxLayout* BuildPasteRow() {
    auto* paste = Named<QPushButton>(this, "pasteFind", "&Paste Find");
    paste->setToolTip(Tip(kPasteTip));
    connect(paste, &QPushButton::clicked, this, [this] { PasteFind(); });
    auto* pasteOk = Named<QPushButton>(this, "pasteFindOk", "Paste Find + O&K");
    pasteOk->setToolTip(Tip(kPasteOkTip));
    connect(pasteOk, &QPushButton::clicked, this, [this] {
      if (PasteFind()) Accept();
    });
    readOnly_ = Named<QCheckBox>(this, "readOnly", "Text Read O&nly");
    readOnly_->setChecked(true);
    connect(readOnly_, &QCheckBox::toggled, this, [this](bool on) { SetReadOnly(*box_, on); });
    auto* row = new QHBoxLayout;
    row->addWidget(paste);
    row->addWidget(pasteOk);
    row->addWidget(readOnly_);
    row->addStretch(1);
    return row;
  }

  // The controls were made in the order the shared find controls need; the keyboard walks
  // them as they are seen: the text, the parts to search, the choice, then the switches.
  void SetTabOrder() {
    const std::initializer_list<QWidget*> order = {controls_.text(), sources_[0],    sources_[1],
                                                   sources_[2],      sources_[3],    all_,
                                                   contains_,        doesNotContain_};
    QWidget* previous = nullptr;
    for (QWidget* next : order) {
      if (previous != nullptr) setTabOrder(previous, next);
      previous = next;
    }
  }

  // Centred over the results window unless a placement was saved; inside the screen either
  // way. Wide enough for the longest line of the box, within reason and the screen.
  void Place(QWidget* parent) {
    const QMargins margins = layout()->contentsMargins();
    int width = std::max(sizeHint().width(), LineBoxWidth() + margins.left() + margins.right());
    if (const QScreen* screen = this->screen()) {
      width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    }
    // The box as tall as its four lines: it grows with the window.
    resize(std::max(width, minimumSizeHint().width()), minimumSizeHint().height());
    CentreOver(*this, parent ? &PlacedWindow(*parent) : nullptr);
    QtWindowGeometry geometry(*this);
    shell::RestoreWindowPosition(geometry, trawlexIni_, shell::kFindAndDeleteSection);
    FitIntoSpace(*this);
  }

  // The box's width for its longest line, between the designed numbers of columns.
  int LineBoxWidth() const {
    const QFontMetrics metrics(box_->font());
    int longest = 0;
    for (const QString& line : box_->toPlainText().split(QLatin1Char('\n'))) {
      longest = std::max(longest, metrics.horizontalAdvance(line));
    }
    const int columns = metrics.horizontalAdvance(QLatin1Char('W'));
    longest = std::clamp(longest, kMinimumColumns * columns, kDesignedColumns * columns);
    return longest + BoxFrame(*box_) + metrics.averageCharWidth();  // and the cursor
  }

  // "&All": all four ticked go back to the text alone; anything else ticks all four.
  void AllClicked() {
    Collect();
    const bool every = std::all_of(kSources.begin(), kSources.end(),
                                   [this](const SourceBox& s) { return record_.*s.field; });
    for (const SourceBox& source : kSources) record_.*source.field = !every;
    record_.inText = true;
    Redisplay();
  }

  // "&Paste Find": the selection in the box becomes the find text. False when nothing is
  // selected.
  bool PasteFind() {
    const QString selected = SelectedFind(*box_);
    if (selected.isEmpty()) return false;
    controls_.SetText(selected);
    controls_.Collect();
    controls_.Show();  // cut to the field, as it will be used
    return true;
  }

  // "&OK": a find that passes its checks is prepared and recorded.
  void Accept() {
    Collect();
    if (controls_.RefuseBlank(kCaption)) return;
    if (!record_.inText && !record_.inLocation && !record_.inFile && !record_.inSubdir) {
      runtime::Tell(desktop_, "You must check at least one Results Text to Search.", kCaption);
      sources_[0]->setFocus(Qt::OtherFocusReason);
      return;
    }
    if (controls_.RefusePattern()) return;
    controls_.Prepare();
    accept();
  }

  void Collect() {
    controls_.Collect();
    for (std::size_t i = 0; i < kSources.size(); ++i) {
      record_.*kSources[i].field = sources_[i]->isChecked();
    }
    record_.contains = contains_->isChecked();
    // A test the window does not offer cannot be seen or switched off: no deletion is one.
    record_.test = test_ != nullptr && test_->isChecked();
  }

  void Redisplay() {
    controls_.Show();
    for (std::size_t i = 0; i < kSources.size(); ++i) {
      sources_[i]->setChecked(record_.*kSources[i].field);
    }
    (record_.contains ? contains_ : doesNotContain_)->setChecked(true);
    if (test_ != nullptr) test_->setChecked(record_.test);
  }

  runtime::Desktop& desktop_;
  std::filesystem::path trawlexIni_;
  results::FindAndDeleteRecord& record_;
  FindControls controls_;
  std::array<QCheckBox*, kSources.size()> sources_{};
  QPushButton* all_ = nullptr;
  QRadioButton* contains_ = nullptr;
  QRadioButton* doesNotContain_ = nullptr;
  QCheckBox* test_ = nullptr;
  QPlainTextEdit* box_ = nullptr;
  QCheckBox* readOnly_ = nullptr;
};

}  // namespace

bool RunFindAndDeleteWindow(QWidget* parent, runtime::Desktop& desktop,
                            const std::filesystem::path& trawlexIni, bool offerTest,
                            const FindAndDeleteSource& line, results::FindAndDeleteRecord& record) {
  // On the heap: should the results window go while this one is open, it goes with it as
  // its child, and the find counts as cancelled.
  QPointer<FindAndDeleteWindow> window =
      new FindAndDeleteWindow(parent, desktop, trawlexIni, offerTest, line, record);
  const bool accepted = window->exec() == QDialog::Accepted;
  delete window.data();
  return accepted;
}

}  // namespace trawlex::ui
