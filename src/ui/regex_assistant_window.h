#pragma once
// The "Regular Expression Assistant" window: draws a utilities::RegexAssistant and forwards
// the user's actions to it. The user edits a pattern, reads its explanation row by row and
// tries it on five sample texts under the three case options.
//
// A field counts as accepted when the user leaves it for another control, presses Enter in
// it, or presses a button of the window: only then does the model see the new text. A
// pattern that fails its check keeps the focus, selected for correction.

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "runtime/desktop.h"
#include "utilities/pattern_tools.h"
#include "utilities/regex_assistant.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

namespace trawlex::ui {

// One worked example of the help tab "Examples": the pattern, what it means, a text it
// finds and a text it does not (both under "Yes", matched as written).
struct SyntaxExample {
  const char* pattern;
  const char* meaning;
  const char* found;
  const char* missed;
};
const std::vector<SyntaxExample>& SyntaxExamples();

// The explanation's text as shown: the blanks of the pattern, which the explainer turns into
// byte 128 so that they stay visible, become the open-box sign U+2423.
QString ShownExplanation(const std::string& bytes);

class RegexAssistantWindow final : public QDialog {
  Q_OBJECT

 public:
  // The model opens on `pattern` as soon as the window shows: the pattern is checked once,
  // tried and explained.
  RegexAssistantWindow(runtime::Desktop& desktop, const std::string& pattern,
                       QWidget* parent = nullptr);

  utilities::RegexAssistant& model() { return model_; }
  // 1 after "&Ok" with a pattern that passed its check, else 2.
  int resultCode() const { return model_.Result(); }
  // The pattern to copy back into the caller's variable; set only after "&Ok".
  const std::string& acceptedPattern() const { return accepted_; }

  void done(int code) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildTools();
  void BuildLayout();
  QWidget* BuildSyntax();
  void Connect();

  // Hands the fields the user changed to the model; false when the pattern failed its
  // check (it is then selected for correction).
  bool AcceptPending();
  bool AcceptPattern();
  void AcceptTestText(int k);
  // Runs an action of a control after the pending fields were accepted, then redraws.
  void Act(const std::function<void()>& action);
  void SelectPattern();
  // "Tool&s": a rewrite, Undo or the MATCH() code, after the pending fields were accepted.
  void RunTool(utilities::PatternTool tool);
  void UndoTool();
  void CopyMatchCode();
  // The "Undo" item: enabled with the change it undoes as its tip, or disabled.
  void ShowUndo();
  void PressOk();
  void Redisplay();
  void ShowRows();

  utilities::RegexAssistant model_;
  utilities::PatternConverter converter_;  // lives as long as the window, as its undo stack
  std::string pattern_;  // the caller's, until the model opens on it
  std::string accepted_;
  bool openScheduled_ = false;
  bool closing_ = false;
  bool patternEdited_ = false;
  std::array<bool, utilities::kTestTextCount> testEdited_{};

  QLineEdit* regX_ = nullptr;
  QTreeWidget* explanation_ = nullptr;
  std::array<QLineEdit*, utilities::kTestTextCount> testTexts_{};
  std::array<QLabel*, utilities::kTestTextCount> results_{};
  QRadioButton* caseNo_ = nullptr;
  QRadioButton* caseYes_ = nullptr;
  QRadioButton* caseNoCase_ = nullptr;
  QCheckBox* word_ = nullptr;
  QCheckBox* trailing_ = nullptr;
  QPushButton* parse_ = nullptr;
  QPushButton* test_ = nullptr;
  QPushButton* tools_ = nullptr;
  QMenu* toolsMenu_ = nullptr;
  QAction* undo_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// Runs the assistant modally over `parent` on the caller's pattern. Returns 1 when the user
// completed it with "&Ok" (the pattern then holds the checked pattern, at most 60
// characters), else 2 and the pattern is left as it was.
int RunRegexAssistant(QWidget* parent, runtime::Desktop& desktop, std::string& pattern);

}  // namespace trawlex::ui
