#include "results/find_text.h"

#include <algorithm>

#include "results/character_cut.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "runtime/match.h"

namespace trawlex::results {
namespace {

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Word and trailing modes make one blank after the text part of what is looked for; a
// regular expression gets it as a group, which survives the clipping of pattern blanks.
void AddTrailingBlank(FindRecord& find) {
  find.findThis.resize(find.findLen);
  if (find.sw.regex && !find.sw.wild) {
    find.findThis += "{ }";
    find.findLen += 3;
  } else {
    find.findThis += ' ';
    find.findLen += 1;
  }
}

void ChooseHowToFind(FindRecord& find) {
  const unsigned noCase = find.sw.caseSensitive ? 0 : runtime::Match::NoCase;
  if (find.sw.wild) {
    find.find2Execute = FindHow::Match;
    find.matchMode = runtime::Match::Wild | noCase;
    find.findThis = "*" + std::string(find.needle()) + "*";
    find.findLen += 2;
  } else if (find.sw.regex) {
    find.find2Execute = FindHow::Match;
    find.matchMode = runtime::Match::Regular | noCase;
  } else {
    find.find2Execute = FindHow::Substring;
    find.matchMode = 0;
  }
}

}  // namespace

std::string_view FindRecord::needle() const {
  return std::string_view(findThis).substr(0, std::min(findLen, findThis.size()));
}

void PrepareFindText(FindRecord& find) {
  find.findThis = CutToFit(find.findText, kFindTextWidth);
  find.findLen = runtime::Len(find.findThis);
  // A blank text is no find at all, whatever the switches would add to it.
  if (find.findLen == 0) {
    find.findThis.clear();
    return;
  }
  if (find.sw.word && find.findThis[0] != ' ') {
    find.findThis.insert(0, 1, ' ');
    ++find.findLen;
  }
  if (find.sw.word || find.sw.trailing) AddTrailingBlank(find);
  find.findThis.resize(find.findLen);
  ChooseHowToFind(find);
  if (find.sw.smash) {
    find.findThis = WithoutBlanks(find.needle());
    find.findLen = find.findThis.size();
  }
  if (!find.sw.caseSensitive) find.findThis = runtime::UpperText(find.findThis);
}

bool FindOccursIn(const FindRecord& find, std::string_view text) {
  const std::string_view needle = find.needle();
  if (find.find2Execute == FindHow::Substring) {
    return text.find(needle) != std::string_view::npos;
  }
  // MATCH clips the text's trailing blanks, which would drop the blank that word and
  // trailing modes put after the line: the text goes to the comparison as it is.
  const std::string_view pattern = std::string_view(needle).substr(0, runtime::Len(needle));
  const bool noCase = (find.matchMode & runtime::Match::NoCase) != 0;
  switch (find.matchMode & 0x0F) {
    case runtime::Match::Wild:
      return runtime::WildcardMatch(text, pattern, noCase);
    case runtime::Match::Regular:
      return runtime::RegexMatch(text, pattern, noCase);
    default:
      return runtime::MATCH(text, needle, find.matchMode) != 0;
  }
}

bool ViewLinePassesFind(const FindRecord& find, std::string_view line) {
  if (!find.set()) return false;
  std::string tested;
  if (find.sw.smash) {
    tested = WithoutBlanks(line);
  } else if (find.find2Execute == FindHow::Match) {
    tested = WithoutLeadingBlanks(line);
  } else {
    tested = line;
  }
  if (!find.sw.caseSensitive) tested = runtime::UpperText(tested);
  // The line's own trailing blanks are padding; word and trailing modes add exactly one.
  tested.resize(runtime::Len(tested));
  if (find.sw.word) tested.insert(0, 1, ' ');
  if (find.sw.word || find.sw.trailing) tested += ' ';
  return FindOccursIn(find, tested);
}

}  // namespace trawlex::results
