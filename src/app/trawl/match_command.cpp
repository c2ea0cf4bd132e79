// trawl match: answers MATCH for one text and pattern.

#include <charconv>
#include <map>
#include <optional>
#include <ostream>

#include "commands.h"
#include "runtime/match.h"

namespace trawlex::app {
namespace {

constexpr const char* kMatchUsage =
    "Usage: trawl match [--nocase] MODE TEXT PATTERN\n"
    "\n"
    "Compares TEXT with PATTERN the way the search does and prints 1 (match) or 0.\n"
    "Trailing spaces of both are ignored.\n"
    "\n"
    "MODE:\n"
    "  simple   equal texts\n"
    "  wild     wildcard pattern: * any run of characters, ? one character\n"
    "  regex    regular expression: {} groups, [] and [^] or [~] classes, . ^ $ * + ? |,\n"
    "           \\ takes the next character literally\n"
    "  sound    the texts sound alike\n"
    "  0..15    the numeric mode (0 simple, 1 wild, 2 regex, 3 sound, others never match)\n"
    "\n"
    "Options:\n"
    "  -i, --nocase   ignore case (character classes stay case-sensitive)\n";

std::optional<unsigned> ParseMode(const std::string& word) {
  static const std::map<std::string, unsigned> names = {
      {"simple", runtime::Match::Simple},
      {"wild", runtime::Match::Wild},
      {"regex", runtime::Match::Regular},
      {"sound", runtime::Match::Soundex},
  };
  if (const auto named = names.find(word); named != names.end()) return named->second;
  unsigned value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || value > 15) return std::nullopt;
  return value;
}

}  // namespace

int RunMatchCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  bool noCase = false;
  Arguments operands;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && IsHelpOption(arg)) {
      out << kMatchUsage;
      return kExitOk;
    }
    if (!optionsEnded && (arg == "--nocase" || arg == "-i")) {
      noCase = true;
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && operands.empty()) {
      return UsageError(err, "unknown option '" + arg + "'", "match");
    } else {
      operands.push_back(arg);
    }
  }
  if (operands.size() != 3) {
    return UsageError(err, "match needs MODE, TEXT and PATTERN", "match");
  }
  const auto mode = ParseMode(operands[0]);
  if (!mode) {
    return UsageError(err, "unknown mode '" + operands[0] + "' (simple, wild, regex, sound or 0 to 15)",
                      "match");
  }
  const unsigned flags = *mode | (noCase ? runtime::Match::NoCase : 0u);
  out << runtime::MATCH(operands[1], operands[2], flags) << "\n";
  return kExitOk;
}

}  // namespace trawlex::app
