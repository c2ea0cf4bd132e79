#pragma once
// A find text as Find and Delete and the viewer's find use it: what the user typed with its
// switches (the FD: and FG: records), and the prepared form the test runs on.
//
// Preparation (after the window has checked the text and, for a regular expression, the
// pattern): FINDTHIS is the text, with a blank put in front in word mode when it does not
// start with one; FINDLEN its length without trailing blanks. Word or trailing mode makes
// one trailing blank part of the text (for a regular expression "{ }" is appended). Wild
// wraps it in '*' and tests it with MATCH as a wildcard; a regular expression is tested with
// MATCH as one; anything else is a plain substring. Smash removes the blanks; without Case
// it is upper-cased (and the tested text is upper-cased too).

#include <cstddef>
#include <string>
#include <string_view>

namespace trawlex::results {

inline constexpr std::size_t kFindTextWidth = 50;  // FINDTEXT
inline constexpr std::size_t kFindThisWidth = 54;  // FINDTHIS

struct FindSwitches {
  bool caseSensitive = false;  // SW:CASE
  bool word = false;           // SW:WORD
  bool trailing = false;       // SW:TRAILING
  bool smash = false;          // SW:SMASH
  bool wild = false;           // SW:WILD
  bool regex = false;          // SW:REGX
  bool operator==(const FindSwitches&) const = default;
};

enum class FindHow { Substring = 1, Match = 2 };  // FIND2EXECUTE

struct FindRecord {
  std::string findText;  // FINDTEXT: as typed, at most kFindTextWidth
  FindSwitches sw;
  FindHow find2Execute = FindHow::Substring;
  unsigned matchMode = 0;     // MATCHMODE: runtime::Match values
  std::size_t findLen = 0;    // FINDLEN: 0 while no find is set (cancelled)
  std::string findThis;       // FINDTHIS: the prepared text
  bool prev = false;          // PREV: search upwards (viewer only)

  bool set() const { return findLen != 0; }
  // The first findLen characters of findThis: what is looked for.
  std::string_view needle() const;
};

// Fills findThis, findLen, find2Execute and matchMode from findText and the switches.
void PrepareFindText(FindRecord& find);

// Whether `text` (already in the form the caller tests: smashed, upper-cased, blanks around
// as its algorithm says) holds the prepared find.
bool FindOccursIn(const FindRecord& find, std::string_view text);

// The viewer's test of one line of the file: smash (or, for MATCH, leading blanks removed),
// upper-case without Case, a blank in front in word mode and one trailing blank in word and
// trailing modes, then FindOccursIn. A set find only.
bool ViewLinePassesFind(const FindRecord& find, std::string_view line);

}  // namespace trawlex::results
