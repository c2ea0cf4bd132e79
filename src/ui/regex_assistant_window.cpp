#include "ui/regex_assistant_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <string_view>

#include "runtime/names.h"
#include "ui/qt_text.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

using utilities::CaseOption;
using utilities::kTestTextCount;
using utilities::RegexAssistant;

constexpr int kPatternWidth = 60;  // RegX and each test text
constexpr char16_t kBlankMark = u'\u2423';

constexpr const char* kUndoItem = "Undo";
constexpr const char* kMatchCodeItem = "Generate Veldar MATCH() Code";

// The length of the UTF-8 sequence of two or more bytes that starts at `at`, or 0.
std::size_t MultiByteLength(std::string_view bytes, std::size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 0;
  if (length == 0 || at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!runtime::IsUtf8Continuation(bytes[at + i])) return 0;
  }
  return length;
}

// Leaving a field for another control or window of the program accepts it; a focus lost to
// a message box or menu of its own does not.
bool Leaves(const QFocusEvent& event) {
  return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  // Enter belongs to the fields (it accepts them), never to a default button.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QLineEdit* Entry(QWidget* parent, const QString& name) {
  auto* entry = new QLineEdit(parent);
  entry->setObjectName(name);
  entry->setMaxLength(kPatternWidth);
  entry->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  entry->setMinimumWidth(entry->fontMetrics().horizontalAdvance(QString(kPatternWidth / 2, 'W')));
  return entry;
}

// ---- Help texts of the "&Syntax" area

constexpr const char* kSummaryHelp =
    "A pattern is looked for anywhere in the line. Blanks at the end of\n"
    "the line and at the end of the pattern do not count.\n"
    "\n"
    "  .        any one character\n"
    "  [abc]    one of the characters a, b, c     [a-z]   one of a range\n"
    "  [^abc]   any character but a, b, c         [~abc]  the same\n"
    "  {...}    a group: one unit for | * + ?\n"
    "  x|y      x or y\n"
    "  *        the item before it, 0 or more times\n"
    "  +        the item before it, 1 or more times\n"
    "  ?        the item before it, 0 or 1 time\n"
    "  ^        the start of the line, wherever it stands\n"
    "  $        the end of the line, wherever it stands\n"
    "  \\        the next character as it is: \\. \\* \\{ \\\\\n"
    "\n"
    "After a run of ordinary characters, * + ? repeat only its last\n"
    "character: ab* is an a followed by any number of b's. Write {ab}*\n"
    "to repeat both.\n"
    "\n"
    "This is not the Unix or Perl dialect: groups are written with curly\n"
    "braces (round brackets are ordinary characters), a set is negated\n"
    "with ^ or ~, and there are no escape classes: \\d is the letter d,\n"
    "\\n the letter n.\n"
    "\n"
    "Word tries the pattern as a whole word, with a blank before and\n"
    "after it; Trailing asks for a blank after it. A pattern that starts\n"
    "with ^ cannot be a word and one that ends with $ cannot have a blank\n"
    "after it: the check then unticks the box.\n";

constexpr const char* kCharacterHelp =
    "Ordinary characters match themselves. The meta characters are\n"
    "\n"
    "  ^  $  .  [  {  }  |  ?  +  *  \\\n"
    "\n"
    "Every other character is ordinary: ( ) ] ~ - and the blank too.\n"
    "\n"
    "To find a meta character as it is, put a backslash before it:\n"
    "\n"
    "  \\.   a period            \\$   a dollar sign\n"
    "  \\[   a square brace      \\{   \\}   curly braces\n"
    "  \\|   a pipe              \\\\   a backslash\n"
    "  \\*   \\+   \\?   \\^         the other meta characters\n"
    "\n"
    "A backslash before an ordinary character changes nothing: \\n is the\n"
    "letter n. A backslash at the very end of a pattern is an error, and\n"
    "so is \"\\ \" at the end: the blank does not count there.\n"
    "\n"
    "The period matches any one character, a blank included, but there\n"
    "must be one: ABC. does not find a line that ends with ABC.\n"
    "\n"
    "Case Sensitive\n"
    "  No             text and pattern are compared in capitals, sets too\n"
    "  Yes            exactly as written\n"
    "  Match:NoCase   letters ignore case, but sets stay exact:\n"
    "                 [a-z] never matches Q; write [a-zA-Z]\n";

