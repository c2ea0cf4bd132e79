// MATCH on the regular expressions that are hardest for a backtracking matcher, over a
// subject of 100,000 characters (of which MATCH reads the first 65,535). Each shape runs on
// a subject of 'a' alone (no match) and, where it can match, on one whose 'b' is the last
// character MATCH reads.

#include <benchmark/benchmark.h>

#include <string>

#include "runtime/match.h"
#include "runtime/regex_program.h"

namespace {

using trawlex::runtime::kMaxSubjectLength;
using trawlex::runtime::MATCH;
namespace Match = trawlex::runtime::Match;

constexpr std::size_t kSubjectLength = 100000;

std::string ManyStars() {
  std::string pattern = "^";
  for (int i = 0; i < 2000; ++i) pattern += "a*";
  return pattern + "b";
}

void BM_Worst(benchmark::State& state, const std::string& pattern, bool withB, int expected) {
  std::string subject(kSubjectLength, 'a');
  if (withB) subject[kMaxSubjectLength - 1] = 'b';
  for (auto _ : state) {
    const int answer = MATCH(subject, pattern, Match::Regular);
    if (answer != expected) state.SkipWithError("wrong answer");
    benchmark::DoNotOptimize(answer);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMaxSubjectLength));
}

#define WORST(name, pattern)                                                \
  BENCHMARK_CAPTURE(BM_Worst, name##_all_a, std::string(pattern), false, 0) \
      ->Unit(benchmark::kMillisecond);                                      \
  BENCHMARK_CAPTURE(BM_Worst, name##_ends_b, std::string(pattern), true, 1) \
      ->Unit(benchmark::kMillisecond)

WORST(ThreeClassStarsAnchored, "^[a-z]*[a-z]*[a-z]*b");
WORST(SixClassStars, "[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*b");
WORST(FiveStars, "a*a*a*a*a*[b]");
WORST(TwoThousandStarsAnchored, ManyStars());
WORST(SameAlternativesStar, "{a|a}*b");
WORST(OverlappingAlternativesPlus, "{a|aa}+{b}");
WORST(ThreeDotStars, ".*.*.*{b}");
WORST(NestedStar, "{a*a}*{b}");
BENCHMARK_CAPTURE(BM_Worst, PairsToTheEnd_all_a, std::string("^{{a|a}{a|a}}*$"), false, 0)
    ->Unit(benchmark::kMillisecond);  // 65,535 characters: odd, so no match

}  // namespace
