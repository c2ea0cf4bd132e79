#pragma once
// The run's questions answered on the terminal: failures are named on stderr (names with
// control characters show escaped when stderr is a terminal) and answered by the --on-error
// policy.

#include <functional>
#include <iosfwd>

#include "engine/search_questions.h"
#include "search_options.h"

namespace trawlex::app {

class TerminalQuestions final : public engine::SearchQuestions {
 public:
  TerminalQuestions(std::ostream& err, ErrorPolicy policy, std::function<void()> stopRun)
      : err_(err), policy_(policy), stopRun_(std::move(stopRun)) {}

  engine::OpenFailureAnswer OpenFailed(const std::string& path,
                                       const runtime::OsError& error) override;
  engine::ContinueOrStop ReadFailed(const std::string& path,
                                    const runtime::OsError& error) override;
  engine::ContinueOrStop DirectoryMissing() override;
  // Named on stderr, and the exit status says an error occurred, as grep's does.
  void DirectoryUnreadable(const std::string& path, const runtime::OsError& error) override;
  void NoFilesFound(const std::string& path, const std::string& spec) override;

  bool hadErrors() const { return hadErrors_; }

 private:
  // A failure the run can go on after: named on stderr, then stopped only by the Stop policy.
  engine::ContinueOrStop Failed(const std::string& text);

  std::ostream& err_;
  ErrorPolicy policy_;
  std::function<void()> stopRun_;
  bool hadErrors_ = false;
};

}  // namespace trawlex::app