constexpr const char* kNotSetHelp =
    "A set [...] matches one character from the list in the braces.\n"
    "\n"
    "  [abc]       a, b or c\n"
    "  [a-z]       any character from a to z, by character code\n"
    "  [a-zA-Z_]   ranges and single characters together\n"
    "  [^0-9]      any one character that is not a digit\n"
    "  [~0-9]      the same: ~ negates a set too\n"
    "\n"
    "A set always takes exactly one character: Proc[^a-z] does not find\n"
    "Proc at the very end of a line.\n"
    "\n"
    "Inside a set only ], - and a leading ^ or ~ are special:\n"
    "  a ] right after [ or [^ is a member:   []abc]   [^]abc]\n"
    "  a - first or last is a member:         [-+]     [+-]\n"
    "  a range must go upward: [z-a] is an error\n"
    "  a backslash is an ordinary member, so put a ] first rather than\n"
    "  writing \\] inside a set\n"
    "\n"
    "A set that is not closed with ] is an error. Outside a set, write\n"
    "\\[ to find an opening square brace; a ] on its own is an ordinary\n"
    "character, but \\] makes it plain that no set ends there.\n";

constexpr const char* kGroupHelp =
    "Curly braces group a part of the pattern:\n"
    "\n"
    "  {ab}*        ab any number of times, also none\n"
    "  4{th}?       4 or 4th\n"
    "  {IF|CASE}    IF or CASE\n"
    "\n"
    "A * + ? after the closing brace repeats the whole group. Groups may\n"
    "be nested; a pattern holds at most nine groups.\n"
    "\n"
    "A group that can match nothing, such as {} or {a*}, cannot take\n"
    "* or +; ? is allowed.\n"
    "\n"
    "Every { needs its }. To find a curly brace as it is, write \\{ or \\}.\n"
    "\n"
    "Round brackets are ordinary characters: (x) finds the text (x).\n"
    "\n"
    "With Word and Trailing the pattern is tried with { } after it:\n"
    "a group keeps the blank that the end of a pattern would lose.\n";

constexpr const char* kAlternatesHelp =
    "The pipe | separates alternatives: the pattern matches when any of\n"
    "them does.\n"
    "\n"
    "  IF|CASE        IF or CASE anywhere in the line\n"
    "  {IF|CASE} x    IF or CASE, then a blank and x\n"
    "\n"
    "An alternative runs to the next | or to the end of its group:\n"
    "\n"
    "  ^IF|CASE       IF at the start of the line, or CASE anywhere\n"
    "  ^{IF|CASE}     IF or CASE at the start of the line\n"
    "\n"
    "An empty alternative matches every line (x| finds them all), which\n"
    "is why the check refuses a pipe at the start or the end of a\n"
    "pattern. To find a pipe as it is, write \\|.\n";

const std::vector<SyntaxExample> kExamples = {
    {"^ *LOOP", "LOOP at the start of the line, after any blanks", "   LOOP I = 1 TO 10",
     "  END ! LOOP"},
    {"^IF.*THEN$", "a line that starts with IF and ends with THEN", "IF A = 1 THEN",
     "IF A = 1 THEN B = 2"},
    {"{IF|CASE} x", "IF or CASE, a blank and x", "  CASE x", "  IF y"},
    {"4{th}?", "4, or 4th", "the 4th line", "the fifth line"},
    {"colou?r", "color or colour: ? repeats the u alone", "the colour", "the colouur"},
    {"{ab}+c", "ab once or more, then c", "xababc", "xac"},
    {"{GET|PUT}([A-Za-z]+Q", "GET or PUT on a queue whose name ends in Q", "GET(InvoiceQ,I#)",
     "GET(Invoice,I#)"},
    {"[0-9]+\\.[0-9]+", "a number with a decimal point", "Price = 12.50", "Price = 12"},
    {"Proc[^a-z]", "Proc not followed by a small letter", "MyProc(1)", "Process"},
    {"\\{.*\\}", "text in curly braces", "x = {a, b}", "x = (a, b)"},
    {"END$", "END at the end of the line", "  END", "  END ! of LOOP"},
};

