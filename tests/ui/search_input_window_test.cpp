// The "Search Parameters" window over a real model with its stores in a temporary directory:
// what it shows on opening, what its controls do to the request, and how it closes.

#include "ui/search_input_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <memory>

#include "runtime/profile.h"
#include "shell/last_search_settings.h"
#include "shell/search_store_fixture.h"
#include "shell/window_placement.h"
#include "widget_lookup.h"

// Readable failures for texts read back from the widgets.
static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace trawlex::ui {
namespace {

using shell::DialogMode;
using Kind = shell::SearchAction::Kind;

class SearchInputWindowTest : public shell::testing::StoreTest {
 protected:
  SearchInputWindow& Open(DialogMode mode = DialogMode::Normal, engine::SearchSpec caller = {}) {
    window.reset();
    model.reset();
    session = std::make_unique<shell::SavedSearchSession>(
        saved, recent, desktop, windows,
        mode == DialogMode::Edit ? shell::SessionMode::Edit : shell::SessionMode::Normal);
    model = std::make_unique<shell::SearchParameters>(files, preferences, desktop, *session, mode);
    model->Open(caller);
    window = std::make_unique<SearchInputWindow>(*model, desktop);
    QObject::connect(window.get(), &SearchInputWindow::searchRequested,
                     [this](const shell::SearchAction& action) { actions.push_back(action); });
    test::ShowActive(*window);
    return *window;
  }

  template <typename Widget>
  Widget* Get(const char* name) {
    return test::NamedChild<Widget>(*window, name);
  }
  QComboBox* Combo(const char* name) { return Get<QComboBox>(name); }
  QString Text(const char* combo) { return Combo(combo)->currentText(); }
  bool Checked(const char* box) { return Get<QCheckBox>(box)->isChecked(); }
  bool Focused(const char* combo) {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == Combo(combo) || Combo(combo)->isAncestorOf(focus));
  }
  void Click(const char* button) {
    QTest::mouseClick(Get<QAbstractButton>(button), Qt::LeftButton);
  }
  void Type(const char* combo, const QString& text) {
    Combo(combo)->lineEdit()->clear();
    QTest::keyClicks(Combo(combo)->lineEdit(), text);
  }
  // A request that would search the temporary tree.
  void Fill(const QString& text) {
    Type("find", text);
    Type("path", QString::fromStdString(tree.root().string()));
    Type("specs", "*.vlw");
  }

  shell::SettingsFiles files = shell::SettingsFilesIn(tree.root());
  shell::Preferences preferences;
  std::unique_ptr<shell::SavedSearchSession> session;
  std::unique_ptr<shell::SearchParameters> model;
  std::unique_ptr<SearchInputWindow> window;
  std::vector<shell::SearchAction> actions;
};

TEST_F(SearchInputWindowTest, OpensOnTheLastSearch) {
  shell::WriteHistory(files.searchDat, shell::kTextHistorySection, {"kmn", "older"});
  shell::WriteHistory(files.searchDat, shell::kPathHistorySection, {tree.root().string()});
  shell::WriteHistory(files.searchDat, shell::kSpecHistorySection, {"*.inc", "*.vlw"});
  engine::SearchSwitches sw;
  sw.word = 1;
  sw.subLevels = 3;
  sw[engine::Extra::LabelMode] = 129;
  shell::WriteLastSwitches(files.searchDat, sw);

  Open();
  EXPECT_EQ(window->windowTitle(), "Search Parameters");
  EXPECT_EQ(Text("find"), "kmn");
  EXPECT_EQ(Combo("find")->count(), 2);
  EXPECT_EQ(Combo("find")->itemText(1), "older");
  EXPECT_EQ(Text("path"), QString::fromStdString(tree.root().string()));
  EXPECT_EQ(Text("specs"), "*.inc");
  EXPECT_TRUE(Checked("word"));
  EXPECT_FALSE(Checked("oop"));  // the stored switches, not the first-start defaults
  EXPECT_EQ(Get<QSpinBox>("levels")->value(), 3);
  const auto selected = Get<QTreeWidget>("labels")->selectedItems();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0]->text(0), "LnProc");
  EXPECT_EQ(Get<QPushButton>("search")->text(), "&Search");
  for (const char* editOnly : {"append", "again", "refresh"}) {
    EXPECT_FALSE(Get<QWidget>(editOnly)->isVisible()) << editOnly;
  }
  // The saved-search lists come later: their buttons say so.
  for (const char* store : {"open", "save", "saveAs", "favs", "last"}) {
    EXPECT_FALSE(Get<QWidget>(store)->isEnabled()) << store;
    EXPECT_EQ(Get<QWidget>(store)->toolTip(), "Not available yet") << store;
  }
}

