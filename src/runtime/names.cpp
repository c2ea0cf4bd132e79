#include "runtime/names.h"

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::runtime {
namespace {

// Length of the UTF-8 sequence that starts at text[at], or 0 when none starts there.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;   // bounds of the second byte, which rule out overlong forms,
  unsigned char high = 0xBF;  // surrogates and code points above U+10FFFF
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsUtf8Continuation(static_cast<char>(byte(at + i)))) return 0;
  }
  return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string LowerName(std::string_view name) {
  if (!IsValidUtf8(name)) return LowerText(name);
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string FitName(std::string_view name, std::size_t width) {
  if (name.size() > width) {
    std::size_t cut = width;
    if (IsValidUtf8(name)) {
      while (cut > 0 && IsUtf8Continuation(name[cut])) --cut;
    }
    name = name.substr(0, cut);
  }
  return Clip(name);
}

}  // namespace trawlex::runtime
