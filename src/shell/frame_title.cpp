#include "shell/frame_title.h"

#include "runtime/fixed_text.h"

namespace trawlex::shell {

std::optional<std::string> AcceptFrameTitle(std::string_view typed, runtime::Desktop& desktop) {
  std::string title = runtime::Fit(typed, kFrameTitleWidth);
  if (title.empty()) {
    desktop.Beep();
    return std::nullopt;
  }
  return title;
}

}  // namespace trawlex::shell