TEST_F(SearchInputWindowTest, ClicksShowTheSwitchExclusions) {
  Open();
  const struct {
    const char* click;
    std::vector<const char*> on, off;
  } steps[] = {
      {"trailing", {"trailing"}, {"word", "smash"}},
      {"word", {"word"}, {"trailing", "smash"}},
      {"smash", {"smash"}, {"word", "trailing"}},
      {"smash", {}, {"smash", "word", "trailing"}},  // unchecking clears the group
      {"wild", {"wild"}, {"regex"}},
      {"regex", {"regex"}, {"wild"}},
      {"case", {"case", "regex"}, {}},
  };
  for (const auto& step : steps) {
    Click(step.click);
    for (const char* box : step.on) EXPECT_TRUE(Checked(box)) << step.click << " " << box;
    for (const char* box : step.off) EXPECT_FALSE(Checked(box)) << step.click << " " << box;
  }
  EXPECT_EQ(model->request().sw.caseSensitive, 1);
  EXPECT_TRUE(model->request().regex());

  Click("oop");  // the model objects, the box still follows the request
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "leave this checked");
  EXPECT_EQ(Checked("oop"), model->request().sw.oop != 0);
}

TEST_F(SearchInputWindowTest, RefusedSearchFocusesTheField) {
  Open();
  Fill("");
  Click("search");
  EXPECT_TRUE(actions.empty());
  EXPECT_EQ(desktop.beeps, 1);
  EXPECT_TRUE(Focused("find"));

  Fill("kmn");
  Type("path", QString::fromStdString(tree.path() + "missing"));
  Click("search");
  EXPECT_TRUE(actions.empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "The path entered is invalid||" + tree.path() + "missing");
  EXPECT_EQ(desktop.messages[0].caption, "Search");
  EXPECT_TRUE(Focused("path"));

  Type("path", QString::fromStdString(tree.path()));
  Type("specs", " ; ");
  Click("search");
  EXPECT_TRUE(actions.empty());
  EXPECT_EQ(Text("specs"), "*.VLW;*.INC");
  EXPECT_TRUE(Focused("specs"));
}

TEST_F(SearchInputWindowTest, SearchReportsTheRequestAndStaysOpen) {
  Open();
  Fill("kmn");
  Get<QSpinBox>("levels")->setValue(4);
  QTest::keyClick(Combo("find")->lineEdit(), Qt::Key_Return);  // the default button
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0].kind, Kind::Search);
  EXPECT_EQ(actions[0].request.text, std::string_view("kmn"));
  EXPECT_EQ(actions[0].request.path, tree.root().string());
  EXPECT_EQ(actions[0].request.spec, std::string_view("*.vlw"));
  EXPECT_EQ(actions[0].request.sw.subLevels, 4);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Combo("find")->itemText(0), "kmn");  // the history shows the new search
}

TEST_F(SearchInputWindowTest, UntouchedTextKeepsItsBytesAndTypedTextFitsItsField) {
  const std::string latin1Dir = tree.Dir("caf\xe9").string();  // Windows-1252, not UTF-8
  shell::WriteHistory(files.searchDat, shell::kPathHistorySection, {latin1Dir});
  Open();
  EXPECT_TRUE(Text("path").endsWith(QString::fromUtf8("caf\u00e9")));
  // 81 bytes of UTF-8 for a field of 60, whose 60th byte starts inside a character.
  Combo("find")->lineEdit()->setText("a" + QString(40, QChar(0xE9)));
  Type("specs", "*.vlw");
  Click("search");
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0].request.path, latin1Dir);
  std::string fitted = "a";
  for (int i = 0; i < 29; ++i) fitted += "\xc3\xa9";
  EXPECT_EQ(actions[0].request.text.str(), fitted);
}

