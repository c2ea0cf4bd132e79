#include "ui/view_file_window.h"

// Placeholder while the viewer is being built.
namespace trawlex::ui {

struct ViewFileWindow::Parts {};

ViewFileWindow::ViewFileWindow(results::ViewParams params, ViewerContext context, int resultsSlot,
                               QWidget* parent)
    : QWidget(parent), params_(std::move(params)), context_(std::move(context)),
      resultsSlot_(resultsSlot), parts_(std::make_unique<Parts>()) {}
ViewFileWindow::~ViewFileWindow() = default;
void ViewFileWindow::ShowHit(results::ViewParams params) { params_ = std::move(params); }
bool ViewFileWindow::event(QEvent* event) { return QWidget::event(event); }
void ViewFileWindow::closeEvent(QCloseEvent* event) { QWidget::closeEvent(event); }
results::ViewParams& PendingViewParams() {
  static results::ViewParams params;
  return params;
}

}  // namespace trawlex::ui
