#include "utilities/control_attributes.h"

#include <algorithm>
#include <utility>

namespace trawlex::utilities {
namespace {

// Sets of types that many attributes share, to keep the table readable.
constexpr const char* kWindows = "WINDOW,APPLICATION";
constexpr const char* kEditors = "COMBO,COMBO-DROP,ENTRY,SPIN,TEXT";
constexpr const char* kLists = "LIST,LIST-DROP,COMBO,COMBO-DROP";
constexpr const char* kBands = "DETAIL,BREAK";
constexpr const char* kAllButMenus = "~MENUBAR,MENU,ITEM";
constexpr const char* kTexts =
    "BUTTON,CHECK,COMBO,COMBO-DROP,ENTRY,LIST,LIST-DROP,OPTION,PROMPT,RADIO,SPIN,STRING,"
    "STRING-REP,TEXT,GROUP,TAB,SHEET";

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (std::string_view part : parts) {
    if (!joined.empty()) joined += ',';
    joined += part;
  }
  return joined;
}

int CountOf(std::string_view ctrls) {
  const bool except = !ctrls.empty() && ctrls.front() == '~';
  const int named = ctrls.size() > (except ? 1u : 0u)
                        ? static_cast<int>(std::count(ctrls.begin(), ctrls.end(), ',')) + 1
                        : 0;
  return except ? static_cast<int>(ControlTypes().size()) - named : named;
}

std::vector<AttributeRow> BuildTable() {
  const std::vector<std::pair<const char*, std::string>> rows = {
      {"ABOVE", "SHEET,SLIDER"},
      {"ABSOLUTE", "DETAIL,BREAK,REPORT"},
      {"ALONE", kBands},
      {"ALRT", "BUTTON,CHECK,COMBO,ENTRY,GROUP,LIST,OLE,OPTION,RADIO,SPIN,TEXT,WINDOW,APPLICATION"},
      {"ALWAYSDROP", "COMBO-DROP,LIST-DROP"},
      {"ANGLE", "STRING,STRING-REP"},
      {"AT", "~MENUBAR,TAB,BREAK"},
      {"AUTO", kWindows},
      {"AUTOSIZE", "OLE"},
      {"AVE", "STRING-REP"},
      {"ACTIVE", "ITEM"},
      {"BELOW", "SHEET,SLIDER"},
      {"BEVEL", "PANEL,LIST,LIST-DROP,OPTION,GROUP"},
      {"BOTH", "SLIDER"},
      {"BOXED", "GROUP,OPTION"},
      {"BUTTONFEQ", "COMBO-DROP,LIST-DROP"},
      {"BREAKVAR", "BREAK"},
      {"CAP", Join({kEditors, "STRING"})},
      {"CENTER", Join({kTexts, "IMAGE"})},
      {"CENTERED", "IMAGE,WINDOW,APPLICATION"},
      {"CHECK", "ITEM"},
      {"CLIP", "OLE"},
      {"CNT", "STRING-REP"},
      {"COLOR", kAllButMenus},
      {"COLUMN", "LIST,LIST-DROP,COMBO,COMBO-DROP"},
      {"COMPATIBILITY", "OLE"},
      {"CREATE", "OLE"},
      {"CURSOR", "~MENUBAR,MENU,ITEM,REPORT,DETAIL,BREAK"},
      {"CHOICEFEQ", "SHEET"},
      {"DECIMAL", Join({kEditors, "STRING,STRING-REP"})},
      {"DEFAULT", "BUTTON"},
      {"DELAY", "BUTTON,SPIN"},
      {"DISABLE", "~WINDOW,APPLICATION,REPORT,DETAIL,BREAK"},
      {"DOCK", "TOOLBAR"},
      {"DOCKED", "TOOLBAR"},
      {"DOCUMENT", "OLE"},
      {"DOUBLE", "WINDOW,APPLICATION,PANEL"},
      {"DOWN", "SHEET,SLIDER,SPIN"},
      {"DRAGID", "LIST,REGION"},
      {"DROP", "COMBO-DROP,LIST-DROP"},
      {"DROPID", "LIST,LIST-DROP,ENTRY,REGION,IMAGE,OLE,WINDOW,APPLICATION"},
      {"DROPWIDTH", "COMBO-DROP,LIST-DROP"},
      {"EXTEND", "STRING-REP,TEXT"},
      {"FILL", "BOX,ELLIPSE,REGION,PANEL"},
      {"FIRST", "ITEM"},
      {"FLAT", "BUTTON,CHECK,RADIO"},
      {"FONT", kAllButMenus},
      {"FORMAT", kLists},
      {"FROM", "COMBO,LIST,SPIN"},
      {"FULL", "SHEET,BUTTON"},
      {"GRAY", "WINDOW,APPLICATION,REPORT,PANEL"},
      {"GRID", "LIST,LIST-DROP,COMBO,COMBO-DROP"},
      {"HIDE", "~WINDOW,APPLICATION,REPORT,MENUBAR"},
      {"HLP", "~MENUBAR,REPORT,DETAIL,BREAK,STRING-REP,LINE,BOX,ELLIPSE"},
      {"HSCROLL", "LIST,LIST-DROP,COMBO,COMBO-DROP,TEXT,SHEET,WINDOW,APPLICATION"},
      {"HSCROLLPOS", "LIST,LIST-DROP,TEXT"},
      {"HVSCROLL", "LIST,LIST-DROP,COMBO,COMBO-DROP,TEXT,WINDOW,APPLICATION"},
      {"ICON", "BUTTON,CHECK,RADIO,ITEM,TAB,WINDOW,APPLICATION"},
      {"ICONIZE", kWindows},
      {"IMM", "BUTTON,CHECK,COMBO,COMBO-DROP,ENTRY,LIST,LIST-DROP,RADIO,SPIN,SHEET,WINDOW"},
      {"INS", kEditors},
      {"JOIN", "SHEET"},
      {"KEY", "BUTTON,CHECK,RADIO,ITEM,PROMPT,TAB"},
      {"LANDSCAPE", "REPORT"},
      {"LAST", "ITEM"},
      {"LAYOUT", kAllButMenus},
      {"LEFT", Join({kTexts, "IMAGE,SHEET,TOOLBAR"})},
      {"LINEWIDTH", "LINE,BOX,ELLIPSE,PANEL"},
      {"LINK", "OLE"},
      {"LISTFEQ", "COMBO-DROP,LIST-DROP"},
      {"MARK", "LIST,LIST-DROP"},
      {"MASK", Join({kWindows, "ENTRY,SPIN,COMBO,COMBO-DROP"})},
      {"MAX", Join({kWindows, "STRING-REP"})},
      {"MAXIMIZE", kWindows},
      {"MDI", "WINDOW"},
      {"MIN", "STRING-REP"},
      {"MM", "REPORT"},
      {"MODAL", "WINDOW"},
      {"MSG", "~REPORT,DETAIL,BREAK,STRING-REP,MENUBAR,LINE,BOX,ELLIPSE,IMAGE"},
      {"MAXHEIGHT", kWindows},
      {"MAXWIDTH", kWindows},
      {"MINHEIGHT", kWindows},
      {"MINWIDTH", kWindows},
      {"NOBAR", "LIST,LIST-DROP"},
      {"NOCASE", "SHEET"},
      {"NOFRAME", "WINDOW"},
      {"NOMERGE", "MENUBAR,TOOLBAR,WINDOW,APPLICATION"},
      {"NOSHEET", "SHEET"},
      {"OPEN", "OLE"},
      {"OVR", kEditors},
      {"PAGE", "STRING-REP"},
      {"PAGEAFTER", "DETAIL,BREAK"},
      {"PAGEBEFORE", "DETAIL,BREAK"},
      {"PAGENO", "STRING-REP"},
      {"PALETTE", "WINDOW,APPLICATION,IMAGE"},
      {"PAPER", "REPORT"},
      {"PASSWORD", "ENTRY"},
      {"POINTS", "REPORT"},
      {"PREVIEW", "REPORT"},
      {"RANGE", "SPIN,SLIDER,PROGRESS"},
      {"READONLY", Join({kEditors, "LIST,LIST-DROP"})},
      {"REPEAT", "BUTTON"},
      {"REQ", "BUTTON,COMBO,COMBO-DROP,ENTRY,SPIN,TEXT"},
      {"RESET", "STRING-REP"},
      {"RESIZE", "WINDOW,APPLICATION,IMAGE"},
      {"RIGHT", Join({kTexts, "IMAGE,SHEET,TOOLBAR"})},
      {"ROUND", "BOX"},
      {"RTF", "TEXT"},
      {"RANGEHIGH", "PROGRESS"},
      {"RANGELOW", "PROGRESS"},
      {"SCROLL", "~WINDOW,APPLICATION,REPORT,MENUBAR,MENU,ITEM,TOOLBAR,DETAIL,BREAK"},
      {"SEPARATOR", "ITEM"},
      {"SINGLE", "TEXT,TAB"},
      {"SKIP", "BUTTON,CHECK,COMBO,COMBO-DROP,ENTRY,LIST,LIST-DROP,RADIO,SPIN,TEXT"},
      {"SMOOTH", "PROGRESS"},
      {"SPREAD", "SHEET"},
      {"STATUS", kWindows},
      {"STD", "BUTTON,ITEM"},
      {"STEP", "SPIN,SLIDER"},
      {"STRETCH", "OLE"},
      {"SUM", "STRING-REP"},
      {"SYSTEM", kWindows},
      {"SLIDERPOS", "SLIDER"},
      {"TALLY", "STRING-REP"},
      {"THOUS", "REPORT"},
      {"TILED", "IMAGE,WINDOW,APPLICATION"},
      {"TIMER", kWindows},
      {"TIP", "~WINDOW,APPLICATION,REPORT,MENUBAR,MENU,ITEM,DETAIL,BREAK,STRING-REP,LINE"},
      {"TOGETHER", "DETAIL,BREAK"},
      {"TOOLBOX", "WINDOW"},
      {"TRN", "CHECK,OPTION,GROUP,PROMPT,RADIO,STRING,STRING-REP,TEXT"},
      {"UP", "SHEET,SLIDER,SPIN"},
      {"UPR", kEditors},
      {"USE", "~WINDOW,APPLICATION,REPORT"},
      {"VALUE", "CHECK,RADIO"},
      {"VCR", "LIST,LIST-DROP"},
      {"VERTICAL", "PROGRESS,SLIDER"},
      {"VSCROLL", "LIST,LIST-DROP,COMBO,COMBO-DROP,TEXT,WINDOW,APPLICATION"},
      {"VSCROLLPOS", "LIST,LIST-DROP,TEXT"},
      {"WALLPAPER", kWindows},
      {"WITHNEXT", "DETAIL,BREAK"},
      {"WITHPRIOR", "DETAIL,BREAK"},
      {"WIZARD", "SHEET"},
      {"ZOOM", "OLE"},
      {"TEXT", kTexts},
      {"TEXT-FILE", "IMAGE"},
      {"TEXT-PIC", "COMBO,ENTRY,SPIN"},
  };
  std::vector<AttributeRow> table;
  table.reserve(rows.size());
  for (const auto& [attr, ctrls] : rows) {
    table.push_back({.attr = attr, .cnt = CountOf(ctrls), .ctrls = ctrls});
  }
  return table;
}

}  // namespace

