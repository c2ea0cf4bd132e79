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

// The one table of the program, built at compile time. Inline, since every byte of a search
// that ignores case goes through it.
constexpr CaseTable BuildCaseTable() {
  CaseTable t{};
  for (int c = 0; c < 256; ++c) {
    t.upper[c] = static_cast<unsigned char>(c);
    t.lower[c] = static_cast<unsigned char>(c);
  }
  auto pair = [&t](int upper, int lower) {
    t.upper[lower] = static_cast<unsigned char>(upper);
    t.lower[upper] = static_cast<unsigned char>(lower);
    t.letter[upper] = true;
    t.letter[lower] = true;
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
  // Latin-1 accented letters: 192..222 pair with 224..254, except the multiplication
  // and division signs (215 and 247), which are not letters.
  for (int c = 192; c <= 222; ++c) {
    if (c != 215) pair(c, c + 32);
  }
  pair(138, 154);  // S caron
  pair(140, 156);  // OE ligature
  pair(142, 158);  // Z caron
  pair(159, 255);  // Y diaeresis
  return t;
}

inline constexpr CaseTable kCaseTable = BuildCaseTable();

inline const CaseTable& Cases() { return kCaseTable; }

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
