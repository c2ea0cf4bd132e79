#include "engine/other_kind_locations.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "runtime/byte_scan.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "runtime/regex_program.h"

namespace trawlex::engine {
namespace {

constexpr auto npos = std::string_view::npos;

// The line without its trailing blanks.
std::string_view Visible(const LineContext& line) {
  const std::string_view text = line.Line();
  return text.substr(0, std::min(text.size(), line.LineLen()));
}

std::string_view TrimLeft(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == npos ? std::string_view() : text.substr(first);
}

std::string_view TrimRight(std::string_view text) {
  return text.substr(0, runtime::Len(text));
}

// The lead and the lines are held without trailing blanks, but the fields they stand for are
// blank-padded, so a prefix that ends in blanks also matches where the text ends: the lead
// "END SUB" begins with "END " and its rest "SUB" with "SUB ".
bool BeginsWith(std::string_view text, std::string_view prefix) {
  if (text.size() >= prefix.size()) return text.substr(0, prefix.size()) == prefix;
  return prefix.substr(0, text.size()) == text &&
         prefix.find_first_not_of(' ', text.size()) == npos;
}

// The text after the first `count` characters (blank when it has fewer).
std::string_view After(std::string_view text, std::size_t count) {
  return text.substr(std::min(count, text.size()));
}

void SetProcName(LocationState& state, std::string_view text) {
  state.procName = runtime::Fit(text, kLocationPartWidth);
}

void SetMethod(LocationState& state, std::string_view text) {
  state.method = runtime::Fit(text, kLocationPartWidth);
}

// A procedure's or class's name: leading blanks dropped, ended by its first '(' or blank,
// whichever comes first. "Foo(x)", "Foo (x)" and "Foo As Long" all name Foo; ending at the
// '(' alone would also take in what stands between, as in `Declare Function F Lib "k" ()`.
std::string_view NameIn(std::string_view text) {
  text = TrimLeft(text);
  return text.substr(0, text.find_first_of("( "));
}

// ----- Templates -----

bool IsTemplateSectionWord(std::string_view word) {
  static constexpr std::array<std::string_view, 10> kWords = {
      "TEMPLATE", "APPLICATION", "PROGRAM",   "MODULE",  "PROCEDURE",
      "CONTROL",  "CODE",        "EXTENSION", "UTILITY", "GROUP"};
  return std::find(kWords.begin(), kWords.end(), word) != kWords.end();
}

// ----- Application text exports -----

// "[MODULE]" or "[PROCEDURE]": the next line names the section, as "NAME UpdateCustomer";
// a section without a NAME line is known by whatever line follows its header.
void StartNamedSection(const LineContext& line, LocationState& state) {
  const std::string next = line.PeekNextLine();
  SetProcName(state, BeginsWith(next, "NAME ") ? After(next, 5) : std::string_view(next));
}

// "[ADDITION]": the template addition's name goes to METHOD.
void StartAddition(const LineContext& line, LocationState& state) {
  const std::string next = line.PeekNextLine();
  if (!BeginsWith(next, "NAME ")) return;
  SetMethod(state, "TPL: " + std::string(After(next, 5)));
}

// ----- C -----

bool IsIdentifierChar(unsigned char c) {
  return runtime::IsLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

bool EqualsAnyNoCase(std::string_view text, std::initializer_list<std::string_view> words) {
  return std::any_of(words.begin(), words.end(),
                     [text](std::string_view word) { return runtime::EqualNoCase(text, word); });
}

// Lines that never hold a function header even though they may hold "name(": preprocessor
// directives ("#if defined(X)", "#define MAX(a, b)") and the continuation lines of a block
// comment (" * calls parse_line(s)"). A lead "*name(" is a pointer-returning function whose
// type stands on the line above, so only a '*' not followed by a name counts as comment.
bool IsDirectiveOrCommentLine(std::string_view lead) {
  if (lead.empty()) return false;
  if (lead[0] == '#') return true;
  return lead[0] == '*' &&
         (lead.size() == 1 || !IsIdentifierChar(static_cast<unsigned char>(lead[1])));
}

// The function name in the text before the '(': its last word, without the '*' and '&' of a
// pointer or reference return type written against it ("char *strdup(").
std::string_view FunctionName(std::string_view beforeParen) {
  std::string_view name = TrimRight(beforeParen);
  const std::size_t blank = name.find_last_of(' ');
  if (blank != npos) name.remove_prefix(blank + 1);
  while (!name.empty() && (name.front() == '*' || name.front() == '&')) name.remove_prefix(1);
  return name;
}

bool HasIdentifierChar(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return IsIdentifierChar(static_cast<unsigned char>(c)); });
}

// ----- VB, ASP, PHP -----

// "^ +{SUB|FUNCTION|PROPERTY} +", compiled once: a search's own pattern keeps the matcher's
// cache, so a VB file searched with a regular expression does not recompile on every line.
bool IsVbDeclarationRest(std::string_view rest) {
  static const auto program = runtime::CompileRegex("^ +{SUB|FUNCTION|PROPERTY} +", false);
  return runtime::SearchRegex(*program, TrimRight(rest)).has_value();
}

// The upper-cased line from its first non-blank character to its last: the lead without the
// 20-character cut, for the tests that may need to look further.
std::string_view FullLead(const LineContext& line) {
  return TrimLeft(line.Upper().substr(0, Visible(line).size()));
}

// "Public ..." or "Private ..." whose next word is SUB, FUNCTION or PROPERTY. `modifier` is
// the length of the first word; the rest of the lead starts with the blank after it.
void VbDeclaration(const LineContext& line, std::size_t modifier, LocationState& state) {
  const std::string_view lead = FullLead(line);
  const std::string_view rest = After(lead, modifier);
  if (!IsVbDeclarationRest(rest)) return;
  const std::string_view keyword = TrimLeft(rest);
  const std::string_view text = TrimLeft(Visible(line));
  std::size_t wordLength = 0;
  if (BeginsWith(keyword, "FUNCTION ")) {
    wordLength = 8;
  } else if (BeginsWith(keyword, "SUB ")) {
    wordLength = 3;
  } else {
    SetProcName(state, text);  // a property: the whole declaration stands for it
    return;
  }
  // The lead and the line without leading blanks line up character for character.
  const std::size_t nameStart = lead.size() - keyword.size() + wordLength;
  const std::string_view name = NameIn(After(text, nameStart));
  if (!name.empty()) SetProcName(state, name);
}

// ----- VB.NET -----

void EndVbNetBlock(std::string_view what, LocationState& state) {
  if (BeginsWith(what, "SUB ") || BeginsWith(what, "FUNC") || BeginsWith(what, "PROP")) {
    if (state.inClass != 0) {
      state.method.clear();
    } else {
      state.procName.clear();
    }
  } else if (BeginsWith(what, "CLAS")) {
    state.inClass = 0;
  }
}

struct VbNetHeader {
  std::string_view name;
  bool isClass = false;
};

// A declaration with modifiers or attributes in front ("Public Shared Function F()",
// "<Test()> Public Sub S()"): the first of the words SUB, FUNCTION, PROPERTY and CLASS on the
// line introduces the name. The first one, so that a trailing comment that mentions another
// of these words ("Public Function F() ' called by the sub below") does not name it.
VbNetHeader ModifiedVbNetHeader(const LineContext& line) {
  static constexpr std::array<std::string_view, 4> kWords = {" SUB ", " FUNCTION ", " PROPERTY ",
                                                             " CLASS "};
  const std::string_view upper = line.Upper().substr(0, Visible(line).size());
  std::size_t best = npos;
  std::size_t bestWord = 0;
  for (std::size_t i = 0; i < kWords.size(); ++i) {
    const std::size_t at = upper.find(kWords[i]);
    if (at < best) {
      best = at;
      bestWord = i;
    }
  }
  if (best == npos) return {};
  return {NameIn(After(Visible(line), best + kWords[bestWord].size())), bestWord == 3};
}

// A declaration that starts with its keyword ("Sub Main()", "Class Order").
VbNetHeader PlainVbNetHeader(const LineContext& line, std::string_view lead) {
  std::size_t wordLength = 0;
  bool isClass = false;
  if (BeginsWith(lead, "SUB ")) {
    wordLength = 3;
  } else if (BeginsWith(lead, "FUNCTION ") || BeginsWith(lead, "PROPERTY ")) {
    wordLength = 8;
  } else if (BeginsWith(lead, "CLASS ")) {
    wordLength = 5;
    isClass = true;
  } else {
    return {};
  }
  return {NameIn(After(TrimLeft(Visible(line)), wordLength)), isClass};
}

bool HasVbNetModifier(std::string_view lead) {
  return lead[0] == '<' || BeginsWith(lead, "PUBLIC ") || BeginsWith(lead, "PRIVATE ") ||
         BeginsWith(lead, "FRIEND ") || BeginsWith(lead, "PROTECTED ");
}

}  // namespace

