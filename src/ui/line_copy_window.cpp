#include "ui/line_copy_window.h"

// Placeholder while the window is being built.
namespace trawlex::ui {

LineCopyWindow::LineCopyWindow(runtime::Desktop& desktop, std::filesystem::path trawlexIni,
                               const results::LineCopyRequest& request, QWidget* parent)
    : QDialog(parent), desktop_(desktop), trawlexIni_(std::move(trawlexIni)),
      texts_(results::MakeLineCopyTexts(request)) {}
void LineCopyWindow::done(int code) { QDialog::done(code); }
bool LineCopyWindow::eventFilter(QObject* watched, QEvent* event) {
  return QDialog::eventFilter(watched, event);
}
void RunLineCopyWindow(QWidget* parent, runtime::Desktop& desktop,
                       const std::filesystem::path& trawlexIni,
                       const results::LineCopyRequest& request) {
  LineCopyWindow window(desktop, trawlexIni, request, parent);
  window.exec();
}

}  // namespace trawlex::ui
