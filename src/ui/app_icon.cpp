#include "ui/app_icon.h"

#include <QApplication>
#include <QIcon>

// The icon's resource lives in a static library: the linker keeps it only when it is
// registered by name, which has to happen outside any namespace.
static void RegisterIconResource() {
  Q_INIT_RESOURCE(trawlex);
}

namespace trawlex::ui {

void InstallAppIcon() {
  RegisterIconResource();
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/trawlex.svg")));
}

}  // namespace trawlex::ui
