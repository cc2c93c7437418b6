// SPDX-License-Identifier: MIT
// The figure module: kvt-batch's way to Qt, loaded only when it is asked for figures.
#include <QApplication>
#include <QHashFunctions>
#include <QtGlobal>
#include <exception>

#include "figure_module_abi.h"
#include "figure_render.h"

namespace {

// Charts are graphics widgets, so they need a QApplication. A batch job draws into files and
// never shows a window: unless the user chose a platform, it takes the offscreen one, which
// works with and without a display. The application lives as long as the process.
void ensureApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A PDF lists its fonts in the order of a hash table, and Qt seeds its hashes afresh in every
  // process: with a fixed seed the same figure gives the same bytes from one job to the next.
  QHashSeed::setDeterministicGlobalSeed();
  static int argc = 1;
  static char name[] = "kvt-batch";
  static char* argv[] = {name, nullptr};
  // Starting up, Qt warns of things that do not matter for drawing into files (no runtime
  // folder outside a desktop session); they would read like errors among kvt-batch's lines.
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) previous(type, context, text);
      });
  new QApplication(argc, argv);
  qInstallMessageHandler(previous);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool kvtRenderFigure(
    int version, const kvt::Figure& figure, kvt::FigureFormat format, kvt::FigureSize size,
    std::string& bytes, std::string& error) {
  if (version != kvt::kFigureModuleVersion) {
    error = "the figure module is from another version of kvt";
    return false;
  }
  try {
    ensureApplication();
    const QByteArray drawn = kvt::renderFigure(figure, format, size);
    if (drawn.isEmpty()) {
      error = "the figure could not be drawn";
      return false;
    }
    bytes.assign(drawn.constData(), static_cast<std::size_t>(drawn.size()));
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}
