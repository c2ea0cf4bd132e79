#include "results/look_file.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <utility>
#include <vector>

#include "runtime/case_table.h"
#include "runtime/profile.h"
#include "runtime/shipped_files.h"

namespace trawlex::results {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kGeneral = "General";

std::string LookSection(int look) {
  return "Look" + std::to_string(look);
}

int InRangeOr(int value, int fallback) {
  return value >= 1 && value <= kLookCount ? value : fallback;
}

// A file of `dir` whose name equals `name` without regard to case; the exact spelling first,
// then the first of the others in name order, so the choice does not depend on listing order.
std::optional<fs::path> FindNoCase(const fs::path& dir, std::string_view name) {
  std::error_code error;
  const fs::path exact = dir / name;
  if (fs::exists(exact, error)) return exact;
  std::vector<fs::path> matches;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    if (runtime::EqualNoCase(it->path().filename().string(), name)) matches.push_back(it->path());
  }
  if (matches.empty()) return std::nullopt;
  return *std::min_element(matches.begin(), matches.end());
}

// A profile read trims blanks and removes one pair of enclosing quotes; a format that would
// lose either is written inside an extra pair of double quotes, so it reads back unchanged.
std::string ProfileValue(std::string_view value) {
  const bool padded = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                         value.back() == ' ' || value.back() == '\t');
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (padded || quoted) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

// The popup text gives '|', '{' and '}' a meaning of their own: in a look's name they would
// split or nest items and shift the numbers of the looks after it.
std::string MenuItemText(std::string caption) {
  std::replace_if(
      caption.begin(), caption.end(), [](char c) { return c == '|' || c == '{' || c == '}'; }, ' ');
  return caption;
}

