#include "terminal_questions.h"

#include <ostream>

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

engine::OpenFailureAnswer TerminalQuestions::OpenFailed(const std::string& file,
                                                        const std::string& error) {
  hadErrors_ = true;
  err_ << "trawl: cannot open " << file << ": " << error << "\n";
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

bool TerminalQuestions::StopPrompt(const std::string& text) {
  hadErrors_ = true;
  err_ << "trawl: " << OneLine(text) << "\n";
  return policy_ != ErrorPolicy::Stop;
}

void TerminalQuestions::NoFilesFound(const std::string& path, const std::string& spec) {
  err_ << "trawl: " << OneLine(engine::NoFilesFoundText(path, spec)) << "\n";
}

}  // namespace trawlex::app
