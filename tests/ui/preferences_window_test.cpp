// The "Preferences" window over the process's preferences loaded from a Search.DAT in a
// temporary directory: what it shows, what OK stores, what Cancel puts back, the extension
// fields' groups and the editor chooser.

#include "ui/preferences_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "widget_lookup.h"
#include "dialog_driver.h"
#include "runtime/profile.h"
#include "shell/settings_test_support.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace trawlex::ui {
namespace {

constexpr const char* kStoredOptions =
    "[Options]\n"
    "EditorName=kate --line %L %F\n"
    "LastSearchCnt=40\n"
    "FilesPerTimer=7\n"
    "FilesPerTimerModal=120\n"
    "Use16BitFileOpen=1\n"
    "MinViewWithResults=0\n"
    "ExtVeldar=VLWINC\n"
    "ExtTemplates=tpltpw\n"
    "NoSplash2=1\n";

class PreferencesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.Write("Search.DAT", kStoredOptions);
    preferences = shell::LoadOptions(files, desktop);
    preferences.helpFilePath = "/opt/veldar/V55Help.HLP";
  }

  PreferencesWindow& Open() {
    window = std::make_unique<PreferencesWindow>(preferences, files, desktop);
    test::ShowActive(*window);
    return *window;
  }

  template <typename Widget>
  Widget* Get(const char* name) { return test::NamedChild<Widget>(*window, name); }
  QString Text(const char* entry) { return Get<QLineEdit>(entry)->text(); }
  void ShowTab(const char* title) {
    auto* tabs = Get<QTabWidget>("tabs");
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->tabText(i) == title) tabs->setCurrentIndex(i);
    }
  }
  void Type(const char* entry, const QString& text) {
    QLineEdit* field = Get<QLineEdit>(entry);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
  }
  void TypeNumber(const char* spin, int value) {
    auto* box = Get<QSpinBox>(spin);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
  }
  // Near the left edge: a check box takes clicks on its box and caption only.
  void Click(const char* button) {
    QAbstractButton* widget = Get<QAbstractButton>(button);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
  }
  std::string Stored(const char* key) {
    return runtime::ReadProfileString(files.searchDat, "Options", key, "<missing>");
  }

  testing::TempTree tree;
  shell::SettingsFiles files = shell::SettingsFilesIn(tree.root());
  testing::ScriptedDesktop desktop;
  shell::Preferences preferences;
  std::unique_ptr<PreferencesWindow> window;
};

TEST_F(PreferencesWindowTest, ShowsTheStoredPreferences) {
  Open();
  EXPECT_EQ(window->windowTitle(), "Preferences");
  auto* tabs = Get<QTabWidget>("tabs");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "General");
  EXPECT_EQ(tabs->tabText(1), "Files");

  EXPECT_EQ(Text("editor"), "kate --line %L %F");
  EXPECT_EQ(Get<QSpinBox>("filesPerTimer")->value(), 7);
  EXPECT_EQ(Get<QSpinBox>("filesPerTimerModal")->value(), 120);
  EXPECT_EQ(Get<QSpinBox>("lastSearchCnt")->value(), 40);
  EXPECT_TRUE(Get<QCheckBox>("use16Bit")->isChecked());
  EXPECT_FALSE(Get<QCheckBox>("minViewWithResults")->isChecked());
  EXPECT_TRUE(Get<QCheckBox>("noSplash")->isChecked());
  EXPECT_EQ(Text("extVeldar"), "vlwinc");  // lower-cased on loading
  EXPECT_EQ(Text("extTemplates"), "tpltpw");
  EXPECT_EQ(Text("helpFile"), "/opt/veldar/V55Help.HLP");
  EXPECT_TRUE(Get<QLineEdit>("helpFile")->isReadOnly());

  EXPECT_EQ(Get<QLineEdit>("editor")->maxLength(), 64);
  for (const char* extension : {"extVeldar", "extTemplates"}) {
    EXPECT_EQ(Get<QLineEdit>(extension)->maxLength(), 24) << extension;
    EXPECT_EQ(Get<QLineEdit>(extension)->font().family(),
              QFontDatabase::systemFont(QFontDatabase::FixedFont).family())
        << extension;
  }
  // Files per timer are bytes: their entries stop where a byte does.
  EXPECT_EQ(Get<QSpinBox>("filesPerTimer")->maximum(), 255);
  EXPECT_EQ(Get<QSpinBox>("filesPerTimerModal")->maximum(), 255);

  QStringList shown;
  for (const QLabel* label : window->findChildren<QLabel*>()) shown << label->text();
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    shown << button->text();
  }
  for (const QGroupBox* box : window->findChildren<QGroupBox*>()) shown << box->title();
  for (const char* caption :
       {"Editor Path && Name:", "...", "Editor Command Macros", "%F = Filename to edit",
        "%L = Current Line", "Search Files Per Timer:", "Search Files Per Timer Modal:",
        "Last Searches Count", "Use 16-bit File Open Dialogs", "Minimize Viewer With Results",
        "Do not show Splash window", "File Extensions", "Veldar Source:", "Templates:",
        "*Must take 3 bytes each, you cannot use wildcards", "VW Help:", "OK", "Cancel"}) {
    EXPECT_TRUE(shown.contains(QString::fromUtf8(caption))) << caption;
  }
}

