// The "Open Search" and "Last Searches" lists and the "Search Save" dialogue, opened the way
// the search dialogue opens them (through a SavedSearchSession over stores in a temporary
// directory) and driven through their widgets.

#include "ui/saved_search_windows.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "runtime/profile.h"
#include "shell/saved_search_session.h"
#include "shell/search_store_fixture.h"
#include "ui/dialog_driver.h"
#include "ui/main_frame.h"

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace trawlex::ui {
namespace {

using engine::Extra;
using test::DialogDriver;

// 1:00 in the afternoon, as the store keeps times.
constexpr std::int32_t kOnePm = 13 * 360000 + 1;
constexpr std::int32_t kToday = 80000;

QTreeWidget& List(QDialog& dialog) {
  return *dialog.findChild<QTreeWidget*>("list");
}
QPushButton& Button(QDialog& dialog, const char* name) {
  return *dialog.findChild<QPushButton*>(name);
}
QLineEdit& Entry(QDialog& dialog, const char* name) {
  return *dialog.findChild<QLineEdit*>(name);
}
QStringList Column(QDialog& dialog, int column) {
  QStringList cells;
  QTreeWidget& list = List(dialog);
  for (int i = 0; i < list.topLevelItemCount(); ++i) cells << list.topLevelItem(i)->text(column);
  return cells;
}
QString Current(QDialog& dialog, int column = 0) {
  const QTreeWidgetItem* item = List(dialog).currentItem();
  return item == nullptr ? QString() : item->text(column);
}
void Highlight(QDialog& dialog, int row) {
  List(dialog).setCurrentItem(List(dialog).topLevelItem(row));
}
void Click(QDialog& dialog, const char* name, Qt::KeyboardModifiers keys = Qt::NoModifier) {
  QTest::mouseClick(&Button(dialog, name), Qt::LeftButton, keys);
}
void ShowTab(QDialog& dialog, int tab) {
  dialog.findChild<QTabWidget*>("tabs")->setCurrentIndex(tab);
}

class SavedSearchWindowsTest : public shell::testing::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    shell::SavedSearch gamma = shell::testing::Saved("gamma", "kmn", "/a/aa", "*.inc");
    gamma.sw[Extra::Favourite] = 1;
    gamma.sw.caseSensitive = 1;
    records = {AddSaved(shell::testing::Saved("beta", "t1", "/a/zz")),
               AddSaved(shell::testing::Saved("Alpha", "", "/b")), AddSaved(gamma)};
  }
  shell::SavedSearchSession Session() {
    return shell::SavedSearchSession(saved, recent, desktop, qtWindows, shell::SessionMode::Normal,
                                     [] {
                                       return shell::StoreDateTime{kToday, kOnePm};
                                     });
  }
  // Runs `act` on the list window that `open` shows.
  template <class Open>
  auto WithWindow(std::function<void(QDialog&)> act, Open open) {
    driver.WhenModal<QDialog>(std::move(act));
    auto result = open();
    EXPECT_TRUE(driver.AllActed());
    return result;
  }
  bool OpenSearch(std::function<void(QDialog&)> act) {
    return WithWindow(std::move(act), [this] { return session.Open(request); });
  }
  bool OpenLast(std::function<void(QDialog&)> act) {
    return WithWindow(std::move(act), [this] { return session.OpenLast(request, 25); });
  }
  std::string Stored(const char* key, const char* section = "OpenSearch") {
    return runtime::ReadProfileString(files.trawlexIni, section, key, "");
  }

  shell::SettingsFiles files = shell::SettingsFilesIn(tree.root());
  int started = 0;
  QtSearchListWindows qtWindows{nullptr, files, [this] { ++started; }};
  shell::SavedSearchSession session = Session();
  engine::SearchSpec request;
  std::vector<shell::SavedSearch> records;  // beta, Alpha, gamma
  DialogDriver driver;
};

