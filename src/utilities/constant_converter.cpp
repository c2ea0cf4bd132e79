// Whole texts: the run over all lines, the enumeration blocks that span lines, and the
// refusals of texts the fields cannot hold.

#include "utilities/constant_converter.h"

#include <string>
#include <vector>

#include "utilities/constant_converter_parts.h"

namespace trawlex::utilities {
namespace {

using converter::IsBlank;
using converter::SplitCComment;
using converter::Trim;
using converter::TrimLeft;

constexpr auto npos = std::string_view::npos;

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text = end == npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == npos;
}

std::string EnumHeader(std::string_view name, std::string_view comment) {
  return std::string(name) + "    ITEMIZE(0)   !,PRE    !" + TidyComment(comment);
}

// An item line: "NAME = value," keeps its value; a bare "NAME," continues the numbering.
ConvertedLine EnumItem(std::string_view body) {
  std::string_view item = body;
  const std::string_view comment = SplitCComment(item);
  item = Trim(item);
  if (!item.empty() && item.back() == ',') item = Trim(item.substr(0, item.size() - 1));
  std::size_t end = 0;
  while (end < item.size() && !IsBlank(item[end]) && item[end] != '=') ++end;
  std::string_view value = TrimLeft(item.substr(end));
  if (!value.empty() && value.front() == '=') value = Trim(value.substr(1));
  // The same layout and checks as a #define line: build one and convert it.
  std::string define = "#define " + std::string(item.substr(0, end)) + " " +
                       std::string(value.empty() ? "=" : value);
  if (!comment.empty()) define += " " + std::string(comment);
  ConvertedLine converted = ConvertDefineLine(define, false);
  if (converted.text.starts_with("! Not converted")) {
    const std::size_t reasonEnd = converted.text.find("): ");
    converted.text = converted.text.substr(0, reasonEnd + 3) + std::string(body);
  }
  return converted;
}

// The C run keeps the state of an open enumeration between lines.
class CRun {
 public:
  explicit CRun(bool assumeAll) : assumeAll_(assumeAll) {}

  void Add(std::string_view line) {
    const std::string_view body = Trim(line);
    ConvertedLine converted;
    if (body.empty() || body.starts_with("//") || body.starts_with("/*")) {
      converted = ConvertDefineLine(body, assumeAll_);
    } else if (inEnum_) {
      converted = InsideEnum(body);
    } else if (OpensEnum(body)) {
      converted = OpenEnum(body);
    } else {
      converted = ConvertDefineLine(body, assumeAll_);
    }
    if (converted.bitwise) ++bitsFound_;
    lines_.push_back(std::move(converted.text));
  }

  const std::vector<std::string>& lines() const { return lines_; }
  int bitsFound() const { return bitsFound_; }

 private:
  static bool OpensEnum(std::string_view body) {
    return body.starts_with("typedef enum ") || body.starts_with("enum ") ||
           body == "typedef enum" || body == "enum";
  }

  ConvertedLine OpenEnum(std::string_view body) {
    std::string_view rest = body.substr(body.starts_with("typedef") ? 12 : 4);
    const std::string_view comment = SplitCComment(rest);
    rest = Trim(rest);
    // A whole enumeration on one line has no place for one output line per item.
    if (rest.find('}') != npos) {
      return {NotConvertedLine(body, "an enumeration on one line"), false};
    }
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]) && rest[end] != '{') ++end;
    inEnum_ = true;
    headerIndex_ = lines_.size();
    headerNamed_ = end > 0;
    headerComment_ = std::string(comment);
    return {EnumHeader(rest.substr(0, end), comment), false};
  }

  ConvertedLine InsideEnum(std::string_view body) {
    if (body.front() == '}') return CloseEnum(body);
    if (body == "{") return {"! " + std::string(body), false};
    return EnumItem(body);
  }

  // "} NAME;" names an enumeration whose opening line did not.
  ConvertedLine CloseEnum(std::string_view body) {
    inEnum_ = false;
    std::string_view rest = body.substr(1);
    SplitCComment(rest);
    rest = Trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]) && rest[end] != ';' && rest[end] != ',') ++end;
    if (!headerNamed_ && end > 0) lines_[headerIndex_] = EnumHeader(rest.substr(0, end), headerComment_);
    return {"    END !" + std::string(body), false};
  }

  bool assumeAll_;
  std::vector<std::string> lines_;
  int bitsFound_ = 0;
  bool inEnum_ = false;
  std::size_t headerIndex_ = 0;
  bool headerNamed_ = false;
  std::string headerComment_;
};

ConversionResult Assemble(const std::vector<std::string>& lines, int bitsFound,
                          SourceLanguage language) {
  ConversionResult result;
  result.bitsFound = bitsFound;
  if (bitsFound > 0) result.note = BitwiseNote(language, bitsFound);
  result.text = result.note;
  for (const std::string& line : lines) result.text += line + "\r\n";
  return result;
}

// Texts beyond the field's size are refused whole rather than cut somewhere mid-line.
std::string SizeRefusal(std::string_view text, std::size_t limit, const char* what,
                        const char* blankMessage) {
  if (IsBlankText(text)) return blankMessage;
  const std::size_t count = converter::CharacterCount(text);
  if (count <= limit) return {};
  return "The " + std::string(what) + " text holds " + std::to_string(count) +
         " characters; at most " + std::to_string(limit) +
         " can be converted at once. Please convert it in parts.";
}

}  // namespace

ConversionResult ConvertDefines(std::string_view text, bool assumeAll) {
  ConversionResult refused;
  refused.refusal = SizeRefusal(text, kMaxDefineText, "#Define", kNoDefinesMessage);
  if (!refused.refusal.empty()) return refused;
  CRun run(assumeAll);
  for (std::string_view line : SplitLines(text)) run.Add(line);
  return Assemble(run.lines(), run.bitsFound(), SourceLanguage::C);
}

ConversionResult ConvertVbConsts(std::string_view text, bool assumeAll) {
  ConversionResult refused;
  refused.refusal = SizeRefusal(text, kMaxVbText, "VB Const", kNoVbConstMessage);
  if (!refused.refusal.empty()) return refused;
  std::vector<std::string> lines;
  int bitsFound = 0;
  for (std::string_view line : SplitLines(text)) {
    ConvertedLine converted = ConvertVbLine(line, assumeAll);
    if (converted.bitwise) ++bitsFound;
    lines.push_back(std::move(converted.text));
  }
  return Assemble(lines, bitsFound, SourceLanguage::Vb);
}

}  // namespace trawlex::utilities
