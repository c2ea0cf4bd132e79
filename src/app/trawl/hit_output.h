#pragma once
// Printing the hits of `trawl search`: grep-like lines or JSON objects, one per hit.

#include <iosfwd>
#include <string>

#include "engine/file_set.h"
#include "engine/result_line.h"
#include "search_options.h"

namespace trawlex::app {

// Hits are gathered into one buffer and written in large pieces: a search may print hundreds
// of thousands of them, and a stream operation per field would cost more than finding them.
class HitPrinter {
 public:
  HitPrinter(std::ostream& out, OutputFormat format, std::string startPath)
      : out_(out), format_(format), startPath_(std::move(startPath)) {}
  ~HitPrinter() { Flush(); }
  HitPrinter(const HitPrinter&) = delete;
  HitPrinter& operator=(const HitPrinter&) = delete;

  void Print(const engine::ResultLine& hit, const engine::FileEntry& file,
             const engine::ScanDirEntry& dir);
  // Writes what is gathered to the stream.
  void Flush();

 private:
  // The path as printed, worked out once per file: hits come file by file.
  const std::string& PrintedPath(const engine::FileEntry& file, const engine::ScanDirEntry& dir);

  std::ostream& out_;
  OutputFormat format_;
  std::string startPath_;  // the start directory as given, ending with '/'
  std::string buffer_;
  const engine::ScanDirEntry* pathDir_ = nullptr;
  std::string pathName_;  // the file whose path `path_` holds: its directory and real name
  std::string path_;
};

// A JSON string literal of a text: valid UTF-8 as it is, anything else read as Windows-1252.
std::string JsonString(std::string_view text);

}  // namespace trawlex::app
