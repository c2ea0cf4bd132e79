#pragma once
// Text crosses into Qt here. The program's text is bytes: it is shown as UTF-8 when it is
// valid UTF-8 and as Windows-1252 otherwise, and what the user types or picks comes back
// as UTF-8 bytes.

#include <QString>
#include <string>
#include <string_view>

namespace trawlex::ui {

// The Unicode reading of program text.
QString ToQString(std::string_view bytes);

// The UTF-8 bytes of a Qt text.
std::string ToBytes(const QString& text);

// Message text: every '|' starts a new line, so "||" leaves an empty line.
QString MessageText(std::string_view text);

}  // namespace trawlex::ui
