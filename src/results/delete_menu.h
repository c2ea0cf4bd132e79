#pragma once
// The Delete menus of the results window: the values the results list's menu derives from
// the selected line, its menu text and choices, and the Files list's delete menu.
//
// Every value put into a caption is shown with the characters that have a meaning in menu
// text ('|', '{', '}', '<') and control characters turned into blanks, so a file, directory
// or location with such a character in its name cannot split or renumber the menu.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/file_set.h"
#include "engine/result_line.h"

namespace trawlex::results {

// What the Delete menu derives from the selected line when it opens.
struct DeleteMenuValues {
  std::string file;              // RQ:FILE
  std::string filePattern;       // "orders.*": the name up to its first dot, then "*"
  std::string extensionPattern;  // "*.vlw"; "*.$$$" when the name has no dot
  std::string appPrefix;         // "order": blank when the name is no Veldar module
  std::string subdir;            // RQ:SUBDIR
  std::string location;          // RQ:LOCATION without trailing blanks
  std::string locationLeft;      // the location's first word and the blank after it
  std::string locationRest;      // what follows that blank, without blanks around it
  std::string textCaption;       // the first 15 characters of RQ:TEXT, shown safely
};

DeleteMenuValues DeriveDeleteMenuValues(const engine::ResultLine& selected);

// The application prefix of a file name: the modules a code generator produced for one
// application share it. The name's first five characters up to a dot, without trailing
// digits and underscores ("ord" for "ord12.vlw"). Blank unless the name holds ".vl" or, with
// `orDotIn` (results lines; the Files list leaves it out), ".in".
std::string ApplicationPrefix(std::string_view name, bool orDotIn);

// The first 15 characters of a line's text as a caption: menu-text characters and control
// characters become blanks, trailing blanks go.
std::string TextCaption(std::string_view text);

// The Delete menu's choices: the numbers the menu text returns. Disabled items keep theirs.
enum class DeleteChoice {
  None = 0,
  Title = 1,
  SelectedLine = 2,
  CommentLines = 3,
  LabelLines = 4,
  FileExt = 5,
  FileStar = 6,
  StarExt = 7,
  AppFiles = 8,
  RiFiles = 9,
  Subdirectory = 10,
  LocationEquals = 11,
  LocationLeft = 12,
  LocationContains = 13,
  TextEquals = 14,
  TextContains = 15,
  FindAndDelete = 16,
};

// A number the menu returned as a choice; None for 0 and anything out of range.
DeleteChoice DeleteChoiceFromMenu(int number);

// Whether the menu offers the choice for these values (the Subdirectory item needs more than
// one directory in the ScanDirQueue).
bool DeleteChoiceEnabled(DeleteChoice choice, const DeleteMenuValues& values,
                         std::size_t directoryCount);

// The Delete menu in menu-text syntax.
std::string DeleteMenuText(const DeleteMenuValues& values, std::size_t directoryCount);

// ---- The Files list ----

enum class FilesDeleteChoice {
  None = 0,
  Title = 1,
  FoundCountZero = 2,
  Marked = 3,
  Unmarked = 4,
  Subdirectory = 5,
  AppFiles = 6,  // offered only when the selected file has an application prefix
};

FilesDeleteChoice FilesDeleteChoiceFromMenu(int number, const engine::FileEntry& selected);

// The Files list's Delete menu for the selected entry.
std::string FilesDeleteMenuText(const engine::FileEntry& selected);

}  // namespace trawlex::results
