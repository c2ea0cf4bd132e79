#pragma once
// The small rules of the search-parameters dialogue, as functions: tidying a wildcard text,
// normalising specifications, the drop-down histories, trimming a path to what exists, and
// the file-specification and application presets.

#include <string>
#include <string_view>
#include <vector>

namespace trawlex::shell {

// "**" becomes "*" until none is left; leading stars (and the blanks after each) and
// trailing stars are removed: "**kmn**" searches for "kmn".
std::string TidyWildcardText(std::string_view text);

// No blanks or tabs, no leading or trailing ';', no doubled ';': " *.vlw ;; *.inc; " gives
// "*.vlw;*.inc". At most 60 characters, as the field holds.
std::string NormaliseSpecs(std::string_view specs);

// Puts `value` at the top of a history: entries equal to it without case, and entries past
// the 12th, are dropped first.
void UpdateHistory(std::vector<std::string>& history, const std::string& value);
inline constexpr std::size_t kHistorySize = 12;

// The longest leading part of a path that exists: cut before the last '/' until it exists;
// the root "/" stays; a relative path that never exists becomes blank.
std::string TrimUntilPathExists(std::string_view path);

// A path as the search takes it: without a trailing '/', except the root itself.
std::string WithoutTrailingSlash(std::string_view path);

// The file-specification presets offered beside the file specifications field, as the popup shows them
// ("Erase", a separator, then the presets upper-cased), and what choosing item `choice`
// (1-based, "Erase" first) does to the file specifications.
std::string SpecPresetMenu();
std::string ApplySpecPreset(std::string_view specs, int choice);

// The "&Drop" popup and what its items do to the three histories.
inline constexpr std::string_view kDropMenu =
    "Drop Lists|-|Sort{All|Find|Path|Specs}|Empty{All|Find|Path|Specs}";
void ApplyDropChoice(int choice, std::vector<std::string>& find, std::vector<std::string>& path,
                     std::vector<std::string>& spec);

// Specifications for the source modules of the chosen applications: the first five
// characters of each application name followed by "*.VLW", joined by ';' while they fit in
// 60 characters.
std::string AppSpecs(const std::vector<std::string>& appFileNames);

}  // namespace trawlex::shell
