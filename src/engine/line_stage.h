#pragma once
// The line stage: for a file that may hold a hit, every line in turn is read, the location
// trackers are kept current, the label modes are applied, the line is matched, and each
// matching line is reported.

#include <cstdint>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/file_set.h"
#include "engine/location.h"
#include "engine/search_plan.h"
#include "runtime/folded_search.h"

namespace trawlex::engine {

// A line the stage reports.
struct ReportedLine {
  std::uint32_t lineNo = 0;
  std::int64_t position = 0;         // 1-based byte position of the line
  std::string_view original;         // the line as read, before the stage changed anything
  const LocationState* location = nullptr;
};

// Tells whether the raw bytes [begin, end) of the file can hold a hit at all, by walking the
// occurrences of the plan's needle in the file once, front to back. Lines for which it
// answers no are still tracked but never matched.
class HitScout {
 public:
  HitScout(std::string_view raw, const runtime::FoldedFinder& finder)
      : raw_(raw), finder_(finder), length_(static_cast<std::int64_t>(finder.needle().size())) {}

  bool MayHit(std::int64_t begin, std::int64_t end) {
    if (next_ < begin) {
      const std::size_t at = finder_.Find(raw_, static_cast<std::size_t>(begin));
      next_ = at == std::string_view::npos ? kNone : static_cast<std::int64_t>(at);
    }
    return next_ != kNone && next_ + length_ <= end;
  }

 private:
  static constexpr std::int64_t kNone = INT64_MAX;
  std::string_view raw_;
  const runtime::FoldedFinder& finder_;
  std::int64_t length_;
  std::int64_t next_ = -1;
};

class LineStage {
 public:
  LineStage(const SearchPlan& plan, LocationTrackers& trackers, FileKind kind);
  ~LineStage();
  LineStage(const LineStage&) = delete;
  LineStage& operator=(const LineStage&) = delete;

  // Handles one line. `peekNext` gives the following line without moving on. Returns false
  // when the file is finished (first-only search after its first report).
  bool OnLine(std::string_view record, std::int64_t position, std::int64_t rawBegin,
              std::int64_t rawEnd, const std::function<std::string()>& peekNext,
              const std::function<void(const ReportedLine&)>& report);

  std::uint32_t linesRead() const { return lineNo_; }
  const LocationState& location() const { return state_; }
  void SetScout(HitScout* scout) { scout_ = scout; }

 private:
  struct CurrentLine;
  bool ApplyLabelMode(CurrentLine& line);
  std::int32_t Match(CurrentLine& line) const;
  std::int32_t MatchSubstring(CurrentLine& line) const;
  std::int32_t MatchPattern(CurrentLine& line) const;
  bool InComment(const CurrentLine& line, std::int32_t hitPosition) const;
  bool PassesLabelFilter(const CurrentLine& line) const;

  const SearchPlan& plan_;
  LocationTrackers& trackers_;
  FileKind kind_;
  LocationState state_;
  std::uint32_t lineNo_ = 0;
  HitScout* scout_ = nullptr;
  std::unique_ptr<CurrentLine> line_;
};

// Comment rules of the code-only switch: is the hit at 1-based `hitPosition` in a comment?
bool HitInComment(FileKind kind, std::string_view line, std::int32_t hitPosition);

// Cuts a line at its comment by the Veldar rules: the first '!' outside quotes ends it (the
// '!' stays). Returns the new length.
std::int32_t CutAtComment(std::string_view line, std::int32_t lineLen);

// Does the label filter keep a line with this label rest?
bool LabelFilterKeeps(int label, std::string_view labelRest, const LocationState& state);

}  // namespace trawlex::engine
