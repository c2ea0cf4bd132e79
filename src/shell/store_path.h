#pragma once
// What lies at a search store's path, looked at before SQLite opens it. SQLite opens whatever
// the name stands for: a named pipe blocks it, a directory or a link loop fails with a
// misleading disk error, and a symbolic link to a missing file is followed to create a store
// where it points.

#include <string>

#include "runtime/path_kind.h"

namespace trawlex::shell {

struct StorePathCheck {
  runtime::PathKind kind = runtime::PathKind::Unknown;
  // "searches.hvn is a directory, not a search store", naming the path as given; empty when
  // the path holds a regular file or nothing, or cannot be looked at (opening it tells why).
  std::string refusal;
};

StorePathCheck CheckStorePath(const std::string& path);

}  // namespace trawlex::shell
