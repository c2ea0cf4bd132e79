#pragma once
// Command lines as words. A configured command (the editor, $TERMINAL) is split into words
// the way a POSIX shell splits them, and the words are handed to the program directly: no
// shell ever sees them, so nothing is expanded and ';', '|', '$(...)' and backticks are
// plain characters.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::results {

// Splits at unquoted blanks, tabs and line ends. Single quotes keep everything up to the
// next single quote; inside double quotes a backslash escapes only '"', '\', '$', '`' and a
// line end; elsewhere a backslash escapes any character, and a backslash before a line end
// joins the lines. Quotes never end a word: "a"'b'c is the one word abc, and "" is an empty
// word. Nothing when a quote is not closed.
std::optional<std::vector<std::string>> SplitCommandWords(std::string_view command);

// The words as a user would type them: words of plain characters as they are, every other
// word in single quotes. Splitting the result gives the words back.
std::string JoinCommandWords(const std::vector<std::string>& words);

}  // namespace trawlex::results
