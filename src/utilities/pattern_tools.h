#pragma once
// The pattern tools of the assistant's "Tool&s" menu: rewrites of a regular expression
// (escaping or stripping the meta characters, translating a Unix pattern, undoing the
// doubling of a Veldar string literal), the MATCH() call for Veldar source, and the undo
// stack of the rewrites. The functions are pure; PatternConverter applies them to an open
// assistant, as the window and `trawl convert pattern-tool` both need.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "utilities/regex_assistant.h"

namespace trawlex::utilities {

// The pattern field of the assistant: a rewrite must fit in it.
inline constexpr std::size_t kToolPatternWidth = 60;
// ".*+?\[]{}|^$"
bool IsMetaCharacter(char c);

enum class PatternTool { PrefixMetas, RemoveMetas, ConvertUnix, UndoubleLiteral };

struct PatternToolInfo {
  PatternTool tool;
  const char* menuItem;  // the item of "Tool&s"
  const char* undoName;  // names the change on the undo stack
  const char* cliName;   // `trawl convert pattern-tool NAME`
};
const std::array<PatternToolInfo, 4>& PatternTools();
const PatternToolInfo& InfoOf(PatternTool tool);

struct ToolOutcome {
  std::string pattern;
  // Unix conversion only: braces were escaped, which a Unix pattern may have used as counts.
  bool bracesEscaped = false;
};

// `a.b` -> `a\.b`; an escaped meta stays as it is, so a second run changes nothing.
std::string PrefixMetas(std::string_view pattern);
// `MyQ\.Nums\[3\]` -> `MyQ.Nums[3]`; unescaped metas are dropped.
std::string RemoveMetas(std::string_view pattern);
// `(IF|CASE)` and `\(IF|CASE\)` -> `{IF|CASE}`; braces are escaped.
ToolOutcome ConvertUnix(std::string_view pattern);
// `''{{x<<` -> `'{x<`: the pattern as written inside a Veldar string literal, undoubled.
std::string UndoubleLiteral(std::string_view pattern);
// The quoting of a Veldar string literal: every `{`, `<` and `'` doubled.
std::string DoubleForLiteral(std::string_view pattern);

// Runs one rewrite on the pattern without its trailing blanks.
ToolOutcome RunPatternTool(PatternTool tool, std::string_view pattern);

// The words for a result that does not fit the pattern field, or none when it fits. The
// pattern is then left as it was rather than cut somewhere in the middle of an element.
std::optional<std::string> TooLongProblem(PatternTool tool, std::string_view result);

inline constexpr const char* kBracesEscapedMessage =
    "Curly braces {} were found in the string and escaped: \\{ \\} ||These may have been Unix "
    "commands that are not supported by Veldar.";

// The MATCH() call for Veldar source that tests `string` with the pattern under the case
// option, as put on the clipboard. At most 220 characters for a 60-character pattern.
std::string MatchCode(std::string_view pattern, CaseOption option);

// The rewrites made so far, undone last first. No size limit: it lives only as long as the
// assistant's window.
class PatternUndoStack {
 public:
  struct Entry {
    runtime::FixedText<30> type;  // the undo name of the tool
    runtime::FixedText<60> text;  // the pattern before the change
  };

  void Push(std::string_view type, std::string_view text) { entries_.push_back({type, text}); }
  // The pattern before the last change, which is forgotten; none when nothing is left.
  std::optional<std::string> Pop();
  bool Empty() const { return entries_.empty(); }
  std::size_t Size() const { return entries_.size(); }
  // "Undo: " + the last change's name + CR LF + the pattern it will restore; empty when empty.
  std::string Tip() const;

 private:
  std::vector<Entry> entries_;
};

// The menu's actions on an open assistant, reporting through the desktop.
class PatternConverter {
 public:
  enum class Applied { Changed, Refused };

  PatternConverter(RegexAssistant& assistant, runtime::Desktop& desktop)
      : assistant_(assistant), desktop_(desktop) {}

  // Rewrites the assistant's pattern and remembers the old one for Undo. A result too long
  // for the pattern field is refused with a message and changes nothing.
  Applied Apply(PatternTool tool);
  // Shows the note about escaped braces when the last Apply escaped some; the window calls
  // it after it has redrawn the new pattern.
  void TellAboutBraces();
  // Restores the pattern before the last rewrite; false when there is nothing to undo.
  bool Undo();
  // The MATCH() call for the pattern and case option replaces the clipboard's text.
  void CopyMatchCode();

  const PatternUndoStack& UndoStack() const { return undo_; }

 private:
  RegexAssistant& assistant_;
  runtime::Desktop& desktop_;
  PatternUndoStack undo_;
  bool bracesEscaped_ = false;
};

}  // namespace trawlex::utilities
