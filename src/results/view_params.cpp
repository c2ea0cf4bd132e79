#include "results/view_params.h"

#include <algorithm>

namespace trawlex::results {
namespace {

std::string FullPathOf(const engine::FileEntry& file, const engine::ScanDirQueue& dirs) {
  const std::uint32_t dir = file.subdirNum;
  const std::string directory = dir >= 1 && dir <= dirs.size() ? dirs[dir - 1].realPath : "";
  return directory + file.realName;
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::int64_t> HitPositions(const engine::ResultsQueue& results,
                                       const engine::ResultLine& hit) {
  std::vector<std::int64_t> positions;
  for (const engine::ResultLine& line : results) {
    if (line.path == hit.path) positions.push_back(line.ptr);
  }
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  return positions;
}

ViewParams ViewParamsForHit(const engine::ResultsQueue& results, std::size_t row,
                            const engine::SearchSpec& request, bool linked) {
  ViewParams params;
  if (row >= results.size()) return params;
  const engine::ResultLine& hit = results[row];
  params.file = hit.file.str();
  params.subdir = hit.subdir.str();
  params.lineNo = hit.lineNo;
  params.location = hit.location.str();
  params.ptr = hit.ptr;
  params.resQNum = static_cast<std::int64_t>(row) + 1;
  params.resQRecs = static_cast<std::int64_t>(results.size());
  params.fileAndPath = hit.path.str();
  params.linked = linked;
  params.list = ViewList::Results;
  params.hitText = hit.text;
  params.request = request;
  params.hitPositions = HitPositions(results, hit);
  return params;
}

ViewParams ViewParamsForFile(const engine::FileQueue& files, const engine::ScanDirQueue& dirs,
                             std::size_t row, const engine::SearchSpec& request, bool linked) {
  ViewParams params;
  if (row >= files.size()) return params;
  const engine::FileEntry& file = files[row];
  params.file = file.name.str();
  params.subdir = file.subdir.str();
  params.resQNum = static_cast<std::int64_t>(row) + 1;
  params.resQRecs = static_cast<std::int64_t>(files.size());
  params.fileAndPath = FullPathOf(file, dirs);
  params.linked = linked;
  params.list = ViewList::Files;
  params.request = request;
  return params;
}

ViewParams ViewParamsForPath(const std::string& fullFileName) {
  ViewParams params;
  params.file = NameOf(fullFileName);
  params.resQNum = 1;
  params.resQRecs = 1;
  params.fileAndPath = fullFileName;
  return params;
}

std::optional<std::size_t> FirstHitRow(const engine::ResultsQueue& results,
                                       const engine::FileQueue& files,
                                       const engine::ScanDirQueue& dirs, std::size_t row) {
  if (row >= files.size() || files[row].count == 0) return std::nullopt;
  const std::string path = FullPathOf(files[row], dirs);
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (results[i].path == path) return i;
  }
  return std::nullopt;
}

}  // namespace trawlex::results
