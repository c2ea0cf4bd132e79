#include "utilities/feq_snippets.h"

#include <algorithm>
#include <cctype>

#include "runtime/case_table.h"
#include "runtime/regular_file_read.h"
#include "runtime/text_encoding.h"

namespace trawlex::utilities {
namespace {

// The delimiters as they stand in the UTF-8 text the parser reads.
constexpr std::string_view kOpenCode = "\xC2\xAB";   // «
constexpr std::string_view kCloseCode = "\xC2\xBB";  // »
constexpr std::size_t kSnippetFileLimit = 4 * 1024 * 1024;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && runtime::UpperText(text.substr(0, start.size())) == start;
}

// The text between the parentheses of "KEYWORD(...)", quotes around it removed.
std::string_view Argument(std::string_view line, std::size_t keywordLength) {
  std::string_view inner = Trimmed(line.substr(keywordLength));
  if (!inner.empty() && inner.front() == '(') inner.remove_prefix(1);
  const std::size_t close = inner.rfind(')');
  inner = Trimmed(inner.substr(0, close));
  if (inner.size() >= 2 && (inner.front() == '\'' || inner.front() == '"') &&
      inner.back() == inner.front()) {
    inner = inner.substr(1, inner.size() - 2);
  }
  return Trimmed(inner);
}

// "NAME EQUATE(...)": a word, blanks, then EQUATE(.
bool IsEquateLine(std::string_view line, PropertyName& property) {
  const std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos || blank == 0) return false;
  const std::string_view rest = Trimmed(line.substr(blank));
  if (!StartsWithNoCase(rest, "EQUATE(")) return false;
  property = {std::string(line.substr(0, blank)), std::string(Argument(rest, 6))};
  return true;
}

class SnippetParser {
 public:
  explicit SnippetParser(SnippetLoad& load) : load_(load) {}

  void Line(std::string_view line, int lineNumber) {
    const std::string_view code = Trimmed(line);
    if (code.empty() || code.front() == '!') return;
    PropertyName property;
    if (code.front() == '"') {
      Snippet(code, lineNumber);
    } else if (StartsWithNoCase(code, "CATEGORY(")) {
      Category(code, lineNumber);
    } else if (StartsWithNoCase(code, "CONTROLS(")) {
      controls_ = Argument(code, 8);
    } else if (IsEquateLine(code, property)) {
      load_.properties.push_back(std::move(property));
    } else {
      Problem(lineNumber, "Not a snippet line|", code);
    }
  }

 private:
  void Category(std::string_view code, int lineNumber) {
    const std::string name = runtime::UpperText(Argument(code, 8));
    for (const SnippetCategory& category : SnippetCategories()) {
      if (runtime::UpperText(category.name) == name || std::to_string(category.codeCat) == name) {
        codeCat_ = category.codeCat;
        controls_.clear();
        return;
      }
    }
    Problem(lineNumber, "Unknown category|", code);
  }

  // "menu text" «template» ! comment
  void Snippet(std::string_view code, int lineNumber) {
    const std::size_t endQuote = code.find('"', 1);
    if (endQuote == std::string_view::npos) return Problem(lineNumber, "No End Quote \"|", code);
    const std::string_view menu = code.substr(1, endQuote - 1);
    std::string_view rest = Trimmed(code.substr(endQuote + 1));
    if (rest.substr(0, kOpenCode.size()) != kOpenCode) {
      return Problem(lineNumber, "No Code \xC2\xAB|", code);
    }
    rest.remove_prefix(kOpenCode.size());
    const std::size_t endCode = rest.find(kCloseCode);
    if (endCode == std::string_view::npos)
      return Problem(lineNumber, "No End Code \xC2\xBB|", code);
    const std::string_view gen = rest.substr(0, endCode);
    std::string_view comment = Trimmed(rest.substr(endCode + kCloseCode.size()));
    if (!comment.empty() && comment.front() == '!') comment = Trimmed(comment.substr(1));
    Fits(lineNumber, "menu text", menu, 31);
    Fits(lineNumber, "template", gen, 500);
    Fits(lineNumber, "comment", comment, 64);
    load_.snippets.push_back({.seq = static_cast<int>(load_.snippets.size()) + 1,
                              .codeCat = codeCat_,
                              .menuTxt = menu,
                              .genCode = gen,
                              .comments = comment,
                              .controls = controls_});
  }

