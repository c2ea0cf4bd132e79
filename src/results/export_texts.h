#pragma once
// The texts every results export shares: the column widths of the text layouts, the header,
// options and summary lines. The text file, the clipboard text and the printed report all
// build on these, so the three read alike.

#include <cstdint>
#include <string>

#include "engine/result_line.h"
#include "engine/search_spec.h"
#include "results/export_source.h"

namespace trawlex::results {

// Widths of the columns of the text layouts, worked out afresh before each export.
struct ColumnWidths {
  std::int32_t file = 8;        // the file-name column
  std::int32_t lineNo = 2;      // the line-number column
  std::int32_t location = 8;    // the location column
  std::int32_t text = 20;       // the longest text (kept for those who want it)
  std::int64_t totalText = 0;   // all texts together: sizes the clipboard text
};

// The widths for the results in queue order; trailing blanks never count, leading ones do.
ColumnWidths ComputeColumnWidths(const engine::ResultsQueue& results);

// The decimal digits of a line number: no sign, padding or grouping.
std::string LineNumberText(std::uint32_t lineNo);

// "Options: " and the short description of the request's switches, at most 60 characters.
std::string OptionsLine(const engine::SearchSpec& request);

// "Trawlex Results " date time, CR LF, "Find: " and the search text (no trailing blanks).
std::string HeaderLine(const ExportSource& source);

// "n lines reported, f originally found in s seconds, searched b bytes": n counts the results
// as they are now, after any pruning.
std::string SummaryLine(const ExportSource& source);

// The directory path of a hit (SCANDIRQ:FPATHBS); empty for a number outside the list.
std::string_view HitDirectory(const ExportSource& source, std::uint32_t subdirNum);

}  // namespace trawlex::results
