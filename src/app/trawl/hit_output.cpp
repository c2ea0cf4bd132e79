#include "hit_output.h"

#include <cstdio>
#include <ostream>

#include "runtime/text_encoding.h"

namespace trawlex::app {

std::string JsonString(std::string_view text) {
  const std::string utf8 = runtime::ToUtf8(text);
  std::string out = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void HitPrinter::Print(const engine::ResultLine& hit, const engine::FileEntry& file,
                       const engine::ScanDirEntry& dir) {
  const std::string path = dir.realPath + file.realName;
  if (format_ == OutputFormat::Grep) {
    // Paths relative to the start directory, as on disk.
    const std::string relative =
        path.compare(0, startPath_.size(), startPath_) == 0 ? path.substr(startPath_.size()) : path;
    out_ << relative << ':' << hit.lineNo << ':' << hit.location.view() << ':' << hit.text << '\n';
    return;
  }
  out_ << "{\"path\":" << JsonString(path) << ",\"file\":" << JsonString(hit.file.view())
       << ",\"subdir\":" << JsonString(hit.subdir.view()) << ",\"subdirnum\":" << hit.subdirNum
       << ",\"line\":" << hit.lineNo << ",\"location\":" << JsonString(hit.location.view())
       << ",\"text\":" << JsonString(hit.text) << ",\"ptr\":" << hit.ptr << "}\n";
}

}  // namespace trawlex::app
