// The viewer's row colours: the kind of file from its name, one row per kind rule, and the
// marks of hits, the current hit and the find over them.

#include "results/view_colouring.h"

#include <gtest/gtest.h>

namespace trawlex::results {
namespace {

constexpr std::string_view kVeldar = "vlwincintvlavli  ";
constexpr std::string_view kTemplates = "tpltpwtpxtpd  ";

TEST(ViewColouring, KindFromTheExtension) {
  const std::pair<const char*, ViewFileKind> cases[] = {
      {"Main.VLW", ViewFileKind::Source},
      {"a.inc", ViewFileKind::Source},
      {"x.tpw", ViewFileKind::Template},
      {"App.txa", ViewFileKind::Txa},
      {"s.sty", ViewFileKind::Sty},
      {"m.c", ViewFileKind::C},
      {"m.cpp", ViewFileKind::C},
      {"p.asp", ViewFileKind::Asp},
      {"p.php", ViewFileKind::Php},
      {"f.frm", ViewFileKind::Basic},
      {"k.cls", ViewFileKind::Basic},
      {"Form1.vb", ViewFileKind::Vb},
      {"notes.txt", ViewFileKind::None},
      {"Makefile", ViewFileKind::None},
      {"x.lwi", ViewFileKind::None},  // "lwi" stands in the list, but across two cells
      {"archive.vlw.bak", ViewFileKind::None},
  };
  for (const auto& [name, kind] : cases) {
    EXPECT_EQ(ViewFileKindOf(name, kVeldar, kTemplates), kind) << name;
  }
}

TEST(ViewColouring, KindRuleTable) {
  constexpr std::int32_t L = kListColour;
  struct Case {
    ViewFileKind kind;
    const char* row;
    std::int32_t fg;
    std::int32_t bg;
  };
  using K = ViewFileKind;
  const Case cases[] = {
      {K::Source, "omit('***')", L, 0x0000FF},
      {K::Source, "OMIT(x) PROCEDURE", L, 0xC0C0C0},  // OMIT( and the rules after it
      {K::Source, "! a comment", 0x808080, L},
      {K::Source, "Main    PROCEDURE(a)", L, 0xC0C0C0},
      {K::Source, "Fix  routine", L, 0xC0C0C0},
      {K::Source, "a!b FUNCTION", L, L},
      {K::Source, "  PROCEDURE", L, L},
      {K::Source, "   ! indented comment", 0x808080, L},
      {K::Template, "  #! note", 0x808080, L},
      {K::Template, "#<! note", 0x808080, L},
      {K::Template, "#? %x", L, 0xDFFFFF},
      {K::Template, "#PROCEDURE(Browse,'x')", L, 0xC0C0C0},
      {K::Template, "#ATEND", L, 0x00FFFF},
      {K::Template, "  #embed(%x)", L, 0xB7DBFF},
      {K::Template, "#INSERT(%y)", L, 0xAFFFFF},
      {K::Template, "#ENDAT", L, L},
      {K::Sty, "Name: Heading", L, 0xC0C0C0},
      {K::Txa, "EMBED %ProcedureSetup", L, 0xC0C0C0},
      {K::Txa, "[PROCEDURE]  ", L, 0xC0C0C0},
      {K::Txa, "[PROCEDURE] x", L, L},
      {K::Asp, " ' remark", 0x808080, L},
      {K::Asp, "Function Go()", L, 0xC0C0C0},
      {K::Asp, "<!--#include file=\"a\"-->", L, 0x00FFFF},
      {K::Basic, "' remark", 0x808080, L},
      {K::Basic, "Private   Sub Go()", L, 0xC0C0C0},
      {K::Basic, "Dim a", L, L},
      {K::Vb, "Class Order", L, 0xC0C0C0},
      {K::Vb, "Public Overrides Function Go()", L, 0xC0C0C0},
      {K::Vb, "<Serializable()> Public Class Order", L, 0x00FFFF},
      {K::Vb, "Public x As Integer", L, L},
      {K::C, "  // remark", 0x808080, L},
      {K::Php, "// remark", L, L},
      {K::None, "! remark", L, L},
  };
  for (const Case& c : cases) {
    const RowColours colours = ColourRow(c.kind, c.row, 1, {});
    EXPECT_EQ(colours.fg, c.fg) << c.row;
    EXPECT_EQ(colours.bg, c.bg) << c.row;
    EXPECT_EQ(colours.selectedBg, L) << c.row;
  }
}

TEST(ViewColouring, MarksOverrideInOrder) {
  const std::vector<std::int64_t> hits = {10, 40, 90};
  FindRecord find;
  find.findText = "needle";
  PrepareFindText(find);
  const RowMarks marks{&hits, 40, &find};
  const auto bg = [&marks](const char* row, std::int64_t ptr) {
    return ColourRow(ViewFileKind::Source, row, ptr, marks).bg;
  };
  EXPECT_EQ(bg("Main PROCEDURE", 5), 0xC0C0C0);
  EXPECT_EQ(bg("Main PROCEDURE", 10), kHitRowColour);
  EXPECT_EQ(bg("x = 1", 40), kCurrentHitColour);
  EXPECT_EQ(bg("x = NEEDLE", 40), kFindRowColour);
  EXPECT_EQ(bg("x = needle", 50), kFindRowColour);
  EXPECT_EQ(ColourRow(ViewFileKind::Source, "! x", 90, marks).fg, 0x808080);
}

}  // namespace
}  // namespace trawlex::results
