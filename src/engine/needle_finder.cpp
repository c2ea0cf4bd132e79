#include "engine/needle_finder.h"

namespace trawlex::engine {
namespace {

// Bytes that end the text of a line or become a blank in it.
bool IsBlankTabOrFeed(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

}  // namespace

bool NeedleFinder::StandsApart(std::string_view text, std::size_t at) const {
  if (blankBefore_ && at > 0 && !IsBlankTabOrFeed(text[at - 1])) return false;
  const std::size_t after = at + finder_.needle().size();
  if (!blankAfter_ || after >= text.size() || IsBlankTabOrFeed(text[after])) return true;
  // A carriage return is the line's end only when a line feed follows it.
  return text[after] == '\r' && (after + 1 == text.size() || text[after + 1] == '\n');
}

std::size_t NeedleFinder::Find(std::string_view text, std::size_t from) const {
  if (!blankBefore_ && !blankAfter_) return finder_.Find(text, from);
  const runtime::OccurrenceFilter standsApart{
      [](const void* self, std::string_view hay, std::size_t at) {
        return static_cast<const NeedleFinder*>(self)->StandsApart(hay, at);
      },
      this};
  return finder_.Find(text, from, standsApart);
}

}  // namespace trawlex::engine
