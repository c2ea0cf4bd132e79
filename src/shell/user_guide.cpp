#include "shell/user_guide.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "runtime/case_table.h"
#include "runtime/shipped_files.h"

namespace fs = std::filesystem;

namespace trawlex::shell {
namespace {

std::string ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Words(std::string_view query) {
  std::istringstream in{std::string(query)};
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

int CountOf(const std::string& text, const std::string& word) {
  int count = 0;
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace

std::optional<fs::path> FindGuideDirectory(const std::vector<fs::path>& candidates) {
  for (const fs::path& directory : candidates) {
    std::error_code error;
    if (fs::is_regular_file(directory / kGuideContentsPage, error)) return directory;
  }
  return std::nullopt;
}

std::optional<fs::path> FindGuideDirectory(const fs::path& sourceGuide) {
  std::vector<fs::path> candidates;
  for (const fs::path& data : runtime::InstalledDataDirs()) candidates.push_back(data / "guide");
  if (!sourceGuide.empty()) candidates.push_back(sourceGuide);
  return FindGuideDirectory(candidates);
}

std::string GuidePageTitle(const fs::path& page) {
  std::ifstream in(page, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("# ", 0) != 0) continue;
    line.erase(0, 2);
    line.erase(line.find_last_not_of(" \r") + 1);
    if (!line.empty()) return line;
  }
  return page.filename().string();
}

std::vector<GuideHit> SearchGuide(const fs::path& guide, std::string_view query) {
  std::vector<std::string> words = Words(query);
  std::vector<GuideHit> hits;
  if (words.empty()) return hits;
  for (std::string& word : words) word = runtime::UpperText(word);
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(guide, error)) {
    if (entry.path().extension() != ".md") continue;
    const std::string text = runtime::UpperText(ReadWhole(entry.path()));
    int total = 0;
    bool all = true;
    for (const std::string& word : words) {
      const int count = CountOf(text, word);
      all = all && count > 0;
      total += count;
    }
    if (all) {
      hits.push_back({entry.path().filename().string(), GuidePageTitle(entry.path()), total});
    }
  }
  std::sort(hits.begin(), hits.end(), [](const GuideHit& a, const GuideHit& b) {
    return a.count != b.count ? a.count > b.count : a.page < b.page;
  });
  return hits;
}

}  // namespace trawlex::shell
