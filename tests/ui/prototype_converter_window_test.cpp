// The "API Prototype / Struct Convertor" window: converting the example it opens on with the
// shipped type table, the blank-text refusal, the #if message shown once per window, a missing
// type table reported, and the SAL / Cvt_T options written back on closing.

#include "ui/prototype_converter_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTreeWidget>

#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "utilities/prototype_options.h"
#include "widget_lookup.h"

namespace trawlex::ui {
namespace {

template <typename Widget>
Widget* Child(QWidget& window, const char* name) {
  return test::NamedChild<Widget>(window, name);
}

using test::Click;

QStringList OutputLines(QWidget& window) {
  return Child<QPlainTextEdit>(window, "outputText")->toPlainText().split(QLatin1Char('\n'));
}

class PrototypeConverterWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(
        std::filesystem::path(TRAWLEX_SAMPLES_DIR) / "../share/WinTypes.vlw.Shipped",
        tree.root() / "WinTypes.VLW");
  }

  std::filesystem::path Ini() const { return tree.root() / "Trawlex.INI"; }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
};

TEST_F(PrototypeConverterWindowTest, ConvertsTheExampleThroughTheTypeTable) {
  PrototypeConverterWindow window(desktop, Ini(), tree.root(), "");
  EXPECT_EQ(window.windowTitle(), "API Prototype / Struct Convertor");
  EXPECT_LE(window.width(), 1366);
  EXPECT_LE(window.height(), 768);
  auto* tabs = Child<QTabWidget>(window, "tabs");
  ASSERT_EQ(tabs->count(), 5);
  EXPECT_EQ(tabs->tabText(1), " &Veldar Code");
  EXPECT_GT(Child<QTreeWidget>(window, "winTypes")->topLevelItemCount(), 20);
  EXPECT_GT(Child<QTreeWidget>(window, "typeTs")->topLevelItemCount(), 0);
  const QString salTip = Child<QCheckBox>(window, "sal")->toolTip();
  EXPECT_EQ(salTip,
            "Parse SAL => Standard (Source) Annotation Language\n"
            "Spot \"_opt\" and make <Omittable>");
  EXPECT_FALSE(Qt::mightBeRichText(salTip));
  EXPECT_TRUE(desktop.messages.empty());

  Click(window, "convert");
  EXPECT_EQ(tabs->currentIndex(), 1);
  const QStringList lines = OutputLines(window);
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines[0], "RegQueryValueEx    PROCEDURE( |");
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(lines[i].trimmed().contains(", |")) << i;
  EXPECT_TRUE(lines[6].contains("  |")) << lines[6].toStdString();
  EXPECT_TRUE(lines[7].startsWith("    ),PASCAL,DLL(1),RAW,LONG ?,name('RegQueryValueExA')"))
      << lines[7].toStdString();
  EXPECT_GT(Child<QListWidget>(window, "parseQueue")->count(), 0);
  EXPECT_TRUE(desktop.messages.empty());

  Click(window, "clear");
  Click(window, "convert");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "You must enter Prototypes on this tab first");
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(OutputLines(window)[0], "RegQueryValueEx    PROCEDURE( |");
}

TEST_F(PrototypeConverterWindowTest, ConditionalsAreToldOncePerWindow) {
  PrototypeConverterWindow window(desktop, Ini(), tree.root(), "");
  desktop.clipboard =
      "#if (WINVER >= 0x0500)\r\nBOOL WINAPI SetWindowTextA(\r\n  HWND hWnd,\r\n"
      "  LPCSTR lpString\r\n);\r\n#endif\r\n";
  Click(window, "paste");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, "#if #else not supported");
  EXPECT_NE(desktop.messages[0].text.find("They were kept as comments."), std::string::npos);
  EXPECT_EQ(OutputLines(window).filter("SetWindowTextA    PROCEDURE(").size(), 1);
  Click(window, "doCProto");
  EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(PrototypeConverterWindowTest, MissingTableIsReportedAndClosingWritesTheOptions) {
  const std::filesystem::path empty = tree.Dir("empty");
  PrototypeConverterWindow window(desktop, Ini(), empty, "");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text.rfind("Open \"", 0), 0u) << desktop.messages[0].text;
  EXPECT_NE(desktop.messages[0].text.find("\" Error: "), std::string::npos);
  EXPECT_EQ(Child<QTreeWidget>(window, "winTypes")->topLevelItemCount(), 0);

  EXPECT_TRUE(Child<QCheckBox>(window, "sal")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(window, "cvtT")->isChecked());
  Child<QCheckBox>(window, "sal")->setChecked(false);
  Child<QCheckBox>(window, "cvtT")->setChecked(true);
  test::ShowActive(window);
  window.close();
  const utilities::ProtoOptions saved = utilities::LoadProtoOptions(Ini());
  EXPECT_FALSE(saved.sal);
  EXPECT_TRUE(saved.cvtT);
}

}  // namespace
}  // namespace trawlex::ui
