#pragma once
// The snippets of the window-structure analyser: statement templates read from the snippet
// file "FeqUseLoad.vlw" (grammar in docs/feq-use-snippets.md), the per-control pop-up menu
// built from them, and the filling of a chosen template for a control.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/fixed_text.h"
#include "utilities/window_structure.h"

namespace trawlex::utilities {

inline constexpr const char* kSnippetFileName = "FeqUseLoad.vlw";
inline constexpr const char* kSnippetFileMissing = "FeqUseLoad.vlw file does not exist";

// A pop-up group (FUCATQ).
struct SnippetCategory {
  int codeCat = 0;
  std::string name;
};

// "Common", "State", "Position", "Appearance", "Data Entry", "Control", "Code Snips", "Extra",
// numbered 1 to 8.
const std::vector<SnippetCategory>& SnippetCategories();

// One snippet (FUPOPQ).
struct SnippetRow {
  int seq = 0;
  int codeCat = 1;
  runtime::FixedText<31> menuTxt;
  runtime::FixedText<500> genCode;
  runtime::FixedText<64> comments;
  runtime::FixedText<200> controls;  // blank: every type; "~A,B": all types but A and B
};

// A property name declared by a "NAME EQUATE(...)" line.
struct PropertyName {
  std::string name;
  std::string value;
};

struct SnippetLoad {
  std::vector<SnippetRow> snippets;
  std::vector<PropertyName> properties;
  std::vector<WindowProblem> problems;  // texts such as "No End Code »|" + the line
};

// Parses the file's bytes: Windows-1252 (« 171, » 187) or, when valid UTF-8, UTF-8. Texts
// come out as UTF-8.
SnippetLoad ParseSnippets(std::string_view bytes);

// Reads and parses the file; nullopt when it does not exist or cannot be read.
std::optional<SnippetLoad> LoadSnippetFile(const std::filesystem::path& file);

// Whether a snippet's control list takes the control type. A name also covers the variants
// of its type ("LIST" covers "LIST-DROP", "STRING" covers "STRING-REP"). Case is ignored.
bool SnippetAccepts(std::string_view controls, std::string_view type);

// What an item of a control's pop-up does.
enum class PopupKind { Feq = 1, Use, Text, CodeLine, Snippet };

// One item of a control's pop-up (CTRLPOPQ).
struct ControlPopupItem {
  PopupKind cpType = PopupKind::Feq;
  int popSeq = 0;  // the item's number in the menu text
  runtime::FixedText<31> menuTxt;
  int fupopqPtr = -1;  // the snippet's index, -1 for the field items
};

struct ControlPopup {
  std::string menuText;  // in the Desktop menu syntax
  std::vector<ControlPopupItem> items;
};

// "FEQ", "USE", "Text", "Code Line", a separator, then a submenu per category holding the
// snippets that accept `type` (categories without any are left out).
ControlPopup BuildControlPopup(const std::vector<SnippetRow>& snippets, std::string_view type);

// The template filled for rows[row]: "%codeline%" alone is the declaration line; %? FEQ, %U
// USE variable, %Q the FROM( queue, %PF / %PU FEQ / USE of the enclosing row ("ParentFEQ",
// "ParentUSE" when there is none or it is blank), ";;" a CR LF. Trailing blanks go from every
// line; unless `noComment`, "     !" and the comment follow.
std::string FillSnippet(const SnippetRow& snippet, const std::vector<WinqRow>& rows,
                        std::size_t row, bool noComment);

// What the choice of the pop-up puts on the clipboard; nullopt for no choice.
std::optional<std::string> PopupChoiceText(const ControlPopup& popup, int choice,
                                           const std::vector<SnippetRow>& snippets,
                                           const std::vector<WinqRow>& rows, std::size_t row,
                                           bool noComment);

}  // namespace trawlex::utilities