  void Fits(int lineNumber, const char* what, std::string_view value, std::size_t width) {
    if (value.size() <= width) return;
    load_.problems.push_back({lineNumber, std::string("The ") + what + " is longer than " +
                                              std::to_string(width) + " and is cut"});
  }

  void Problem(int lineNumber, const char* text, std::string_view line) {
    load_.problems.push_back({lineNumber, text + std::string(line)});
  }

  SnippetLoad& load_;
  int codeCat_ = 1;
  std::string controls_;
};

// The menu syntax gives '|', '{', '}' and a leading '~' meanings of their own.
std::string MenuCaption(std::string_view text) {
  std::string caption(text);
  std::replace_if(
      caption.begin(), caption.end(),
      [](char c) { return c == '|' || c == '{' || c == '}' || c == '\t'; }, ' ');
  while (!caption.empty() && (caption.front() == '~' || caption.front() == ' ')) {
    caption.erase(0, 1);
  }
  return caption.empty() || caption == "-" ? "(no name)" : caption;
}

// The row one level up before `row`, or nullptr.
const WinqRow* Parent(const std::vector<WinqRow>& rows, std::size_t row) {
  for (std::size_t i = row; i-- > 0;) {
    if (rows[i].lvl == rows[row].lvl - 1) return &rows[i];
  }
  return nullptr;
}

std::string OrDefault(const std::string& value, const char* fallback) {
  return value.empty() ? fallback : value;
}

std::string WithoutTrailingBlanks(const std::string& text) {
  std::string result;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find("\r\n", start), text.size());
    std::string_view line = std::string_view(text).substr(start, end - start);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    result += line;
    if (end == text.size()) break;
    result += "\r\n";
    start = end + 2;
  }
  return result;
}

}  // namespace

const std::vector<SnippetCategory>& SnippetCategories() {
  static const std::vector<SnippetCategory> categories = {
      {1, "Common"},     {2, "State"},   {3, "Position"},   {4, "Appearance"},
      {5, "Data Entry"}, {6, "Control"}, {7, "Code Snips"}, {8, "Extra"}};
  return categories;
}

SnippetLoad ParseSnippets(std::string_view bytes) {
  const std::string text = runtime::ToUtf8(bytes);
  SnippetLoad load;
  SnippetParser parser(load);
  std::size_t start = 0;
  for (int lineNumber = 1; start < text.size(); ++lineNumber) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = std::string_view(text).substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    parser.Line(line, lineNumber);
    start = end + 1;
  }
  return load;
}

std::optional<SnippetLoad> LoadSnippetFile(const std::filesystem::path& file) {
  const runtime::RegularFileRead read = runtime::ReadRegularFile(file, kSnippetFileLimit);
  if (!read.ok()) return std::nullopt;
  return ParseSnippets(read.text);
}

bool SnippetAccepts(std::string_view controls, std::string_view type) {
  controls = Trimmed(controls);
  if (controls.empty()) return true;
  const bool except = controls.front() == '~';
  if (except) controls.remove_prefix(1);
  const std::string upperType = runtime::UpperText(type);
  const std::string base = upperType.substr(0, upperType.find('-'));
  bool named = false;
  while (!named && !controls.empty()) {
    const std::size_t comma = std::min(controls.find(','), controls.size());
    const std::string name = runtime::UpperText(Trimmed(controls.substr(0, comma)));
    named = name == upperType || name == base;
    controls.remove_prefix(std::min(comma + 1, controls.size()));
  }
  return named != except;
}

