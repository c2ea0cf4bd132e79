// Values: C and VB numbers, strings and casts as Veldar writes them. Numbers and strings are
// converted wherever they stand in the value, so an expression such as (0x10 | 0x20) comes
// out in Veldar notation throughout, not only when it is a single number.

#include <cctype>
#include <string>

#include "utilities/constant_converter.h"
#include "utilities/constant_converter_parts.h"

namespace trawlex::utilities {
namespace {

using converter::ClosingParenthesis;
using converter::FindOutsideQuotes;
using converter::IsIdentifier;
using converter::IsIdentifierChar;
using converter::StartsWithNoCase;
using converter::StripEnclosingParentheses;
using converter::TrimLeft;

constexpr auto npos = std::string_view::npos;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

bool AllOf(std::string_view text, bool (*test)(char)) {
  for (char c : text) {
    if (!test(c)) return false;
  }
  return true;
}

// Veldar string literals double the characters that open a quote, a character code or a
// repeat count.
void AppendLiteralChar(std::string& out, char c) {
  if (c == '\'' || c == '<' || c == '{') out += c;
  out += c;
}

std::string_view StripCSuffixes(std::string_view number) {
  while (!number.empty() && std::string_view("uUlL").find(number.back()) != npos) {
    number.remove_suffix(1);
  }
  return number;
}

// One C number token: hexadecimal and octal get Veldar's suffixes, type suffixes go.
std::string ConvertCNumber(std::string_view token) {
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    const std::string_view digits = StripCSuffixes(token.substr(2));
    if (digits.empty() || !AllOf(digits, IsHexDigit)) return std::string(token);
    return HexDigitsToVeldar(digits);
  }
  const std::string_view digits = StripCSuffixes(token);
  if (digits.empty() || !AllOf(digits, IsDigit)) return std::string(token);  // 1e5, 2f
  // A leading 0 makes a C literal octal; Veldar would read the same digits as decimal.
  if (digits.size() > 1 && digits[0] == '0' && AllOf(digits, IsOctalDigit)) {
    return std::string(digits) + "o";
  }
  return std::string(digits);
}

// The end of the quoted text starting at `open` (past its closing quote), or the text's end
// when the quote is never closed.
std::size_t QuotedEnd(std::string_view text, std::size_t open, bool vb) {
  for (std::size_t i = open + 1; i < text.size(); ++i) {
    if (!vb && text[i] == '\\') {
      ++i;
    } else if (text[i] == text[open]) {
      if (vb && i + 1 < text.size() && text[i + 1] == '"') {
        ++i;  // a doubled quote stands for one
      } else {
        return i + 1;
      }
    }
  }
  return text.size();
}

std::size_t IdentifierEnd(std::string_view text, std::size_t from) {
  while (from < text.size() && IsIdentifierChar(text[from])) ++from;
  return from;
}

// A number token starts at a digit that does not continue a name or a fraction.
bool StartsNumber(std::string_view text, std::size_t i) {
  return IsDigit(text[i]) && (i == 0 || (!IsIdentifierChar(text[i - 1]) && text[i - 1] != '.'));
}

std::string ConvertCTokens(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size();) {
    const char c = value[i];
    std::size_t end = i + 1;
    if (c == '"' || c == '\'') {
      end = QuotedEnd(value, i, false);
      const bool closed = end - i >= 2 && value[end - 1] == c;
      out += closed ? CQuotedToVeldar(value.substr(i, end - i)) : std::string(value.substr(i));
    } else if (StartsNumber(value, i)) {
      end = IdentifierEnd(value, i);
      out += ConvertCNumber(value.substr(i, end - i));
    } else if (IsIdentifierChar(c)) {
      end = IdentifierEnd(value, i);
      out += value.substr(i, end - i);
    } else {
      out += c;
    }
    i = end;
  }
  return out;
}

// ~0 (all bits set) is -1 in Veldar, which has no ~ operator.
std::string ReplaceNotZero(std::string text) {
  for (std::size_t at = text.find('~'); at != npos; at = text.find('~', at + 1)) {
    std::size_t zero = at + 1;
    if (zero < text.size() && text[zero] == ' ') ++zero;
    const std::size_t after = zero + 1;
    if (zero < text.size() && text[zero] == '0' &&
        (after == text.size() || (!IsIdentifierChar(text[after]) && text[after] != '.'))) {
      text.replace(at, after - at, "-1");
    }
  }
  return text;
}

// A leading "(NAME)" is a cast when something that can be cast follows it; "(AB) | (CD)"
// starts with a parenthesised operand, not a cast.
std::string_view StripCast(std::string_view value) {
  if (value.empty() || value.front() != '(') return value;
  const std::size_t close = ClosingParenthesis(value, 0);
  if (close == npos) return value;
  const std::string_view name = converter::Trim(value.substr(1, close - 2));
  const std::string_view rest = TrimLeft(value.substr(close));
  if (name.size() < 2 || !IsIdentifier(name) || rest.empty()) return value;
  const char next = rest.front();
  const bool castable = IsIdentifierChar(next) || next == '(' || next == '-' || next == '~' ||
                        next == '"' || next == '\'';
  return castable ? rest : value;
}

bool HasCBitwise(std::string_view value) {
  for (std::string_view op : {"|", "&", "^", "<<", ">>"}) {
    if (FindOutsideQuotes(value, op, false) != npos) return true;
  }
  return false;
}