QString ExamplesHelp() {
  QString text = QStringLiteral(
      "Each example with a line it finds and one it does not\n"
      "(Case Sensitive: Yes).\n");
  for (const SyntaxExample& example : kExamples) {
    text += QStringLiteral("\n  %1\n      %2\n      finds:     %3\n      not:       %4\n")
                .arg(QString::fromUtf8(example.pattern), QString::fromUtf8(example.meaning),
                     QString::fromUtf8(example.found), QString::fromUtf8(example.missed));
  }
  return text;
}

QWidget* HelpPage(QWidget* parent, const char* name, const QString& text) {
  auto* page = new QPlainTextEdit(text, parent);
  page->setObjectName(name);
  page->setReadOnly(true);
  page->setLineWrapMode(QPlainTextEdit::NoWrap);
  page->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The tables of the help are laid out in columns: wide enough for the longest line, they
  // read without scrolling sideways.
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    widest = std::max(widest, page->fontMetrics().horizontalAdvance(line));
  }
  const int margins =
      2 * (page->frameWidth() + static_cast<int>(page->document()->documentMargin()));
  page->setMinimumWidth(widest + margins + page->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  return page;
}

}  // namespace

const std::vector<SyntaxExample>& SyntaxExamples() {
  return kExamples;
}

QString ShownExplanation(const std::string& bytes) {
  const std::string_view text = bytes;
  QString shown;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (const std::size_t length = MultiByteLength(text, at); length > 0) {
      at += length;  // a character of UTF-8 text, which may hold byte 128 itself
    } else if (text[at] == utilities::kShownBlank) {
      shown += ToQString(text.substr(start, at - start));
      shown += QChar(kBlankMark);
      start = ++at;
    } else {
      ++at;
    }
  }
  return shown + ToQString(text.substr(start));
}

RegexAssistantWindow::RegexAssistantWindow(runtime::Desktop& desktop, const std::string& pattern,
                                           QWidget* parent)
    : QDialog(parent), model_(desktop), converter_(model_, desktop), pattern_(pattern) {
  setObjectName("RegexAssistant");
  setWindowTitle(QStringLiteral("Regular Expression Assistant"));
  BuildControls();
  BuildLayout();
  Connect();
}

