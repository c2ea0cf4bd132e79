#pragma once
// Small text helpers the constant converter's files share. Internal to the converter.

#include <cstddef>
#include <string>
#include <string_view>

namespace trawlex::utilities::converter {

// Spaces and tabs count alike: C headers line their columns up with either.
bool IsBlank(char c);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool IsIdentifierChar(char c);
// A C or VB name: a letter or underscore, then letters, digits and underscores.
bool IsIdentifier(std::string_view text);
// Where `what` first stands outside a quoted string or character constant (npos if nowhere).
// VB has no character constants and doubles its quotes, so there only '"' quotes.
std::size_t FindOutsideQuotes(std::string_view text, std::string_view what, bool vb);
// The index just past the ')' that closes the '(' at `open`, or npos when it is unbalanced.
std::size_t ClosingParenthesis(std::string_view text, std::size_t open);
// Removes parentheses that enclose the whole value, as often as they do.
std::string_view StripEnclosingParentheses(std::string_view value);
// Splits a trailing C comment (// or /*) off `text`; the comment keeps its marker.
std::string_view SplitCComment(std::string_view& text);
// Characters in UTF-8 text (the fields' limits count characters, not bytes).
std::size_t CharacterCount(std::string_view text);

}  // namespace trawlex::utilities::converter
