#pragma once
// The platform services of the desktop program, on Qt: message boxes, popup menus in the
// menu-text syntax, the common dialogues, the clipboard and the actions that leave the
// program.

#include <QPoint>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"
#include "runtime/menu_text.h"

class QAction;
class QColor;
class QFont;
class QMenu;
class QWidget;

namespace trawlex::ui {

// Font style as the settings files keep it: the weight (100 to 900, 0 for regular) plus
// these flags.
inline constexpr int kFontStyleItalic = 0x1000;
inline constexpr int kFontStyleUnderline = 0x2000;
inline constexpr int kFontStyleStrikeOut = 0x4000;

QFont ToQFont(const runtime::FontChoice& choice);
// The font as a choice; the colour is not part of a QFont and is passed through.
runtime::FontChoice ToFontChoice(const QFont& font, int colour);

inline runtime::ScreenPoint ToScreenPoint(const QPoint& point) {
  return {point.x(), point.y()};
}
inline QPoint ToQPoint(runtime::ScreenPoint point) {
  return {point.x, point.y};
}

// Colours are kept as 0xBBGGRR.
QColor ToQColor(int colour);
int ToColourValue(const QColor& colour);

// A filter list "Text Files|*.TXT|All Files|*.*" as Qt writes it: "Text Files (*.TXT);;
// All Files (*)". A pattern "*.*" means every file, with or without a dot, so it becomes
// "*"; several patterns of one entry are separated by ';'.
QString ToQtFileFilter(std::string_view filter);

// Adds the items to the menu. Every item's action carries its choice number as data.
void FillMenu(QMenu& menu, const std::vector<runtime::MenuItem>& items);
// The choice number of an action of such a menu; 0 for none or a disabled action.
int MenuChoice(const QAction* action);

class QtDesktop final : public runtime::Desktop {
 public:
  // Dialogues are centred on `dialogParent`, or on the active window when there is none.
  // Every dialogue and menu survives its parent being deleted while it is open: it then
  // answers as if cancelled.
  explicit QtDesktop(QWidget* dialogParent = nullptr);

  // The answer of the button pressed; a custom button list answers 1 for its first caption.
  // The default button is the answer it gives (for custom buttons its position). 0 when the
  // box went without an answer: its parent window was closed under it.
  int ShowMessage(const runtime::Message& message) override;
  // Shows the menu at the mouse position.
  int PopupMenu(const std::string& menuText) override;
  int PopupMenuAt(const std::string& menuText, runtime::ScreenPoint where) override;

  // A save dialogue does not ask before replacing a file: the caller decides what happens
  // to an existing file.
  std::optional<std::string> ChooseFile(const runtime::FileDialogRequest& request) override;
  std::vector<std::string> ChooseFiles(const runtime::FileDialogRequest& request) override;
  std::optional<std::string> ChooseDirectory(const std::string& title,
                                             const std::string& start) override;
  std::optional<runtime::FontChoice> ChooseFont(const runtime::FontChoice& start,
                                                const std::string& title) override;
  std::optional<int> ChooseColour(int start, const std::string& title) override;

  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;

  bool RunProgram(const std::string& program, const std::vector<std::string>& arguments) override;
  // The program's words reach it as bytes, exactly as given; the reason it did not start is
  // the errno of the failed chdir or exec.
  runtime::OsError StartProgram(const runtime::ProgramStart& start) override;
  // "open" and "edit" (any case) both hand the file to the desktop's default application;
  // other actions are refused.
  bool OpenWithSystem(const std::string& path, const std::string& action) override;
  // A file is shown through the freedesktop file-manager interface (ShowItems, called with
  // the session bus's dbus-send); when that does not answer, or for a directory, the
  // directory is opened with xdg-open. The call does not wait for the file manager: false
  // only when neither dbus-send nor xdg-open could be started.
  bool ShowInFileManager(const std::string& path, const std::string& actionName) override;

  bool ProgramAvailable(const std::string& program) override;
  std::string CurrentDirectory() override;
  void Beep() override;

 private:
  QWidget* DialogParent() const;

  QPointer<QWidget> dialogParent_;
};

}  // namespace trawlex::ui
