#include "engine/search_plan.h"

#include <vector>

#include "engine/prepare_search.h"
#include "runtime/fixed_text.h"
#include "runtime/regex_program.h"

namespace trawlex::engine {
namespace {

using runtime::NodeNext;
using runtime::NodeOperand;

// Literal runs that every match of the compiled pattern contains: the literal nodes on the
// single top-level alternative's own chain (not inside groups, choices or repeats).
std::vector<std::string> RegexRequiredLiterals(const std::string& pattern) {
  std::vector<std::string> literals;
  const auto program = runtime::CompileRegex(pattern, false);
  if (!program) return literals;
  const auto& code = program->program;
  const auto afterFirst = NodeNext(code, 0);
  if (!afterFirst || code[*afterFirst] != runtime::NodeEnd) return literals;
  for (std::optional<std::size_t> n = NodeOperand(0); n; n = NodeNext(code, *n)) {
    if (code[*n] == runtime::NodeLiteral) {
      literals.emplace_back(reinterpret_cast<const char*>(&code[NodeOperand(*n)]));
    }
  }
  return literals;
}

// The parts of a wildcard pattern between '*' and '?'.
std::vector<std::string> WildcardLiterals(const std::string& pattern) {
  std::vector<std::string> literals(1);
  for (char c : pattern) {
    if (c == '*' || c == '?') {
      literals.emplace_back();
    } else {
      literals.back() += c;
    }
  }
  return literals;
}

std::string LongestBlankFreeRun(const std::vector<std::string>& texts) {
  std::string best;
  for (const std::string& text : texts) {
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find_first_of(" \t", start);
      if (end == std::string::npos) end = text.size();
      if (end - start > best.size()) best = text.substr(start, end - start);
      start = end + 1;
    }
  }
  return best;
}

}  // namespace

std::string RequiredRun(const SearchSpec& request, const SearchWork& work) {
  const std::string head = work.searchedText();
  switch (work.find2Execute) {
    case FindMode::Substring:
      return LongestBlankFreeRun({request.sw.smash ? Smash(head) : head});
    case FindMode::Pattern:
    case FindMode::PatternNoComment:
      if (work.matchMode == 1) return LongestBlankFreeRun(WildcardLiterals(runtime::Clip(head)));
      return LongestBlankFreeRun(RegexRequiredLiterals(runtime::Clip(head)));
  }
  return {};
}

SearchPlan MakeSearchPlan(const SearchSpec& request, const SearchWork& work) {
  SearchPlan plan;
  plan.request = request;
  plan.work = work;
  plan.searched = work.searchedText();
  plan.pattern = runtime::Clip(plan.searched);
  if (work.find2Execute == FindMode::Substring) {
    plan.linePattern = LinePattern::Substring(plan.searched);
  } else if (work.matchMode == 1) {
    plan.linePattern = LinePattern::Wildcard(plan.pattern);
  } else {
    plan.linePattern = LinePattern::Regex(plan.pattern);
  }
  plan.endCountsAsBlank = request.sw.word || request.sw.trail;
  plan.caseSensitive = request.sw.caseSensitive != 0;
  plan.needle = RequiredRun(request, work);
  plan.smashed = request.sw.smash && work.find2Execute == FindMode::Substring;
  // A single word searched with the word switches stands between blanks in every hit.
  const std::size_t first = plan.searched.find_first_not_of(' ');
  const std::size_t last = plan.searched.find_last_not_of(' ');
  const bool oneWord = work.find2Execute == FindMode::Substring && !plan.smashed &&
                       !plan.needle.empty() && first != std::string::npos &&
                       plan.searched.substr(first, last - first + 1) == plan.needle;
  plan.finder = NeedleFinder(plan.needle, !plan.caseSensitive, oneWord && first > 0,
                             oneWord && last + 1 < plan.searched.size());
  return plan;
}

}  // namespace trawlex::engine
