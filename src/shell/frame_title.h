#pragma once
// The logic of the dialogue "Set Frame Title" (File menu): the user types a caption for the
// main frame. The caption lasts until the program ends; it is not stored.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/desktop.h"

namespace trawlex::shell {

inline constexpr std::string_view kSetFrameTitleItem = "Set Frame Title";
inline constexpr std::string_view kFrameTitlePrompt = "&Frame Title:";
inline constexpr std::size_t kFrameTitleWidth = 128;

// OK pressed with `typed` in the entry. A blank title is refused with a beep (the dialogue
// stays open); otherwise the frame's new caption: the text as the 128-character entry holds
// it, trailing blanks removed.
std::optional<std::string> AcceptFrameTitle(std::string_view typed, runtime::Desktop& desktop);

}  // namespace trawlex::shell
