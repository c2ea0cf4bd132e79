// The results window over the sample tree: the run on its timer, the hits through the
// looks, the counters, the buttons that restart the run, the program events.

#include "ui/results_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "results/line_copy_texts.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"
#include "ui/format_list_model.h"
#include "ui/format_list_view.h"
#include "ui/qt_desktop.h"
#include "ui/view_file_window.h"
#include "ui/widget_lookup.h"
#include "ui/window_registry.h"

namespace trawlex::ui {
namespace {

class ResultsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(
        std::filesystem::path(TRAWLEX_SAMPLES_DIR) / "../share/VAVADUD2.INI.Shipped",
        tree.root() / "VavaDud2.INI");
  }

  // A window on a tree (the sample tree when none is named), its run not started.
  std::unique_ptr<ResultsWindow> Opened(const char* text, ResultsWindowContext context = {},
                                        const std::string& path = TRAWLEX_SAMPLES_DIR) {
    engine::SearchSpec request;
    request.text = text;
    request.path = path;
    request.spec = "*.*";
    request.sw.subdirs = 1;
    request.sw.subLevels = 9;
    context.desktop = &desktop;
    context.files = shell::SettingsFilesIn(tree.root());
    auto window = std::make_unique<ResultsWindow>(request, std::move(context));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
  }

  // The same, its run finished.
  std::unique_ptr<ResultsWindow> Finished(const char* text, ResultsWindowContext context = {},
                                          const std::string& path = TRAWLEX_SAMPLES_DIR) {
    auto window = Opened(text, std::move(context), path);
    QSignalSpy finished(window.get(), &ResultsWindow::runFinished);
    EXPECT_TRUE(window->Start());
    EXPECT_TRUE(finished.wait(10000));
    return window;
  }

  static std::vector<std::string> Lines(ResultsWindow& window, std::size_t row, std::size_t group) {
    auto* model = static_cast<FormatListModel*>(window.resultsList().model());
    std::vector<std::string> lines;
    for (const auto& line : model->CellLines(row, group)) lines.push_back(line.text.toStdString());
    return lines;
  }

  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
};

TEST_F(ResultsWindowTest, RunsTheSearchAndShowsHitsWithLocations) {
  auto window = Finished("UpdateStock");
  const auto& results = window->run().results();
  ASSERT_EQ(results.size(), 5u);
  EXPECT_TRUE(window->statusText().startsWith("5 found in ")) << window->statusText().toStdString();
  // Hits with locations: the look for them (Two Line): file over subdirectory, line over
  // nothing, location over text.
  EXPECT_EQ(window->looks().currentLook(), 1);
  EXPECT_EQ(Lines(*window, 1, 0), (std::vector<std::string>{"inventory.vlw", "app"}));
  EXPECT_EQ(Lines(*window, 1, 2),
            (std::vector<std::string>{"Main", " LocalCount = UpdateStock(1, 10)"}));
  EXPECT_EQ(window->windowTitle(), "Results: UpdateStock [Sub9]");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ResultsWindowTest, ChoosesTheNoLocationLookOnceAndKeepsIt) {
  auto window = Finished("sample application");  // only in the notes: no location
  EXPECT_EQ(window->run().results().size(), 1u);
  EXPECT_EQ(window->looks().currentLook(), 6);
  auto* model = static_cast<FormatListModel*>(window->resultsList().model());
  EXPECT_EQ(model->columnCount(), 4);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "File");
  window->ApplyLook(2);
  QSignalSpy again(window.get(), &ResultsWindow::runFinished);
  window->run().Again();  // a later run keeps the look the user chose
  window->run().Step(1000);
  EXPECT_EQ(window->looks().currentLook(), 2);
}

TEST_F(ResultsWindowTest, EditedParametersRestartTheRun) {
  using engine::EditChoice;
  struct Case {
    engine::EditAnswer answer;
    std::size_t rows;  // after the answer's run (if any)
  };
  for (const Case c : {Case{{EditChoice::Cancelled}, 5}, Case{{EditChoice::Apply}, 5},
                       Case{{EditChoice::SearchAll}, 2}, Case{{EditChoice::SearchAll, true}, 7}}) {
    SCOPED_TRACE(::testing::Message() << "choice " << static_cast<int>(c.answer.choice) << " keep "
                                      << c.answer.keepResults);
    ResultsWindowContext context;
    context.editParameters = [&](const engine::SearchSpec& current) {
      engine::SearchSpec edited = current;
      edited.text = "ReportStock";
      return std::make_optional(std::make_pair(edited, c.answer));
    };
    auto window = Finished("UpdateStock", context);
    QSignalSpy finished(window.get(), &ResultsWindow::runFinished);
    const auto buttons = window->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
      if (button->text() == "&Parms...") button->click();
    }
    if (c.answer.StartsRun()) {
      EXPECT_TRUE(finished.wait(10000));
    }
    EXPECT_EQ(window->run().results().size(), c.rows);
    const bool taken = c.answer.choice != EditChoice::Cancelled;
    EXPECT_EQ(window->windowTitle().startsWith("Results: ReportStock"), taken);
  }
}

