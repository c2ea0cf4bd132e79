#include "json_text.h"

#include "base64.h"
#include "runtime/names.h"

namespace trawlex::app {
namespace {

void AppendUnicodeEscape(std::string& out, unsigned char code) {
  constexpr const char* kHex = "0123456789abcdef";
  out += "\\u00";
  out += kHex[code >> 4];
  out += kHex[code & 0xF];
}

// The body of a string literal; `text` is valid UTF-8.
void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        continue;
      case '\\':
        out += "\\\\";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (byte < 0x20 || byte == 0x7F) {
      AppendUnicodeEscape(out, byte);
    } else if (byte == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      // U+0080..U+009F, encoded C2 80..C2 9F: C1 controls, which some terminals obey.
      AppendUnicodeEscape(out, static_cast<unsigned char>(text[++i]));
    } else {
      out += c;
    }
  }
}

}  // namespace

std::string JsonText(std::string_view bytes) {
  if (!runtime::IsValidUtf8(bytes)) return "{\"bytes\":\"" + Base64(bytes) + "\"}";
  std::string out = "\"";
  out.reserve(bytes.size() + 2);
  AppendEscaped(out, bytes);
  return out + "\"";
}

}  // namespace trawlex::app
