#pragma once
// Cheap looks at a raw line (its bytes as they lie in the file: tabs not expanded, line end
// removed), with which a search decides whether a line must be read at all: could it move the
// location? They never say no where reading the line could say yes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "runtime/case_table.h"

namespace trawlex::engine {

// A label line: its first character is neither a blank nor a tab.
inline bool IsRawLabelLine(std::string_view raw) {
  return !raw.empty() && raw[0] != ' ' && raw[0] != '\t';
}
// The first character after the line's leading blanks and tabs, upper-cased; 0 when none.
inline unsigned char RawLeadChar(std::string_view raw) {
  for (char c : raw) {
    if (c != ' ' && c != '\t') return runtime::ToUpper(static_cast<unsigned char>(c));
  }
  return 0;
}
// Whether the raw text from `from` on, its blanks and tabs passed over, begins without case
// with one of the upper-case `words`.
bool RawWordAmong(std::string_view raw, std::size_t from,
                  std::initializer_list<std::string_view> words);

// A coarse test of raw lines (tabs not expanded, line end removed): a line passes when it is
// a label line (its first character is neither a blank nor a tab, nor `commentMark`) and label
// lines pass, or when its lead character (the first after blanks and tabs) is one of `leads`,
// or when every line passes.
struct LineSieve {
  bool everyLine = false;
  bool labelLines = false;
  bool anyLeads = false;
  char commentMark = ' ';  // a line that starts with it is a comment, not a label line
  std::array<bool, 256> leads{};

  // Label lines if asked (comments marked by `commentMark` in the first column excepted), and
  // lines led by one of `leadLetters` in either case.
  static constexpr LineSieve Of(bool labelLines, std::string_view leadLetters,
                                char commentMark = ' ') {
    LineSieve sieve;
    sieve.labelLines = labelLines;
    sieve.commentMark = commentMark;
    for (char c : leadLetters) {
      sieve.leads[static_cast<unsigned char>(c)] = true;
      if (c >= 'A' && c <= 'Z') sieve.leads[static_cast<unsigned char>(c - 'A' + 'a')] = true;
      sieve.anyLeads = true;
    }
    return sieve;
  }
  static const LineSieve kEveryLine;
  static const LineSieve kNoLine;
};

inline constexpr LineSieve LineSieve::kEveryLine = {true, true, false, ' ', {}};
inline constexpr LineSieve LineSieve::kNoLine = {};

}  // namespace trawlex::engine
