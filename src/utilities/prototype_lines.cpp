#include "utilities/prototype_lines.h"

#include <array>
#include <cctype>

#include "utilities/prototype_text.h"
#include "utilities/prototype_types.h"

namespace trawlex::utilities {

namespace {

constexpr std::array<std::string_view, 10> kBadWords = {
    "WINAPI", "WINADVAPI", "WINBASEAPI", "WINOLEAPI", "WINUSERAPI",
    "APIENTRY", "STDAPI", "CALLBACK", "__STDCALL", "PASCAL"};

constexpr std::size_t kOptionalFrom = 12;  // " OPTIONAL" counts only after the 12th character
constexpr std::string_view kNotConverted = "(not converted: a type and a name are needed)";

bool IsBadWord(std::string_view word) {
  const std::string upper = proto::Upper(word);
  for (std::string_view bad : kBadWords) {
    if (upper == bad) return true;
  }
  return false;
}

// Splits "TYPE name" at its last blank; a '*' or '&' leading the name belongs to the type.
bool SplitTypeAndName(std::string_view text, std::string& type, std::string& name) {
  text = proto::Trim(text);
  const std::size_t space = text.rfind(' ');
  if (space == std::string_view::npos) return false;
  type = std::string(proto::TrimRight(text.substr(0, space)));
  name = std::string(text.substr(space + 1));
  while (!name.empty() && (name.front() == '*' || name.front() == '&')) {
    type += '*';
    name.erase(0, 1);
  }
  return !type.empty() && !name.empty();
}

// Moves " OPTIONAL" found after the twelfth character to the front, as "OPTIONAL ".
std::string MoveOptionalToFront(std::string text) {
  const std::size_t at = proto::FindNoCase(text, " OPTIONAL", kOptionalFrom);
  if (at == std::string::npos) return text;
  text.erase(at, 9);
  return "OPTIONAL " + text;
}

// "name[4]" gives "name,DIM(4)"; "name[2][3]" gives "name,DIM(2,3)".
std::string MemberLabel(std::string_view name) {
  const std::size_t open = name.find('[');
  if (open == std::string_view::npos) return std::string(name);
  std::string dims;
  for (std::size_t at = open; at != std::string_view::npos; at = name.find('[', at + 1)) {
    const std::size_t close = name.find(']', at);
    if (close == std::string_view::npos) break;
    if (!dims.empty()) dims += ',';
    dims += proto::Trim(name.substr(at + 1, close - at - 1));
  }
  return std::string(name.substr(0, open)) + ",DIM(" + dims + ")";
}

std::string NotConverted(std::string_view indent, std::string_view line) {
  return std::string(indent) + "! " + std::string(line) + "  " + std::string(kNotConverted);
}

}  // namespace

std::string SplitComment(std::string_view line, std::string& comment) {
  std::size_t at = line.find("//");
  at = std::min(at, line.find("/*"));
  comment.clear();
  if (at == std::string_view::npos) return std::string(proto::Trim(line));
  comment = proto::Trim(line.substr(at));
  return std::string(proto::Trim(line.substr(0, at)));
}

std::string DropBadWords(std::string_view line) {
  std::string out;
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t end = start;
    while (end < line.size() && line[end] != ' ' && line[end] != '(') ++end;
    const std::string_view word = line.substr(start, end - start);
    if (word.empty() || !IsBadWord(word)) out += word;
    if (end < line.size()) out += line[end];
    start = end + 1;
  }
  return out;
}

bool IsPrototypeFirstLine(std::string_view line) {
  line = proto::TrimLeft(line);
  const std::size_t open = line.find('(');
  if (line.empty() || line.front() == '#' || open == std::string_view::npos || open < 4) {
    return false;
  }
  const std::string_view before = proto::TrimRight(line.substr(0, open));
  const std::size_t space = before.rfind(' ');
  const std::string_view name = space == std::string_view::npos ? before : before.substr(space + 1);
  return name.size() >= 2;
}

