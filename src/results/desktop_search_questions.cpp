#include "results/desktop_search_questions.h"

#include "results/question_texts.h"
#include "results/run_texts.h"

namespace trawlex::results {

engine::OpenFailureAnswer DesktopSearchQuestions::OpenFailed(const std::string& path,
                                                             const runtime::OsError& error) {
  runtime::Message message;
  message.text = OpenFailedText(path, error.text);
  message.caption = "Search";
  message.icon = runtime::Icon::Question;
  message.buttons = "&Retry|&Ignore|Remove List";
  message.defaultButton = 1;
  switch (desktop_.ShowMessage(message)) {
    case 1:
      return engine::OpenFailureAnswer::Retry;
    case 3:
      return engine::OpenFailureAnswer::Remove;
    default:
      return engine::OpenFailureAnswer::Ignore;
  }
}

engine::ContinueOrStop DesktopSearchQuestions::ReadFailed(const std::string& path,
                                                          const runtime::OsError& error) {
  return StopPrompt(ReadFailedText(path, error.text));
}

engine::ContinueOrStop DesktopSearchQuestions::DirectoryMissing() {
  return StopPrompt(kDirectoryMissingText);
}

void DesktopSearchQuestions::NoFilesFound(const std::string& path, const std::string& spec) {
  runtime::Message message;
  message.text = NoFilesFoundText(path, spec);
  if (unreadableFolders_ > 0) message.text += "||" + UnreadableFoldersText(unreadableFolders_) + ".";
  message.caption = "Search";
  message.icon = runtime::Icon::Information;
  desktop_.ShowMessage(message);
}

engine::ContinueOrStop DesktopSearchQuestions::StopPrompt(const std::string& text) {
  runtime::Message message;
  message.text = text;
  message.caption = "Search";
  message.icon = runtime::Icon::Error;
  message.buttons = "&Continue|&Stop";
  return desktop_.ShowMessage(message) == 1 ? engine::ContinueOrStop::Continue
                                            : engine::ContinueOrStop::Stop;
}

}  // namespace trawlex::results
