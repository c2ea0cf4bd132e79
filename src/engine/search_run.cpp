#include "engine/search_run.h"

#include "engine/file_search.h"
#include "engine/load_files.h"
#include "engine/prefetcher.h"
#include "engine/search_plan.h"
#include "runtime/fixed_text.h"
#include "runtime/pictures.h"

namespace trawlex::engine {
namespace {

std::string TrimmedNumber(std::int64_t value) {
  const std::string text = runtime::FormatNumber(value, runtime::n13);
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

std::string SummaryText(const SearchCounts& counts, const SearchWork& work, bool firstOnly) {
  // Fields are not cut to the window's width: a summary must never lose one of its numbers.
  std::string summary = std::to_string(counts.findCnt) + " found in " +
                        runtime::FormatSeconds(counts.searchTime) + " seconds,  " +
                        TrimmedNumber(counts.scanBytes) + " bytes ";
  if (work.skipFastDos == 1 && !firstOnly) {
    summary = runtime::Clip(summary) + ", " + TrimmedNumber(counts.scanLines) + " lines";
  }
  return runtime::Clip(summary);
}

SearchRun::SearchRun(const SearchSpec& request, const EngineSettings& settings,
                     SearchQuestions& questions, LocationTrackers& trackers, RunOptions options)
    : request_(request),
      settings_(settings),
      questions_(questions),
      trackers_(trackers),
      options_(std::move(options)) {
  if (options_.workers > 0) {
    prefetcher_ = std::make_unique<Prefetcher>(options_.workers, options_.lookAhead);
  }
}

SearchRun::~SearchRun() = default;

bool SearchRun::Open() {
  Prepare();
  Reset();
  if (!LoadFileLists()) {
    questions_.NoFilesFound(request_.path.str(), request_.spec.str());
    state_ = RunState::Finished;
    return false;
  }
  StartPass(false);
  return true;
}

void SearchRun::Prepare() {
  prepared_ = PrepareSearch(request_, settings_);
  plan_ = std::make_shared<const SearchPlan>(MakeSearchPlan(request_, prepared_.work));
  texts_.caption = prepared_.caption;
  texts_.parmsTip = prepared_.parmsTip;
}

void SearchRun::Reset() {
  if (!keepResults_) results_.clear();
  keepResults_ = false;  // kept for one run only
  counts_ = SearchCounts{};
  counts_.startTime = runtime::Clock();
  texts_.summary.clear();
  texts_.status.clear();
  texts_.found.clear();
  texts_.filesCount.clear();
  texts_.withFound.clear();
  progress_ = 0;
}

bool SearchRun::LoadFileLists() {
  state_ = RunState::Loading;
  const SearchWork& w = prepared_.work;
  FileSet set = LoadFiles(w.pathBs, w.realPathBs, w.spec, request_.sw.subdirs != 0,
                          request_.sw.subLevels, settings_,
                          [this](const std::string& status) { texts_.status = status; });
  dirs_ = std::move(set.dirs);
  specs_ = std::move(set.specs);
  files_ = std::move(set.files);
  texts_.status.clear();
  return !files_.empty();
}

FileJob SearchRun::JobFor(const FileEntry& entry) const {
  FileJob job;
  const ScanDirEntry& dir = dirs_[entry.subdirNum - 1];
  job.path = dir.realPath + entry.realName;
  job.name = entry.name;
  job.subdir = dir.subdir;
  job.subdirNum = entry.subdirNum;
  job.kind = entry.fileType;
  job.preScan = !filesWithHits_ && prepared_.work.skipFastDos == 0;
  return job;
}

void SearchRun::StartPass(bool filesWithHits) {
  filesWithHits_ = filesWithHits;
  removedInPass_ = 0;
  state_ = RunState::Running;
  if (!prefetcher_) return;
  std::vector<std::optional<FileJob>> jobs;
  jobs.reserve(files_.size());
  for (const FileEntry& entry : files_) {
    const bool searched = (!filesWithHits || entry.count > 0) && entry.subdirNum >= 1 &&
                          entry.subdirNum <= dirs_.size();
    jobs.push_back(searched ? std::optional<FileJob>(JobFor(entry)) : std::nullopt);
  }
  auto plan = plan_;
  LocationTrackers& trackers = trackers_;
  prefetcher_->Start(std::move(jobs), [plan, &trackers](const FileJob& job) {
    return SearchOneFile(*plan, job, trackers);
  });
}

bool SearchRun::Step(int maxFiles) {
  for (int k = 0; k < maxFiles && state_ == RunState::Running; ++k) {
    ++counts_.scanFile;
    if (counts_.scanFile > static_cast<std::int64_t>(files_.size())) {
      Finish();
      break;
    }
    const FileEntry& entry = files_[static_cast<std::size_t>(counts_.scanFile - 1)];
    if (filesWithHits_ && entry.count == 0) continue;
    texts_.status = runtime::Fit("Scan: " + entry.name.str() + " (" +
                                     std::to_string(counts_.scanFile) + " of " +
                                     std::to_string(files_.size()) + ")",
                                 50);
    progress_ = counts_.scanFile;
    if (entry.subdirNum < 1 || entry.subdirNum > dirs_.size()) {
      if (!questions_.StopPrompt("ScanDirQ no path ??")) Finish();
      continue;
    }
    SearchFile();
  }
  return state_ == RunState::Running;
}

FileOutcome SearchRun::SearchNow(std::size_t fileIndex) {
  return SearchOneFile(*plan_, JobFor(files_[fileIndex]), trackers_);
}

FileOutcome SearchRun::OutcomeOf(std::size_t fileIndex) {
  if (!prefetcher_) return SearchNow(fileIndex);
  return prefetcher_->Take(fileIndex + removedInPass_);
}

void SearchRun::SearchFile() {
  const auto index = static_cast<std::size_t>(counts_.scanFile - 1);
  files_[index].count = 0;
  FileOutcome outcome = OutcomeOf(index);
  while (outcome.status == FileOutcome::Status::OpenFailed) {
    const FileJob job = JobFor(files_[index]);
    switch (questions_.OpenFailed(job.path, outcome.errorText)) {
      case OpenFailureAnswer::Retry:
        outcome = SearchNow(index);
        continue;
      case OpenFailureAnswer::Ignore:
        return;
      case OpenFailureAnswer::Remove:
        // The next file moves into this place: step back so it is not passed over.
        files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(index));
        --counts_.scanFile;
        ++removedInPass_;
        return;
    }
  }
  Commit(files_[index], outcome);
}

void SearchRun::Commit(FileEntry& entry, FileOutcome& outcome) {
  counts_.scanBytes += outcome.bytes;
  if (outcome.status == FileOutcome::Status::TextOpenFailed) {
    const FileJob job = JobFor(entry);
    if (!questions_.StopPrompt("Open ascii " + job.path + "\r\n" + outcome.errorText)) Finish();
    return;
  }
  for (ResultLine& line : outcome.lines) {
    if (!line.location.empty()) counts_.locationFound = 1;
    if (line.subdirNum > 1) counts_.subdirsFound = 1;
    ++counts_.findCnt;
    ++entry.count;
    if (options_.onResult) options_.onResult(line, entry);
    if (options_.keepResults) results_.push_back(std::move(line));
  }
  if (!outcome.lines.empty()) texts_.found = std::to_string(counts_.findCnt) + " found";
  if (entry.count > 0) {
    ++counts_.filesFindCnt;
    dirs_[entry.subdirNum - 1].findCnt += entry.count;
  }
  counts_.scanLines += outcome.linesRead;
  if (outcome.readFailed) {
    const FileJob job = JobFor(entry);
    if (!questions_.StopPrompt("Read error " + job.path + "\r\n" + outcome.errorText)) Finish();
  }
}

void SearchRun::Finish() {
  if (prefetcher_) prefetcher_->Cancel();
  counts_.endTime = runtime::Clock();
  counts_.searchTime = runtime::ElapsedHundredths(counts_.startTime, counts_.endTime) / 100.0;
  texts_.summary = SummaryText(counts_, prepared_.work, request_.sw.first != 0);
  state_ = RunState::Finished;
  filesWithHits_ = false;
  texts_.status.clear();
  progress_ = 0;
  texts_.filesCount = "Files Count:  " + std::to_string(files_.size());
  texts_.withFound = "With Found: " + std::to_string(counts_.filesFindCnt);
  if (options_.onFinished) options_.onFinished();
}

void SearchRun::Stop() {
  if (state_ == RunState::Running) Finish();
}

void SearchRun::Again() {
  if (prefetcher_) prefetcher_->Cancel();
  Reset();
  StartPass(false);
}

void SearchRun::Refresh() {
  if (prefetcher_) prefetcher_->Cancel();
  Reset();
  StartPass(true);
}

bool SearchRun::ReLoad() {
  Stop();
  const bool found = LoadFileLists();
  state_ = RunState::Finished;
  texts_.filesCount = "Files Count:  " + std::to_string(files_.size());
  texts_.withFound = "With Found: 0";
  if (!found) questions_.NoFilesFound(request_.path.str(), request_.spec.str());
  return found;
}

void SearchRun::TakeEditedRequest(const SearchSpec& edited, int code) {
  if (code != 1 && code < 10) return;
  request_ = edited;
  Prepare();
  if (code == 1) return;
  if (code >= 100) {
    keepResults_ = true;
    code -= 100;
  }
  if (code == 10) {
    Refresh();
  } else if (code == 20) {
    Again();
  }
}

}  // namespace trawlex::engine
