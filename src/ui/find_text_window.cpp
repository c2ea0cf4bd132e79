#include "ui/find_text_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>

#include "results/find_text_queue.h"
#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "shell/window_placement.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/regex_assistant_window.h"
#include "ui/window_centring.h"
#include "utilities/regex_checker.h"

namespace trawlex::ui {
namespace {

using Switch = bool results::FindSwitches::*;

// A switch box and the switches that checking it clears.
struct SwitchSpec {
  const char* name;
  const char* text;
  const char* tip;
  Switch field;
  std::array<Switch, 2> clears;
};

using S = results::FindSwitches;
constexpr std::array<SwitchSpec, 6> kSwitches = {{
    {"case", "&Case", "Search Case Sensitive", &S::caseSensitive, {nullptr, nullptr}},
    {"word",
     "&Word",
     "Must be start and end with a space, i.e. word",
     &S::word,
     {&S::trailing, &S::smash}},
    {"trailing",
     "T&railing",
     "Text must have a trailing space",
     &S::trailing,
     {&S::word, &S::smash}},
    {"smash", "&Smash", "Remove spaces", &S::smash, {&S::word, &S::trailing}},
    {"wild", "Wil&d", "Use Wildcards ? and *", &S::wild, {&S::regex, nullptr}},
    {"regex", "Reg &X", "Use Regular Expressions", &S::regex, {&S::wild, nullptr}},
}};

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  return button;
}

class FindTextWindow final : public QDialog {
 public:
  FindTextWindow(QWidget* parent, runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                 results::FindRecord& find)
      : QDialog(parent), desktop_(desktop), trawlexIni_(std::move(trawlexIni)), find_(find) {
    setWindowTitle(tr("Find Text"));
    setObjectName("FindText");
    Build();
    Redisplay();
    text_->setFocus();
    text_->lineEdit()->selectAll();
    Place(parent);
  }

  void done(int code) override {
    Collect();
    if (code != QDialog::Accepted) find_.findLen = 0;  // cancelled: no find is set
    QtWindowGeometry geometry(*this);
    shell::SaveWindowPosition(geometry, trawlexIni_, shell::kFindInViewSection);
    QDialog::done(code);
  }

 private:
  void Build() {
    text_ = new QComboBox(this);
    text_->setObjectName("findText");
    text_->setEditable(true);
    // The history is recorded when a find runs, not when Enter is pressed in the box.
    text_->setInsertPolicy(QComboBox::NoInsert);
    text_->setCompleter(nullptr);
    text_->lineEdit()->setMaxLength(static_cast<int>(results::kFindTextWidth));
    text_->setMinimumContentsLength(30);
    text_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const std::string& entry : results::ProgramFindTexts().entries()) {
      text_->addItem(ToQString(entry));
    }
    auto* caption = new QLabel(tr("Find &Text:"), this);
    caption->setBuddy(text_);

    auto* switches = new QGridLayout;
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
      const SwitchSpec& spec = kSwitches[i];
      auto* box = new QCheckBox(QString::fromUtf8(spec.text), this);
      box->setObjectName(spec.name);
      box->setToolTip(QString::fromUtf8(spec.tip));
      connect(box, &QCheckBox::clicked, this, [this, &spec](bool on) { SwitchClicked(spec, on); });
      boxes_[i] = box;
      switches->addWidget(box, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    auto* assistant = Button(this, "assistant", "&Assistant...");
    assistant->setToolTip(tr("Regular Expression Assistant"));
    connect(assistant, &QPushButton::clicked, this, [this] { RunAssistant(); });
    switches->addWidget(assistant, 3, 0, 1, 2);

    auto* next = Button(this, "findNext", "Find &Next");
    auto* previous = Button(this, "findPrev", "Find &Prev");
    auto* cancel = Button(this, "cancel", "Cancel");
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] { Accept(false); });
    connect(previous, &QPushButton::clicked, this, [this] { Accept(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(caption);
    textRow->addWidget(text_, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(textRow);
    left->addLayout(switches);
    left->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(previous);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
  }

  // Centred over the viewer unless a placement was saved; inside the screen either way.
  void Place(QWidget* parent) {
    adjustSize();
    CentreOver(*this, parent ? &PlacedWindow(*parent) : nullptr);
    QtWindowGeometry geometry(*this);
    shell::RestoreWindowPosition(geometry, trawlexIni_, shell::kFindInViewSection);
    FitIntoSpace(*this);
  }

  // Checking a switch clears the switches it cannot go with.
  void SwitchClicked(const SwitchSpec& spec, bool on) {
    Collect();
    find_.sw.*spec.field = on;
    if (on) {
      for (Switch cleared : spec.clears) {
        if (cleared != nullptr) find_.sw.*cleared = false;
      }
    }
    Redisplay();
  }

  // The assistant edits the find text; once it completes, the find is a regular expression.
  void RunAssistant() {
    Collect();
    std::string pattern = find_.findText;
    if (RunRegexAssistant(this, desktop_, pattern) != 1) return;
    find_.findText = FieldBytes(ToQString(pattern), results::kFindTextWidth);
    if (!find_.sw.regex) {
      find_.sw.regex = true;
      find_.sw.wild = false;
    }
    Redisplay();
  }

  // "Find &Next" and "Find &Prev": a find that passes its checks is prepared and recorded.
  void Accept(bool previous) {
    Collect();
    if (runtime::Len(find_.findText) == 0) {
      runtime::Tell(desktop_, "You must enter Search Text.", "Find");
      FocusText();
      return;
    }
    if (find_.sw.regex) {
      std::uint8_t word = find_.sw.word;
      std::uint8_t trailing = find_.sw.trailing;
      const int refused = utilities::ValidateRegex(find_.findText, &word, &trailing, desktop_);
      find_.sw.word = word != 0;
      find_.sw.trailing = trailing != 0;
      if (refused == 1) {
        Redisplay();
        FocusText();
        return;
      }
    }
    results::ProgramFindTexts().Record(find_.findText);
    results::PrepareFindText(find_);
    find_.prev = previous;
    accept();
  }

  // The typed text; one the user did not touch keeps its exact bytes.
  void Collect() {
    const QString shown = text_->currentText();
    if (shown != ToQString(find_.findText)) {
      find_.findText = FieldBytes(shown, results::kFindTextWidth);
    }
  }

  void Redisplay() {
    {
      const QSignalBlocker block(text_);
      text_->setEditText(ToQString(find_.findText));
    }
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
      boxes_[i]->setChecked(find_.sw.*kSwitches[i].field);
    }
  }

  void FocusText() {
    text_->setFocus(Qt::OtherFocusReason);
    text_->lineEdit()->selectAll();
  }

  runtime::Desktop& desktop_;
  std::filesystem::path trawlexIni_;
  results::FindRecord& find_;
  QComboBox* text_ = nullptr;
  std::array<QCheckBox*, kSwitches.size()> boxes_{};
};

}  // namespace

bool RunFindTextWindow(QWidget* parent, runtime::Desktop& desktop,
                       const std::filesystem::path& trawlexIni, results::FindRecord& find) {
  // On the heap: should the viewer go while the window is open, the window goes with it
  // as its child, and the find counts as cancelled.
  QPointer<FindTextWindow> window = new FindTextWindow(parent, desktop, trawlexIni, find);
  const bool found = window->exec() == QDialog::Accepted;
  delete window.data();
  return found;
}

}  // namespace trawlex::ui
