#pragma once
// "Command Prompt Here": a terminal started in a directory.

#include <optional>
#include <string>

#include "runtime/desktop.h"

namespace trawlex::results {

// Tried when $TERMINAL is not set or does not start: Debian's and Ubuntu's name for the
// user's chosen terminal.
inline constexpr const char* kDefaultTerminal = "x-terminal-emulator";

// Starts a terminal in the directory: the command in `terminalVariable` (split into words
// like the editor command) and, when that is not set or does not start, kDefaultTerminal.
// The user is told when the directory is missing or no terminal starts. True when one
// started.
bool CommandPromptHere(runtime::Desktop& desktop, const std::string& directory,
                       const std::optional<std::string>& terminalVariable);

// The same with the environment's TERMINAL.
bool CommandPromptHere(runtime::Desktop& desktop, const std::string& directory);

}  // namespace trawlex::results
