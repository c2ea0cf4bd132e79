#pragma once
// Printing the hits of `trawl search`: grep-like lines or JSON objects, one per hit, or
// after the run one of the results window's exports.

#include <iosfwd>
#include <string>
#include <string_view>

#include "engine/file_set.h"
#include "engine/result_line.h"
#include "results/export_source.h"
#include "search_options.h"

namespace trawlex::app {

// Hits are gathered into one buffer and written in large pieces: a search may print hundreds
// of thousands of them, and a stream operation per field would cost more than finding them.
class HitPrinter {
 public:
  // Grep lines going to a terminal show control bytes escaped (terminal_text.h).
  HitPrinter(std::ostream& out, const SearchOptions& options);
  ~HitPrinter() { Flush(); }
  HitPrinter(const HitPrinter&) = delete;
  HitPrinter& operator=(const HitPrinter&) = delete;

  // False once the output has failed: nothing more can be printed.
  bool Print(const engine::ResultLine& hit, const engine::FileEntry& file,
             const engine::ScanDirEntry& dir);
  // Writes what is gathered to the stream.
  void Flush();

 private:
  void PrintGrepLine(const std::string& path, const std::string& line,
                     const engine::ResultLine& hit);
  void PrintJsonObject(const std::string& path, const std::string& line,
                       const engine::ResultLine& hit);
  // The path as printed, worked out once per file: hits come file by file.
  const std::string& PrintedPath(const engine::FileEntry& file, const engine::ScanDirEntry& dir);
  // A name or text of a grep line: escaped on a terminal, the bytes themselves elsewhere.
  void AppendGrepField(std::string_view text);

  std::ostream& out_;
  OutputFormat format_;
  bool escapeControls_;
  char pathEnd_;           // what follows the path of a grep line: ':' or, with --null, NUL
  std::string startPath_;  // the start directory as given, ending with '/'
  std::string buffer_;
  const engine::ScanDirEntry* pathDir_ = nullptr;
  std::string pathName_;  // the file whose path `path_` holds: its directory and real name
  std::string path_;
};

// Writes the export `format` names (text, spaces or tsv) of the finished run's results to
// `out` through the same writers the results window uses; messages of a clipboard text that
// stopped short go to `err`. Nothing for no results. False when `out` failed.
bool WriteExport(std::ostream& out, std::ostream& err, OutputFormat format,
                 const results::ExportSource& source);

}  // namespace trawlex::app
