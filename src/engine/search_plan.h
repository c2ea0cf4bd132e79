#pragma once
// Everything the line stage and the pre-scan need to test files and lines, derived once per
// run from the request and its working values. Immutable, so every search thread shares it.

#include <string>

#include "engine/line_matcher.h"
#include "engine/search_spec.h"
#include "engine/search_work.h"
#include "engine/needle_finder.h"

namespace trawlex::engine {

struct SearchPlan {
  SearchSpec request;
  SearchWork work;

  std::string searched;         // the first LEN characters of TEXT
  std::string pattern;          // the same without trailing blanks, as MATCH takes a pattern
  LinePattern linePattern;      // the searched text or pattern, compiled for the line stage
  bool endCountsAsBlank = false;  // word or trailing: the end of a line counts as a blank
  bool caseSensitive = false;

  // A text that every hit must contain in the file's raw bytes (upper-cased when the search
  // ignores case; blanks and tabs removed first when `smashed`). Empty: no such text is
  // known and every file and line must be read. Derived so that no hit the line stage would
  // report is ever ruled out: it never holds a blank (tabs become blanks only when lines are
  // read) and it comes only from parts of the text that every hit must contain.
  std::string needle;
  bool smashed = false;
  NeedleFinder finder;  // finds the needle in raw (unsmashed) bytes
};

SearchPlan MakeSearchPlan(const SearchSpec& request, const SearchWork& work);

// The longest run without blanks in the literal parts of a pattern or text that every match
// must contain. Exposed for tests.
std::string RequiredRun(const SearchSpec& request, const SearchWork& work);

}  // namespace trawlex::engine
