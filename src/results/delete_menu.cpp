#include "results/delete_menu.h"

#include <algorithm>

#include "results/character_cut.h"
#include "runtime/fixed_text.h"

namespace trawlex::results {
namespace {

constexpr std::size_t kPatternWidth = 12;
constexpr std::size_t kTextCaptionWidth = 15;
constexpr std::size_t kPrefixWidth = 5;

// Characters that would end an item, open or close a submenu, or break a caption.
char SafeInMenu(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code < 32 || c == '|' || c == '{' || c == '}' || c == '<') return ' ';
  return c;
}

// A value as a caption shows it: safe characters, no trailing blanks.
std::string Shown(std::string_view value) {
  std::string shown(value);
  std::transform(shown.begin(), shown.end(), shown.begin(), SafeInMenu);
  shown.resize(runtime::Len(shown));
  return shown;
}

std::string Quoted(std::string_view value) {
  return "\"" + Shown(value) + "\"";
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, runtime::Len(text) - first);
}

// The location's first word with the blank after it. A location without an inner blank is
// followed by the field's padding, so its first blank is the one after its end.
void SplitLocation(DeleteMenuValues& values) {
  const std::string& location = values.location;
  if (location.empty()) return;
  const std::size_t blank = location.find(' ');
  if (blank == std::string::npos) {
    values.locationLeft = location.size() < engine::kLocationWidth ? location + " " : location;
    return;
  }
  values.locationLeft = location.substr(0, blank + 1);
  values.locationRest = std::string(Trimmed(std::string_view(location).substr(blank + 1)));
}

std::string Disabled(bool disabled) {
  return disabled ? "~" : "";
}

}  // namespace

std::string ApplicationPrefix(std::string_view name, bool orDotIn) {
  const bool module = name.find(".vl") != std::string_view::npos ||
                      (orDotIn && name.find(".in") != std::string_view::npos);
  if (!module) return {};
  std::string_view prefix = name.substr(0, kPrefixWidth);
  prefix = prefix.substr(0, prefix.find('.'));
  const std::size_t last = prefix.find_last_not_of("0123456789_");
  return last == std::string_view::npos ? std::string() : std::string(prefix.substr(0, last + 1));
}

std::string TextCaption(std::string_view text) {
  return Shown(CutToFit(text, kTextCaptionWidth));
}

DeleteMenuValues DeriveDeleteMenuValues(const engine::ResultLine& selected) {
  DeleteMenuValues values;
  values.file = runtime::Clip(selected.file.view());
  const std::size_t dot = values.file.find('.');
  // The whole stem, however long: a pattern cut short would no longer match its own file.
  values.filePattern =
      dot == std::string::npos ? values.file + ".*" : values.file.substr(0, dot + 1) + "*";
  values.extensionPattern =
      dot == std::string::npos ? "*.$$$" : CutToFit("*" + values.file.substr(dot), kPatternWidth);
  values.appPrefix = ApplicationPrefix(values.file, true);
  values.subdir = runtime::Clip(selected.subdir.view());
  values.location = runtime::Fit(selected.location.view(), engine::kLocationWidth);
  SplitLocation(values);
  values.textCaption = TextCaption(selected.text);
  return values;
}

DeleteChoice DeleteChoiceFromMenu(int number) {
  if (number < 1 || number > static_cast<int>(DeleteChoice::FindAndDelete)) {
    return DeleteChoice::None;
  }
  return static_cast<DeleteChoice>(number);
}

bool DeleteChoiceEnabled(DeleteChoice choice, const DeleteMenuValues& values,
                         std::size_t directoryCount) {
  switch (choice) {
    case DeleteChoice::None:
      return false;
    case DeleteChoice::AppFiles:
      return !values.appPrefix.empty();
    case DeleteChoice::Subdirectory:
      return directoryCount > 1;
    case DeleteChoice::LocationEquals:
    case DeleteChoice::LocationLeft:
      return !values.location.empty();
    case DeleteChoice::LocationContains:
      return !values.location.empty() && !values.locationRest.empty();
    default:
      return true;
  }
}

std::string DeleteMenuText(const DeleteMenuValues& v, std::size_t directoryCount) {
  const auto off = [&](DeleteChoice choice) {
    return Disabled(!DeleteChoiceEnabled(choice, v, directoryCount));
  };
  const std::string textCaption = v.textCaption + "...";
  return "Delete Menu (Ctrl=Keep)\tAlt+Delete|-|Selected Line\tDelete|!Comment Lines (' VB)|"
         "Label Lines|-|File Name{File.ext " +
         Quoted(v.file) + "|File.*    " + Quoted(v.filePattern) + "|*.Ext    " +
         Quoted(v.extensionPattern) + "|-|" + off(DeleteChoice::AppFiles) + "App Files " +
         Quoted(v.appPrefix + "*.*") + "|-|RI Files _RD _RU _SF and BC0.VLW}|-|" +
         off(DeleteChoice::Subdirectory) + "Subdirectory " + Quoted(v.subdir) + "|" +
         Disabled(v.location.empty()) + "Location{" + off(DeleteChoice::LocationEquals) +
         "Equals " + Quoted(v.location) + "|" + off(DeleteChoice::LocationLeft) + "Left " +
         Quoted(v.locationLeft) + "|" + off(DeleteChoice::LocationContains) + "Contains " +
         Quoted(v.locationRest) + "}|Text Equals " + Quoted(textCaption) + "|Text Contains " +
         Quoted(textCaption) + "|-|Find and Delete....\tCtrl+Delete";
}

FilesDeleteChoice FilesDeleteChoiceFromMenu(int number, const engine::FileEntry& selected) {
  const int last = ApplicationPrefix(selected.name.view(), false).empty()
                       ? static_cast<int>(FilesDeleteChoice::Subdirectory)
                       : static_cast<int>(FilesDeleteChoice::AppFiles);
  if (number < 1 || number > last) return FilesDeleteChoice::None;
  return static_cast<FilesDeleteChoice>(number);
}

std::string FilesDeleteMenuText(const engine::FileEntry& selected) {
  const std::string prefix = ApplicationPrefix(selected.name.view(), false);
  std::string text = "Delete File List Menu|-|Found Count = 0|-|Marked|Unmarked|-|Subdirectory " +
                     Quoted(selected.subdir.view());
  if (!prefix.empty()) text += "|App Files " + Quoted(prefix);
  return text;
}

}  // namespace trawlex::results
