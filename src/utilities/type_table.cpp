#include "utilities/type_table.h"

#include <cerrno>
#include <optional>

#include "runtime/error_codes.h"
#include "runtime/regular_file_read.h"
#include "utilities/prototype_text.h"

namespace trawlex::utilities {

namespace {

constexpr std::string_view kEquate = "EQUATE(";
// A type table is a few hundred lines; anything far larger is not one.
constexpr std::size_t kTypeTableSizeLimit = 4 * 1024 * 1024;

bool IsCommentLine(std::string_view line) {
  if (proto::Trim(line).empty()) return true;
  const char first = line.front();
  return first == ' ' || first == '\t' || first == ';' || first == '!' || first == '/';
}

// The entry a usable line holds, or the reason it is not usable. Fields wider than the table's
// columns are refused rather than cut, so that no entry ever maps a truncated name.
std::optional<WinTypeEntry> ParseEntry(std::string_view line, std::string& reason) {
  const std::size_t at = proto::FindNoCase(line, kEquate);
  if (at == std::string_view::npos || at < 3) {
    reason = "EQUATE( must follow the Windows type";
    return std::nullopt;
  }
  const std::size_t open = at + kEquate.size();
  const std::size_t close = line.find(')', open);
  if (close == std::string_view::npos) {
    reason = "EQUATE( has no closing )";
    return std::nullopt;
  }
  WinTypeEntry entry;
  entry.winType = proto::CollapseSpaces(proto::Trim(line.substr(0, at)));
  entry.vlaType = std::string(proto::Trim(line.substr(open, close - open)));
  const std::string_view rest = proto::Trim(line.substr(close + 1));
  if (!rest.empty() && rest.front() != '!') {
    reason = "only a ! comment may follow EQUATE()";
    return std::nullopt;
  }
  if (!rest.empty()) entry.description = std::string(proto::Trim(rest.substr(1)));
  if (entry.vlaType.empty()) reason = "the Veldar type is blank";
  if (entry.winType.size() > kWinTypeWidth) reason = "the Windows type is longer than 32";
  if (entry.vlaType.size() > kVlaTypeWidth) reason = "the Veldar type is longer than 32";
  if (entry.description.size() > kTypeDescriptionWidth) reason = "the description is longer than 255";
  if (!reason.empty()) return std::nullopt;
  entry.winTypeUpper = proto::Upper(entry.winType);
  return entry;
}

void BuildTypeTs(TypeTable& table) {
  table.tTypes.clear();
  for (const auto& entry : table.entries) {
    // "*SIZE_T" points to a Windows type that happens to end in _T: not a _T type itself.
    const std::string upper = proto::Upper(entry.vlaType);
    if (upper.starts_with("*")) continue;
    if (upper.size() < 3 || !upper.ends_with("_T") || upper.size() > kTypeTWidth) continue;
    if (table.FindTypeT(upper) != nullptr) continue;
    table.tTypes.push_back({upper, TypeNotOf(upper)});
  }
}

}  // namespace

const WinTypeEntry* TypeTable::Find(std::string_view winType) const {
  const std::string key = proto::Upper(proto::CollapseSpaces(proto::Trim(winType)));
  for (const auto& entry : entries) {
    if (entry.winTypeUpper == key) return &entry;
  }
  return nullptr;
}

const TypeT* TypeTable::FindTypeT(std::string_view vlaType) const {
  const std::string key = proto::Upper(vlaType);
  for (const auto& t : tTypes) {
    if (t.typeT == key) return &t;
  }
  return nullptr;
}

std::string TypeNotOf(std::string_view typeT) {
  static constexpr std::string_view kSignedStems[] = {"LONG", "INT",     "SIGNED",  "SSIZE",
                                                      "LPARAM", "LRESULT", "PTRDIFF"};
  for (std::string_view stem : kSignedStems) {
    if (proto::StartsWithNoCase(typeT, stem)) return "SIGNED";
  }
  return "UNSIGNED";
}

TypeTableParse ParseTypeTable(std::string_view text) {
  TypeTableParse result;
  int number = 0;
  for (const std::string& line : proto::SplitLines(text)) {
    ++number;
    if (IsCommentLine(line)) continue;
    std::string reason;
    if (auto entry = ParseEntry(line, reason)) {
      result.table.entries.push_back(std::move(*entry));
    } else {
      result.rejected.push_back({number, line, reason});
    }
  }
  BuildTypeTs(result.table);
  return result;
}

std::filesystem::path TypeTableFile(const std::filesystem::path& directory) {
  const auto user = directory / kUserTypeTableName;
  std::error_code ec;
  if (std::filesystem::is_regular_file(user, ec)) return user;
  return directory / kTypeTableName;
}

TypeTableLoad LoadTypeTable(const std::filesystem::path& directory) {
  TypeTableLoad load;
  load.file = TypeTableFile(directory);
  const runtime::RegularFileRead read = runtime::ReadRegularFile(load.file, kTypeTableSizeLimit);
  if (!read.ok()) {
    const int errnoValue = read.error != 0 ? read.error : EACCES;
    const runtime::OsError error = runtime::OsErrorOf(errnoValue, load.file.string());
    load.error = "Open \"" + load.file.string() + "\" Error: " + std::to_string(error.code) +
                 " " + error.text;
    return load;
  }
  load.parse = ParseTypeTable(read.text);
  return load;
}

std::string TypeTEquatesText(const TypeTable& table) {
  std::string text;
  for (const auto& t : table.tTypes) {
    std::string line = t.typeT;
    proto::PlaceAt(line, 18, "EQUATE(" + t.typeNot + ")");
    proto::PlaceAt(line, 36, "!Pointer-sized: change to the 64-bit type for a 64-bit program");
    text += line + "\r\n";
  }
  return text;
}

}  // namespace trawlex::utilities
