#pragma once
// Opening a path of any length. The kernel refuses a path of PATH_MAX bytes or more in one
// piece (ENAMETOOLONG), but a deep tree can hold longer ones: such a path is opened piece by
// piece, each piece relative to the directory the one before it opened, so nothing deep in a
// tree is lost to the limit.

#include <string>

namespace trawlex::runtime {

// open(2) for `path` with `flags` (and `mode` when creating); -1 with errno set on failure.
int OpenPath(const std::string& path, int flags, unsigned mode = 0);

}  // namespace trawlex::runtime
