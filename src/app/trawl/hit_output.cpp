#include "hit_output.h"

#include <cstdio>
#include <ostream>

#include "runtime/text_encoding.h"

namespace trawlex::app {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

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

const std::string& HitPrinter::PrintedPath(const engine::FileEntry& file,
                                           const engine::ScanDirEntry& dir) {
  if (pathDir_ != &dir || pathName_ != file.realName) {
    pathDir_ = &dir;
    pathName_ = file.realName;
    path_ = dir.realPath + file.realName;
    // Grep lines show the path relative to the start directory, as on disk.
    if (format_ == OutputFormat::Grep && path_.compare(0, startPath_.size(), startPath_) == 0) {
      path_.erase(0, startPath_.size());
    }
    if (format_ != OutputFormat::Grep) path_ = JsonString(path_);
  }
  return path_;
}

void HitPrinter::Print(const engine::ResultLine& hit, const engine::FileEntry& file,
                       const engine::ScanDirEntry& dir) {
  const std::string& path = PrintedPath(file, dir);
  const std::string line = std::to_string(hit.lineNo);
  if (format_ == OutputFormat::Grep) {
    buffer_.append(path).append(1, ':').append(line).append(1, ':');
    buffer_.append(hit.location.view()).append(1, ':').append(hit.text).append(1, '\n');
  } else {
    buffer_.append("{\"path\":").append(path);
    buffer_.append(",\"file\":").append(JsonString(hit.file.view()));
    buffer_.append(",\"subdir\":").append(JsonString(hit.subdir.view()));
    buffer_.append(",\"subdirnum\":").append(std::to_string(hit.subdirNum));
    buffer_.append(",\"line\":").append(line);
    buffer_.append(",\"location\":").append(JsonString(hit.location.view()));
    buffer_.append(",\"text\":").append(JsonString(hit.text));
    buffer_.append(",\"ptr\":").append(std::to_string(hit.ptr)).append("}\n");
  }
  if (buffer_.size() >= kFlushSize) Flush();
}

void HitPrinter::Flush() {
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

}  // namespace trawlex::app
