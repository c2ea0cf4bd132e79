#include "engine/veldar_locations.h"

#include <algorithm>

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::engine {
namespace {

constexpr std::size_t kSecondWordWidth = 20;
constexpr std::size_t kRestWidth = 60;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A keyword standing alone: the text is the word, or the word followed by a blank.
bool IsWord(std::string_view text, std::string_view word) {
  return StartsWith(text, word) && (text.size() == word.size() || text[word.size()] == ' ');
}

// The character at 1-based `position`, a blank beyond the end (fields are blank padded).
char CharAt(std::string_view text, std::size_t position) {
  return position <= text.size() ? text[position - 1] : ' ';
}

bool EndsDeclarationWord(char c) { return c == ' ' || c == '!' || c == '(' || c == ','; }

// The first blank of the line within its length, 0-based; npos when none.
std::size_t FirstBlank(const LineContext& line) {
  const std::string_view text = line.Line().substr(0, line.LineLen());
  return text.find(' ');
}

// END closes one level; each leading '.' closes one more ("..", ". ." close two). A level
// count never goes below zero, however many closers a line holds.
void CloseLevels(std::string_view lead, std::uint8_t& level) {
  if (IsWord(lead, "END")) {
    if (level > 0) --level;
    return;
  }
  while (!lead.empty() && lead.front() == '.') {
    if (level > 0) --level;
    lead.remove_prefix(1);
    const std::size_t next = lead.find_first_not_of(' ');
    lead.remove_prefix(next == std::string_view::npos ? lead.size() : next);
  }
}

// "MAP" alone, or followed by a comment.
bool OpensMap(std::string_view lead) {
  if (!IsWord(lead, "MAP")) return false;
  const std::size_t next = lead.find_first_not_of(' ', 3);
  return next == std::string_view::npos || lead[next] == '!';
}

void TrackDeclarations(const LineContext& line, LocationState& state) {
  const std::string_view lead = line.Lead();
  if (state.inClass > 0) {
    if (StartsWith(SecondWord(line), "GROUP")) {
      ++state.inClass;
    } else {
      CloseLevels(lead, state.inClass);
    }
  } else if (state.inMap > 0) {
    if (StartsWith(lead, "MODULE")) {
      ++state.inMap;
    } else {
      CloseLevels(lead, state.inMap);
    }
  } else if (line.IsLabelLine()) {
    const std::string word = SecondWord(line);
    if ((StartsWith(word, "CLASS") && EndsDeclarationWord(CharAt(word, 6))) ||
        (StartsWith(word, "INTERFACE") && EndsDeclarationWord(CharAt(word, 10)))) {
      state.inClass = 1;
    }
  } else if (OpensMap(lead)) {
    state.inMap = 1;
  } else if (StartsWith(lead, "MODULE")) {
    ++state.inMap;
  }
}

// Does the line's text from `at` on begin, without case, with `word`?
bool RestStartsWith(std::string_view text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (runtime::ToUpper(static_cast<unsigned char>(text[at + i])) !=
        static_cast<unsigned char>(word[i])) {
      return false;
    }
  }
  return true;
}

// IsWord on the lead, read straight from the line: routine code asks this of every line,
// and most of them are not even close.
bool LeadIsWord(const LineContext& line, std::string_view word) {
  const std::string_view text = line.Line();
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  if (at >= text.size() || runtime::ToUpper(static_cast<unsigned char>(text[at])) !=
                               static_cast<unsigned char>(word[0])) {
    return false;
  }
  return IsWord(line.Lead(), word);
}

void LeaveDeclarations(LocationState& state) {
  state.inClass = 0;
  state.inMap = 0;
}

}  // namespace

const LineSieve& VeldarLineSieve(const LocationState& state) {
  // The keywords' first letters: see VeldarLineMayMove. A line that starts with '!' is a
  // comment: its label would hold the '!', and such labels start nothing.
  static constexpr LineSieve kCode = LineSieve::Of(true, "", '!');
  static constexpr LineSieve kData = LineSieve::Of(true, "CMEG.", '!');
  static constexpr LineSieve kRoutine = LineSieve::Of(true, "D", '!');
  static constexpr LineSieve kRoutineData = LineSieve::Of(true, "CMEG.D", '!');
  if (state.inData == 0) return state.inRoutine == 0 ? kCode : kRoutine;
  return state.inRoutine == 0 ? kData : kRoutineData;
}

