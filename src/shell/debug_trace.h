#pragma once
// The developer's trace: one line per event on stderr, written only while the environment
// variable TRAWLEX_TRACE is set to a non-empty value, so that a normal run prints nothing.
// Lines read "[TRX][tag] text" or, without a tag, "[TRX]text".

#include <string>
#include <string_view>

namespace trawlex::shell {

inline constexpr const char* kTraceVariable = "TRAWLEX_TRACE";

// Looked up at every call, so that a test (or a debugger) can switch the trace on and off.
bool DebugTraceActive();

// The line as written, line break included.
std::string DebugTraceLine(std::string_view tag, std::string_view text);
std::string DebugTraceLine(std::string_view text);

void DebugTrace(std::string_view tag, std::string_view text);
void DebugTrace(std::string_view text);

}  // namespace trawlex::shell