TEST_F(SavedSearchWindowsTest, OpenSearchShowsBothOrdersAndKeepsTheHighlightedSearch) {
  request.text = "typed";
  const engine::SearchSpec before = request;
  EXPECT_FALSE(OpenSearch([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Open Search");
    QTreeWidgetItem* header = List(dialog).headerItem();
    QStringList headers;
    for (int i = 0; i < header->columnCount(); ++i) headers << header->text(i);
    EXPECT_EQ(headers, QStringList({"Name", "Path", "File Specs", "Fav", "Search Text", "Parms"}));
    EXPECT_EQ(Column(dialog, 0), QStringList({"Alpha", "beta", "gamma"}));
    EXPECT_EQ(Column(dialog, 3), QStringList({" ", " ", "*"}));
    EXPECT_EQ(List(dialog).topLevelItem(2)->text(5), "Case");
    EXPECT_EQ(Current(dialog), "Alpha");
    EXPECT_EQ(Button(dialog, "open").toolTip(), "Ctrl+Open to open search in a new thread");
    EXPECT_EQ(Button(dialog, "fav").toolTip(), "Toggle Favorite Flag");
    Highlight(dialog, 1);
    ShowTab(dialog, 1);
    EXPECT_EQ(Column(dialog, 1), QStringList({"/a/aa", "/a/zz", "/b"}));
    EXPECT_EQ(Current(dialog), "beta");
    Click(dialog, "close");
  }));
  EXPECT_EQ(request, before);
}

TEST_F(SavedSearchWindowsTest, LocateGoesToTheFirstRowNotLessThanTheTypedText) {
  const struct {
    int tab;
    const char* locator;
    const char* typed;
    const char* expected;  // name of the highlighted search
  } cases[] = {
      {0, "locateByName", "b", "beta"},    {0, "locateByName", "GAM", "gamma"},
      {0, "locateByName", "zz", "gamma"},  // past the end: the last row
      {1, "locateByPath", "/a/b", "beta"}, {1, "locateByPath", "/", "gamma"},
  };
  OpenSearch([&](QDialog& dialog) {
    for (const auto& c : cases) {
      ShowTab(dialog, c.tab);
      Entry(dialog, c.locator).clear();
      QTest::keyClicks(&Entry(dialog, c.locator), c.typed);
      EXPECT_EQ(Current(dialog), c.expected) << c.typed;
    }
    QTest::keyClick(&Entry(dialog, "locateByPath"), Qt::Key_Down);  // moves the list
    EXPECT_EQ(Current(dialog), "beta");
    Click(dialog, "close");
  });
}

TEST_F(SavedSearchWindowsTest, OpenDoubleClickAndEnterLoadTheHighlightedSearch) {
  const std::function<void(QDialog&)> ways[] = {
      [](QDialog& dialog) { Click(dialog, "open"); },
      [](QDialog& dialog) {
        QTreeWidget& list = List(dialog);
        const QPoint cell = list.visualItemRect(list.currentItem()).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell);
      },
      [](QDialog& dialog) { QTest::keyClick(&List(dialog), Qt::Key_Return); },
  };
  for (const auto& way : ways) {
    request = {};
    session.New();
    ASSERT_TRUE(OpenSearch([&](QDialog& dialog) {
      Highlight(dialog, 1);
      way(dialog);
    }));
    EXPECT_EQ(request.path.str(), "/a/zz");
    EXPECT_EQ(request.text.str(), "t1");
    EXPECT_EQ(session.Title(), "Search Parms (beta)");
    EXPECT_EQ(started, 0);
  }
}

