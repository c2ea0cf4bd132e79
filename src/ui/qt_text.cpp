#include "ui/qt_text.h"

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

}  // namespace trawlex::ui
