#pragma once
// Names and lines from the disk shown on a terminal. A file name or a source line may hold
// control bytes: printed raw, a newline forges a hit line and an escape sequence rewrites the
// screen. On a terminal they are shown escaped; a pipe or a file gets the exact bytes.

#include <iosfwd>
#include <string>
#include <string_view>

namespace trawlex::app {

// The text with every control byte (below 0x20, and 0x7F) written as an escape: \n, \r, \t,
// or \xHH (\x1b for ESC). The tab is escaped too: on a terminal it reads as blanks, and in
// tab-separated listings it is the field separator. Other bytes, the backslash among them,
// stay as they are.
std::string EscapeControls(std::string_view text);

// Marks a stream as going to a terminal (or not); unmarked streams are not terminals.
void MarkTerminal(std::ostream& stream, bool isTerminal);
bool IsTerminal(std::ostream& stream);

// The text as `stream` should show it: escaped on a terminal, exact anywhere else.
std::string Shown(std::ostream& stream, std::string_view text);

}  // namespace trawlex::app