ControlPopup BuildControlPopup(const std::vector<SnippetRow>& snippets, std::string_view type) {
  ControlPopup popup;
  int number = 0;
  for (const auto& [kind, caption] : {std::pair{PopupKind::Feq, "FEQ"},
                                      {PopupKind::Use, "USE"},
                                      {PopupKind::Text, "Text"},
                                      {PopupKind::CodeLine, "Code Line"}}) {
    popup.items.push_back({.cpType = kind, .popSeq = ++number, .menuTxt = caption});
    popup.menuText += std::string(number > 1 ? "|" : "") + caption;
  }
  popup.menuText += "|-";
  for (const SnippetCategory& category : SnippetCategories()) {
    std::string submenu;
    for (std::size_t i = 0; i < snippets.size(); ++i) {
      const SnippetRow& snippet = snippets[i];
      if (snippet.codeCat != category.codeCat || !SnippetAccepts(snippet.controls.view(), type)) {
        continue;
      }
      const std::string caption = MenuCaption(snippet.menuTxt.view());
      popup.items.push_back({.cpType = PopupKind::Snippet,
                             .popSeq = ++number,
                             .menuTxt = caption,
                             .fupopqPtr = static_cast<int>(i)});
      submenu += (submenu.empty() ? "" : "|") + caption;
    }
    if (!submenu.empty()) popup.menuText += "|" + category.name + "{" + submenu + "}";
  }
  return popup;
}

std::string FillSnippet(const SnippetRow& snippet, const std::vector<WinqRow>& rows,
                        std::size_t row, bool noComment) {
  const WinqRow& control = rows[row];
  const std::string gen =
      snippet.genCode == "%codeline%" ? control.lnCode.str() : snippet.genCode.str();
  const WinqRow* parent = Parent(rows, row);
  const std::string parentFeq = OrDefault(parent ? parent->feq.str() : "", "ParentFEQ");
  const std::string parentUse = OrDefault(parent ? parent->useVar.str() : "", "ParentUSE");
  // One pass from left to right, so that a replacement is never read again as a code.
  std::string filled;
  for (std::size_t i = 0; i < gen.size(); ++i) {
    const std::string_view at = std::string_view(gen).substr(i);
    if (at.starts_with("%?")) {
      filled += control.feq.str(), ++i;
    } else if (at.starts_with("%U")) {
      filled += control.useVar.str(), ++i;
    } else if (at.starts_with("%Q")) {
      filled += control.fromQueue.str(), ++i;
    } else if (at.starts_with("%PF")) {
      filled += parentFeq, i += 2;
    } else if (at.starts_with("%PU")) {
      filled += parentUse, i += 2;
    } else if (at.starts_with(";;")) {
      filled += "\r\n", ++i;
    } else {
      filled += gen[i];
    }
  }
  filled = WithoutTrailingBlanks(filled);
  if (!noComment && !snippet.comments.empty()) filled += "     !" + snippet.comments.str();
  return filled;
}

std::optional<std::string> PopupChoiceText(const ControlPopup& popup, int choice,
                                           const std::vector<SnippetRow>& snippets,
                                           const std::vector<WinqRow>& rows, std::size_t row,
                                           bool noComment) {
  if (row >= rows.size()) return std::nullopt;
  const auto item =
      std::find_if(popup.items.begin(), popup.items.end(),
                   [choice](const ControlPopupItem& i) { return i.popSeq == choice; });
  if (item == popup.items.end()) return std::nullopt;
  const WinqRow& control = rows[row];
  switch (item->cpType) {
    case PopupKind::Feq:
      return control.feq.str();
    case PopupKind::Use:
      return control.useVar.str();
    case PopupKind::Text:
      return control.txt.str();
    case PopupKind::CodeLine:
      return control.lnCode.str();
    case PopupKind::Snippet:
      break;
  }
  if (item->fupopqPtr < 0 || static_cast<std::size_t>(item->fupopqPtr) >= snippets.size()) {
    return std::nullopt;
  }
  return FillSnippet(snippets[item->fupopqPtr], rows, row, noComment);
}

}  // namespace trawlex::utilities