void RegexAssistantWindow::BuildControls() {
  regX_ = Entry(this, QStringLiteral("regX"));
  regX_->installEventFilter(this);

  explanation_ = new QTreeWidget(this);
  explanation_->setObjectName("explanation");
  explanation_->setHeaderLabels({QStringLiteral("Regex"), QStringLiteral("Text to Match")});
  explanation_->setRootIsDecorated(false);
  explanation_->setUniformRowHeights(true);
  explanation_->setSelectionMode(QAbstractItemView::SingleSelection);
  // The rows are indented with blanks, one step per group level: a fixed pitch shows it.
  explanation_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  explanation_->header()->setStretchLastSection(true);
  explanation_->setColumnWidth(
      0, QFontMetrics(explanation_->font()).horizontalAdvance(QString(24, 'W')));

  for (int k = 1; k <= kTestTextCount; ++k) {
    QLineEdit* entry = Entry(this, QStringLiteral("test%1").arg(k));
    entry->installEventFilter(this);
    testTexts_[k - 1] = entry;
    auto* result = new QLabel(this);
    result->setObjectName(QStringLiteral("result%1").arg(k));
    result->setMinimumWidth(result->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")));
    results_[k - 1] = result;
  }

  caseNo_ = new QRadioButton(QStringLiteral("No"), this);
  caseNo_->setObjectName("caseNo");
  caseYes_ = new QRadioButton(QStringLiteral("Yes"), this);
  caseYes_->setObjectName("caseYes");
  caseNoCase_ = new QRadioButton(QStringLiteral("Match:NoCase"), this);
  caseNoCase_->setObjectName("caseNoCase");
  word_ = new QCheckBox(QStringLiteral("&Word"), this);
  word_->setObjectName("word");
  trailing_ = new QCheckBox(QStringLiteral("&Trailing"), this);
  trailing_->setObjectName("trailing");

  parse_ = Button(this, "parse", "&Parse");
  test_ = Button(this, "test", "&Test");
  tools_ = Button(this, "tools", "Tool&s");
  BuildTools();
  ok_ = Button(this, "ok", "&Ok");
  cancel_ = Button(this, "cancel", "Cancel");
}

// The four rewrites, then "Undo" and the MATCH() code, in the order of the menu.
void RegexAssistantWindow::BuildTools() {
  toolsMenu_ = new QMenu(tools_);
  toolsMenu_->setObjectName("toolsMenu");
  toolsMenu_->setToolTipsVisible(true);
  for (const utilities::PatternToolInfo& info : utilities::PatternTools()) {
    QAction* action = toolsMenu_->addAction(QString::fromUtf8(info.menuItem));
    const utilities::PatternTool tool = info.tool;
    connect(action, &QAction::triggered, this, [this, tool] { RunTool(tool); });
  }
  undo_ = toolsMenu_->addAction(QString::fromUtf8(kUndoItem));
  undo_->setObjectName("undoTool");
  connect(undo_, &QAction::triggered, this, &RegexAssistantWindow::UndoTool);
  QAction* code = toolsMenu_->addAction(QString::fromUtf8(kMatchCodeItem));
  connect(code, &QAction::triggered, this, &RegexAssistantWindow::CopyMatchCode);
  tools_->setMenu(toolsMenu_);
  ShowUndo();
}

void RegexAssistantWindow::BuildLayout() {
  auto* patternLabel = new QLabel(QStringLiteral("Regular E&xpression:"), this);
  patternLabel->setBuddy(regX_);

  auto* trial = new QGroupBox(QStringLiteral("Test Texts"), this);
  auto* grid = new QGridLayout(trial);
  grid->addWidget(new QLabel(QStringLiteral("Match?"), trial), 0, 2);
  for (int k = 1; k <= kTestTextCount; ++k) {
    auto* label = new QLabel(QStringLiteral("&%1").arg(k), trial);
    label->setBuddy(testTexts_[k - 1]);
    grid->addWidget(label, k, 0);
    grid->addWidget(testTexts_[k - 1], k, 1);
    grid->addWidget(results_[k - 1], k, 2);
  }
  grid->setColumnStretch(1, 1);

  auto* caseBox = new QGroupBox(QStringLiteral("Case Sensitive"), this);
  auto* caseRow = new QHBoxLayout(caseBox);
  auto* caseGroup = new QButtonGroup(caseBox);
  caseGroup->setObjectName("caseOption");
  caseGroup->addButton(caseNo_, static_cast<int>(CaseOption::No));
  caseGroup->addButton(caseYes_, static_cast<int>(CaseOption::Yes));
  caseGroup->addButton(caseNoCase_, static_cast<int>(CaseOption::MatchNoCase));
  for (QRadioButton* radio : {caseNo_, caseYes_, caseNoCase_}) caseRow->addWidget(radio);
  connect(caseGroup, &QButtonGroup::idClicked, this, [this](int id) {
    Act([this, id] { model_.SetCaseOption(static_cast<CaseOption>(id)); });
  });

  auto* options = new QHBoxLayout;
  options->addWidget(caseBox);
  options->addWidget(word_);
  options->addWidget(trailing_);
  options->addStretch();

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {parse_, test_, tools_}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* work = new QVBoxLayout;
  work->addWidget(patternLabel);
  work->addWidget(regX_);
  work->addWidget(explanation_, 1);
  work->addWidget(trial);
  work->addLayout(options);
  work->addLayout(buttons);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(work, 3);
  layout->addWidget(BuildSyntax(), 2);
}

QWidget* RegexAssistantWindow::BuildSyntax() {
  auto* box = new QGroupBox(QStringLiteral("&Syntax"), this);
  box->setObjectName("syntaxBox");
  auto* tabs = new QTabWidget(box);
  tabs->setObjectName("syntax");
  // Every tab in sight: the pane is at least as wide as the six of them.
  tabs->setUsesScrollButtons(false);
  tabs->addTab(HelpPage(tabs, "summaryHelp", QString::fromUtf8(kSummaryHelp)),
               QStringLiteral("Summary"));
  tabs->addTab(HelpPage(tabs, "characterHelp", QString::fromUtf8(kCharacterHelp)),
               QStringLiteral("Character"));
  tabs->addTab(HelpPage(tabs, "notSetHelp", QString::fromUtf8(kNotSetHelp)),
               QStringLiteral("Not Set"));
  tabs->addTab(HelpPage(tabs, "groupHelp", QString::fromUtf8(kGroupHelp)), QStringLiteral("Group"));
  tabs->addTab(HelpPage(tabs, "alternatesHelp", QString::fromUtf8(kAlternatesHelp)),
               QStringLiteral("Alternates"));
  tabs->addTab(HelpPage(tabs, "examplesHelp", ExamplesHelp()), QStringLiteral("Examples"));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(tabs);
  return box;
}

void RegexAssistantWindow::Connect() {
  connect(regX_, &QLineEdit::textEdited, this, [this] { patternEdited_ = true; });
  // Enter checks the pattern again even when it was not changed.
  connect(regX_, &QLineEdit::returnPressed, this, [this] {
    patternEdited_ = true;
    Act([] {});
  });
  for (int k = 1; k <= kTestTextCount; ++k) {
    QLineEdit* entry = testTexts_[k - 1];
    connect(entry, &QLineEdit::textEdited, this, [this, k] { testEdited_[k - 1] = true; });
    connect(entry, &QLineEdit::returnPressed, this, [this] { Act([] {}); });
  }
  connect(word_, &QCheckBox::clicked, this,
          [this](bool on) { Act([this, on] { model_.SetWord(on); }); });
  connect(trailing_, &QCheckBox::clicked, this,
          [this](bool on) { Act([this, on] { model_.SetTrailing(on); }); });
  connect(parse_, &QPushButton::clicked, this, [this] { Act([this] { model_.Refresh(); }); });
  connect(test_, &QPushButton::clicked, this, [this] { Act([this] { model_.Refresh(); }); });
  connect(ok_, &QPushButton::clicked, this, &RegexAssistantWindow::PressOk);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

// The window is placed, shown and painted with the caller's pattern before the model opens,
// so that a message about that pattern appears over a finished assistant rather than before
// it or over a half-drawn one.
void RegexAssistantWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (openScheduled_) return;
  openScheduled_ = true;
  regX_->setText(ToQString(pattern_));
  CentreOver(*this, parentWidget());
  FitIntoSpace(*this);
  QTimer::singleShot(0, this, [this] {
    if (closing_) return;
    repaint();
    model_.Open(pattern_);
    Redisplay();
    regX_->setFocus(Qt::OtherFocusReason);
    regX_->selectAll();
  });
}

bool RegexAssistantWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && Leaves(*static_cast<QFocusEvent*>(event)) &&
      (watched == regX_ ||
       std::find(testTexts_.begin(), testTexts_.end(), watched) != testTexts_.end())) {
    // Accepted once the focus has settled: a message about the pattern must not open in the
    // middle of the focus change. Going to "Cancel" accepts nothing.
    QTimer::singleShot(0, this, [this] {
      if (!model_.IsOpen() || QApplication::focusWidget() == cancel_) return;
      if (AcceptPending()) Redisplay();
    });
  }
  return QDialog::eventFilter(watched, event);
}

