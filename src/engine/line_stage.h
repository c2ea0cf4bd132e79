#pragma once
// The line stage: for a file that may hold a hit, every line in turn is read, the location
// trackers are kept current, the label modes are applied, the line is matched, and each
// matching line is reported.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/file_set.h"
#include "engine/line_matcher.h"
#include "engine/location.h"
#include "engine/search_plan.h"

namespace trawlex::engine {

// A line the stage reports.
struct ReportedLine {
  std::uint32_t lineNo = 0;
  std::int64_t position = 0;         // 1-based byte position of the line
  std::string_view original;         // the line as read, before the stage changed anything
  const LocationState* location = nullptr;
};

// One line as the stage takes it.
struct StageLine {
  std::string_view text;      // tabs expanded, line end removed
  std::int64_t rawBegin = 0;  // 0-based file offset of its first byte
  // False when the line is read only to keep the location current: it cannot hold a hit.
  bool mayHit = true;
};

class LineStage {
 public:
  LineStage(const SearchPlan& plan, LocationTrackers& trackers, FileKind kind);
  ~LineStage();
  LineStage(const LineStage&) = delete;
  LineStage& operator=(const LineStage&) = delete;

  // Handles one line. `peekNext` gives the following line without moving on; `report` takes a
  // matching line and answers false to end the file. Returns false when the file is finished
  // (first-only search after its first report, or the report said so).
  bool OnLine(const StageLine& line, const std::function<std::string()>& peekNext,
              const std::function<bool(const ReportedLine&)>& report);
  // Counts lines that can neither hold a hit nor move the location, without reading them.
  void PassOver(std::uint32_t lines = 1) { lineNo_ += lines; }

  std::uint32_t linesRead() const { return lineNo_; }
  const LocationState& location() const { return state_; }

 private:
  struct CurrentLine;
  bool ApplyLabelMode(CurrentLine& line);
  std::size_t Match(CurrentLine& line);
  std::size_t MatchSubstring(CurrentLine& line);
  std::size_t MatchPattern(CurrentLine& line);
  bool InComment(const CurrentLine& line, std::size_t hitPosition) const;
  bool PassesLabelFilter(const CurrentLine& line) const;

  const SearchPlan& plan_;
  LocationTrackers& trackers_;
  FileKind kind_;
  LocationState state_;
  std::uint32_t lineNo_ = 0;
  std::unique_ptr<CurrentLine> line_;
  LineMatcher matcher_;
  std::string subject_;  // the text a line is matched as; one buffer for every line
};

// Comment rules of the code-only switch: is the hit at 1-based `hitPosition` in a comment?
bool HitInComment(FileKind kind, std::string_view line, std::size_t hitPosition);

// Cuts a line at its comment by the Veldar rules: the first '!' outside quotes ends it (the
// '!' stays). Returns the new length.
std::size_t CutAtComment(std::string_view line, std::size_t lineLen);

// Does the label filter keep a line with this label rest?
bool LabelFilterKeeps(int label, std::string_view labelRest, const LocationState& state);

}  // namespace trawlex::engine
