#pragma once
// The Delete menu's criteria: for each choice, which results lines share the property of
// the selected line that the choice names.

#include <functional>
#include <string_view>

#include "engine/result_line.h"
#include "results/delete_menu.h"
#include "results/find_and_delete.h"

namespace trawlex::results {

// Whether a results line is one a deletion selects.
using LineTest = std::function<bool(const engine::ResultLine&)>;

// A file's extension as the menu judges lines by it: up to three characters after the first
// dot within the name's last five characters; empty when those hold no dot.
std::string_view LineExtension(std::string_view file);

// A line whose text (leading blanks removed) starts with a comment mark of its file's kind.
bool IsCommentLine(const engine::ResultLine& line);

// A line whose text starts in column 1 with a printable character: a label.
bool IsLabelLine(const engine::ResultLine& line);

// A file of the generated report modules ("_rd.vlw", "_ru.vlw", "_sf.vlw", "bc0.vlw" to
// "bc2.vlw").
bool IsRiFile(std::string_view file);

// The criterion of a Delete-menu choice, holding its own copy of what it compares with (the
// queue may move the selected line). Empty for the choices that are no criterion: None,
// Title and Selected Line. `findAndDelete` is used by the Find and Delete choice and must
// be prepared.
LineTest DeleteCriterion(DeleteChoice choice, const engine::ResultLine& selected,
                         const FindAndDeleteRecord& findAndDelete);

}  // namespace trawlex::results
