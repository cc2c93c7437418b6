// SPDX-License-Identifier: MIT
// kvt: the desktop program. It starts in the parameter window with the defaults, or with the
// parameter file named on the command line.
#include <QApplication>
#include <QHashSeed>
#include <cstdio>

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
  // Qt's own options are still in argv then, so a usage error waits for the second reading.
  try {
    const KvtCommand early = kvt::ui::parseKvtCommandLine({argv + 1, argv + argc});
    if (early.action == KvtCommand::Action::Help) {
      std::fwrite(kvt::ui::kvtUsage().data(), 1, kvt::ui::kvtUsage().size(), stdout);
      return 0;
    }
    if (early.action == KvtCommand::Action::Version) {
      std::printf("kvt %s\n", KVT_VERSION);
      return 0;
    }
  } catch (const kvt::UsageError&) {
  }

  // A PDF lists its fonts in the order of a hash table, which Qt seeds afresh in every process;
  // seeded as kvt-batch's figure module seeds it, a saved figure is the same bytes as kvt-batch's.
  QHashSeed::setDeterministicGlobalSeed();
  QApplication app(argc, argv);  // takes its own options (-platform, -style, …) out of argv
  KvtCommand command;
  try {
    command = kvt::ui::parseKvtCommandLine({argv + 1, argv + argc});
  } catch (const kvt::UsageError& error) {
    std::fprintf(stderr, "kvt: %s\nTry 'kvt --help' for more information.\n", error.what());
    return 2;
  }
  kvt::ui::setProgramIdentity();
  kvt::ui::MessageBoxPrompt prompt;
  const kvt::SystemClock clock;
  kvt::ui::Form1 form1(kvt::MODULE11::analysisParameters(), prompt, clock);
  form1.show();
  if (!command.file.empty()) kvt::ui::openParameterFileAtStart(form1, command.file);
  return QApplication::exec();
}
