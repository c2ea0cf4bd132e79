#pragma once
// Popup menus are described by one text: items separated by '|', "-" a separator,
// "Name{...}" a submenu, a leading '~' a disabled item, and a tab between an item's caption
// and its shortcut text ("View File\tDbl-Click"). The caller gets back the number of the
// chosen item: items are numbered 1, 2, ... in the order they stand in the text, submenu
// items included; separators and submenu headings take no number. A disabled item keeps
// its number, so the numbers of the items after it do not depend on what is disabled.

#include <string>
#include <string_view>
#include <vector>

namespace trawlex::runtime {

struct MenuItem {
  enum class Kind { Item, Separator, Submenu };
  Kind kind = Kind::Item;
  std::string caption;   // without the leading '~' and without the shortcut text
  std::string shortcut;  // what follows the first tab, blank when there is none
  bool enabled = true;
  int number = 0;                  // the choice this item returns; 0 for separators and submenus
  std::vector<MenuItem> children;  // the items of a submenu
};

// Deeper submenus than this are not opened: their braces stay part of the caption.
inline constexpr int kMaxMenuDepth = 16;

// The items of a menu text. An empty text (or an empty "{}") holds no items; otherwise every
// '|'-separated piece is an item, an empty one included. An unmatched '{' runs to the end of
// the text, an unmatched '}' is an ordinary character, and text between a submenu's '}' and
// the next '|' is ignored.
std::vector<MenuItem> ParseMenuText(std::string_view text);

// The number of choices the menu offers (the highest item number).
int MenuChoiceCount(const std::vector<MenuItem>& items);

// The item with the given number, or nullptr.
const MenuItem* FindMenuChoice(const std::vector<MenuItem>& items, int number);

}  // namespace trawlex::runtime
