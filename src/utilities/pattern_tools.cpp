#include "utilities/pattern_tools.h"

#include <string_view>

namespace trawlex::utilities {
namespace {

constexpr std::string_view kMetaCharacters = ".*+?\\[]{}|^$";
constexpr const char* kCaption = "Regular Expression Assistant";
constexpr std::size_t kMaxCodeLength = 1000;

const std::array<PatternToolInfo, 4> kTools = {{
    {PatternTool::PrefixMetas, "Fix Meta Characters by Prefixing a Backslash", "\\ Prefix Metas",
     "prefix-metas"},
    {PatternTool::RemoveMetas, "Remove All Meta Characters", "Remove Metas", "remove-metas"},
    {PatternTool::ConvertUnix, "Change Unix Regex Characters to TRX", "Convert Unix", "unix"},
    {PatternTool::UndoubleLiteral, "Convert Veldar String Literal to TRX", "Convert Veldar",
     "veldar-literal"},
}};

bool EscapesMeta(std::string_view pattern, std::size_t i) {
  return pattern[i] == '\\' && i + 1 < pattern.size() && IsMetaCharacter(pattern[i + 1]);
}

void TrimTrailingBlanks(std::string& text) {
  text.resize(runtime::Len(text));
}

}  // namespace

bool IsMetaCharacter(char c) {
  return kMetaCharacters.find(c) != std::string_view::npos;
}

const std::array<PatternToolInfo, 4>& PatternTools() {
  return kTools;
}

const PatternToolInfo& InfoOf(PatternTool tool) {
  return kTools.at(static_cast<std::size_t>(tool));
}

std::string PrefixMetas(std::string_view pattern) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (EscapesMeta(pattern, i)) {
      result += pattern.substr(i++, 2);
    } else {
      if (IsMetaCharacter(pattern[i])) result += '\\';
      result += pattern[i];
    }
  }
  return result;
}

std::string RemoveMetas(std::string_view pattern) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (EscapesMeta(pattern, i)) {
      result += pattern[++i];
    } else if (!IsMetaCharacter(pattern[i])) {
      result += pattern[i];
    }
  }
  return result;
}

ToolOutcome ConvertUnix(std::string_view pattern) {
  ToolOutcome outcome;
  std::string& result = outcome.pattern;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '\\' && i + 1 < pattern.size()) {
      const char next = pattern[++i];
      if (next != '(' && next != ')') {
        result += {c, next};
        continue;
      }
      c = next;  // a group of a basic Unix pattern: the parenthesis is converted below
    }
    if (c == '{' || c == '}') {
      result += {'\\', c};
      outcome.bracesEscaped = true;
    } else {
      result += c == '(' ? '{' : c == ')' ? '}' : c;
    }
  }
  return outcome;
}

std::string UndoubleLiteral(std::string_view pattern) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if ((c == '{' || c == '<' || c == '\'') && i + 1 < pattern.size() && pattern[i + 1] == c) {
      ++i;
    }
    result += pattern[i];
  }
  return result;
}

std::string DoubleForLiteral(std::string_view pattern) {
  std::string result;
  for (const char c : pattern) {
    if (c == '{' || c == '<' || c == '\'') result += c;
    result += c;
  }
  return result;
}

ToolOutcome RunPatternTool(PatternTool tool, std::string_view pattern) {
  pattern = pattern.substr(0, runtime::Len(pattern));
  switch (tool) {
    case PatternTool::PrefixMetas:
      return {PrefixMetas(pattern), false};
    case PatternTool::RemoveMetas:
      return {RemoveMetas(pattern), false};
    case PatternTool::ConvertUnix:
      return ConvertUnix(pattern);
    case PatternTool::UndoubleLiteral:
      return {UndoubleLiteral(pattern), false};
  }
  return {std::string(pattern), false};
}

std::optional<std::string> TooLongProblem(PatternTool tool, std::string_view result) {
  const std::size_t length = runtime::Len(result);
  if (length <= kToolPatternWidth) return std::nullopt;
  return "\"" + std::string(InfoOf(tool).menuItem) + "\" would make the pattern " +
         std::to_string(length) + " characters long, but it holds at most " +
         std::to_string(kToolPatternWidth) + ". The pattern was not changed.";
}

std::string MatchCode(std::string_view pattern, CaseOption option) {
  const std::string doubled = DoubleForLiteral(pattern.substr(0, runtime::Len(pattern)));
  std::string code = "MATCH( ";
  code += option == CaseOption::No ? "UPPER(string)" : "string";
  code += " ,'" + doubled + "',MATCH:Regular";
  code += option == CaseOption::MatchNoCase ? "+MATCH:NoCase)  " : ")  ! +MATCH:NoCase";
  // The matcher's no-case mode leaves sets exact, which a reader of the code must know.
  if (doubled.find('[') != std::string::npos) code += "   ! [sets] are case sensitive";
  TrimTrailingBlanks(code);
  if (code.size() > kMaxCodeLength) code.resize(kMaxCodeLength);
  return code;
}

std::optional<std::string> PatternUndoStack::Pop() {
  if (entries_.empty()) return std::nullopt;
  std::string text = entries_.back().text.str();
  entries_.pop_back();
  return text;
}

std::string PatternUndoStack::Tip() const {
  if (entries_.empty()) return {};
  return "Undo: " + entries_.back().type.str() + "\r\n" + entries_.back().text.str();
}

PatternConverter::Applied PatternConverter::Apply(PatternTool tool) {
  bracesEscaped_ = false;
  const std::string before = assistant_.Pattern();
  ToolOutcome outcome = RunPatternTool(tool, before);
  if (const auto problem = TooLongProblem(tool, outcome.pattern)) {
    runtime::Tell(desktop_, *problem, kCaption, runtime::Icon::Warning);
    return Applied::Refused;
  }
  undo_.Push(InfoOf(tool).undoName, before);
  bracesEscaped_ = outcome.bracesEscaped;
  assistant_.ApplyToolResult(outcome.pattern);
  return Applied::Changed;
}

void PatternConverter::TellAboutBraces() {
  if (!bracesEscaped_) return;
  bracesEscaped_ = false;
  runtime::Tell(desktop_, kBracesEscapedMessage, kCaption);
}

bool PatternConverter::Undo() {
  bracesEscaped_ = false;
  const std::optional<std::string> before = undo_.Pop();
  if (!before) return false;
  assistant_.ApplyToolResult(*before);
  return true;
}

void PatternConverter::CopyMatchCode() {
  desktop_.SetClipboardText(MatchCode(assistant_.Pattern(), assistant_.Case()));
}

}  // namespace trawlex::utilities
