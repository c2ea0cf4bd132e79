#pragma once
// Walking the lines of a file that may hold a hit. Every line is counted, but a line is read
// (expanded, upper-cased, shown to the trackers and matched) only when it may hold a hit or
// may move the location; runs of other lines are leapt over whole, found and counted 16 bytes
// at a time. A file with a few hits in a hundred thousand lines is thus read at the speed of
// its line feeds, and still reports every hit with its location.

#include <cstdint>
#include <functional>

#include "engine/file_set.h"
#include "engine/hit_scout.h"
#include "engine/line_stage.h"
#include "engine/location.h"
#include "engine/search_plan.h"
#include "runtime/text_reader.h"

namespace trawlex::engine {

// Runs the line stage over the reader's lines and returns how many lines there were (up to
// where a first-only search stopped). Without a scout every line is read and matched; with one,
// only lines it says may hold the needle are matched.
std::uint32_t WalkLines(const SearchPlan& plan, FileKind kind, LocationTrackers& trackers,
                        runtime::TextReader& reader, HitScout* scout,
                        const std::function<bool(const ReportedLine&)>& report);

}  // namespace trawlex::engine
