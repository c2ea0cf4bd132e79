#pragma once
// File and directory names as the windows show and compare them.
//
// Names on Linux are bytes, mostly UTF-8, sometimes Windows-1252 from older trees. The
// Windows-1252 case table would corrupt UTF-8 multi-byte sequences, so a name that is valid
// UTF-8 has only its ASCII letters folded; any other name is folded with the case table.

#include <cstddef>
#include <string>
#include <string_view>

namespace trawlex::runtime {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// A byte that continues a UTF-8 character (10xxxxxx): a cut or a count of characters in UTF-8
// text passes over it.
inline bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The lower-case form of a name; always the same length as the name.
std::string LowerName(std::string_view name);

// The value a display field of `width` bytes holds for a name: at most `width` bytes, trailing
// blanks removed. A valid UTF-8 name is cut before a character that would not fit whole, so
// the display text stays readable.
std::string FitName(std::string_view name, std::size_t width);

}  // namespace trawlex::runtime
