#include "runtime/menu_text.h"

namespace trawlex::runtime {
namespace {

// Reads a caption piece: a leading '~' disables it, a tab starts the shortcut text.
MenuItem CaptionItem(std::string_view piece, MenuItem::Kind kind) {
  MenuItem item;
  item.kind = kind;
  if (!piece.empty() && piece.front() == '~') {
    item.enabled = false;
    piece.remove_prefix(1);
  }
  const size_t tab = piece.find('\t');
  item.caption = std::string(piece.substr(0, tab));
  if (tab != std::string_view::npos) item.shortcut = std::string(piece.substr(tab + 1));
  return item;
}

bool IsSeparator(std::string_view piece) {
  const size_t first = piece.find_first_not_of(' ');
  const size_t last = piece.find_last_not_of(' ');
  return first != std::string_view::npos && first == last && piece[first] == '-';
}

// Walks the text once; open submenus are kept on an explicit stack of item lists.
class MenuParser {
 public:
  std::vector<MenuItem> Parse(std::string_view text) {
    levels_.push_back({&items_});
    for (const char c : text) Take(c);
    while (levels_.size() > 1) CloseSubmenu();  // an unmatched '{' runs to the end
    FinishLevel();
    return std::move(items_);
  }

 private:
  struct Level {
    std::vector<MenuItem>* items;
    bool hasText = false;  // an empty level ("" or "{}") holds no items at all
  };

  void Take(char c) {
    if (c == '|') {
      levels_.back().hasText = true;
      EndPiece();
    } else if (c == '{' && literalBraces_ == 0 && levels_.size() <= kMaxMenuDepth) {
      OpenSubmenu();
    } else if (c == '}' && literalBraces_ == 0 && levels_.size() > 1) {
      CloseSubmenu();
    } else {
      if (c == '{') ++literalBraces_;
      if (c == '}' && literalBraces_ > 0) --literalBraces_;
      levels_.back().hasText = true;
      if (!afterSubmenu_) piece_ += c;
    }
  }

  void EndPiece() {
    if (!afterSubmenu_) Append(IsSeparator(piece_) ? Separator() : ChoiceItem());
    piece_.clear();
    afterSubmenu_ = false;
  }

  void FinishLevel() {
    if (levels_.back().hasText) EndPiece();
    piece_.clear();
    afterSubmenu_ = false;
  }

  void OpenSubmenu() {
    levels_.back().hasText = true;
    Append(CaptionItem(piece_, MenuItem::Kind::Submenu));
    levels_.push_back({&levels_.back().items->back().children});
    piece_.clear();
    afterSubmenu_ = false;
  }

  void CloseSubmenu() {
    FinishLevel();
    levels_.pop_back();
    afterSubmenu_ = true;  // the rest of the heading's piece is ignored
  }

  static MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItem::Kind::Separator;
    return item;
  }

  MenuItem ChoiceItem() {
    MenuItem item = CaptionItem(piece_, MenuItem::Kind::Item);
    item.number = ++choices_;
    return item;
  }

  void Append(MenuItem item) { levels_.back().items->push_back(std::move(item)); }

  std::vector<MenuItem> items_;
  std::vector<Level> levels_;
  std::string piece_;
  bool afterSubmenu_ = false;
  int literalBraces_ = 0;  // braces beyond the depth limit, kept as text in pairs
  int choices_ = 0;
};

}  // namespace

std::vector<MenuItem> ParseMenuText(std::string_view text) {
  return MenuParser().Parse(text);
}

int MenuChoiceCount(const std::vector<MenuItem>& items) {
  int count = 0;
  for (const MenuItem& item : items) {
    if (item.kind == MenuItem::Kind::Item) ++count;
    if (item.kind == MenuItem::Kind::Submenu) count += MenuChoiceCount(item.children);
  }
  return count;
}

const MenuItem* FindMenuChoice(const std::vector<MenuItem>& items, int number) {
  if (number < 1) return nullptr;
  for (const MenuItem& item : items) {
    if (item.kind == MenuItem::Kind::Item && item.number == number) return &item;
    if (item.kind == MenuItem::Kind::Submenu) {
      if (const MenuItem* found = FindMenuChoice(item.children, number)) return found;
    }
  }
  return nullptr;
}

}  // namespace trawlex::runtime
