#include "ui/view_page_text.h"

#include <QKeyEvent>
#include <optional>

#include "results/view_texts.h"
#include "ui/qt_text.h"

namespace trawlex::ui {
namespace {

// The page move a key asks for in the text box: Ctrl+Up and Ctrl+Down a line, PgUp and PgDn
// (with or without Ctrl) a page, Ctrl+Home and Ctrl+End the top and the end of the file.
std::optional<PageMove> MoveFor(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  const bool ctrl = modifiers == Qt::ControlModifier;
  switch (event.key()) {
    case Qt::Key_Up:
      return ctrl ? std::optional(PageMove::LineUp) : std::nullopt;
    case Qt::Key_Down:
      return ctrl ? std::optional(PageMove::LineDown) : std::nullopt;
    case Qt::Key_PageUp:
      return PageMove::PageUp;
    case Qt::Key_PageDown:
      return PageMove::PageDown;
    case Qt::Key_Home:
      return ctrl ? std::optional(PageMove::Top) : std::nullopt;
    case Qt::Key_End:
      return ctrl ? std::optional(PageMove::End) : std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace

ViewPageText::ViewPageText(QWidget* parent) : QPlainTextEdit(parent) {
  // For cutting and pasting from the page: the text itself is not edited.
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

void ViewPageText::ShowRows(const std::vector<results::ViewRow>& rows) {
  // The page text joins its rows with CR LF, for the clipboard of any system; the box shows
  // lines.
  setPlainText(ToQString(results::PageText(rows)).replace(QStringLiteral("\r\n"), "\n"));
}

std::string ViewPageText::SelectedBytes() const {
  QString selected = textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return ToBytes(selected);
}

void ViewPageText::keyPressEvent(QKeyEvent* event) {
  if (const auto move = MoveFor(*event)) {
    event->accept();
    emit moveRequested(*move);
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void ViewPageText::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  emit backToList();
}

}  // namespace trawlex::ui
