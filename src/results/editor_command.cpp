#include "results/editor_command.h"

#include <filesystem>
#include <utility>

#include "results/command_words.h"
#include "results/file_name_parts.h"

namespace trawlex::results {
namespace {

// Where a placeholder first occurs in the command's words.
struct Place {
  std::size_t word = 0;
  std::size_t offset = std::string::npos;
  bool found() const { return offset != std::string::npos; }
};

// "%F" or "%f" (for letter 'F'), "%L" or "%l": the Windows version upper-cased the whole
// command before looking, so either case counts. The command itself keeps its case:
// program names and options on Linux are case-sensitive.
Place FindPlaceholder(const std::vector<std::string>& words, char letter) {
  const char lower = static_cast<char>(letter - 'A' + 'a');
  for (std::size_t w = 0; w < words.size(); ++w) {
    const std::string& word = words[w];
    for (std::size_t at = word.find('%'); at != std::string::npos; at = word.find('%', at + 1)) {
      if (at + 1 < word.size() && (word[at + 1] == letter || word[at + 1] == lower)) {
        return {w, at};
      }
    }
  }
  return {};
}

// The word with the placeholders that stand in it replaced; both are looked up in the
// command before anything is replaced, so a "%L" in the file name stays as it is.
std::string ReplaceIn(const std::string& word,
                      std::vector<std::pair<std::size_t, std::string>> at) {
  std::string result;
  std::size_t copied = 0;
  if (at.size() == 2 && at[0].first > at[1].first) std::swap(at[0], at[1]);
  for (const auto& [offset, text] : at) {
    result.append(word, copied, offset - copied);
    result += text;
    copied = offset + 2;
  }
  result.append(word, copied);
  return result;
}

std::string AbsoluteFrom(const std::string& currentDirectory, const std::string& fileName) {
  if (fileName.empty() || fileName.front() == '/' || currentDirectory.empty()) return fileName;
  return (std::filesystem::path(currentDirectory) / fileName).string();
}

void ShowEditorError(runtime::Desktop& desktop, const std::string& reason,
                     const std::string& commandLine) {
  runtime::Tell(desktop, "Error running editor: " + reason + "||" + commandLine, "Edit File",
                runtime::Icon::Warning);
}

}  // namespace

std::optional<std::vector<std::string>> EditorCommandWords(std::string_view editorName,
                                                           std::string_view fileName,
                                                           std::uint32_t line) {
  std::optional<std::vector<std::string>> words = SplitCommandWords(editorName);
  if (!words) return std::nullopt;
  if (words->empty()) words = SplitCommandWords(kFallbackEditorCommand);

  Place file = FindPlaceholder(*words, 'F');
  const Place lineNo = FindPlaceholder(*words, 'L');
  const bool appendFile = !file.found() || (file.word == 0 && file.offset == 0);
  if (appendFile) file = {};

  std::vector<std::string> command;
  for (std::size_t w = 0; w < words->size(); ++w) {
    std::vector<std::pair<std::size_t, std::string>> at;
    if (file.found() && file.word == w) at.emplace_back(file.offset, std::string(fileName));
    if (lineNo.found() && lineNo.word == w) at.emplace_back(lineNo.offset, std::to_string(line));
    command.push_back(at.empty() ? (*words)[w] : ReplaceIn((*words)[w], std::move(at)));
  }
  if (appendFile) command.emplace_back(fileName);
  return command;
}

bool EditFile(runtime::Desktop& desktop, std::string_view editorName,
              const std::string& fullFileName, std::uint32_t line) {
  const std::string file = AbsoluteFrom(desktop.CurrentDirectory(), fullFileName);
  const std::optional<std::vector<std::string>> words = EditorCommandWords(editorName, file, line);
  if (!words) {
    const std::string_view command = editorName.substr(0, editorName.find_last_not_of(' ') + 1);
    ShowEditorError(desktop, "The editor command has a quote that is not closed.",
                    std::string(command));
    return false;
  }
  runtime::ProgramStart start;
  start.program = words->front();
  start.arguments.assign(words->begin() + 1, words->end());
  // The editor starts in the file's directory; the program's own current directory is
  // never changed, so there is nothing to restore afterwards, whether or not it started.
  start.workingDirectory = DirectoryWithoutSlash(SplitFullName(file).directory);
  const runtime::OsError error = desktop.StartProgram(start);
  if (!error) return true;
  runtime::PostError(error);
  // "File Not Found" alone would suggest the source file; name the program that is missing.
  const std::string reason = desktop.ProgramAvailable(start.program)
                                 ? error.text
                                 : "the program " + start.program + " was not found.";
  ShowEditorError(desktop, reason, JoinCommandWords(*words));
  return false;
}

}  // namespace trawlex::results
