#include "ui/qt_text.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "runtime/names.h"
#include "runtime/text_encoding.h"

namespace trawlex::ui {

QString ToQString(std::string_view bytes) {
  const std::string utf8 = runtime::ToUtf8(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToBytes(const QString& text) {
  return text.toStdString();
}

QString MessageText(std::string_view text) {
  QString shown = ToQString(text);
  shown.replace(QLatin1Char('|'), QLatin1Char('\n'));
  return shown;
}

std::string FieldBytes(const QString& text, std::size_t width) {
  std::string bytes = ToBytes(text);
  if (bytes.size() <= width) return bytes;
  std::size_t n = width;
  while (n > 0 && runtime::IsUtf8Continuation(bytes[n])) --n;
  bytes.resize(n);
  return bytes;
}

void ShowText(QLineEdit* entry, std::string_view bytes) {
  const QString text = ToQString(bytes);
  if (entry->text() == text) return;
  const QSignalBlocker block(entry);
  entry->setText(text);
}

}  // namespace trawlex::ui
