// The results window's exports: the printed report with its preview, the text file (and
// opening it in the editor), and the clipboard. Each works on the results as they stand,
// after any pruning; the layouts live in the results library.

#include "results/export_source.h"
#include "results/results_clipboard.h"
#include "results/results_text_file.h"
#include "ui/results_report.h"
#include "ui/results_window.h"

namespace trawlex::ui {

void ResultsWindow::Export(ExportCommand command) {
  if (running()) return;  // the results are still growing
  const results::ExportSource source{run_->results(), run_->dirs(), run_->request(), run_->counts(),
                                     results::ExportClockNow()};
  switch (command) {
    case ExportCommand::Report:
      PrintResultsReport(this, source);
      break;
    case ExportCommand::SaveText:
    case ExportCommand::SaveTextAndEdit:
      results::SaveResultsToTextFile(*context_.desktop, source,
                                     command == ExportCommand::SaveText
                                         ? results::SaveResultsMode::Save
                                         : results::SaveResultsMode::SaveAndEdit,
                                     context_.preferences.editorName.view());
      break;
    case ExportCommand::CopyToClipboard:
      results::CopyResultsToClipboard(*context_.desktop, source);
      break;
  }
}

}  // namespace trawlex::ui
