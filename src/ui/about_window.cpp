#include "ui/about_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace trawlex::ui {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About Trawlex"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(tr("<h2>Trawlex</h2>"), this);
  auto* text = new QLabel(
      tr("Code search for Veldar programmers.<br>"
         "Every hit with its procedure, method and routine.<br><br>"
         "Version %1").arg(QStringLiteral(TRAWLEX_VERSION)),
      this);
  text->setTextFormat(Qt::RichText);
  layout->addWidget(title);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  QTimer::singleShot(kLifetimeMs, this, &QDialog::close);
}

}  // namespace trawlex::ui
