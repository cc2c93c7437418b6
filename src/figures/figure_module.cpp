// SPDX-License-Identifier: MIT
// The figure module: kvt-batch's way to Qt, loaded only when it is asked for figures.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHashFunctions>
#include <QtGlobal>
#include <exception>
#include <optional>
#include <string>

#include "figure_module_abi.h"
#include "figure_render.h"

namespace {

// Charts are graphics widgets, so they need a QApplication. A batch job draws into files and
// never shows a window, so it always takes the offscreen platform, which works with and without
// a display: a platform chosen for the desktop (QT_QPA_PLATFORM=xcb, or wayland) cannot start
// without one, and Qt then aborts the whole process. The application lives as long as the
// process.
void ensureApplication() {
  if (QCoreApplication::instance()) return;
  // A PDF lists its fonts in the order of a hash table, and Qt seeds its hashes afresh in every
  // process: with a fixed seed the same figure gives the same bytes from one job to the next.
  QHashSeed::setDeterministicGlobalSeed();
  // The command line's -platform wins over QT_QPA_PLATFORM.
  static int argc = 3;
  static char name[] = "kvt-batch";
  static char platformOption[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, platformOption, platform, nullptr};
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

// Without a font for Latin letters Qt draws every character as an empty box and reports
// success: a figure whose axes cannot be read must not be written at all. Fontconfig always
// offers its generic names (Sans Serif, Serif, Monospace), so what counts is the face a
// sans-serif text resolves to; with no font at all it resolves to none. Fonts come through
// fontconfig, so the message says which set-up it read.
bool hasLatinFont() {
  QFont font;
  font.setStyleHint(QFont::SansSerif);
  const QString family = QFontInfo(font).family();
  return !family.isEmpty() && QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin);
}

std::optional<std::string> missingFont() {
  static const bool found = hasLatinFont();
  if (found) return std::nullopt;
  std::string setup =
      qEnvironmentVariableIsSet("FONTCONFIG_FILE")
          ? "FONTCONFIG_FILE=" + qEnvironmentVariable("FONTCONFIG_FILE").toStdString()
          : std::string("/etc/fonts/fonts.conf");
  if (qEnvironmentVariableIsSet("FONTCONFIG_PATH"))
    setup += ", FONTCONFIG_PATH=" + qEnvironmentVariable("FONTCONFIG_PATH").toStdString();
  return "no usable font: fontconfig (set up by " + setup +
         ") finds no font for Latin letters, and the figures' text would be empty boxes; "
         "'fc-list' shows what it finds. Install a font (fonts-dejavu-core) or mend the set-up";
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const int kvtFigureModuleVersion =
    kvt::kFigureModuleVersion;

extern "C" __attribute__((visibility("default"))) bool kvtRenderFigure(
    int version, const kvt::Figure& figure, kvt::FigureFormat format, kvt::FigureSize size,
    std::string& bytes, std::string& error) {
  if (version != kvt::kFigureModuleVersion) {
    error = "the figure module is from another version of kvt";
    return false;
  }
  try {
    ensureApplication();
    if (auto problem = missingFont()) {
      error = *problem;
      return false;
    }
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