void Send(QWidget& window, int code) {
  ProgramEvent event(code);
  QCoreApplication::sendEvent(&window, &event);
}

TEST_F(ResultsWindowTest, ProgramEventsMoveTheSelectionAndCloseTheWindow) {
  auto window = Finished("stock");
  FormatListView& list = window->resultsList();
  list.SelectRecord(0);
  Send(*window, kEventNextLine);
  EXPECT_EQ(list.currentRecord(), 1u);
  Send(*window, kEventNextFile);
  const auto& results = window->run().results();
  EXPECT_NE(results[list.currentRecord()].file, results[1].file);
  EXPECT_EQ(results[list.currentRecord() - 1].file, results[1].file);
  Send(*window, kEventPreviousLine);
  EXPECT_EQ(results[list.currentRecord()].file, results[1].file);
  window->show();
  Send(*window, kEventCloseResults);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ResultsWindowTest, FilesAndPathTabsShowTheLists) {
  auto window = Finished("stock");
  const auto labels = window->findChildren<QLabel*>();
  std::vector<std::string> texts;
  for (QLabel* label : labels) texts.push_back(label->text().toStdString());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Files Count:  14"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "With Found: 9"), texts.end());
  EXPECT_EQ(window->run().dirs().size(), 9u);
}

TEST_F(ResultsWindowTest, RightClickOnAFileMarksItAndCopiesItsName) {
  auto window = Finished("stock");
  FormatListView& files = window->filesList();
  files.resize(600, 400);
  const QRect first = files.visualRect(files.model()->index(0, 0));
  desktop.menuChoices = {1, 3};
  emit files.customContextMenuRequested(first.center());
  const engine::FileEntry& file = window->run().files()[0];
  EXPECT_EQ(file.mark, 1);
  EXPECT_EQ(desktop.clipboard, window->run().dirs()[file.subdirNum - 1].realPath + file.realName);
  EXPECT_TRUE(desktop.menus.back().starts_with("Copy Names to Clipboard{Path / File:\t"));
  emit files.customContextMenuRequested(first.center());  // again: unmarked, name only
  EXPECT_EQ(file.mark, 0);
  EXPECT_EQ(desktop.clipboard, file.realName);
}

// Every action of the results popup reaches the desktop with the selected hit's file; "View
// File" opens a linked viewer that then follows the selection until it breaks the link.
TEST_F(ResultsWindowTest, PopupActionsActOnTheSelectedHit) {
  ResultsWindowContext context;
  context.preferences.editorName = "ed +%L %F";
  auto window = Finished("UpdateStock", std::move(context));
  const int slot = AppWindows().Open(window.get(), WindowKind::Results);
  FormatListView& list = window->resultsList();
  list.SelectRecord(1);
  const engine::ResultLine& hit = window->run().results()[1];
  const std::string path = hit.path.str();
  const std::string directory = path.substr(0, path.rfind('/'));
  setenv("TERMINAL", "myterm -x", 1);
  auto popup = [&](int choice) {
    desktop.menuChoices = {choice};
    emit list.customContextMenuRequested(QPoint(1, 1));
  };

  popup(6);  // Edit File
  ASSERT_EQ(desktop.programsStarted.size(), 1u);
  EXPECT_EQ(desktop.programsStarted[0].program, "ed");
  EXPECT_EQ(desktop.programsStarted[0].arguments,
            (std::vector<std::string>{"+" + std::to_string(hit.lineNo), path}));
  EXPECT_EQ(desktop.programsStarted[0].workingDirectory, directory);
  popup(11);  // Command Prompt Here
  ASSERT_EQ(desktop.programsStarted.size(), 2u);
  EXPECT_EQ(desktop.programsStarted[1].program, "myterm");
  EXPECT_EQ(desktop.programsStarted[1].workingDirectory, directory);
  unsetenv("TERMINAL");
  popup(8);  // Edit All Files: one start per run of one file's lines
  std::vector<std::string> runs;
  for (const engine::ResultLine& line : window->run().results()) {
    if (runs.empty() || runs.back() != line.path.str()) runs.push_back(line.path.str());
  }
  ASSERT_EQ(desktop.programsStarted.size(), 2 + runs.size());
  EXPECT_EQ(desktop.programsStarted.back().arguments.back(), runs.back());
  popup(12);
  popup(13);
  EXPECT_EQ(desktop.opened,
            (std::vector<std::pair<std::string, std::string>>{{path, "open"}, {path, "edit"}}));
  popup(9);
  ASSERT_EQ(desktop.shownInFileManager.size(), 1u);
  EXPECT_EQ(desktop.shownInFileManager[0],
            std::make_pair(path, std::string("EXPLORER.EXE /n,/e,/select,")));

  popup(5);  // View File
  QPointer<ViewFileWindow> viewer = window->linkedViewer();
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->resultsSlot(), slot);
  EXPECT_EQ(viewer->params().resQNum, 2);
  list.SelectRecord(3);
  QTRY_COMPARE(viewer->params().resQNum, 4);
  Send(*window, kEventPartnerClosed);
  EXPECT_EQ(window->linkedViewer(), nullptr);
  delete viewer.data();
  EXPECT_TRUE(desktop.messages.empty());
}

