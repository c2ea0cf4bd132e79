// trawlex: the desktop program.

#include <QApplication>

#include "shell/settings_files.h"
#include "ui/main_frame.h"
#include "ui/qt_desktop.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trawlex"));
  QApplication::setOrganizationName(QStringLiteral("Trawlex"));
  trawlex::ui::QtDesktop desktop;
  trawlex::ui::MainFrame frame(desktop, trawlex::shell::DefaultSettingsFiles());
  frame.show();
  frame.Start();
  return QApplication::exec();
}
