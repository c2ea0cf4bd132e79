#pragma once
// The viewer's "Find Text" window: a find text with the shared history as its drop list, the
// six switches with their exclusions and the regular-expression assistant, "Find &Next",
// "Find &Prev" and "Cancel". Keeps its place in Trawlex.INI under "FindInView".

#include <filesystem>

#include "results/find_text.h"

class QWidget;

namespace trawlex::runtime {
class Desktop;
}

namespace trawlex::ui {

// Edits `find` and, on "Find &Next" or "Find &Prev", checks and prepares it (a blank text or
// a pattern the checker refuses keeps the window open), records the text in the history and
// sets its direction; true then. On "Cancel" the find is cleared (findLen 0) and false comes
// back.
bool RunFindTextWindow(QWidget* parent, runtime::Desktop& desktop,
                       const std::filesystem::path& trawlexIni, results::FindRecord& find);

}  // namespace trawlex::ui
