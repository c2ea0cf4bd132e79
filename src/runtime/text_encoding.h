#pragma once
// Text is bytes throughout the program. Where it must become Unicode (the windows, JSON), it
// is read as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise.

#include <string>
#include <string_view>

namespace trawlex::runtime {

// The UTF-8 form of a text: itself when valid UTF-8, else its Windows-1252 reading.
std::string ToUtf8(std::string_view text);

// The Unicode code point of a Windows-1252 byte (bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which
// the code page leaves undefined, map to the C1 controls of the same value).
char32_t Cp1252ToUnicode(unsigned char byte);

}  // namespace trawlex::runtime
