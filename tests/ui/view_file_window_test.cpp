// The file viewer on a 200-line file with a hit at line 30: the first page and its colours,
// the keys that move the page, the link to a results window, the find, and a file that
// changes under the viewer.

#include "ui/view_file_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "engine/file_search.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "ui/qt_desktop.h"
#include "ui/window_registry.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

constexpr int kLines = 200;
constexpr int kHitLine = 30;

std::string LineText(int n) {
  if (n == 1 || n == kHitLine) return "  Line " + std::to_string(n) + " target ! note";
  return "  Line " + std::to_string(n);
}

// Stands for a results window: records the program events the viewer posts to it.
class RecordingWindow final : public QWidget {
 public:
  std::vector<int> codes;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != ProgramEvent::EventType()) return QWidget::event(event);
    codes.push_back(static_cast<ProgramEvent*>(event)->Code());
    return true;
  }
};

class ViewFileWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text;
    for (int n = 1; n <= kLines; ++n) {
      positions.push_back(static_cast<std::int64_t>(text.size()) + 1);
      text += LineText(n) + "\n";
    }
    file = tree.Write("src/file.txt", text);
  }

  results::ViewParams Params(bool linked) const {
    results::ViewParams params;
    params.file = "file.txt";
    params.lineNo = kHitLine;
    params.ptr = positions[kHitLine - 1];
    params.resQNum = 3;
    params.resQRecs = 9;
    params.fileAndPath = file.string();
    params.linked = linked;
    params.hitText = engine::ResultText(LineText(kHitLine));
    params.hitPositions = {positions[27], positions[kHitLine - 1]};
    return params;
  }

  std::unique_ptr<ViewFileWindow> Open(bool linked, int slot = 0) {
    ViewerContext context;
    context.desktop = &desktop;
    context.files = shell::SettingsFilesIn(tree.root());
    auto viewer = std::make_unique<ViewFileWindow>(Params(linked), context, slot);
    viewer->setAttribute(Qt::WA_DeleteOnClose, false);
    test::ShowActive(*viewer);
    return viewer;
  }

  static QAbstractItemView& List(const ViewFileWindow& viewer) {
    return *test::NamedChild<QAbstractItemView>(viewer, "lines");
  }
  static QString Row(const ViewFileWindow& viewer, int row) {
    const QAbstractItemModel& model = *List(viewer).model();
    return model.index(row, 0).data().toString();
  }
  static QString FirstRow(const ViewFileWindow& viewer) { return Row(viewer, 0); }
  static QString LastRow(const ViewFileWindow& viewer) {
    return Row(viewer, List(viewer).model()->rowCount() - 1);
  }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  std::filesystem::path file;
  std::vector<std::int64_t> positions;  // of line n at [n - 1]
};

