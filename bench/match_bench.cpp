// MATCH over typical Veldar source lines: the per-line cost a regular-expression or wildcard
// search pays, and the cost of the pattern cache on a hit and on a miss. The same regular
// expressions also run straight through one thread's DFA, as a search holding it would.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "runtime/match.h"
#include "runtime/regex_automaton.h"

namespace {

using trawlex::runtime::MATCH;
namespace Match = trawlex::runtime::Match;

const std::vector<std::string>& SourceLines() {
  static const std::vector<std::string> lines = {
      "CustOrderClass.Init PROCEDURE()",
      "  IF custTotal = orderCount THEN custTotal += 1.  ! check stock",
      "  LOOP I# = 1 TO RECORDS(InvoiceQ)",
      "    GET(InvoiceQ,I#)",
      "  itemPrice = 'ware it''s batchQueue' ! export",
      "  DO PrintReportRtn",
      "  END",
      "  MESSAGE('StockWare tab','EntryButton',ICON:Exclamation)",
      "  amountQty = priceLine * 412 + zipCity",
      "! group file key comment",
      "  SELF.ListEntry.KeyEquate(custName, orderAddr)",
      "\tstoreBatch = CLIP(lineItem) & ' ' & invoiceTotal",
      "  RETURN totalCount",
      "UpdateCustomer PROCEDURE(STRING pName)",
      "WindowManager.TakeEvent PROCEDURE",
      "                                                                              ",
  };
  return lines;
}

void MatchOverLines(benchmark::State& state, const char* pattern, unsigned mode) {
  const auto& lines = SourceLines();
  std::size_t hits = 0;
  for (auto _ : state) {
    for (const auto& line : lines) hits += MATCH(line, pattern, mode);
  }
  benchmark::DoNotOptimize(hits);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines.size()));
}

void BM_RegexLiteral(benchmark::State& s) { MatchOverLines(s, "PROCEDURE", Match::Regular); }
void BM_RegexLiteralNoCase(benchmark::State& s) {
  MatchOverLines(s, "procedure", Match::Regular | Match::NoCase);
}
void BM_RegexAnchored(benchmark::State& s) { MatchOverLines(s, "^ *LOOP", Match::Regular); }
void BM_RegexClassAndStar(benchmark::State& s) {
  MatchOverLines(s, "[A-Za-z]+\\.[A-Za-z]+ *PROCEDURE", Match::Regular);
}
void BM_RegexAlternatives(benchmark::State& s) {
  MatchOverLines(s, "{GET|PUT|ADD}\\({[a-z]+}Q", Match::Regular | Match::NoCase);
}
void BM_RegexLeadingStar(benchmark::State& s) { MatchOverLines(s, ".*Rtn", Match::Regular); }
void BM_Wildcard(benchmark::State& s) { MatchOverLines(s, "*PROCEDURE*", Match::Wild); }
void BM_WildcardRightAligned(benchmark::State& s) {
  MatchOverLines(s, "*Rtn", Match::Wild | Match::NoCase);
}

void BM_RegexDfa(benchmark::State& state, const char* pattern, bool noCase) {
  using namespace trawlex::runtime;
  LazyRegexDfa dfa(RegexNfa::Build(*CompileRegex(pattern, noCase)));
  const auto& lines = SourceLines();
  std::size_t hits = 0;
  for (auto _ : state) {
    for (const auto& line : lines) hits += dfa.Found(line);
  }
  benchmark::DoNotOptimize(hits);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines.size()));
}

// Two patterns taking turns: every call compiles.
void BM_CompileEveryCall(benchmark::State& state) {
  const std::string a = "{GET|PUT}\\([a-z]+Q";
  const std::string b = "{ADD|DELETE}\\([a-z]+Q";
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MATCH("GET(InvoiceQ,I#)", flip ? a : b, Match::Regular));
    flip = !flip;
  }
}

// The same pattern again: the cache answers, only the match runs.
void BM_CompileCacheHit(benchmark::State& state) {
  const std::string a = "{GET|PUT}\\([a-z]+Q";
  for (auto _ : state) benchmark::DoNotOptimize(MATCH("GET(InvoiceQ,I#)", a, Match::Regular));
}

BENCHMARK(BM_RegexLiteral);
BENCHMARK(BM_RegexLiteralNoCase);
BENCHMARK(BM_RegexAnchored);
BENCHMARK(BM_RegexClassAndStar);
BENCHMARK(BM_RegexAlternatives);
BENCHMARK(BM_RegexLeadingStar);
BENCHMARK_CAPTURE(BM_RegexDfa, Literal, "PROCEDURE", false);
BENCHMARK_CAPTURE(BM_RegexDfa, LiteralNoCase, "procedure", true);
BENCHMARK_CAPTURE(BM_RegexDfa, Anchored, "^ *LOOP", false);
BENCHMARK_CAPTURE(BM_RegexDfa, ClassAndStar, "[A-Za-z]+\\.[A-Za-z]+ *PROCEDURE", false);
BENCHMARK_CAPTURE(BM_RegexDfa, Alternatives, "{GET|PUT|ADD}\\({[a-z]+}Q", true);
BENCHMARK_CAPTURE(BM_RegexDfa, LeadingStar, ".*Rtn", false);
BENCHMARK(BM_Wildcard);
BENCHMARK(BM_WildcardRightAligned);
BENCHMARK(BM_CompileEveryCall);
BENCHMARK(BM_CompileCacheHit);

}  // namespace
