#include "results/shell_open.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "runtime/names.h"

namespace trawlex::results {
namespace {

const char* ReasonFor(int result) {
  switch (result) {
    case 0:
      return "Out of memory or corrupt files, reboot your PC";
    case 11:
      return "The .exe file is invalid";
    case 2:
      return "File not found";
    case 3:
      return "Path not found";
    case 5:
      return "Access denied";
    case 8:
      return "Out of memory";
    case 26:
      return "Sharing violation";
    case 28:
      return "DDE Timeout";
    case 29:
      return "DDE Fail";
    case 30:
      return "DDE Busy";
    case 32:
      return "Required DLL Not Found";
    case 27:
      return "File Association Incomplete";
    case 31:
      return "No File Association for file type";
    default:
      return "Unknown error";
  }
}

// What the message says about the result; nothing for a negated one.
std::string SentenceFor(int result, const std::string& fileType) {
  switch (result) {
    case kShellFileNotFound:
      return "The file is missing or deleted.";
    case kShellPathNotFound:
      return "The folder is missing or deleted.";
    case kShellAccessDenied:
      return "The file is locked by another program or user.";
    case kShellNoAssociation:
      return "You need to install a " + fileType + " viewer.";
    case kShellAssociationIncomplete:
    case 32:
      return "You need to reinstall your " + fileType + " viewer.";
    default:
      return {};
  }
}

runtime::Message Warning(std::string text, std::string caption) {
  runtime::Message message;
  message.text = std::move(text);
  message.caption = std::move(caption);
  message.icon = runtime::Icon::Warning;
  return message;
}

}  // namespace

std::string ShellFileType(const std::string& fullFileName) {
  std::size_t start = fullFileName.size() >= 3 ? fullFileName.size() - 3 : 0;
  // Three characters, not bytes, of a UTF-8 name: step back over continuation bytes.
  if (runtime::IsValidUtf8(fullFileName)) {
    start = fullFileName.size();
    for (int characters = 0; characters < 3 && start > 0; ++characters) {
      do {
        --start;
      } while (start > 0 && runtime::IsUtf8Continuation(fullFileName[start]));
    }
  }
  std::string type = fullFileName.substr(start);
  for (char& c : type) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return type;
}

int ShellOpenCheck(const std::string& fullFileName) {
  if (access(fullFileName.c_str(), R_OK) == 0) return 0;
  switch (errno) {
    case ENOENT:
      return runtime::OsErrorNumber(ENOENT, fullFileName);  // 3 when a directory is missing
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
      return kShellPathNotFound;
    case ENOMEM:
      return 8;
    default:
      return kShellAccessDenied;  // it is there but cannot be read
  }
}

ShellOpenFailure ShellOpenFailureMessage(const std::string& fullFileName, ShellVerb verb,
                                         int result, bool fileExists) {
  const std::string type = ShellFileType(fullFileName);
  const bool pdf = type == "PDF";
  if (pdf && (result == kShellAssociationIncomplete || result == kShellNoAssociation)) {
    return {Warning("Could not open your PDF file. Acrobat needs to be installed on this "
                    "computer.||" +
                        std::to_string(result),
                    "Acrobat not Found"),
            result};
  }
  std::string reason = ReasonFor(result);
  if ((result == kShellFileNotFound || result == kShellPathNotFound) && fileExists) {
    reason +=
        std::string("|\t") + (pdf ? "Acrobat" : "Viewer Program") + " could be missing or corrupt.";
    result = -result;
  }
  const std::string text = std::string("Unable to ") + (verb == ShellVerb::Open ? "view" : "edit") +
                           " the requested file. " + SentenceFor(result, type) +
                           "||File: " + fullFileName + "||Reason: " + std::to_string(result) +
                           "  " + reason;
  return {Warning(text, pdf ? "View Acrobat PDF" : "View " + type + " File"), result};
}

int ShellOpen(runtime::Desktop& desktop, const std::string& fullFileName, ShellVerb verb,
              bool reportErrors) {
  int result = ShellOpenCheck(fullFileName);
  if (result == 0 &&
      !desktop.OpenWithSystem(fullFileName, verb == ShellVerb::Open ? "open" : "edit")) {
    result = kShellNoAssociation;
  }
  if (result == 0 || !reportErrors) return result;
  std::error_code error;
  ShellOpenFailure failure = ShellOpenFailureMessage(fullFileName, verb, result,
                                                     std::filesystem::exists(fullFileName, error));
  if (result == kShellNoAssociation) {
    if (const std::string missing = runtime::MissingOpenerNote(desktop); !missing.empty()) {
      failure.message.text += "||" + missing;
    }
  }
  desktop.ShowMessage(failure.message);
  return failure.result;
}

}  // namespace trawlex::results
