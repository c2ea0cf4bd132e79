#include "ui/converter_parts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "ui/qt_text.h"

namespace trawlex::ui {

QString ToEditText(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return ToQString(text);
}

std::string FromEditText(const QString& text) {
  QString crlf = text;
  crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return ToBytes(crlf);
}

QPlainTextEdit* CodeTextBox(QWidget* parent, const char* name) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  box->setTabChangesFocus(true);
  return box;
}

QPushButton* PlainButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

void ResizeForCode(QWidget& window, const QPlainTextEdit& box, int columns, int lines) {
  const QFontMetrics metrics(box.font());
  const int rest = window.sizeHint().height() - box.sizeHint().height();
  QSize size(metrics.horizontalAdvance(QString(columns, QLatin1Char('W'))) + 60,
             rest + lines * metrics.lineSpacing());
  if (const QScreen* screen = window.screen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  window.resize(size.expandedTo(window.minimumSizeHint()));
}

}  // namespace trawlex::ui
