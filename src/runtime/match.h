#pragma once
// MATCH: the one matching operation of the runtime. It compares a text with a second string
// by plain equality, a wildcard pattern, a regular expression or a sound-alike code, and
// answers 1 (match) or 0. Both strings lose their trailing spaces first.

#include <string>
#include <string_view>

namespace trawlex::runtime {

// Mode values: one comparison in the low four bits, plus the no-case flag.
namespace Match {
inline constexpr unsigned Simple = 0;
inline constexpr unsigned Wild = 1;
inline constexpr unsigned Regular = 2;
inline constexpr unsigned Soundex = 3;
inline constexpr unsigned NoCase = 16;
}  // namespace Match

int MATCH(std::string_view first, std::string_view second, unsigned mode);

// The comparisons behind MATCH, on texts already clipped of trailing spaces.
bool WildcardMatch(std::string_view text, std::string_view pattern, bool noCase);
bool RegexMatch(std::string_view text, std::string_view pattern, bool noCase);
std::string SoundAlikeCode(std::string_view text);

}  // namespace trawlex::runtime
