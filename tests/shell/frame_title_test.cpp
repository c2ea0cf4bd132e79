#include "shell/frame_title.h"

#include <gtest/gtest.h>

#include "support/scripted_desktop.h"

namespace trawlex::shell {
namespace {

TEST(FrameTitleTest, BlankIsRefusedWithABeepAndAnythingElseBecomesTheCaption) {
  struct Case {
    std::string typed;
    std::optional<std::string> caption;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"     ", std::nullopt},
      {"Trawlex - project Orca", "Trawlex - project Orca"},
      {"  indented  ", "  indented"},
      {std::string(128, 'x') + "yz", std::string(128, 'x')},
      {std::string(128, ' ') + "hidden", std::nullopt},  // what the entry holds is blank
  };
  for (const Case& c : cases) {
    testing::ScriptedDesktop desktop;
    EXPECT_EQ(AcceptFrameTitle(c.typed, desktop), c.caption) << '"' << c.typed << '"';
    EXPECT_EQ(desktop.beeps, c.caption ? 0 : 1) << '"' << c.typed << '"';
    EXPECT_TRUE(desktop.messages.empty());
  }
}

}  // namespace
}  // namespace trawlex::shell
