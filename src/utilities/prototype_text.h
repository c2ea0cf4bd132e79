#pragma once
// Small text helpers of the prototype converter and its type table. They live in their own
// namespace so that they never collide with the other converters' helpers in this library.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::utilities::proto {

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);
std::string Upper(std::string_view text);  // ASCII letters only: type names are ASCII

bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
// Position of `needle` in `text` at or after `from`, compared without case; npos if absent.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// Lines end at LF, CR LF or a lone CR; a line end at the very end gives no extra line.
std::vector<std::string> SplitLines(std::string_view text);
// Each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Runs of blanks become one blank.
std::string CollapseSpaces(std::string_view text);

// Places `text` at `column` of `line`: when the line, trailing blanks dropped, is longer than
// column - 2 the text follows after two blanks, otherwise the line is padded with blanks to
// `column` characters and the text follows, so that it starts just after that column.
void PlaceAt(std::string& line, std::size_t column, std::string_view text);

}  // namespace trawlex::utilities::proto
