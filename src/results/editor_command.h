#pragma once
// Opening a file in the configured external editor at a line (`EditFile`).
//
// The editor command (the setting EditorName) names the program and its arguments as a
// shell would split them; "%F" stands for the file and "%L" for the line number, also
// inside a word ("+%L", "%F:%L"). The program is started directly, so a file name with
// blanks, quotes or shell characters reaches the editor as one argument.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"

namespace trawlex::results {

// Used when no editor is set: the desktop's default application for the file.
inline constexpr std::string_view kFallbackEditorCommand = "xdg-open %F";

// The words that start the editor for the file at the line, or nothing when the command has
// a quote that is not closed. A blank command is the fallback. "%F" (or "%f") is replaced
// where it first occurs; when it does not occur, or first occurs at the start of the first
// word (where the program belongs), the file becomes one more word at the end. "%L" (or "%l") is replaced where it
// first occurs in the command; without it the line is not passed. The placeholders are
// looked for in the command only, never in the file name put into it.
std::optional<std::vector<std::string>> EditorCommandWords(std::string_view editorName,
                                                           std::string_view fileName,
                                                           std::uint32_t line);

// Starts the editor on the file at the line, in the file's directory. A relative file name
// is taken from the desktop's current directory, since the editor starts elsewhere. When the
// editor does not start, the user sees "Error running editor: " with the reason and the
// command line. True when it started.
bool EditFile(runtime::Desktop& desktop, std::string_view editorName,
              const std::string& fullFileName, std::uint32_t line);

}  // namespace trawlex::results
