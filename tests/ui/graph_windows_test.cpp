// SPDX-License-Identifier: MIT
// The graph windows driven by a real run of the default parameters, on the offscreen platform.
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <vector>

#include "analysis/pull_out_run.h"
#include "support/committed_defaults.h"
#include "support/fake_prompt.h"
#include "ui/drawing_surface.h"
#include "ui/form3.h"
#include "ui/form4.h"

using kvt::ui::DrawingSurface;
using kvt::ui::Form3;
using kvt::ui::Form4;

namespace {

bool isInk(const QImage& image, QPoint p) {
  if (!image.rect().contains(p)) return false;
  return QColor(image.pixel(p)).lightness() < 128;
}

// Whether the drawing has ink within `radius` pixels of p.
bool inkNear(const QImage& image, QPointF p, int radius = 2) {
  for (int dx = -radius; dx <= radius; ++dx)
    for (int dy = -radius; dy <= radius; ++dy)
      if (isInk(image, p.toPoint() + QPoint(dx, dy))) return true;
  return false;
}

int inkCount(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += isInk(image, {x, y});
  return count;
}

// Records the τ-s points and the last step's sections besides drawing.
struct Recorder : kvt::RunObserver {
  std::vector<kvt::TauSlipPoint> points;
  std::vector<kvt::SectionRow> lastSections;
  int lastStep = 0;
  void stepStarted(int step, double, float) override {
    lastStep = step;
    lastSections.clear();
  }
  void sectionsComputed(std::span<const kvt::SectionRow> rows) override {
    lastSections.insert(lastSections.end(), rows.begin(), rows.end());
  }
  void tauSlipPoint(const kvt::TauSlipPoint& p) override { points.push_back(p); }
};

void runDefault(Form3& form3, Form4& form4, Recorder& recorder) {
  kvt::AnalysisParameters p = kvt::testing::committedDefaults();
  kvt::ObserverList observers;
  observers.add(form3);
  observers.add(form4);
  observers.add(recorder);
  kvt::PullOutRun(p, observers).run();
}

}  // namespace

class GraphWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void windowsHaveTheirCaptionsAndSizes() {
    kvt::testing::FakePrompt prompt;
    Form3 form3(prompt);
    Form4 form4(form3.lineWidth(), prompt);
    QCOMPARE(form3.windowTitle(), QString("τ-s relationship"));
    QCOMPARE(form4.windowTitle(), QString("distribution of τ"));
    QCOMPARE(form3.size(), QSize(213, 198));  // 3195 × 2970 twips
    QCOMPARE(form4.size(), QSize(213, 194));  // 3195 × 2910 twips
    QCOMPARE(form3.text1()->geometry(), QRect(8, 16, 105, 25));
    QCOMPARE(form3.text2()->geometry(), QRect(144, 176, 65, 27));
    QCOMPARE(form3.lineWidth(), 1);
  }

  void firstScaleAndTheTriggersOfARescale() {
    kvt::testing::FakePrompt prompt;
    Form3 form3(prompt);
    form3.runStarted({115.05, 31, 4, 0.00001f, 0.65f});
    QCOMPARE(form3.text2()->text(), QString("1.5E-02"));
    QCOMPARE(form3.text1()->text(), QString("1.7"));
    QVERIFY(std::abs(form3.tauAxisMax() - 1.72575) < 1e-12);

    // Step 1 never rescales, even outside the range.
    const std::vector<double> slips = {0, 0.1, 0.02, 0.025, 0.05};
    const std::vector<double> taus = {0, 50, 40, 45, 30};
    form3.tauSlipPoint({1, 0.1, 50, slips, taus});
    QCOMPARE(form3.text2()->text(), QString("1.5E-02"));
    form3.tauSlipPoint({2, 0.02, 40, slips, taus});
    QCOMPARE(form3.text2()->text(), QString("3.0E-02"));
    QCOMPARE(form3.text1()->text(), QString("60.0"));
    form3.tauSlipPoint({3, 0.025, 45, slips, taus});
    QCOMPARE(form3.text2()->text(), QString("3.0E-02"));
    QCOMPARE(form3.text1()->text(), QString("60.0"));
    // Past the peak: the slip passes its trigger, the stress axis keeps its largest value.
    form3.tauSlipPoint({4, 0.05, 30, slips, taus});
    QCOMPARE(form3.text2()->text(), QString("7.5E-02"));
    QCOMPARE(form3.text1()->text(), QString("60.0"));
    QCOMPARE(form3.tauAxisMax(), 60.0);
  }

  void drawingSurfaceOperations() {
    DrawingSurface surface;
    surface.resize(100, 100);
    surface.clear();
    const QPalette palette = surface.palette();
    const QRgb ink = palette.color(QPalette::WindowText).rgb();
    const QRgb paper = palette.color(QPalette::Window).rgb();
    const auto at = [&](int x, int y) { return surface.picture().pixel(x, y); };

    // One unit per pixel. A line that begins and ends within one pixel still leaves its dot.
    surface.setScale(0, 0, 100, 100);
    surface.line(10.1, 10.1, 10.3, 10.3);
    QCOMPARE(at(10, 10), ink);
    QCOMPARE(at(12, 12), paper);

    // y growing upwards: bottom-left is (0, 0).
    surface.setScale(0, 100, 100, 0);
    surface.setPoint(50, 10);
    QCOMPARE(at(50, 90), ink);
    QCOMPARE(at(50, 10), paper);

    // The current point stays in user coordinates across a new coordinate system: (20, 20) is
    // pixel (10, 10) at two units per pixel, so the line runs from there to (20, 10).
    surface.setScale(0, 0, 100, 100);
    surface.setPoint(20, 20);
    surface.setScale(0, 0, 200, 200);
    surface.lineTo(40, 20);
    QCOMPARE(at(15, 10), ink);
    QCOMPARE(at(20, 15), paper);

    surface.clear();
    QCOMPARE(at(10, 10), paper);
    QCOMPARE(at(15, 10), paper);
  }

  void finishedRunShowsTheCurveWhereItIs() {
    kvt::testing::FakePrompt prompt;
    Form3 form3(prompt);
    Form4 form4(form3.lineWidth(), prompt);
    Recorder recorder;
    runDefault(form3, form4, recorder);
    // After the peak the slip axis kept growing; the stress axis holds 1.5 × a pre-peak value.
    QVERIFY(form3.slipAxisMax() >= 1.5 * 0.04155 * 0.99);
    QVERIFY(form3.tauAxisMax() >= 96.75 && form3.tauAxisMax() <= 1.5 * 96.76);
    const QImage picture = form3.surface().picture();
    int onCurve = 0;
    for (const auto& p : recorder.points)
      onCurve += inkNear(picture, form3.surface().toPixel(p.slip, form3.tauAxisMax() - p.tauAvg));
    QCOMPARE(onCurve, static_cast<int>(recorder.points.size()));
    // Away from the curve: the top right corner region stays clear.
    QVERIFY(!inkNear(picture, QPointF(picture.width() - 10, 10), 3));
  }

  void distributionGraphKeepsTheStepsSinceTheLastRefresh() {
    kvt::testing::FakePrompt prompt;
    Form3 form3(prompt);
    Form4 form4(form3.lineWidth(), prompt);
    Recorder recorder;
    runDefault(form3, form4, recorder);
    QCOMPARE(recorder.lastStep, 432);
    const DrawingSurface& surface = form4.surface();
    const QImage picture = form4.surface().picture();
    // The zero line spans the whole width: x 1 … 31.
    const double base = form4.distributionBase();
    QVERIFY(inkNear(picture, surface.toPixel(1, base)));
    QVERIFY(inkNear(picture, surface.toPixel(16, base)));
    QVERIFY(inkNear(picture, surface.toPixel(30.9, base)));
    QCOMPARE(surface.toPixel(31, base).x(), static_cast<double>(picture.width()));
    // Step 431's curve (after the refresh of step 430) is still there.
    for (const auto& row : recorder.lastSections)
      QVERIFY(inkNear(picture, surface.toPixel(row.i, base - row.tau)));
    QCOMPARE(recorder.lastSections.size(), std::size_t{31});
  }

  void drawingSurvivesHidingAndRepainting() {
    kvt::testing::FakePrompt prompt;
    Form3 form3(prompt);
    Form4 form4(form3.lineWidth(), prompt);
    Recorder recorder;
    form3.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form3));
    runDefault(form3, form4, recorder);
    const int before = inkCount(form3.grab().toImage());
    QVERIFY(before > 100);
    form3.hide();
    form3.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form3));
    form3.repaint();
    QCOMPARE(inkCount(form3.grab().toImage()), before);
  }

  void emptyRangesAreWidened() {
    kvt::testing::FakePrompt prompt;
    Form3 form3(prompt);
    Form4 form4(form3.lineWidth(), prompt);
    // tauMax = 0, initialDs = 0, one segment: nothing faults, coordinates stay finite.
    form3.runStarted({0, 1, 1, 0, 0.65f});
    form4.runStarted({0, 1, 1, 0, 0.65f});
    const QPointF p = form4.surface().toPixel(1, 0);
    QVERIFY(std::isfinite(p.x()) && std::isfinite(p.y()));
    QVERIFY(std::isfinite(form3.surface().toPixel(0, 0).x()));
    const kvt::SectionRow row{1, 0.65, 0, 0, 0, 0};
    form4.sectionsComputed({&row, 1});
    QVERIFY(inkCount(form4.surface().picture()) > 0);
  }

  void aTooWideZeroLineEndsTheRun() {
    kvt::testing::FakePrompt prompt;
    Form4 tooWide(20000, prompt);
    QVERIFY_THROWS_EXCEPTION(kvt::AnalysisError, tooWide.runStarted({115.05, 31, 4, 1e-5f, 0.65f}));
    // After the zero line the curves are drawn at the τ-s graph's width again.
    Form4 widest(16383, prompt);
    widest.runStarted({115.05, 31, 4, 1e-5f, 0.65f});
    QCOMPARE(widest.surface().lineWidth(), 16383);
  }
};

QTEST_MAIN(GraphWindowsTest)
#include "graph_windows_test.moc"
