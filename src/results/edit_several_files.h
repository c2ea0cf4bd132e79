#pragma once
// Opening several files in the editor at once: every file of the results ("Edit All Files"),
// and files chosen beside a hit's file ("Edit Related File").

#include <string>
#include <string_view>

#include "engine/result_line.h"
#include "runtime/desktop.h"

namespace trawlex::results {

// Starts the editor once for every run of consecutive lines of one file, at the run's first
// line: a file whose lines are interrupted by another file's gets a second start. Stops at
// the first editor that does not start, whose message the user has seen: the same command
// would fail for every other file too. Gives the number of editors started.
int EditAllFiles(runtime::Desktop& desktop, std::string_view editorName,
                 const engine::ResultsQueue& results);

// The file dialogue of "Edit Related File" for a hit's file: in the file's directory,
// titled "Select Files to Edit", and for a name with a dot after its first character
// ("orders.vlw") led by "orders.*" (also the initial name) and "*.vlw".
runtime::FileDialogRequest RelatedFileRequest(const std::string& fullFileName);

// Lets the user choose files beside the hit's file and opens each in the editor at line 1;
// stops at the first editor that does not start. Gives the number of editors started.
int EditRelatedFile(runtime::Desktop& desktop, std::string_view editorName,
                    const std::string& fullFileName);

}  // namespace trawlex::results
