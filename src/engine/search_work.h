#pragma once
// The working values a run derives from its request, and the run's counters.

#include <cstdint>
#include <string>

namespace trawlex::engine {

// How the line stage tests a line.
enum class FindMode : std::uint8_t {
  Substring = 1,         // plain substring search
  Pattern = 2,           // MATCH with the wildcard or regular-expression mode
  PatternNoComment = 3,  // the same, after cutting the line at its comment
};

struct SearchWork {
  // The text or pattern searched for. Only its first `len` characters are searched, and
  // blanks up to `len` count: text() gives exactly those, padded with blanks when needed.
  // Not cut to a field width, so a long text with word switches keeps its closing group.
  std::string text;                // TEXT
  std::int32_t len = 0;            // LEN
  std::string pathBs;              // PATHBS: the start directory in lower case, ending with '/'
  std::string realPathBs;          // the start directory as given, ending with '/': for access
  std::int32_t pathLen = 0;        // PATHLEN
  std::string spec;                // SPEC: the file specifications followed by one ';'
  std::uint8_t wtCheck = 0;        // WTCHECK
  std::string textWt1;             // TEXTWT1: a word at the start of a line
  std::string textWt2;             // TEXTWT2: a word at the end of a line
  FindMode find2Execute = FindMode::Substring;  // FIND2EXECUTE
  std::uint8_t matchMode = 0;      // MATCHMODE: 1 wildcard, 2 regular expression
  std::uint8_t skipFastDos = 0;    // SKIPFASTDOS: no block pre-scan
  std::int32_t fastDosIncr = 0;    // FASTDOSINCR
  std::uint8_t left = 0;           // LEFT: anchored pattern, lines matched without leading blanks
  std::int16_t label = 0;          // LABEL: label filter 0..128 (251 and 252 kept as they are)
  std::int16_t labelLine = 0;      // LABELLINE 0..3

  // The first `len` characters of TEXT, of TEXTWT1 and of TEXTWT2.
  std::string searchedText() const { return Head(text); }
  std::string searchedWt1() const { return Head(textWt1); }
  std::string searchedWt2() const { return Head(textWt2); }

 private:
  std::string Head(const std::string& s) const {
    std::string head = s.substr(0, static_cast<std::size_t>(len < 0 ? 0 : len));
    head.resize(static_cast<std::size_t>(len < 0 ? 0 : len), ' ');
    return head;
  }
};

// Counters of one run. Line and hit counts are 32-bit and byte counts 64-bit, so nothing
// wraps on large trees.
struct SearchCounts {
  std::int64_t findCnt = 0;        // FINDCNT: lines reported
  std::int64_t scanFile = 0;       // SCANFILE: 1-based index of the file being searched
  std::uint8_t locationFound = 0;  // LOCATIONFOUND
  std::uint8_t subdirsFound = 0;   // SUBDIRSFOUND
  std::int64_t scanBytes = 0;      // SCANBYTES
  std::int64_t scanLines = 0;      // SCANLINES
  std::int32_t startTime = 0;      // STARTTIME, hundredths since midnight
  std::int32_t endTime = 0;        // ENDTIME
  double searchTime = 0;           // SEARCHTIME, seconds with two places
  std::int64_t filesFindCnt = 0;   // FILESFINDCNT
  std::int64_t unreadableDirs = 0;  // directories that could not be read when the list was made
};

}  // namespace trawlex::engine