TEST_F(PreferencesWindowTest, OkStoresAllNineKeys) {
  Open();
  Type("editor", "gvim +%L %F");
  TypeNumber("filesPerTimer", 9);
  TypeNumber("filesPerTimerModal", 200);
  TypeNumber("lastSearchCnt", 0);
  Click("use16Bit");
  Click("minViewWithResults");
  Click("noSplash");
  ShowTab("Files");
  Type("extVeldar", "vlwincvli");
  Type("extTemplates", "TPX");
  Click("ok");

  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_FALSE(window->isVisible());
  const std::pair<const char*, std::string> keys[] = {
      {"EditorName", "gvim +%L %F"}, {"LastSearchCnt", "0"},    {"FilesPerTimer", "9"},
      {"FilesPerTimerModal", "200"}, {"Use16BitFileOpen", "0"}, {"MinViewWithResults", "1"},
      {"ExtVeldar", "vlwincvli"},    {"ExtTemplates", "tpx"},   {"NoSplash2", "0"},
  };
  for (const auto& [key, value] : keys) EXPECT_EQ(Stored(key), value) << key;
  // The process goes on with what was stored.
  EXPECT_EQ(preferences.editorName, std::string_view("gvim +%L %F"));
  EXPECT_EQ(preferences.extVeldar, "vlwincvli  ");
  EXPECT_EQ(preferences.lastSearchCnt, 0);
  EXPECT_EQ(preferences.filesPerTimerModal, 200);
  EXPECT_EQ(preferences.fileDialogFlags, shell::kFileDialogLongNames);
  EXPECT_EQ(preferences.helpFilePath, std::string_view("/opt/veldar/V55Help.HLP"));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(PreferencesWindowTest, EveryOtherWayOfClosingPutsBackTheFile) {
  const shell::Preferences loaded = preferences;
  const std::string before = shell::test::FileBytes(files.searchDat);
  const std::function<void()> closers[] = {
      [this] { Click("cancel"); },
      [this] { QTest::keyClick(window.get(), Qt::Key_Escape); },
      [this] { window->close(); },
  };
  for (const auto& close : closers) {
    Open();
    Type("editor", "changed");
    TypeNumber("filesPerTimer", 99);
    Click("noSplash");
    ShowTab("Files");
    Type("extVeldar", "abc");
    EXPECT_EQ(preferences.filesPerTimer, 99);  // the controls edit the preferences directly
    close();
    EXPECT_NE(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(preferences, loaded);
    EXPECT_EQ(shell::test::FileBytes(files.searchDat), before);
  }
}

TEST_F(PreferencesWindowTest, LeavingAnExtensionFieldShowsItsGroups) {
  Open();
  ShowTab("Files");
  Type("extVeldar", "VLWincINTvlavli");
  EXPECT_EQ(Text("extVeldar"), "VLWincINTvlavli");  // nothing happens while typing
  QTest::keyClick(Get<QLineEdit>("extVeldar"), Qt::Key_Tab);
  EXPECT_EQ(Text("extVeldar"), "VlwIncIntVlaVli ");
  EXPECT_EQ(preferences.extVeldar, "VlwIncIntVlaVli ");

  Type("extTemplates", "tpltpwtpxtpd");
  Get<QLineEdit>("extVeldar")->setFocus();  // leaving by any other way
  EXPECT_EQ(Text("extTemplates"), "TplTpwTpxTpd ");

  Click("ok");
  EXPECT_EQ(Stored("ExtVeldar"), "vlwincintvlavli");
  EXPECT_EQ(Stored("ExtTemplates"), "tpltpwtpxtpd");
  EXPECT_EQ(preferences.extTemplates, "tpltpwtpxtpd  ");
}

TEST_F(PreferencesWindowTest, TheEditorChooserSetsTheCommand) {
  const struct {
    std::optional<std::string> chosen;
    QString shown;
  } cases[] = {
      {"/usr/bin/gvim", "/usr/bin/gvim"},
      {std::nullopt, "/usr/bin/gvim"},  // cancelled: the command stays
      {"/opt/my editor/ed", "\"/opt/my editor/ed\""},
      {"/mnt/c/UltraEdit/uedit32.exe", "/mnt/c/UltraEdit/uedit32.exe %F/%L"},
  };
  Open();
  for (const auto& c : cases) {
    desktop.chosenFiles.push_back(c.chosen);
    Click("chooseEditor");
    EXPECT_EQ(Text("editor"), c.shown);
    EXPECT_EQ(preferences.editorName, ToBytes(c.shown));
  }
  ASSERT_EQ(desktop.fileRequests.size(), 4u);
  EXPECT_EQ(desktop.fileRequests[0].title, "Select your Editor program");
  EXPECT_EQ(desktop.fileRequests[0].filter, "Programs|*.EXE;*.COM|All Files|*.*");
  Click("ok");
  EXPECT_EQ(Stored("EditorName"), "/mnt/c/UltraEdit/uedit32.exe %F/%L");
}

// On Linux programs have no extension: "All Files" of the specified filter must offer them.
TEST_F(PreferencesWindowTest, AllFilesOffersAProgramWithoutExtension) {
  const std::filesystem::path program = tree.Write("bin/myedit", "#!/bin/sh\n");
  std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  const std::filesystem::path windowsProgram = tree.Write("bin/EDIT.EXE", "MZ");
  QtDesktop qtDesktop;
  window = std::make_unique<PreferencesWindow>(preferences, files, qtDesktop);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

  test::DialogDriver driver;
  driver.WhenModal<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Select your Editor program");
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"Programs (*.EXE *.COM)", "All Files (*)"}));
    dialog.setDirectory(QString::fromStdString(program.parent_path().string()));
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    // What the dialogue lists: the visible rows of the directory.
    const auto offered = [model](const std::filesystem::path& file) {
      const QModelIndex dir = model->index(QString::fromStdString(file.parent_path().string()));
      for (int row = 0; row < model->rowCount(dir); ++row) {
        const QModelIndex entry = model->index(row, 0, dir);
        if (entry.data().toString() == QString::fromStdString(file.filename().string())) {
          return bool(model->flags(entry) & Qt::ItemIsEnabled);
        }
      }
      return false;
    };
    // The listing runs on a thread of its own.
    EXPECT_TRUE(QTest::qWaitFor([&] { return offered(windowsProgram); }, 5000));
    EXPECT_FALSE(offered(program));  // "Programs" knows only Windows programs
    dialog.selectNameFilter("All Files (*)");
    EXPECT_TRUE(QTest::qWaitFor([&] { return offered(program); }, 5000));
    // The user types the name shown in the list.
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->clear();
    QTest::keyClicks(name, "myedit");
    static_cast<QDialog&>(dialog).accept();  // what its Open button runs
  });
  Click("chooseEditor");
  EXPECT_TRUE(driver.AllActed());
  EXPECT_EQ(Text("editor"), QString::fromStdString(program.string()));
  window->reject();
}

