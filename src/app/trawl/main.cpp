// trawl: the command-line face of the Trawlex search engine, for scripts, tests and
// benchmarks.

#include <iostream>
#include <map>

#include "commands.h"

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
    "\n"
    "Run 'trawl COMMAND --help' for the options of a command.\n"
    "Exit status: 0 success or hits found, 1 nothing found, 2 bad usage or error.\n";

using Command = int (*)(const Arguments&, std::ostream&, std::ostream&);

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"match", RunMatchCommand},
      {"search", RunSearchCommand},
      {"regex", RunRegexCommand},
      {"saved", RunSavedCommand},
  };
  return commands;
}

}  // namespace

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

int UsageError(std::ostream& err, const std::string& message, const std::string& command) {
  err << "trawl: " << message << "\n";
  err << "Try 'trawl " << (command.empty() ? "" : command + " ") << "--help'.\n";
  return kExitUsage;
}

int Main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);  // hits are printed by the hundred thousand
  if (argc < 2) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  const std::string name = argv[1];
  if (IsHelpOption(name)) {
    std::cout << kUsage;
    return kExitOk;
  }
  const auto command = Commands().find(name);
  if (command == Commands().end()) return UsageError(std::cerr, "unknown command '" + name + "'");
  const Arguments args(argv + 2, argv + argc);
  return command->second(args, std::cout, std::cerr);
}

}  // namespace trawlex::app

int main(int argc, char** argv) { return trawlex::app::Main(argc, argv); }
