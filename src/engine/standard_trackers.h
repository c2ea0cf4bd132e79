#pragma once
// The location trackers every search uses. They keep all per-file state in LocationState,
// so one shared instance serves every thread.

#include "engine/location.h"

namespace trawlex::engine {

LocationTrackers& StandardTrackers();

}  // namespace trawlex::engine
