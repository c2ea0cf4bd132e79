#pragma once
// Pieces the converter windows share: code in fixed-pitch text boxes whose line ends are LF
// while the converters' texts end lines with CR LF, buttons that never take Enter from a text
// box, and a designed size that shows a screenful of converted code.

#include <QString>
#include <string>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace trawlex::ui {

// A converter text (CR LF line ends) as an edit box shows it, and back.
QString ToEditText(std::string text);
std::string FromEditText(const QString& text);

// A text box for code: fixed-pitch, no wrapping (the code lines up in columns), Tab moves on.
QPlainTextEdit* CodeTextBox(QWidget* parent, const char* name);

// A button that Enter in a text box never presses: there Enter is a new line.
QPushButton* PlainButton(QWidget* parent, const char* name, const char* caption);

// Sizes `window` so that `box` shows `columns` x `lines` of code, within nine tenths of the
// screen and never below the window's minimum.
void ResizeForCode(QWidget& window, const QPlainTextEdit& box, int columns, int lines);

}  // namespace trawlex::ui
