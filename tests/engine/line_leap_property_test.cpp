// A search reads only the lines that may hold a hit or move the location, and leaps over the
// rest: for generated files of every kind, with the real location trackers, it reports exactly
// the hits, line numbers and locations that reading every line reports.

#include <gtest/gtest.h>

#include <random>

#include "engine/search_run.h"
#include "engine/standard_trackers.h"
#include "support/scripted_questions.h"
#include "support/temp_tree.h"

namespace trawlex::engine {
namespace {

using testing::ScriptedQuestions;
using testing::TempTree;

// Lines that open and close what the trackers follow, in any mix and any case, so that files
// pass through data sections, routines, maps, classes and the other kinds' headers.
const char* const kLines[] = {
    "Main PROCEDURE",
    "Cls.Init  procedure(LONG x)",
    "Fn FUNCTION,LONG",
    "PrintRtn ROUTINE",
    "  CODE",
    "  data",
    "  MAP",
    "    MODULE('x')",
    "  END",
    "  .",
    "Cls CLASS(Base),TYPE",
    "Grp GROUP",
    "  Inner  GROUP",
    "   MEMBER()",
    "Loc:x LONG",
    "! kmn comment",
    "  x = kmn + 1",
    "\tkmn\t= 2",
    "  DO PrintRtn",
    "  END ! kmn",
    "#PROCEDURE(Tpl,'x')",
    "[PROCEDURE]",
    "NAME UpdateKmn",
    "[PROPERTYCLASS]",
    "  Name: Kmn",
    "int kmn_fn(char *s) {",
    "  if (kmn(x)) {",
    "Public Sub KmnSub(x)",
    "  Private Function F()",
    "End Sub",
    "Class KmnClass",
    "  End Class",
    "EMBED %Kmn",
    "  sub KmnPlain()",
    "function kmnJs(a)",
    "void proto(int a); // kmn",
    "char *dup(char *s) /*",
    "  x = kmn(y);",
    "} else if (k) { f(x); }",
    "END",
    "Ifc INTERFACE",
    "Tab\tROUTINE",
    "  Dataset = kmn",
    "  CODEX",
    "  <Test()> Public Sub T()",
    "!x PROCEDURE",
    ".!x",
    "!END",
    "",
    "   ",
    "KMN",
};

const char* const kExtensions[] = {".vlw", ".inc", ".tpl", ".txa", ".sty",
                                   ".txt", ".c",   ".asp", ".bas", ".vb"};

std::string GeneratedFile(std::mt19937& random) {
  std::string text;
  const char* lineEnd = random() % 2 ? "\r\n" : "\n";
  const int lines = 1 + static_cast<int>(random() % 60);
  for (int i = 0; i < lines; ++i) {
    text += kLines[random() % std::size(kLines)];
    text += lineEnd;
  }
  return text;
}

SearchSpec GeneratedRequest(std::mt19937& random, const std::string& path) {
  static const char* const texts[] = {"kmn", "KMN", "x", "procedure", "end"};
  SearchSpec r;
  r.path = path;
  r.spec = "*.*";
  r.text = texts[random() % std::size(texts)];
  r.sw.word = random() % 3 == 0;
  r.sw.codeOnly = random() % 4 == 0;
  r.sw.first = random() % 6 == 0;
  static const std::uint8_t labels[] = {0, 0, 0, 0, 1, 2, 129, 251, 252};
  r.sw[Extra::LabelMode] = labels[random() % std::size(labels)];
  return r;
}

struct Hit {
  std::string file;
  std::uint32_t line;
  std::string location;
  std::string text;
  bool operator==(const Hit&) const = default;
};

std::vector<Hit> RunHits(const SearchSpec& request) {
  ScriptedQuestions questions;
  SearchRun run(request, {}, questions, StandardTrackers());
  std::vector<Hit> hits;
  if (!run.Open()) return hits;
  while (run.Step(100)) {
  }
  for (const ResultLine& r : run.results()) {
    hits.push_back({r.file.str(), r.lineNo, r.location.str(), r.text});
  }
  return hits;
}

TEST(LineLeaps, ReportWhatReadingEveryLineReports) {
  std::mt19937 random(20261208);
  TempTree tree;
  for (int i = 0; i < 60; ++i) {
    tree.Write("f" + std::to_string(i) + kExtensions[i % std::size(kExtensions)],
               GeneratedFile(random));
  }
  int withLocations = 0;
  for (int i = 0; i < 150; ++i) {
    SearchSpec request = GeneratedRequest(random, tree.root().string());
    const auto leaping = RunHits(request);
    request.sw[Extra::LineMode] = 1;
    const auto everyLine = RunHits(request);
    ASSERT_EQ(leaping, everyLine) << "text '" << request.text.str() << "' options "
                                  << OptionsText(request.sw);
    for (const Hit& hit : leaping) withLocations += !hit.location.empty();
  }
  EXPECT_GT(withLocations, 1000);  // the trackers were busy
}

}  // namespace
}  // namespace trawlex::engine
