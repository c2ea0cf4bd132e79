#include "engine/file_search.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "engine/hit_scout.h"
#include "engine/line_walk.h"
#include "engine/prescan.h"
#include "runtime/error_codes.h"
#include "runtime/fixed_text.h"
#include "runtime/long_path.h"
#include "runtime/names.h"
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

// A file's bytes, read into a buffer that is kept for the next file and grows when one is
// larger. A std::string would write zeros over every byte before the read fills it.
class FileBytes {
 public:
  // Reads the file's `size` bytes (fewer when it shrank meanwhile). Once the size is read the
  // file is not asked again: a file that grew since is searched as it was listed.
  runtime::OsError Read(int fd, std::int64_t size) {
    const auto wanted = static_cast<std::size_t>(size);
    if (wanted > capacity_) {
      buffer_ = std::make_unique<char[]>(wanted);
      capacity_ = wanted;
    }
    size_ = 0;
    while (size_ < wanted) {
      const ssize_t got = read(fd, buffer_.get() + size_, wanted - size_);
      if (got < 0) {
        if (errno == EINTR) continue;
        return runtime::OsErrorOf(errno);
      }
      if (got == 0) break;
      size_ += static_cast<std::size_t>(got);
    }
    return {};
  }

  std::string_view View() const { return {buffer_.get(), size_}; }

 private:
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
};

// Keeps the line stage's reports in the outcome; the location text is composed only when the
// location changed since the last report.
class ResultCollector {
 public:
  ResultCollector(FileOutcome& outcome, const HitHandling& hits)
      : outcome_(outcome), hits_(hits) {}

  // False when the search is to stop: it holds as many hits as it may.
  bool Add(const ReportedLine& reported) {
    FoundLine line;
    line.lineNo = reported.lineNo;
    line.ptr = reported.position;
    line.location = LocationOf(*reported.location);
    AppendResultText(reported.original, outcome_.texts);
    line.textEnd = outcome_.texts.size();
    outcome_.found.push_back(line);
    if (hits_.deliver && outcome_.found.size() >= kBatch) {
      hits_.deliver(outcome_);
      outcome_.ClearLines();
    }
    if (outcome_.found.size() >= hits_.holdLimit) {
      outcome_.overflowed = true;
      return false;
    }
    return true;
  }

 private:
  std::uint32_t LocationOf(const LocationState& state) {
    const bool inMap = state.inMap != 0;
    if (outcome_.locations.empty() || state.procName != last_.procName ||
        state.method != last_.method || state.rout != last_.rout || inMap != (last_.inMap != 0)) {
      last_ = state;
      outcome_.locations.emplace_back(LocationText(state));
    }
    return static_cast<std::uint32_t>(outcome_.locations.size() - 1);
  }

  static constexpr std::size_t kBatch = 4096;

  FileOutcome& outcome_;
  const HitHandling& hits_;
  LocationState last_;
};

// Walks the reader's lines into the outcome.
void WalkInto(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
              runtime::TextReader& reader, HitScout* scout, const HitHandling& hits,
              FileOutcome& outcome) {
  ResultCollector collector(outcome, hits);
  outcome.linesRead = WalkLines(plan, job.kind, trackers, reader, scout,
                                [&collector](const ReportedLine& r) { return collector.Add(r); });
  if (reader.ReadFailed()) {
    outcome.readFailed = true;
    outcome.error = reader.error();
  }
}

struct Scratch {
  FileBytes raw;
  std::string folded;
  runtime::TextReader reader;
};

thread_local Scratch scratch;

// Files up to kWholeFileLimit: read once, tested whole, then walked in memory.
void SearchInMemory(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
                    int fd, std::int64_t size, const HitHandling& hits, FileOutcome& outcome) {
  if (runtime::OsError error = scratch.raw.Read(fd, size)) {
    outcome.readFailed = true;
    outcome.error = std::move(error);
  }
  const std::string_view raw = scratch.raw.View();
  // Without the pre-scan (line mode, files-with-hits runs) every line is matched as read.
  const bool useNeedle = job.preScan && !plan.needle.empty();
  // A smashed needle may span blanks, so lines are only told apart for the others.
  HitScout scout(plan.finder);
  const bool useScout = useNeedle && !plan.smashed;
  if (useNeedle) {
    std::size_t first = std::string_view::npos;
    if (plan.smashed) {
      scratch.folded.clear();
      FoldForSearch(plan, raw, scratch.folded);
      first = FindBytes(scratch.folded, plan.needle);
    } else {
      first = plan.finder.Find(raw);
      // The scout starts from this look instead of searching the same bytes again.
      scout.Seed(static_cast<std::int64_t>(first), static_cast<std::int64_t>(raw.size()));
    }
    if (first == std::string_view::npos) return;
  }
  scratch.reader.OpenMemory(raw);
  const bool hadReadError = outcome.readFailed;
  WalkInto(plan, job, trackers, scratch.reader, useScout ? &scout : nullptr, hits, outcome);
  outcome.readFailed = outcome.readFailed || hadReadError;
  scratch.reader.Close();
}

