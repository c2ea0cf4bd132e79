// What the viewer does with its page: searching the file, copying a row, a new search on the
// selected text, the language help on a word, and the editor.

#include <QDesktopServices>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

#include "results/editor_command.h"
#include "results/view_texts.h"
#include "runtime/desktop.h"
#include "runtime/fixed_text.h"
#include "ui/find_text_window.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"
#include "ui/view_file_parts.h"
#include "ui/view_page_list.h"
#include "ui/view_page_text.h"

namespace trawlex::ui {
namespace {

constexpr const char* kRowPopup = "Copy Line\tCtrl+C|Copy Line w/o !Comment";

std::string Joined(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) line += (line.empty() ? "" : " ") + word;
  return line;
}

}  // namespace

// "&Find": the find window edits the viewer's find; a completed find searches at once, and a
// cancelled one leaves nothing to search for.
void ViewFileWindow::FindWithWindow() {
  Parts& p = *parts_;
  const QPointer<ViewFileWindow> alive(this);
  const bool search = RunFindTextWindow(this, *context_.desktop, context_.files.trawlexIni, p.find);
  if (!alive) return;  // closed while the find window was open
  ShowFindState();
  ShowPage(p.list->currentRow());  // the rows that pass the find change colour
  if (search) Search(p.find.prev, true);
}

void ViewFileWindow::ShowFindState() {
  Parts& p = *parts_;
  const bool set = p.find.set();
  p.findButton->setToolTip(set ? ToQString("Search for: " + runtime::Clip(p.find.findText))
                               : QStringLiteral("Search File"));
  p.searchUp->setEnabled(set);
  p.searchDown->setEnabled(set);
}

// Searches from the page's top row (after a find, the line found) without testing it. Only
// "&Find" asks whether to start again from the top when nothing is found; the arrows and F3
// just beep.
void ViewFileWindow::Search(bool up, bool askWhenNotFound) {
  Parts& p = *parts_;
  results::ViewPager& pager = *p.pager;
  if (!p.find.set() || !pager.isOpen()) return;
  const std::int64_t start = pager.rows().empty() ? 1 : pager.rows().front().ptr;
  auto found =
      pager.Find(p.find, start, up ? results::FindDirection::Up : results::FindDirection::Down);
  if (!found && pager.error()) {
    Fail(pager.error());
    return;
  }
  if (!found) {
    context_.desktop->Beep();
    if (!askWhenNotFound) return;
    p.searchUp->setEnabled(false);
    p.searchDown->setEnabled(false);
    const auto question = results::FindNotFoundQuestion(runtime::Clip(p.find.findText));
    const QPointer<ViewFileWindow> alive(this);
    if (context_.desktop->ShowMessage(question) != runtime::kAnswerYes || !alive) return;
    // From the top means the top: the first line is tested too, not passed over as the
    // line a search starts from.
    const auto first = pager.LineAt(1);
    found = first && results::ViewLinePassesFind(p.find, *first)
                ? std::optional<std::int64_t>(1)
                : pager.Find(p.find, 1, results::FindDirection::Down);
    if (!found && pager.error()) {
      Fail(pager.error());
      return;
    }
    if (!found) {
      context_.desktop->Beep();
      return;
    }
    ShowFindState();
  }
  if (!pager.FillFrom(*found)) {
    Fail(pager.error());
    return;
  }
  ShowPage(0);
}

std::string ViewFileWindow::CurrentRowText() const {
  const auto& rows = parts_->pager->rows();
  const int row = parts_->list->currentRow();
  return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)].text
                                                         : std::string();
}

void ViewFileWindow::CopyRow(bool withoutComment) {
  if (parts_->list->currentRow() < 0) return;
  context_.desktop->SetClipboardText(results::RowCopyText(CurrentRowText(), withoutComment));
}

void ViewFileWindow::RowPopup(const QPoint& globalPosition) {
  if (parts_->list->currentRow() < 0) return;
  const int choice = context_.desktop->PopupMenuAt(kRowPopup, ToScreenPoint(globalPosition));
  if (choice == 1 || choice == 2) CopyRow(choice == 2);
}

// "SelSrch": a new search like the viewer's own, for the text selected in the text box.
void ViewFileWindow::SearchForSelection() {
  const std::string text = results::SearchTextFromSelection(parts_->text->SelectedBytes());
  if (text.empty()) {
    runtime::Tell(*context_.desktop, "Select Text first", "SelSrch");
    return;
  }
  if (!context_.startSearch) {
    context_.desktop->Beep();
    return;
  }
  engine::SearchSpec request = params_.request;
  request.text = text;
  context_.startSearch(request);
}

// "V&W ?" and F2: the language help on the selected text, or on the selected row's first word.
void ViewFileWindow::HelpOnWord() {
  const bool textShown = parts_->tabs->currentIndex() == kTextTab;
  const std::string selected = textShown ? parts_->text->SelectedBytes() : std::string();
  const auto word = results::HelpWord(selected, CurrentRowText());
  if (!word) {
    context_.desktop->ShowMessage(results::NoHelpWordMessage());
    return;
  }
  const auto action = results::LanguageHelpFor(context_.preferences.languageHelp, *word);
  if (!action) {
    context_.desktop->ShowMessage(results::LanguageHelpNotSetMessage());
    return;
  }
  if (action->isUrl) {
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(action->url));
    if (!QDesktopServices::openUrl(url)) {
      runtime::Tell(*context_.desktop, "The language help could not be opened:|" + action->url,
                    "Help", runtime::Icon::Warning);
    }
    return;
  }
  if (action->words.empty()) return;
  runtime::ProgramStart start;
  start.program = action->words.front();
  start.arguments.assign(action->words.begin() + 1, action->words.end());
  if (const runtime::OsError error = context_.desktop->StartProgram(start)) {
    runtime::Tell(*context_.desktop,
                  "The language help could not be started.||Error: " + error.text +
                      "|Command: " + Joined(action->words),
                  "Help", runtime::Icon::Warning);
  }
}

void ViewFileWindow::EditFile() {
  results::EditFile(*context_.desktop, context_.preferences.editorName.view(), params_.fileAndPath,
                    params_.lineNo);
}

}  // namespace trawlex::ui
