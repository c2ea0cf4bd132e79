#pragma once
// Case folding of the Windows-1252 character set: the table every no-case comparison uses.
// Text is handled as bytes; only a-z and the paired accented letters of the high half fold.

#include <array>
#include <string>
#include <string_view>

namespace trawlex::runtime {

struct CaseTable {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
  std::array<bool, 256> letter{};  // A-Z, a-z and every high-half character that has a pair
};

// The one table of the program, built at compile time.
const CaseTable& Cases();

inline unsigned char ToUpper(unsigned char c) { return Cases().upper[c]; }
inline unsigned char ToLower(unsigned char c) { return Cases().lower[c]; }
inline bool IsLetter(unsigned char c) { return Cases().letter[c]; }
inline bool SameLetterNoCase(unsigned char a, unsigned char b) {
  return a == b || Cases().upper[a] == Cases().upper[b];
}

std::string UpperText(std::string_view text);
std::string LowerText(std::string_view text);

// Byte-wise comparison after upper-casing both sides: <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace trawlex::runtime
