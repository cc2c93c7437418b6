// SPDX-License-Identifier: MIT
#include "program_identity.h"

#include <QApplication>
#include <QIcon>

// A static library's resources are linked only when something names them.
static void initIconResource() {
  Q_INIT_RESOURCE(kvt_icons);
}

namespace kvt::ui {

void setProgramIdentity() {
  QApplication::setApplicationName("KVT");
  QApplication::setApplicationVersion(KVT_VERSION);
  QApplication::setDesktopFileName("kvt");
  // The icon is built into the program, so that it shows whether or not kvt is installed.
  initIconResource();
  QApplication::setWindowIcon(QIcon(":/icons/kvt.svg"));
}

}  // namespace kvt::ui
