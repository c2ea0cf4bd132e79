#include "ui/stick_note_window.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <string>
#include <utility>

#include "runtime/error_codes.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"
#include "ui/window_centring.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

// The font name the defaults use: the desktop's fixed-pitch face stands in for it.
constexpr const char* kStandInFontName = "Fixedsys";
// The title follows the text once typing pauses, not on every keystroke.
constexpr int kTitleDelayMs = 400;

QAction* NoteAction(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(QString::fromUtf8(name));
  return action;
}

bool IsCloseKey(const QKeyEvent& key) {
  return key.key() == Qt::Key_W && key.modifiers() == Qt::ControlModifier;
}

void Warn(runtime::Desktop& desktop, std::string_view text) {
  runtime::Tell(desktop, std::string(text) + "|Error: " + runtime::ErrorText(),
                std::string(utilities::kStickNoteCaption), runtime::Icon::Warning);
}

}  // namespace

StickNoteWindow::StickNoteWindow(runtime::Desktop& desktop, std::filesystem::path searchDat,
                                 QWidget* parent)
    : QWidget(parent),
      desktop_(desktop),
      searchDat_(std::move(searchDat)),
      look_(utilities::LoadStickLook(searchDat_)) {
  setObjectName("StickNote");
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("noteText");
  text_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  BuildMenu();

  titleTimer_ = new QTimer(this);
  titleTimer_->setSingleShot(true);
  titleTimer_->setInterval(kTitleDelayMs);
  connect(titleTimer_, &QTimer::timeout, this, [this] { RefreshTitle(); });
  connect(text_, &QPlainTextEdit::textChanged, this, [this] {
    KeepWithinLimit();
    titleTimer_->start();
  });

  ApplyLook();
  resize(look_.winW, look_.winH);
  RefreshTitle();
  setFocusProxy(text_);
  text_->setFocus();
}

StickNoteWindow* StickNoteWindow::Open(runtime::Desktop& desktop,
                                       const std::filesystem::path& searchDat) {
  auto* note = new StickNoteWindow(desktop, searchDat);
  note->setAttribute(Qt::WA_DeleteOnClose);
  if (AppWindows().Open(note, WindowKind::StickyNote) == 0) {
    runtime::Tell(desktop, "No window slot is free.", std::string(utilities::kStickNoteCaption),
                  runtime::Icon::Warning);
    delete note;
    return nullptr;
  }
  return note;
}

void StickNoteWindow::TakeSavedSize() {
  Outer().resize(look_.winW, look_.winH);
  FitIntoSpace(Outer());
}

