#pragma once
// The controls a find text is entered with, shared by the viewer's "Find Text" and by Find
// and Delete: the text with the find-text history as its drop list, the six switches that
// exclude each other, the regular-expression assistant, and the checks and preparation the
// text goes through before a find runs. Each window brings its own captions (their
// accelerators must not clash with the window's other controls) and lays the controls out.

#include <QString>
#include <array>
#include <string_view>

#include "results/find_text.h"

class QComboBox;
class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace trawlex::runtime {
class Desktop;
}

namespace trawlex::ui {

using FindSwitch = bool results::FindSwitches::*;

struct SwitchCaption {
  FindSwitch field;
  const char* text;
};

struct FindCaptions {
  const char* text;                       // the label of the find text
  std::array<SwitchCaption, 6> switches;  // in the order shown, two to a row
  const char* assistant;                  // the assistant button
};

class FindControls {
 public:
  // Creates the controls as children of `window`, showing `find`. The switch boxes are named
  // "case", "word", "trailing", "smash", "wild" and "regex", the text "findText" and the
  // button "assistant".
  FindControls(QWidget& window, runtime::Desktop& desktop, results::FindRecord& find,
               const FindCaptions& captions);
  FindControls(const FindControls&) = delete;
  FindControls& operator=(const FindControls&) = delete;

  QLabel* caption() const { return caption_; }
  QComboBox* text() const { return text_; }
  // The switch boxes and the assistant button below them, for the caller to add to its
  // layout.
  QGridLayout* switchLayout() const { return switches_; }

  // Typed text -> find.findText; text the user did not touch keeps its exact bytes.
  void Collect();
  // find -> controls.
  void Show();
  void FocusText();
  void SetText(const QString& text);

  // The find text is blank: tells the user so (information icon, `caption`) and puts the
  // focus on the text.
  bool RefuseBlank(std::string_view caption);
  // With RegX, the pattern fails its check: the checker has told the user and perhaps
  // cleared Word or Trailing; the focus goes to the text.
  bool RefusePattern();
  // Records the text in the history and prepares the find.
  void Prepare();

 private:
  void ShowSwitches();
  void SwitchClicked(FindSwitch field, bool on);
  void RunAssistant();

  QWidget& window_;
  runtime::Desktop& desktop_;
  results::FindRecord& find_;
  QLabel* caption_ = nullptr;
  QComboBox* text_ = nullptr;
  QGridLayout* switches_ = nullptr;
  std::array<QCheckBox*, 6> boxes_{};
  std::array<FindSwitch, 6> fields_{};
};

}  // namespace trawlex::ui