TEST_F(PreferencesWindowTest, RunPreferencesAnswersWhetherOkWasPressed) {
  for (const char* button : {"ok", "cancel"}) {
    test::DialogDriver driver;
    driver.WhenModal<PreferencesWindow>([&](PreferencesWindow& dialog) {
      dialog.findChild<QSpinBox*>("filesPerTimer")->setValue(11);
      QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    });
    const bool ok = RunPreferences(nullptr, preferences, files, desktop);
    EXPECT_TRUE(driver.AllActed());
    EXPECT_EQ(ok, std::string_view(button) == "ok") << button;
    EXPECT_EQ(preferences.filesPerTimer, 11) << button;  // stored by OK, so read back too
  }
}

TEST_F(PreferencesWindowTest, OpensWhereItWasLeft) {
  for (const auto& [key, value] :
       {std::pair{"XPosit", "140"}, {"YPosit", "90"}, {"Width", "520"}, {"Height", "380"}}) {
    runtime::WriteProfileString(files.trawlexIni, "INIOptions", key, value);
  }
  Open();
  EXPECT_EQ(window->geometry().topLeft(), QPoint(140, 90));
  window->setGeometry(QRect(QPoint(150, 100), window->size()));
  window->reject();
  EXPECT_EQ(runtime::ReadProfileString(files.trawlexIni, "INIOptions", "XPosit", ""), "150");
}

TEST_F(PreferencesWindowTest, OkSaysWhenTheFileCannotBeWritten) {
  tree.Write("blocker", "a file where a directory would have to be");
  files.searchDat = tree.root() / "blocker" / "Search.DAT";
  Open();
  Type("editor", "gvim %F");
  Click("ok");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, "Preferences");
  EXPECT_EQ(desktop.messages[0].icon, runtime::Icon::Warning);
  EXPECT_NE(desktop.messages[0].text.find("could not be saved"), std::string::npos);
  EXPECT_EQ(window->result(), QDialog::Accepted);  // in force for this run all the same
  EXPECT_EQ(preferences.editorName, std::string_view("gvim %F"));
}

}  // namespace
}  // namespace trawlex::ui
