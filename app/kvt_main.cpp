// SPDX-License-Identifier: MIT
// kvt: the desktop program. It starts in the parameter window with the defaults, or with the
// parameter file named on the command line.
#include <QApplication>
#include <cstdio>
#include <variant>

#include "output/clock.h"
#include "params/module11.h"
#include "ui/form1.h"
#include "ui/kvt_command_line.h"
#include "ui/message_box_prompt.h"
#include "ui/program_identity.h"
#include "ui/start_file.h"

int main(int argc, char** argv) {
  using kvt::ui::KvtCommand;
  // --help and --version are answered before Qt looks for a display, so they work without one.
  const auto early = kvt::ui::parseKvtCommandLine({argv + 1, argv + argc});
  if (const auto* command = std::get_if<KvtCommand>(&early)) {
    if (command->action == KvtCommand::Action::Help) {
      std::fwrite(kvt::ui::kvtUsage().data(), 1, kvt::ui::kvtUsage().size(), stdout);
      return 0;
    }
    if (command->action == KvtCommand::Action::Version) {
      std::printf("kvt %s\n", KVT_VERSION);
      return 0;
    }
  }

  QApplication app(argc, argv);  // takes its own options (-platform, -style, …) out of argv
  const auto parsed = kvt::ui::parseKvtCommandLine({argv + 1, argv + argc});
  if (const auto* error = std::get_if<kvt::ui::KvtUsageError>(&parsed)) {
    std::fprintf(stderr, "kvt: %s\nTry 'kvt --help' for more information.\n",
                 error->message.c_str());
    return 2;
  }
  kvt::ui::setProgramIdentity();
  kvt::ui::MessageBoxPrompt prompt;
  const kvt::SystemClock clock;
  kvt::ui::Form1 form1(kvt::MODULE11::analysisParameters(), prompt, clock);
  form1.show();
  if (const std::string& file = std::get<KvtCommand>(parsed).file; !file.empty())
    kvt::ui::openParameterFileAtStart(form1, file);
  return QApplication::exec();
}
