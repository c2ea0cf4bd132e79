#include "ui/qt_window_geometry.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>

#include "runtime/profile.h"
#include "support/temp_tree.h"

namespace trawlex::ui {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSection = "SearchView";

class QtWindowGeometryTest : public ::testing::Test {
 protected:
  bool Save(QWidget& window) {
    QtWindowGeometry geometry(window);
    return shell::SaveWindowPosition(geometry, ini_, kSection);
  }
  void Restore(QWidget& window) {
    QtWindowGeometry geometry(window);
    shell::RestoreWindowPosition(geometry, ini_, kSection);
  }
  // The stored keys as "x,y,width,height,maximize".
  std::string Stored() const {
    std::string out;
    for (const char* key : {"XPosit", "YPosit", "Width", "Height", "Maximize"}) {
      if (!out.empty()) out += ",";
      out += runtime::ReadProfileString(ini_, kSection, key, "");
    }
    return out;
  }
  std::string FileBytes() const {
    std::ifstream in(ini_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool Shown(QWidget& window) { return QTest::qWaitForWindowExposed(&window); }

  testing::TempTree tree_;
  fs::path ini_ = tree_.root() / "trawlex" / "Trawlex.INI";
};

TEST_F(QtWindowGeometryTest, TopLevelWindowReopensWhereItWasClosed) {
  const QRect normal(150, 160, 420, 310);
  QWidget closing;
  closing.setGeometry(normal);
  closing.show();
  ASSERT_TRUE(Shown(closing));
  ASSERT_TRUE(Save(closing));
  EXPECT_EQ(Stored(), "150,160,420,310,No");

  QWidget opening;
  opening.resize(200, 100);
  Restore(opening);
  opening.show();
  ASSERT_TRUE(Shown(opening));
  EXPECT_EQ(opening.geometry(), normal);
  EXPECT_FALSE(opening.isMaximized());
}

TEST_F(QtWindowGeometryTest, MaximisedTopLevelWindowKeepsItsNormalPlace) {
  const QRect normal(130, 140, 400, 300);
  QWidget closing;
  closing.setGeometry(normal);
  closing.show();
  ASSERT_TRUE(Shown(closing));
  closing.showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return closing.geometry() != normal; }));
  ASSERT_TRUE(closing.isMaximized());
  ASSERT_TRUE(Save(closing));
  EXPECT_EQ(Stored(), "130,140,400,300,Yes");
  EXPECT_FALSE(closing.isMaximized());  // placement leaves the maximised state first

  QWidget opening;
  Restore(opening);
  EXPECT_TRUE(opening.isMaximized());
  opening.show();
  ASSERT_TRUE(Shown(opening));
  EXPECT_TRUE(QTest::qWaitFor([&] { return opening.geometry().width() > normal.width(); }));
  opening.showNormal();
  EXPECT_TRUE(QTest::qWaitFor([&] { return opening.geometry() == normal; }))
      << opening.geometry().x() << "," << opening.geometry().y() << " "
      << opening.geometry().width() << "x" << opening.geometry().height();
}

TEST_F(QtWindowGeometryTest, MinimisedWindowLeavesTheStoredPlace) {
  QWidget window;
  window.setGeometry(110, 120, 330, 220);
  window.show();
  ASSERT_TRUE(Shown(window));
  ASSERT_TRUE(Save(window));
  const std::string before = FileBytes();
  window.showMinimized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMinimized(); }));
  EXPECT_TRUE(Save(window));
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(QtWindowGeometryTest, MdiChildReopensWhereItWasClosed) {
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  ASSERT_TRUE(Shown(area));
  const QRect normal(20, 30, 300, 200);
  QMdiSubWindow* closing = area.addSubWindow(new QWidget);
  closing->setGeometry(normal);
  closing->show();
  ASSERT_TRUE(Save(*closing));
  EXPECT_EQ(Stored(), "20,30,300,200,No");

  closing->showMaximized();
  ASSERT_TRUE(closing->isMaximized());
  ASSERT_NE(closing->geometry(), normal);
  ASSERT_TRUE(Save(*closing));
  EXPECT_EQ(Stored(), "20,30,300,200,Yes");
  EXPECT_EQ(closing->geometry(), normal);
  delete closing;

  QMdiSubWindow* opening = area.addSubWindow(new QWidget);
  opening->resize(120, 80);
  Restore(*opening);
  EXPECT_TRUE(opening->isMaximized());
  opening->showNormal();
  EXPECT_EQ(opening->geometry(), normal);

  // Minimised: nothing is written.
  const std::string before = FileBytes();
  opening->showMinimized();
  ASSERT_TRUE(opening->isMinimized());
  EXPECT_TRUE(Save(*opening));
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(QtWindowGeometryTest, FixedSizeWindowIsOnlyMoved) {
  ASSERT_TRUE(runtime::WriteProfileStrings(
      ini_, kSection, {{"XPosit", "70"}, {"YPosit", "80"}, {"Width", "500"}, {"Height", "400"}}));
  QWidget fixed;
  fixed.setFixedSize(200, 100);
  Restore(fixed);
  EXPECT_EQ(fixed.geometry(), QRect(70, 80, 200, 100));
}

// A place stored on a larger screen comes back whole on this one: title bar and close box
// within reach.
TEST_F(QtWindowGeometryTest, PlaceFromALargerScreenIsFittedIntoThisOne) {
  ASSERT_TRUE(runtime::WriteProfileStrings(
      ini_, kSection,
      {{"XPosit", "1500"}, {"YPosit", "900"}, {"Width", "1900"}, {"Height", "1040"}}));
  QWidget window;
  Restore(window);
  const QRect space = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(space.contains(window.geometry()))
      << window.geometry().x() << "," << window.geometry().y();
}

TEST(QtWindowGeometry, ResizableUnlessTheSizeIsFixed) {
  using Make = std::function<std::unique_ptr<QWidget>()>;
  const auto widget = [](std::function<void(QWidget&)> setUp) -> Make {
    return [setUp] {
      auto made = std::make_unique<QWidget>();
      setUp(*made);
      return made;
    };
  };
  const auto child = [](std::function<void(QWidget&)> setUp) -> Make {
    return [setUp] {
      auto made = std::make_unique<QMdiSubWindow>();
      auto* inner = new QWidget;
      setUp(*inner);
      made->setWidget(inner);
      return std::unique_ptr<QWidget>(std::move(made));
    };
  };
  const struct {
    const char* name;
    Make make;
    bool resizable;
  } cases[] = {
      {"plain window", widget([](QWidget&) {}), true},
      {"fixed size", widget([](QWidget& w) { w.setFixedSize(200, 100); }), false},
      {"fixed policy",
       widget([](QWidget& w) { w.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); }), false},
      {"fixed in one direction only",
       widget([](QWidget& w) { w.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred); }),
       true},
      {"layout fixes the size",
       widget([](QWidget& w) { (new QVBoxLayout(&w))->setSizeConstraint(QLayout::SetFixedSize); }),
       false},
      {"fixed-size dialogue hint", widget([](QWidget& w) {
         w.setWindowFlags(w.windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
       }),
       false},
      {"MDI child of a plain widget", child([](QWidget&) {}), true},
      {"MDI child of a fixed widget", child([](QWidget& w) { w.setFixedSize(150, 90); }), false},
  };
  for (const auto& c : cases) {
    auto window = c.make();
    EXPECT_EQ(QtWindowGeometry(*window).IsResizable(), c.resizable) << c.name;
  }
}

}  // namespace
}  // namespace trawlex::ui
