#include "shell/store_path.h"

namespace trawlex::shell {

StorePathCheck CheckStorePath(const std::string& path) {
  StorePathCheck check;
  check.kind = runtime::KindOfPath(path);
  if (runtime::IsRefusedPathKind(check.kind)) {
    check.refusal = runtime::RefusalText(path, check.kind, "a search store");
  }
  return check;
}

}  // namespace trawlex::shell