TEST_F(SavedSearchWindowsTest, CtrlOrShiftOpensTheSearchInANewDialogue) {
  const Qt::KeyboardModifier keys[] = {Qt::ControlModifier, Qt::ShiftModifier};
  for (const Qt::KeyboardModifier key : keys) {
    request.text = "typed";
    const engine::SearchSpec before = request;
    EXPECT_FALSE(OpenSearch([key](QDialog& dialog) {
      Highlight(dialog, 2);
      Click(dialog, "open", key);
    }));
    EXPECT_EQ(request, before);
    const shell::OpenRequest pending = shell::TakeOpenRequest();
    EXPECT_EQ(pending.openOnStart, shell::OpenOnStart::SavedSearch);
    EXPECT_EQ(pending.openPosition, records[2].position);
  }
  EXPECT_EQ(started, 2);
}

TEST_F(SavedSearchWindowsTest, DeleteAsksFirstAndTheListKeepsItsPlace) {
  desktop.answers = {runtime::kAnswerCancel, runtime::kAnswerOk};
  OpenSearch([](QDialog& dialog) {
    Highlight(dialog, 1);
    Click(dialog, "delete");
    EXPECT_EQ(Column(dialog, 0).size(), 3);
    Click(dialog, "delete");
    EXPECT_EQ(Column(dialog, 0), QStringList({"Alpha", "gamma"}));
    EXPECT_EQ(Current(dialog), "gamma");
    Click(dialog, "close");
  });
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].caption, "Confirm Delete");
  EXPECT_TRUE(desktop.messages[0].text.ends_with("|||Name: beta"));
  EXPECT_FALSE(saved.FindByName("beta"));
}

TEST_F(SavedSearchWindowsTest, RenameAsksForANewNameInSearchSave) {
  OpenSearch([this](QDialog& dialog) {
    Highlight(dialog, 1);
    driver.WhenModal<QDialog>([this](QDialog& save) {
      EXPECT_EQ(save.windowTitle(), "Rename Search");
      EXPECT_EQ(Button(save, "ok").text(), "&Rename");
      EXPECT_EQ(Entry(save, "name").text(), "beta");
      EXPECT_FALSE(save.findChild<QCheckBox*>("favourite")->isChecked());
      Entry(save, "name").setText("ALPHA");  // another search's name, in other case
      Click(save, "ok");
      EXPECT_TRUE(save.isVisible());
      EXPECT_EQ(QApplication::focusWidget(), &Entry(save, "name"));
      EXPECT_EQ(Entry(save, "name").selectedText(), "ALPHA");
      Entry(save, "name").setText("delta");
      save.findChild<QCheckBox*>("favourite")->click();
      Click(save, "ok");
    });
    Click(dialog, "rename");
    EXPECT_EQ(Column(dialog, 0), QStringList({"Alpha", "delta", "gamma"}));
    EXPECT_EQ(Current(dialog), "delta");
    EXPECT_EQ(Current(dialog, 3), "*");
    Click(dialog, "close");
  });
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            "That Search Name is already used.|Please use a different name.");
  const auto renamed = saved.FindByName("delta");
  ASSERT_TRUE(renamed);
  EXPECT_EQ(renamed->position, records[0].position);
  EXPECT_EQ(renamed->sw[Extra::Favourite], 1);
}

TEST_F(SavedSearchWindowsTest, FavTogglesTheFlagAndCopyPutsTheSpecsOnTheClipboard) {
  OpenSearch([this](QDialog& dialog) {
    Highlight(dialog, 1);
    Click(dialog, "fav");
    EXPECT_EQ(Current(dialog, 3), "*");
    EXPECT_EQ(saved.FindByName("beta")->sw[Extra::Favourite], 1);
    Click(dialog, "fav");
    EXPECT_EQ(Current(dialog, 0), "beta");
    EXPECT_EQ(Current(dialog, 3).trimmed(), "");
    Click(dialog, "copySpecs");
    EXPECT_EQ(desktop.clipboard,
              "[Trawlex Specs]\r\nName=beta\r\nText=t1\r\nPath=/a/zz \r\n"
              "Specs=*.vlw\r\nOptions=");
    Highlight(dialog, 2);
    List(dialog).setFocus();
    dialog.activateWindow();  // keys reach a list only in the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keySequence(&List(dialog), QKeySequence::Copy);
    EXPECT_TRUE(desktop.clipboard.starts_with("[Trawlex Specs]\r\nName=gamma\r\n"));
    Click(dialog, "close");
  });
  EXPECT_EQ(saved.FindByName("beta")->sw[Extra::Favourite], 0);
}

