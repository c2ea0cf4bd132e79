// trawl window: the window-structure analyser on the command line. The WINDOW, APPLICATION or
// REPORT declaration on stdin is listed control by control, tab-separated.
//
// Entry point, for commands.h and the command table of main.cpp (name "window"):
//   int RunWindowCommand(const Arguments& args, std::istream& in, std::ostream& out,
//                        std::ostream& err);

#include <iostream>
#include <iterator>
#include <string>

#include "commands.h"
#include "utilities/window_structure.h"

namespace trawlex::app {
namespace {

constexpr const char* kWindowUsage =
    "Usage: trawl window [--no-menus] < STRUCTURE\n"
    "\n"
    "Lists the controls of the WINDOW, APPLICATION or REPORT declaration on stdin, as the\n"
    "Window FEQ USE Buddy does: a header line, then one line per control with the columns,\n"
    "separated by tabs:\n"
    "  Level      nesting level: 0 the structure, 1 its controls, 2 inside a GROUP...\n"
    "  Control    the control type (LIST-DROP, COMBO-DROP, STRING-REP for the variants)\n"
    "  Text       the control's text\n"
    "  FEQ        its field equate label\n"
    "  Use        its USE variable\n"
    "  Line       the line of stdin its declaration starts on\n"
    "  Code Line  the joined declaration\n"
    "Tabs inside a field are printed as blanks. Problems (an unbalanced END, an unknown\n"
    "control, a field cut to its width) go to stderr as 'trawl: line N: ...'.\n"
    "\n"
    "Options:\n"
    "  --no-menus   leave out MENUBAR, MENU and ITEM declarations\n"
    "\n"
    "Exit status: 0 controls listed, 2 bad usage or a refused structure (the first\n"
    "declaration is no APPLICATION, WINDOW or REPORT, or stdin is blank).\n";

std::string Field(std::string_view text) {
  std::string field(text);
  for (char& c : field) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return field;
}

}  // namespace

int RunWindowCommand(const Arguments& args, std::istream& in, std::ostream& out,
                     std::ostream& err) {
  bool noMenus = false;
  for (const std::string& arg : args) {
    if (IsHelpOption(arg)) {
      out << kWindowUsage;
      return kExitOk;
    }
    if (arg != "--no-menus") return UsageError(err, "unknown argument '" + arg + "'", "window");
    noMenus = true;
  }
  const std::string text(std::istreambuf_iterator<char>(in), {});
  const utilities::WindowLoad load = utilities::LoadWindowStructure(text, noMenus);
  if (!load.refusal.empty()) {
    PrintError(err, load.refusal);
    return kExitUsage;
  }
  for (const utilities::WindowProblem& problem : load.problems) {
    PrintError(err, "line " + std::to_string(problem.lineNumber) + ": " + problem.text);
  }
  out << "Level\tControl\tText\tFEQ\tUse\tLine\tCode Line\n";
  for (const utilities::WinqRow& row : load.rows) {
    out << row.lvl << '\t' << Field(row.cntrl.view()) << '\t' << Field(row.txt.view()) << '\t'
        << Field(row.feq.view()) << '\t' << Field(row.useVar.view()) << '\t' << row.lineNumber
        << '\t' << Field(row.lnCode.view()) << '\n';
  }
  return kExitOk;
}

int RunWindowCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  return RunWindowCommand(args, std::cin, out, err);
}

}  // namespace trawlex::app
