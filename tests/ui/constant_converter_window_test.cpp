// The "#Define to Equate() Converter" window: opening on its examples, converting them, the
// refusal of a blank tab, pasting and converting in one step, copying the result, keyboard
// reach of the tabs.

#include "ui/constant_converter_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "support/scripted_desktop.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

template <typename Widget>
Widget* Child(QWidget& window, const char* name) {
  return test::NamedChild<Widget>(window, name);
}

using test::Click;

QString Text(QWidget& window, const char* name) {
  return Child<QPlainTextEdit>(window, name)->toPlainText();
}

int CurrentTab(QWidget& window) {
  return Child<QTabWidget>(window, "tabs")->currentIndex();
}

TEST(ConstantConverterWindow, OpensOnExamplesAndConvertsThem) {
  testing::ScriptedDesktop desktop;
  ConstantConverterWindow window(desktop);
  EXPECT_EQ(window.windowTitle(), "#Define to Equate() Converter");
  auto* tabs = Child<QTabWidget>(window, "tabs");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), " #&Define");
  EXPECT_EQ(tabs->tabText(1), " &VB Const");
  EXPECT_EQ(tabs->tabText(2), " &Equate()");
  EXPECT_TRUE(
      Text(window, "defineText").startsWith("Place your C Code with your #define's in the "));
  EXPECT_TRUE(
      Text(window, "vbText").startsWith("Place your VB Code with your CONST lines in the "));
  EXPECT_EQ(Text(window, "equatesText"), Text(window, "defineText"));
  EXPECT_LE(window.width(), 1366);
  EXPECT_LE(window.height(), 768);

  Click(window, "defineConvert");
  EXPECT_EQ(CurrentTab(window), 2);
  EXPECT_TRUE(
      Text(window, "equatesText")
          .contains("FILE_FLAG_WRITE_THROUGH           EQUATE(80000000h)                   !\n"));
  EXPECT_TRUE(Text(window, "equatesText").contains("\n    END !} FINDEX_SEARCH_OPS;\n"));

  Click(window, "vbConvert");
  EXPECT_TRUE(
      Text(window, "equatesText")
          .contains("WM_LBUTTONDOWN                    EQUATE(201h)                        !\n"));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST(ConstantConverterWindow, BlankTabIsRefusedAndKeepsTheUserThere) {
  testing::ScriptedDesktop desktop;
  ConstantConverterWindow window(desktop);
  const QString before = Text(window, "equatesText");
  Click(window, "defineClear");
  EXPECT_EQ(Text(window, "defineText"), "");
  Click(window, "defineConvert");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "You must enter C #Defines on this tab first");
  EXPECT_EQ(desktop.messages[0].icon, runtime::Icon::Warning);
  EXPECT_EQ(CurrentTab(window), 0);
  EXPECT_EQ(Text(window, "equatesText"), before);
}

TEST(ConstantConverterWindow, DoCDefPastesConvertsAndCopiesBack) {
  testing::ScriptedDesktop desktop;
  ConstantConverterWindow window(desktop);
  desktop.clipboard = "#define A (B | C)\r\nint x;\r\n";
  Click(window, "doCDef");
  EXPECT_EQ(Text(window, "defineText"), "#define A (B | C)\nint x;\n");
  EXPECT_EQ(CurrentTab(window), 2);
  Click(window, "copyToClip");
  EXPECT_EQ(desktop.clipboard,
            "Bitwise operators (&AND |OR ^XOR  << >> SHIFT) were found in 1 equates.\r\n"
            "You can use BAND BOR BXOR functions in a Veldar EQUATE() but not BSHIFT().\r\n\r\n"
            "A                                 EQUATE(B | C)                       !\r\n"
            "! int x;\r\n");

  desktop.clipboard = "FLAG_ONLY\r\n";
  Child<QCheckBox>(window, "vbAssumeAll")->setChecked(true);
  Click(window, "doVb");
  EXPECT_TRUE(Text(window, "equatesText").startsWith("! Not converted (no value): FLAG_ONLY"));
}

TEST(ConstantConverterWindow, TabsAnswerTheirAccelerators) {
  testing::ScriptedDesktop desktop;
  ConstantConverterWindow window(desktop);
  test::ShowActive(window);
  QTest::keyClick(&window, Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(CurrentTab(window), 1);
  QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
  EXPECT_EQ(CurrentTab(window), 2);
}

}  // namespace
}  // namespace trawlex::ui
