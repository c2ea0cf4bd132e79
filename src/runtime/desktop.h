#pragma once
// The platform services the logic asks for: messages and questions, popup menus, the common
// dialogues, the clipboard and the actions that leave the program. The desktop program
// implements them with Qt, `trawl` on the terminal, and tests with a scripted double that
// records every call and plays back answers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/error_codes.h"

namespace trawlex::runtime {

enum class Icon { None, Information, Warning, Question, Error };

// Standard button sets; a message may instead name its buttons (see Message::buttons).
enum class Buttons { Ok, YesNo, OkCancel, YesNoCancel };

// Standard answers, for messages with a standard button set.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 1;
inline constexpr int kAnswerNo = 2;
inline constexpr int kAnswerCancel = 3;

struct Message {
  std::string text;  // '|' starts a new line; "||" leaves an empty line
  std::string caption;
  Icon icon = Icon::None;
  Buttons standard = Buttons::Ok;
  std::string buttons;  // when not empty: '|'-separated captions; the answer is the 1-based choice
  int defaultButton = 1;
};

struct FileDialogRequest {
  std::string title;
  std::string directory;
  std::string fileName;
  std::string filter;  // "Text|*.txt|All files|*.*"
  bool save = false;
};

// A program to start: its words as they reach it (no shell sees them) and the directory it
// starts in.
struct ProgramStart {
  std::string program;
  std::vector<std::string> arguments;
  std::string workingDirectory;  // empty: the process's current directory
};

// A point of the screen, in the desktop's logical pixels.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};

struct FontChoice {
  std::string name;
  int size = 0;
  int style = 0;   // weight and slant flags as the settings files store them
  int colour = 0;  // 0xBBGGRR
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Shows the message and returns the 1-based answer (kAnswer* for standard buttons).
  virtual int ShowMessage(const Message& message) = 0;
  // A popup menu in the menu-text syntax: items separated by '|', "-" a separator, "{...}" a
  // submenu, a leading '~' a disabled item. Returns the 1-based selectable item, 0 for none.
  // The menu appears at the mouse pointer.
  virtual int PopupMenu(const std::string& menuText) = 0;
  // The same menu with its corner at a point of the screen: a menu opened from the keyboard
  // appears at its button, not wherever the mouse happens to rest.
  virtual int PopupMenuAt(const std::string& menuText, ScreenPoint where) = 0;

  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  // Several files at once; empty when cancelled.
  virtual std::vector<std::string> ChooseFiles(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseDirectory(const std::string& title,
                                                     const std::string& start) = 0;
  // Font and colour dialogues open on `start` and carry `title` ("Select Font for Notes").
  virtual std::optional<FontChoice> ChooseFont(const FontChoice& start,
                                               const std::string& title) = 0;
  virtual std::optional<int> ChooseColour(int start, const std::string& title) = 0;

  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  // Starts a program without waiting; `arguments` are passed as they are (no shell).
  virtual bool RunProgram(const std::string& program,
                          const std::vector<std::string>& arguments) = 0;
  // Starts a program without waiting, in its working directory; the process's own current
  // directory does not change. Gives what kept the program from starting, or no error.
  virtual OsError StartProgram(const ProgramStart& start) = 0;
  // The desktop's "open" and "edit" actions for a file or directory.
  virtual bool OpenWithSystem(const std::string& path, const std::string& action) = 0;
  // Shows a directory in the desktop's file manager, or a file's directory with the file
  // selected where the file manager can select it. `actionName` names the action in traces
  // (the command the Windows version ran, such as "EXPLORER.EXE /n,/e,/select,"). False
  // when no file manager could be started.
  virtual bool ShowInFileManager(const std::string& path, const std::string& actionName) = 0;

  // Whether a program named by a command word can be started (found on the search path, or
  // at the path the word gives): lets a message name a missing program.
  virtual bool ProgramAvailable(const std::string& program) = 0;

  virtual std::string CurrentDirectory() = 0;
  virtual void Beep() = 0;
};

// The desktop's opener: it opens files and folders with the user's chosen applications.
inline constexpr std::string_view kDesktopOpener = "xdg-open";

// The line a message adds when the desktop's opener is not installed; empty when it is.
inline std::string MissingOpenerNote(Desktop& desktop) {
  if (desktop.ProgramAvailable(std::string(kDesktopOpener))) return {};
  return "The program " + std::string(kDesktopOpener) +
         " was not found: install the package xdg-utils.";
}

// Shorthand for the common cases.
inline int Tell(Desktop& desktop, std::string text, std::string caption,
                Icon icon = Icon::Information) {
  Message message;
  message.text = std::move(text);
  message.caption = std::move(caption);
  message.icon = icon;
  return desktop.ShowMessage(message);
}

}  // namespace trawlex::runtime
