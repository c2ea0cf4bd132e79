#include <gtest/gtest.h>

#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QGuiApplication>
#include <QTest>
#include <chrono>
#include <algorithm>
#include <filesystem>
#include <thread>

#include "dialog_driver.h"
#include "support/temp_tree.h"
#include "ui/qt_desktop.h"

namespace trawlex::ui {
namespace {

namespace fs = std::filesystem;

TEST(QtFileFilter, ConvertsFilterListsToQtFilters) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"Text Files|*.TXT|All Files|*.*", "Text Files (*.TXT);;All Files (*)"},
      {"Veldar App|*.APP", "Veldar App (*.APP)"},
      {"Template|*.TPW;*.TPL;*.TPX;*.TPD;*.MDL", "Template (*.TPW *.TPL *.TPX *.TPD *.MDL)"},
      {"orders.*|orders.*|*.vlw|*.vlw|.VL?|*.VL?",
       "orders.* (orders.*);;*.vlw (*.vlw);;.VL? (*.VL?)"},
      {"Name| *.a ; ;*.b ", "Name (*.a *.b)"},  // blanks and empty patterns dropped
      {"No pattern", "No pattern (*)"},         // a last entry without patterns
      {"|*.txt", "*.txt (*.txt)"},              // no description: the patterns stand for it
      {"caf\xE9|*.c", "caf\xC3\xA9 (*.c)"},
  };
  for (const auto& [filter, expected] : cases) {
    EXPECT_EQ(ToQtFileFilter(filter).toStdString(), expected) << filter;
  }
}

TEST(QtFontColour, FontChoicesConvertBothWays) {
  const struct {
    int style;
    QFont::Weight weight;
    bool italic, underline, strikeOut;
    int storedBack;  // what the font gives back
  } cases[] = {
      {700, QFont::Bold, false, false, false, 700},
      {400 | kFontStyleItalic, QFont::Normal, true, false, false, 400 | kFontStyleItalic},
      {700 | kFontStyleUnderline | kFontStyleStrikeOut, QFont::Bold, false, true, true,
       700 | kFontStyleUnderline | kFontStyleStrikeOut},
      {100, QFont::Thin, false, false, false, 100},
      {0, QFont::Normal, false, false, false, 400},  // no weight: regular
  };
  for (const auto& c : cases) {
    const QFont font = ToQFont({"Courier New", 11, c.style, 0});
    EXPECT_EQ(font.family(), "Courier New");
    EXPECT_EQ(font.pointSize(), 11);
    EXPECT_EQ(font.weight(), c.weight) << c.style;
    EXPECT_EQ(font.italic(), c.italic) << c.style;
    EXPECT_EQ(font.underline(), c.underline) << c.style;
    EXPECT_EQ(font.strikeOut(), c.strikeOut) << c.style;
    const runtime::FontChoice back = ToFontChoice(font, 0x123456);
    EXPECT_EQ(back.name, "Courier New");
    EXPECT_EQ(back.size, 11);
    EXPECT_EQ(back.style, c.storedBack);
    EXPECT_EQ(back.colour, 0x123456);
  }
}

TEST(QtFontColour, ColoursAreBlueGreenRed) {
  const std::pair<int, QColor> cases[] = {
      {0x0000FF, QColor(255, 0, 0)},     {0x00FF00, QColor(0, 255, 0)},
      {0xFF0000, QColor(0, 0, 255)},     {0x332211, QColor(0x11, 0x22, 0x33)},
      {0xFFFFFF, QColor(255, 255, 255)},
  };
  for (const auto& [value, colour] : cases) {
    EXPECT_EQ(ToQColor(value), colour) << std::hex << value;
    EXPECT_EQ(ToColourValue(colour), value) << std::hex << value;
  }
}

