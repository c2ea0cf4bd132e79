// The window-structure analyser: declarations joined from pasted lines, controls with their
// type, text, FEQ, USE variable and level, refusals, problems with their line numbers, the
// attribute table and the deleting of rows.

#include "utilities/window_structure.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "utilities/control_attributes.h"

namespace trawlex::utilities {
namespace {

std::string Fixture(const char* name) {
  std::ifstream in(std::string(TRAWLEX_SOURCE_DIR) + "/tests/utilities/fixtures/" + name,
                   std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Expected {
  int lvl;
  const char* cntrl;
  const char* txt;
  const char* feq;
  const char* useVar;
  int line;
};

void ExpectRows(const WindowLoad& load, const std::vector<Expected>& expected) {
  ASSERT_EQ(load.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const WinqRow& row = load.rows[i];
    const Expected& want = expected[i];
    EXPECT_EQ(row.lvl, want.lvl) << i;
    EXPECT_EQ(row.cntrl.str(), want.cntrl) << i;
    EXPECT_EQ(row.txt.str(), want.txt) << i;
    EXPECT_EQ(row.feq.str(), want.feq) << i;
    EXPECT_EQ(row.useVar.str(), want.useVar) << i;
    EXPECT_EQ(row.lineNumber, want.line) << i;
  }
}

TEST(WindowStructure, ReadsWindowAndReportRowByRow) {
  const WindowLoad window = LoadWindowStructure(Fixture("customer_window.vlw"), false);
  EXPECT_TRUE(window.refusal.empty());
  EXPECT_TRUE(window.problems.empty()) << ProblemsMessage(window.problems);
  ExpectRows(window, {{0, "WINDOW", "Update Customer", "CustomerWin", "", 2},
                      {1, "MENUBAR", "", "?Menubar", "", 4},
                      {2, "MENU", "&File", "?FileMenu", "", 5},
                      {3, "ITEM", "E&xit", "?Exit", "", 6},
                      {1, "SHEET", "", "?Sheet1", "", 9},
                      {2, "TAB", "&General", "?GeneralTab", "", 10},
                      {3, "PROMPT", "&Name:", "?CUS:Name:Prompt", "", 11},
                      {3, "ENTRY", "", "?CUS:Name", "CUS:Name", 12},
                      {3, "PROMPT", "&Type:", "?Prompt2", "", 13},
                      {3, "LIST-DROP", "", "?TypeList", "Loc:Type", 14},
                      {3, "OPTION", "Status", "?CUS:Status", "CUS:Status", 15},
                      {4, "RADIO", "Active", "?Active", "", 16},
                      {4, "RADIO", "Closed", "?Closed", "", 17},
                      {3, "CHECK", "Taxable", "?CUS:Taxable", "CUS:Taxable", 19},
                      {2, "TAB", "&Notes", "?NotesTab", "", 21},
                      {3, "TEXT", "", "?CUS:Notes", "CUS:Notes", 22},
                      {3, "STRING", "Entered on the first visit", "?EnteredNote", "", 23},
                      {1, "BUTTON", "&Ok", "?OkButton", "", 27},
                      {1, "BUTTON", "Cancel", "?CancelButton", "", 28}});
  // Continuations are joined, comments dropped, the label kept in front of the keyword.
  EXPECT_EQ(window.rows[0].lnCode.str(),
            "CustomerWin WINDOW('Update Customer'),AT(,,260,180),FONT('Segoe UI',9),CENTER,GRAY,"
            "SYSTEM,MDI");
  EXPECT_EQ(window.rows[7].lnCode.str(), "ENTRY(@s40),AT(60,22,120,10),USE(CUS:Name),REQ");
  EXPECT_EQ(window.rows[9].fromQueue.str(), "TypeQ");
  EXPECT_EQ(window.parseLines.size(), 26u);

  const WindowLoad noMenus = LoadWindowStructure(Fixture("customer_window.vlw"), true);
  ASSERT_EQ(noMenus.rows.size(), window.rows.size() - 3);
  EXPECT_EQ(noMenus.rows[1].cntrl.str(), "SHEET");

  const WindowLoad report = LoadWindowStructure(Fixture("invoice_report.vlw"), false);
  EXPECT_TRUE(report.problems.empty()) << ProblemsMessage(report.problems);
  ExpectRows(report, {{0, "REPORT", "", "Report", "", 1},
                      {1, "HEADER", "", "", "", 2},
                      {2, "STRING-REP", "Invoices", "", "", 3},
                      {1, "DETAIL", "", "?Detail", "", 5},
                      {2, "STRING-REP", "", "?INV:Number", "INV:Number", 6},
                      {2, "STRING-REP", "", "?CustomerName", "INV:Customer", 7},
                      {1, "BREAK", "", "Totals", "", 9},
                      {2, "FOOTER", "", "", "", 10},
                      {3, "STRING-REP", "", "?INV:Amount", "INV:Amount", 11}});
}

TEST(WindowStructure, UseGivesFeqAndVariable) {
  const WindowLoad load = LoadWindowStructure(
      "  window('x')\n"
      "  BUTTON('&Ok'),USE(?OkButton)\n"
      "  ENTRY(@s20),USE(CUS:Name)\n"
      "  ENTRY(@n5),USE(Loc:X,?MyX)\n"
      "  PROMPT('It''s'),USE(?P)\n"
      "  COMBO(@s5),USE(Loc:C),DROP(3)\n"
      " END\n",
      false);
  ExpectRows(load, {{0, "WINDOW", "x", "", "", 1},
                    {1, "BUTTON", "&Ok", "?OkButton", "", 2},
                    {1, "ENTRY", "", "?CUS:Name", "CUS:Name", 3},
                    {1, "ENTRY", "", "?MyX", "Loc:X", 4},
                    {1, "PROMPT", "It's", "?P", "", 5},
                    {1, "COMBO-DROP", "", "?Loc:C", "Loc:C", 6}});
}

TEST(WindowStructure, RefusesTextThatIsNoStructure) {
  const WindowLoad control = LoadWindowStructure("BUTTON('&Ok'),USE(?OkButton)\nEND\n", false);
  EXPECT_EQ(control.refusal,
            "The first line of the structure must be a APPLICATION, WINDOW or REPORT.");
  EXPECT_TRUE(control.rows.empty());
  EXPECT_EQ(LoadWindowStructure(" \r\n\n", false).refusal,
            "You must paste a WINDOW or REPORT definition on this tab first");
}

TEST(WindowStructure, ReportsProblemsWithTheirLines) {
  const std::string longText(1100, 'x');
  const WindowLoad load = LoadWindowStructure(
      "WINDOW('w')\n"
      "  GIZMO(1),USE(?G)\n"
      "  STRING('" +
          longText +
          "'),USE(?S)\n"
          "  GROUP,USE(?Grp)\n"
          "  END\n"
          "END\n"
          "END\n"
          "  BUTTON('late')\n",
      false);
  EXPECT_EQ(ProblemsMessage(load.problems),
            "line 2: unknown control 'GIZMO'|"
            "line 3: the text is 1100 characters long; it is cut to 64|"
            "line 3: the code line is 1118 characters long; it is cut to 1000|"
            "line 7: END without an open structure or control|"
            "line 8: BUTTON stands after the END of the structure and is left out");
  ASSERT_EQ(load.rows.size(), 4u);
  EXPECT_EQ(load.rows[2].txt.length(), 64u);
  EXPECT_EQ(load.rows[2].lnCode.length(), 1000u);

  const WindowLoad open = LoadWindowStructure("WINDOW('w')\n SHEET\n  TAB('a')\n", false);
  EXPECT_EQ(ProblemsMessage(open.problems),
            "line 1: WINDOW is not closed by END|line 2: SHEET is not closed by END|"
            "line 3: TAB is not closed by END");

  std::string joined = "WINDOW('w')\n  BUTTON('a'),|\n";
  for (int i = 0; i < 300; ++i) joined += "  AT(1,2,3,4),|\n";
  const WindowLoad cut = LoadWindowStructure(joined + "  USE(?B)\nEND\n", false);
  EXPECT_EQ(ProblemsMessage(cut.problems),
            "line 2: the declaration is 3619 characters long; only the first 2024 are read|"
            "line 2: the code line is 2024 characters long; it is cut to 1000");
}

// Whatever is pasted (cut short, bytes changed), loading ends and every field keeps its width.
TEST(WindowStructure, DamagedTextNeverOverflowsFields) {
  const std::string text = Fixture("customer_window.vlw") + Fixture("invoice_report.vlw");
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string damaged = text.substr(0, random() % text.size());
    for (int i = 0; i < 8 && !damaged.empty(); ++i) {
      damaged[random() % damaged.size()] = "()',|!&\n .\xAB"[random() % 11];
    }
    const WindowLoad load = LoadWindowStructure(damaged, round % 2 == 0);
    for (const WinqRow& row : load.rows) {
      EXPECT_LE(row.cntrl.length(), 20u);
      EXPECT_LE(row.lnCode.length(), 1000u);
      EXPECT_GE(row.lineNumber, 1);
    }
  }
}

TEST(WindowStructure, AttributeTableHoldsEveryAttributeInOrder) {
  const std::vector<AttributeRow>& table = AttributeTable();
  ASSERT_EQ(table.size(), 147u);
  EXPECT_EQ(ControlTypes().size(), 35u);
  EXPECT_EQ(table.front().attr.str(), "ABOVE");
  EXPECT_EQ(table[10].attr.str(), "ACTIVE");
  EXPECT_EQ(table[79].attr.str(), "MAXHEIGHT");
  EXPECT_EQ(table[144].attr.str(), "TEXT");
  EXPECT_EQ(table.back().attr.str(), "TEXT-PIC");
  const std::vector<std::tuple<std::string, int, std::string>> telling = {
      {"ABOVE", 2, "SHEET,SLIDER"},
      {"ALRT", 13,
       "BUTTON,CHECK,COMBO,ENTRY,GROUP,LIST,OLE,OPTION,RADIO,SPIN,TEXT,WINDOW,APPLICATION"},
      {"AT", 32, "~MENUBAR,TAB,BREAK"},
      {"DROP", 2, "COMBO-DROP,LIST-DROP"},
      {"FROM", 3, "COMBO,LIST,SPIN"},
      {"TEXT-FILE", 1, "IMAGE"},
      {"TEXT-PIC", 3, "COMBO,ENTRY,SPIN"},
      {"USE", 32, "~WINDOW,APPLICATION,REPORT"}};
  for (const auto& [attr, cnt, ctrls] : telling) {
    const auto row = std::find_if(table.begin(), table.end(),
                                  [&](const AttributeRow& r) { return r.attr == attr; });
    ASSERT_NE(row, table.end()) << attr;
    EXPECT_EQ(row->cnt, cnt) << attr;
    EXPECT_EQ(row->ctrls.str(), ctrls) << attr;
  }
  // Every list names known types only.
  for (const AttributeRow& row : table) {
    std::string_view list = row.ctrls.view();
    if (list.starts_with('~')) list.remove_prefix(1);
    std::stringstream names{std::string(list)};
    for (std::string name; std::getline(names, name, ',');) {
      EXPECT_NE(std::find(ControlTypes().begin(), ControlTypes().end(), name), ControlTypes().end())
          << row.attr.str() << ": " << name;
    }
  }
}

TEST(WindowStructure, DeleteChoicesRemoveTheirRows) {
  const WindowLoad load = LoadWindowStructure(Fixture("customer_window.vlw"), false);
  const std::vector<std::pair<DeleteChoice, int>> cases = {{DeleteChoice::SelectedRow, 1},
                                                           {DeleteChoice::BlankFeqs, 0},
                                                           {DeleteChoice::Strings, 1},
                                                           {DeleteChoice::Prompts, 2},
                                                           {DeleteChoice::MenusAndItems, 2}};
  for (const auto& [choice, removed] : cases) {
    std::vector<WinqRow> rows = load.rows;
    EXPECT_EQ(DeleteRows(rows, choice, 3), removed) << static_cast<int>(choice);
    EXPECT_EQ(rows.size(), load.rows.size() - removed);
  }
  std::vector<WinqRow> rows = load.rows;
  DeleteRows(rows, DeleteChoice::SelectedRow, 3);
  EXPECT_EQ(rows[3].cntrl.str(), "SHEET");
  EXPECT_EQ(DeleteRows(rows, DeleteChoice::SelectedRow, 99), 0);
}

}  // namespace
}  // namespace trawlex::utilities
