#include "terminal_questions.h"

#include <ostream>

#include "commands.h"
#include "results/question_texts.h"
#include "terminal_text.h"

namespace trawlex::app {
namespace {

// Message texts use '|' for line breaks; on a terminal one line reads better.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '|' || c == '\r' || c == '\n') c = ' ';
  }
  std::string out;
  for (char c : text) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

}  // namespace

engine::OpenFailureAnswer TerminalQuestions::OpenFailed(const std::string& path,
                                                        const runtime::OsError& error) {
  hadErrors_ = true;
  PrintError(err_, "cannot open " + path + ": " + error.text);
  switch (policy_) {
    case ErrorPolicy::Remove:
      return engine::OpenFailureAnswer::Remove;
    case ErrorPolicy::Stop:
      if (stopRun_) stopRun_();
      return engine::OpenFailureAnswer::Ignore;
    case ErrorPolicy::Ignore:
      break;
  }
  return engine::OpenFailureAnswer::Ignore;
}

engine::ContinueOrStop TerminalQuestions::ReadFailed(const std::string& path,
                                                     const runtime::OsError& error) {
  // Escaped before the text is made one line, so a line break in the name shows as \n.
  return Failed(results::ReadFailedText(Shown(err_, path), error.text));
}

engine::ContinueOrStop TerminalQuestions::DirectoryMissing() {
  return Failed(results::kDirectoryMissingText);
}

void TerminalQuestions::DirectoryUnreadable(const std::string& path,
                                            const runtime::OsError& error) {
  hadErrors_ = true;
  PrintError(err_, "cannot read directory " + path + ": " + error.text);
}

engine::ContinueOrStop TerminalQuestions::Failed(const std::string& text) {
  hadErrors_ = true;
  PrintError(err_, OneLine(text));
  return policy_ == ErrorPolicy::Stop ? engine::ContinueOrStop::Stop
                                      : engine::ContinueOrStop::Continue;
}

void TerminalQuestions::NoFilesFound(const std::string& path, const std::string& spec) {
  PrintError(err_, OneLine(results::NoFilesFoundText(Shown(err_, path), spec)));
}

}  // namespace trawlex::app