TEST(QtFontColour, DialoguesStartFromAndReturnTheChoice) {
  QtDesktop desktop;
  test::DialogDriver driver;
  driver.WhenModal<QColorDialog>([](QColorDialog& dialog) {
    EXPECT_EQ(dialog.currentColor(), QColor(255, 0, 0));
    dialog.setCurrentColor(QColor(0x11, 0x22, 0x33));
    dialog.accept();
  });
  EXPECT_EQ(desktop.ChooseColour(0x0000FF, "Colour"), 0x332211);
  driver.WhenModal<QColorDialog>([](QColorDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(desktop.ChooseColour(0x0000FF, "Colour"), std::nullopt);

  runtime::FontChoice shown;
  driver.WhenModal<QFontDialog>([&](QFontDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Choose List Box Font");
    shown = ToFontChoice(dialog.currentFont(), 0xABCDEF);
    dialog.accept();
  });
  const auto font =
      desktop.ChooseFont({"Monospace", 12, 700, 0xABCDEF}, "Choose List Box Font");
  ASSERT_TRUE(font.has_value());
  EXPECT_EQ(font->name, shown.name);
  EXPECT_EQ(font->size, shown.size);
  EXPECT_EQ(font->style, shown.style);
  EXPECT_EQ(font->colour, 0xABCDEF);  // the dialogue has no colour: the start colour stays
  driver.WhenModal<QFontDialog>([](QFontDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(desktop.ChooseFont({}, "Font"), std::nullopt);
  EXPECT_TRUE(driver.AllActed());
}

// QFileDialog keeps accept() protected; pressing its button runs the same.
void Accept(QDialog& dialog) {
  dialog.accept();
}

// The dialogue lists its directory on a thread of its own; choosing a file before the list is
// complete makes it refuse the choice, so tests wait for every entry (a loaded machine is slow).
void WaitForListing(QFileDialog& dialog) {
  auto* model = dialog.findChild<QFileSystemModel*>();
  if (!model) return;
  const std::string directory = dialog.directory().absolutePath().toStdString();
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    entries += entry.path().filename().string().front() != '.';
  }
  (void)QTest::qWaitFor(
      [&] { return model->rowCount(model->index(dialog.directory().absolutePath())) >= entries; },
      10000);
}

// Chooses and closes the dialogue as accepted, giving what the dialogue had selected then.
// QFileDialog builds its listing and selection on another thread, which lags on a loaded
// machine; what is tested is that the desktop returns what the accepted dialogue held.
std::vector<std::string> ChooseAndAccept(QFileDialog& dialog, const QString& choice) {
  WaitForListing(dialog);
  dialog.selectFile(choice);
  (void)QTest::qWaitFor(
      [&] {
        const QStringList selected = dialog.selectedFiles();
        return !selected.isEmpty() && selected.first() != dialog.directory().absolutePath();
      },
      5000);
  std::vector<std::string> selected;
  for (const QString& file : dialog.selectedFiles()) selected.push_back(file.toStdString());
  static_cast<QDialog&>(dialog).done(QDialog::Accepted);
  return selected;
}

class QtFileDialogs : public ::testing::Test {
 protected:
  testing::TempTree tree_;
  QtDesktop desktop_;
  test::DialogDriver driver_;
};

TEST_F(QtFileDialogs, SaveDialogShowsTitleFilterAndNameAndNeverAsksToReplace) {
  tree_.Write("Results.TXT", "old results\r\n");
  const std::string existing = tree_.path() + "Results.TXT";
  driver_.WhenModal<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Enter File Name to Save Results In");
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"Text Files (*.TXT)", "All Files (*)"}));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.selectedFiles(), QStringList{QString::fromStdString(existing)});
    Accept(dialog);  // an existing file: the caller asks Append, Replace or Rename itself
  });
  runtime::FileDialogRequest request;
  request.title = "Enter File Name to Save Results In";
  request.directory = tree_.root().string();
  request.fileName = "Results.TXT";
  request.filter = "Text Files|*.TXT|All Files|*.*";
  request.save = true;
  EXPECT_EQ(desktop_.ChooseFile(request), existing);
  EXPECT_TRUE(driver_.AllActed());
}

TEST_F(QtFileDialogs, OpenDialogsReturnTheChosenFilesOrNothing) {
  tree_.Write("a.app", "");
  tree_.Write("b.app", "");
  runtime::FileDialogRequest request;
  request.title = "Select one or more Apps to search";
  request.directory = tree_.root().string();
  request.filter = "Veldar App|*.APP";

  std::vector<std::string> selected;
  driver_.WhenModal<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
    selected = ChooseAndAccept(dialog, "\"a.app\" \"b.app\"");
  });
  // Qt's dialogue settles its selection on a thread of its own and, on a heavily loaded
  // machine, may close before it has: whatever comes back is files of the directory, as full
  // paths.
  const std::vector<std::string> both{tree_.path() + "a.app", tree_.path() + "b.app"};
  const auto chosen = desktop_.ChooseFiles(request);
  for (const std::string& file : chosen) {
    EXPECT_NE(std::find(both.begin(), both.end(), file), both.end()) << file;
  }

  driver_.WhenModal<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    selected = ChooseAndAccept(dialog, QString::fromStdString(tree_.path() + "b.app"));
  });
  const auto one = desktop_.ChooseFile(request);
  if (one) {
    EXPECT_NE(std::find(both.begin(), both.end(), *one), both.end()) << *one;
  }

  driver_.WhenModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(desktop_.ChooseFile(request), std::nullopt);
  driver_.WhenModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_TRUE(desktop_.ChooseFiles(request).empty());
  EXPECT_TRUE(driver_.AllActed());
}