std::string TrimTrailingBlanks(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

LookFont ReadFont(const fs::path& file, const std::string& section) {
  LookFont font;
  font.name = runtime::ReadProfileString(file, section, "FontName", "");
  if (font.name.empty()) {
    return {std::string(kDefaultLookFontName), kDefaultLookFontSize, kDefaultLookFontStyle};
  }
  // Saving a font writes all three keys; a file edited by hand may lack the size or style.
  // A list font of no size cannot be shown, so it keeps the list's size.
  font.size = runtime::ReadProfileInt(file, section, "FontSize", kDefaultLookFontSize);
  if (font.size <= 0) font.size = kDefaultLookFontSize;
  font.style = runtime::ReadProfileInt(file, section, "FontStyle", 400);
  return font;
}

bool CopyFile(const fs::path& from, const fs::path& to) {
  // Copied under a temporary name and renamed, so a failed copy never leaves half a file that
  // would count as present at the next start.
  const fs::path temporary =
      to.parent_path() / ("." + to.filename().string() + ".tmp" + std::to_string(getpid()));
  std::error_code error;
  fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error);
  if (!error) fs::rename(temporary, to, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool WriteBasicLookFile(const fs::path& file) {
  struct Entry {
    std::string_view section, key, value;
  };
  const Entry entries[] = {
      {"Note", "Fix 1", "Try to locate VAVADUD2.INI file or VAVADUD2.INI.Shipped"},
      {"Note", "Fix 2", "Delete this file and replace it with VAVADUD2.INI.Shipped"},
      {kGeneral, "DefaultWithLoc", "1"},
      {kGeneral, "DefaultNoLoc", "6"},
      {kGeneral, "LookVer", "3"},
      {"Look1", "Name", "Two Line"},
      {"Look1", "Default", kLook1Format},
      {"Look6", "Name", "Line#,Text"},
      {"Look6", "Default", kLook6Format},
  };
  for (const Entry& entry : entries) {
    if (!runtime::WriteProfileString(file, entry.section, entry.key, entry.value)) return false;
  }
  return true;
}

}  // namespace

fs::path LookFilePath(const fs::path& dir) {
  return FindNoCase(dir, kLookFileName).value_or(dir / kLookFileName);
}

AppliedLook Looks::Open() {
  defaultWithLoc_ = InRangeOr(runtime::ReadProfileInt(lookFile_, kGeneral, "DefaultWithLoc", 1), 1);
  defaultNoLoc_ = InRangeOr(runtime::ReadProfileInt(lookFile_, kGeneral, "DefaultNoLoc", 3), 3);
  return Apply(defaultWithLoc_);
}

AppliedLook Looks::Apply(int look) {
  currentLook_ = std::clamp(look, 1, kLookCount);
  const std::string section = LookSection(currentLook_);
  AppliedLook applied;
  applied.look = currentLook_;
  applied.format = runtime::ReadProfileString(lookFile_, section, "Format", "");
  if (applied.format.empty()) {
    applied.format = runtime::ReadProfileString(lookFile_, section, "Default", "");
  }
  applied.font = ReadFont(lookFile_, section);
  return applied;
}

std::optional<AppliedLook> Looks::RunCompleted(bool locationFound) {
  if (lookChosen_) return std::nullopt;
  lookChosen_ = true;
  return Apply(locationFound ? defaultWithLoc_ : defaultNoLoc_);
}

LookMenus Looks::Menus() const {
  LookMenus menus;
  menus.checked = currentLook_;
  for (int n = 1; n <= kLookCount; ++n) {
    std::string suffix;
    if (n == defaultWithLoc_) suffix += "\t(Default Loc)";
    if (n == defaultNoLoc_) suffix += "\t(Default n/l)";
    const std::string name =
        TrimTrailingBlanks(runtime::ReadProfileString(lookFile_, LookSection(n), "Name", "User"));
    std::string caption = "&" + std::to_string(n) + ". " + name + suffix;
    if (n > 1) menus.popupText += '|';
    menus.popupText += MenuItemText(caption);
    menus.captions[static_cast<std::size_t>(n - 1)] = std::move(caption);
  }
  return menus;
}

bool Looks::SaveDefault(std::string_view key, int& value) {
  if (!runtime::WriteProfileString(lookFile_, kGeneral, key, std::to_string(currentLook_))) {
    return false;
  }
  value = currentLook_;
  return true;
}

bool Looks::SaveAsDefaultWithLoc() {
  return SaveDefault("DefaultWithLoc", defaultWithLoc_);
}
bool Looks::SaveAsDefaultNoLoc() {
  return SaveDefault("DefaultNoLoc", defaultNoLoc_);
}

bool Looks::SaveFont(const LookFont& font) {
  return runtime::WriteProfileStrings(lookFile_, LookSection(currentLook_),
                                      {{"FontName", ProfileValue(font.name)},
                                       {"FontSize", std::to_string(font.size)},
                                       {"FontStyle", std::to_string(font.style)}});
}

bool Looks::SaveFormat(std::string_view format) {
  return runtime::WriteProfileString(lookFile_, LookSection(currentLook_), "Format",
                                     ProfileValue(format));
}

std::string Looks::OriginalFormat() const {
  return runtime::ReadProfileString(lookFile_, LookSection(currentLook_), "Default", "");
}

LookFileRepair RepairLookFile(const fs::path& dir, runtime::Desktop& desktop) {
  if (FindNoCase(dir, kLookFileName)) return LookFileRepair::Present;
  const fs::path lookFile = dir / kLookFileName;
  // A copy in the working directory (in any case of letters) wins over the installed one.
  auto shipped = FindNoCase(dir, kShippedLookFileName);
  if (!shipped) shipped = runtime::FindShippedFile(kShippedLookFileName, dir);
  if (shipped) {
    if (CopyFile(*shipped, lookFile)) return LookFileRepair::CopiedShipped;
  }
  runtime::Message message;
  message.text = std::string(kMissingLookFileMessage);
  message.icon = runtime::Icon::Warning;
  desktop.ShowMessage(message);
  return WriteBasicLookFile(lookFile) ? LookFileRepair::MadeBasic : LookFileRepair::Failed;
}

}  // namespace trawlex::results
