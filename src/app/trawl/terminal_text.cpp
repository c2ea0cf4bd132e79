#include "terminal_text.h"

#include <algorithm>
#include <ostream>

namespace trawlex::app {
namespace {

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

void AppendEscape(std::string& out, char c) {
  switch (c) {
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  constexpr const char* kHex = "0123456789abcdef";
  const auto byte = static_cast<unsigned char>(c);
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

// The stream word that holds the mark, allocated once for all streams.
int TerminalMarkIndex() {
  static const int index = std::ios_base::xalloc();
  return index;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  if (std::none_of(text.begin(), text.end(), IsControl)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    if (IsControl(c)) {
      AppendEscape(out, c);
    } else {
      out += c;
    }
  }
  return out;
}

void MarkTerminal(std::ostream& stream, bool isTerminal) {
  stream.iword(TerminalMarkIndex()) = isTerminal ? 1 : 0;
}

bool IsTerminal(std::ostream& stream) {
  return stream.iword(TerminalMarkIndex()) != 0;
}

std::string Shown(std::ostream& stream, std::string_view text) {
  return IsTerminal(stream) ? EscapeControls(text) : std::string(text);
}

}  // namespace trawlex::app
