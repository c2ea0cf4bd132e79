#include "results/character_cut.h"

#include <algorithm>

#include "runtime/names.h"

namespace trawlex::results {
namespace {


}  // namespace

std::size_t CutLength(std::string_view text, std::size_t limit) {
  if (text.size() <= limit || !runtime::IsUtf8Continuation(text[limit])) return std::min(text.size(), limit);
  // The cut falls inside a multi-byte sequence: its lead byte is at most three bytes back.
  std::size_t lead = limit;
  while (lead > 0 && limit - lead < 3 && runtime::IsUtf8Continuation(text[lead])) --lead;
  const bool isLead = static_cast<unsigned char>(text[lead]) >= 0xC0;
  if (isLead && runtime::IsValidUtf8(text.substr(0, lead))) return lead;
  return limit;
}

std::string CutToFit(std::string_view text, std::size_t limit) {
  return std::string(text.substr(0, CutLength(text, limit)));
}

}  // namespace trawlex::results
