#include "engine/line_walk.h"

#include <string>

#include "runtime/byte_scan.h"

namespace trawlex::engine {
namespace {

bool IsCodeLineKind(FileKind kind) {
  return kind == FileKind::C || kind == FileKind::Asp || kind == FileKind::Php ||
         kind == FileKind::Vb || kind == FileKind::VbNet;
}

bool IsBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

// A line of the window, found by where it starts: its raw bytes without the line end, and
// where the next line starts. `line` starts a line before `limit`, which follows a line feed.
struct WindowLine {
  std::string_view raw;
  const char* next;
};

WindowLine LineAt(const char* line, const char* limit) {
  const char* feed = runtime::FindLineFeed(line, limit);
  const char* end = feed > line && feed[-1] == '\r' ? feed - 1 : feed;
  return {std::string_view(line, static_cast<std::size_t>(end - line)), feed + 1};
}

// The first line from `line` on that passes the sieve, or `limit`; `lines` counts the lines
// passed over.
const char* NextSieveLine(const LineSieve& sieve, const char* line, const char* limit,
                          std::size_t& lines) {
  if (sieve.everyLine) return line;
  if (!sieve.anyLeads) {
    if (!sieve.labelLines) {
      lines += runtime::CountLineFeeds(line, limit);
      return limit;
    }
    if (!IsBlankOrTab(*line) && *line != sieve.commentMark) return line;
    std::size_t feeds = 0;
    const char* label = runtime::FindLabelLineStart(line, limit, feeds, sieve.commentMark);
    lines += feeds;
    return label;
  }
  for (; line < limit; ++lines) {
    const char* lead = line;
    while (IsBlankOrTab(*lead)) ++lead;  // a line feed ends every line before `limit`
    if (lead == line && sieve.labelLines && *line != sieve.commentMark) return line;
    if (sieve.leads[static_cast<unsigned char>(*lead)]) return line;
    line = runtime::FindLineFeed(lead, limit) + 1;
  }
  return limit;
}

// Where a leap over quiet lines ends.
struct Leap {
  const char* target;  // the first line not passed over
  std::size_t lines;   // lines passed over
  bool moves;          // the target may move the location (else it is the limit)
};

// The lines from `begin` up to `limit` that cannot move the location, passed over: the sieve
// leaps to each candidate and MayMove judges it where it lies, without reading it.
Leap PassQuietLines(const LocationTrackers& trackers, FileKind kind, const LocationState& state,
                    const char* begin, const char* limit) {
  const LineSieve& sieve = trackers.LinesThatMayMove(kind, state);
  Leap leap{begin, 0, false};
  while (leap.target < limit) {
    leap.target = NextSieveLine(sieve, leap.target, limit, leap.lines);
    if (leap.target == limit) break;
    const WindowLine candidate = LineAt(leap.target, limit);
    if (trackers.MayMove(kind, state, candidate.raw)) {
      leap.moves = true;
      break;
    }
    ++leap.lines;
    leap.target = candidate.next;
  }
  return leap;
}

// Passes over the lines before the next one worth reading: the line of the next occurrence
// of the needle, or one that may move the location. True when it is the latter.
bool LeapToNextLineWorthReading(runtime::TextReader& reader, HitScout& scout,
                                const LocationTrackers& trackers, FileKind kind, LineStage& stage) {
  const std::string_view window = reader.Window();
  const std::int64_t windowOffset = reader.WindowOffset();
  const char* const begin = window.data() + (reader.NextOffset() - windowOffset);
  const char* const end = window.data() + window.size();
  // Only whole lines are passed over; the rest comes with the next read.
  const char* lastFeed = begin < end ? runtime::FindLastLineFeed(begin, end) : nullptr;
  if (lastFeed == nullptr) return false;
  const std::int64_t next = scout.Next(reader.NextOffset(), window, windowOffset);
  if (next < 0 && reader.WindowHoldsRest()) {
    // No hit is left: the rest is counted, not walked.
    const std::size_t lines = runtime::CountLineFeeds(begin, end) + (end[-1] != '\n' ? 1 : 0);
    reader.SkipTo(windowOffset + static_cast<std::int64_t>(window.size()),
                  static_cast<std::int64_t>(lines));
    stage.PassOver(static_cast<std::uint32_t>(lines));
    return false;
  }
  const char* limit = lastFeed + 1;
  if (next >= 0 && next < windowOffset + (limit - window.data())) {
    const char* feed = runtime::FindLastLineFeed(begin, window.data() + (next - windowOffset));
    limit = feed == nullptr ? begin : feed + 1;
  }
  const Leap leap = PassQuietLines(trackers, kind, stage.location(), begin, limit);
  if (leap.target != begin) {
    reader.SkipTo(windowOffset + (leap.target - window.data()),
                  static_cast<std::int64_t>(leap.lines));
    stage.PassOver(static_cast<std::uint32_t>(leap.lines));
  }
  return leap.moves;
}

}  // namespace

std::uint32_t WalkLines(const SearchPlan& plan, FileKind kind, LocationTrackers& trackers,
                        runtime::TextReader& reader, HitScout* scout,
                        const std::function<bool(const ReportedLine&)>& report) {
  LineStage stage(plan, trackers, kind);
  const std::function<std::string()> peek = [&reader] { return reader.PeekNext(); };
  // Label modes blank parts of a line before the code-line handlers see it, which the raw
  // tests cannot foresee: such files show every line to the trackers.
  const bool askTrackers = plan.work.label == 0 || !IsCodeLineKind(kind);
  std::string expanded;
  runtime::RawLine raw;
  for (;;) {
    // A line the leap stopped at because it may move the location is not asked again.
    const bool mayMove = scout != nullptr && askTrackers &&
                         LeapToNextLineWorthReading(reader, *scout, trackers, kind, stage);
    if (!reader.NextRaw(raw)) break;
    bool mayHit = true;
    if (scout != nullptr) {
      mayHit = scout->MayHit(raw.rawBegin, raw.rawEnd(), reader.Window(), reader.WindowOffset());
      if (!mayHit && askTrackers && !mayMove &&
          !trackers.MayMove(kind, stage.location(), raw.bytes)) {
        stage.PassOver();
        continue;
      }
    }
    const StageLine line{runtime::ExpandTabs(raw.bytes, expanded), raw.rawBegin, mayHit};
    if (!stage.OnLine(line, peek, report)) break;
  }
  return stage.linesRead();
}

}  // namespace trawlex::engine
