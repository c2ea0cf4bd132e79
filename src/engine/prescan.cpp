#include "engine/prescan.h"

#include <string.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/case_table.h"

namespace trawlex::engine {

void FoldForSearch(const SearchPlan& plan, std::string_view raw, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + raw.size());
  char* to = out.data() + start;
  const auto& upper = runtime::Cases().upper;
  if (plan.smashed) {
    for (char c : raw) {
      if (c == ' ' || c == '\t') continue;
      *to++ = plan.caseSensitive ? c : static_cast<char>(upper[static_cast<unsigned char>(c)]);
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
  } else if (plan.caseSensitive) {
    std::copy(raw.begin(), raw.end(), to);
  } else {
    for (char c : raw) *to++ = static_cast<char>(upper[static_cast<unsigned char>(c)]);
  }
}

std::size_t FindBytes(std::string_view hay, std::string_view needle, std::size_t from) {
  if (from > hay.size()) return std::string_view::npos;
  if (needle.empty()) return from;
  const void* found = memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
  if (!found) return std::string_view::npos;
  return static_cast<std::size_t>(static_cast<const char*>(found) - hay.data());
}

bool StreamHasNeedle(const SearchPlan& plan, int fd, runtime::OsError& error) {
  constexpr std::size_t kChunk = 1 << 20;
  error = {};
  std::string raw(kChunk, '\0');
  // The tail of the previous chunk and the new one: raw bytes, or transformed ones for a
  // smashed search, whose needle may span any number of removed blanks.
  std::string window;
  const std::size_t keep = plan.needle.empty() ? 0 : plan.needle.size() - 1;
  for (;;) {
    const ssize_t got = read(fd, raw.data(), raw.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      error = runtime::OsErrorOf(errno);
      return false;
    }
    if (got == 0) return false;
    const std::string_view chunk(raw.data(), static_cast<std::size_t>(got));
    if (plan.smashed) {
      FoldForSearch(plan, chunk, window);
      if (FindBytes(window, plan.needle) != std::string_view::npos) return true;
    } else {
      window.append(chunk);
      if (plan.finder.Find(window) != std::string_view::npos) return true;
    }
    if (window.size() > keep) window.erase(0, window.size() - keep);
  }
}

}  // namespace trawlex::engine
