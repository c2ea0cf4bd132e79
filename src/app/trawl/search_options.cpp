#include "search_options.h"

#include <charconv>
#include <cstdlib>
#include <string_view>
#include <functional>
#include <map>

#include "engine/label_modes.h"
#include "runtime/pictures.h"

namespace trawlex::app {

const char* const kSearchUsage =
    "Usage: trawl search [OPTIONS] TEXT [PATH]\n"
    "       trawl search --saved NAME [PATH]\n"
    "\n"
    "Searches the files under PATH (default: the current directory) for TEXT and prints\n"
    "every line that holds it, with its location (procedure, method, routine).\n"
    "\n"
    "Options:\n"
    "  -f, --spec SPECS     file specifications, ';'-separated, '~' excludes (default \"*.*\")\n"
    "  -c, --case           case-sensitive\n"
    "  -w, --word           whole word (blanks and line ends separate words)\n"
    "  -t, --trailing       the text must end a word\n"
    "  -k, --code-only      no hits in comments\n"
    "  -1, --first          first hit per file\n"
    "  -m, --smash          ignore blanks and tabs\n"
    "  -W, --wild           TEXT is a wildcard pattern (* and ?)\n"
    "  -X, --regex          TEXT is a regular expression (see 'trawl match --help')\n"
    "  -r, --subdirs        search subdirectories\n"
    "      --levels N       how many levels of subdirectories (default 255)\n"
    "  -l, --label CODE     label mode: Proc, Routine, Class, Queue, Group, File, Key, Equate,\n"
    "                       Label, LnProc, LnRout, LnClass, LnQueue, LnGroup, LnFile, LnKey,\n"
    "                       LnEquate, LnWindow, LnReport, LnLabel, Ignore, NoLblLn\n"
    "  -L, --line-mode      read every file line by line (no quick pre-scan)\n"
    "      --format F       grep (default): RELPATH:LINE:LOCATION:TEXT per hit;\n"
    "                       json: one object per hit (path, file, subdir, subdirnum, line,\n"
    "                       location, text, ptr); a field that is not UTF-8 is written\n"
    "                       as {\"bytes\":\"BASE64\"}\n"
    "                       text: the results as Save Results to Text File writes them\n"
    "                       (CR LF lines); spaces, tsv: the clipboard text of Copy Results\n"
    "                       to Clipboard, aligned with spaces or tab-separated\n"
    "      --clock \"YYYY-MM-DD HH:MM\"  the date and time in the header of text, spaces\n"
    "                       and tsv (default: now)\n"
    "  -0, --null           grep format: a NUL byte instead of the ':' after RELPATH\n"
    "      --on-error P     a file that cannot be opened: ignore (default), remove, stop\n"
    "  -q, --quiet          no summary line\n"
    "      --saved NAME     run the saved search NAME of ./searches.hvn (PATH, when given,\n"
    "                       replaces its path)\n"
    "\n"
    "On a terminal, control characters in names and texts show escaped (\\n, \\t, \\x1b);\n"
    "a pipe or a file gets the bytes as they are.\n"
    "The summary goes to stderr as the last line. Exit status: 0 hits found, 1 none, 2 error\n"
    "(a failed write to stdout is an error: the search stops).\n";

namespace {

using engine::Extra;

// Switches that take no value, by their short and long names.
const std::map<std::string, std::function<void(engine::SearchSwitches&)>>& Flags() {
  static const std::map<std::string, std::function<void(engine::SearchSwitches&)>> flags = {
      {"-c", [](auto& sw) { sw.caseSensitive = 1; }},
      {"--case", [](auto& sw) { sw.caseSensitive = 1; }},
      {"-w", [](auto& sw) { sw.word = 1; }},
      {"--word", [](auto& sw) { sw.word = 1; }},
      {"-t", [](auto& sw) { sw.trail = 1; }},
      {"--trailing", [](auto& sw) { sw.trail = 1; }},
      {"-k", [](auto& sw) { sw.codeOnly = 1; }},
      {"--code-only", [](auto& sw) { sw.codeOnly = 1; }},
      {"-1", [](auto& sw) { sw.first = 1; }},
      {"--first", [](auto& sw) { sw.first = 1; }},
      {"-m", [](auto& sw) { sw.smash = 1; }},
      {"--smash", [](auto& sw) { sw.smash = 1; }},
      {"-W", [](auto& sw) { sw[Extra::Wild] = 1; }},
      {"--wild", [](auto& sw) { sw[Extra::Wild] = 1; }},
      {"-X", [](auto& sw) { sw[Extra::Regex] = 1; }},
      {"--regex", [](auto& sw) { sw[Extra::Regex] = 1; }},
      {"-r", [](auto& sw) { sw.subdirs = 1; }},
      {"--subdirs", [](auto& sw) { sw.subdirs = 1; }},
      {"-L", [](auto& sw) { sw[Extra::LineMode] = 1; }},
      {"--line-mode", [](auto& sw) { sw[Extra::LineMode] = 1; }},
  };
  return flags;
}

class Parser {
 public:
  Parser(const Arguments& args, std::string& error) : args_(args), error_(error) {}

