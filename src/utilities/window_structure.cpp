#include "utilities/window_structure.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "runtime/case_table.h"
#include "utilities/control_attributes.h"

namespace trawlex::utilities {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimmedLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trimmed(std::string_view text) {
  text = TrimmedLeft(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The line without a comment: a '!' outside string literals ends the code. A doubled quote
// inside a literal toggles the state twice, so it needs no special case.
std::string_view WithoutComment(std::string_view line) {
  bool inString = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\'') inString = !inString;
    if (line[i] == '!' && !inString) return line.substr(0, i);
  }
  return line;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The first word of `text` (letters, digits and the label characters ':' and '_').
std::string_view FirstWord(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && (std::isalnum(static_cast<unsigned char>(text[n])) != 0 ||
                             text[n] == ':' || text[n] == '_')) {
    ++n;
  }
  return text.substr(0, n);
}

// A label in column 1 of `line` followed by a keyword; blank when there is none.
std::string_view LabelOf(std::string_view line) {
  if (line.empty() || IsBlank(line.front())) return {};
  const std::string_view word = FirstWord(line);
  if (word.empty() || word.size() == line.size() || !IsBlank(line[word.size()])) return {};
  const std::string next = runtime::UpperText(FirstWord(TrimmedLeft(line.substr(word.size()))));
  if (IsControlKeyword(next)) return word;
  return {};
}

// Lines of the text, without their line ends.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

// Appends `piece` to a declaration being joined. A literal continued with "' &" is joined
// with the literal that starts the piece.
void AppendPiece(std::string& joined, std::string_view piece, bool joinLiteral) {
  if (joinLiteral && !piece.empty() && piece.front() == '\'') {
    joined.pop_back();  // the closing quote of the literal before
    piece.remove_prefix(1);
  } else if (joinLiteral) {
    joined += " & ";
  }
  joined += piece;
}

}  // namespace

std::vector<JoinedLine> JoinDeclarations(std::string_view text,
                                         std::vector<WindowProblem>& problems) {
  std::vector<JoinedLine> joined;
  bool continuing = false;
  bool joinLiteral = false;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view code = TrimmedLeft(lines[i]);
    if (code.empty() || code.front() == '!') continue;
    code = Trimmed(WithoutComment(code));
    if (!continuing) {
      joined.push_back({.text = {},
                        .lineNumber = static_cast<int>(i) + 1,
                        .label = std::string(LabelOf(lines[i]))});
      code = TrimmedLeft(code.substr(joined.back().label.size()));
    }
    const bool bar = EndsWith(code, "|");
    if (bar) code = Trimmed(code.substr(0, code.size() - 1));
    const bool literal = EndsWith(code, "' &") || EndsWith(code, "'&");
    if (literal) code = Trimmed(code.substr(0, code.size() - 1));  // keeps the quote
    AppendPiece(joined.back().text, code, continuing && joinLiteral);
    continuing = bar || literal;
    joinLiteral = literal;
  }
  for (JoinedLine& line : joined) {
    if (line.text.size() <= kJoinedLineWidth) continue;
    problems.push_back({line.lineNumber, "the declaration is " + std::to_string(line.text.size()) +
                                             " characters long; only the first " +
                                             std::to_string(kJoinedLineWidth) + " are read"});
    line.text.resize(kJoinedLineWidth);
  }
  return joined;
}

namespace {

// The position just after the parenthesis that closes the one at `open`, skipping literals;
// the end of the text when it is not closed.
std::size_t ClosingParen(std::string_view text, std::size_t open) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '\'') inString = !inString;
    if (inString) continue;
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth == 0) return i + 1;
  }
  return text.size();
}

// The parameters of the attribute `name(` at the top level of the declaration (outside
// literals and parentheses), or nullopt when it has none.
std::optional<std::string_view> Attribute(std::string_view text, std::string_view name) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\'') inString = !inString;
    if (inString) continue;
    if (text[i] == '(') ++depth;
    if (text[i] == ')') --depth;
    const bool starts = i == 0 || text[i - 1] == ',' || IsBlank(text[i - 1]);
    if (depth != 0 || !starts ||
        runtime::UpperText(text.substr(i, name.size() + 1)) != runtime::UpperText(name) + "(") {
      continue;
    }
    const std::size_t open = i + name.size();
    const std::size_t close = ClosingParen(text, open);
    const std::size_t inner = close > open + 1 && text[close - 1] == ')' ? close - 1 : close;
    return Trimmed(text.substr(open + 1, inner - open - 1));
  }
  return std::nullopt;
}

