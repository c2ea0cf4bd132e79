// trawl convert: the converters of the developer utilities on the command line. Each
// converter is a subcommand that reads its input from stdin and writes the result to stdout;
// a new one (const, vb, proto) adds a row to Converters() and its run function.
//
// Entry point, for commands.h and the command table of main.cpp (name "convert"):
//   int RunConvertCommand(const Arguments& args, std::istream& in, std::ostream& out,
//                         std::ostream& err);

#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "runtime/fixed_text.h"
#include "utilities/constant_converter.h"
#include "utilities/pattern_tools.h"
#include "utilities/prototype_converter.h"
#include "utilities/type_table.h"

namespace trawlex::app {
namespace {

constexpr const char* kConvertUsage =
    "Usage: trawl convert pattern-tool NAME [--case no|yes|nocase] < PATTERN\n"
    "       trawl convert const|vb [--assume-all] < SOURCE\n"
    "       trawl convert proto [--sal|--no-sal] [--cvt-t] [--type-cvt|--no-type-cvt] < SOURCE\n"
    "\n"
    "Runs a converter of the developer utilities: the input comes from stdin, the result\n"
    "goes to stdout.\n"
    "\n"
    "Converters:\n"
    "  pattern-tool NAME   a tool of the Regular Expression Assistant on the one-line\n"
    "                      pattern of stdin (at most 60 characters, as in the assistant):\n"
    "    prefix-metas      put a backslash before every meta character .*+?\\[]{}|^$\n"
    "    remove-metas      drop the meta characters; escaped ones stay, without the \\\n"
    "    unix              ( ) and \\( \\) become { }, braces are escaped (a note on stderr)\n"
    "    veldar-literal    undouble the {{ << '' of a Veldar string literal\n"
    "    match-code        print the Veldar MATCH() call for the pattern; --case gives\n"
    "                      the assistant's case option: no (the default), yes or nocase\n"
    "  const               C #define lines and typedef enum blocks to Veldar EQUATEs\n"
    "  vb                  VB Const lines to Veldar EQUATEs\n"
    "    --assume-all      take every line as a definition, keyword or not\n"
    "  proto               C prototypes (one parameter per line) and structures to Veldar\n"
    "                      PROCEDURE prototypes and GROUP,TYPEs; Windows types through\n"
    "                      WinTypesUser.VLW or WinTypes.VLW of the current directory\n"
    "    --sal, --no-sal   drop source annotations, _opt => <Omittable> (the default), or\n"
    "                      keep them\n"
    "    --cvt-t           keep the _T 32/64 type names instead of SIGNED / UNSIGNED\n"
    "    --type-cvt, --no-type-cvt\n"
    "                      map Windows types through the table (the default), or leave\n"
    "                      them as they are\n"
    "\n"
    "Exit status: 0 converted, 2 bad usage or unusable input (nothing is printed then).\n";

constexpr const char* kMatchCodeName = "match-code";

struct PatternToolRequest {
  std::string name;
  utilities::CaseOption option = utilities::CaseOption::No;
};

std::optional<utilities::CaseOption> CaseOptionNamed(const std::string& name) {
  if (name == "no") return utilities::CaseOption::No;
  if (name == "yes") return utilities::CaseOption::Yes;
  if (name == "nocase") return utilities::CaseOption::MatchNoCase;
  return std::nullopt;
}

std::optional<utilities::PatternTool> ToolNamed(const std::string& name) {
  for (const utilities::PatternToolInfo& info : utilities::PatternTools()) {
    if (name == info.cliName) return info.tool;
  }
  return std::nullopt;
}

// The one line of stdin, without its line end; refused (with the reason in `problem`) when
// it holds more lines or does not fit the assistant's pattern field.
std::optional<std::string> ReadPattern(std::istream& in, std::string& problem) {
  std::string text(std::istreambuf_iterator<char>(in), {});
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  if (text.find_first_of("\r\n") != std::string::npos) {
    problem = "the pattern must be one line";
    return std::nullopt;
  }
  if (const std::size_t length = runtime::Len(text); length > utilities::kToolPatternWidth) {
    problem = "the pattern is " + std::to_string(length) + " characters long, at most " +
              std::to_string(utilities::kToolPatternWidth) + " fit";
    return std::nullopt;
  }
  return runtime::Clip(text);
}

// The brace note of the assistant, on one line of stderr.
void PrintNote(std::ostream& err, std::string note) {
  for (std::size_t at = note.find(" ||"); at != std::string::npos; at = note.find(" ||")) {
    note.replace(at, 3, " ");
  }
  PrintError(err, note);
}

int ConvertPattern(const PatternToolRequest& request, const std::string& pattern, std::ostream& out,
                   std::ostream& err) {
  if (request.name == kMatchCodeName) {
    out << utilities::MatchCode(pattern, request.option) << '\n';
    return kExitOk;
  }
  const utilities::PatternTool tool = *ToolNamed(request.name);
  const utilities::ToolOutcome outcome = utilities::RunPatternTool(tool, pattern);
  if (const auto problem = utilities::TooLongProblem(tool, outcome.pattern)) {
    PrintError(err, *problem);
    return kExitUsage;
  }
  out << outcome.pattern << '\n';
  if (outcome.bracesEscaped) PrintNote(err, utilities::kBracesEscapedMessage);
  return kExitOk;
}

int RunPatternTool(const Arguments& args, std::istream& in, std::ostream& out, std::ostream& err) {
  PatternToolRequest request;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--case" && i + 1 < args.size()) {
      const auto option = CaseOptionNamed(args[++i]);
      if (!option) return UsageError(err, "unknown case option '" + args[i] + "'", "convert");
      request.option = *option;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError(err, "unknown option '" + arg + "' for convert pattern-tool", "convert");
    } else if (!request.name.empty()) {
      return UsageError(err, "convert pattern-tool takes one NAME", "convert");
    } else {
      request.name = arg;
    }
  }
  if (request.name.empty()) return UsageError(err, "convert pattern-tool needs a NAME", "convert");
  if (request.name != kMatchCodeName && !ToolNamed(request.name)) {
    return UsageError(err, "unknown pattern tool '" + request.name + "'", "convert");
  }
  std::string problem;
  const std::optional<std::string> pattern = ReadPattern(in, problem);
  if (!pattern) {
    PrintError(err, problem);
    return kExitUsage;
  }
  return ConvertPattern(request, *pattern, out, err);
}