// The Delete menu (from the results popup), the Delete key and the Files list's Delete menu
// prune the window's lists; the status line and the counters follow.
TEST_F(ResultsWindowTest, DeleteMenusAndTheDeleteKeyPruneTheLists) {
  auto window = Finished("stock");
  test::ShowActive(*window);
  FormatListView& list = window->resultsList();
  const auto& results = window->run().results();
  const std::size_t total = results.size();
  list.SelectRecord(0);
  const std::string file = results[0].path.str();
  const auto ofFile = static_cast<std::size_t>(std::count_if(
      results.begin(), results.end(), [&](const auto& line) { return line.path.str() == file; }));
  desktop.menuChoices = {2, 5};  // "Delete Menu...", then "File.ext"
  emit list.customContextMenuRequested(QPoint(1, 1));
  EXPECT_TRUE(desktop.menus.back().starts_with("Delete Menu (Ctrl=Keep)\tAlt+Delete|-|"));
  ASSERT_EQ(results.size(), total - ofFile);
  EXPECT_EQ(window->statusText().toStdString(), std::to_string(window->run().counts().findCnt) +
                                                    " found, " + std::to_string(results.size()) +
                                                    " remaining");
  EXPECT_EQ(list.currentRecord(), 0u);
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Delete);
  EXPECT_EQ(results.size(), total - ofFile - 1);

  window->tabs().setCurrentIndex(1);
  window->filesList().SelectRecord(0);
  const auto& files = window->run().files();
  const auto withHits = static_cast<std::size_t>(
      std::count_if(files.begin(), files.end(), [](const auto& f) { return f.count != 0; }));
  desktop.menuChoices = {2};  // "Found Count = 0"
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    if (button->text() == "&Delete..." && button->isVisible()) button->click();
  }
  EXPECT_TRUE(desktop.menus.back().starts_with("Delete File List Menu|-|Found Count = 0|"));
  EXPECT_EQ(files.size(), withHits);
  EXPECT_EQ(window->run().counts().filesFindCnt, static_cast<std::int64_t>(withHits));
  EXPECT_TRUE(desktop.messages.empty());
}

// The "Pri&nt..." popup's exports: the text file and both clipboard layouts.
TEST_F(ResultsWindowTest, PrintPopupSavesAndCopiesTheResults) {
  auto window = Finished("UpdateStock");
  QPushButton* print = nullptr;
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    if (button->text() == "Pri&nt...") print = button;
  }
  ASSERT_NE(print, nullptr);
  const std::string file = (tree.root() / "found.txt").string();
  desktop.menuChoices = {3};  // "Save Results to Text File"
  desktop.chosenFiles = {file};
  print->click();
  std::ifstream saved(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(saved)), {});
  EXPECT_TRUE(text.starts_with("Trawlex Results ")) << text;
  EXPECT_NE(text.find("5 lines reported, 5 originally found in "), std::string::npos);

  desktop.menuChoices = {5};  // "Copy Results to Clipboard", then "Tab"
  desktop.answers = {2};
  print->click();
  EXPECT_NE(desktop.clipboard.find("File\tLine#\tLocation\tText\r\n"), std::string::npos);
  EXPECT_EQ(desktop.messages.back().text,
            "Space or Tab Separated?||(TSV can be pasted directly into Excel.)");
}

