#pragma once
// The viewer's texts: its title and the heading of its line column, the text tab's contents,
// the row copies, the word a help request is for, the find text a new search starts with,
// and its messages.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/view_pager.h"
#include "results/view_params.h"
#include "runtime/desktop.h"
#include "runtime/error_codes.h"

namespace trawlex::results {

// "View " + name + " - line " + n + " - (" + row + " of " + rows + ")".
std::string ViewTitle(const ViewParams& params);
// The location, or when blank: file + " - Line " + n + " - (" + row + " of " + rows + ")",
// cut to 60 characters.
std::string ViewHeading(const ViewParams& params);

inline constexpr std::size_t kPageTextLimit = 5000;
// The rows without trailing blanks, joined by CR LF, at most kPageTextLimit characters.
std::string PageText(const std::vector<ViewRow>& rows);

// "Copy Line": the row without leading blanks; "Copy Line w/o !Comment": also cut before its
// first '!'.
std::string RowCopyText(std::string_view row, bool withoutComment);

// The word help is asked for: the selected text, or else the first word of the row (leading
// blanks skipped; ended by a blank, CR, LF, tab, '"' or any of "+-*/=(){}[],.!|$&%^;'").
// Nothing when there is no word.
std::optional<std::string> HelpWord(std::string_view selectedText, std::string_view row);

// The find text of "SelSrch": line feeds dropped, other control characters become blanks,
// leading and repeated blanks skipped, at most 60 characters.
std::string SearchTextFromSelection(std::string_view selection);

// The language help for a word, from the setting LanguageHelp (a URL or a command; "%W" is
// replaced by the word, URL-encoded in a URL). Nothing when the setting is blank.
struct LanguageHelpAction {
  bool isUrl = false;
  std::string url;                 // when isUrl
  std::vector<std::string> words;  // the command's words otherwise
};
std::optional<LanguageHelpAction> LanguageHelpFor(std::string_view setting, std::string_view word);

// Shown when LanguageHelp is blank: says how to set it.
runtime::Message LanguageHelpNotSetMessage();
// "Please select a line with text".
runtime::Message NoHelpWordMessage();
// "An unexpected error trying to reopen the file you were viewing.||Error: ..."
runtime::Message ReopenErrorMessage(const runtime::OsError& error, const std::string& fileName);
// "Did not find: " + text + "||Start from top of file?" (Yes/No, default Yes).
runtime::Message FindNotFoundQuestion(std::string_view findText);

}  // namespace trawlex::results