TEST_F(SearchInputWindowTest, EditModeAnswersWithTheButton) {
  engine::SearchSpec caller;
  caller.text = "caller";
  caller.path = tree.root().string();
  caller.spec = "*.inc";
  using engine::EditChoice;
  const struct {
    const char* button;
    bool append;
    engine::EditAnswer answer;
  } cases[] = {{"search", false, {EditChoice::Apply}},
               {"again", false, {EditChoice::SearchAll}},
               {"again", true, {EditChoice::SearchAll, true}},
               {"refresh", false, {EditChoice::SearchFilesWithHits}},
               {"refresh", true, {EditChoice::SearchFilesWithHits, true}}};
  for (const auto& c : cases) {
    Open(DialogMode::Edit, caller);
    QSignalSpy closed(window.get(), &SearchInputWindow::closed);
    EXPECT_EQ(window->windowTitle(), "Edit Search Parameters");
    EXPECT_EQ(Get<QPushButton>("search")->text(), "Ok");
    EXPECT_EQ(Text("find"), "caller");
    for (const char* editOnly : {"append", "again", "refresh"}) {
      EXPECT_TRUE(Get<QWidget>(editOnly)->isVisible()) << editOnly;
    }
    window->SetSavedSearchWindowsAvailable(true);  // still off while editing
    EXPECT_FALSE(Get<QWidget>("open")->isEnabled());
    if (c.append) Click("append");
    Click(c.button);
    EXPECT_FALSE(window->isVisible()) << c.button;
    EXPECT_EQ(window->result(), QDialog::Accepted) << c.button;
    EXPECT_EQ(window->answer(), c.answer) << c.button << c.append;
    ASSERT_EQ(closed.size(), 1);
    EXPECT_EQ(closed[0][0].value<engine::EditAnswer>(), c.answer) << c.button << c.append;
    EXPECT_EQ(actions.back().kind, Kind::Return);
  }
  EXPECT_EQ(recent.Count(), 0);
}

TEST_F(SearchInputWindowTest, ClosingAnswersCancelledOnce) {
  Open();
  QSignalSpy closed(window.get(), &SearchInputWindow::closed);
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(closed.size(), 1);
  EXPECT_EQ(closed[0][0].value<engine::EditAnswer>().choice, engine::EditChoice::Cancelled);
  Open();
  QSignalSpy closedAgain(window.get(), &SearchInputWindow::closed);
  Click("close");
  window->close();
  EXPECT_EQ(closedAgain.size(), 1);
  EXPECT_EQ(window->answer().choice, engine::EditChoice::Cancelled);
}

TEST_F(SearchInputWindowTest, OnItsOwnTheDialogueKeepsItsPlace) {
  const auto stored = [this] {
    std::string out;
    for (const char* key : {"XPosit", "YPosit", "Width", "Height"}) {
      out +=
          runtime::ReadProfileString(files.trawlexIni, shell::kSearchInputSection, key, "") + ",";
    }
    return out;
  };
  Open();
  window->KeepPlacement(files.trawlexIni);
  window->setGeometry(30, 90, 760, 540);
  Click("close");
  EXPECT_EQ(stored(), "30,90,760,540,");

  Open();
  window->KeepPlacement(files.trawlexIni);
  EXPECT_EQ(window->geometry(), QRect(30, 90, 760, 540));

  runtime::WriteProfileString(files.trawlexIni, shell::kSearchInputSection, "XPosit", "5");
  Open(DialogMode::Edit);  // a results window's dialogue neither restores nor saves
  window->KeepPlacement(files.trawlexIni);
  EXPECT_NE(window->geometry().x(), 5);
  Click("close");
  EXPECT_EQ(stored(), "5,90,760,540,");
}

TEST_F(SearchInputWindowTest, KeyboardReachesTheFieldsInOrder) {
  Open();
  std::vector<std::string> order;
  QWidget* widget = Combo("find");
  do {
    const std::string name = widget->objectName().toStdString();
    for (const char* wanted : {"path", "specs", "case", "oop", "labels", "search", "last"}) {
      if (name == wanted) order.push_back(name);
    }
    widget = widget->nextInFocusChain();
  } while (widget != Combo("find"));
  EXPECT_EQ(order,
            (std::vector<std::string>{"path", "specs", "case", "oop", "labels", "search", "last"}));

  QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);  // "Sp&ecs:"
  EXPECT_TRUE(Focused("specs"));
  QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);  // "Wo&rd ", an animated click
  ASSERT_TRUE(QTest::qWaitFor([&] { return model->request().sw.word != 0; }, 2000));
  EXPECT_TRUE(Checked("word"));
  EXPECT_EQ(model->request().sw.word, 1);
}

