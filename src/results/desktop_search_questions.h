#pragma once
// The run's questions as the desktop program asks them: message boxes with the texts of
// question_texts.h, caption "Search".

#include "engine/search_questions.h"
#include "runtime/desktop.h"

namespace trawlex::results {

class DesktopSearchQuestions final : public engine::SearchQuestions {
 public:
  explicit DesktopSearchQuestions(runtime::Desktop& desktop) : desktop_(desktop) {}
  engine::OpenFailureAnswer OpenFailed(const std::string& path,
                                       const runtime::OsError& error) override;
  engine::ContinueOrStop ReadFailed(const std::string& path,
                                    const runtime::OsError& error) override;
  engine::ContinueOrStop DirectoryMissing() override;
  // No message box per folder: the window tells how many folders could not be read, and so
  // does the message that no files were found.
  void DirectoryUnreadable(const std::string&, const runtime::OsError&) override {
    ++unreadableFolders_;
  }
  void NoFilesFound(const std::string& path, const std::string& spec) override;

 private:
  // The runtime's stop prompt: "&Continue" or "&Stop".
  engine::ContinueOrStop StopPrompt(const std::string& text);

  runtime::Desktop& desktop_;
  std::int64_t unreadableFolders_ = 0;
};

}  // namespace trawlex::results
