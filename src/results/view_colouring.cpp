#include "results/view_colouring.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "runtime/match.h"

namespace trawlex::results {
namespace {

constexpr std::int32_t kCommentFg = 0x808080;
constexpr std::int32_t kHeadBg = 0xC0C0C0;
constexpr std::int32_t kOmitBg = 0x0000FF;
constexpr std::int32_t kYellowBg = 0x00FFFF;
constexpr std::int32_t kTemplateQueryBg = 0xDFFFFF;
constexpr std::int32_t kEmbedBg = 0xB7DBFF;
constexpr std::int32_t kCallBg = 0xAFFFFF;
// The kind rules look at no more of a row than this.
constexpr std::size_t kExamined = 50;

// A row as the kind rules see it: upper-cased and cut to the examined length, as it stands
// (`raw`) and without its leading blanks (`lead`).
struct RowText {
  std::string_view whole;
  std::string raw;
  std::string lead;
};

RowText MakeRowText(std::string_view text) {
  const std::size_t first = std::min(text.find_first_not_of(' '), text.size());
  return {text, runtime::UpperText(text.substr(0, kExamined)),
          runtime::UpperText(text.substr(first, kExamined))};
}

bool BeginsWithAny(std::string_view text, std::initializer_list<std::string_view> heads) {
  return std::any_of(heads.begin(), heads.end(),
                     [text](std::string_view head) { return text.starts_with(head); });
}

bool IsAny(std::string_view text, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), text) != words.end();
}

bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> parts) {
  return std::any_of(parts.begin(), parts.end(), [text](std::string_view part) {
    return text.find(part) != std::string_view::npos;
  });
}

// A label in column 1, no comment before its end, and a PROCEDURE, FUNCTION or ROUTINE
// keyword as the next word: the head of a procedure or routine.
bool IsSourceHead(std::string_view raw) {
  if (raw.empty() || raw[0] == ' ') return false;
  const std::size_t blank = raw.find(' ');
  if (blank == std::string_view::npos) return false;
  if (raw.substr(0, blank).find('!') != std::string_view::npos) return false;
  const std::size_t word = raw.find_first_not_of(' ', blank);
  if (word == std::string_view::npos) return false;
  return BeginsWithAny(raw.substr(word), {"PROCEDURE", "FUNCTION", "ROUTINE"});
}

void SourceRules(const RowText& row, RowColours& c) {
  // OMIT( blocks are marked and the row is still coloured by the rules after it.
  if (row.raw.starts_with("OMIT(")) c.bg = kOmitBg;
  if (row.raw.starts_with("!")) {
    c.fg = kCommentFg;
  } else if (IsSourceHead(row.raw)) {
    c.bg = kHeadBg;
  } else if (row.raw.starts_with(" ") && row.lead.starts_with("!")) {
    c.fg = kCommentFg;
  }
}

// The word of a template directive: from after '#' to a '(' or a blank.
std::string_view DirectiveWord(std::string_view lead) {
  if (!lead.starts_with("#")) return {};
  const std::string_view rest = lead.substr(1);
  return rest.substr(0, rest.find_first_of("( "));
}

void TemplateRules(const RowText& row, RowColours& c) {
  const std::string_view word = DirectiveWord(row.lead);
  if (BeginsWithAny(row.lead, {"#!", "!", "#?!", "#<!"})) {
    c.fg = kCommentFg;
  } else if (row.lead.starts_with("#?")) {
    c.bg = kTemplateQueryBg;
  } else if (IsAny(word, {"TEMPLATE", "MODULE", "PROCEDURE", "CONTROL", "CODE", "EXTENSION",
                          "UTILITY", "GROUP"})) {
    c.bg = kHeadBg;
  } else if (IsAny(word, {"AT", "ATEND", "ATSTART"})) {
    c.bg = kYellowBg;
  } else if (word == "EMBED") {
    c.bg = kEmbedBg;
  } else if (IsAny(word, {"INSERT", "CALL", "INVOKE", "RUN", "RUNDLL", "SERVICE"})) {
    c.bg = kCallBg;
  }
}

void TxaRules(const RowText& row, RowColours& c) {
  const std::string_view clipped = std::string_view(row.lead).substr(0, runtime::Len(row.lead));
  if (row.lead.starts_with("EMBED %") ||
      IsAny(clipped,
            {"[APPLICATION]", "[PROGRAM]", "[PROJECT]", "[MODULE]", "[PROCEDURE]", "[ADDITION]"})) {
    c.bg = kHeadBg;
  }
}

void AspRules(const RowText& row, RowColours& c) {
  if (BeginsWithAny(row.lead, {"'", "/*", "//"})) {
    c.fg = kCommentFg;
  } else if (BeginsWithAny(row.lead, {"FUNCTION ", "SUB "})) {
    c.bg = kHeadBg;
  } else if (BeginsWithAny(row.lead, {"<!-- #INCLUDE", "<!--#INCLUDE"})) {
    c.bg = kYellowBg;
  }
}

bool MatchesPattern(std::string_view text, std::string_view pattern) {
  return runtime::MATCH(text, pattern, runtime::Match::Regular) != 0;
}