void TemplateSectionLine(const LineContext& line, LocationState& state) {
  const std::string_view text = Visible(line);
  if (text.empty() || text[0] != '#') return;
  const std::size_t open = text.find('(');
  if (open == npos || open < 4) return;  // no room for a section word
  // "#PROCEDURE (x)" is "#PROCEDURE(x)": blanks before the '(' do not belong to the word.
  if (!IsTemplateSectionWord(TrimRight(line.Upper().substr(1, open - 1)))) return;
  SetMethod(state, text.substr(0, open));
  state.rout.clear();
  // The name runs to the ')' or to a ',' before it ("#PROCEDURE(Name,'Description')"); on a
  // line that lacks the ')' it runs to the end of the line.
  const std::size_t end = text.find_first_of(",)", open + 1);
  SetProcName(state, text.substr(open + 1, (end == npos ? text.size() : end) - open - 1));
}

void TextExportLine(const LineContext& line, LocationState& state) {
  const std::string_view text = Visible(line);
  if (BeginsWith(text, "EMBED %")) {
    SetMethod(state, text);
    return;
  }
  if (text.empty() || text[0] != '[') return;
  const std::string_view header = line.Upper().substr(0, text.size());
  const bool program = header == "[APPLICATION]" || header == "[PROGRAM]" || header == "[PROJECT]";
  const bool named = header == "[MODULE]" || header == "[PROCEDURE]";
  if (program || named) {
    SetProcName(state, text);
    state.method.clear();
    state.rout.clear();
    if (named) StartNamedSection(line, state);
  } else if (header == "[ADDITION]") {
    StartAddition(line, state);
  } else if (header == "[CALLS]" || header == "[WINDOW]") {
    state.method.clear();
  }
}