bool VeldarLineMayMove(const LocationState& state, std::string_view rawLine) {
  if (IsRawLabelLine(rawLine)) {
    if (rawLine[0] == '!') return false;  // a comment: a label holding a '!' starts nothing
    std::size_t blank = 0;  // the word after the label starts after the first blank
    while (blank < rawLine.size() && rawLine[blank] != ' ' && rawLine[blank] != '\t') ++blank;
    const bool outside = state.inMap == 0 && state.inClass == 0;
    if (outside && RawWordAmong(rawLine, blank, {"PROCEDURE", "FUNCTION", "ROUTINE"})) return true;
    if (state.inData == 0) return false;
    // Declarations: a label's GROUP nests a class, its CLASS or INTERFACE opens one; in a map
    // or class the lead is the label itself, which may close a level or open a module.
    if (state.inClass != 0) {
      return RawWordAmong(rawLine, blank, {"GROUP"}) || RawWordAmong(rawLine, 0, {"END", "."});
    }
    if (state.inMap != 0) return RawWordAmong(rawLine, 0, {"MODULE", "END", "."});
    return RawWordAmong(rawLine, blank, {"CLASS", "INTERFACE"});
  }
  // In data: CODE, MEMBER, MAP, MODULE, END, a closing '.', and GROUP (the second word of a
  // line without label is its lead). In a routine: DATA. Outside both: nothing.
  if (!VeldarLineSieve(state).leads[RawLeadChar(rawLine)]) return false;
  return (state.inData != 0 &&
          RawWordAmong(rawLine, 0, {"CODE", "MEMBER", "MAP", "MODULE", "END", ".", "GROUP"})) ||
         (state.inRoutine != 0 && RawWordAmong(rawLine, 0, {"DATA"}));
}

std::string SecondWord(const LineContext& line) {
  const std::size_t blank = FirstBlank(line);
  if (blank == std::string_view::npos) return {};
  const std::string_view upper = line.Upper();
  if (upper.substr(0, blank).find('!') != std::string_view::npos) return {};
  const std::size_t start = upper.find_first_not_of(' ', blank);
  if (start == std::string_view::npos) return {};
  return runtime::Clip(upper.substr(start, kSecondWordWidth));
}

void VeldarStructureStep(const LineContext& line, LocationState& state) {
  if (state.inData == 0 && state.inRoutine == 0) return;  // nothing to follow
  const bool label = line.IsLabelLine();
  if (state.inData == 1 && !label) {
    const std::string_view lead = line.Lead();
    if (IsWord(lead, "CODE")) {
      state.inData = 0;
      LeaveDeclarations(state);
    } else if (lead == "MEMBER" || lead == "MEMBER()") {
      state.emptyMember = 1;
    }
  }
  if (state.inRoutine == 1 && !label && LeadIsWord(line, "DATA")) {
    state.inData = 1;
    LeaveDeclarations(state);
  }
  if (state.inData == 1) TrackDeclarations(line, state);
}

void VeldarLabelStep(const LineContext& line, LocationState& state) {
  const std::size_t blank = FirstBlank(line);
  if (blank == std::string_view::npos) return;  // only a label: no rest
  const std::string_view text = line.Line();
  const std::string_view label = text.substr(0, blank);
  if (label.find('!') != std::string_view::npos) return;  // a commented-out label
  const std::size_t rest = text.find_first_not_of(' ', blank);
  if (rest == std::string_view::npos) return;
  const std::string_view restText = text.substr(rest, kRestWidth);
  if (RestStartsWith(restText, 0, "PROCEDURE") || RestStartsWith(restText, 0, "FUNCTION")) {
    if (label.find('.') == std::string_view::npos) {
      state.procName = runtime::Fit(label, kLocationPartWidth);
      state.method.clear();
    } else {
      // A method implementation: of a class local to the preceding procedure, unless the
      // module holds global class code (MEMBER without a program).
      state.method = runtime::Fit(label, kLocationPartWidth);
      if (state.emptyMember == 1) state.procName.clear();
    }
    state.rout.clear();
    state.inData = 1;
    state.inRoutine = 0;
    LeaveDeclarations(state);
  } else if (RestStartsWith(restText, 0, "ROUTINE")) {
    state.rout = runtime::Fit(label, kLocationPartWidth);
    state.inData = 0;
    state.inRoutine = 1;
    LeaveDeclarations(state);
  }
}

}  // namespace trawlex::engine
