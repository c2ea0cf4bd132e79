#pragma once
// The options of `trawl search`, parsed into a search request and output settings.

#include <optional>
#include <string>

#include "commands.h"
#include "engine/search_spec.h"
#include "results/export_source.h"

namespace trawlex::app {

// Grep and Json print each hit as it is found; the export formats write the results window's
// exports once the search has ended: the text file, the space-aligned or tab-separated
// clipboard text.
enum class OutputFormat { Grep, Json, Text, Spaces, Tsv };

inline bool IsExportFormat(OutputFormat format) {
  return format == OutputFormat::Text || format == OutputFormat::Spaces ||
         format == OutputFormat::Tsv;
}
enum class ErrorPolicy { Ignore, Remove, Stop };

struct SearchOptions {
  engine::SearchSpec request;
  std::string path = ".";
  OutputFormat format = OutputFormat::Grep;
  ErrorPolicy onError = ErrorPolicy::Ignore;
  bool nullAfterPath = false;  // -0: grep lines put a NUL, not ':', after the path
  bool quiet = false;
  bool help = false;
  std::string savedName;   // --saved: run this saved search instead of TEXT and options
  bool pathGiven = false;  // PATH was given (with --saved it overrides the saved path)
  std::optional<results::ExportClock> clock;  // --clock: the export header's date and time
};

// Parses the arguments after "search". On bad usage returns nullopt and sets `error` to a
// one-line reason.
std::optional<SearchOptions> ParseSearchOptions(const Arguments& args, std::string& error);

extern const char* const kSearchUsage;

}  // namespace trawlex::app
