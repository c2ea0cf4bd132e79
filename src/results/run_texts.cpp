#include "results/run_texts.h"

#include "engine/prepare_search.h"
#include "runtime/fixed_text.h"
#include "runtime/pictures.h"

namespace trawlex::results {
namespace {

// The status field's width.
constexpr std::size_t kStatusWidth = 50;

std::string TrimmedNumber(std::int64_t value) {
  const std::string text = runtime::FormatNumber(value, runtime::n13);
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

std::string CaptionText(const engine::SearchSpec& request) {
  const std::string options = engine::OptionsText(request.sw);
  std::string caption = "Results: " + request.text.str();
  if (!options.empty()) caption += " [" + options + "]";
  return caption;
}

std::string ParmsTipText(const engine::SearchSpec& request) {
  return "Edit the below search parameters\r\nFind:   " + request.text.str() +
         "\r\nPath:  " + request.path.str() + "\r\nFile:    " + request.spec.str() +
         "\r\nOptn: " + engine::OptionsText(request.sw);
}

std::string LoadFilesStatusText(const std::string& directory) {
  return "Load Files: " + directory;
}

std::string ScanStatusText(const engine::ScanPosition& position) {
  return runtime::Fit("Scan: " + position.name.str() + " (" + std::to_string(position.number) +
                          " of " + std::to_string(position.total) + ")",
                      kStatusWidth);
}

std::string StatusText(const engine::SearchRun& run) {
  if (!run.loadingDirectory().empty()) return LoadFilesStatusText(run.loadingDirectory());
  if (run.scanning().number > 0) return ScanStatusText(run.scanning());
  return {};
}

std::string FoundText(std::int64_t findCnt) {
  return findCnt > 0 ? std::to_string(findCnt) + " found" : std::string();
}

std::string SummaryText(const engine::SearchCounts& counts, const engine::SearchWork& work,
                        bool firstOnly) {
  // Fields are not cut to the window's width: a summary must never lose one of its numbers.
  std::string summary = std::to_string(counts.findCnt) + " found in " +
                        runtime::FormatSeconds(counts.searchTime) + " seconds,  " +
                        TrimmedNumber(counts.scanBytes) + " bytes ";
  if (work.skipFastDos == 1 && !firstOnly) {
    summary = runtime::Clip(summary) + ", " + TrimmedNumber(counts.scanLines) + " lines";
  }
  return runtime::Clip(summary);
}

std::string UnreadableFoldersText(std::int64_t folders) {
  if (folders <= 0) return {};
  return std::to_string(folders) + (folders == 1 ? " folder" : " folders") + " could not be read";
}

std::string SummaryText(const engine::SearchRun& run) {
  return SummaryText(run.counts(), run.work(), run.request().sw.first != 0);
}

}  // namespace trawlex::results