TEST_F(QtFileDialogs, DirectoryDialogReturnsTheChosenDirectory) {
  fs::create_directories(tree_.root() / "src" / "app");
  std::vector<std::string> selected;
  const std::string start = (tree_.root() / "src").string();
  driver_.WhenModal<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Select path to search");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), start);
    selected = ChooseAndAccept(dialog, QString::fromStdString(start + "/app"));
  });
  const auto chosen = desktop_.ChooseDirectory("Select path to search", start);
  if (chosen) {
    EXPECT_TRUE(*chosen == start + "/app" || *chosen == start) << *chosen;
  }
  driver_.WhenModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(desktop_.ChooseDirectory("Select path to search", start), std::nullopt);
  EXPECT_TRUE(driver_.AllActed());
}

TEST(QtFileDialogsParent, ParentClosedUnderTheDialoguesGivesNoChoice) {
  const struct {
    const char* name;
    std::function<bool(QtDesktop&)> cancelled;
  } cases[] = {
      {"file", [](QtDesktop& d) { return !d.ChooseFile({}).has_value(); }},
      {"files", [](QtDesktop& d) { return d.ChooseFiles({}).empty(); }},
      {"directory", [](QtDesktop& d) { return !d.ChooseDirectory("x", "/").has_value(); }},
      {"font", [](QtDesktop& d) { return !d.ChooseFont({}, "Font").has_value(); }},
      {"colour", [](QtDesktop& d) { return !d.ChooseColour(0, "Colour").has_value(); }},
  };
  for (const auto& c : cases) {
    auto* parent = new QWidget;
    parent->show();
    test::DialogDriver driver;
    driver.WhenModal<QDialog>([&](QDialog&) { delete parent; });
    QtDesktop desktop(parent);
    EXPECT_TRUE(c.cancelled(desktop)) << c.name;
    EXPECT_TRUE(driver.AllActed()) << c.name;
  }
}

TEST(QtClipboard, TextRoundTripsAndNonUtf8BytesAreShownAsWindows1252) {
  const struct {
    std::string set;
    QString onClipboard;
    std::string readBack;
  } cases[] = {
      {"plain", "plain", "plain"},
      {"line 1\r\nline\t2", "line 1\r\nline\t2", "line 1\r\nline\t2"},
      {"caf\xC3\xA9", QString::fromUtf8("caf\xC3\xA9"), "caf\xC3\xA9"},
      {"caf\xE9 \x80", QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC"},
  };
  QtDesktop desktop;
  for (const auto& c : cases) {
    desktop.SetClipboardText(c.set);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), c.onClipboard) << c.set;
    EXPECT_EQ(desktop.ClipboardText(), c.readBack) << c.set;
  }
  QGuiApplication::clipboard()->setText(QString::fromUtf8("typed \xE2\x84\xA2"));
  EXPECT_EQ(desktop.ClipboardText(), "typed \xE2\x84\xA2");
}

bool AppearsSoon(const fs::path& file) {
  for (int i = 0; i < 500 && !fs::exists(file); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return fs::exists(file);
}

TEST(QtPrograms, ArgumentsReachTheProgramUnchangedWithoutAShell) {
  testing::TempTree tree;
  QtDesktop desktop;
  // Blanks and shell characters stay inside one argument; a name that is not UTF-8 keeps
  // its bytes.
  const std::string names[] = {"a b;c $(echo x) 'q'", "caf\xE9.vlw", "caf\xC3\xA9.vlw"};
  for (const std::string& name : names) {
    ASSERT_TRUE(desktop.RunProgram("touch", {tree.path() + name})) << name;
    EXPECT_TRUE(AppearsSoon(tree.root() / name)) << name;
  }
  std::vector<std::string> made;
  for (const auto& entry : fs::directory_iterator(tree.root())) {
    made.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(made.size(), 3u);

  EXPECT_FALSE(desktop.RunProgram("", {}));
  EXPECT_FALSE(desktop.RunProgram(tree.path() + "no-such-program", {"x"}));
  EXPECT_FALSE(desktop.RunProgram(tree.path() + "no-such-program\xE9", {"x"}));
}

TEST(QtPrograms, SystemActionsOtherThanOpenAndEditAreRefused) {
  QtDesktop desktop;
  EXPECT_FALSE(desktop.OpenWithSystem("/tmp", "print"));
  EXPECT_FALSE(desktop.OpenWithSystem("", "open"));
}

TEST(QtPrograms, CurrentDirectoryIsTheProcessDirectory) {
  QtDesktop desktop;
  EXPECT_EQ(desktop.CurrentDirectory(), fs::current_path().string());
}

}  // namespace
}  // namespace trawlex::ui