bool HasVbBitwise(std::string_view value) {
  std::string upper(value);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (std::string_view op : {" OR ", " AND ", " XOR "}) {
    if (FindOutsideQuotes(upper, op, true) != npos) return true;
  }
  return false;
}

// "&H1F&" or "&O17": the digits after the prefix, to the optional trailing '&'.
std::size_t VbPrefixedNumber(std::string_view value, std::size_t at, std::string& out) {
  const bool hex = value[at + 1] == 'H' || value[at + 1] == 'h';
  std::size_t end = at + 2;
  while (end < value.size() && (hex ? IsHexDigit(value[end]) : IsOctalDigit(value[end]))) ++end;
  if (end == at + 2) {
    out += value.substr(at, 2);
    return end;
  }
  const std::string_view digits = value.substr(at + 2, end - at - 2);
  out += hex ? HexDigitsToVeldar(digits) : std::string(digits) + "o";
  return end < value.size() && value[end] == '&' ? end + 1 : end;
}

std::string ConvertVbTokens(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size();) {
    const char c = value[i];
    const char next = i + 1 < value.size() ? value[i + 1] : '\0';
    std::size_t end = i + 1;
    if (c == '"') {
      end = QuotedEnd(value, i, true);
      const bool closed = end - i >= 2 && value[end - 1] == '"';
      out += closed ? VbQuotedToVeldar(value.substr(i, end - i)) : std::string(value.substr(i));
    } else if (c == '&' && std::string_view("HhOo").find(next) != npos && next != '\0') {
      end = VbPrefixedNumber(value, i, out);
    } else if (StartsNumber(value, i)) {
      end = IdentifierEnd(value, i);
      out += value.substr(i, end - i);
      if (end < value.size() && value[end] == '&') ++end;  // the Long type mark
    } else if (IsIdentifierChar(c)) {
      end = IdentifierEnd(value, i);
      out += value.substr(i, end - i);
    } else {
      out += c;
    }
    i = end;
  }
  return out;
}

// The C escape at `text[i]` (just past the backslash) as Veldar writes it; returns the index
// past the escape.
std::size_t AppendCEscape(std::string_view text, std::size_t i, std::string& out) {
  static constexpr std::string_view kLetters = "abfnrtv";
  static constexpr const char* kCodes[] = {"<7>", "<8>", "<12>", "<10>", "<13>", "<9>", "<11>"};
  const char c = text[i];
  if (const std::size_t letter = kLetters.find(c); letter != npos) {
    out += kCodes[letter];
    return i + 1;
  }
  if (IsOctalDigit(c)) {  // \0 and the other octal codes, up to three digits
    int code = 0;
    std::size_t end = i;
    for (; end < text.size() && end < i + 3 && IsOctalDigit(text[end]); ++end) {
      code = code * 8 + (text[end] - '0');
    }
    out += "<" + std::to_string(code) + ">";
    return end;
  }
  if (c == 'x' && i + 1 < text.size() && IsHexDigit(text[i + 1])) {
    std::size_t end = i + 1;
    while (end < text.size() && end < i + 3 && IsHexDigit(text[end])) ++end;
    const std::string_view digits = text.substr(i + 1, end - i - 1);
    out += "<" + std::string(AllOf(digits, IsDigit) ? "" : "0") + std::string(digits) + "h>";
    return end;
  }
  AppendLiteralChar(out, c);  // \\ \? \' \" and unknown escapes stand for the character
  return i + 1;
}

}  // namespace

std::string HexDigitsToVeldar(std::string_view digits) {
  const bool digitFirst = !digits.empty() && IsDigit(digits.front());
  return (digitFirst ? "" : "0") + std::string(digits) + "h";
}

std::string CQuotedToVeldar(std::string_view quoted) {
  const std::string_view body = quoted.substr(1, quoted.size() - 2);
  std::string out = "'";
  for (std::size_t i = 0; i < body.size();) {
    if (body[i] == '\\' && i + 1 < body.size()) {
      i = AppendCEscape(body, i + 1, out);
    } else {
      AppendLiteralChar(out, body[i++]);
    }
  }
  return out + "'";
}

std::string VbQuotedToVeldar(std::string_view quoted) {
  const std::string_view body = quoted.substr(1, quoted.size() - 2);
  std::string out = "'";
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '"' && i + 1 < body.size() && body[i + 1] == '"') ++i;
    AppendLiteralChar(out, body[i]);
  }
  return out + "'";
}

std::string ConvertCValue(std::string_view value, bool& bitwise) {
  for (std::string_view before; before != value;) {
    before = value;
    value = StripCast(StripEnclosingParentheses(value));
  }
  if (value.size() > 7 && value.starts_with("TEXT(") &&
      ClosingParenthesis(value, 4) == value.size()) {
    value = converter::Trim(value.substr(5, value.size() - 6));
  }
  bitwise = HasCBitwise(value);
  // "o17" is how some headers write octal.
  if (value.size() > 1 && (value[0] == 'o' || value[0] == 'O') &&
      AllOf(value.substr(1), IsDigit)) {
    return std::string(value.substr(1)) + "o";
  }
  return ReplaceNotZero(ConvertCTokens(value));
}

std::string ConvertVbValue(std::string_view value, bool& bitwise) {
  value = StripEnclosingParentheses(value);
  if (StartsWithNoCase(value, "AS ")) {
    const std::size_t equals = value.find('=');
    value = equals == npos ? std::string_view() : StripEnclosingParentheses(value.substr(equals + 1));
  }
  bitwise = HasVbBitwise(value);
  return ConvertVbTokens(value);
}

}  // namespace trawlex::utilities
