#include "shell/window_placement.h"

#include <gtest/gtest.h>

#include "runtime/profile.h"
#include "settings_test_support.h"
#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;

class FakeWindow final : public WindowGeometry {
 public:
  Rect place{100, 80, 640, 480};  // the designed place
  bool maximized = false;
  bool minimized = false;
  bool resizable = true;

  bool IsMaximized() const override { return maximized; }
  bool IsMinimized() const override { return minimized; }
  void Restore() override { maximized = false; }
  void Maximize() override { maximized = true; }
  bool IsResizable() const override { return resizable; }
  Rect Position() const override { return place; }
  void MoveTo(const Rect& to) override { place = to; }
};

FakeWindow Window(Rect place, bool maximized = false, bool minimized = false,
                  bool resizable = true) {
  FakeWindow window;
  window.place = place;
  window.maximized = maximized;
  window.minimized = minimized;
  window.resizable = resizable;
  return window;
}

class WindowPlacementTest : public ::testing::Test {
 protected:
  FakeWindow SaveAndReopen(FakeWindow closing) {
    EXPECT_TRUE(SaveWindowPosition(closing, ini_, "SearchView"));
    FakeWindow opening;
    RestoreWindowPosition(opening, ini_, "SearchView");
    return opening;
  }
  testing::TempTree tree_;
  fs::path ini_ = tree_.root() / "trawlex" / "Trawlex.INI";
};

TEST_F(WindowPlacementTest, ReopensWhereItWasClosed) {
  const FakeWindow normal = SaveAndReopen(Window({12, 34, 560, 780}));
  EXPECT_EQ(normal.place, (Rect{12, 34, 560, 780}));
  EXPECT_FALSE(normal.maximized);

  // Maximised: "Yes" and the normal place behind the maximised window.
  const FakeWindow maximized = SaveAndReopen(Window({20, 30, 400, 300}, true));
  EXPECT_EQ(runtime::ReadProfileString(ini_, "SearchView", "Maximize", ""), "Yes");
  EXPECT_EQ(maximized.place, (Rect{20, 30, 400, 300}));
  EXPECT_TRUE(maximized.maximized);

  // Saved at x = 0: opens at its designed place.
  EXPECT_EQ(SaveAndReopen(Window({0, 50, 300, 200})).place, (Rect{100, 80, 640, 480}));
}

TEST_F(WindowPlacementTest, MinimisedWindowKeepsThePlaceStoredBefore) {
  SaveAndReopen(Window({5, 6, 700, 500}));
  const std::string before = test::FileBytes(ini_);
  for (const bool alsoMaximized : {false, true}) {
    FakeWindow window = Window({-32000, -32000, 160, 30}, alsoMaximized, true);
    EXPECT_TRUE(SaveWindowPosition(window, ini_, "SearchView"));
    EXPECT_EQ(test::FileBytes(ini_), before);
  }
}

TEST_F(WindowPlacementTest, RestoreFollowsTheStoredKeys) {
  const Rect designed{100, 80, 640, 480};
  struct Case {
    const char* stored;
    bool resizable;
    bool alreadyMaximized;
    Rect expected;
    bool maximized;
  };
  const Case cases[] = {
      {"", true, false, designed, false},
      {"XPosit=0\nYPosit=5\nWidth=9\nHeight=9\nMaximize=Yes", true, false, designed, false},
      {"XPosit=7\nYPosit=0\nWidth=9\nHeight=9\nMaximize=Yes", true, false, designed, true},
      {"XPosit=7\nYPosit=8\nHeight=9", true, false, designed, false},
      {"XPosit=7\nYPosit=8\nWidth=9\nHeight=-4", true, false, designed, false},
      {"XPosit=7\nYPosit=8\nWidth=9\nHeight=9", false, false, {7, 8, 640, 480}, false},
      {"XPosit=-1200\nYPosit=-5\nWidth=9\nHeight=9", true, false, {-1200, -5, 9, 9}, false},
      {"XPosit=7\nYPosit=8\nWidth=9\nHeight=9\nMaximize=No", true, true, designed, true},
      {"XPosit=left\nYPosit=8\nMaximize=Yes", true, false, designed, false},
      {"XPosit=7\nYPosit=8\nWidth=9\nHeight=9\nMaximize=yes!", true, false, {7, 8, 9, 9}, false},
  };
  for (const Case& c : cases) {
    tree_.Write("Trawlex.INI", std::string("[Line2Clip]\n") + c.stored);
    FakeWindow window = Window(designed, c.alreadyMaximized, false, c.resizable);
    RestoreWindowPosition(window, tree_.root() / "Trawlex.INI", "Line2Clip");
    EXPECT_EQ(window.place, c.expected) << c.stored;
    EXPECT_EQ(window.maximized, c.maximized) << c.stored;
  }
}

TEST_F(WindowPlacementTest, SettingsDirectoryThatIsAFileFailsQuietly) {
  tree_.Write("trawlex", "a file");
  FakeWindow window;
  EXPECT_FALSE(SaveWindowPosition(window, ini_, "SearchView"));
  EXPECT_EQ(test::FileBytes(tree_.root() / "trawlex"), "a file");
}

}  // namespace
}  // namespace trawlex::shell
