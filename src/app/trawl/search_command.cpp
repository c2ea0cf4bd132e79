// trawl search: runs a search request over a tree and prints its hits.

#include <sys/stat.h>

#include <iostream>
#include <memory>

#include "commands.h"
#include "engine/engine_settings.h"
#include "engine/prefetcher.h"
#include "engine/search_run.h"
#include "engine/standard_trackers.h"
#include "hit_output.h"
#include "results/run_texts.h"
#include "runtime/match.h"
#include "runtime/profile.h"
#include "runtime/regex_program.h"
#include "saved_searches_cli.h"
#include "search_options.h"
#include "shell/search_parameter_rules.h"
#include "terminal_questions.h"
#include "terminal_text.h"
#include "utilities/regex_checker.h"

namespace trawlex::app {
namespace {

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Message texts break lines at '|'; one line reads better on a terminal.
std::string OneLine(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '|') c = ' ';
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

// Tidies the request and refuses what the search dialogue would refuse; empty when the
// request is fine.
std::string CheckRequest(SearchOptions& options) {
  engine::SearchSpec& request = options.request;
  if (request.wild()) request.text = shell::TidyWildcardText(request.text.str());
  if (request.text.empty()) return "the search text is blank";
  if (request.regex() && !request.wild()) {
    if (const auto problem = utilities::RegexProblem(request.text.str(), request.sw.word != 0,
                                                     request.sw.trail != 0)) {
      return OneLine(problem->text);
    }
    if (!runtime::CompileRegex(request.text.str(), false)) {
      return "the regular expression does not compile: " + request.text.str();
    }
  }
  request.spec = shell::NormaliseSpecs(request.spec.str());
  if (request.spec.empty()) return "no file specifications";
  if (!IsDirectory(options.path)) return "path not found: " + options.path;
  return {};
}

// Replaces the request by the saved search; a PATH given on the command line wins.
bool TakeSavedSearch(SearchOptions& options, std::string& error) {
  const auto saved = LoadSavedSearch(options.savedName, error);
  if (!saved) return false;
  const std::string path = options.path;
  options.request = *saved;
  if (options.pathGiven) options.request.path = path;
  options.path = options.request.path.str();
  return true;
}

}  // namespace

int RunSearchCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  std::string error;
  auto options = ParseSearchOptions(args, error);
  if (!options) return UsageError(err, error, "search");
  if (options->help) {
    out << kSearchUsage;
    return kExitOk;
  }
  if (!options->savedName.empty() && !TakeSavedSearch(*options, error)) {
    PrintError(err, error);
    return kExitUsage;
  }
  if (const std::string problem = CheckRequest(*options); !problem.empty()) {
    PrintError(err, problem);
    return kExitUsage;
  }

  // A settings file that is not a regular file of sane size is read as missing; say so.
  constexpr const char* kSettingsFile = "Search.DAT";
  if (const auto refusal = runtime::ProfileFileRefusal(kSettingsFile)) {
    PrintError(err, *refusal + ": the default settings apply");
  }
  const engine::EngineSettings settings = engine::LoadEngineSettings(kSettingsFile);
  engine::SearchRun* running = nullptr;
  TerminalQuestions questions(err, options->onError, [&running] {
    if (running) running->Stop();
  });
  HitPrinter printer(out, *options);
  engine::RunOptions runOptions;
  runOptions.workers = engine::Prefetcher::DefaultWorkers();
  runOptions.fileDetails = engine::FileDetails::NamesOnly;  // sizes and dates are never shown
  // The exports need the whole results at the end; grep and JSON lines are printed as they
  // come, so memory stays flat.
  const bool exporting = IsExportFormat(options->format);
  runOptions.keepResults = exporting;
  if (!exporting) {
    runOptions.onResult = [&printer, &running](const engine::ResultLine& hit,
                                               const engine::FileEntry& file) {
      // Output that cannot be written ends the search: nobody would see the rest.
      if (!printer.Print(hit, file, running->dirs()[file.subdirNum - 1])) running->Stop();
    };
  }
  engine::SearchRun run(options->request, settings, questions, engine::StandardTrackers(),
                        runOptions);
  running = &run;
  if (run.Open()) {
    while (run.Step(static_cast<int>(run.files().size()) + 1)) {
    }
  }
  printer.Flush();
  if (exporting) {
    const results::ExportSource source{run.results(), run.dirs(), run.request(), run.counts(),
                                       options->clock.value_or(results::ExportClockNow())};
    WriteExport(out, err, options->format, source);
  }
  if (!out.flush()) return kExitUsage;  // main names the write error
  if (!options->quiet && run.state() == engine::RunState::Finished && !run.files().empty()) {
    err << Shown(err, results::SummaryText(run)) << "\n";
  }
  if (questions.hadErrors()) return kExitUsage;
  return run.counts().findCnt > 0 ? kExitOk : kExitNoMatch;
}

}  // namespace trawlex::app
