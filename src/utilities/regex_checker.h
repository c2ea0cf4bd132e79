#pragma once
// The regular-expression checker and explainer.
//
// MATCH answers only yes or no: a pattern it cannot compile simply never behaves as the user
// meant. Before a pattern is used, ValidateRegex checks it for the mistakes users make most
// (unbalanced sets and groups, meta characters where they mean nothing) and for its clash with
// the Word and Trailing switches, and says what is wrong in words. ExplainRegex breaks a
// pattern into rows, one per element, each with a plain-language description; the assistant
// window and `trawl regex explain` show them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"

namespace trawlex::utilities {

inline constexpr const char* kRegexCheckerCaption = "Regular Expression Checker";

// The switch a problem takes away from the caller: a pattern anchored at the start of the line
// cannot also be a whole word, one anchored at the end cannot also be followed by a blank.
enum class SwitchToClear { None, Word, Trailing };

struct RegexProblemReport {
  std::string text;  // '|' separates lines, "||" leaves an empty line
  SwitchToClear clears = SwitchToClear::None;
};

// The first problem the checker finds in `pattern` (trailing blanks never count), or none.
// Pure: shows nothing and changes nothing, so `trawl` can print the text itself.
std::optional<RegexProblemReport> RegexProblem(std::string_view pattern, bool wordSet,
                                               bool trailingSet);

// Checks `pattern`. On a problem it shows the message (warning icon, OK button), clears the
// Word or Trailing switch when the problem is a clash with it, and returns 1; else returns 0.
// A null switch pointer means the caller has no such switch. The caller redisplays its window
// after a switch was cleared.
int ValidateRegex(std::string_view pattern, std::uint8_t* word, std::uint8_t* trailing,
                  runtime::Desktop& desktop);

// One row of the explanation (the ParseQueue entry).
struct ParseRow {
  std::string in;    // PQ:IN: the element as written, 2 blanks per open group level before it
  std::string desc;  // PQ:DESC: its description, 3 blanks per open group level before it
  int inLen = 0;     // PQ:INLEN: length of `in`, indent included
  int indent = 0;    // PQ:INDENT: group level of the row

  bool operator==(const ParseRow&) const = default;
};

inline constexpr std::size_t kParseInWidth = 60;
inline constexpr std::size_t kParseDescWidth = 120;
// Only this many leading characters of a pattern are explained.
inline constexpr std::size_t kExplainedLength = 60;
// Blanks in the explained pattern are shown as this character, so that a blank element stays
// visible in a fixed-width field that drops trailing blanks.
inline constexpr char kShownBlank = '\x80';

// Explains `pattern`. A blank pattern gives no rows; `valid` false (the checker found a
// problem) gives the single row "Error" / "Regular Expression is Invalid".
std::vector<ParseRow> ExplainRegex(std::string_view pattern, bool valid);

}  // namespace trawlex::utilities
