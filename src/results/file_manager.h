#pragma once
// The "Explore" actions: a file shown selected in the desktop's file manager, or a directory
// opened in it. Each keeps the command the Windows version ran as its name, for traces and
// tests; on Linux they all come down to the desktop's file manager.

#include <string>
#include <string_view>

#include "runtime/desktop.h"

namespace trawlex::results {

enum class ExploreAction {
  TwoPane,    // results popup "Explore 2 Pane": the file selected
  OnePane,    // results popup "Explore 1 Pane": the file selected
  Folder,     // file popup "Explore Folder": the file selected
  Directory,  // double-click in the Path list: the directory itself
};

inline constexpr std::string_view kExploreTwoPane = "EXPLORER.EXE /n,/e,/select,";
inline constexpr std::string_view kExploreOnePane = "EXPLORER.EXE /n,/select,";
inline constexpr std::string_view kExploreFolder = "explorer.exe /n,/e,/select,";
inline constexpr std::string_view kExploreDirectory = "EXPLORER.EXE /n,/e,";

std::string_view ExploreCommandName(ExploreAction action);

// Shows `path` (a file, or for ExploreAction::Directory a directory) in the file manager.
// When no file manager starts the user is told so. True when one started.
bool Explore(runtime::Desktop& desktop, ExploreAction action, const std::string& path);

}  // namespace trawlex::results
