#pragma once
// "Copy Results to Clipboard": the results as a block of text, columns aligned with spaces
// or separated by tabs (which a spreadsheet takes as cells).
//
// The text is sized beforehand from the column widths, as the command always has: a very
// large estimate is confirmed by the user first, and pieces that would pass the estimate are
// left out with a message naming where the text stopped. Nothing is ever cut silently.

#include <cstdint>
#include <string>
#include <vector>

#include "results/export_source.h"
#include "results/export_texts.h"
#include "runtime/desktop.h"

namespace trawlex::results {

enum class ClipboardLayout { Spaces, Tabs };

// Estimates above this are confirmed by the user.
inline constexpr std::int64_t kLargeClipboard = 4'000'000;

// The size the text may reach (CLIP:MAX): per hit its three columns, the text and 7 more,
// 2,500 for the head and summary, 500 per directory.
std::int64_t ClipboardEstimate(const ExportSource& source, const ColumnWidths& widths);

// The clipboard text. Where the estimate is reached the text stops and a message for the user
// is added to `overflowMessages` (when given); the summary still ends the text if it fits.
std::string ClipboardText(const ExportSource& source, ClipboardLayout layout,
                          std::vector<runtime::Message>* overflowMessages);

// The interactive command: nothing for empty results; asks for spaces or tabs, confirms a
// large text, shows any overflow messages and puts the text on the clipboard.
void CopyResultsToClipboard(runtime::Desktop& desktop, const ExportSource& source);

}  // namespace trawlex::results
