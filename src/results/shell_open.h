#pragma once
// The desktop's own "open" and "edit" actions on a file (`ShellOpen`), with the messages
// that explain a failure.
//
// Failures carry the result numbers the Windows shell gave, which the messages quote: the
// file is checked before the desktop is asked, so a missing file gives 2, a missing
// directory on its way 3 and a file that may not be read 5; a desktop that refuses the
// action gives 31, no application for the file type.

#include <string>

#include "runtime/desktop.h"

namespace trawlex::results {

enum class ShellVerb { Open, Edit };

inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellPathNotFound = 3;
inline constexpr int kShellAccessDenied = 5;
inline constexpr int kShellAssociationIncomplete = 27;
inline constexpr int kShellNoAssociation = 31;

// Hands the file to the desktop. 0 when the action started, else the result number; with
// `reportErrors` the user is told why first (the result may then be negated, see
// ShellOpenFailureMessage).
int ShellOpen(runtime::Desktop& desktop, const std::string& fullFileName, ShellVerb verb,
              bool reportErrors);

// The result number for a file that cannot be handed over, from its own state: 0 when it
// can be read.
int ShellOpenCheck(const std::string& fullFileName);

// The message for a failed action and the result it reports. A file or path "not found"
// although the file exists blames the viewer program instead and reports the result
// negated. A PDF file without an application has a message of its own.
struct ShellOpenFailure {
  runtime::Message message;
  int result = 0;
};
ShellOpenFailure ShellOpenFailureMessage(const std::string& fullFileName, ShellVerb verb,
                                         int result, bool fileExists);

// The file type the messages name: the last three characters of the name, upper-cased.
std::string ShellFileType(const std::string& fullFileName);

}  // namespace trawlex::results
