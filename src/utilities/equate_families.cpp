#include "utilities/equate_families.h"

namespace trawlex::utilities {

const std::vector<EquateFamily>& EquateFamilies() {
  static const std::vector<EquateFamily> families = {
      {"CHARSET:",
       {"CHARSET:ANSI", "CHARSET:DEFAULT", "CHARSET:SYMBOL", "CHARSET:OEM", "CHARSET:GREEK",
        "CHARSET:TURKISH", "CHARSET:HEBREW", "CHARSET:ARABIC", "CHARSET:BALTIC", "CHARSET:CYRILLIC",
        "CHARSET:EASTEUROPE"}},
      {"COLOR: Colors",
       {"COLOR:Black", "COLOR:Maroon", "COLOR:Green", "COLOR:Olive", "COLOR:Navy", "COLOR:Purple",
        "COLOR:Teal", "COLOR:Gray", "COLOR:Silver", "COLOR:Red", "COLOR:Lime", "COLOR:Yellow",
        "COLOR:Blue", "COLOR:Fuchsia", "COLOR:Aqua", "COLOR:White", "COLOR:None"}},
      {"COLOR: Standard",
       {"COLOR:SCROLLBAR", "COLOR:BACKGROUND", "COLOR:ACTIVECAPTION", "COLOR:INACTIVECAPTION",
        "COLOR:MENU", "COLOR:WINDOW", "COLOR:WINDOWFRAME", "COLOR:MENUTEXT", "COLOR:WINDOWTEXT",
        "COLOR:CAPTIONTEXT", "COLOR:BTNFACE", "COLOR:BTNSHADOW", "COLOR:GRAYTEXT", "COLOR:BTNTEXT",
        "COLOR:HIGHLIGHT", "COLOR:HIGHLIGHTTEXT"}},
      {"CREATE:",
       {"CREATE:box",    "CREATE:button", "CREATE:check",    "CREATE:combo",  "CREATE:ellipse",
        "CREATE:entry",  "CREATE:group",  "CREATE:image",    "CREATE:line",   "CREATE:list",
        "CREATE:option", "CREATE:panel",  "CREATE:progress", "CREATE:prompt", "CREATE:radio",
        "CREATE:region", "CREATE:sheet",  "CREATE:spin",     "CREATE:string", "CREATE:tab",
        "CREATE:text"}},
      {"CURSOR:",
       {"CURSOR:None", "CURSOR:Arrow", "CURSOR:IBeam", "CURSOR:Wait", "CURSOR:Cross",
        "CURSOR:UpArrow", "CURSOR:Size", "CURSOR:SizeNWSE", "CURSOR:SizeNESW", "CURSOR:SizeWE",
        "CURSOR:SizeNS", "CURSOR:Hand"}},
      {"DOCK:", {"DOCK:Left", "DOCK:Top", "DOCK:Right", "DOCK:Bottom", "DOCK:Float", "DOCK:All"}},
      {"FONT:",
       {"FONT:thin", "FONT:regular", "FONT:bold", "FONT:weight", "FONT:italic", "FONT:underline",
        "FONT:strikeout"}},
      {"GradientTypes:",
       {"GradientTypes:None", "GradientTypes:Horizontal", "GradientTypes:Vertical",
        "GradientTypes:Diagonal"}},
      {"ICON:",
       {"ICON:None", "ICON:Application", "ICON:Hand", "ICON:Question", "ICON:Exclamation",
        "ICON:Asterisk", "ICON:Pick", "ICON:Save", "ICON:Print", "ICON:Paste", "ICON:Open",
        "ICON:New", "ICON:Help", "ICON:Cut", "ICON:Copy", "ICON:Zoom", "ICON:Tick", "ICON:Cross",
        "ICON:Ellipsis"}},
      {"LISTZONE:",
       {"LISTZONE:field", "LISTZONE:header", "LISTZONE:expandbox", "LISTZONE:tree", "LISTZONE:icon",
        "LISTZONE:right", "LISTZONE:nowhere"}},
      {"MDITabLocation:",
       {"MDITabLocation:Top", "MDITabLocation:Bottom", "MDITabLocation:Left",
        "MDITabLocation:Right"}},
      {"STD:",
       {"STD:WindowList", "STD:TileWindow", "STD:CascadeWindow", "STD:ArrangeIcons",
        "STD:TileHorizontal", "STD:TileVertical", "STD:Help", "STD:HelpIndex", "STD:HelpSearch",
        "STD:HelpOnHelp", "STD:Cut", "STD:Copy", "STD:Paste", "STD:Clear", "STD:Undo", "STD:Close",
        "STD:PrintSetup"}},
      {"TabStyle:",
       {"TabStyle:Default", "TabStyle:BlackAndWhite", "TabStyle:Colored", "TabStyle:Squared",
        "TabStyle:Boxed"}},
  };
  return families;
}

std::string EquatesMenuText() {
  std::string menu = "~idea, not done|-";
  for (const EquateFamily& family : EquateFamilies()) {
    menu += std::string("|") + family.caption + "{";
    for (std::size_t i = 0; i < family.members.size(); ++i) {
      menu += (i > 0 ? "|" : "") + std::string(family.members[i]);
    }
    menu += "}";
  }
  return menu;
}

std::optional<std::string> EquateForChoice(int choice) {
  int number = 1;  // the disabled first item keeps number 1
  for (const EquateFamily& family : EquateFamilies()) {
    for (const char* member : family.members) {
      if (++number == choice) return member;
    }
  }
  return std::nullopt;
}

}  // namespace trawlex::utilities
