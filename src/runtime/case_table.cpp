#include "runtime/case_table.h"

namespace trawlex::runtime {
namespace {

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

constexpr CaseTable kCaseTable = BuildCaseTable();

}  // namespace

const CaseTable& Cases() { return kCaseTable; }

std::string UpperText(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(ToUpper(static_cast<unsigned char>(c)));
  return out;
}

std::string LowerText(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(ToLower(static_cast<unsigned char>(c)));
  return out;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const int ua = ToUpper(static_cast<unsigned char>(a[i]));
    const int ub = ToUpper(static_cast<unsigned char>(b[i]));
    if (ua != ub) return ua - ub;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

}  // namespace trawlex::runtime
