#include "shell/veldar_versions.h"

#include <charconv>
#include <vector>

#include "runtime/fixed_text.h"
#include "runtime/profile.h"

namespace trawlex::shell {
namespace {

constexpr std::string_view kWorkDirKey = "workdir";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::vector<std::string> SectionsOf(std::string_view version) {
  const std::string name = "Veldar " + std::string(version);
  std::vector<std::string> sections{name + "  Enterprise Edition", name};
  if (version == "2") sections.emplace_back("Veldar for Windows V2.0");
  return sections;
}

}  // namespace

std::span<const VeldarVersion> HelpFileVersions() {
  return std::span<const VeldarVersion>(kVeldarVersions).subspan(3);
}

double VersionNumber(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string_view::npos) return 0;
  const bool negative = text[at] == '-';
  if (text[at] == '+' || text[at] == '-') ++at;
  // Only digits with at most one point: from_chars alone would also take "inf" or "1e9".
  std::size_t end = at;
  bool point = false;
  while (end < text.size() && (IsDigit(text[end]) || (text[end] == '.' && !point))) {
    point = point || text[end] == '.';
    ++end;
  }
  double value = 0;
  const auto [ptr, ec] =
      std::from_chars(text.data() + at, text.data() + end, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr == text.data() + at) return 0;
  return negative ? -value : value;
}

std::string WorkingDirectoryOf(std::string_view version, const std::filesystem::path& winIni) {
  for (const std::string& section : SectionsOf(version)) {
    std::string dir = runtime::ReadProfileString(winIni, section, kWorkDirKey, "");
    if (runtime::Len(dir) > 0) return dir;
  }
  return {};
}

}  // namespace trawlex::shell
