// trawl regex: the regular-expression checker and explainer on the command line.
//
// Entry point, for commands.h and the command table of main.cpp (name "regex"):
//   int RunRegexCommand(const Arguments& args, std::ostream& out, std::ostream& err);

#include <optional>
#include <ostream>
#include <string>

#include "commands.h"
#include "utilities/regex_checker.h"

namespace trawlex::app {
namespace {

constexpr const char* kRegexUsage =
    "Usage: trawl regex check [--word] [--trailing] PATTERN\n"
    "       trawl regex explain PATTERN\n"
    "\n"
    "Checks a regular expression the way the search does before it uses one, or explains it\n"
    "element by element.\n"
    "\n"
    "Commands:\n"
    "  check     print what is wrong with PATTERN, if anything; exit 0 when it passes,\n"
    "            1 when it does not\n"
    "  explain   print one line per element of PATTERN (its first 60 characters): the\n"
    "            element, a tab and its description; elements inside groups are indented,\n"
    "            blanks of the pattern show as the byte 128; exit 0 when PATTERN passes the\n"
    "            check, 1 when not (the explanation is then a single Error line and the\n"
    "            problem is printed on stderr)\n"
    "\n"
    "Options of check:\n"
    "  --word       the search's whole-word switch is on\n"
    "  --trailing   the search's trailing switch is on\n"
    "  --           ends the options (for a pattern that starts with '-')\n";

struct RegexRequest {
  std::string action;
  std::string pattern;
  bool word = false;
  bool trailing = false;
};

// The checker's lines: '|' starts a new line, so "||" leaves an empty one.
void PrintMessage(std::ostream& stream, std::string text) {
  for (char& c : text) {
    if (c == '|') c = '\n';
  }
  stream << text << "\n";
}

int Check(const RegexRequest& request, std::ostream& out) {
  const auto problem = utilities::RegexProblem(request.pattern, request.word, request.trailing);
  if (!problem) return kExitOk;
  PrintMessage(out, problem->text);
  return kExitNoMatch;
}

int Explain(const RegexRequest& request, std::ostream& out, std::ostream& err) {
  const auto problem = utilities::RegexProblem(request.pattern, false, false);
  for (const auto& row : utilities::ExplainRegex(request.pattern, !problem)) {
    out << row.in << '\t' << row.desc << '\n';
  }
  if (!problem) return kExitOk;
  PrintMessage(err, problem->text);
  return kExitNoMatch;
}

}  // namespace

int RunRegexCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "regex needs check or explain", "regex");
  if (IsHelpOption(args[0])) {
    out << kRegexUsage;
    return kExitOk;
  }
  RegexRequest request;
  request.action = args[0];
  if (request.action != "check" && request.action != "explain") {
    return UsageError(err, "unknown regex action '" + request.action + "' (check or explain)",
                      "regex");
  }
  std::optional<std::string> pattern;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && IsHelpOption(arg)) {
      out << kRegexUsage;
      return kExitOk;
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && request.action == "check" && arg == "--word") {
      request.word = true;
    } else if (!optionsEnded && request.action == "check" && arg == "--trailing") {
      request.trailing = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      return UsageError(err, "unknown option '" + arg + "' for regex " + request.action, "regex");
    } else if (pattern) {
      return UsageError(err, "regex " + request.action + " takes one PATTERN", "regex");
    } else {
      pattern = arg;
    }
  }
  if (!pattern) return UsageError(err, "regex " + request.action + " needs a PATTERN", "regex");
  request.pattern = *pattern;
  return request.action == "check" ? Check(request, out) : Explain(request, out, err);
}

}  // namespace trawlex::app
