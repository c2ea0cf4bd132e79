#include "engine/search_questions.h"

namespace trawlex::engine {

std::string OpenFailedText(const std::string& file, const std::string& error) {
  return "An error occured while opening the below file.||Error: " + error + "|File: " + file +
         "||Please correct this and press Retry " + "|or press Ignore to skip the file this pass" +
         "|or press Remove to delete the file from the list.";
}

std::string NoFilesFoundText(const std::string& path, const std::string& spec) {
  return "No files were found||Path: " + path + "|Spec: " + spec;
}

OpenFailureAnswer DesktopSearchQuestions::OpenFailed(const std::string& file,
                                                     const std::string& error) {
  runtime::Message message;
  message.text = OpenFailedText(file, error);
  message.caption = "Search";
  message.icon = runtime::Icon::Question;
  message.buttons = "&Retry|&Ignore|Remove List";
  message.defaultButton = 1;
  switch (desktop_.ShowMessage(message)) {
    case 1:
      return OpenFailureAnswer::Retry;
    case 3:
      return OpenFailureAnswer::Remove;
    default:
      return OpenFailureAnswer::Ignore;
  }
}

bool DesktopSearchQuestions::StopPrompt(const std::string& text) {
  runtime::Message message;
  message.text = text;
  message.caption = "Search";
  message.icon = runtime::Icon::Error;
  message.buttons = "&Continue|&Stop";
  return desktop_.ShowMessage(message) == 1;
}

void DesktopSearchQuestions::NoFilesFound(const std::string& path, const std::string& spec) {
  runtime::Message message;
  message.text = NoFilesFoundText(path, spec);
  message.caption = "Search";
  message.icon = runtime::Icon::Information;
  desktop_.ShowMessage(message);
}

}  // namespace trawlex::engine
