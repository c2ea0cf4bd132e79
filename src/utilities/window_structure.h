#pragma once
// The window-structure analyser's reading of a pasted WINDOW, APPLICATION or REPORT
// declaration: the text is joined into declarations (one per control), and each control
// becomes a row of `WINQ` with its type, text, field equate (FEQ), USE variable, declaration
// line and nesting level.
//
// Choices made here:
// - The structure itself is row 1, at level 0; its controls stand at level 1 and deeper.
// - A label is a word in column 1 of the original line followed by a structure or control
//   keyword ("Detail1  DETAIL,AT(...)"). It is not part of the type; when the control has no
//   USE( the label is its FEQ column, since code names such a control (a report band, the
//   window) by its label.
// - Report bands HEADER, DETAIL, FOOTER, BREAK and FORM are rows of their own, typed by their
//   keyword, and open a nesting level like GROUP or SHEET.
// - "." alone, or after an opening declaration, closes a level as END does.
// - A `!` outside a string literal starts a comment: the rest of the line is dropped.
// Problems (an unbalanced END, an unknown control keyword, a field or line cut to its width)
// are listed with the number of the line the declaration starts on; they never stop loading.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/fixed_text.h"

namespace trawlex::utilities {

inline constexpr std::size_t kJoinedLineWidth = 2024;
inline constexpr const char* kFirstLineMessage =
    "The first line of the structure must be a APPLICATION, WINDOW or REPORT.";
inline constexpr const char* kPasteFirstMessage =
    "You must paste a WINDOW or REPORT definition on this tab first";

// One control of the structure (WINQ).
struct WinqRow {
  runtime::FixedText<20> cntrl;      // control type: "BUTTON", "LIST-DROP", "STRING-REP"
  runtime::FixedText<64> txt;        // the first quoted parameter of the control keyword
  runtime::FixedText<64> feq;        // "?OkButton"
  runtime::FixedText<64> useVar;     // "CUS:Name"
  runtime::FixedText<1000> lnCode;   // the joined declaration
  int lvl = 0;                       // 0 the structure, 1 its controls, 2 inside a GROUP...
  runtime::FixedText<64> fromQueue;  // the FROM( parameter of a list, combo or spin
  int lineNumber = 0;                // line of the pasted text the declaration starts on
};

// A declaration as joined from one or more lines of the text.
struct JoinedLine {
  std::string text;    // leading blanks and comments dropped, continuations joined
  int lineNumber = 0;  // 1-based line of the text it starts on
  std::string label;   // a label in column 1 in front of the keyword, else blank
};

struct WindowProblem {
  int lineNumber = 0;
  std::string text;
};

struct WindowLoad {
  // Set when nothing was loaded: kPasteFirstMessage or kFirstLineMessage.
  std::string refusal;
  std::vector<WinqRow> rows;
  std::vector<JoinedLine> parseLines;  // every joined declaration, shown on "Parse Q"
  std::vector<WindowProblem> problems;
};

// Joins the lines of `text` into declarations; over-long joined lines are cut to
// kJoinedLineWidth and reported.
std::vector<JoinedLine> JoinDeclarations(std::string_view text,
                                         std::vector<WindowProblem>& problems);

// Reads the structure; `noMenus` leaves MENUBAR, MENU and ITEM declarations out of the rows.
WindowLoad LoadWindowStructure(std::string_view text, bool noMenus);

// The problems in one message, a line each: "line 7: END without an open structure".
std::string ProblemsMessage(const std::vector<WindowProblem>& problems);

// The "&Delete...." pop-up and what its choices remove.
inline constexpr const char* kDeleteMenu =
    "Delete Selected Row\tDel|-|Delete Blank FEQs|Delete STRINGs|Delete PROMPTs|"
    "Delete MENUs && ITEMs";
enum class DeleteChoice { SelectedRow = 1, BlankFeqs, Strings, Prompts, MenusAndItems };

// Removes rows by `choice`; `selected` is the 0-based selected row for SelectedRow (ignored
// when out of range). Returns how many rows went.
int DeleteRows(std::vector<WinqRow>& rows, DeleteChoice choice, int selected);

}  // namespace trawlex::utilities