// The first quoted parameter of the keyword's own parameter list, literal quotes undoubled.
std::string FirstQuoted(std::string_view text) {
  const std::size_t open = text.find_first_of("(,");
  if (open == std::string_view::npos || text[open] != '(') return {};
  const std::string_view params = text.substr(open, ClosingParen(text, open) - open);
  const std::size_t quote = params.find('\'');
  if (quote == std::string_view::npos) return {};
  std::string literal;
  for (std::size_t i = quote + 1; i < params.size(); ++i) {
    if (params[i] != '\'') {
      literal += params[i];
    } else if (i + 1 < params.size() && params[i + 1] == '\'') {
      literal += '\'';
      ++i;
    } else {
      break;
    }
  }
  return literal;
}

// The parameters of a list, split at the top-level commas and trimmed.
std::vector<std::string_view> Parameters(std::string_view list) {
  std::vector<std::string_view> params;
  int depth = 0;
  bool inString = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= list.size(); ++i) {
    if (i < list.size() && list[i] == '\'') inString = !inString;
    if (i < list.size() && (inString || list[i] != ',' || depth != 0)) {
      if (!inString && list[i] == '(') ++depth;
      if (!inString && list[i] == ')') --depth;
      continue;
    }
    params.push_back(Trimmed(list.substr(start, i - start)));
    start = i + 1;
  }
  return params;
}

// FEQ and variable from USE(: "?Feq" alone is the FEQ; a variable alone gives "?" + it; with
// more parameters the variable is the first and the FEQ the last.
void TakeUse(std::string_view use, std::string& feq, std::string& var) {
  if (!use.empty() && use.front() == '?') {
    feq = Parameters(use).front();
    return;
  }
  const std::vector<std::string_view> params = Parameters(use);
  var = params.front();
  if (params.size() > 1) {
    feq = params.back();
  } else if (!var.empty()) {
    feq = "?" + var;
  }
}

bool IsMenuType(std::string_view type) {
  return type == "MENUBAR" || type == "MENU" || type == "ITEM";
}

// The rows under construction and the open levels.
class StructureReader {
 public:
  StructureReader(WindowLoad& load, bool noMenus) : load_(load), noMenus_(noMenus) {}

  void Read(const JoinedLine& line) {
    std::string_view text = line.text;
    if (Trimmed(text).empty()) return;  // a continuation mark with nothing around it
    const bool closesAtOnce = text.size() > 1 && text.back() == '.';
    if (closesAtOnce) text.remove_suffix(1);
    const std::string keyword =
        runtime::UpperText(Trimmed(text.substr(0, text.find_first_of("(,"))));
    if (keyword == "END" || line.text == ".") {
      Close(line);
      return;
    }
    if (open_.empty()) {
      Problem(line.lineNumber, keyword + " stands after the END of the structure and is left out");
      return;
    }
    if (!IsControlKeyword(keyword) || keyword == "APPLICATION" || keyword == "WINDOW" ||
        keyword == "REPORT") {
      Problem(line.lineNumber, "unknown control '" + keyword + "'");
    }
    const bool hidden = noMenus_ && (IsMenuType(keyword) || InMenu());
    if (!hidden) Add(line, text, TypeOf(keyword, text));
    if (OpensLevel(keyword) && !closesAtOnce) open_.push_back({keyword, line.lineNumber});
  }

  void Start(const JoinedLine& line, const std::string& keyword) {
    Add(line, line.text, keyword);
    open_.push_back({keyword, line.lineNumber});
  }

  void Finish() {
    for (const Open& open : open_) {
      Problem(open.lineNumber, open.keyword + " is not closed by END");
    }
  }

 private:
  struct Open {
    std::string keyword;
    int lineNumber = 0;
  };

  void Close(const JoinedLine& line) {
    if (open_.empty()) {
      Problem(line.lineNumber, "END without an open structure or control");
      return;
    }
    open_.pop_back();
  }

  bool InMenu() const {
    return std::any_of(open_.begin(), open_.end(),
                       [](const Open& open) { return IsMenuType(open.keyword); });
  }