bool RegexAssistantWindow::AcceptPending() {
  for (int k = 1; k <= kTestTextCount; ++k) {
    if (testEdited_[k - 1]) AcceptTestText(k);
  }
  return !patternEdited_ || AcceptPattern();
}

void RegexAssistantWindow::AcceptTestText(int k) {
  testEdited_[k - 1] = false;
  model_.SetTestText(k, FieldBytes(testTexts_[k - 1]->text(), kPatternWidth));
}

bool RegexAssistantWindow::AcceptPattern() {
  patternEdited_ = false;
  if (model_.SetPattern(FieldBytes(regX_->text(), kPatternWidth))) return true;
  Redisplay();
  SelectPattern();
  return false;
}

void RegexAssistantWindow::Act(const std::function<void()>& action) {
  if (!model_.IsOpen()) return;
  if (AcceptPending()) action();
  Redisplay();
}

void RegexAssistantWindow::SelectPattern() {
  regX_->setFocus(Qt::OtherFocusReason);
  regX_->selectAll();
}

void RegexAssistantWindow::RunTool(utilities::PatternTool tool) {
  bool changed = false;
  Act([this, tool, &changed] {
    changed = converter_.Apply(tool) == utilities::PatternConverter::Applied::Changed;
  });
  ShowUndo();
  // The note about escaped braces comes over the converted pattern, already drawn.
  converter_.TellAboutBraces();
  if (changed) SelectPattern();
}