  std::optional<SearchOptions> Parse() {
    options_.request.spec = "*.*";
    options_.request.sw.subLevels = 255;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (at_ = 0; at_ < args_.size(); ++at_) {
      const std::string& arg = args_[at_];
      if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
        operands.push_back(arg);
      } else if (arg == "--") {
        optionsEnded = true;
      } else if (!Option(arg)) {
        return std::nullopt;
      }
      if (options_.help) return options_;
    }
    if (options_.nullAfterPath && options_.format != OutputFormat::Grep) {
      return Fail("-0 is for the grep format");
    }
    if (!options_.savedName.empty()) {
      if (operands.size() > 1) return Fail("unexpected argument '" + operands[1] + "'");
      options_.pathGiven = operands.size() == 1;
      if (options_.pathGiven) options_.path = operands[0];
      return options_;
    }
    if (operands.empty()) return Fail("search needs TEXT");
    if (operands.size() > 2) return Fail("unexpected argument '" + operands[2] + "'");
    if (operands.size() == 2) options_.path = operands[1];
    return Finish(operands[0]);
  }

 private:
  bool Option(const std::string& arg) {
    if (const auto flag = Flags().find(arg); flag != Flags().end()) {
      flag->second(options_.request.sw);
      return true;
    }
    if (arg == "-h" || arg == "--help") return options_.help = true;
    if (arg == "-q" || arg == "--quiet") return options_.quiet = true;
    if (arg == "-0" || arg == "--null") return options_.nullAfterPath = true;
    std::string value;
    if (arg == "-f" || arg == "--spec") return Value(arg, value) && SetSpec(value);
    if (arg == "--levels") return Value(arg, value) && SetLevels(value);
    if (arg == "-l" || arg == "--label") return Value(arg, value) && SetLabel(value);
    if (arg == "--format") return Value(arg, value) && SetFormat(value);
    if (arg == "--on-error") return Value(arg, value) && SetPolicy(value);
    if (arg == "--saved") return Value(arg, options_.savedName);
    if (arg == "--clock") return Value(arg, value) && SetClock(value);
    Fail("unknown option '" + arg + "'");
    return false;
  }

  bool Value(const std::string& option, std::string& value) {
    if (at_ + 1 >= args_.size()) {
      Fail(option + " needs a value");
      return false;
    }
    value = args_[++at_];
    return true;
  }

  bool SetSpec(const std::string& value) {
    if (value.size() > engine::SearchSpec{}.spec.width) {
      Fail("the file specifications are longer than 60 characters");
      return false;
    }
    options_.request.spec = value;
    return true;
  }

