#include "ui/qt_desktop.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "runtime/names.h"
#include "runtime/program_path.h"
#include "shell/debug_trace.h"
#include "ui/qt_text.h"

namespace trawlex::ui {
namespace {

// A dialogue or menu made on the heap with a parent window. Program events are still
// delivered while it is open, and one of them may close and delete the parent, which takes
// its children along; an object on the stack would then be deleted a second time.
template <class Widget>
class Owned {
 public:
  explicit Owned(Widget* widget) : widget_(widget) {}
  ~Owned() { delete widget_.data(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Widget* operator->() const { return widget_.data(); }
  Widget& operator*() const { return *widget_; }
  bool Alive() const { return !widget_.isNull(); }

 private:
  QPointer<Widget> widget_;
};

std::vector<std::string_view> SplitAtBars(std::string_view text) {
  std::vector<std::string_view> pieces;
  for (size_t start = 0;;) {
    const size_t bar = text.find('|', start);
    pieces.push_back(text.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) return pieces;
    start = bar + 1;
  }
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// ---- Message boxes

QMessageBox::Icon ToQtIcon(runtime::Icon icon) {
  switch (icon) {
    case runtime::Icon::Information:
      return QMessageBox::Information;
    case runtime::Icon::Warning:
      return QMessageBox::Warning;
    case runtime::Icon::Question:
      return QMessageBox::Question;
    case runtime::Icon::Error:
      return QMessageBox::Critical;
    case runtime::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

struct AnswerButton {
  QPushButton* button;
  int answer;
};

std::vector<AnswerButton> AddStandardButtons(QMessageBox& box, runtime::Buttons set) {
  using B = QMessageBox;
  std::vector<std::pair<QMessageBox::StandardButton, int>> wanted;
  switch (set) {
    case runtime::Buttons::Ok:
      wanted = {{B::Ok, runtime::kAnswerOk}};
      break;
    case runtime::Buttons::YesNo:
      wanted = {{B::Yes, runtime::kAnswerYes}, {B::No, runtime::kAnswerNo}};
      break;
    case runtime::Buttons::OkCancel:
      wanted = {{B::Ok, runtime::kAnswerOk}, {B::Cancel, runtime::kAnswerCancel}};
      break;
    case runtime::Buttons::YesNoCancel:
      wanted = {{B::Yes, runtime::kAnswerYes},
                {B::No, runtime::kAnswerNo},
                {B::Cancel, runtime::kAnswerCancel}};
      break;
  }
  std::vector<AnswerButton> buttons;
  for (const auto& [button, answer] : wanted) buttons.push_back({box.addButton(button), answer});
  return buttons;
}

// Captions keep their '&' mnemonics. With one role for all, the buttons stay in the order
// of the list, and none of several is taken for Escape: the user has to choose.
std::vector<AnswerButton> AddCustomButtons(QMessageBox& box, std::string_view captions) {
  std::vector<AnswerButton> buttons;
  for (const std::string_view caption : SplitAtBars(captions)) {
    QPushButton* button = box.addButton(ToQString(caption), QMessageBox::AcceptRole);
    buttons.push_back({button, static_cast<int>(buttons.size()) + 1});
  }
  return buttons;
}

// ---- Menus

QString MenuCaption(const runtime::MenuItem& item) {
  QString text = ToQString(item.caption);
  if (!item.shortcut.empty()) {
    // A menu has one shortcut column: further tabs ("\t(Default Loc)\t(Default n/l)")
    // become blanks inside it.
    QString shortcut = ToQString(item.shortcut);
    shortcut.replace(QLatin1Char('\t'), QLatin1String("  "));
    text += QLatin1Char('\t') + shortcut;
  }
  return text;
}

// ---- File dialogues

QString FilterEntry(std::string_view description, std::string_view patterns) {
  QStringList wildcards;
  size_t start = 0;
  while (start <= patterns.size()) {
    const size_t semicolon = std::min(patterns.find(';', start), patterns.size());
    const std::string_view pattern = TrimBlanks(patterns.substr(start, semicolon - start));
    if (pattern == "*.*") {
      wildcards << QStringLiteral("*");
    } else if (!pattern.empty()) {
      wildcards << ToQString(pattern);
    }
    start = semicolon + 1;
  }
  if (wildcards.isEmpty()) wildcards << QStringLiteral("*");
  const QString joined = wildcards.join(QLatin1Char(' '));
  QString name = ToQString(TrimBlanks(description));
  if (name.isEmpty()) name = joined;
  return name + QStringLiteral(" (") + joined + QLatin1Char(')');
}

std::vector<std::string> RunFileDialog(QWidget* parent, const runtime::FileDialogRequest& request,
                                       QFileDialog::FileMode openMode) {
  Owned<QFileDialog> dialog(
      new QFileDialog(parent, ToQString(request.title), ToQString(request.directory)));
  const QString filter = ToQtFileFilter(request.filter);
  if (!filter.isEmpty()) dialog->setNameFilter(filter);
  dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(request.save ? QFileDialog::AnyFile : openMode);
  if (request.save) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.fileName.empty()) dialog->selectFile(ToQString(request.fileName));
  if (dialog->exec() != QDialog::Accepted) return {};
  std::vector<std::string> files;
  for (const QString& file : dialog->selectedFiles()) files.push_back(ToBytes(file));
  return files;
}

// ---- Programs

// Starts the program with the arguments as bytes, exactly as given, in `directory` when it
// is not empty. QProcess passes its texts through UTF-8, which would change a file name that
// is not valid UTF-8. Gives 0 or the errno of the failed chdir or exec.
int SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& directory = {}) {
  if (program.empty()) return ENOENT;
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The child changes its own directory before the exec: the program's current directory,
  // which every thread shares, is never touched.
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t pid = 0;
  const int failure = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failure != 0) return failure;
  // Reaps the child when it ends, so that it does not stay behind as a zombie.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return 0;
}

// A file URI of the path's bytes. Everything but unreserved characters and '/' is
// percent-encoded, which keeps any name intact and leaves no ',' for dbus-send to split at.
QByteArray FileUri(const std::string& path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  if (error) full = path;
  return "file://" + QByteArray::fromStdString(full.string()).toPercentEncoding("/");
}

bool OpenDirectory(const std::string& directory) {
  return SpawnDetached("xdg-open", {directory}) == 0;
}

// Asks the session's file manager to show the file selected; when there is none, or it
// does not answer in time, the file's directory is opened instead. The answer comes later,
// as the exit code of dbus-send; the program does not wait for it.
bool ShowItem(const std::string& file, const std::string& directory) {
  if (QStandardPaths::findExecutable(QStringLiteral("dbus-send")).isEmpty()) {
    return OpenDirectory(directory);
  }
  auto* call = new QProcess;
  QObject::connect(call, &QProcess::finished, call,
                   [call, directory](int exitCode, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || exitCode != 0) OpenDirectory(directory);
                     call->deleteLater();
                   });
  QObject::connect(call, &QProcess::errorOccurred, call,
                   [call, directory](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;  // `finished` follows
                     OpenDirectory(directory);
                     call->deleteLater();
                   });
  call->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  call->setStandardOutputFile(QProcess::nullDevice());
  call->start(QStringLiteral("dbus-send"),
              {QStringLiteral("--session"), QStringLiteral("--print-reply"),
               QStringLiteral("--reply-timeout=5000"),
               QStringLiteral("--dest=org.freedesktop.FileManager1"),
               QStringLiteral("/org/freedesktop/FileManager1"),
               QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
               QStringLiteral("array:string:") + QString::fromLatin1(FileUri(file)),
               QStringLiteral("string:")});
  return true;
}

}  // namespace

// ---- Conversions

QFont ToQFont(const runtime::FontChoice& choice) {
  QFont font;
  if (!choice.name.empty()) font.setFamily(ToQString(choice.name));
  if (choice.size > 0) font.setPointSize(choice.size);
  const int style = std::max(choice.style, 0);
  const int weight = style & 0xFFF;
  font.setWeight(weight > 0 ? static_cast<QFont::Weight>(std::min(weight, 1000)) : QFont::Normal);
  font.setItalic((style & kFontStyleItalic) != 0);
  font.setUnderline((style & kFontStyleUnderline) != 0);
  font.setStrikeOut((style & kFontStyleStrikeOut) != 0);
  return font;
}

runtime::FontChoice ToFontChoice(const QFont& font, int colour) {
  runtime::FontChoice choice;
  choice.name = ToBytes(font.family());
  choice.size = font.pointSize() > 0 ? font.pointSize() : std::max(qRound(font.pointSizeF()), 0);
  choice.style = static_cast<int>(font.weight());
  if (font.italic()) choice.style |= kFontStyleItalic;
  if (font.underline()) choice.style |= kFontStyleUnderline;
  if (font.strikeOut()) choice.style |= kFontStyleStrikeOut;
  choice.colour = colour;
  return choice;
}

QColor ToQColor(int colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int ToColourValue(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QString ToQtFileFilter(std::string_view filter) {
  if (filter.empty()) return {};
  const std::vector<std::string_view> fields = SplitAtBars(filter);
  QStringList entries;
  for (size_t i = 0; i < fields.size(); i += 2) {
    entries << FilterEntry(fields[i], i + 1 < fields.size() ? fields[i + 1] : std::string_view());
  }
  return entries.join(QStringLiteral(";;"));
}

void FillMenu(QMenu& menu, const std::vector<runtime::MenuItem>& items) {
  for (const runtime::MenuItem& item : items) {
    switch (item.kind) {
      case runtime::MenuItem::Kind::Separator:
        menu.addSeparator();
        break;
      case runtime::MenuItem::Kind::Submenu: {
        QMenu* submenu = menu.addMenu(MenuCaption(item));
        submenu->menuAction()->setEnabled(item.enabled);
        FillMenu(*submenu, item.children);
        break;
      }
      case runtime::MenuItem::Kind::Item: {
        QAction* action = menu.addAction(MenuCaption(item));
        action->setEnabled(item.enabled);
        action->setData(item.number);
        break;
      }
    }
  }
}

int MenuChoice(const QAction* action) {
  // A disabled item is never a choice, whatever way the menu was closed.
  return action == nullptr || !action->isEnabled() ? 0 : action->data().toInt();
}

// ---- QtDesktop

QtDesktop::QtDesktop(QWidget* dialogParent) : dialogParent_(dialogParent) {}

QWidget* QtDesktop::DialogParent() const {
  return dialogParent_ ? dialogParent_.data() : QApplication::activeWindow();
}

int QtDesktop::ShowMessage(const runtime::Message& message) {
  Owned<QMessageBox> box(new QMessageBox(DialogParent()));
  box->setWindowTitle(ToQString(message.caption));
  box->setIcon(ToQtIcon(message.icon));
  // Plain text: a message quoting a file or a search text may hold '<' and '&'.
  box->setTextFormat(Qt::PlainText);
  box->setText(MessageText(message.text));
  const std::vector<AnswerButton> buttons = message.buttons.empty()
                                                ? AddStandardButtons(*box, message.standard)
                                                : AddCustomButtons(*box, message.buttons);
  const auto isDefault = [&](const AnswerButton& b) { return b.answer == message.defaultButton; };
  const auto chosenDefault = std::find_if(buttons.begin(), buttons.end(), isDefault);
  box->setDefaultButton(chosenDefault != buttons.end() ? chosenDefault->button
                                                       : buttons.front().button);
  box->exec();
  if (!box.Alive()) return 0;
  for (const AnswerButton& b : buttons) {
    if (box->clickedButton() == b.button) return b.answer;
  }
  return 0;  // closed without a choice
}

int QtDesktop::PopupMenu(const std::string& menuText) {
  return PopupMenuAt(menuText, ToScreenPoint(QCursor::pos()));
}

int QtDesktop::PopupMenuAt(const std::string& menuText, runtime::ScreenPoint where) {
  const std::vector<runtime::MenuItem> items = runtime::ParseMenuText(menuText);
  if (items.empty()) return 0;
  Owned<QMenu> menu(new QMenu(DialogParent()));
  FillMenu(*menu, items);
  return MenuChoice(menu->exec(ToQPoint(where)));
}

std::optional<std::string> QtDesktop::ChooseFile(const runtime::FileDialogRequest& request) {
  std::vector<std::string> files =
      RunFileDialog(DialogParent(), request, QFileDialog::ExistingFile);
  if (files.empty()) return std::nullopt;
  return std::move(files.front());
}

std::vector<std::string> QtDesktop::ChooseFiles(const runtime::FileDialogRequest& request) {
  return RunFileDialog(DialogParent(), request, QFileDialog::ExistingFiles);
}

std::optional<std::string> QtDesktop::ChooseDirectory(const std::string& title,
                                                      const std::string& start) {
  Owned<QFileDialog> dialog(new QFileDialog(DialogParent(), ToQString(title), ToQString(start)));
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return ToBytes(dialog->selectedFiles().front());
}

std::optional<runtime::FontChoice> QtDesktop::ChooseFont(const runtime::FontChoice& start,
                                                         const std::string& title) {
  Owned<QFontDialog> dialog(new QFontDialog(ToQFont(start), DialogParent()));
  dialog->setWindowTitle(ToQString(title));
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return ToFontChoice(dialog->selectedFont(), start.colour);
}

std::optional<int> QtDesktop::ChooseColour(int start, const std::string& title) {
  Owned<QColorDialog> dialog(new QColorDialog(ToQColor(start), DialogParent()));
  dialog->setWindowTitle(ToQString(title));
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return ToColourValue(dialog->selectedColor());
}

std::string QtDesktop::ClipboardText() {
  return ToBytes(QGuiApplication::clipboard()->text());
}

void QtDesktop::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

bool QtDesktop::RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  if (program.empty()) return false;
  const bool allUtf8 = runtime::IsValidUtf8(program) &&
                       std::all_of(arguments.begin(), arguments.end(),
                                   [](const std::string& a) { return runtime::IsValidUtf8(a); });
  if (!allUtf8) return SpawnDetached(program, arguments) == 0;
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return QProcess::startDetached(QString::fromStdString(program), list);
}

runtime::OsError QtDesktop::StartProgram(const runtime::ProgramStart& start) {
  const int failure = SpawnDetached(start.program, start.arguments, start.workingDirectory);
  // errno 0 is no failure, though its Windows-style code is not 0.
  if (failure == 0) return {};
  return runtime::OsErrorOf(failure);
}

bool QtDesktop::OpenWithSystem(const std::string& path, const std::string& action) {
  const QString verb = QString::fromStdString(action).toLower();
  if ((verb != QLatin1String("open") && verb != QLatin1String("edit")) || path.empty()) {
    return false;
  }
  // Percent-encoding the bytes keeps a name that is not valid UTF-8 exactly as it is.
  return QDesktopServices::openUrl(QUrl::fromEncoded(FileUri(path)));
}

bool QtDesktop::ShowInFileManager(const std::string& path, const std::string& actionName) {
  shell::DebugTrace("Explore", actionName + path);
  if (path.empty()) return false;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return OpenDirectory(path);
  std::string directory = std::filesystem::path(path).parent_path().string();
  if (directory.empty()) directory = ".";
  if (!std::filesystem::exists(path, error)) return OpenDirectory(directory);
  return ShowItem(path, directory);
}

bool QtDesktop::ProgramAvailable(const std::string& program) {
  return runtime::ProgramExists(program);
}

std::string QtDesktop::CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string() : current.string();
}

void QtDesktop::Beep() {
  QApplication::beep();
}

}  // namespace trawlex::ui