// Every column of the three lists, in every look, is at least as wide as its header and the
// texts of its cells, in the list's font and in a large bold one: four-digit line numbers,
// long file names, sizes with a thousands separator, the Path tab's headings.
TEST_F(ResultsWindowTest, ColumnsFitTheirHeadersAndTexts) {
  const std::filesystem::path dir = tree.root() / "tree" / "warehouse";
  std::filesystem::create_directories(dir);
  {
    std::ofstream big(dir / "warehouse_inventory_update.vlw");
    for (int line = 1; line <= 1500; ++line) {
      big << (line == 1234 ? "  UpdateStock(1)\n" : "  Count += 1\n");
    }
  }
  auto window = Finished("UpdateStock", {}, (tree.root() / "tree").string());
  ASSERT_EQ(window->run().results().size(), 1u);
  auto fits = [](FormatListView& list, const std::string& where) {
    auto* model = static_cast<FormatListModel*>(list.model());
    const QFontMetrics cells = list.fontMetrics();
    const QFontMetrics headers = list.horizontalHeader()->fontMetrics();
    const int padding = 2 * FormatListView::kCellPadding;
    for (int column = 0; column < model->columnCount(); ++column) {
      const int width = list.columnWidth(column);
      const QString header = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
      for (const QString& line : header.split(QLatin1Char('\n'))) {
        EXPECT_GE(width, headers.horizontalAdvance(line) + padding)
            << where << ": " << line.toStdString();
      }
      for (std::size_t row = 0; row < static_cast<std::size_t>(model->rowCount()); ++row) {
        for (const auto& cell : model->CellLines(row, static_cast<std::size_t>(column))) {
          EXPECT_GE(width, cells.horizontalAdvance(cell.text) + padding)
              << where << ": " << cell.text.toStdString();
        }
      }
    }
  };
  QFont large = window->resultsList().font();
  large.setBold(true);
  large.setPointSize(14);
  for (const bool enlarged : {false, true}) {
    const std::string font = enlarged ? " in 14-point bold" : "";
    for (int look = 1; look <= results::kLookCount; ++look) {
      window->ApplyLook(look);
      if (enlarged) window->resultsList().setFont(large);
      fits(window->resultsList(), "look " + std::to_string(look) + font);
    }
    if (enlarged) window->filesList().setFont(large);
    if (enlarged) window->pathList().setFont(large);
    fits(window->filesList(), "files" + font);
    fits(window->pathList(), "path" + font);
  }
}

QPushButton* VisibleButton(QWidget& window, const char* text) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->text() == QString::fromUtf8(text) && button->isVisible()) return button;
  }
  ADD_FAILURE() << text;
  return nullptr;
}

// The keys of the results list: the row each one leads to, one after the other from row 2.
TEST_F(ResultsWindowTest, KeysMoveTheCurrentRow) {
  auto window = Finished("UpdateStock");  // five rows, all in view: a page goes to the end
  test::ShowActive(*window);
  FormatListView& list = window->resultsList();
  const std::size_t last = window->run().results().size() - 1;
  ASSERT_GT(last, 3u);
  list.SelectRecord(2);
  list.setFocus();
  const std::pair<Qt::Key, std::size_t> moves[] = {{Qt::Key_End, last},      {Qt::Key_Home, 0},
                                                   {Qt::Key_PageDown, last}, {Qt::Key_PageUp, 0},
                                                   {Qt::Key_Down, 1},        {Qt::Key_Up, 0}};
  for (const auto& [key, row] : moves) {
    QTest::keyClick(&list, key);
    EXPECT_EQ(list.currentRecord(), row) << QKeySequence(key).toString().toStdString();
  }
}

