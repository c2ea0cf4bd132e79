#pragma once
// Printing the hits of `trawl search`: grep-like lines or JSON objects, one per hit.

#include <iosfwd>
#include <string>

#include "engine/file_set.h"
#include "engine/result_line.h"
#include "search_options.h"

namespace trawlex::app {

class HitPrinter {
 public:
  HitPrinter(std::ostream& out, OutputFormat format, std::string startPath)
      : out_(out), format_(format), startPath_(std::move(startPath)) {}

  void Print(const engine::ResultLine& hit, const engine::FileEntry& file,
             const engine::ScanDirEntry& dir);

 private:
  std::ostream& out_;
  OutputFormat format_;
  std::string startPath_;  // the start directory as given, ending with '/'
};

// A JSON string literal of a text: valid UTF-8 as it is, anything else read as Windows-1252.
std::string JsonString(std::string_view text);

}  // namespace trawlex::app