void StylePropertyLine(const LineContext& line, LocationState& state) {
  const std::string_view text = Visible(line);
  constexpr std::string_view kHeader = "[PROPERTYCLASS]";
  if (text.size() != kHeader.size() || text[0] != '[') return;
  if (line.Upper().substr(0, text.size()) != kHeader) return;
  const std::string next = line.PeekNextLine();
  const std::string_view entry = TrimLeft(next);
  if (entry.size() < 5 || !runtime::EqualNoCase(entry.substr(0, 5), "NAME:")) return;
  SetProcName(state, TrimLeft(entry.substr(5)));
}

void CFunctionLine(const LineContext& line, LocationState& state) {
  const std::string_view text = Visible(line);
  const std::size_t open = text.find('(');
  if (open == npos || open == 0) return;  // most lines end here
  if (IsDirectiveOrCommentLine(line.Lead())) return;
  // The header ends at its body's '{' or at a comment; a ';' before that end makes the line
  // a statement or a prototype, and a '(' after it is not the header's.
  std::size_t end = std::min(text.find('{'), text.size());
  end = std::min(end, text.substr(0, end).find("//"));
  end = std::min(end, text.substr(0, end).find("/*"));
  if (open >= end || text.substr(0, end).find(';') != npos) return;
  const std::string_view before = TrimLeft(TrimRight(text.substr(0, open)));
  if (EqualsAnyNoCase(before, {"PRINTF", "SWITCH", "WHILE", "ELSE IF", "IF"})) return;
  const std::string_view name = FunctionName(before);
  // Keywords that take a parenthesis never name a function, wherever they stand on the line
  // ("} else if (x) {", "} while (more)"); neither does an operator ("x = (a").
  if (!HasIdentifierChar(name) ||
      EqualsAnyNoCase(name, {"IF", "WHILE", "SWITCH", "FOR", "RETURN", "SIZEOF"})) {
    return;
  }
  SetProcName(state, name);
}

