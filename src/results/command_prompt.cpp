#include "results/command_prompt.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "results/command_words.h"

namespace trawlex::results {
namespace {

constexpr const char* kCaption = "Command Prompt Here";

void TellFailure(runtime::Desktop& desktop, const std::string& text) {
  runtime::Tell(desktop, text, kCaption, runtime::Icon::Warning);
}

// The terminal commands to try, in order.
std::vector<std::vector<std::string>> Terminals(const std::optional<std::string>& variable) {
  std::vector<std::vector<std::string>> terminals;
  if (variable) {
    std::optional<std::vector<std::string>> words = SplitCommandWords(*variable);
    if (words && !words->empty()) terminals.push_back(std::move(*words));
  }
  const std::vector<std::string> fallback{kDefaultTerminal};
  if (terminals.empty() || terminals.front() != fallback) terminals.push_back(fallback);
  return terminals;
}

}  // namespace

bool CommandPromptHere(runtime::Desktop& desktop, const std::string& directory,
                       const std::optional<std::string>& terminalVariable) {
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    TellFailure(desktop, "Unable to open a terminal. The folder is missing or deleted.||Folder: " +
                             directory);
    return false;
  }
  std::string tried;
  runtime::OsError failure;
  for (const std::vector<std::string>& words : Terminals(terminalVariable)) {
    runtime::ProgramStart start;
    start.program = words.front();
    start.arguments.assign(words.begin() + 1, words.end());
    start.workingDirectory = directory;
    failure = desktop.StartProgram(start);
    if (!failure) return true;
    tried += (tried.empty() ? "" : ", ") + JoinCommandWords(words);
  }
  runtime::PostError(failure);
  TellFailure(desktop,
              "Unable to open a terminal. Set the environment variable TERMINAL to your "
              "terminal program, or install one as " +
                  std::string(kDefaultTerminal) + ".||Folder: " + directory +
                  "||Tried: " + tried + "||Error: " + failure.text);
  return false;
}

bool CommandPromptHere(runtime::Desktop& desktop, const std::string& directory) {
  const char* terminal = std::getenv("TERMINAL");
  return CommandPromptHere(desktop, directory,
                           terminal != nullptr ? std::optional<std::string>(terminal)
                                               : std::nullopt);
}

}  // namespace trawlex::results