  std::string TypeOf(const std::string& keyword, std::string_view text) const {
    if ((keyword == "LIST" || keyword == "COMBO") && Attribute(text, "DROP")) {
      return keyword + "-DROP";
    }
    if (keyword == "STRING" && open_.front().keyword == "REPORT") return "STRING-REP";
    return keyword;
  }

  void Add(const JoinedLine& line, std::string_view text, const std::string& type) {
    std::string feq;
    std::string var;
    if (const auto use = Attribute(text, "USE")) {
      TakeUse(*use, feq, var);
    } else {
      feq = line.label;
    }
    const std::string from(Attribute(text, "FROM").value_or(""));
    const std::string txt = FirstQuoted(text);
    const std::string code = line.label.empty() ? line.text : line.label + " " + line.text;
    Fits(line.lineNumber, "control type", type, 20);
    Fits(line.lineNumber, "text", txt, 64);
    Fits(line.lineNumber, "FEQ", feq, 64);
    Fits(line.lineNumber, "USE variable", var, 64);
    Fits(line.lineNumber, "FROM queue", from, 64);
    Fits(line.lineNumber, "code line", code, 1000);
    load_.rows.push_back({.cntrl = type,
                          .txt = txt,
                          .feq = feq,
                          .useVar = var,
                          .lnCode = code,
                          .lvl = static_cast<int>(open_.size()),
                          .fromQueue = from,
                          .lineNumber = line.lineNumber});
  }

  // Fields keep what fits their width; the cut is reported.
  void Fits(int lineNumber, const char* what, const std::string& value, std::size_t width) {
    if (value.size() <= width) return;
    Problem(lineNumber, std::string("the ") + what + " is " + std::to_string(value.size()) +
                            " characters long; it is cut to " + std::to_string(width));
  }

  void Problem(int lineNumber, std::string text) {
    load_.problems.push_back({lineNumber, std::move(text)});
  }

  WindowLoad& load_;
  bool noMenus_;
  std::vector<Open> open_;
};

}  // namespace

WindowLoad LoadWindowStructure(std::string_view text, bool noMenus) {
  WindowLoad load;
  if (Trimmed(text).find_first_not_of("\r\n") == std::string_view::npos) {
    load.refusal = kPasteFirstMessage;
    return load;
  }
  std::vector<JoinedLine> lines = JoinDeclarations(text, load.problems);
  const std::string first =
      lines.empty()
          ? std::string()
          : runtime::UpperText(Trimmed(lines[0].text.substr(0, lines[0].text.find_first_of("(,"))));
  if (first != "APPLICATION" && first != "WINDOW" && first != "REPORT") {
    load.refusal = kFirstLineMessage;
    load.problems.clear();
    return load;
  }
  StructureReader reader(load, noMenus);
  reader.Start(lines[0], first);
  for (std::size_t i = 1; i < lines.size(); ++i) reader.Read(lines[i]);
  reader.Finish();
  std::stable_sort(
      load.problems.begin(), load.problems.end(),
      [](const WindowProblem& a, const WindowProblem& b) { return a.lineNumber < b.lineNumber; });
  load.parseLines = std::move(lines);
  return load;
}

std::string ProblemsMessage(const std::vector<WindowProblem>& problems) {
  std::string message;
  for (const WindowProblem& problem : problems) {
    if (!message.empty()) message += '|';
    message += "line " + std::to_string(problem.lineNumber) + ": " + problem.text;
  }
  return message;
}

int DeleteRows(std::vector<WinqRow>& rows, DeleteChoice choice, int selected) {
  const std::size_t before = rows.size();
  if (choice == DeleteChoice::SelectedRow) {
    if (selected >= 0 && static_cast<std::size_t>(selected) < rows.size()) {
      rows.erase(rows.begin() + selected);
    }
    return static_cast<int>(before - rows.size());
  }
  std::erase_if(rows, [choice](const WinqRow& row) {
    switch (choice) {
      case DeleteChoice::BlankFeqs:
        return row.feq.empty();
      case DeleteChoice::Strings:
        return row.cntrl == "STRING" || row.cntrl == "STRING-REP";
      case DeleteChoice::Prompts:
        return row.cntrl == "PROMPT";
      case DeleteChoice::MenusAndItems:
        return row.cntrl == "MENU" || row.cntrl == "ITEM";
      default:
        return false;
    }
  });
  return static_cast<int>(before - rows.size());
}

}  // namespace trawlex::utilities
