#include "utilities/prototype_types.h"

#include <array>
#include <cctype>

#include "utilities/prototype_text.h"

namespace trawlex::utilities {

namespace {

constexpr int kQualifierPasses = 4;
constexpr int kLookupPasses = 10;

// "IN OUT " before "IN " so that one pass takes the pair.
constexpr std::array<std::string_view, 9> kQualifiers = {
    "IN OUT ", "INOUT ", "IN ", "OUT ", "CONST ", "[IN]", "[OUT]", "TYPEDEF ", "OPTIONAL "};

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool HasName(std::string_view text) {
  for (char c : text) {
    if (IsNameChar(c)) return true;
  }
  return false;
}

// Removes one leading qualifier of kQualifiers; true when one was there.
bool DropQualifier(std::string& t, bool& omittable) {
  for (std::string_view q : kQualifiers) {
    if (!proto::StartsWithNoCase(t, q)) continue;
    if (q == "OPTIONAL ") omittable = true;
    t = std::string(proto::TrimLeft(std::string_view(t).substr(q.size())));
    return true;
  }
  return false;
}

// Removes a leading attribute list such as "[in, out, optional]".
bool DropAttributeList(std::string& t, bool& omittable) {
  if (t.empty() || t.front() != '[') return false;
  const std::size_t close = t.find(']');
  if (close == std::string::npos) return false;
  if (proto::FindNoCase(std::string_view(t).substr(0, close), "optional") != std::string::npos) {
    omittable = true;
  }
  t = std::string(proto::TrimLeft(std::string_view(t).substr(close + 1)));
  return true;
}

// Length of a leading source annotation: "__in_opt", or the newer "_In_opt_" and
// "_Out_writes_bytes_(n)" forms; 0 when the text does not start with one. A type name such as
// "_FILETIME" or "__int64" is no annotation, and neither is a word with no type after it.
std::size_t AnnotationLength(std::string_view t) {
  const bool old = t.starts_with("__");
  const bool newer = t.size() > 1 && t[0] == '_' && std::isupper(static_cast<unsigned char>(t[1]));
  if ((!old && !newer) || proto::StartsWithNoCase(t, "__int")) return 0;
  std::size_t end = 0;
  while (end < t.size() && t[end] != ' ' && t[end] != '(') ++end;
  if (newer && !old && t[end - 1] != '_') return 0;
  if (end < t.size() && t[end] == '(') {
    int depth = 0;
    for (; end < t.size(); ++end) {
      depth += t[end] == '(' ? 1 : t[end] == ')' ? -1 : 0;
      if (depth == 0) break;
    }
    if (end == t.size()) return 0;
    ++end;
  }
  return HasName(t.substr(end)) ? end : 0;
}

bool DropAnnotation(std::string& t, bool& omittable) {
  const std::size_t length = AnnotationLength(t);
  if (length == 0) return false;
  const std::string_view word = std::string_view(t).substr(0, length);
  if (proto::FindNoCase(word, "_opt") != std::string_view::npos ||
      proto::FindNoCase(word, "_reserved") != std::string_view::npos) {
    omittable = true;
  }
  t = std::string(proto::TrimLeft(std::string_view(t).substr(length)));
  return true;
}

// Removes the word CALLBACK wherever it stands.
void DropCallback(std::string& t) {
  std::string kept;
  std::size_t start = 0;
  while (start <= t.size()) {
    std::size_t end = t.find(' ', start);
    if (end == std::string::npos) end = t.size();
    const std::string_view word = std::string_view(t).substr(start, end - start);
    if (!word.empty() && proto::Upper(word) != "CALLBACK") {
      if (!kept.empty()) kept += ' ';
      kept += word;
    }
    start = end + 1;
  }
  t = kept;
}

// Strips '*' from both ends; true when there was one (the type is a pointer).
bool StripPointer(std::string& t) {
  bool pointer = false;
  while (!t.empty() && (t.front() == '*' || t.back() == '*')) {
    if (t.front() == '*') t.erase(0, 1); else t.pop_back();
    t = std::string(proto::Trim(t));
    pointer = true;
  }
  return pointer;
}

}  // namespace

std::string StripQualifiers(std::string_view type, bool sal, bool& omittable) {
  std::string t = proto::CollapseSpaces(proto::Trim(type));
  for (int pass = 0; pass < kQualifierPasses; ++pass) {
    bool dropped = false;
    while (DropQualifier(t, omittable) || DropAttributeList(t, omittable)) dropped = true;
    if (sal && DropAnnotation(t, omittable)) dropped = true;
    if (!dropped) break;
  }
  DropCallback(t);
  return t;
}

ConvertedType ConvertType(std::string_view type, const ProtoOptions& options,
                          const TypeTable& table) {
  ConvertedType result;
  std::string t = StripQualifiers(type, options.sal, result.omittable);
  if (!options.typeCvt) {
    result.text = t;
    return result;
  }
  bool pointer = false;
  for (int pass = 0; pass < kLookupPasses; ++pass) {
    pointer = StripPointer(t) || pointer;
    const WinTypeEntry* entry = table.Find(t);
    if (entry == nullptr || proto::Upper(entry->vlaType) == proto::Upper(t)) break;
    t = entry->vlaType;
  }
  pointer = StripPointer(t) || pointer;
  if (!options.cvtT) {
    if (const TypeT* typeT = table.FindTypeT(t)) t = typeT->typeNot;
  }
  if (pointer) t = "*" + t;
  if (result.omittable) t = "<" + t;
  result.text = t;
  return result;
}

}  // namespace trawlex::utilities
