#pragma once
// The test the line stage puts to a line once it has prepared it (upper-cased, blanks
// smashed, cut at a comment, a blank in front or behind): where the searched text stands in
// it, or whether the wildcard or regular-expression pattern matches it.
//
// A LinePattern is compiled once per search and shared by every thread; each thread matches
// through a LineMatcher of its own, which keeps the regular expression's automaton warm from
// line to line and from file to file. Lines are matched whole: a regular expression sees
// every character up to the line's first NUL, however long the line.

#include <memory>
#include <string>
#include <string_view>

#include "runtime/regex_automaton.h"

namespace trawlex::engine {

struct LinePattern {
  enum class Kind { Substring, Wildcard, Regex };
  Kind kind = Kind::Substring;
  std::string text;  // the searched text, or the pattern without trailing blanks
  std::shared_ptr<const runtime::RegexNfa> regex;  // null when the pattern does not compile

  static LinePattern Substring(std::string searched);
  static LinePattern Wildcard(std::string pattern);
  static LinePattern Regex(std::string pattern);
};

class LineMatcher {
 public:
  explicit LineMatcher(const LinePattern& pattern);

  // Substring: the 1-based position of the text in the subject, 0 when absent.
  std::size_t Find(std::string_view subject) const;
  // Wildcard and regular expression: 1 when the pattern matches the subject, else 0. The
  // subject is taken as it is; `clipSubject` drops its trailing blanks first.
  std::size_t Matches(std::string_view subject, bool clipSubject);

 private:
  const LinePattern& pattern_;
  runtime::LazyRegexDfa* dfa_ = nullptr;  // this thread's automaton for the pattern
};

}  // namespace trawlex::engine
