#include "terminal_questions.h"

#include <ostream>

#include "results/question_texts.h"

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
  err_ << "trawl: cannot open " << path << ": " << error.text << "\n";
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
  return Failed(results::ReadFailedText(path, error.text));
}

engine::ContinueOrStop TerminalQuestions::DirectoryMissing() {
  return Failed(results::kDirectoryMissingText);
}

engine::ContinueOrStop TerminalQuestions::Failed(const std::string& text) {
  hadErrors_ = true;
  err_ << "trawl: " << OneLine(text) << "\n";
  return policy_ == ErrorPolicy::Stop ? engine::ContinueOrStop::Stop
                                      : engine::ContinueOrStop::Continue;
}

void TerminalQuestions::NoFilesFound(const std::string& path, const std::string& spec) {
  err_ << "trawl: " << OneLine(results::NoFilesFoundText(path, spec)) << "\n";
}

}  // namespace trawlex::app
