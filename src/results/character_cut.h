#pragma once
// Cutting a text to a number of bytes without splitting a character: a UTF-8 text loses the
// whole character that would not fit, a Windows-1252 text (one byte per character) is cut
// where asked.

#include <cstddef>
#include <string>
#include <string_view>

namespace trawlex::results {

// How many bytes of `text` to keep so that it fits `limit`.
std::size_t CutLength(std::string_view text, std::size_t limit);

// The first CutLength(text, limit) bytes of `text`.
std::string CutToFit(std::string_view text, std::size_t limit);

}  // namespace trawlex::results
