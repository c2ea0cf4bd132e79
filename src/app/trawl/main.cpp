// trawl: the command-line face of the Trawlex search engine, for scripts, tests and
// benchmarks.

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <map>

#include "commands.h"
#include "output_buffer.h"
#include "terminal_text.h"

namespace trawlex::app {
namespace {

constexpr const char* kUsage =
    "Usage: trawl COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "Trawlex searches trees of Veldar source files; trawl is its command-line front end.\n"
    "\n"
    "Commands:\n"
    "  search [OPTIONS] TEXT [PATH]\n"
    "                      search the files under PATH for TEXT; print every hit with\n"
    "                      its location\n"
    "  search --saved NAME [PATH]\n"
    "                      run a saved search of ./searches.hvn\n"
    "  saved               list the saved searches of ./searches.hvn\n"
    "  regex check PATTERN [--word] [--trailing]\n"
    "  regex explain PATTERN\n"
    "                      check a regular expression before a search, or explain it\n"
    "                      element by element\n"
    "  match [--nocase] MODE TEXT PATTERN\n"
    "                      compare TEXT with PATTERN and print 1 (match) or 0;\n"
    "                      MODE is simple, wild, regex, sound or a number 0 to 15\n"
    "  convert pattern-tool NAME < PATTERN\n"
    "                      rewrite the pattern on stdin with a tool of the Regular\n"
    "                      Expression Assistant, or print its Veldar MATCH() call\n"
    "  convert const|vb [--assume-all] < SOURCE\n"
    "                      C #define lines and typedef enums, or VB Const lines, to\n"
    "                      Veldar EQUATEs\n"
    "  convert proto [OPTIONS] < SOURCE\n"
    "                      C prototypes and structures to Veldar PROCEDUREs and GROUPs\n"
    "  window [--no-menus] < STRUCTURE\n"
    "                      list the controls of a WINDOW, APPLICATION or REPORT\n"
    "                      declaration: level, type, text, FEQ, USE variable\n"
    "\n"
    "Run 'trawl COMMAND --help' for the options of a command.\n"
    "Exit status: 0 success or hits found, 1 nothing found, 2 bad usage or error (a failed\n"
    "write to stdout among them).\n";

using Command = int (*)(const Arguments&, std::ostream&, std::ostream&);

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"match", RunMatchCommand},
      {"search", RunSearchCommand},
      {"regex", RunRegexCommand},
      {"saved", RunSavedCommand},
      {"convert", RunConvertCommand},
      {"window", RunWindowCommand},
  };
  return commands;
}

int RunCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
  if (argc < 2) {
    err << kUsage;
    return kExitUsage;
  }
  const std::string name = argv[1];
  if (IsHelpOption(name)) {
    out << kUsage;
    return kExitOk;
  }
  const auto command = Commands().find(name);
  if (command == Commands().end()) return UsageError(err, "unknown command '" + name + "'");
  const Arguments args(argv + 2, argv + argc);
  return command->second(args, out, err);
}

// Output that did not all reach stdout turns any result into an error, as in grep.
int CheckedStatus(int status, std::ostream& out, const FdOutputBuffer& buffer, std::ostream& err) {
  out.flush();
  if (buffer.error() == 0 && out.good()) return status;
  std::string message = "write error";
  if (buffer.error() != 0) message += std::string(": ") + std::strerror(buffer.error());
  PrintError(err, message);
  return kExitUsage;
}

}  // namespace

bool IsHelpOption(const std::string& arg) {
  return arg == "--help" || arg == "-h";
}

void PrintError(std::ostream& err, std::string_view message) {
  err << "trawl: " << Shown(err, message) << "\n";
}

int UsageError(std::ostream& err, const std::string& message, const std::string& command) {
  PrintError(err, message);
  err << "Try 'trawl " << (command.empty() ? "" : command + " ") << "--help'.\n";
  return kExitUsage;
}

int Main(int argc, char** argv) {
  // SIGPIPE keeps its default: when the reader of a pipe goes away, trawl ends with it.
  FdOutputBuffer stdoutBuffer(STDOUT_FILENO);  // hits are printed by the hundred thousand
  std::ostream out(&stdoutBuffer);
  MarkTerminal(out, isatty(STDOUT_FILENO) != 0);
  MarkTerminal(std::cerr, isatty(STDERR_FILENO) != 0);
  const int status = RunCommand(argc, argv, out, std::cerr);
  return CheckedStatus(status, out, stdoutBuffer, std::cerr);
}

}  // namespace trawlex::app

int main(int argc, char** argv) {
  return trawlex::app::Main(argc, argv);
}
