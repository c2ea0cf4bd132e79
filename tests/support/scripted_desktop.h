#pragma once
// A Desktop double for tests: records every message, menu and action, and plays back
// scripted answers (the default button when none is scripted).

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/desktop.h"

namespace trawlex::testing {

class ScriptedDesktop final : public runtime::Desktop {
 public:
  std::vector<runtime::Message> messages;
  std::deque<int> answers;
  std::vector<std::string> menus;
  std::deque<int> menuChoices;
  std::deque<std::optional<std::string>> chosenFiles;
  std::deque<std::vector<std::string>> chosenFileLists;
  std::vector<runtime::FileDialogRequest> fileRequests;
  std::deque<std::optional<std::string>> chosenDirectories;
  std::vector<runtime::ScreenPoint> menuPlaces;  // where PopupMenuAt showed each menu
  std::vector<runtime::FontChoice> fontStarts;
  std::deque<std::optional<runtime::FontChoice>> chosenFonts;
  std::vector<int> colourStarts;
  std::deque<std::optional<int>> chosenColours;
  std::vector<std::string> dialogTitles;  // font and colour dialogues, in order
  std::set<std::string> missingPrograms;  // ProgramAvailable answers false for these
  std::string clipboard;
  std::vector<std::vector<std::string>> programsRun;        // program, then its arguments
  std::vector<std::pair<std::string, std::string>> opened;  // path, action
  bool openWorks = true;                                    // what OpenWithSystem answers
  std::vector<runtime::ProgramStart> programsStarted;
  std::deque<runtime::OsError> startFailures;  // played back by StartProgram; empty: started
  std::vector<std::pair<std::string, std::string>> shownInFileManager;  // path, action name
  bool fileManagerWorks = true;
  std::string currentDirectory = "/";
  int beeps = 0;

  int ShowMessage(const runtime::Message& message) override {
    messages.push_back(message);
    if (answers.empty()) return message.defaultButton;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  int PopupMenu(const std::string& menuText) override {
    menus.push_back(menuText);
    if (menuChoices.empty()) return 0;
    const int choice = menuChoices.front();
    menuChoices.pop_front();
    return choice;
  }
  std::optional<std::string> ChooseFile(const runtime::FileDialogRequest& request) override {
    fileRequests.push_back(request);
    return Next(chosenFiles);
  }
  std::vector<std::string> ChooseFiles(const runtime::FileDialogRequest& request) override {
    fileRequests.push_back(request);
    if (chosenFileLists.empty()) return {};
    auto files = chosenFileLists.front();
    chosenFileLists.pop_front();
    return files;
  }
  std::optional<std::string> ChooseDirectory(const std::string&, const std::string&) override {
    return Next(chosenDirectories);
  }
  int PopupMenuAt(const std::string& menuText, runtime::ScreenPoint where) override {
    menuPlaces.push_back(where);
    return PopupMenu(menuText);
  }
  std::optional<runtime::FontChoice> ChooseFont(const runtime::FontChoice& start,
                                                const std::string& title) override {
    fontStarts.push_back(start);
    dialogTitles.push_back(title);
    return Next(chosenFonts);
  }
  std::optional<int> ChooseColour(int start, const std::string& title) override {
    colourStarts.push_back(start);
    dialogTitles.push_back(title);
    return Next(chosenColours);
  }
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  bool RunProgram(const std::string& program, const std::vector<std::string>& arguments) override {
    std::vector<std::string> call{program};
    call.insert(call.end(), arguments.begin(), arguments.end());
    programsRun.push_back(call);
    return true;
  }
  runtime::OsError StartProgram(const runtime::ProgramStart& start) override {
    programsStarted.push_back(start);
    if (startFailures.empty()) return {};
    runtime::OsError failure = startFailures.front();
    startFailures.pop_front();
    return failure;
  }
  bool OpenWithSystem(const std::string& path, const std::string& action) override {
    opened.emplace_back(path, action);
    return openWorks;
  }
  bool ShowInFileManager(const std::string& path, const std::string& actionName) override {
    shownInFileManager.emplace_back(path, actionName);
    return fileManagerWorks;
  }
  bool ProgramAvailable(const std::string& program) override {
    return !missingPrograms.contains(program);
  }
  std::string CurrentDirectory() override { return currentDirectory; }
  void Beep() override { ++beeps; }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
  }
};

}  // namespace trawlex::testing
