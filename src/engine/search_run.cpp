#include "engine/search_run.h"

#include <string_view>

#include "engine/file_search.h"
#include "engine/load_files.h"
#include "engine/prefetcher.h"
#include "engine/search_plan.h"
#include "runtime/pictures.h"

namespace trawlex::engine {
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
}

void SearchRun::Reset() {
  if (!keepResults_) results_.clear();
  keepResults_ = false;  // kept for one run only
  counts_ = SearchCounts{};
  counts_.startTime = runtime::Clock();
  scanning_ = {};
  progress_ = 0;
}

bool SearchRun::LoadFileLists() {
  state_ = RunState::Loading;
  const SearchWork& w = prepared_.work;
  FileSet set = LoadFiles(
      w.pathBs, w.realPathBs, w.spec, request_.sw.subdirs != 0, request_.sw.subLevels, settings_,
      [this](const std::string& directory) { loadingDirectory_ = directory; },
      options_.fileDetails);
  dirs_ = std::move(set.dirs);
  specs_ = std::move(set.specs);
  files_ = std::move(set.files);
  counts_.unreadableDirs = static_cast<std::int64_t>(set.unreadable.size());
  for (const UnreadableDirectory& dir : set.unreadable) {
    questions_.DirectoryUnreadable(dir.realPath, dir.error);
  }
  loadingDirectory_.clear();
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
  // A file searched ahead keeps its hits until its turn; one with very many is left for its
  // turn, when its hits are committed as they are found.
  constexpr std::size_t kHeldHitsLimit = 16384;
  prefetcher_->Start(std::move(jobs), [plan, &trackers](const FileJob& job) {
    return SearchOneFile(*plan, job, trackers, HitHandling{kHeldHitsLimit, {}});
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
    scanning_ = {entry.name, counts_.scanFile, files_.size()};
    progress_ = counts_.scanFile;
    if (entry.subdirNum < 1 || entry.subdirNum > dirs_.size()) {
      if (questions_.DirectoryMissing() == ContinueOrStop::Stop) Finish();
      continue;
    }
    SearchFile();
  }
  return state_ == RunState::Running;
}

FileOutcome SearchRun::SearchNow(std::size_t fileIndex) {
  // In its turn a file's hits are committed as they are found: memory stays flat however
  // many lines of one file match.
  FileEntry& entry = files_[fileIndex];
  HitHandling hits;
  hits.deliver = [this, &entry](FileOutcome& batch) { CommitLines(entry, batch); };
  return SearchOneFile(*plan_, JobFor(entry), trackers_, hits);
}

FileOutcome SearchRun::OutcomeOf(std::size_t fileIndex) {
  if (prefetcher_) {
    if (auto ahead = prefetcher_->Take(fileIndex + removedInPass_)) return std::move(*ahead);
  }
  return SearchNow(fileIndex);
}

void SearchRun::SearchFile() {
  const auto index = static_cast<std::size_t>(counts_.scanFile - 1);
  files_[index].count = 0;
  FileOutcome outcome = OutcomeOf(index);
  while (outcome.status == FileOutcome::Status::OpenFailed) {
    const FileJob job = JobFor(files_[index]);
    switch (questions_.OpenFailed(job.path, outcome.error)) {
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

void SearchRun::CommitLines(FileEntry& entry, const FileOutcome& outcome) {
  if (outcome.found.empty()) return;
  const ScanDirEntry& dir = dirs_[entry.subdirNum - 1];
  const SharedText path(dir.realPath + entry.realName);  // one copy for all these hits
  ResultLine line;  // moved into the queue when kept, else reused for every hit
  for (std::size_t i = 0; i < outcome.found.size(); ++i) {
    outcome.FillResult(i, entry, dir, path, line);
    if (!line.location.empty()) counts_.locationFound = 1;
    if (line.subdirNum > 1) counts_.subdirsFound = 1;
    ++counts_.findCnt;
    ++entry.count;
    if (options_.onResult) options_.onResult(line, entry);
    if (options_.keepResults) results_.push_back(std::move(line));
  }
}

void SearchRun::Commit(FileEntry& entry, FileOutcome& outcome) {
  counts_.scanBytes += outcome.bytes;
  CommitLines(entry, outcome);
  if (entry.count > 0) {
    ++counts_.filesFindCnt;
    dirs_[entry.subdirNum - 1].findCnt += entry.count;
  }
  counts_.scanLines += outcome.linesRead;
  if (outcome.readFailed) {
    const FileJob job = JobFor(entry);
    if (questions_.ReadFailed(job.path, outcome.error) == ContinueOrStop::Stop) Finish();
  }
}

void SearchRun::Finish() {
  if (prefetcher_) prefetcher_->Cancel();
  counts_.endTime = runtime::Clock();
  counts_.searchTime = runtime::ElapsedHundredths(counts_.startTime, counts_.endTime) / 100.0;
  state_ = RunState::Finished;
  filesWithHits_ = false;
  scanning_ = {};
  progress_ = 0;
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
  counts_.filesFindCnt = 0;  // the new list holds no file with hits yet
  if (!found) questions_.NoFilesFound(request_.path.str(), request_.spec.str());
  return found;
}

void SearchRun::TakeEditedRequest(const SearchSpec& edited, EditAnswer answer) {
  if (answer.choice == EditChoice::Cancelled) return;
  request_ = edited;
  Prepare();
  if (!answer.StartsRun()) return;
  if (answer.keepResults) keepResults_ = true;
  if (answer.choice == EditChoice::SearchFilesWithHits) {
    Refresh();
  } else {
    Again();
  }
}

}  // namespace trawlex::engine
