#pragma once
// The "Find Text and Delete Results Lines" window: the find text with its history and
// switches, the parts of a results line to search, whether the lines that contain the text
// or those that do not are deleted, and the selected line itself, from which a find text
// can be pasted. Keeps its place in Trawlex.INI under "FindAndDelete".

#include <filesystem>
#include <string>

#include "results/find_and_delete.h"

class QWidget;

namespace trawlex::runtime {
class Desktop;
}

namespace trawlex::ui {

// The selected results line the window shows.
struct FindAndDeleteSource {
  std::string text;
  std::string location;
  std::string subdir;
  std::string file;
};

// Edits `record` and, on "&OK" (or "Paste Find + O&K" with a selection), checks and
// prepares its find (a blank text, no part to search or a pattern the checker refuses keeps
// the window open) and records the text in the history; true then. On "Cancel" the find is
// cleared (findLen 0) and false comes back. The "Test" box shows only when `offerTest`;
// without it no deletion is a test.
bool RunFindAndDeleteWindow(QWidget* parent, runtime::Desktop& desktop,
                            const std::filesystem::path& trawlexIni, bool offerTest,
                            const FindAndDeleteSource& line, results::FindAndDeleteRecord& record);

}  // namespace trawlex::ui
