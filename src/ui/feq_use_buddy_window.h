#pragma once
// The "Window FEQ USE Buddy": a pasted WINDOW, APPLICATION or REPORT declaration is listed
// control by control ("Win Q"), and a control's pop-up menu puts its FEQ, USE variable, text,
// declaration or a snippet filled in for it on the clipboard. Snippets come from the snippet
// file (FeqUseLoad.vlw of the current directory). The "No Menus" switch is kept in
// Trawlex.INI, section WinFEQ. The window opens centred over the window it was started from.

#include <QDialog>
#include <filesystem>
#include <vector>

#include "runtime/desktop.h"
#include "utilities/feq_snippets.h"
#include "utilities/window_structure.h"

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace trawlex::ui {

class FeqUseBuddyWindow final : public QDialog {
  Q_OBJECT

 public:
  // `snippetFile` is the snippet file to read; `trawlexIni` keeps the "No Menus" switch.
  FeqUseBuddyWindow(runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                    std::filesystem::path snippetFile, QWidget* parent = nullptr);

  // Closing by any way writes the "No Menus" switch back.
  void done(int result) override;

 private:
  QWidget* CodePage();
  QWidget* ControlsPage();
  QWidget* ParsePage();
  QLayout* ButtonRow();
  void LoadWindow();
  void PasteWindow();
  void LoadSnippets();
  void ShowRows();
  void ShowParseLines(const std::vector<utilities::JoinedLine>& lines);
  void RowPopup(int row, const QPoint& where);
  void RowPopupAtCurrentRow();
  void DeleteMenu();
  void DeleteSelectedRow();
  void EquatesMenu();
  void AddListKey(const QKeySequence& keys, void (FeqUseBuddyWindow::*action)());
  void Warn(const std::string& text);

  runtime::Desktop& desktop_;
  std::filesystem::path trawlexIni_;
  std::filesystem::path snippetFile_;
  std::vector<utilities::WinqRow> rows_;
  std::vector<utilities::SnippetRow> snippets_;
  QTabWidget* tabs_ = nullptr;
  QPlainTextEdit* code_ = nullptr;
  QTreeWidget* controls_ = nullptr;
  QListWidget* parse_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* equates_ = nullptr;
  QCheckBox* noMenus_ = nullptr;
  QCheckBox* noComment_ = nullptr;
};

// Opens the window over `parent` and returns at once; it deletes itself when closed. The
// snippet file is "FeqUseLoad.vlw" of the current directory.
FeqUseBuddyWindow* OpenFeqUseBuddy(QWidget* parent, runtime::Desktop& desktop,
                                   const std::filesystem::path& trawlexIni);

}  // namespace trawlex::ui
