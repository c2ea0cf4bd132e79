#pragma once
// The printed results report as data: the texts of its page header and its bands in queue
// order, worked out once from the results so that the preview can repaint (zoom, page setup)
// without looking at the results window again, and so the report can be checked without a
// printer. Every text is final: the painter only places them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/export_source.h"
#include "runtime/shared_text.h"

namespace trawlex::results {

inline constexpr std::string_view kReportTitle = "Trawlex";
inline constexpr std::string_view kReportPageCaption = "Page:";
inline constexpr std::string_view kReportDirectoryCaption = "Path:";
inline constexpr std::string_view kReportFileCaption = "File Name";
inline constexpr std::string_view kReportLineCaption = "Line#";
inline constexpr std::string_view kReportLocationCaption = "Location";
inline constexpr std::string_view kReportTextCaption = "Text Found";

// File names longer than this get a first row of their own width.
inline constexpr std::size_t kReportShortFileName = 14;

struct ReportHeader {
  std::string date;     // "d02"
  std::string time;     // "t3"
  std::string path;     // SER:PATH, first 70 characters
  std::string spec;     // SER:SPEC
  std::string options;  // the options line of the text file
  std::string find;     // "Find: " + SER:TEXT
};

enum class ReportBandKind : std::uint8_t {
  Directory,   // "Path:" and the directory of the hits that follow
  Standard,    // file name, location, line number; the text under the location
  NoLocation,  // file name and line number; the text below
  LongName,    // a wide file name and the line number; location and text below
};

// One band. File and location share the results' texts, so a band of a million-hit report
// costs little more than its text.
struct ReportBand {
  ReportBandKind kind = ReportBandKind::Standard;
  runtime::SharedText file;      // trailing blanks removed
  runtime::SharedText location;  // leading and trailing blanks removed
  std::string lineNo;            // "n6b": blank for 0
  std::string text;              // the hit's text, or the directory of a directory band
};

struct ReportContent {
  ReportHeader header;
  std::vector<ReportBand> bands;  // queue order; the summary band last
};

// The report of the results as they are now, stamped with the source's clock. An empty queue
// gives no bands at all: there is nothing to print.
ReportContent MakeReportContent(const ExportSource& source);

// "Page:" and the page number in picture "n3".
std::string ReportPageText(int page);

}  // namespace trawlex::results