const std::vector<std::string>& ControlTypes() {
  static const std::vector<std::string> types = {
      "APPLICATION", "WINDOW",   "REPORT",     "MENUBAR", "MENU",       "ITEM",    "TOOLBAR",
      "BOX",         "BUTTON",   "CHECK",      "COMBO",   "COMBO-DROP", "ELLIPSE", "ENTRY",
      "GROUP",       "IMAGE",    "LINE",       "LIST",    "LIST-DROP",  "OLE",     "OPTION",
      "PANEL",       "PROGRESS", "PROMPT",     "RADIO",   "REGION",     "SHEET",   "SLIDER",
      "SPIN",        "STRING",   "STRING-REP", "TAB",     "TEXT",       "DETAIL",  "BREAK"};
  return types;
}

bool IsControlKeyword(std::string_view keyword) {
  if (keyword == "HEADER" || keyword == "FOOTER" || keyword == "FORM") return true;
  if (keyword.find('-') != std::string_view::npos) return false;
  const auto& types = ControlTypes();
  return std::find(types.begin(), types.end(), keyword) != types.end();
}

bool OpensLevel(std::string_view keyword) {
  for (const char* opener :
       {"APPLICATION", "WINDOW", "REPORT", "MENUBAR", "MENU", "TOOLBAR", "SHEET", "TAB", "OPTION",
        "GROUP", "OLE", "HEADER", "DETAIL", "FOOTER", "BREAK", "FORM"}) {
    if (keyword == opener) return true;
  }
  return false;
}

const std::vector<AttributeRow>& AttributeTable() {
  static const std::vector<AttributeRow> table = BuildTable();
  return table;
}

}  // namespace trawlex::utilities