void BasicRules(const RowText& row, RowColours& c) {
  if (row.lead.starts_with("'")) {
    c.fg = kCommentFg;
  } else if (MatchesPattern(row.lead, "^{PUBLIC |PRIVATE }? *{SUB|FUNCTION|PROPERTY}")) {
    c.bg = kHeadBg;
  }
}

void VbRules(const RowText& row, RowColours& c) {
  if (row.lead.starts_with("'")) {
    c.fg = kCommentFg;
    return;
  }
  if (MatchesPattern(row.lead, "^{SUB |FUNCTION |PROPERTY |CLASS }")) {
    c.bg = kHeadBg;
    return;
  }
  if (!BeginsWithAny(row.lead, {"PUBLIC ", "PRIVATE ", "FRIEND ", "PROTECTED ", "<"})) return;
  // A modifier (or an attribute) in front: the declaration's keyword may stand anywhere.
  const std::string whole = runtime::UpperText(row.whole);
  if (ContainsAny(whole, {" SUB ", " FUNCTION ", " PROPERTY "})) {
    c.bg = kHeadBg;
  } else if (whole.find(" CLASS ") != std::string::npos) {
    c.bg = kYellowBg;
  }
}

void KindRules(ViewFileKind kind, const RowText& row, RowColours& c) {
  switch (kind) {
    case ViewFileKind::Source:
      return SourceRules(row, c);
    case ViewFileKind::Template:
      return TemplateRules(row, c);
    case ViewFileKind::Sty:
      if (row.lead.starts_with("NAME:")) c.bg = kHeadBg;
      return;
    case ViewFileKind::Txa:
      return TxaRules(row, c);
    case ViewFileKind::Asp:
      return AspRules(row, c);
    case ViewFileKind::Basic:
      return BasicRules(row, c);
    case ViewFileKind::Vb:
      return VbRules(row, c);
    case ViewFileKind::C:
      if (BeginsWithAny(row.lead, {"//", "/*"})) c.fg = kCommentFg;
      return;
    case ViewFileKind::Php:
    case ViewFileKind::None:
      return;
  }
}

// The extension: up to three characters after the first dot among the name's last five,
// lower-cased.
std::string ExtensionOf(std::string_view fileName) {
  const std::string_view tail =
      fileName.substr(fileName.size() - std::min<std::size_t>(5, fileName.size()));
  const std::size_t dot = tail.find('.');
  if (dot == std::string_view::npos) return {};
  return runtime::LowerText(tail.substr(dot + 1, 3));
}

// Whether the extension is one of the list's three-letter cells (a shorter extension is
// compared blank-padded; blank cells are no extension).
bool ListedIn(std::string_view list, std::string_view ext) {
  const std::string padded = runtime::Pad(ext, 3);
  for (std::size_t at = 0; at < list.size(); at += 3) {
    const std::string cell = runtime::Pad(list.substr(at, 3), 3);
    if (cell != "   " && runtime::LowerText(cell) == padded) return true;
  }
  return false;
}

}  // namespace

ViewFileKind ViewFileKindOf(std::string_view fileName, std::string_view extVeldar,
                            std::string_view extTemplates) {
  const std::string ext = ExtensionOf(fileName);
  if (ext.empty() || runtime::Len(ext) == 0) return ViewFileKind::None;
  if (ListedIn(extVeldar, ext)) return ViewFileKind::Source;
  if (ListedIn(extTemplates, ext)) return ViewFileKind::Template;
  struct Fixed {
    std::string_view ext;
    ViewFileKind kind;
  };
  static constexpr std::array<Fixed, 10> kFixed = {{{"txa", ViewFileKind::Txa},
                                                    {"sty", ViewFileKind::Sty},
                                                    {"c", ViewFileKind::C},
                                                    {"cpp", ViewFileKind::C},
                                                    {"asp", ViewFileKind::Asp},
                                                    {"php", ViewFileKind::Php},
                                                    {"bas", ViewFileKind::Basic},
                                                    {"frm", ViewFileKind::Basic},
                                                    {"cls", ViewFileKind::Basic},
                                                    {"vb", ViewFileKind::Vb}}};
  for (const Fixed& fixed : kFixed) {
    if (fixed.ext == ext) return fixed.kind;
  }
  return ViewFileKind::None;
}

RowColours ColourRow(ViewFileKind kind, std::string_view text, std::int64_t ptr,
                     const RowMarks& marks) {
  RowColours c;
  if (kind != ViewFileKind::None) KindRules(kind, MakeRowText(text), c);
  // The marks override the kind's background, each later one the earlier.
  if (marks.hitPositions &&
      std::binary_search(marks.hitPositions->begin(), marks.hitPositions->end(), ptr)) {
    c.bg = kHitRowColour;
  }
  if (marks.currentHit != 0 && ptr == marks.currentHit) c.bg = kCurrentHitColour;
  if (marks.find && marks.find->set() && ViewLinePassesFind(*marks.find, text)) {
    c.bg = kFindRowColour;
  }
  return c;
}

}  // namespace trawlex::results