TEST_F(SearchInputWindowTest, LabelListSetsTheModeAndFollowsNew) {
  Open();
  auto* labels = Get<QTreeWidget>("labels");
  QTreeWidgetItem* equate = labels->findItems("Equate", Qt::MatchExactly, 0).value(0);
  ASSERT_NE(equate, nullptr);
  labels->scrollToItem(equate);
  QTest::mouseClick(labels->viewport(), Qt::LeftButton, {},
                    labels->visualItemRect(equate).center());
  EXPECT_EQ(model->request().labelMode(), 8);

  Type("find", "kmn");
  Click("word");
  Click("new");
  EXPECT_EQ(model->request().labelMode(), 0);
  EXPECT_EQ(labels->selectedItems().value(0), labels->topLevelItem(0));
  EXPECT_EQ(Text("find"), "");
  EXPECT_FALSE(Checked("word"));
  EXPECT_EQ(Get<QSpinBox>("levels")->value(), 1);
  EXPECT_TRUE(Focused("find"));
}

TEST_F(SearchInputWindowTest, SpecificationsAreNormalisedOnLeaving) {
  Open();
  Combo("specs")->setFocus();
  Type("specs", " *.vlw ;; *.inc; ");
  Combo("find")->setFocus();
  EXPECT_EQ(Text("specs"), "*.vlw;*.inc");
}

TEST_F(SearchInputWindowTest, PresetsAppendToWhatWasTyped) {
  Open();
  Type("specs", "*.int");
  desktop.menuChoices = {3};  // "Erase", then the presets: 3 is "*.INC"
  Click("specPresets");
  EXPECT_EQ(Text("specs"), "*.int;*.inc");
  ASSERT_EQ(desktop.menus.size(), 1u);
  EXPECT_EQ(desktop.menus[0].rfind("Erase|-|*.VLW|*.INC", 0), 0u);
}

TEST_F(SearchInputWindowTest, FirstUseOfAnyControlIsReportedOnce) {
  Open();
  QSignalSpy used(window.get(), &SearchInputWindow::controlUsed);
  EXPECT_EQ(used.size(), 0);  // opening is not a use
  QTest::keyClicks(Combo("find")->lineEdit(), "k");
  Click("case");
  Click("drop");
  EXPECT_EQ(used.size(), 1);
}

TEST_F(SearchInputWindowTest, DroppedFileSetsThePath) {
  Open();
  const auto file = tree.Write("src/app/main.vlw", "x");
  const auto drop = [this](const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QWidget* target = Combo("path")->lineEdit();
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
  };
  drop(file.string());
  EXPECT_EQ(Text("path"), QString::fromStdString((tree.root() / "src/app").string()));
  drop("/no/such/place/x.vlw");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            "Unable to find a good path||||/no/such/place/x.vlw||/no/such/place");
  EXPECT_EQ(Text("path"), QString::fromStdString((tree.root() / "src/app").string()));
}

TEST_F(SearchInputWindowTest, LoadedSearchReplacesWhatWasTyped) {
  shell::RecentSearch last = AddRecent(shell::testing::Recent(7, 7, "loaded", "/recent"));
  windows.onOpenLastSearch = [&last](shell::LastSearchList&) {
    return std::optional<shell::RecentChoice>(shell::RecentChoice{last, false});
  };
  Open();
  window->SetSavedSearchWindowsAvailable(true);
  EXPECT_TRUE(Get<QWidget>("last")->isEnabled());
  EXPECT_FALSE(Get<QWidget>("save")->isEnabled());  // no saved search is current
  Type("find", "typed");
  Click("last");
  EXPECT_EQ(Text("find"), "loaded");
  EXPECT_EQ(Text("path"), "/recent");
  EXPECT_TRUE(Focused("find"));
}

}  // namespace
}  // namespace trawlex::ui
