#pragma once
// What every export of a results window reads: the results in their current state (after
// any pruning), the directories they point into, the search request, the run's counters and
// the moment of the export, which stamps the header. Tests and `trawl` fix the clock.

#include <cstdint>

#include "engine/file_set.h"
#include "engine/result_line.h"
#include "engine/search_spec.h"
#include "engine/search_work.h"

namespace trawlex::results {

struct ExportClock {
  std::int32_t date = 0;  // runtime day number (runtime::Today())
  std::int32_t time = 0;  // hundredths of a second since midnight (runtime::Clock())
};

// The clock now.
ExportClock ExportClockNow();

struct ExportSource {
  const engine::ResultsQueue& results;
  const engine::ScanDirQueue& dirs;       // SCANDIRQ: RQ:SUBDIRNUM n is dirs[n - 1]
  const engine::SearchSpec& request;      // SER:TEXT, SER:PATH, SER:SPEC, the switches
  const engine::SearchCounts& counts;     // FINDCNT, SEARCHTIME, SCANBYTES
  ExportClock clock;
};

}  // namespace trawlex::results