  bool SetLevels(const std::string& value) {
    int levels = -1;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), levels);
    if (ec != std::errc{} || end != value.data() + value.size() || levels < 0 || levels > 255) {
      Fail("--levels needs a number from 0 to 255");
      return false;
    }
    options_.request.sw.subLevels = static_cast<std::uint8_t>(levels);
    return true;
  }

  bool SetLabel(const std::string& value) {
    const auto mode = engine::FindLabelModeByCode(value);
    if (!mode) {
      Fail("unknown label mode '" + value + "'");
      return false;
    }
    options_.request.sw[Extra::LabelMode] = static_cast<std::uint8_t>(mode->eqt);
    return true;
  }

  bool SetFormat(const std::string& value) {
    if (value == "grep") {
      options_.format = OutputFormat::Grep;
    } else if (value == "json") {
      options_.format = OutputFormat::Json;
    } else if (value == "text") {
      options_.format = OutputFormat::Text;
    } else if (value == "spaces") {
      options_.format = OutputFormat::Spaces;
    } else if (value == "tsv") {
      options_.format = OutputFormat::Tsv;
    } else {
      Fail("--format is grep, json, text, spaces or tsv");
      return false;
    }
    return true;
  }

  // "YYYY-MM-DD HH:MM", every digit present.
  static bool ReadClock(const std::string& value, int (&parts)[5]) {
    static constexpr std::string_view kForm = "9999-99-99 99:99";
    if (value.size() != kForm.size()) return false;
    for (std::size_t i = 0; i < kForm.size(); ++i) {
      const bool digit = value[i] >= '0' && value[i] <= '9';
      if (kForm[i] == '9' ? !digit : value[i] != kForm[i]) return false;
    }
    constexpr std::size_t starts[5] = {0, 5, 8, 11, 14};
    for (int i = 0; i < 5; ++i) {
      parts[i] = std::atoi(value.substr(starts[i], i == 0 ? 4 : 2).c_str());
    }
    return true;
  }

  bool SetClock(const std::string& value) {
    int parts[5] = {};
    const bool read = ReadClock(value, parts);
    const auto [year, month, day, hour, minute] = parts;
    // A day the calendar moves elsewhere (February 30) is no date.
    const bool realDate = read && year >= 1801 &&
                          runtime::DateOf(runtime::DayNumber(year, month, day)) ==
                              runtime::CivilDate{year, month, day};
    if (!realDate || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
      Fail("--clock needs a date and time as \"YYYY-MM-DD HH:MM\"");
      return false;
    }
    options_.clock = results::ExportClock{runtime::DayNumber(year, month, day),
                                          runtime::TimeOf(hour, minute, 0, 0)};
    return true;
  }

  bool SetPolicy(const std::string& value) {
    static const std::map<std::string, ErrorPolicy> policies = {
        {"ignore", ErrorPolicy::Ignore}, {"remove", ErrorPolicy::Remove}, {"stop", ErrorPolicy::Stop}};
    const auto policy = policies.find(value);
    if (policy == policies.end()) {
      Fail("--on-error is ignore, remove or stop");
      return false;
    }
    options_.onError = policy->second;
    return true;
  }

  std::optional<SearchOptions> Finish(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return Fail("the search text is blank");
    if (text.size() > options_.request.text.width) {
      return Fail("the search text is longer than 60 characters");
    }
    if (options_.path.size() > options_.request.path.width) {
      return Fail("the path is longer than 256 characters");
    }
    options_.request.text = text;
    options_.request.path = options_.path;
    return options_;
  }

  std::nullopt_t Fail(const std::string& message) {
    error_ = message;
    return std::nullopt;
  }

  const Arguments& args_;
  std::string& error_;
  std::size_t at_ = 0;
  SearchOptions options_;
};

}  // namespace

std::optional<SearchOptions> ParseSearchOptions(const Arguments& args, std::string& error) {
  return Parser(args, error).Parse();
}

}  // namespace trawlex::app
