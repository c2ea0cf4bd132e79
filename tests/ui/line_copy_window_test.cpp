// The "Copy Line to Clipboard" window over a scripted desktop: what each copy button puts on
// the clipboard, when the window closes after copying, the text box and the window's place.

#include "ui/line_copy_window.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "runtime/profile.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "widget_lookup.h"

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace trawlex::ui {
namespace {

// A hit in a directory and a file whose names hold blanks, the file's in Windows-1252.
const results::LineCopyRequest kHit{"/work dir/caf\xE9 orders.vlw", "Orders PROCEDURE   ",
                                    "   x = 1   "};
constexpr const char* kBoxText =
    "x = 1 \r\nOrders PROCEDURE \r\n/work dir/ \r\ncaf\xE9 orders.vlw \r\n"
    "/work dir/caf\xE9 orders.vlw \r\n";

class LineCopyWindowTest : public ::testing::Test {
 protected:
  LineCopyWindow& Open(QWidget* parent = nullptr) {
    window = std::make_unique<LineCopyWindow>(desktop, tree.root() / "Trawlex.INI", kHit, parent);
    test::ShowActive(*window);
    return *window;
  }
  QPushButton* Button(const char* name) { return test::NamedChild<QPushButton>(*window, name); }
  QPlainTextEdit* Box() { return test::NamedChild<QPlainTextEdit>(*window, "text"); }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  std::unique_ptr<LineCopyWindow> window;
};

TEST_F(LineCopyWindowTest, EachButtonCopiesItsPartAndAModifierClosesTheWindow) {
  const struct {
    const char* button;
    Qt::Key accelerator;
    std::string copied;
  } cases[] = {
      {"copyAll", Qt::Key_A, kBoxText},
      {"location", Qt::Key_L, "Orders PROCEDURE"},
      {"file", Qt::Key_F, "caf\xE9 orders.vlw"},
      {"path", Qt::Key_P, "/work dir"},
      {"pathFile", Qt::Key_E, "/work dir/caf\xE9 orders.vlw"},
  };
  for (const auto& c : cases) {
    Open();
    QTest::mouseClick(Button(c.button), Qt::LeftButton);
    EXPECT_EQ(desktop.clipboard, c.copied) << c.button;
    EXPECT_TRUE(window->isVisible()) << c.button;
    desktop.clipboard.clear();
    QTest::mouseClick(Button(c.button), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(desktop.clipboard, c.copied) << c.button;
    EXPECT_FALSE(window->isVisible()) << c.button << " stayed open after Ctrl + click";

    // The accelerator is Alt + its letter, and Alt closes the window as well.
    Open();
    desktop.clipboard.clear();
    QTest::keyClick(window.get(), c.accelerator, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); })) << c.button;
    EXPECT_EQ(desktop.clipboard, c.copied) << c.button;
  }
}

TEST_F(LineCopyWindowTest, CopySelectedCopiesTheSelectionOrOnlyBeeps) {
  Open();
  QTest::mouseClick(Button("copySelected"), Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(desktop.beeps, 1);
  EXPECT_EQ(desktop.clipboard, "");
  EXPECT_TRUE(window->isVisible());  // nothing was copied

  QTextCursor cursor = Box()->textCursor();
  cursor.setPosition(4);                                   // "1 " of the first line
  cursor.setPosition(4 + 3 + 6, QTextCursor::KeepAnchor);  // to "Orders" of the second
  Box()->setTextCursor(cursor);
  QTest::mouseClick(Button("copySelected"), Qt::LeftButton);
  EXPECT_EQ(desktop.clipboard, "1 \r\nOrders");
  EXPECT_TRUE(window->isVisible());
}

TEST_F(LineCopyWindowTest, ShowsTheHitsPartsInAFixedPitchBoxWithTheirTips) {
  Open();
  EXPECT_EQ(window->windowTitle(), "Copy Line to Clipboard");
  EXPECT_EQ(Box()->toPlainText(), QString::fromUtf8("x = 1 \nOrders PROCEDURE \n/work dir/ \n"
                                                    "caf\xC3\xA9 orders.vlw \n/work dir/"
                                                    "caf\xC3\xA9 orders.vlw "));
  EXPECT_TRUE(Box()->isReadOnly());
  EXPECT_EQ(Box()->font().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
  const std::pair<const char*, const char*> tips[] = {
      {"location", "Copy Location to Clipboard"},
      {"file", "Copy File name to Clipboard"},
      {"path", "Copy Path to Clipboard"},
      {"pathFile", "Copy Path\\File to Clipboard"},
  };
  for (const auto& [button, tip] : tips) EXPECT_EQ(Button(button)->toolTip(), tip) << button;
  for (const char* name :
       {"copyAll", "copySelected", "location", "file", "path", "pathFile", "close"}) {
    QPushButton* button = Button(name);
    const int textWidth = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
    EXPECT_GE(button->width(), textWidth) << name;
  }
  auto* close = Button("close");
  EXPECT_EQ(close->text(), "Close");
  QTest::mouseClick(close, Qt::LeftButton);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(desktop.clipboard, "");
}

TEST_F(LineCopyWindowTest, OpensCentredOnItsParentThenWhereItWasLeft) {
  QWidget parent;
  parent.setGeometry(60, 50, 700, 500);  // inside the 800 x 600 offscreen screen
  test::ShowActive(parent);
  Open(&parent);
  const QPoint offset = window->frameGeometry().center() - parent.frameGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
  window->setGeometry(QRect(QPoint(130, 110), window->size()));
  const QSize size = window->size();
  window->reject();
  const std::filesystem::path ini = tree.root() / "Trawlex.INI";
  EXPECT_EQ(runtime::ReadProfileString(ini, "Line2Clip", "XPosit", ""), "130");

  Open(&parent);
  EXPECT_EQ(window->geometry(), QRect(QPoint(130, 110), size));
  window.reset();  // before its parent, which would delete it too
}

}  // namespace
}  // namespace trawlex::ui
