// Regular-expression matching through MATCH, and the production matcher measured against a
// plain recursive backtracking matcher on generated patterns and subjects.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <random>
#include <string>

#include "regex_reference.h"
#include "runtime/match.h"
#include "runtime/regex_automaton.h"
#include "runtime/regex_program.h"

namespace trawlex::runtime {
namespace {

struct MatchCase {
  const char* text;
  const char* pattern;
  bool noCase;
  int expected;
};

TEST(RegexMatch, FollowsTheDialect) {
  const MatchCase cases[] = {
      // Empty and blank patterns match everything; trailing spaces are clipped first.
      {"anything", "", false, 1},
      {"", "   ", false, 1},
      {"xkmn   ", "kmn$", false, 1},
      {"xkmn", "kmn $", false, 0},
      {"a ", "a\\ ", false, 0},  // the escaped space is clipped away: a compile error
      // Case: classes compare exact bytes even without case.
      {"Q", "[a-z]", true, 0},
      {"Q", "q", true, 1},
      {"Q", "q", false, 0},
      {"\xC9t\xC9", "\xE9T\xE9", true, 1},  // accented letters fold in pairs
      {"\xC9", "[\xE9]", true, 0},
      // Classes.
      {"]", "[]a]", false, 1},
      {"a", "[]a]", false, 1},
      {"b", "[]a]", false, 0},
      {"x", "[^]]", false, 1},
      {"]", "[^]]", false, 0},
      {"-", "[a-]", false, 1},
      {"b", "[a-]", false, 0},
      {"c", "[~a-c]", false, 0},
      {"d", "[~a-c]", false, 1},
      {"\\", "[\\]", false, 1},
      // Ordinary characters that other dialects treat as special.
      {"a-z", "a-z", false, 1},
      {"b", "a-z", false, 0},
      {"(x)", "(x)", false, 1},
      {"x", "(x)", false, 0},
      // Quantifiers bind to the last character of a literal run.
      {"a", "ab*", false, 1},
      {"abab", "^ab*$", false, 0},
      {"abbb", "^ab*$", false, 1},
      {"c", "{ab}*c", false, 1},
      {"ababc", "^{ab}*c$", false, 1},
      {"abac", "^{ab}*c$", false, 0},
      {"ac", "^ab+c$", false, 0},
      {"abbc", "^ab+c$", false, 1},
      {"ac", "^ab?c$", false, 1},
      {"abbc", "^ab?c$", false, 0},
      {"xyxy", "^{xy}+$", false, 1},
      {"", "^{xy}+$", false, 0},
      // Assertions anywhere.
      {"ab", "a^b", false, 0},
      {"xkmn", "^kmn", false, 0},
      {"kmnx", "^kmn", false, 1},
      {"ab", "a$b", false, 0},
      {"anything", "x|", false, 1},
      {"", "$?", false, 1},
      // Escapes: the next character literally, no escape classes.
      {"n", "\\n", false, 1},
      {"a.b", "a\\.b", false, 1},
      {"axb", "a\\.b", false, 0},
      {"{x}", "\\{x\\}", false, 1},
      // Alternatives and groups.
      {"get(invoiceQ", "{GET|PUT}\\([a-z]+Q", true, 1},
      {"GET(InvoiceQ", "{GET|PUT}\\([a-z]+Q", true, 0},  // the class is case-sensitive
      {"ADD(InvoiceQ", "{GET|PUT}\\([a-z]+Q", true, 0},
      {"cat", "c{a|o}t", false, 1},
      {"cot", "c{a|o}t", false, 1},
      {"cut", "c{a|o}t", false, 0},
      {"ct", "c{a|}t", false, 1},
      // Backtracking into earlier choices.
      {"aaab", "^{a|aa}*b$", false, 1},
      {"xaaay", "a*a*a*y", false, 1},
      {"abcabd", "{abc|ab}d", false, 1},
      {"  LOOP I# = 1 TO 10", "^ *LOOP", false, 1},
      {"  LOOP", "^ +LOOP$", false, 1},
  };
  for (const auto& c : cases) {
    const unsigned mode = Match::Regular | (c.noCase ? Match::NoCase : 0u);
    EXPECT_EQ(MATCH(c.text, c.pattern, mode), c.expected)
        << "text '" << c.text << "' pattern '" << c.pattern << "' nocase " << c.noCase;
  }
}

TEST(RegexMatch, SearchGivesTheStartOfTheFirstMatch) {
  const auto program = CompileRegex("b+c", false);
  ASSERT_TRUE(program);
  EXPECT_EQ(SearchRegex(*program, "abbbc"), 1u);
  EXPECT_EQ(SearchRegex(*program, "bcbc"), 0u);
  EXPECT_FALSE(SearchRegex(*program, "abbb"));
  // An empty match at the very end of the subject counts.
  EXPECT_EQ(SearchRegex(*CompileRegex("$", false), "abc"), 3u);
  // The subject ends at its first NUL.
  EXPECT_FALSE(SearchRegex(*program, std::string("ab\0bc", 5)));
}

TEST(RegexMatch, NeverLooksPastTheSubjectLimit) {
  std::string subject(kMaxSubjectLength, 'a');
  subject += "XYZ";
  EXPECT_FALSE(SearchRegex(*CompileRegex("XYZ", false), subject));
  EXPECT_TRUE(SearchRegex(*CompileRegex("a$", false), subject));
}

TEST(RegexMatch, CacheKeepsPatternAndCaseApart) {
  // The same pattern text with and without case must not share a compiled program.
  EXPECT_EQ(MATCH("ABC", "abc", Match::Regular), 0);
  EXPECT_EQ(MATCH("ABC", "abc", Match::Regular | Match::NoCase), 1);
  EXPECT_EQ(MATCH("ABC", "abc", Match::Regular), 0);
  // A pattern that does not compile answers 0 every time; the next good one works.
  EXPECT_EQ(MATCH("a{b", "a{b", Match::Regular), 0);
  EXPECT_EQ(MATCH("a{b", "a{b", Match::Regular), 0);
  EXPECT_EQ(MATCH("ab", "a{b}", Match::Regular), 1);
  // A pattern differing only in trailing spaces is the same pattern.
  EXPECT_EQ(MATCH("ab", "a{b}   ", Match::Regular), 1);
}

TEST(RegexMatch, PathologicalPatternsAnswerQuickly) {
  const std::string as(30000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(MATCH(as, "{a|a}*b", Match::Regular), 0);
  EXPECT_EQ(MATCH(as, "{a|a}*{b}", Match::Regular), 0);
  EXPECT_EQ(MATCH(as, "{a|aa}+{b}", Match::Regular), 0);
  EXPECT_EQ(MATCH(as, ".*.*.*{b}", Match::Regular), 0);
  EXPECT_EQ(MATCH(as, "{a*a}*{b}", Match::Regular), 0);
  EXPECT_EQ(MATCH(as + "b", "{a|a}*{b}", Match::Regular), 1);
  EXPECT_EQ(MATCH(as, "^{{a|a}{a|a}}*$", Match::Regular), 1);
  // Generous bound: exponential backtracking would take longer than the universe's age,
  // and a quadratic slip on these subjects takes seconds even in a release build.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// Generates small patterns over a small alphabet so that matches and near misses are common.
class PatternGenerator {
 public:
  explicit PatternGenerator(unsigned seed) : rng_(seed) {}

  std::string Pattern(int depth = 0) {
    std::string out;
    const int pieces = Pick(0, 4);
    for (int i = 0; i < pieces; ++i) out += Piece(depth);
    if (depth < 2 && Pick(0, 5) == 0) out += "|" + Pattern(depth + 1);
    return out;
  }

  std::string Subject() {
    std::string out;
    const int length = Pick(0, 12);
    for (int i = 0; i < length; ++i) out += "abcAB-"[Pick(0, 5)];
    return out;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  std::string Piece(int depth) {
    std::string atom;
    switch (Pick(0, 9)) {
      case 0: atom = "."; break;
      case 1: atom = Pick(0, 1) ? "[a-b]" : "[^a]"; break;
      case 2: atom = depth < 2 ? "{" + Pattern(depth + 1) + "}" : "c"; break;
      case 3: atom = Pick(0, 1) ? "^" : "$"; break;
      case 4: atom = "\\-"; break;
      default: atom = std::string(1, "abcA"[Pick(0, 3)]); break;
    }
    switch (Pick(0, 5)) {
      case 0: return atom + "*";
      case 1: return atom + "+";
      case 2: return atom + "?";
      default: return atom;
    }
  }

  std::mt19937 rng_;
};

// Every way to ask (the search, the thread simulation alone, the DFA with a roomy cache and
// with one so small that it is soon emptied and given up) gives the answer of plain
// backtracking: whether a match exists and where the leftmost one starts.
TEST(RegexMatch, AgreesWithPlainBacktrackingOnGeneratedCases) {
  PatternGenerator generate(20261208);
  int compared = 0;
  for (int i = 0; i < 4000; ++i) {
    const std::string pattern = generate.Pattern();
    const bool noCase = i % 3 == 0;
    const auto program = CompileRegex(pattern, noCase);
    if (!program) continue;
    const auto nfa = RegexNfa::Build(*program);
    LazyRegexDfa dfa(nfa);
    LazyRegexDfa crampedDfa(nfa, DfaLimits{.maxStates = 3, .maxBytes = SIZE_MAX});
    for (int j = 0; j < 8; ++j) {
      const std::string subject = generate.Subject();
      const auto expected = testing::ReferenceMatcher(*program, subject).Search();
      SCOPED_TRACE("pattern '" + pattern + "' subject '" + subject + "' nocase " +
                   std::to_string(noCase));
      ASSERT_EQ(SearchRegex(*program, subject), expected);
      ASSERT_EQ(LeftmostMatchStart(*nfa, subject), expected);
      ASSERT_EQ(dfa.Found(subject), expected.has_value());
      ASSERT_EQ(crampedDfa.Found(subject), expected.has_value());
      ++compared;
    }
  }
  EXPECT_GT(compared, 10000);
}

// Shapes that make backtracking quadratic, exponential or memory-hungry, on subjects longer
// than MATCH ever reads: the automata must answer right, and well within the bound.
TEST(RegexMatch, HostileShapesOnLongSubjectsAnswerRight) {
  const std::string as(100000, 'a');
  const std::string oddAs(99999, 'a');
  const std::string asB = as + "b";
  const std::string prefixedAsB = "--" + asB;
  std::string manyStars = "^";
  for (int i = 0; i < 2000; ++i) manyStars += "a*";
  manyStars += "b";
  const std::string sixStars = "[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*b";
  struct Hostile {
    std::string pattern;
    const std::string& subject;
    std::optional<std::size_t> start;
  };
  const Hostile cases[] = {
      {"^[a-z]*[a-z]*[a-z]*b", as, std::nullopt},
      {"^[a-z]*[a-z]*[a-z]*b", asB, 0},
      {"^[a-z]*[a-z]*[a-z]*b", prefixedAsB, std::nullopt},
      {sixStars, as, std::nullopt},
      {sixStars, prefixedAsB, 2},
      {"a*a*a*a*a*[b]", as, std::nullopt},
      {"a*a*a*a*a*[b]", prefixedAsB, 2},
      {manyStars, as, std::nullopt},
      {manyStars, asB, 0},
      {"{a|a}*b", as, std::nullopt},
      {"{a|a}*b", prefixedAsB, 2},
      {"{a|aa}+{b}", as, std::nullopt},
      {"{a|aa}+{b}", prefixedAsB, 2},
      {".*.*.*{b}", as, std::nullopt},
      {".*.*.*{b}", prefixedAsB, 0},
      {"{a*a}*{b}", as, std::nullopt},
      {"{a*a}*{b}", prefixedAsB, 2},
      {"^{{a|a}{a|a}}*$", as, 0},
      {"^{{a|a}{a|a}}*$", oddAs, std::nullopt},
      {"^{{a|a}{a|a}}*$", asB, std::nullopt},
  };
  const auto begin = std::chrono::steady_clock::now();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern.substr(0, 40) + " on " + std::to_string(c.subject.size()));
    const auto program = CompileRegex(c.pattern, false);
    ASSERT_TRUE(program);
    LazyRegexDfa dfa(RegexNfa::Build(*program));
    EXPECT_EQ(dfa.Found(c.subject), c.start.has_value());
    EXPECT_EQ(LeftmostMatchStart(dfa, c.subject), c.start);
  }
  // Generous bound, for a hang rather than for speed: backtracking needs hours here.
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(60));
}

// "The 15th character from the end is a" needs 2^15 DFA states: the cache must stay within
// its caps by emptying itself, and still answer right.
TEST(RegexMatch, DfaCacheStaysWithinItsCaps) {
  std::string pattern = "[ab]*a";
  for (int i = 0; i < 14; ++i) pattern += "[ab]";
  pattern += "$";
  const auto program = CompileRegex(pattern, false);
  ASSERT_TRUE(program);
  const auto nfa = RegexNfa::Build(*program);
  std::mt19937 rng(7);
  std::string subject(200000, 'a');
  for (char& c : subject) c = "ab"[rng() & 1];
  const std::size_t decisive = subject.size() - 15;
  for (const DfaLimits limits : {DfaLimits{}, DfaLimits{.maxStates = 50, .maxBytes = 4096}}) {
    LazyRegexDfa dfa(nfa, limits);
    for (char decider : {'a', 'b'}) {
      subject[decisive] = decider;
      EXPECT_EQ(dfa.Found(subject), decider == 'a');
    }
    EXPECT_GT(dfa.Stats().clears, 0u);
    EXPECT_LE(dfa.Stats().peakStates, limits.maxStates);
    EXPECT_LE(dfa.Stats().peakBytes, limits.maxBytes);
    // On a prefix short enough for plain backtracking, every answer agrees with it.
    for (std::size_t length : {0, 15, 16, 40, 300}) {
      const std::string_view prefix = std::string_view(subject).substr(0, length);
      const auto expected = testing::ReferenceMatcher(*program, prefix).Search();
      EXPECT_EQ(dfa.Found(prefix), expected.has_value()) << length;
      EXPECT_EQ(LeftmostMatchStart(*nfa, prefix), expected) << length;
    }
  }
}

// The automata read the subject as given: past MATCH's length cap and across NUL bytes,
// which only '.' and negated classes accept.
TEST(RegexMatch, AutomataTakeTheSubjectAsGiven) {
  const std::string longLine = std::string(kMaxSubjectLength, 'a') + "XYZ";
  const std::string withNul("ab\0cd", 5);
  struct Case {
    const char* pattern;
    const std::string& subject;
    std::optional<std::size_t> start;
  };
  const Case cases[] = {
      {"XYZ", longLine, kMaxSubjectLength},
      {"cd", withNul, 3},
      {"b.c", withNul, 1},
      {"b[^x]c", withNul, 1},
      {"b[a-z]c", withNul, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto program = CompileRegex(c.pattern, false);
    ASSERT_TRUE(program) << c.pattern;
    LazyRegexDfa dfa(RegexNfa::Build(*program));
    EXPECT_EQ(dfa.Found(c.subject), c.start.has_value()) << c.pattern;
    EXPECT_EQ(LeftmostMatchStart(dfa, c.subject), c.start) << c.pattern;
  }
}

}  // namespace
}  // namespace trawlex::runtime
