// The quick pre-scan only decides which files are read line by line: for generated files and
// requests, a run with it reports exactly what a run reading every line reports.

#include <gtest/gtest.h>

#include <random>

#include "engine/search_plan.h"
#include "engine/prepare_search.h"
#include "engine/search_run.h"
#include "support/scripted_questions.h"
#include "support/temp_tree.h"

namespace trawlex::engine {
namespace {

using testing::ScriptedQuestions;
using testing::TempTree;

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::string File() {
    std::string text;
    const int lines = 1 + Pick(6);
    const char* lineEnd = Pick(2) ? "\r\n" : "\n";
    for (int i = 0; i < lines; ++i) {
      text += Line();
      text += lineEnd;
    }
    if (Pick(8) == 0) text += std::string(250 + Pick(10), 'y') + "kmn" + lineEnd;  // long lines
    if (Pick(10) == 0) text.pop_back();  // no final line end
    return text;
  }

  SearchSpec Request(const std::string& path) {
    static const char* texts[] = {"kmn", "KMN", "k mn", "a kmn", "kmn ", " kmn", "x=y", "Proc"};
    static const char* wilds[] = {"k?n", "k*n", "*kmn", "a*b"};
    static const char* regexes[] = {"k[a-z]n", "{kmn|abc}", "km+n", "k\\ mn", " kmn", "k.*n",
                                    "[^ ]kmn", "x=y|kmn", "Pro{c|x}"};
    SearchSpec r;
    r.path = path;
    r.spec = "*.*";
    switch (Pick(4)) {
      case 0:
        r.text = wilds[Pick(4)];
        r.sw[Extra::Wild] = 1;
        break;
      case 1:
        r.text = regexes[Pick(9)];
        r.sw[Extra::Regex] = 1;
        break;
      default:
        r.text = texts[Pick(8)];
    }
    r.sw.caseSensitive = Pick(3) == 0;
    r.sw.word = Pick(3) == 0;
    r.sw.trail = Pick(4) == 0;
    r.sw.smash = Pick(5) == 0;
    r.sw.codeOnly = Pick(4) == 0;
    r.sw.first = Pick(6) == 0;
    static const std::uint8_t labels[] = {0, 0, 0, 1, 11, 129, 251, 252};
    r.sw[Extra::LabelMode] = labels[Pick(8)];
    return r;
  }

 private:
  std::string Line() {
    static const char* words[] = {"kmn", "KMN", "Kmn", "xkmn", "kmnx", "kmn;", "(kmn)", "a",
                                  "b",   "x=y",  "x",   "=",    "y",    "!",    "'",     "\"",
                                  "Proc", "PROCEDURE", "k", "mn", "abc"};
    std::string line;
    if (Pick(3) == 0) line += Pick(2) ? "\t" : "  ";
    const int count = Pick(8);
    for (int i = 0; i < count; ++i) {
      if (i > 0) line += Pick(4) == 0 ? "\t" : std::string(1 + Pick(2), ' ');
      line += words[Pick(21)];
    }
    if (Pick(6) == 0) line += "  ";
    return line;
  }

  std::mt19937 rng_;
};

struct Hit {
  std::string file;
  std::uint32_t line;
  std::string text;
  bool operator==(const Hit&) const = default;
};

std::vector<Hit> RunHits(const SearchSpec& request) {
  ScriptedQuestions questions;
  NoLocationTrackers trackers;
  SearchRun run(request, {}, questions, trackers);
  std::vector<Hit> hits;
  if (!run.Open()) return hits;
  while (run.Step(50)) {
  }
  for (const ResultLine& r : run.results()) hits.push_back({r.file.str(), r.lineNo, r.text});
  return hits;
}

TEST(PreScan, NeverLosesAHitThatReadingEveryLineFinds) {
  Generator generate(7);
  TempTree tree;
  for (int i = 0; i < 120; ++i) tree.Write("f" + std::to_string(i) + ".txt", generate.File());
  int withHits = 0;
  for (int i = 0; i < 300; ++i) {
    SearchSpec request = generate.Request(tree.root().string());
    const auto quick = RunHits(request);
    request.sw[Extra::LineMode] = 1;
    const auto everyLine = RunHits(request);
    ASSERT_EQ(quick, everyLine) << "text '" << request.text.str() << "' options "
                                << OptionsText(request.sw);
    withHits += !quick.empty();
  }
  EXPECT_GT(withHits, 100);  // the generated requests do find things
}

TEST(PreScan, NeedleComesOnlyFromWhatEveryHitContains) {
  const struct {
    const char* text;
    void (*set)(SearchSwitches&);
    const char* needle;
  } cases[] = {
      {"kmn", nullptr, "KMN"},
      {"kmn", [](SearchSwitches& s) { s.word = 1; }, "KMN"},  // the word's blanks dropped
      {"a = bb", nullptr, "BB"},                               // tabs may stand for blanks
      {"k?nn*x", [](SearchSwitches& s) { s[Extra::Wild] = 1; }, "NN"},
      {"ab{cd|ef}ghi", [](SearchSwitches& s) { s[Extra::Regex] = 1; }, "GHI"},
      {"x*yz", [](SearchSwitches& s) { s[Extra::Regex] = 1; }, "YZ"},
      {"abc|d", [](SearchSwitches& s) { s[Extra::Regex] = 1; }, ""},  // alternatives: none
      {"a b", [](SearchSwitches& s) { s.smash = 1; }, "AB"},
  };
  for (const auto& c : cases) {
    SearchSpec r;
    r.text = c.text;
    if (c.set) c.set(r.sw);
    EXPECT_EQ(RequiredRun(r, PrepareSearch(r, {}).work), c.needle) << c.text;
  }
}

}  // namespace
}  // namespace trawlex::engine