std::string ConvertFirstLine(std::string_view line, ProtoWork& work, const ProtoOptions& options,
                             const TypeTable& table) {
  std::string comment;
  const std::string code = SplitComment(DropBadWords(line), comment);
  const std::size_t open = code.find('(');
  const std::string_view before = proto::Trim(std::string_view(code).substr(0, open));
  const std::size_t space = before.rfind(' ');
  std::string retType;
  if (space == std::string_view::npos) {
    work.protoLabel = std::string(before);
  } else {
    work.protoLabel = std::string(before.substr(space + 1));
    retType = std::string(proto::Trim(before.substr(0, space)));
  }
  const bool isVoid = proto::Upper(retType) == "VOID";
  work.protoRetType = retType.empty() || isVoid ? "" : ConvertType(retType, options, table).text;
  work.inProto = true;
  std::string out = work.protoLabel + "    PROCEDURE" + code.substr(open) + " |";
  if (!comment.empty()) out += "  !" + comment;
  return out;
}

std::string ConvertParameterLine(std::string_view line, const ProtoOptions& options,
                                 const TypeTable& table) {
  line = proto::Trim(line);
  if (line.find(' ') == std::string_view::npos) return NotConverted("    ", line);
  std::string comment;
  std::string code = MoveOptionalToFront(SplitComment(line, comment));
  const bool comma = !code.empty() && code.back() == ',';
  if (comma) code = std::string(proto::TrimRight(std::string_view(code).substr(0, code.size() - 1)));
  std::string type, name;
  if (!SplitTypeAndName(code, type, name)) return NotConverted("    ", line);
  const ConvertedType converted = ConvertType(type, options, table);
  const bool marked = converted.omittable && options.typeCvt;
  std::string out = converted.text;
  proto::PlaceAt(out, kParamLabelColumn, marked ? name + ">" : name);
  proto::PlaceAt(out, kParamSeparatorColumn, comma ? ", |" : "  |");
  if (!comment.empty()) proto::PlaceAt(out, kCommentColumn, "!" + comment);
  return "    " + out;
}

std::string ConvertClosingLine(std::string_view line, ProtoWork& work) {
  std::string_view rest = proto::Trim(proto::Trim(line).substr(1));
  if (!rest.empty() && rest.front() == ';') rest = proto::Trim(rest.substr(1));
  std::string out = "    ),PASCAL,DLL(1),RAW";
  if (!work.protoRetType.empty()) out += "," + work.protoRetType;
  out += " ?,name('" + ExternalName(work.protoLabel) + "')";
  if (!rest.empty()) out += "  !" + std::string(rest);
  work = ProtoWork{};
  return out;
}

std::string ConvertMemberLine(std::string_view line, const ProtoOptions& options,
                              const TypeTable& table) {
  std::string comment;
  std::string code = SplitComment(line, comment);
  while (!code.empty() && (code.back() == ';' || code.back() == ' ')) code.pop_back();
  if (code.empty()) return comment.empty() ? std::string() : "!" + comment;
  std::string type, name;
  if (!SplitTypeAndName(code, type, name)) return NotConverted("", proto::Trim(line));
  std::string vla = ConvertType(type, options, table).text;
  if (!vla.empty() && vla.front() == '*') {
    vla = (options.cvtT ? "POINTER_T" : "UNSIGNED") + std::string("  !") + vla;
  }
  std::string out = MemberLabel(name);
  proto::PlaceAt(out, kMemberTypeColumn, vla);
  if (!comment.empty()) proto::PlaceAt(out, kCommentColumn, "!" + comment);
  return out;
}

std::string ExternalName(std::string_view name) {
  const std::size_t n = name.size();
  const bool hasEntrySuffix = n >= 2 && (name[n - 1] == 'A' || name[n - 1] == 'W') &&
                              std::islower(static_cast<unsigned char>(name[n - 2]));
  return hasEntrySuffix ? std::string(name) : std::string(name) + "A";
}

}  // namespace trawlex::utilities