TEST_F(SavedSearchWindowsTest, LastSearchesListsNewestFirstAndLocatesByTextAndPath) {
  AddRecent(shell::testing::Recent(kToday - 1, kOnePm, "older", "/x"));
  AddRecent(shell::testing::Recent(kToday, kOnePm, "newest", "/c"));
  AddRecent(shell::testing::Recent(kToday - 30, kOnePm, "Alpha", "/z"));
  EXPECT_FALSE(OpenLast([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Last 25 Searches");
    EXPECT_EQ(Column(dialog, 1), QStringList({"newest", "older", "Alpha"}));
    EXPECT_EQ(Column(dialog, 0)[0], "1:00p");
    EXPECT_EQ(Column(dialog, 2)[0], "/c");
    EXPECT_EQ(dialog.findChild<QTabWidget*>("tabs")->widget(0)->findChild<QLineEdit*>(), nullptr);
    ShowTab(dialog, 1);
    EXPECT_EQ(Column(dialog, 1), QStringList({"Alpha", "newest", "older"}));
    QTest::keyClicks(&Entry(dialog, "locateByText"), "NEW");
    EXPECT_EQ(Current(dialog, 1), "newest");
    ShowTab(dialog, 2);
    QTest::keyClicks(&Entry(dialog, "locateByPath"), "/y");
    EXPECT_EQ(Current(dialog, 2), "/z");
    Click(dialog, "close");
  }));
}

TEST_F(SavedSearchWindowsTest, LastSearchesOpenDeleteAndCopy) {
  const shell::RecentSearch older = AddRecent(shell::testing::Recent(kToday - 1, kOnePm, "older"));
  AddRecent(shell::testing::Recent(kToday, kOnePm, "newest"));
  desktop.answers = {runtime::kAnswerOk};
  ASSERT_TRUE(OpenLast([this](QDialog& dialog) {
    Click(dialog, "delete");  // the newest
    EXPECT_EQ(Column(dialog, 1), QStringList({"older"}));
    Click(dialog, "copySpecs");
    EXPECT_EQ(desktop.clipboard,
              "[Trawlex Specs]\r\nText=older\r\nPath=/src \r\n"
              "Specs=*.vlw\r\nOptions=");
    Click(dialog, "open");
  }));
  EXPECT_EQ(request.text.str(), "older");
  EXPECT_TRUE(desktop.messages.at(0).text.ends_with("Name: newest"));
  request = {};
  EXPECT_FALSE(OpenLast([](QDialog& dialog) { Click(dialog, "open", Qt::ControlModifier); }));
  EXPECT_TRUE(request.text.empty());
  EXPECT_EQ(started, 1);
  const shell::OpenRequest pending = shell::TakeOpenRequest();
  EXPECT_EQ(pending.openOnStart, shell::OpenOnStart::RecentSearch);
  EXPECT_EQ(pending.openPosition, older.position);
}