// Menus opened from the keyboard show at their button or at the current row, menus a click
// opens at the mouse; Ctrl+C copies the hit's line-copy texts.
TEST_F(ResultsWindowTest, KeyboardPopupsAndCopy) {
  auto window = Finished("stock");
  test::ShowActive(*window);
  FormatListView& list = window->resultsList();
  list.SelectRecord(1);
  QPushButton* remove = VisibleButton(*window, "&Delete...");
  ASSERT_NE(remove, nullptr);
  auto place = [&](std::size_t index) { return ToQPoint(desktop.menuPlaces.at(index)); };

  QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return desktop.menuPlaces.size() == 1; }));
  EXPECT_EQ(place(0), remove->mapToGlobal(remove->rect().bottomLeft()));
  QTest::mouseClick(remove, Qt::LeftButton, {}, QPoint(7, 5));
  ASSERT_EQ(desktop.menuPlaces.size(), 2u);
  EXPECT_EQ(place(1), remove->mapToGlobal(QPoint(7, 5)));

  list.setFocus();
  const QPoint row =
      list.viewport()->mapToGlobal(list.visualRect(list.currentIndex()).bottomLeft());
  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
  QTest::keyClick(&list, Qt::Key_Menu);
  ASSERT_EQ(desktop.menuPlaces.size(), 4u);
  EXPECT_EQ(place(2), row);
  EXPECT_EQ(place(3), row);
  EXPECT_NE(desktop.menus.back().find("|Copy Result Line...\tCtrl+C|"), std::string::npos);
  list.selectionModel()->clear();
  emit list.customContextMenuRequested(QPoint(1, 1));
  EXPECT_NE(desktop.menus.back().find("|~Copy Result Line...\tCtrl+C|"), std::string::npos);

  list.SelectRecord(1);
  QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
  const engine::ResultLine& hit = window->run().results()[1];
  EXPECT_EQ(desktop.clipboard,
            results::MakeLineCopyTexts(results::LineCopyRequestFor(hit)).boxText);

  // Alt+F is the Files tab; its "&Delete..." opens below itself too.
  QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
  ASSERT_EQ(window->tabs().currentIndex(), 1);
  window->filesList().SelectRecord(0);
  QPushButton* filesRemove = VisibleButton(*window, "&Delete...");
  ASSERT_NE(filesRemove, nullptr);
  QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return desktop.menuPlaces.size() == 6; }));
  EXPECT_EQ(place(5), filesRemove->mapToGlobal(filesRemove->rect().bottomLeft()));
  EXPECT_TRUE(desktop.menus.back().starts_with("Delete File List Menu|"));
}

// Tiled into a narrow column of the frame, the window stays wide enough for every caption.
TEST_F(ResultsWindowTest, MinimumSizeKeepsEveryButtonWhole) {
  QMdiArea area;
  area.resize(1366, 700);
  QMdiSubWindow* host = area.addSubWindow(Opened("UpdateStock").release());
  area.show();
  host->setGeometry(0, 0, 60, 60);  // what tiling many windows asks of each
  auto* window = static_cast<ResultsWindow*>(host->widget());
  for (int tab = 0; tab < 3; ++tab) {
    window->tabs().setCurrentIndex(tab);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
      if (!button->isVisible()) continue;
      EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
  }
}

// The caption is there as the window opens; while the search runs the status row shows the
// count and the progress, afterwards the summary alone.
TEST_F(ResultsWindowTest, CaptionAtOpeningAndCountOnceAfterTheRun) {
  auto window = Opened("UpdateStock");
  EXPECT_EQ(window->windowTitle(), "Results: UpdateStock [Sub9]");
  window->show();
  auto* progress = window->findChild<QProgressBar*>();
  ASSERT_NE(progress, nullptr);
  QSignalSpy finished(window.get(), &ResultsWindow::runFinished);
  ASSERT_TRUE(window->Start());
  EXPECT_TRUE(progress->isVisible());
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_FALSE(progress->isVisible());
  int counts = 0;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->isVisible() && label->text().contains("5 found")) ++counts;
  }
  EXPECT_EQ(counts, 1);
}

// "Change Font" starts the dialogue at the list's font as drawn: its family, 8 points, bold.
TEST_F(ResultsWindowTest, FontDialogueStartsAtTheListFont) {
  auto window = Opened("UpdateStock");
  for (QAction* action : window->findChildren<QAction*>()) {
    if (action->text() == "Change Font") action->trigger();
  }
  ASSERT_EQ(desktop.fontStarts.size(), 1u);
  EXPECT_EQ(desktop.dialogTitles.back(), "Choose List Box Font");
  EXPECT_EQ(desktop.fontStarts[0].name,
            QFontInfo(window->resultsList().font()).family().toStdString());
  EXPECT_EQ(desktop.fontStarts[0].size, 8);
  EXPECT_EQ(desktop.fontStarts[0].style, 700);
}

}  // namespace
}  // namespace trawlex::ui