void VbStyleLine(const LineContext& line, LocationState& state) {
  const std::string_view lead = line.Lead();
  if (BeginsWith(lead, "PUBLIC ")) {
    VbDeclaration(line, 6, state);
  } else if (BeginsWith(lead, "PRIVATE ")) {
    VbDeclaration(line, 7, state);
  } else if (BeginsWith(lead, "FUNCTION ") || BeginsWith(lead, "SUB ")) {
    // "function(" and "FunctionCount = 1" are no headers: the keyword must be a word.
    const std::size_t wordLength = lead[0] == 'F' ? 8 : 3;
    const std::string_view name = NameIn(After(TrimLeft(Visible(line)), wordLength));
    if (!name.empty()) SetProcName(state, name);
  }
}

void VbNetLine(const LineContext& line, LocationState& state) {
  const std::string_view lead = line.Lead();
  if (lead.empty()) return;
  const char first = lead[0];
  if (first == '\'' || first == '#' || first == '"' || BeginsWith(lead, "IF ")) return;
  if (BeginsWith(lead, "END ")) {
    EndVbNetBlock(TrimLeft(After(lead, 3)), state);
    return;
  }
  const VbNetHeader header =
      HasVbNetModifier(lead) ? ModifiedVbNetHeader(line) : PlainVbNetHeader(line, lead);
  if (header.name.empty()) return;
  if (header.isClass) {
    state.inClass = 1;
    SetProcName(state, header.name);
    state.method = "CLASS";
  } else if (state.inClass != 0) {
    SetMethod(state, header.name);
  } else {
    SetProcName(state, header.name);
    state.method.clear();
  }
}

namespace {

// CFunctionLine's first tests, on the raw line: a '(' after the first character, before the
// header's end (its body's '{' or a comment), and no ';' before that end.
bool MayBeFunctionHeader(std::string_view raw) {
  // Most lines are statements: a ';' with no '{' and no '/' before it ends the question.
  const char* end = raw.data() + raw.size();
  const char* first = runtime::FindFirstOfThree(raw.data(), end, ';', '{', '/');
  if (first != end && *first == ';') return false;
  const std::size_t open = raw.find('(');
  if (open == npos || open == 0) return false;
  std::string_view header = raw.substr(0, raw.find('{'));
  header = header.substr(0, header.find("//"));
  header = header.substr(0, header.find("/*"));
  return open < header.size() && header.find(';') == npos;
}

}  // namespace

const LineSieve& OtherKindLineSieve(FileKind kind) {
  static constexpr LineSieve kLabels = LineSieve::Of(true, "");
  // PUBLIC, PRIVATE, FUNCTION, SUB; for VB.NET also END, '<' and CLASS.
  static constexpr LineSieve kVb = LineSieve::Of(false, "PFS");
  static constexpr LineSieve kVbNet = LineSieve::Of(false, "E<PFSC");
  switch (kind) {
    case FileKind::Template:
    case FileKind::TextExport:
    case FileKind::Style:
      return kLabels;
    case FileKind::Asp:
    case FileKind::Php:
    case FileKind::Vb:
      return kVb;
    case FileKind::VbNet:
      return kVbNet;
    case FileKind::C:
      return LineSieve::kEveryLine;
    default:
      return LineSieve::kNoLine;
  }
}

bool OtherKindLineMayMove(FileKind kind, std::string_view rawLine) {
  switch (kind) {
    case FileKind::Template:
    case FileKind::TextExport:
    case FileKind::Style:
      return IsRawLabelLine(rawLine);
    case FileKind::C:
      return MayBeFunctionHeader(rawLine);
    case FileKind::Asp:
    case FileKind::Php:
    case FileKind::Vb:
      return RawWordAmong(rawLine, 0, {"PUBLIC", "PRIVATE", "FUNCTION", "SUB"});
    case FileKind::VbNet:
      return RawWordAmong(rawLine, 0,
                          {"END", "<", "PUBLIC", "PRIVATE", "FRIEND", "PROTECTED", "SUB",
                           "FUNCTION", "PROPERTY", "CLASS"});
    default:
      return false;
  }
}

}  // namespace trawlex::engine
