#include "shell/debug_trace.h"

#include <gtest/gtest.h>

#include "setup_test_support.h"

namespace trawlex::shell::testing {
namespace {

TEST(DebugTraceTest, WritesItsTwoLineFormsOnlyWhileTheVariableIsSet) {
  const std::pair<const char*, bool> cases[] = {
      {nullptr, false}, {"", false}, {"1", true}, {"0", true}};
  for (const auto& [value, active] : cases) {
    SCOPED_TRACE(value ? value : "(unset)");
    ScopedEnv variable(kTraceVariable, value);
    EXPECT_EQ(DebugTraceActive(), active);
    ::testing::internal::CaptureStderr();
    DebugTrace("Setup", "first start");
    DebugTrace("plain line");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              active ? "[TRX][Setup] first start\n[TRX]plain line\n" : "");
  }
}

}  // namespace
}  // namespace trawlex::shell::testing
