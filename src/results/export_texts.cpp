#include "results/export_texts.h"

#include <algorithm>
#include <cstdint>

#include "engine/prepare_search.h"
#include "runtime/fixed_text.h"
#include "runtime/pictures.h"

namespace trawlex::results {
namespace {

constexpr std::size_t kOptionsLineWidth = 60;

std::int32_t Wider(std::int32_t width, std::size_t length) {
  return std::max(width, static_cast<std::int32_t>(std::min<std::size_t>(length, INT32_MAX)));
}

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  text.erase(0, first);
  text.resize(runtime::Len(text));
  return text;
}

}  // namespace

ColumnWidths ComputeColumnWidths(const engine::ResultsQueue& results) {
  ColumnWidths widths;
  for (const engine::ResultLine& line : results) {
    const std::size_t textLength = runtime::Len(line.text);
    widths.file = Wider(widths.file, runtime::Len(line.file.view()));
    widths.lineNo = Wider(widths.lineNo, LineNumberText(line.lineNo).size());
    widths.location = Wider(widths.location, runtime::Len(line.location.view()));
    widths.text = Wider(widths.text, textLength);
    widths.totalText += static_cast<std::int64_t>(textLength);
  }
  return widths;
}

std::string LineNumberText(std::uint32_t lineNo) { return std::to_string(lineNo); }

std::string OptionsLine(const engine::SearchSpec& request) {
  std::string line = "Options: " + engine::OptionsText(request.sw);
  if (line.size() > kOptionsLineWidth) line.resize(kOptionsLineWidth);
  return line;
}

std::string HeaderLine(const ExportSource& source) {
  return "Trawlex Results " + runtime::FormatDate(source.clock.date, "d1") + " " +
         runtime::FormatTime(source.clock.time, "t3") + "\r\nFind: " +
         runtime::Clip(source.request.text.str());
}

std::string SummaryLine(const ExportSource& source) {
  return std::to_string(source.results.size()) + " lines reported, " +
         std::to_string(source.counts.findCnt) + " originally found in " +
         runtime::FormatSeconds(source.counts.searchTime) + " seconds, searched " +
         Trimmed(runtime::FormatNumber(source.counts.scanBytes, runtime::n13)) + " bytes";
}

std::string_view HitDirectory(const ExportSource& source, std::uint32_t subdirNum) {
  if (subdirNum == 0 || subdirNum > source.dirs.size()) return {};
  return source.dirs[subdirNum - 1].fPathBs;
}

}  // namespace trawlex::results
