// SPDX-License-Identifier: MIT
#include "help_windows.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui_style.h"
#include "window_placement.h"

// A static library's resources are linked only when something names them.
static void initManualResource() {
  Q_INIT_RESOURCE(kvt_manual);
}

namespace kvt::ui {

namespace {

QString builtInReadme() {
  initManualResource();
  QFile file(":/manual/README.md");
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

DocumentWindow* openDocument(QWidget* owner, const char* name, const QString& title,
                             const QString& markdown) {
  auto* window = owner ? owner->findChild<DocumentWindow*>(name) : nullptr;
  if (!window) {
    window = new DocumentWindow(title, markdown, owner);
    window->setObjectName(name);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace

DocumentWindow::DocumentWindow(const QString& title, const QString& markdown, QWidget* owner)
    : QWidget(owner, Qt::Window) {
  setWindowTitle(title);
  useDesignPalette(*this);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("documentText");
  browser_->setOpenExternalLinks(true);
  // The README's pictures are built in beside it.
  browser_->setSearchPaths({":/manual"});
  browser_->setMarkdown(markdown);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  QSize size(900, 720);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  resize(size);
  centreOnScreen(*this);
}

QString markdownSections(const QString& readme, const QString& from, const QString& to) {
  const QString start = "\n## " + from + "\n";
  const qsizetype begin = ("\n" + readme).indexOf(start);
  if (begin < 0) return {};
  const qsizetype end = to.isEmpty() ? -1 : ("\n" + readme).indexOf("\n## " + to + "\n", begin);
  return readme.mid(begin, end < 0 ? -1 : end - begin);
}

DocumentWindow* openManual(QWidget* owner) {
  const QString readme = builtInReadme();
  QString manual = markdownSections(readme, "Using it", "Layout");
  if (manual.isEmpty()) manual = readme;
  return openDocument(owner, "ManualWindow", "KVT Manual", "# kvt\n\n" + manual);
}

DocumentWindow* openAbout(QWidget* owner) {
  const QString text =
      QStringLiteral("# kvt %1\n\n").arg(KVT_VERSION) +
      "Bond between a deformed reinforcing bar and the surrounding concrete in a pull-out test: "
      "the slip, bar force and bond stress along the bar and the load–slip curve, from a local "
      "bond stress–slip law. Units are kgf and cm.\n\n" +
      markdownSections(builtInReadme(), "Licences");
  return openDocument(owner, "AboutWindow", "About kvt", text);
}

}  // namespace kvt::ui
