// SPDX-License-Identifier: MIT
// kvt: the desktop program. It starts in the parameter window with the defaults.
#include <QApplication>

#include "output/clock.h"
#include "params/module11.h"
#include "ui/form1.h"
#include "ui/message_box_prompt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("KVT");
  kvt::ui::MessageBoxPrompt prompt;
  const kvt::SystemClock clock;
  kvt::ui::Form1 form1(kvt::MODULE11::analysisParameters(), prompt, clock);
  form1.show();
  return QApplication::exec();
}
