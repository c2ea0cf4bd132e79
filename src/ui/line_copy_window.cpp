#include "ui/line_copy_window.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>
#include <utility>

#include "shell/window_placement.h"
#include "ui/qt_text.h"
#include "ui/qt_window_geometry.h"
#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

constexpr const char* kCloseHint =
    "Press Ctrl + Button to close the window after copying to the clipboard.";
// The box is designed for lines of this many characters, at most; longer ones scroll.
constexpr int kDesignedColumns = 100;
constexpr int kMinimumColumns = 40;

// Any of these held while a copy button is pressed closes the window after copying.
constexpr Qt::KeyboardModifiers kCloseModifiers =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;

// The box text as lines. Each part is read on its own, so that a file name in
// Windows-1252 does not turn the UTF-8 text of the hit beside it into Windows-1252 too.
QStringList ShownLines(std::string_view boxText) {
  QStringList lines;
  for (std::size_t start = 0; start < boxText.size();) {
    const std::size_t end = std::min(boxText.find("\r\n", start), boxText.size());
    lines << ToQString(boxText.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Keys that click a focused push button.
bool IsClickKey(int key) {
  return key == Qt::Key_Space || key == Qt::Key_Select || key == Qt::Key_Return ||
         key == Qt::Key_Enter;
}

QPlainTextEdit* TextBox(QWidget* parent, std::string_view boxText) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName("text");
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Read-only, but the keyboard can still move in it and select.
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setPlainText(ShownLines(boxText).join(QLatin1Char('\n')));
  return box;
}

}  // namespace

LineCopyWindow::LineCopyWindow(runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                               const results::LineCopyRequest& request, QWidget* parent)
    : QDialog(parent),
      desktop_(desktop),
      trawlexIni_(std::move(trawlexIni)),
      texts_(results::MakeLineCopyTexts(request)) {
  setObjectName("LineCopy");
  setWindowTitle(QStringLiteral("Copy Line to Clipboard"));
  setSizeGripEnabled(true);

  box_ = TextBox(this, texts_.boxText);
  auto* hint = new QLabel(QString::fromUtf8(kCloseHint), this);
  hint->setObjectName("hint");

  auto* buttons = new QHBoxLayout;
  const auto fixed = [](const std::string& text) {
    return [text]() -> std::optional<std::string> { return text; };
  };
  buttons->addWidget(AddCopyButton("copyAll", "Copy &All", nullptr, fixed(texts_.boxText)));
  buttons->addWidget(
      AddCopyButton("copySelected", "Copy &Selected", nullptr, [this] { return SelectedText(); }));
  buttons->addWidget(
      AddCopyButton("location", "&Location", "Copy Location to Clipboard", fixed(texts_.location)));
  buttons->addWidget(
      AddCopyButton("file", "&File", "Copy File name to Clipboard", fixed(texts_.name)));
  buttons->addWidget(AddCopyButton("path", "&Path", "Copy Path to Clipboard", fixed(texts_.path)));
  buttons->addWidget(AddCopyButton("pathFile", "Path\\Fil&e", "Copy Path\\File to Clipboard",
                                   fixed(texts_.fullName)));
  buttons->addStretch(1);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName("close");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box_, 1);
  layout->addWidget(hint);
  layout->addLayout(buttons);

  SetDesignedSize();
  // Centred over the window it was opened from unless a placement was saved; inside the
  // screen either way.
  CentreOver(*this, parent != nullptr ? &PlacedWindow(*parent) : nullptr);
  QtWindowGeometry geometry(*this);
  shell::RestoreWindowPosition(geometry, trawlexIni_, shell::kLine2ClipSection);
  FitIntoSpace(*this);
  placed_ = true;
  box_->setFocus();
}

QPushButton* LineCopyWindow::AddCopyButton(const char* name, const char* caption, const char* tip,
                                           std::function<std::optional<std::string>()> text) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(QString::fromUtf8(name));
  if (tip != nullptr) button->setToolTip(QString::fromUtf8(tip));
  button->installEventFilter(this);
  connect(button, &QPushButton::clicked, this, [this, text = std::move(text)] { Copy(text()); });
  return button;
}

// The click comes after the press that makes it (the mouse or Space released, an
// accelerator's short animation), when the modifier keys may already be up: they are
// taken from the press.
bool LineCopyWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
      pressModifiers_ = static_cast<QMouseEvent*>(event)->modifiers();
      break;
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (IsClickKey(key->key())) pressModifiers_ = key->modifiers();
      break;
    }
    case QEvent::Shortcut:
      // An accelerator is Alt + its letter: pressing one closes the window too.
      pressModifiers_ = Qt::AltModifier;
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void LineCopyWindow::Copy(const std::optional<std::string>& text) {
  const bool closeAfter = (pressModifiers_ & kCloseModifiers) != 0;
  pressModifiers_ = Qt::NoModifier;
  if (!text) {
    desktop_.Beep();
    return;
  }
  desktop_.SetClipboardText(*text);
  if (closeAfter) accept();
}

// What is selected, with the box's line ends as CR LF like the whole text; nothing when
// nothing is selected.
std::optional<std::string> LineCopyWindow::SelectedText() const {
  QString selected = box_->textCursor().selectedText();
  if (selected.isEmpty()) return std::nullopt;
  selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return ToBytes(selected);
}

// Wide enough for the longest line (within reason and the screen), tall enough for all
// five lines without scrolling.
void LineCopyWindow::SetDesignedSize() {
  const QFontMetrics metrics(box_->font());
  int longest = metrics.horizontalAdvance(QString(kMinimumColumns, QLatin1Char('W')));
  const int widest = metrics.horizontalAdvance(QString(kDesignedColumns, QLatin1Char('W')));
  for (const QString& line : box_->toPlainText().split(QLatin1Char('\n'))) {
    longest = std::max(longest, std::min(widest, metrics.horizontalAdvance(line)));
  }
  const int lines = box_->document()->blockCount() + 1;
  const int boxFrame =
      2 * box_->frameWidth() + 2 * static_cast<int>(box_->document()->documentMargin());
  const int rest = sizeHint().height() - box_->sizeHint().height();
  QSize size(std::max(minimumSizeHint().width(), longest + boxFrame + 40),
             rest + lines * metrics.lineSpacing() + boxFrame);
  if (const QScreen* screen = this->screen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  resize(size.expandedTo(minimumSizeHint()));
}

// Every way of closing comes through here: the place is kept once.
void LineCopyWindow::done(int code) {
  if (placed_) {
    placed_ = false;
    QtWindowGeometry geometry(*this);
    shell::SaveWindowPosition(geometry, trawlexIni_, shell::kLine2ClipSection);
  }
  QDialog::done(code);
}

void RunLineCopyWindow(QWidget* parent, runtime::Desktop& desktop,
                       const std::filesystem::path& trawlexIni,
                       const results::LineCopyRequest& request) {
  LineCopyWindow window(desktop, trawlexIni, request, parent);
  window.exec();
}

}  // namespace trawlex::ui
