#include "runtime/fixed_text.h"

#include <algorithm>
#include <cstring>

namespace trawlex::runtime {

std::string Clip(std::string_view text) {
  return std::string(text.substr(0, Len(text)));
}

std::string Fit(std::string_view text, std::size_t width) {
  return Clip(text.substr(0, width));
}

std::string Pad(std::string_view text, std::size_t width) {
  std::string padded(text.substr(0, width));
  padded.resize(width, ' ');
  return padded;
}

int CompareFixed(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  if (common > 0) {
    const int c = std::memcmp(a.data(), b.data(), common);  // memcmp compares unsigned bytes
    if (c != 0) return c < 0 ? -1 : 1;
  }
  // The longer text goes on against the padding of the shorter one.
  const bool aLonger = a.size() > b.size();
  const std::string_view rest = (aLonger ? a : b).substr(common);
  for (const char ch : rest) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte == ' ') continue;
    const int longerSign = byte > ' ' ? 1 : -1;
    return aLonger ? longerSign : -longerSign;
  }
  return 0;
}

bool SameFixed(std::string_view a, std::string_view b) {
  const std::size_t n = Len(a);
  return n == Len(b) && a.substr(0, n) == b.substr(0, n);
}

}  // namespace trawlex::runtime