// The title catches up when the text loses the focus, whatever the timer has done.
// Esc would throw a note away too easily; closing takes a deliberate Ctrl+W. The text claims
// the key before any shortcut sees it: the MDI sub-window's own Close may also be bound to it.
bool StickNoteWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != text_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut) RefreshTitle();
  const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
  if (key && IsCloseKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    if (event->type() == QEvent::KeyPress) Outer().close();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void StickNoteWindow::BuildMenu() {
  auto* bar = new QMenuBar(this);
  noteMenu_ = bar->addMenu(tr("&Note"));
  colour_ = NoteAction(noteMenu_, "colour", "&Color...");
  connect(colour_, &QAction::triggered, this, [this] { ChooseColour(); });
  connect(NoteAction(noteMenu_, "font", "Font..."), &QAction::triggered, this,
          [this] { ChooseFont(); });
  hScroll_ = NoteAction(noteMenu_, "hScroll", "&Horizontal Scrollbar");
  hScroll_->setCheckable(true);
  connect(hScroll_, &QAction::triggered, this,
          [this](bool on) { SetScrollbars(on, look_.vScroll); });
  vScroll_ = NoteAction(noteMenu_, "vScroll", "&Vertical Scrollbar");
  vScroll_->setCheckable(true);
  connect(vScroll_, &QAction::triggered, this,
          [this](bool on) { SetScrollbars(look_.hScroll, on); });
  connect(NoteAction(noteMenu_, "bothScroll", "&Both Scrollbars"), &QAction::triggered, this,
          [this] {
            utilities::SwitchBothScrollbars(look_);
            SetScrollbars(look_.hScroll, look_.vScroll);
          });
  noteMenu_->addSeparator();
  connect(NoteAction(noteMenu_, "save", "Save Settings"), &QAction::triggered, this,
          [this] { SaveSettings(); });
  connect(NoteAction(noteMenu_, "reset", "Reset Settings to Default"), &QAction::triggered, this,
          [this] { ResetSettings(); });
  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

void StickNoteWindow::ApplyLook() {
  text_->setFont(NoteFont());
  QPalette palette = text_->palette();
  palette.setColor(QPalette::Base, ToQColor(look_.fillColor));
  palette.setColor(QPalette::Text, ToQColor(look_.fontColor));
  text_->setPalette(palette);
  SetScrollbars(look_.hScroll, look_.vScroll);
}

QFont StickNoteWindow::NoteFont() const {
  runtime::FontChoice choice{look_.fontName, look_.fontSize, look_.fontStyle, look_.fontColor};
  if (ToQString(choice.name).compare(kStandInFontName, Qt::CaseInsensitive) == 0) {
    choice.name = ToBytes(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
  }
  return ToQFont(choice);
}

// From the menu with the mouse the list opens at the pointer; from the keyboard, where the
// pointer may rest anywhere, it opens at the menu item.
void StickNoteWindow::ChooseColour() {
  QPoint where = QCursor::pos();
  if (!noteMenu_->geometry().contains(where)) {
    where = noteMenu_->mapToGlobal(noteMenu_->actionGeometry(colour_).bottomLeft());
  }
  const std::optional<int> chosen =
      utilities::ChooseNoteColour(desktop_, look_.fillColor, ToScreenPoint(where));
  if (!chosen) return;
  look_.fillColor = *chosen;
  ApplyLook();
}

void StickNoteWindow::ChooseFont() {
  const auto chosen =
      desktop_.ChooseFont(ToFontChoice(NoteFont(), look_.fontColor), "Select Font for Notes");
  if (chosen) {
    look_.fontName = chosen->name;
    look_.fontSize = chosen->size;
    look_.fontStyle = chosen->style;
    look_.fontColor = chosen->colour;
    ApplyLook();
  }
  text_->setFocus(Qt::OtherFocusReason);
}

// Without a horizontal bar long lines wrap, so that no text lies out of reach.
void StickNoteWindow::SetScrollbars(bool horizontal, bool vertical) {
  look_.hScroll = horizontal;
  look_.vScroll = vertical;
  hScroll_->setChecked(horizontal);
  vScroll_->setChecked(vertical);
  text_->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  text_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  text_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

// Saves what the user sees: the outer size of the window and the font face actually used.
void StickNoteWindow::SaveSettings() {
  utilities::StickLook saved = look_;
  saved.winW = Outer().width();
  saved.winH = Outer().height();
  saved.fontName = ToBytes(NoteFont().family());
  if (!utilities::SaveStickLook(searchDat_, saved)) Warn(desktop_, utilities::kStickSaveFailed);
}

void StickNoteWindow::ResetSettings() {
  if (!utilities::ResetStickLook(searchDat_)) Warn(desktop_, utilities::kStickResetFailed);
  const utilities::StickLook defaults;
  look_.fontName = defaults.fontName;
  look_.fontSize = defaults.fontSize;
  look_.fontColor = defaults.fontColor;
  look_.fontStyle = defaults.fontStyle;
  look_.fillColor = defaults.fillColor;
  ApplyLook();
}

void StickNoteWindow::RefreshTitle() {
  setWindowTitle(ToQString(utilities::StickNoteTitle(ToBytes(text_->toPlainText()))));
}

// Typing or pasting past the limit keeps only what fits: the characters just inserted
// before the cursor are taken back.
void StickNoteWindow::KeepWithinLimit() {
  const int limit = static_cast<int>(utilities::kNoteTextLimit);
  const int excess = text_->document()->characterCount() - 1 - limit;
  if (excess <= 0) return;
  QTextCursor cursor = text_->textCursor();
  const int end = cursor.position() >= excess ? cursor.position() : limit + excess;
  cursor.setPosition(end);
  cursor.setPosition(end - excess, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  text_->setTextCursor(cursor);
}

QWidget& StickNoteWindow::Outer() {
  return PlacedWindow(*this);
}

}  // namespace trawlex::ui
