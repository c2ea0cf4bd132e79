#include "shell/store_columns.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace trawlex::shell {

const std::string_view kSwitchColumnsDdl =
    "sw_case INTEGER NOT NULL DEFAULT 0, sw_word INTEGER NOT NULL DEFAULT 0, "
    "sw_trail INTEGER NOT NULL DEFAULT 0, sw_codeonly INTEGER NOT NULL DEFAULT 0, "
    "sw_oop INTEGER NOT NULL DEFAULT 0, sw_first INTEGER NOT NULL DEFAULT 0, "
    "sw_subdirs INTEGER NOT NULL DEFAULT 0, sublevels INTEGER NOT NULL DEFAULT 0, "
    "sw_modal INTEGER NOT NULL DEFAULT 0, sw_literalsonly INTEGER NOT NULL DEFAULT 0, "
    "sw_literalsskip INTEGER NOT NULL DEFAULT 0, sw_smash INTEGER NOT NULL DEFAULT 0, "
    "sw_extra BLOB NOT NULL DEFAULT x'00000000000000000000'";

const std::string_view kSwitchColumns =
    "sw_case, sw_word, sw_trail, sw_codeonly, sw_oop, sw_first, sw_subdirs, sublevels, "
    "sw_modal, sw_literalsonly, sw_literalsskip, sw_smash, sw_extra";

namespace {

// The twelve single-byte switches in their column order.
template <typename Switches>
auto SwitchBytes(Switches& sw) {
  return std::array{&sw.caseSensitive, &sw.word,         &sw.trail,        &sw.codeOnly,
                    &sw.oop,           &sw.first,        &sw.subdirs,      &sw.subLevels,
                    &sw.modal,         &sw.literalsOnly, &sw.literalsSkip, &sw.smash};
}

std::uint8_t ToByte(std::int64_t value) {
  return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
}

}  // namespace

void BindSwitches(Statement& statement, int first, const engine::SearchSwitches& sw) {
  int index = first;
  for (const std::uint8_t* byte : SwitchBytes(sw)) statement.Bind(index++, std::int64_t{*byte});
  statement.BindBlob(index, sw.extra);
}

engine::SearchSwitches ReadSwitches(const Statement& statement, int first) {
  engine::SearchSwitches sw;
  int column = first;
  for (std::uint8_t* byte : SwitchBytes(sw)) *byte = ToByte(statement.Int(column++));
  const auto extra = statement.Blob(column);
  std::copy_n(extra.begin(), std::min(extra.size(), sw.extra.size()), sw.extra.begin());
  return sw;
}

std::string Placeholders(int first, int last) {
  std::string text;
  for (int i = first; i <= last; ++i) {
    if (i > first) text += ", ";
    text += '?' + std::to_string(i);
  }
  return text;
}

}  // namespace trawlex::shell
