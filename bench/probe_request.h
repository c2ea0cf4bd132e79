#pragma once
// The request both probes time: TEXT in every file of PATH and all its subdirectories,
// as `trawl search -r` runs it.

#include <string>

#include "engine/search_spec.h"

namespace trawlex::bench {

inline engine::SearchSpec WholeTreeRequest(std::string text, std::string path) {
  engine::SearchSpec request;
  request.text = std::move(text);
  request.path = std::move(path);
  request.spec = "*.*";
  request.sw.subdirs = 1;
  request.sw.subLevels = 255;
  return request;
}

}  // namespace trawlex::bench
