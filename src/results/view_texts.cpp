#include "results/view_texts.h"

#include <algorithm>

#include "results/character_cut.h"
#include "results/command_words.h"
#include "results/file_name_parts.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::results {
namespace {

constexpr std::size_t kHeadingWidth = 60;
constexpr std::size_t kSearchTextWidth = 60;
constexpr std::string_view kHelpCaption = "Veldar Help";
constexpr std::string_view kWordPlaceholder = "%W";

std::string ShownName(const ViewParams& params) {
  const std::string& name = params.file.empty() ? params.fileAndPath : params.file;
  return SplitFullName(runtime::Clip(name)).name;
}

// " - (" + row + " of " + rows + ")": where the hit stands in its list.
std::string RowOfRows(const ViewParams& params) {
  return " - (" + std::to_string(params.resQNum) + " of " + std::to_string(params.resQRecs) + ")";
}

std::string_view Trimmed(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(what, from)) != std::string_view::npos;
       from = at + what.size()) {
    out.append(text.substr(from, at - from)).append(with);
  }
  out.append(text.substr(from));
  return out;
}

// Every byte but the unreserved characters of a URL as %XX.
std::string PercentEncoded(std::string_view word) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : word) {
    const auto u = static_cast<unsigned char>(c);
    const bool plain = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0x0F];
    }
  }
  return out;
}

bool IsUrl(std::string_view setting) {
  const std::string lower = runtime::LowerText(setting.substr(0, 8));
  return lower.starts_with("http://") || lower.starts_with("https://") ||
         lower.starts_with("file://");
}

runtime::Message Information(std::string text, std::string_view caption) {
  runtime::Message m;
  m.text = std::move(text);
  m.caption = caption;
  m.icon = runtime::Icon::Information;
  return m;
}

}  // namespace

std::string ViewTitle(const ViewParams& params) {
  return "View " + ShownName(params) + " - line " + std::to_string(params.lineNo) +
         RowOfRows(params);
}

std::string ViewHeading(const ViewParams& params) {
  const std::string location = runtime::Clip(params.location);
  if (!location.empty()) return location;
  const std::string heading =
      runtime::Clip(params.file) + " - Line " + std::to_string(params.lineNo) + RowOfRows(params);
  return CutToFit(heading, kHeadingWidth);
}

std::string PageText(const std::vector<ViewRow>& rows) {
  std::string text;
  for (std::size_t i = 0; i < rows.size() && text.size() < kPageTextLimit; ++i) {
    if (i > 0) text += "\r\n";
    text += runtime::Clip(rows[i].text);
  }
  return CutToFit(text, kPageTextLimit);
}

std::string RowCopyText(std::string_view row, bool withoutComment) {
  std::string_view text = row.substr(std::min(row.find_first_not_of(' '), row.size()));
  if (withoutComment) text = text.substr(0, text.find('!'));
  return std::string(text);
}

std::optional<std::string> HelpWord(std::string_view selectedText, std::string_view row) {
  const std::string_view selected = Trimmed(selectedText, " \t\r\n");
  if (!selected.empty()) return std::string(selected);
  static constexpr std::string_view kEnds = " \r\n\t\"+-*/=(){}[],.!|$&%^;'";
  const std::string_view rest = row.substr(std::min(row.find_first_not_of(' '), row.size()));
  const std::string_view word = rest.substr(0, rest.find_first_of(kEnds));
  if (word.empty()) return std::nullopt;
  return std::string(word);
}

std::string SearchTextFromSelection(std::string_view selection) {
  std::string text;
  for (const char c : selection) {
    if (c == '\n') continue;
    const char shown = static_cast<unsigned char>(c) < 32 ? ' ' : c;
    // Leading blanks and every blank after another are skipped.
    if (shown == ' ' && (text.empty() || text.back() == ' ')) continue;
    text += shown;
    if (text.size() >= kSearchTextWidth) break;
  }
  return CutToFit(text, kSearchTextWidth);
}

std::optional<LanguageHelpAction> LanguageHelpFor(std::string_view setting, std::string_view word) {
  const std::string_view trimmed = Trimmed(setting, " \t\r\n");
  if (trimmed.empty()) return std::nullopt;
  LanguageHelpAction action;
  if (IsUrl(trimmed)) {
    action.isUrl = true;
    action.url = ReplaceAll(trimmed, kWordPlaceholder, PercentEncoded(word));
    return action;
  }
  // A command is never given to a shell: the word goes into its words as it is.
  auto words = SplitCommandWords(trimmed);
  if (!words || words->empty()) return std::nullopt;
  for (std::string& w : *words) w = ReplaceAll(w, kWordPlaceholder, word);
  action.words = std::move(*words);
  return action;
}

runtime::Message LanguageHelpNotSetMessage() {
  return Information(
      "No help for Veldar words is set up.||Set LanguageHelp in section Options of Search.DAT "
      "to a web address or a command; %W stands for the word, for example:|"
      "LanguageHelp=https://docs.example.com/veldar/search?q=%W",
      kHelpCaption);
}

runtime::Message NoHelpWordMessage() {
  return Information("Please select a line with text", kHelpCaption);
}

runtime::Message ReopenErrorMessage(const runtime::OsError& error, const std::string& fileName) {
  runtime::Message m;
  m.text = "An unexpected error trying to reopen the file you were viewing.||Error: " + error.text +
           "|File: " + fileName;
  m.caption = "Search";
  m.icon = runtime::Icon::Warning;
  return m;
}

runtime::Message FindNotFoundQuestion(std::string_view findText) {
  runtime::Message m;
  m.text = "Did not find: " + runtime::Clip(findText) + "||Start from top of file?";
  m.caption = "FIND";
  m.icon = runtime::Icon::Question;
  m.standard = runtime::Buttons::YesNo;
  m.defaultButton = runtime::kAnswerYes;
  return m;
}

}  // namespace trawlex::results
