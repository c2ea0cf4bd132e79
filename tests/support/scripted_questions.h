#pragma once
// A SearchQuestions double: records every question and plays back scripted answers.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/search_questions.h"

namespace trawlex::testing {

class ScriptedQuestions final : public engine::SearchQuestions {
 public:
  std::deque<engine::OpenFailureAnswer> openAnswers;  // default: Ignore
  bool continueAfterStop = true;
  std::vector<std::string> asked;  // every question and message, in order
  std::function<void()> beforeOpenAnswer;  // what the user does before answering

  engine::OpenFailureAnswer OpenFailed(const std::string& file, const std::string& error) override {
    asked.push_back(engine::OpenFailedText(file, error));
    if (beforeOpenAnswer) beforeOpenAnswer();
    if (openAnswers.empty()) return engine::OpenFailureAnswer::Ignore;
    const auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
  }
  bool StopPrompt(const std::string& text) override {
    asked.push_back(text);
    return continueAfterStop;
  }
  void NoFilesFound(const std::string& path, const std::string& spec) override {
    asked.push_back(engine::NoFilesFoundText(path, spec));
  }
};

}  // namespace trawlex::testing