TEST_F(SavedSearchWindowsTest, SaveAsRefusesABlankOrTakenNameAndStoresTheAcceptedOne) {
  request.text = "CreateWindow";
  request.path = "/src";
  EXPECT_TRUE(WithWindow(
      [](QDialog& save) {
        EXPECT_EQ(save.windowTitle(), "Save As New Search");
        EXPECT_EQ(Button(save, "ok").text(), "&Save");
        for (const char* refused : {"", "Beta"}) {
          Entry(save, "name").setText(refused);
          Click(save, "ok");
          EXPECT_TRUE(save.isVisible()) << refused;
        }
        Entry(save, "name").setText("Windows");
        save.findChild<QCheckBox*>("favourite")->click();
        QTest::keyClick(&Entry(save, "name"), Qt::Key_Return);
      },
      [this] { return session.SaveAs(request); }));
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].text, "You cannot leave the Search Name blank.");
  EXPECT_EQ(desktop.messages[0].caption, "Save As New Search");
  EXPECT_EQ(desktop.messages[1].text,
            "That Search Name is already used.|Please use a different name.");
  EXPECT_EQ(desktop.beeps, 2);
  const auto stored = saved.FindByName("Windows");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->text.str(), "CreateWindow");
  EXPECT_EQ(stored->sw[Extra::Favourite], 1);
  EXPECT_EQ(session.Title(), "Search Parms (Windows)");

  EXPECT_FALSE(WithWindow([](QDialog& save) { Click(save, "cancel"); },
                          [this] { return session.SaveAs(request); }));
  EXPECT_EQ(saved.List(shell::SavedKey::ByName)->size(), 4u);
}

TEST_F(SavedSearchWindowsTest, ColumnWidthsAreKeptForTheirLayoutVersion) {
  const struct {
    const char* section;
    const char* version;
    std::function<bool(std::function<void(QDialog&)>)> open;
  } windows[] = {
      {"OpenSearch", "2", [this](auto act) { return OpenSearch(act); }},
      {"OpenLastSearch", "3", [this](auto act) { return OpenLast(act); }},
  };
  for (const auto& window : windows) {
    int designed = 0;
    window.open([&](QDialog& dialog) {
      designed = List(dialog).columnWidth(1);
      List(dialog).header()->resizeSection(1, 123);
      Click(dialog, "close");
    });
    EXPECT_EQ(Stored("VersionNumber", window.section), window.version);
    EXPECT_EQ(Stored("Browse:1ColumnWidths", window.section).substr(3, 3), "123");
    EXPECT_FALSE(Stored("Width", window.section).empty());
    window.open([](QDialog& dialog) {
      EXPECT_EQ(List(dialog).columnWidth(1), 123);
      Click(dialog, "close");
    });
    // Another layout's widths are not applied.
    runtime::WriteProfileString(files.trawlexIni, window.section, "VersionNumber", "1");
    window.open([&](QDialog& dialog) {
      EXPECT_EQ(List(dialog).columnWidth(1), designed);
      Click(dialog, "close");
    });
  }
}

// The frame hands these windows to its search dialogues: their five buttons work, and a
// search opened with Ctrl gets a dialogue of its own although one is open.
TEST_F(SavedSearchWindowsTest, TheFramesSearchDialogueUsesTheWindows) {
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(tree.root().string()));
  {
    MainFrame frame(desktop, files);
    frame.show();
    frame.Start();
    SearchInputWindow* dialog = frame.searchDialog();
    ASSERT_NE(dialog, nullptr);
    auto button = [dialog](const char* name) { return dialog->findChild<QPushButton*>(name); };
    for (const char* name : {"open", "saveAs", "favs", "last"}) {
      EXPECT_TRUE(button(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(button("save")->isEnabled());
    driver.WhenModal<QDialog>([](QDialog& list) {
      Highlight(list, 1);
      Click(list, "open");
    });
    QTest::mouseClick(button("open"), Qt::LeftButton);
    EXPECT_EQ(dialog->windowTitle(), "Search Parms (beta)");
    EXPECT_TRUE(button("save")->isEnabled());

    driver.WhenModal<QDialog>([](QDialog& list) {
      Highlight(list, 2);
      Click(list, "open", Qt::ControlModifier);
    });
    QTest::mouseClick(button("open"), Qt::LeftButton);
    EXPECT_EQ(dialog->windowTitle(), "Search Parms (beta)");
    QStringList titles;
    for (auto* each : frame.findChildren<SearchInputWindow*>()) titles << each->windowTitle();
    titles.sort();
    EXPECT_EQ(titles, QStringList({"Search Parms (beta)", "Search Parms (gamma)"}));
    frame.close();
  }
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace trawlex::ui