// "const" and "vb": the whole of stdin converted as the converter window converts its tab.
int RunConstants(const Arguments& args, std::istream& in, std::ostream& out, std::ostream& err) {
  bool assumeAll = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] != "--assume-all") {
      return UsageError(err, "unknown option '" + args[i] + "' for convert " + args[0], "convert");
    }
    assumeAll = true;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const utilities::ConversionResult result = args[0] == "vb"
                                                 ? utilities::ConvertVbConsts(text, assumeAll)
                                                 : utilities::ConvertDefines(text, assumeAll);
  if (!result.refusal.empty()) {
    PrintError(err, result.refusal);
    return kExitUsage;
  }
  out << result.text;
  return kExitOk;
}

// "proto": the whole of stdin converted as the prototype converter window converts it.
int RunPrototypes(const Arguments& args, std::istream& in, std::ostream& out, std::ostream& err) {
  utilities::ProtoOptions options;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--sal" || args[i] == "--no-sal") {
      options.sal = args[i] == "--sal";
    } else if (args[i] == "--cvt-t") {
      options.cvtT = true;
    } else if (args[i] == "--type-cvt" || args[i] == "--no-type-cvt") {
      options.typeCvt = args[i] == "--type-cvt";
    } else {
      return UsageError(err, "unknown option '" + args[i] + "' for convert proto", "convert");
    }
  }
  utilities::TypeTableLoad table;
  if (options.typeCvt) {
    table = utilities::LoadTypeTable(".");
    // Without a table the types stay as they are; the conversion is still worth having.
    if (!table.error.empty()) PrintNote(err, table.error);
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const utilities::PrototypeConversion result =
      utilities::ConvertPrototypes(text, options, table.parse.table);
  if (!result.error.empty()) {
    PrintError(err, result.error);
    return kExitUsage;
  }
  out << result.output;
  return kExitOk;
}

using Converter = int (*)(const Arguments&, std::istream&, std::ostream&, std::ostream&);

struct ConverterEntry {
  const char* name;
  Converter run;
};

const std::vector<ConverterEntry>& Converters() {
  static const std::vector<ConverterEntry> converters = {
      {"pattern-tool", RunPatternTool},
      {"const", RunConstants},
      {"vb", RunConstants},
      {"proto", RunPrototypes},
  };
  return converters;
}

}  // namespace

int RunConvertCommand(const Arguments& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
  if (args.empty()) return UsageError(err, "convert needs a converter", "convert");
  for (const std::string& arg : args) {
    if (IsHelpOption(arg)) {
      out << kConvertUsage;
      return kExitOk;
    }
  }
  for (const ConverterEntry& converter : Converters()) {
    if (args[0] == converter.name) return converter.run(args, in, out, err);
  }
  return UsageError(err, "unknown converter '" + args[0] + "'", "convert");
}

int RunConvertCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  return RunConvertCommand(args, std::cin, out, err);
}

}  // namespace trawlex::app
