#include "shell/search_parameter_rules.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::shell {
namespace {

constexpr std::size_t kSpecWidth = 60;

bool Exists(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

constexpr std::array<std::string_view, 26> kSpecPresets = {
    "*.vlw", "*.inc", "*.int", "*.vla", "*.vli", "*.vl?", "*.trn", "*.tp?", "*.txa",
    "*.txd", "*.shp", "*.exp", "*.map", "*.red", "*.sty", "*.stf", "*.txt", "*.bat",
    "*.ini", "*.htm", "*.asp", "*.php", "*.c",   "*.cpp", "*.bas", "*.vb"};

// What a preset adds: some stand for several patterns.
std::string PresetPatterns(std::string_view preset) {
  if (preset == "*.tp?") return "*.tpl;*.tpw";
  if (preset == "*.bas") return "*.bas;*.frm;*.cls";
  return std::string(preset);
}

void SortNoCase(std::vector<std::string>& list) {
  std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    return runtime::CompareNoCase(a, b) < 0;
  });
}

}  // namespace

std::string TidyWildcardText(std::string_view text) {
  std::string tidy(text);
  for (std::size_t at; (at = tidy.find("**")) != std::string::npos;) tidy.erase(at, 1);
  while (!tidy.empty() && tidy.front() == '*') {
    const std::size_t next = tidy.find_first_not_of(' ', 1);
    tidy.erase(0, next == std::string::npos ? tidy.size() : next);
  }
  tidy = runtime::Clip(tidy);
  while (!tidy.empty() && tidy.back() == '*') tidy.pop_back();
  return tidy;
}

std::string NormaliseSpecs(std::string_view specs) {
  std::string out;
  for (char c : specs) {
    if (c != ' ' && c != '\t') out += c;
  }
  for (std::size_t at; (at = out.find(";;")) != std::string::npos;) out.erase(at, 1);
  while (!out.empty() && out.front() == ';') out.erase(0, 1);
  while (!out.empty() && out.back() == ';') out.pop_back();
  return runtime::Fit(out, kSpecWidth);
}

void UpdateHistory(std::vector<std::string>& history, const std::string& value) {
  for (std::size_t i = history.size(); i-- > 0;) {
    if (i >= kHistorySize || runtime::EqualNoCase(runtime::Clip(history[i]), runtime::Clip(value))) {
      history.erase(history.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  history.insert(history.begin(), value);
}

std::string TrimUntilPathExists(std::string_view path) {
  std::string trimmed = runtime::Clip(path);
  while (!trimmed.empty() && !Exists(trimmed)) {
    const std::size_t slash = trimmed.find_last_of('/');
    if (slash == std::string::npos) return {};
    trimmed.erase(slash == 0 ? 1 : slash);  // the root stays
    if (trimmed == "/" && !Exists(trimmed)) return {};
  }
  return trimmed;
}

std::string WithoutTrailingSlash(std::string_view path) {
  std::string out(path);
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string SpecPresetMenu() {
  std::string menu = "Erase|-";
  for (std::string_view preset : kSpecPresets) menu += "|" + runtime::UpperText(preset);
  return menu;
}

std::string ApplySpecPreset(std::string_view specs, int choice) {
  if (choice == 1) return {};
  if (choice < 2 || choice > static_cast<int>(kSpecPresets.size()) + 1) return std::string(specs);
  std::string out = runtime::Clip(specs);
  if (!out.empty() && out.back() != ';') out += ';';
  out += PresetPatterns(kSpecPresets[static_cast<std::size_t>(choice - 2)]);
  return runtime::Fit(out, kSpecWidth);
}

void ApplyDropChoice(int choice, std::vector<std::string>& find, std::vector<std::string>& path,
                     std::vector<std::string>& spec) {
  // 1 is the title; 2..5 sort All, Find, Path, Specs; 6..9 empty them.
  if (choice < 2 || choice > 9) return;
  const bool sort = choice <= 5;
  const int which = (choice - 2) % 4;  // 0 all, 1 find, 2 path, 3 specs
  std::vector<std::string>* lists[] = {&find, &path, &spec};
  for (int i = 0; i < 3; ++i) {
    if (which != 0 && which != i + 1) continue;
    if (sort) {
      SortNoCase(*lists[i]);
    } else {
      lists[i]->clear();
    }
  }
}

std::string AppSpecs(const std::vector<std::string>& appFileNames) {
  std::string specs;
  for (const std::string& file : appFileNames) {
    std::string name = runtime::LowerText(file.substr(file.find_last_of('/') + 1));
    name = name.substr(0, name.find('.')).substr(0, 5) + "*.VLW";
    if (specs.empty()) {
      specs = name;
    } else if (runtime::Clip(specs).size() + name.size() + 1 < kSpecWidth) {
      specs = runtime::Clip(specs) + ";" + name;
    }
  }
  return specs;
}

}  // namespace trawlex::shell
