#include <gtest/gtest.h>

#include "engine/label_modes.h"

namespace trawlex::engine {
namespace {

TEST(LabelModes, TableLooksUpByValueAndCode) {
  ASSERT_EQ(LabelModes().size(), 23u);
  EXPECT_EQ(LabelModes().front().name, "No Label Processing");
  EXPECT_EQ(FindLabelMode(129)->code, "LnProc");
  EXPECT_EQ(FindLabelMode(252)->name, "Skip Lines w/Label");
  EXPECT_FALSE(FindLabelMode(9));  // 9 and 10 filter labels but have no entry of their own
  EXPECT_EQ(FindLabelModeByCode("lnproc")->eqt, 129);
  EXPECT_EQ(FindLabelModeByCode("Ignore")->eqt, 251);
  EXPECT_FALSE(FindLabelModeByCode(""));
  EXPECT_FALSE(FindLabelModeByCode("Nope"));
}

}  // namespace
}  // namespace trawlex::engine
