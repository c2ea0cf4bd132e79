#pragma once
// Find and Delete: the results lines whose text, location, file name or subdirectory contain
// (or do not contain) a find text, a wildcard pattern or a regular expression.
//
// The sources a user ticks are joined into one searched block, each enclosed by separators
// that no find text can span (line ends, and blanks in word and trailing modes), so a text is
// found within one source, never across two.

#include <string>

#include "engine/result_line.h"
#include "results/find_text.h"

namespace trawlex::results {

// The FD: record: the find with its switches, the sources to search, what to delete, and
// whether lines are only flagged.
struct FindAndDeleteRecord {
  FindRecord find;          // FINDTEXT, SW:*, FIND2EXECUTE, MATCHMODE, FINDLEN, FINDTHIS
  bool inText = true;       // IN:TEXT
  bool inLocation = false;  // IN:LOCATION
  bool inFile = false;      // IN:FILE
  bool inSubdir = false;    // IN:SUBDIR
  bool contains = true;     // CONTAINS "C": delete the lines that contain the text
  bool test = false;        // SW:TEST: flag the lines instead of deleting them
};

// The searched block of one line: each ticked source (text with its leading blanks removed,
// location, file, subdirectory, in that order) without trailing blanks, between separators,
// upper-cased without Case, smashed text with Smash.
std::string FindAndDeleteBlock(const FindAndDeleteRecord& record, const engine::ResultLine& line);

// Whether the line is one to delete: found and "contains", or not found and "does not
// contain". The record's find must be prepared (PrepareFindText).
bool FindAndDeleteSelects(const FindAndDeleteRecord& record, const engine::ResultLine& line);

}  // namespace trawlex::results
