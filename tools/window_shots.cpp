// Renders each window of the desktop program with sample content into PNG files, for the
// documentation. Run it from a scratch directory (it creates the settings files and stores
// there), under Xvfb for the look of a real desktop: scripts/window_shots.sh does both.
//
// Usage: trawlex_window_shots SAMPLES_DIR OUTPUT_DIR

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <iostream>

#include "results/export_source.h"
#include "results/line_copy_texts.h"
#include "shell/favourites.h"
#include "shell/preferences.h"
#include "shell/recent_store.h"
#include "shell/saved_search.h"
#include "shell/search_store.h"
#include "ui/constant_converter_window.h"
#include "ui/feq_use_buddy_window.h"
#include "ui/find_and_delete_window.h"
#include "ui/find_text_window.h"
#include "ui/format_list_view.h"
#include "ui/help_window.h"
#include "ui/line_copy_window.h"
#include "ui/main_frame.h"
#include "ui/multi_search_window.h"
#include "ui/preferences_window.h"
#include "ui/prototype_converter_window.h"
#include "ui/qt_desktop.h"
#include "ui/regex_assistant_window.h"
#include "ui/results_report.h"
#include "ui/results_window.h"
#include "ui/search_input_window.h"
#include "ui/stick_note_window.h"
#include "ui/view_file_window.h"

namespace {

using namespace trawlex;

QString outputDir;

void Save(QWidget& window, const char* name) {
  QApplication::processEvents();
  const QString file = outputDir + "/" + name + ".png";
  window.grab().save(file);
  std::cout << file.toStdString() << "\n";
}

// Shows a modal window opened by `open` long enough to render it, then closes it.
void SaveModal(const char* name, const std::function<void()>& open,
               const std::function<void(QWidget&)>& fill = {}) {
  QTimer::singleShot(600, [name, fill] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window) return;
    if (fill) fill(*window);
    Save(*window, name);
    window->close();
  });
  open();
}

// Shows a popup menu opened by `open` long enough to render it, then closes it.
void SavePopup(const char* name, const std::function<void()>& open) {
  QTimer::singleShot(600, [name] {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) return;
    Save(*popup, name);
    popup->close();
  });
  open();
}

void AddSavedSearches() {
  shell::SavedSearchStore store;
  if (!store.Open(shell::SavedSearchStore::kFileName.data())) return;
  const struct {
    const char* name;
    const char* text;
    const char* spec;
    bool favourite;
  } searches[] = {{"Stock procedures", "Stock", "*.vlw;*.inc", true},
                  {"Order handling", "Order", "*.*", true},
                  {"Templates", "#PROCEDURE", "*.tpl", false}};
  for (const auto& s : searches) {
    shell::SavedSearch record;
    record.name = s.name;
    record.text = s.text;
    record.path = "/work/samples";
    record.spec = s.spec;
    record.sw.subdirs = 1;
    record.sw.subLevels = 9;
    record.sw[engine::Extra::Favourite] = s.favourite;
    store.Add(record);
  }
}

// The first window of the kind among the frame's sub-windows.
template <typename Window>
Window* FrameWindow(ui::MainFrame& frame) {
  for (QMdiSubWindow* sub : frame.mdiArea().subWindowList()) {
    if (auto* window = qobject_cast<Window*>(sub->widget())) return window;
  }
  return nullptr;
}

// The viewer on a hit of the results window, its find window and the line-copy window.
void SaveHitWindows(ui::MainFrame& frame, ui::QtDesktop& desktop) {
  auto* results = FrameWindow<ui::ResultsWindow>(frame);
  if (!results || results->run().results().size() < 2) return;
  ui::FormatListView& list = results->resultsList();
  list.SelectRecord(1);
  emit list.doubleClicked(list.currentIndex());
  QApplication::processEvents();
  if (auto* viewer = FrameWindow<ui::ViewFileWindow>(frame)) {
    Save(*viewer->parentWidget(), "file-viewer");
  }
  const std::filesystem::path trawlexIni = shell::SettingsFilesIn(".").trawlexIni;
  results::FindRecord find;
  find.findText = "Stock";
  SaveModal("find-text", [&] { ui::RunFindTextWindow(&frame, desktop, trawlexIni, find); });
  const results::LineCopyRequest hit = results::LineCopyRequestFor(results->run().results()[1]);
  SaveModal("line-copy", [&] { ui::RunLineCopyWindow(&frame, desktop, trawlexIni, hit); });

  const engine::ResultLine& line = results->run().results()[1];
  const ui::FindAndDeleteSource source{line.text, line.location.str(), line.subdir.str(),
                                       line.file.str()};
  results::FindAndDeleteRecord record;
  record.find.findText = "Stock";
  SaveModal("find-and-delete",
            [&] { ui::RunFindAndDeleteWindow(&frame, desktop, trawlexIni, true, source, record); });
  const results::ExportSource exported{results->run().results(), results->run().dirs(),
                                       results->run().request(), results->run().counts(),
                                       results::ExportClockNow()};
  if (QPrintPreviewDialog* preview = ui::OpenResultsReportPreview(&frame, exported)) {
    preview->resize(900, 700);
    preview->show();
    QApplication::processEvents();
    Save(*preview, "print-preview");
    preview->close();
  }
  for (QPushButton* button : results->findChildren<QPushButton*>()) {
    if (button->text() == "&Delete..." && button->isVisible()) {
      SavePopup("delete-menu", [button] { button->click(); });
    }
  }
}

