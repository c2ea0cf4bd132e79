#pragma once
// The user guide: a folder of Markdown pages, one per topic, with `index.md` as its contents.
// The folder is the installed `share/trawlex/guide`, or the source tree's `docs/guide` when the
// program runs from its build folder. Searching it ranks the pages by how often they hold all
// the words asked for.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::shell {

inline constexpr std::string_view kGuideContentsPage = "index.md";
inline constexpr std::string_view kGuideUsingHelpPage = "using-help.md";

// The first of `candidates` that holds the contents page.
std::optional<std::filesystem::path> FindGuideDirectory(
    const std::vector<std::filesystem::path>& candidates);

// The installed guide of this process, else `sourceGuide` (empty: none).
std::optional<std::filesystem::path> FindGuideDirectory(const std::filesystem::path& sourceGuide);

// A page's title: the text of its first "# " heading, else its file name.
std::string GuidePageTitle(const std::filesystem::path& page);

struct GuideHit {
  std::string page;   // file name inside the guide folder
  std::string title;  // the page's title
  int count = 0;      // occurrences of the words, all of which the page holds
};

// The pages holding every word of `query` (blank-separated, compared without case), the most
// occurrences first, then in name order. A blank query finds nothing.
std::vector<GuideHit> SearchGuide(const std::filesystem::path& guide, std::string_view query);

}  // namespace trawlex::shell
