#include "engine/file_search.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/line_stage.h"
#include "engine/prescan.h"
#include "runtime/error_codes.h"
#include "runtime/fixed_text.h"
#include "runtime/text_reader.h"

namespace trawlex::engine {
namespace {

// An open file descriptor, closed when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads the whole file into `out`. False on a read error (posted); what was read stays.
bool ReadAll(int fd, std::int64_t sizeHint, std::string& out) {
  out.resize(static_cast<std::size_t>(sizeHint) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == out.size()) out.resize(out.size() * 2 + 4096);
    const ssize_t got = read(fd, out.data() + used, out.size() - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      runtime::PostOsError(errno);
      out.resize(used);
      return false;
    }
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  out.resize(used);
  return true;
}

// Builds result lines from the line stage's reports; the location text is composed only
// when the location changed since the last report.
class ResultCollector {
 public:
  ResultCollector(const FileJob& job, std::vector<ResultLine>& lines)
      : job_(job), lines_(lines), path_(job.path) {}

  void Add(const ReportedLine& reported) {
    ResultLine line;
    line.file = job_.name;
    line.subdir = job_.subdir;
    line.subdirNum = job_.subdirNum;
    line.path = path_;
    line.lineNo = reported.lineNo;
    line.ptr = reported.position;
    line.location = LocationOf(*reported.location);
    line.text = ResultText(reported.original);
    lines_.push_back(std::move(line));
  }

 private:
  const SharedText& LocationOf(const LocationState& state) {
    const bool inMap = state.inMap != 0;
    if (!haveLast_ || state.procName != last_.procName || state.method != last_.method ||
        state.rout != last_.rout || inMap != (last_.inMap != 0)) {
      last_ = state;
      haveLast_ = true;
      location_ = SharedText(LocationText(state));
    }
    return location_;
  }

  const FileJob& job_;
  std::vector<ResultLine>& lines_;
  SharedText path_;  // one copy of the path for all the file's hits
  LocationState last_;
  bool haveLast_ = false;
  SharedText location_;
};

// Runs the line stage over everything the reader delivers.
void RunLineStage(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
                  runtime::TextReader& reader, HitScout* scout, FileOutcome& outcome) {
  LineStage stage(plan, trackers, job.kind);
  stage.SetScout(scout);
  ResultCollector collector(job, outcome.lines);
  const std::function<std::string()> peek = [&reader] { return reader.PeekNext(); };
  const std::function<void(const ReportedLine&)> report = [&collector](const ReportedLine& r) {
    collector.Add(r);
  };
  runtime::TextRecord record;
  while (reader.Next(record)) {
    if (!stage.OnLine(record.text, record.position, record.rawBegin, record.rawEnd, peek, report)) {
      break;
    }
  }
  if (reader.ReadFailed()) {
    outcome.readFailed = true;
    outcome.errorText = runtime::ErrorText();
  }
  outcome.linesRead = stage.linesRead();
}

struct Scratch {
  std::string raw;
  std::string folded;
  runtime::TextReader reader;
};

thread_local Scratch scratch;

void SearchInMemory(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
                    int fd, std::int64_t size, FileOutcome& outcome) {
  if (!ReadAll(fd, size, scratch.raw)) {
    outcome.readFailed = true;
    outcome.errorText = runtime::ErrorText();
  }
  const std::string_view raw = scratch.raw;
  // Without the pre-scan (line mode, files-with-hits runs) every line is matched as read.
  const bool useNeedle = job.preScan && !plan.needle.empty();
  if (useNeedle) {
    bool found = false;
    if (plan.smashed) {
      scratch.folded.clear();
      FoldForSearch(plan, raw, scratch.folded);
      found = FindBytes(scratch.folded, plan.needle) != std::string_view::npos;
    } else {
      found = plan.finder.Find(raw) != std::string_view::npos;
    }
    if (!found) return;
  }
  // A smashed needle may span blanks, so lines are only told apart for the others.
  HitScout scout(raw, plan.finder);
  const bool useScout = useNeedle && !plan.smashed;
  scratch.reader.OpenMemory(raw);
  const bool hadReadError = outcome.readFailed;
  RunLineStage(plan, job, trackers, scratch.reader, useScout ? &scout : nullptr, outcome);
  outcome.readFailed = outcome.readFailed || hadReadError;
  scratch.reader.Close();
}

void SearchStreaming(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
                     int fd, FileOutcome& outcome) {
  if (job.preScan && !plan.needle.empty()) {
    bool readFailed = false;
    const bool candidate = StreamHasNeedle(plan, fd, readFailed);
    if (readFailed) {
      outcome.readFailed = true;
      outcome.errorText = runtime::ErrorText();
    }
    if (!candidate && !readFailed) return;
  }
  runtime::TextReader& reader = scratch.reader;
  if (!reader.Open(job.path)) {
    outcome.status = FileOutcome::Status::TextOpenFailed;
    outcome.errorText = runtime::ErrorText();
    return;
  }
  RunLineStage(plan, job, trackers, reader, nullptr, outcome);
  reader.Close();
}

}  // namespace

std::string ResultText(std::string_view line) {
  std::string text(std::min(line.size(), kResultTextWidth + 1), ' ');
  std::size_t used = 0;
  bool afterBlank = false;
  for (std::size_t i = 0; i < line.size() && used < text.size(); ++i) {
    const char c = line[i];
    if (c == ' ' && afterBlank) continue;
    afterBlank = c == ' ';
    text[used++] = c;
  }
  text.resize(std::min(used, kResultTextWidth));
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

FileOutcome SearchOneFile(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers) {
  FileOutcome outcome;
  // Non-blocking, so a named pipe in the tree cannot stall the search.
  FileHandle file(open(job.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) {
    runtime::PostOsError(errno, job.path);
    outcome.status = FileOutcome::Status::OpenFailed;
    outcome.errorText = runtime::ErrorText();
    return outcome;
  }
  struct stat info {};
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return outcome;  // nothing to read
  outcome.bytes = info.st_size;
  if (info.st_size <= kWholeFileLimit) {
    SearchInMemory(plan, job, trackers, file.get(), info.st_size, outcome);
  } else {
    SearchStreaming(plan, job, trackers, file.get(), outcome);
  }
  return outcome;
}

}  // namespace trawlex::engine
