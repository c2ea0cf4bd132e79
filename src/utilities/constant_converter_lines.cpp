// Lines: which C and VB lines are definitions, how a definition splits into label, value and
// comment, and the layout of the EQUATE line that replaces it.

#include <algorithm>
#include <string>

#include "utilities/constant_converter.h"
#include "utilities/constant_converter_parts.h"

namespace trawlex::utilities {
namespace {

using converter::FindOutsideQuotes;
using converter::IsBlank;
using converter::SplitCComment;
using converter::IsIdentifier;
using converter::StartsWithNoCase;
using converter::Trim;
using converter::TrimLeft;

constexpr auto npos = std::string_view::npos;

struct Definition {
  std::string_view label;
  std::string_view value;
  std::string_view comment;
};

std::size_t LabelEnd(std::string_view text, bool stopAtEquals) {
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end]) && !(stopAtEquals && text[end] == '=')) ++end;
  return end;
}

// Why a definition cannot become an EQUATE line, or nothing when it can.
std::string_view Refusal(const Definition& parts, bool vb) {
  if (parts.label.empty()) return "no name";
  if (parts.label.size() > kMaxLabel) return "name longer than 256 characters";
  if (parts.value.size() > kMaxValue) return "value longer than 512 characters";
  if (parts.comment.size() > kMaxComment) return "comment longer than 512 characters";
  if (!vb && parts.label.find('(') != npos) return "a macro with parameters";
  if (!IsIdentifier(parts.label)) return "the name is not a valid label";
  if (parts.value.empty()) return "no value";
  return {};
}

ConvertedLine Finish(std::string_view line, Definition parts, bool vb) {
  // VB type marks (X& for Long, S$ for String) are not part of the name.
  if (vb && !parts.label.empty() &&
      std::string_view("%&!#@$").find(parts.label.back()) != npos) {
    parts.label.remove_suffix(1);
  }
  if (const std::string_view reason = Refusal(parts, vb); !reason.empty()) {
    return {NotConvertedLine(line, reason), false};
  }
  ConvertedLine converted;
  std::string value(parts.value);
  if (value != "=") {
    value = vb ? ConvertVbValue(parts.value, converted.bitwise)
               : ConvertCValue(parts.value, converted.bitwise);
  }
  if (value.empty()) return {NotConvertedLine(line, "no value"), false};
  converted.text = EquateLine(parts.label, value, parts.comment);
  return converted;
}

// `text` follows the #define (or is the whole line with Assume All).
ConvertedLine CDefinition(std::string_view line, std::string_view text) {
  Definition parts;
  text = TrimLeft(text);
  parts.comment = SplitCComment(text);
  const std::size_t end = LabelEnd(text, false);
  parts.label = text.substr(0, end);
  parts.value = Trim(text.substr(end));
  if (!parts.value.empty() && (parts.value.back() == ';' || parts.value.back() == ',')) {
    parts.value = Trim(parts.value.substr(0, parts.value.size() - 1));
  }
  return Finish(line, parts, false);
}

// `text` follows the Const (or is the line without its scope words with Assume All).
ConvertedLine VbDefinition(std::string_view line, std::string_view text) {
  Definition parts;
  text = TrimLeft(text);
  if (const std::size_t at = FindOutsideQuotes(text, "'", true); at != npos) {
    parts.comment = text.substr(at);
    text = text.substr(0, at);
  }
  const std::size_t end = LabelEnd(text, true);
  parts.label = text.substr(0, end);
  std::string_view value = TrimLeft(text.substr(end));
  if (!value.empty() && value.front() == '=') value.remove_prefix(1);
  parts.value = Trim(value);
  return Finish(line, parts, true);
}

bool StartsWithWord(std::string_view text, std::string_view word, bool anyCase) {
  const bool prefix = anyCase ? StartsWithNoCase(text, word) : text.starts_with(word);
  return prefix && text.size() > word.size() && IsBlank(text[word.size()]);
}

std::string_view DropScopeWords(std::string_view text) {
  for (bool dropped = true; dropped;) {
    dropped = false;
    for (std::string_view word : {"global", "public", "private"}) {
      if (StartsWithWord(text, word, true)) {
        text = TrimLeft(text.substr(word.size()));
        dropped = true;
      }
    }
  }
  return text;
}

}  // namespace

std::string TidyComment(std::string_view comment) {
  std::string tidy;
  for (char c : TrimLeft(comment)) {
    if (IsBlank(c) && !tidy.empty() && tidy.back() == ' ') continue;
    tidy += IsBlank(c) ? ' ' : c;
  }
  return tidy;
}

std::string EquateLine(std::string_view label, std::string_view value, std::string_view comment) {
  std::string line(label);
  if (line.size() < kLabelWidth) line.resize(kLabelWidth, ' ');
  line += "  ";
  line += value == "=" ? std::string("EQUATE") : "EQUATE(" + std::string(value) + ")";
  line.resize(line.size() < kCommentColumn ? kCommentColumn : line.size() + 2, ' ');
  return line + "!" + TidyComment(comment);
}

std::string NotConvertedLine(std::string_view line, std::string_view reason) {
  return "! Not converted (" + std::string(reason) + "): " + std::string(Trim(line));
}

std::string BitwiseNote(SourceLanguage language, int count) {
  const char* operators = language == SourceLanguage::C
                              ? "Bitwise operators (&AND |OR ^XOR  << >> SHIFT) were found in"
                              : "Bitwise operators (AND OR XOR) were found in";
  // A space keeps the count apart from the text before it.
  return operators + (" " + std::to_string(count)) +
         " equates.\r\nYou can use BAND BOR BXOR functions in a Veldar EQUATE() but not "
         "BSHIFT().\r\n\r\n";
}

ConvertedLine ConvertDefineLine(std::string_view line, bool assumeAll) {
  const std::string_view body = Trim(line);
  if (body.empty()) return {};
  if (body.starts_with("//") || body.starts_with("/*")) {
    return {"!" + std::string(body.substr(2)), false};
  }
  if (StartsWithWord(body, "#define", false)) return CDefinition(body, body.substr(7));
  if (assumeAll) return CDefinition(body, body);
  return {"! " + std::string(body), false};
}

ConvertedLine ConvertVbLine(std::string_view line, bool assumeAll) {
  const std::string_view body = Trim(line);
  if (body.empty()) return {};
  if (body.front() == '\'') return {"!" + std::string(body.substr(1)), false};
  const std::string_view rest = DropScopeWords(body);
  if (StartsWithWord(rest, "const", true)) return VbDefinition(body, rest.substr(5));
  if (assumeAll) return VbDefinition(body, rest);
  return {"! " + std::string(body), false};
}

}  // namespace trawlex::utilities
