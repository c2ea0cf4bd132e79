#include "engine/standard_trackers.h"

namespace trawlex::engine {

LocationTrackers& StandardTrackers() {
  static NoLocationTrackers trackers;
  return trackers;
}

}  // namespace trawlex::engine
