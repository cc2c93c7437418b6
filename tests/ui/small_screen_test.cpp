// SPDX-License-Identifier: MIT
// The windows on a 1024 × 768 screen at scale factor 2, which leaves 512 × 384 pixels for windows
// designed for 800 × 600: every frame stays on the screen where it fits, and its top-left corner
// (the title bar) stays on it where the window is larger than the screen.
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "support/window_session.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/frm_open_save.h"
#include "ui/run_controller.h"
#include "ui/window_placement.h"

using kvt::ui::keptWithin;

namespace {

QString describe(const QRect& r) {
  return QString("%1,%2 %3×%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// On the screen as far as the window's size allows it.
QString whyOff(const QWidget& window) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = window.frameGeometry();
  const bool fitsAcross = frame.width() <= area.width();
  const bool fitsDown = frame.height() <= area.height();
  const bool ok = area.contains(frame.topLeft()) &&
                  (!fitsAcross || (frame.left() >= area.left() && frame.right() <= area.right())) &&
                  (!fitsDown || (frame.top() >= area.top() && frame.bottom() <= area.bottom()));
  return ok ? QString() : window.objectName() + " at " + describe(frame) + " on " + describe(area);
}

}  // namespace

class SmallScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void keptWithinShiftsAsLittleAsNeeded_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("kept");
    QTest::newRow("inside stays") << QRect(10, 20, 100, 50) << QPoint(10, 20);
    QTest::newRow("off the top and left") << QRect(-30, -5, 100, 50) << QPoint(0, 0);
    QTest::newRow("off the right and bottom") << QRect(450, 350, 100, 50) << QPoint(412, 334);
    QTest::newRow("taller than the screen") << QRect(20, -20, 100, 400) << QPoint(20, 0);
    QTest::newRow("wider than the screen") << QRect(-30, 10, 600, 50) << QPoint(0, 10);
  }
  void keptWithinShiftsAsLittleAsNeeded() {
    QFETCH(QRect, frame);
    QFETCH(QPoint, kept);
    QCOMPARE(keptWithin(frame, QRect(0, 0, 512, 384)), kept);
  }

  void everyWindowStaysOnTheScreen() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(512, 384));
    kvt::testing::WindowSession session;
    kvt::ui::Form1& form = session.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY2(whyOff(form).isEmpty(), qPrintable(whyOff(form)));
    // Across, the parameter window fits and stays centred by its outer size.
    const QRect frame = form.frameGeometry();
    QVERIFY(frame.width() > form.width());
    QVERIFY(std::abs(frame.center().x() - 256) <= 1);

    kvt::ui::RunController* run = session.runToTheEnd();
    QVERIFY(run);
    for (const QWidget* window :
         {static_cast<QWidget*>(run->form2()), static_cast<QWidget*>(run->form3()),
          static_cast<QWidget*>(run->form4())})
      QVERIFY2(whyOff(*window).isEmpty(), qPrintable(whyOff(*window)));
    QTest::mouseClick(run->form2()->button(), Qt::LeftButton);

    kvt::ui::frmOpenSave open(form.entries(), form.parameterFileLines(), session.prompt());
    kvt::ui::prepareOpenSave(open, false);
    open.show();
    QVERIFY(QTest::qWaitForWindowExposed(&open));
    QTRY_VERIFY2(whyOff(open).isEmpty(), qPrintable(whyOff(open)));
  }
};

QTEST_MAIN(SmallScreenTest)
#include "small_screen_test.moc"
