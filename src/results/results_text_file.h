#pragma once
// Saving the results as a plain text file: the layout itself, written through a sink in
// pieces (a million hits never sit in memory as one text), and the interactive "Save Results
// to Text File" command with its file dialog and exists question.
//
// The file is written record by record: each record loses its trailing blanks and gets CR LF;
// a record holding CR LF pairs makes several lines, which is how the blank lines come about.

#include <functional>
#include <string_view>

#include "results/export_source.h"
#include "runtime/desktop.h"

namespace trawlex::results {

// Takes the next piece of the text; false when it could not be written, which ends the writing.
using ExportSink = std::function<bool(std::string_view)>;

// What goes between the old content and the new when appending to a non-empty file: two
// empty lines and a line holding only a form feed.
inline constexpr std::string_view kAppendSeparator = "\r\n\r\n\f\r\n";

// Writes the whole layout: header, options, a rule, one "Dir:" block per change of directory,
// two lines and an empty one per hit, the summary. `separatorFirst` puts kAppendSeparator
// before it. False when the sink refused a piece.
bool WriteResultsText(const ExportSource& source, const ExportSink& sink, bool separatorFirst);

enum class SaveResultsMode { Save, SaveAndEdit };

// The interactive command. Nothing happens for empty results. The user picks the file; an
// existing one is appended to, replaced or the choice made again. The new content is written
// beside the file and renamed over it, so a failure leaves the old file as it was and says
// so in a message. SaveAndEdit then opens the file in the editor at line 1. True when saved.
bool SaveResultsToTextFile(runtime::Desktop& desktop, const ExportSource& source,
                           SaveResultsMode mode, std::string_view editorName);

}  // namespace trawlex::results
