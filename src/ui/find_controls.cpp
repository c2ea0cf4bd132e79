#include "ui/find_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cstdint>

#include "results/find_text_queue.h"
#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "ui/qt_text.h"
#include "ui/regex_assistant_window.h"
#include "utilities/regex_checker.h"

namespace trawlex::ui {
namespace {

using S = results::FindSwitches;

// What a switch is, whatever window shows it: its name, its tip and the switches that
// checking it clears.
struct SwitchRule {
  FindSwitch field;
  const char* name;
  const char* tip;
  std::array<FindSwitch, 2> clears;
};

constexpr std::array<SwitchRule, 6> kRules = {{
    {&S::caseSensitive, "case", "Search Case Sensitive", {nullptr, nullptr}},
    {&S::word, "word", "Must be start and end with a space, i.e. word", {&S::trailing, &S::smash}},
    {&S::trailing, "trailing", "Text must have a trailing space", {&S::word, &S::smash}},
    {&S::smash, "smash", "Remove spaces", {&S::word, &S::trailing}},
    {&S::wild, "wild", "Use Wildcards ? and *", {&S::regex, nullptr}},
    {&S::regex, "regex", "Use Regular Expressions", {&S::wild, nullptr}},
}};

const SwitchRule& RuleOf(FindSwitch field) {
  for (const SwitchRule& rule : kRules) {
    if (rule.field == field) return rule;
  }
  return kRules.front();  // every switch has its rule; the captions name each once
}

QComboBox* FindTextBox(QWidget& window) {
  auto* text = new QComboBox(&window);
  text->setObjectName("findText");
  text->setEditable(true);
  // The history is recorded when a find runs, not when Enter is pressed in the box.
  text->setInsertPolicy(QComboBox::NoInsert);
  text->setCompleter(nullptr);
  text->lineEdit()->setMaxLength(static_cast<int>(results::kFindTextWidth));
  text->setMinimumContentsLength(30);
  text->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  for (const std::string& entry : results::ProgramFindTexts().entries()) {
    text->addItem(ToQString(entry));
  }
  return text;
}

}  // namespace

FindControls::FindControls(QWidget& window, runtime::Desktop& desktop, results::FindRecord& find,
                           const FindCaptions& captions)
    : window_(window), desktop_(desktop), find_(find) {
  text_ = FindTextBox(window);
  caption_ = new QLabel(QString::fromUtf8(captions.text), &window);
  caption_->setBuddy(text_);

  switches_ = new QGridLayout;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const FindSwitch field = captions.switches[i].field;
    const SwitchRule& rule = RuleOf(field);
    auto* box = new QCheckBox(QString::fromUtf8(captions.switches[i].text), &window);
    box->setObjectName(rule.name);
    box->setToolTip(QString::fromUtf8(rule.tip));
    QObject::connect(box, &QCheckBox::clicked, box,
                     [this, field](bool on) { SwitchClicked(field, on); });
    boxes_[i] = box;
    fields_[i] = field;
    switches_->addWidget(box, static_cast<int>(i / 2), static_cast<int>(i % 2));
  }
  auto* assistant = new QPushButton(QString::fromUtf8(captions.assistant), &window);
  assistant->setObjectName("assistant");
  assistant->setToolTip(QStringLiteral("Regular Expression Assistant"));
  QObject::connect(assistant, &QPushButton::clicked, assistant, [this] { RunAssistant(); });
  switches_->addWidget(assistant, static_cast<int>(boxes_.size() / 2), 0, 1, 2);
  Show();
}

void FindControls::Collect() {
  const QString shown = text_->currentText();
  if (shown != ToQString(find_.findText)) {
    find_.findText = FieldBytes(shown, results::kFindTextWidth);
  }
}

void FindControls::Show() {
  SetText(ToQString(find_.findText));
  ShowSwitches();
}

void FindControls::ShowSwitches() {
  for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(find_.sw.*fields_[i]);
}

void FindControls::SetText(const QString& text) {
  const QSignalBlocker block(text_);
  text_->setEditText(text);
}

void FindControls::FocusText() {
  text_->setFocus(Qt::OtherFocusReason);
  text_->lineEdit()->selectAll();
}

bool FindControls::RefuseBlank(std::string_view caption) {
  if (runtime::Len(find_.findText) != 0) return false;
  runtime::Tell(desktop_, "You must enter Search Text.", std::string(caption));
  FocusText();
  return true;
}

bool FindControls::RefusePattern() {
  if (!find_.sw.regex) return false;
  std::uint8_t word = find_.sw.word;
  std::uint8_t trailing = find_.sw.trailing;
  const int refused = utilities::ValidateRegex(find_.findText, &word, &trailing, desktop_);
  find_.sw.word = word != 0;
  find_.sw.trailing = trailing != 0;
  if (refused != 1) return false;
  Show();
  FocusText();
  return true;
}

void FindControls::Prepare() {
  results::ProgramFindTexts().Record(find_.findText);
  results::PrepareFindText(find_);
}

// Checking a switch clears the switches it cannot go with.
void FindControls::SwitchClicked(FindSwitch field, bool on) {
  find_.sw.*field = on;
  if (on) {
    for (FindSwitch cleared : RuleOf(field).clears) {
      if (cleared != nullptr) find_.sw.*cleared = false;
    }
  }
  ShowSwitches();
}

// The assistant edits the find text; once it completes, the find is a regular expression.
void FindControls::RunAssistant() {
  Collect();
  std::string pattern = find_.findText;
  if (RunRegexAssistant(&window_, desktop_, pattern) != 1) return;
  find_.findText = FieldBytes(ToQString(pattern), results::kFindTextWidth);
  if (!find_.sw.regex) {
    find_.sw.regex = true;
    find_.sw.wild = false;
  }
  Show();
}

}  // namespace trawlex::ui
