// SPDX-License-Identifier: MIT
#include "window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kvt::ui {

namespace {

const QScreen* screenOf(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

void centreNow(QWidget& window) {
  const QScreen* screen = screenOf(window);
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize outer = window.frameGeometry().size();
  const QPoint topLeft(area.x() + area.width() / 2 - outer.width() / 2,
                       area.y() + area.height() / 2 - outer.height() / 2);
  placeFrame(window, QRect(topLeft, outer));
}

// Centres its window again as soon as the window has a frame: on X11 the window manager adds
// the frame only after the window has been mapped. Depending on the window manager, the window
// then moves (its frame stands where the window was asked to go) or stays (the frame grows
// around it), so the first move, resize, paint or activation with a frame decides.
class CentreWhenFramed : public QObject {
 public:
  static constexpr const char* kName = "centreWhenFramed";
  explicit CentreWhenFramed(QWidget& window) : QObject(&window) {
    setObjectName(kName);
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Paint:
      case QEvent::WindowActivate:
        break;
      default:
        return false;
    }
    auto& window = static_cast<QWidget&>(*watched);
    if (window.isVisible() && window.frameGeometry().size() != window.size()) {
      window.removeEventFilter(this);
      // Not in the middle of the event that told: the window is moved once it has been handled.
      QMetaObject::invokeMethod(
          &window, [&window] { centreNow(window); }, Qt::QueuedConnection);
      deleteLater();
    }
    return false;
  }
};

}  // namespace

QPoint keptWithin(const QRect& frame, const QRect& area) {
  const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
  const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
  return {left, top};
}

void placeFrame(QWidget& window, const QRect& frame) {
  const QScreen* screen = screenOf(window);
  window.move(screen ? keptWithin(frame, screen->availableGeometry()) : frame.topLeft());
}

void centreOnScreen(QWidget& window) {
  centreNow(window);
  const bool framed = window.frameGeometry().size() != window.size();
  if (!framed && !window.findChild<QObject*>(CentreWhenFramed::kName, Qt::FindDirectChildrenOnly))
    new CentreWhenFramed(window);
}

}  // namespace kvt::ui
