#include "shell/open_request.h"

namespace trawlex::shell {
namespace {

// One for the process; windows are opened one at a time on the one GUI thread.
OpenRequest& Pending() {
  static OpenRequest request;
  return request;
}

}  // namespace

void RequestOpenOnStart(OpenOnStart kind, RecordPosition position) {
  Pending() = {kind, position};
}

OpenRequest TakeOpenRequest() {
  const OpenRequest request = Pending();
  Pending() = {};
  return request;
}

}  // namespace trawlex::shell
