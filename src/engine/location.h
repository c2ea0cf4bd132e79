#pragma once
// Where a line stands: the procedure, method and routine, tracked line by line while a file
// is read, and the interface through which the line stage drives the trackers.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/file_set.h"
#include "engine/raw_line.h"

namespace trawlex::engine {

struct LocationState {
  std::string procName;           // PROCNAME (50)
  std::string method;             // METHOD (50)
  std::string rout;               // ROUT (50)
  std::uint8_t fileType = 0;      // FILETYPE: cleared with the group, not used
  std::uint8_t inData = 0;        // INDATA: in a data section, before CODE
  std::uint8_t checkMap = 0;      // CHECKMAP: cleared with the group, not used
  std::uint8_t inMap = 0;         // INMAP: nesting depth inside a MAP
  std::uint8_t inClass = 0;       // INCLASS: nesting depth inside a CLASS or INTERFACE
  std::uint8_t inRoutine = 0;     // INROUTINE
  std::uint8_t emptyMember = 0;   // EMPTYMEMBER: MEMBER without a program name was met

  // Cleared for every file; a Veldar file starts in its data section.
  void Clear(FileKind kind) {
    *this = LocationState{};
    inData = kind == FileKind::Veldar ? 1 : 0;
  }
};

inline constexpr std::size_t kLocationPartWidth = 50;

// PROCNAME, then two blanks and METHOD, then two blanks and ROUT, blank parts left out,
// leading blanks removed, at most 80 characters; "MAP" inside a map when otherwise blank.
std::string LocationText(const LocationState& state);

// What the trackers see of the current line. All texts exclude the line end; positions in
// the descriptions count from 1.
class LineContext {
 public:
  virtual ~LineContext() = default;
  virtual std::string_view Line() const = 0;      // the line as the stage holds it (ASC:LINE)
  virtual std::size_t LineLen() const = 0;        // its length without trailing blanks
  virtual std::string_view Upper() const = 0;     // the upper-cased line
  virtual std::string_view Lead() const = 0;      // upper-cased, leading blanks removed, <= 20
  virtual bool IsLabelLine() const = 0;           // first character is not a blank
  // The next line of the file, the reader staying on this one; blank at the end.
  virtual std::string PeekNextLine() const = 0;
};

// The per-kind location trackers, called by the line stage in its fixed order.
class LocationTrackers {
 public:
  virtual ~LocationTrackers() = default;
  // Every line of every file, before anything else looks at it.
  virtual void Structure(const LineContext& line, LocationState& state) = 0;
  // Label lines: Veldar files while outside a map and a class; templates, text exports and
  // style files always.
  virtual void LabelLine(FileKind kind, const LineContext& line, LocationState& state) = 0;
  // Every line not passed over, for C, ASP, PHP, VB and VB.NET files.
  virtual void CodeLine(FileKind kind, const LineContext& line, LocationState& state) = 0;
  // Whether the line could move the location at all, judged cheaply from its raw bytes (tabs
  // not expanded, line end removed) and the state before it. A search only counts a line for
  // which this says no and that cannot hold a hit, without reading it, so a yes may be wrong
  // but a no never. Label modes blank parts of a line before the code-line handlers see it:
  // the search asks only when no label mode is set or the file kind has no such handler.
  virtual bool MayMove(FileKind, const LocationState&, std::string_view /*rawLine*/) const {
    return true;
  }
  // Which lines could move the location of a file of this kind from this state on, until one
  // of them does: a sieve that a search runs over raw lines to leap over the others without
  // looking at them. Every line that passes is still put to MayMove.
  virtual const LineSieve& LinesThatMayMove(FileKind, const LocationState&) const {
    return LineSieve::kEveryLine;
  }
};

// Trackers that never set a location (plain text everywhere).
class NoLocationTrackers final : public LocationTrackers {
 public:
  void Structure(const LineContext&, LocationState&) override {}
  void LabelLine(FileKind, const LineContext&, LocationState&) override {}
  void CodeLine(FileKind, const LineContext&, LocationState&) override {}
  bool MayMove(FileKind, const LocationState&, std::string_view) const override { return false; }
  const LineSieve& LinesThatMayMove(FileKind, const LocationState&) const override {
    return LineSieve::kNoLine;
  }
};

}  // namespace trawlex::engine
