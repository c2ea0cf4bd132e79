#pragma once
// The questions and messages a run gives its user. The desktop program answers them with
// dialogues (DesktopSearchQuestions), `trawl` with its --on-error policy.

#include <string>

#include "runtime/desktop.h"

namespace trawlex::engine {

enum class OpenFailureAnswer { Retry = 1, Ignore = 2, Remove = 3 };

class SearchQuestions {
 public:
  virtual ~SearchQuestions() = default;
  // A file could not be opened. `file` is its full name, `error` the error text.
  virtual OpenFailureAnswer OpenFailed(const std::string& file, const std::string& error) = 0;
  // The runtime's stop prompt: true to go on (skipping what failed), false to stop the run.
  virtual bool StopPrompt(const std::string& text) = 0;
  // No file matched the request; the results window closes afterwards.
  virtual void NoFilesFound(const std::string& path, const std::string& spec) = 0;
};

// The texts the user sees.
std::string OpenFailedText(const std::string& file, const std::string& error);
std::string NoFilesFoundText(const std::string& path, const std::string& spec);

// Shows the questions as message boxes.
class DesktopSearchQuestions final : public SearchQuestions {
 public:
  explicit DesktopSearchQuestions(runtime::Desktop& desktop) : desktop_(desktop) {}
  OpenFailureAnswer OpenFailed(const std::string& file, const std::string& error) override;
  bool StopPrompt(const std::string& text) override;
  void NoFilesFound(const std::string& path, const std::string& spec) override;

 private:
  runtime::Desktop& desktop_;
};

}  // namespace trawlex::engine
