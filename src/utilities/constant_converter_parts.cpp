#include "utilities/constant_converter_parts.h"

#include <algorithm>
#include <cctype>

#include "runtime/names.h"

namespace trawlex::utilities::converter {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsIdentifier(std::string_view text) {
  if (text.empty() || std::isdigit(static_cast<unsigned char>(text.front())) != 0) return false;
  for (char c : text) {
    if (!IsIdentifierChar(c)) return false;
  }
  return true;
}

std::size_t FindOutsideQuotes(std::string_view text, std::string_view what, bool vb) {
  char quote = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (!vb && c == '\\') {
        ++i;  // an escape: the next character cannot end the string
      } else if (c == quote) {
        quote = 0;  // a doubled VB quote closes and reopens: the same in effect
      }
    } else if (c == '"' || (!vb && c == '\'')) {
      quote = c;
    } else if (text.substr(i, what.size()) == what) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::size_t ClosingParenthesis(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth == 0) return i + 1;
  }
  return std::string_view::npos;
}

// Only a '(' whose ')' is the last character encloses the whole value: "(A) | (B)" keeps its
// parentheses.
std::string_view StripEnclosingParentheses(std::string_view value) {
  value = Trim(value);
  while (value.size() >= 2 && value.front() == '(' &&
         ClosingParenthesis(value, 0) == value.size()) {
    value = Trim(value.substr(1, value.size() - 2));
  }
  return value;
}

std::string_view SplitCComment(std::string_view& text) {
  const std::size_t at =
      std::min(FindOutsideQuotes(text, "//", false), FindOutsideQuotes(text, "/*", false));
  if (at == std::string_view::npos) return {};
  const std::string_view comment = text.substr(at);
  text = text.substr(0, at);
  return comment;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    if (!runtime::IsUtf8Continuation(c)) ++count;
  }
  return count;
}

}  // namespace trawlex::utilities::converter
