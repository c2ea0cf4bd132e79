#pragma once
// A SearchQuestions double: records every question with its facts and plays back scripted
// answers.

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/search_questions.h"

namespace trawlex::testing {

// One question the run asked.
struct AskedQuestion {
  enum class Kind { OpenFailed, ReadFailed, DirectoryMissing, DirectoryUnreadable, NoFilesFound };
  Kind kind;
  std::string path;    // the file; for NoFilesFound the request's path
  std::string detail;  // the error text; for NoFilesFound the request's specifications
  bool operator==(const AskedQuestion&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const AskedQuestion& q) {
    return out << "{" << static_cast<int>(q.kind) << ", " << q.path << ", " << q.detail << "}";
  }
};

class ScriptedQuestions final : public engine::SearchQuestions {
 public:
  using Kind = AskedQuestion::Kind;

  std::deque<engine::OpenFailureAnswer> openAnswers;  // default: Ignore
  engine::ContinueOrStop afterFailure = engine::ContinueOrStop::Continue;
  std::vector<AskedQuestion> asked;        // every question and message, in order
  std::function<void()> beforeOpenAnswer;  // what the user does before answering

  engine::OpenFailureAnswer OpenFailed(const std::string& path,
                                       const runtime::OsError& error) override {
    asked.push_back({Kind::OpenFailed, path, error.text});
    if (beforeOpenAnswer) beforeOpenAnswer();
    if (openAnswers.empty()) return engine::OpenFailureAnswer::Ignore;
    const auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
  }
  engine::ContinueOrStop ReadFailed(const std::string& path,
                                    const runtime::OsError& error) override {
    asked.push_back({Kind::ReadFailed, path, error.text});
    return afterFailure;
  }
  engine::ContinueOrStop DirectoryMissing() override {
    asked.push_back({Kind::DirectoryMissing, {}, {}});
    return afterFailure;
  }
  void DirectoryUnreadable(const std::string& path, const runtime::OsError& error) override {
    asked.push_back({Kind::DirectoryUnreadable, path, error.text});
  }
  void NoFilesFound(const std::string& path, const std::string& spec) override {
    asked.push_back({Kind::NoFilesFound, path, spec});
  }
};

}  // namespace trawlex::testing