TEST_F(ViewFileWindowTest, OpensFiveLinesAboveTheHitWithItsMarks) {
  auto viewer = Open(false);
  EXPECT_EQ(viewer->windowTitle(), "View file.txt - line 30 - (3 of 9)");
  EXPECT_EQ(test::NamedChild<QLabel>(*viewer, "heading")->text(), "file.txt - Line 30 - (3 of 9)");
  EXPECT_EQ(test::NamedChild<QPushButton>(*viewer, "editFile")->toolTip(),
            QString::fromStdString(file.string()));
  EXPECT_EQ(FirstRow(*viewer), "  Line 25");
  // The page holds as many rows as the list shows.
  const QAbstractItemView& list = List(*viewer);
  EXPECT_EQ(list.model()->rowCount(), list.viewport()->height() / list.sizeHintForRow(0));
  // Another hit of the file (line 28) and the current hit, whose row is selected.
  const QAbstractItemModel& model = *list.model();
  EXPECT_EQ(model.index(3, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0, 0xFF, 0xFF));
  EXPECT_EQ(model.index(5, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0, 0xFF, 0));
  EXPECT_FALSE(model.index(4, 0).data(Qt::BackgroundRole).isValid());
  EXPECT_EQ(list.currentIndex().row(), 5);
  // Nothing is cut off.
  for (const QPushButton* button : viewer->findChildren<QPushButton*>()) {
    const QString shown = QString(button->text()).remove('&');
    EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(shown))
        << shown.toStdString();
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ViewFileWindowTest, KeysMoveThePageAndCopyTheRow) {
  auto viewer = Open(false);
  QAbstractItemView& list = List(*viewer);
  const int rows = list.model()->rowCount();
  ASSERT_GT(rows, 5);
  QTest::keyClick(&list, Qt::Key_PageDown);
  EXPECT_EQ(FirstRow(*viewer), "  Line " + QString::number(25 + rows));
  EXPECT_EQ(list.currentIndex().row(), rows - 1);
  QTest::keyClick(&list, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(LastRow(*viewer), "  Line 200");
  QTest::keyClick(&list, Qt::Key_Down);  // at the end of the file the page stays
  EXPECT_EQ(LastRow(*viewer), "  Line 200");
  QTest::keyClick(&list, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(FirstRow(*viewer), "  Line 1 target ! note");
  QTest::keyClick(&list, Qt::Key_Up);  // at the top of the file too
  EXPECT_EQ(FirstRow(*viewer), "  Line 1 target ! note");

  QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(desktop.clipboard, "Line 1 target ! note");
  desktop.menuChoices = {2};
  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_EQ(desktop.menus.size(), 1u);
  EXPECT_EQ(desktop.menus[0], "Copy Line\tCtrl+C|Copy Line w/o !Comment");
  EXPECT_EQ(desktop.clipboard, "Line 1 target ");

  // The text tab holds the page while it shows; its keys move the page too.
  test::NamedChild<QPushButton>(*viewer, "asText")->click();
  auto* text = test::NamedChild<QWidget>(*viewer, "pageText");
  EXPECT_EQ(test::NamedChild<QTabWidget>(*viewer, "tabs")->currentIndex(), 1);
  EXPECT_EQ(test::NamedChild<QPushButton>(*viewer, "asText")->text(), "&As List");
  QTest::keyClick(text, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_TRUE(text->property("plainText").toString().startsWith("  Line 2\n  Line 3\n"));
}

TEST_F(ViewFileWindowTest, ButtonsWalkTheLinkedResultsUntilTheLinkBreaks) {
  RecordingWindow results;
  const int slot = AppWindows().Open(&results, WindowKind::Results);
  ASSERT_NE(slot, 0);
  auto viewer = Open(true, slot);
  EXPECT_EQ(AppWindows().SlotsOf(WindowKind::Viewer),
            std::vector<int>{AppWindows().SlotOf(viewer.get())});
  auto* next = test::NamedChild<QPushButton>(*viewer, "nextLine");
  next->click();
  test::NamedChild<QToolButton>(*viewer, "previousFile")->click();
  QTRY_COMPARE(results.codes, (std::vector<int>{kEventNextLine, kEventPreviousFile}));

  test::NamedChild<QPushButton>(*viewer, "breakLink")->click();
  QTRY_COMPARE(results.codes.back(), kEventPartnerClosed);
  EXPECT_EQ(viewer->resultsSlot(), 0);
  EXPECT_FALSE(next->isEnabled());
  EXPECT_FALSE(test::NamedChild<QAction>(*viewer, "breakAction")->isEnabled());
  viewer->close();  // unlinked: the results window hears nothing more
  QCoreApplication::processEvents();
  EXPECT_EQ(results.codes.size(), 3u);

  auto unlinked = Open(false);
  for (const char* name : {"previousLine", "nextLine", "results", "breakLink"}) {
    EXPECT_FALSE(test::NamedChild<QPushButton>(*unlinked, name)->isEnabled()) << name;
  }
  for (const char* name : {"previousFile", "nextFile"}) {
    EXPECT_FALSE(test::NamedChild<QToolButton>(*unlinked, name)->isEnabled()) << name;
  }
}

TEST_F(ViewFileWindowTest, FindSearchesDownAndOffersToStartFromTheTop) {
  auto viewer = Open(false);
  auto* find = test::NamedChild<QPushButton>(*viewer, "find");
  EXPECT_EQ(find->toolTip(), "Search File");
  EXPECT_FALSE(test::NamedChild<QToolButton>(*viewer, "searchDown")->isEnabled());
  auto findNext = [&] {
    test::DialogDriver driver;
    driver.WhenModal<QDialog>([](QDialog& window) {
      test::NamedChild<QComboBox>(window, "findText")->setEditText("target");
      test::NamedChild<QPushButton>(window, "findNext")->click();
    });
    find->click();
    EXPECT_TRUE(driver.AllActed());
  };
  findNext();  // from line 25, the top row
  EXPECT_EQ(FirstRow(*viewer), "  Line 30 target ! note");
  EXPECT_EQ(find->toolTip(), "Search for: target");
  EXPECT_EQ(List(*viewer).currentIndex().row(), 0);
  // Rows that pass the find are marked; the current hit's own mark comes before.
  EXPECT_EQ(List(*viewer).model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
            QColor(0x80, 0x80, 0));

  test::ShowActive(*viewer);  // the window system's part once the find window is gone
  QTest::keyClick(&List(*viewer), Qt::Key_F3);  // nothing further down: a beep, no question
  EXPECT_EQ(desktop.beeps, 1);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(FirstRow(*viewer), "  Line 30 target ! note");

  desktop.answers = {runtime::kAnswerYes};
  findNext();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Did not find: target||Start from top of file?");
  EXPECT_EQ(desktop.messages[0].caption, "FIND");
  // From the top, the first line counts too.
  EXPECT_EQ(FirstRow(*viewer), "  Line 1 target ! note");
}

TEST_F(ViewFileWindowTest, AFileThatShrinksOrVanishesIsToldAndShownAnew) {
  auto viewer = Open(false);
  std::filesystem::resize_file(file, positions[9] - 1);  // lines 1 to 9 stay
  QTest::keyClick(&List(*viewer), Qt::Key_PageDown);
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].text,
            "An unexpected error trying to reopen the file you were viewing.||Error: Handle "
            "EOF|File: " +
                file.string());
  EXPECT_EQ(desktop.messages[0].caption, "Search");
  EXPECT_EQ(desktop.messages[0].icon, runtime::Icon::Warning);
  // Shown anew, the hit is no longer in the file: the top of the file instead.
  EXPECT_EQ(desktop.messages[1].text,
            "An unexpected error trying to reopen the file you were viewing.||Error: The file "
            "has changed since the search|File: " +
                file.string());
  EXPECT_EQ(FirstRow(*viewer), "  Line 1 target ! note");
  EXPECT_EQ(List(*viewer).model()->rowCount(), 9);

  std::filesystem::remove(file);
  viewer->ShowHit(Params(false));
  ASSERT_EQ(desktop.messages.size(), 3u);  // once, not again and again
  EXPECT_EQ(List(*viewer).model()->rowCount(), 0);
  QTest::keyClick(&List(*viewer), Qt::Key_PageDown);
  EXPECT_EQ(desktop.messages.size(), 3u);
}

}  // namespace
}  // namespace trawlex::ui