// Larger files: tested in chunks, then read again through the same descriptor, so a file
// swapped for something else meanwhile is never opened by name a second time.
void SearchStreaming(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
                     int fd, const HitHandling& hits, FileOutcome& outcome) {
  const bool useNeedle = job.preScan && !plan.needle.empty();
  if (useNeedle) {
    runtime::OsError error;
    const bool candidate = StreamHasNeedle(plan, fd, error);
    if (error) {
      outcome.readFailed = true;
      outcome.error = error;
      return;
    }
    if (!candidate) return;
    if (lseek(fd, 0, SEEK_SET) != 0) {
      outcome.readFailed = true;
      outcome.error = runtime::OsErrorOf(errno, job.path);
      return;
    }
  }
  HitScout scout(plan.finder);
  const bool useScout = useNeedle && !plan.smashed;
  runtime::TextReader& reader = scratch.reader;
  reader.Attach(fd, job.path);
  WalkInto(plan, job, trackers, reader, useScout ? &scout : nullptr, hits, outcome);
  reader.Close();
}

}  // namespace

void AppendResultText(std::string_view line, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + std::min(line.size(), kResultTextWidth));
  char* const begin = out.data() + start;
  char* to = begin;
  char* const limit = begin + (out.size() - start);
  bool afterBlank = false;
  std::size_t i = 0;
  for (; i < line.size() && to < limit; ++i) {
    const char c = line[i];
    if (c == ' ' && afterBlank) continue;
    afterBlank = c == ' ';
    *to++ = c;
  }
  // A UTF-8 line is cut before a character that does not fit whole (a Windows-1252 line,
  // whose high bytes stand alone, anywhere).
  if (i < line.size() && runtime::IsUtf8Continuation(line[i]) && runtime::IsValidUtf8(line)) {
    while (to > begin && runtime::IsUtf8Continuation(to[-1])) --to;
    if (to > begin) --to;  // the character's first byte
  }
  while (to > begin && to[-1] == ' ') --to;
  out.resize(start + static_cast<std::size_t>(to - begin));
}

std::string ResultText(std::string_view line) {
  std::string text;
  AppendResultText(line, text);
  return text;
}

void FileOutcome::FillResult(std::size_t i, const FileEntry& file, const ScanDirEntry& dir,
                             const SharedText& path, ResultLine& line) const {
  const FoundLine& found_i = found[i];
  const std::size_t textBegin = i == 0 ? 0 : found[i - 1].textEnd;
  line.blank = ' ';
  line.file = file.name;
  line.subdir = dir.subdir;
  line.subdirNum = file.subdirNum;
  line.path = path;
  line.lineNo = found_i.lineNo;
  line.ptr = found_i.ptr;
  line.location = locations[found_i.location];
  line.text.assign(texts, textBegin, found_i.textEnd - textBegin);
}

FileOutcome SearchOneFile(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
                          const HitHandling& hits) {
  FileOutcome outcome;
  // Non-blocking, so a named pipe in the tree cannot stall the search.
  FileHandle file(runtime::OpenPath(job.path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) {
    outcome.status = FileOutcome::Status::OpenFailed;
    outcome.error = runtime::OsErrorOf(errno, job.path);
    return outcome;
  }
  struct stat info {};
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    // Listed as a file, but something else now (a pipe, a device, a directory): reading it
    // could block or never end. It is named like a file that cannot be opened.
    outcome.status = FileOutcome::Status::OpenFailed;
    outcome.error = runtime::OsErrorOf(EACCES, job.path);
    return outcome;
  }
  outcome.bytes = info.st_size;
  if (info.st_size <= kWholeFileLimit) {
    SearchInMemory(plan, job, trackers, file.get(), info.st_size, hits, outcome);
  } else {
    SearchStreaming(plan, job, trackers, file.get(), hits, outcome);
  }
  return outcome;
}

}  // namespace trawlex::engine
