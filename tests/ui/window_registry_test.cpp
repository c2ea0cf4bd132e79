#include "ui/window_registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <memory>

namespace trawlex::ui {
namespace {

// A window that notes the program events it receives.
class RecordingWindow final : public QWidget {
 public:
  std::vector<int> codes;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == ProgramEvent::EventType()) {
      codes.push_back(static_cast<ProgramEvent*>(event)->Code());
      return true;
    }
    return QWidget::event(event);
  }
};

class WindowRegistryTest : public ::testing::Test {
 protected:
  // Opens `count` windows; the first is the frame.
  void OpenWindows(int count) {
    for (int i = 0; i < count; ++i) {
      windows_.push_back(std::make_unique<RecordingWindow>());
      const WindowKind kind = i == 0 ? WindowKind::Frame : WindowKind::Results;
      ASSERT_EQ(registry_.Open(windows_.back().get(), kind), i + 1);
    }
  }
  static void Deliver() { QCoreApplication::sendPostedEvents(); }

  WindowRegistry registry_;
  std::vector<std::unique_ptr<RecordingWindow>> windows_;
};

TEST_F(WindowRegistryTest, SixtyThreeSlotsThenNone) {
  OpenWindows(kWindowSlots);
  EXPECT_EQ(registry_.OpenCount(), 63);
  RecordingWindow extra;
  EXPECT_EQ(registry_.Open(&extra, WindowKind::Viewer), 0);
  EXPECT_EQ(registry_.SlotOf(&extra), 0);
  EXPECT_EQ(registry_.Open(nullptr, WindowKind::Viewer), 0);
  // A window opened again keeps its slot and takes no second one.
  EXPECT_EQ(registry_.Open(windows_[9].get(), WindowKind::Results), 10);
  EXPECT_EQ(registry_.OpenCount(), 63);
}

TEST_F(WindowRegistryTest, LowestFreeSlotIsTakenFirst) {
  OpenWindows(6);
  registry_.Close(5);
  registry_.Close(2);
  EXPECT_EQ(registry_.Window(2), nullptr);
  EXPECT_EQ(registry_.OpenCount(), 4);
  RecordingWindow a, b, c;
  EXPECT_EQ(registry_.Open(&a, WindowKind::Viewer), 2);
  EXPECT_EQ(registry_.Open(&b, WindowKind::Viewer), 5);
  EXPECT_EQ(registry_.Open(&c, WindowKind::Viewer), 7);
  EXPECT_EQ(registry_.Window(5), &b);
  EXPECT_EQ(registry_.SlotOf(&c), 7);
  // Closing a slot leaves its window alone.
  c.show();
  registry_.Close(7);
  EXPECT_TRUE(c.isVisible());
  EXPECT_EQ(registry_.SlotOf(&c), 0);
}

TEST_F(WindowRegistryTest, DestroyedWindowsFreeTheirSlot) {
  OpenWindows(4);
  windows_[1].reset();  // slot 2
  EXPECT_EQ(registry_.Window(2), nullptr);
  EXPECT_EQ(registry_.OpenCount(), 3);

  // A window whose slot was closed and given to another must not free it when destroyed.
  auto closed = std::make_unique<RecordingWindow>();
  RecordingWindow successor;
  ASSERT_EQ(registry_.Open(closed.get(), WindowKind::Viewer), 2);
  registry_.Close(2);
  ASSERT_EQ(registry_.Open(&successor, WindowKind::Viewer), 2);
  closed.reset();
  EXPECT_EQ(registry_.Window(2), &successor);
}

TEST_F(WindowRegistryTest, PostQueuesTheEventToTheSlotsWindow) {
  OpenWindows(3);
  EXPECT_TRUE(registry_.Post(3, kEventNextLine));
  EXPECT_TRUE(registry_.Post(3, kEventPreviousFile));
  EXPECT_TRUE(windows_[2]->codes.empty());  // queued, not sent
  Deliver();
  EXPECT_EQ(windows_[2]->codes, (std::vector<int>{kEventNextLine, kEventPreviousFile}));
  EXPECT_TRUE(windows_[0]->codes.empty());
  EXPECT_TRUE(windows_[1]->codes.empty());

  for (int slot : {0, 4, 63, 64, -1}) EXPECT_FALSE(registry_.Post(slot, kEventShowLine)) << slot;

  // An event queued to a window that is then destroyed is dropped with it.
  EXPECT_TRUE(registry_.Post(2, kEventPartnerClosed));
  windows_[1].reset();
  Deliver();
}

TEST_F(WindowRegistryTest, BroadcastReachesEveryWindowButTheFrame) {
  OpenWindows(kWindowSlots);
  registry_.Close(30);
  registry_.Broadcast(kEventCloseViewers);
  Deliver();
  EXPECT_TRUE(windows_[0]->codes.empty());
  EXPECT_TRUE(windows_[29]->codes.empty());
  for (int slot = 2; slot <= kWindowSlots; ++slot) {
    if (slot == 30) continue;
    EXPECT_EQ(windows_[slot - 1]->codes, std::vector<int>{kEventCloseViewers}) << slot;
  }
}

TEST_F(WindowRegistryTest, WindowsAreFoundByKind) {
  RecordingWindow frame, results1, viewer, results2;
  registry_.Open(&frame, WindowKind::Frame);
  registry_.Open(&results1, WindowKind::Results);
  registry_.Open(&viewer, WindowKind::Viewer);
  registry_.Open(&results2, WindowKind::Results);
  EXPECT_EQ(registry_.SlotsOf(WindowKind::Results), (std::vector<int>{2, 4}));
  EXPECT_EQ(registry_.SlotsOf(WindowKind::Viewer), (std::vector<int>{3}));
  EXPECT_TRUE(registry_.SlotsOf(WindowKind::MultiSearch).empty());
  registry_.Close(2);
  EXPECT_EQ(registry_.SlotsOf(WindowKind::Results), (std::vector<int>{4}));
}

TEST(WindowRegistryApp, OneRegistryPerApplication) {
  EXPECT_EQ(&AppWindows(), &AppWindows());
  EXPECT_GE(ProgramEvent::EventType(), QEvent::User);
  EXPECT_EQ(ProgramEvent::EventType(), ProgramEvent(kEventShowLine).type());
}

}  // namespace
}  // namespace trawlex::ui
