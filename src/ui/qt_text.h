#pragma once
// Text crosses into Qt here. The program's text is bytes: it is shown as UTF-8 when it is
// valid UTF-8 and as Windows-1252 otherwise, and what the user types or picks comes back
// as UTF-8 bytes.

#include <QString>
#include <string>
#include <string_view>

#include "runtime/fixed_text.h"

class QLineEdit;

namespace trawlex::ui {

// The Unicode reading of program text.
QString ToQString(std::string_view bytes);

// The UTF-8 bytes of a Qt text.
std::string ToBytes(const QString& text);

// Message text: every '|' starts a new line, so "||" leaves an empty line.
QString MessageText(std::string_view text);

// Typed text as bytes, cut at a character boundary so that it fits a field of `width` bytes
// (the field itself would cut inside a character and leave invalid UTF-8).
std::string FieldBytes(const QString& text, std::size_t width);

// A field takes what an entry shows only when it differs from what the field holds, so
// that text the user did not touch keeps its exact bytes (a Windows-1252 name would not
// survive a round trip through Unicode and UTF-8).
template <std::size_t Width>
void TakeIfChanged(runtime::FixedText<Width>& field, const QString& shown) {
  if (shown != ToQString(field.view())) field = FieldBytes(shown, Width);
}

// Shows `bytes` in the entry unless it already shows them, so that the cursor stays where
// the user put it while typing.
void ShowText(QLineEdit* entry, std::string_view bytes);

}  // namespace trawlex::ui
