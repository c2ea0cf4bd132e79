#include "shell/debug_trace.h"

#include <cstdio>
#include <cstdlib>

namespace trawlex::shell {
namespace {

// One write per line, so that lines from several windows never run into each other.
void Emit(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

bool DebugTraceActive() {
  const char* value = std::getenv(kTraceVariable);
  return value != nullptr && *value != '\0';
}

std::string DebugTraceLine(std::string_view tag, std::string_view text) {
  std::string line = "[TRX][";
  line.append(tag).append("] ").append(text).append("\n");
  return line;
}

std::string DebugTraceLine(std::string_view text) {
  std::string line = "[TRX]";
  line.append(text).append("\n");
  return line;
}

void DebugTrace(std::string_view tag, std::string_view text) {
  if (DebugTraceActive()) Emit(DebugTraceLine(tag, text));
}

void DebugTrace(std::string_view text) {
  if (DebugTraceActive()) Emit(DebugTraceLine(text));
}

}  // namespace trawlex::shell