// A window structure as the window designer writes it, pasted into the analyser.
constexpr const char* kCustomerWindow =
    "CustomerWin WINDOW('Update Customer'),AT(,,260,180),GRAY,SYSTEM,MDI\n"
    "       SHEET,AT(4,4,252,150),USE(?Sheet1)\n"
    "         TAB('&General'),USE(?GeneralTab)\n"
    "           PROMPT('&Name:'),AT(10,22),USE(?CUS:Name:Prompt)\n"
    "           ENTRY(@s40),AT(60,22,120,10),USE(CUS:Name),REQ\n"
    "           LIST,AT(60,36,80,10),USE(Loc:Type,?TypeList),DROP(5),FROM(TypeQ)\n"
    "           CHECK('Taxable'),AT(10,86),USE(CUS:Taxable)\n"
    "         END\n"
    "       END\n"
    "       BUTTON('&Ok'),AT(150,160,40,14),USE(?OkButton),DEFAULT\n"
    "       BUTTON('Cancel'),AT(200,160,40,14),USE(?CancelButton)\n"
    "     END\n";

// The window-structure analyser with a pasted window, a sticky note and the help window.
void SaveUtilityWindows(ui::MainFrame& frame, ui::QtDesktop& desktop) {
  desktop.SetClipboardText(kCustomerWindow);
  if (QWidget* buddy = ui::OpenFeqUseBuddy(&frame, desktop, "Trawlex.INI")) {
    for (QPushButton* button : buddy->findChildren<QPushButton*>()) {
      if (button->text() == "P&aste") button->click();
    }
    QApplication::processEvents();
    Save(*buddy, "feq-use-buddy");
    buddy->close();
  }
  if (ui::StickNoteWindow* note = ui::StickNoteWindow::Open(desktop, "Search.DAT")) {
    frame.ShowInFrame(note);
    note->TakeSavedSize();
    note->findChild<QPlainTextEdit*>()->setPlainText(
        "Stock rework\n- UpdateStock: callers in orders.vlw\n- ReportStock: check the totals");
    QApplication::processEvents();
    Save(*note->parentWidget(), "stick-note");
  }
  if (ui::ShowHelp("results-window.md")) {
    QApplication::processEvents();
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == "HelpWindow" && window->isVisible()) Save(*window, "help-window");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: trawlex_window_shots SAMPLES_DIR OUTPUT_DIR\n";
    return 2;
  }
  const std::string samples = argv[1];
  outputDir = QString::fromLocal8Bit(argv[2]);
  AddSavedSearches();

  ui::QtDesktop desktop;
  ui::MainFrame frame(desktop, shell::SettingsFilesIn("."));
  // As large as the docs' shots want, but never past the screen a small-screen run gives.
  frame.resize(QSize(1200, 800).boundedTo(frame.screen()->availableGeometry().size()));
  frame.show();
  frame.Start();
  if (frame.splash()) frame.splash()->close();

  ui::SearchInputWindow* dialog = frame.searchDialog();
  dialog->model().request().text = "UpdateStock";
  dialog->model().request().path = samples;
  dialog->model().request().spec = "*.*";
  dialog->model().request().sw.subdirs = 1;
  dialog->model().request().sw.subLevels = 9;
  dialog->model().SetWord(true);
  // Run from the dialogue's model, so the recent searches list it too.
  frame.OpenResults(dialog->model().Search().request);
  QApplication::processEvents();
  Save(*dialog, "search-parameters");
  QTimer::singleShot(400, [&] {
    if (!frame.mdiArea().subWindowList().isEmpty()) {
      Save(*frame.mdiArea().subWindowList().front()->widget(), "results-window");
    }
    Save(frame, "frame");

    for (QPushButton* button : frame.searchDialog()->findChildren<QPushButton*>()) {
      const QString text = button->text();
      if (text == "&Open") SaveModal("open-search", [button] { button->click(); });
      if (text == "&Last") SaveModal("last-searches", [button] { button->click(); });
      if (text == "Save &As") SaveModal("search-save", [button] { button->click(); });
    }
    shell::Preferences preferences = frame.preferences();
    SaveModal("preferences", [&] {
      ui::RunPreferences(&frame, preferences, shell::SettingsFilesIn("."), desktop);
    });
    std::string pattern = "Update{Stock|Cust}";
    SaveModal("regex-assistant", [&] { ui::RunRegexAssistant(&frame, desktop, pattern); });
    engine::SearchSpec multi = frame.searchDialog()->model().request();
    multi.text = "_cb_";
    desktop.SetClipboardText("UpdateStock\nReportStock\nTakeOrder\n");
    frame.OpenMultiSearch(multi);
    QApplication::processEvents();
    for (QMdiSubWindow* sub : frame.mdiArea().subWindowList()) {
      if (auto* window = qobject_cast<ui::MultiSearchWindow*>(sub->widget())) {
        Save(*window, "multi-search");
      }
    }
    SaveHitWindows(frame, desktop);
    if (QWidget* converter = ui::OpenConstantConverter(&frame, desktop, "Trawlex.INI")) {
      converter->show();
      QApplication::processEvents();
      Save(*converter, "constant-converter");
      converter->close();
    }
    if (QWidget* converter =
            ui::OpenPrototypeConverter(&frame, desktop, "Trawlex.INI", ".", "xdg-open %F")) {
      converter->show();
      QApplication::processEvents();
      Save(*converter, "prototype-converter");
      converter->close();
    }
    SaveUtilityWindows(frame, desktop);
    QApplication::quit();
  });
  return QApplication::exec();
}