void RegexAssistantWindow::UndoTool() {
  bool changed = false;
  Act([this, &changed] { changed = converter_.Undo(); });
  ShowUndo();
  if (changed) SelectPattern();
}

void RegexAssistantWindow::CopyMatchCode() {
  Act([this] { converter_.CopyMatchCode(); });
}

void RegexAssistantWindow::ShowUndo() {
  const utilities::PatternUndoStack& stack = converter_.UndoStack();
  undo_->setEnabled(!stack.Empty());
  undo_->setToolTip(ToQString(stack.Tip()));
}

void RegexAssistantWindow::PressOk() {
  if (!model_.IsOpen() || !AcceptPending()) return;
  if (const std::optional<std::string> pattern = model_.Ok()) {
    accepted_ = *pattern;
    accept();
    return;
  }
  Redisplay();
  SelectPattern();
}

void RegexAssistantWindow::Redisplay() {
  if (!patternEdited_) ShowText(regX_, model_.Pattern());
  for (int k = 1; k <= kTestTextCount; ++k) {
    if (!testEdited_[k - 1]) ShowText(testTexts_[k - 1], model_.TestTextAt(k).view());
    results_[k - 1]->setText(ToQString(model_.ResultAt(k)));
  }
  const QSignalBlocker blockWord(word_);
  const QSignalBlocker blockTrailing(trailing_);
  word_->setChecked(model_.Word());
  trailing_->setChecked(model_.Trailing());
  QRadioButton* chosen = model_.Case() == CaseOption::Yes           ? caseYes_
                         : model_.Case() == CaseOption::MatchNoCase ? caseNoCase_
                                                                    : caseNo_;
  chosen->setChecked(true);
  ShowRows();
}

void RegexAssistantWindow::ShowRows() {
  explanation_->clear();
  for (const utilities::ParseRow& row : model_.Rows()) {
    auto* item =
        new QTreeWidgetItem(explanation_, {ShownExplanation(row.in), ShownExplanation(row.desc)});
    item->setData(0, Qt::UserRole, row.indent);
  }
}

// Every way of closing comes through here once: anything but a completed "&Ok" cancels, and
// the model stores the test texts for the next opening. Texts still being typed are taken
// too (they need no check): the user wrote them to try the next pattern on.
void RegexAssistantWindow::done(int code) {
  if (!closing_) {
    closing_ = true;
    if (model_.IsOpen()) {
      for (int k = 1; k <= kTestTextCount; ++k) {
        if (testEdited_[k - 1]) AcceptTestText(k);
      }
      model_.Cancel();
    }
  }
  QDialog::done(code);
}

int RunRegexAssistant(QWidget* parent, runtime::Desktop& desktop, std::string& pattern) {
  RegexAssistantWindow window(desktop, pattern, parent);
  window.exec();
  if (window.resultCode() == RegexAssistant::kCompleted) pattern = window.acceptedPattern();
  return window.resultCode();
}

}  // namespace trawlex::ui
