#include "results/report_content.h"

#include "results/export_texts.h"
#include "runtime/fixed_text.h"
#include "runtime/pictures.h"

namespace trawlex::results {

namespace {

constexpr std::size_t kHeaderPathWidth = 70;

std::string_view TrimLeft(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  return text.substr(0, runtime::Len(text));
}

// Keeps sharing the results' text unless blanks have to go.
runtime::SharedText Trimmed(const runtime::SharedText& text) {
  const std::string_view trimmed = Trim(text.view());
  return trimmed.size() == text.view().size() ? text : runtime::SharedText(trimmed);
}

ReportHeader MakeHeader(const ExportSource& source) {
  const engine::SearchSpec& request = source.request;
  ReportHeader header;
  header.date = runtime::FormatDate(source.clock.date, "d02");
  header.time = runtime::FormatTime(source.clock.time, "t3");
  header.path = runtime::Clip(request.path.view().substr(0, kHeaderPathWidth));
  header.spec = request.spec.str();
  header.options = OptionsLine(request);
  header.find = "Find: " + request.text.str();
  return header;
}

ReportBand DirectoryBand(const ExportSource& source, std::uint32_t subdirNum) {
  ReportBand band;
  band.kind = ReportBandKind::Directory;
  band.text = std::string(HitDirectory(source, subdirNum));
  return band;
}

ReportBandKind DetailKind(const engine::ResultLine& hit) {
  if (runtime::Len(hit.location.view()) == 0) return ReportBandKind::NoLocation;
  if (runtime::Len(hit.file.view()) > kReportShortFileName) return ReportBandKind::LongName;
  return ReportBandKind::Standard;
}

ReportBand DetailBand(const engine::ResultLine& hit) {
  ReportBand band;
  band.kind = DetailKind(hit);
  band.file = Trimmed(hit.file);
  band.location = Trimmed(hit.location);
  band.lineNo = runtime::FormatNumber(hit.lineNo, runtime::n6b);
  band.text = std::string(Trim(hit.text));
  return band;
}

// The closing band: a standard band with the line fields cleared and the summary as text.
ReportBand SummaryBand(const ExportSource& source) {
  ReportBand band;
  band.lineNo = runtime::FormatNumber(0, runtime::n6b);
  band.text = SummaryLine(source);
  return band;
}

}  // namespace

ReportContent MakeReportContent(const ExportSource& source) {
  ReportContent report;
  if (source.results.empty()) return report;
  report.header = MakeHeader(source);
  report.bands.reserve(source.results.size() + 2);
  std::uint32_t directory = 0;
  for (const engine::ResultLine& hit : source.results) {
    if (hit.subdirNum != directory) {
      directory = hit.subdirNum;
      report.bands.push_back(DirectoryBand(source, directory));
    }
    report.bands.push_back(DetailBand(hit));
  }
  report.bands.push_back(SummaryBand(source));
  return report;
}

std::string ReportPageText(int page) {
  return std::string(kReportPageCaption) + runtime::FormatNumber(page, runtime::n3);
}

}  // namespace trawlex::results
