// SPDX-License-Identifier: MIT
// Every text of the report figures stays clear of every other and on the figure, and the label
// of a marked point inside its plot: the default and the bilinear runs, every figure, every
// step, at the default size and at a single column's.
#include <QGraphicsItem>
#include <QGraphicsSimpleTextItem>
#include <QTest>
#include <functional>

#include "analysis/run_record.h"
#include "figures/figure_render.h"
#include "figures/figure_scene.h"
#include "figures/label_placement.h"
#include "figures/report_figures.h"
#include "support/committed_defaults.h"

using kvt::Figure;
using kvt::FigureScene;

namespace {

QString name(const QGraphicsItem* item) {
  if (const auto* simple = dynamic_cast<const QGraphicsSimpleTextItem*>(item))
    return simple->text();
  if (const auto* rich = dynamic_cast<const QGraphicsTextItem*>(item)) return rich->toPlainText();
  return {};
}

// The first fault of a laid-out figure, or an empty text.
QString faultOf(const FigureScene& scene, int panels) {
  const std::vector<QGraphicsItem*> texts = scene.texts();
  for (std::size_t a = 0; a < texts.size(); ++a) {
    // Glyphs may touch a box's edge, not reach beyond it into another.
    const QRectF box = texts[a]->sceneBoundingRect().adjusted(0.5, 0.5, -0.5, -0.5);
    if (!scene.sceneRect().contains(box)) return "'" + name(texts[a]) + "' leaves the figure";
    for (std::size_t b = a + 1; b < texts.size(); ++b)
      if (box.intersects(texts[b]->sceneBoundingRect()))
        return "'" + name(texts[a]) + "' overlaps '" + name(texts[b]) + "'";
  }
  for (int k = 0; k < panels; ++k)
    for (const QGraphicsSimpleTextItem* label : scene.markLabels(k))
      if (!scene.plotArea(k).contains(label->sceneBoundingRect()))
        return "'" + label->text() + "' leaves the plot";
  return {};
}

}  // namespace

class FigureLabelsTest : public QObject {
  Q_OBJECT

  // Lays `figureAt(step)` out for steps 1 … `steps` at both sizes; the first fault found.
  static QString firstFault(int steps, const std::function<Figure(int step)>& figureAt) {
    for (const kvt::FigureSize size : {kvt::FigureSize{}, kvt::FigureSize{85, 60}}) {
      FigureScene scene;
      scene.layout(kvt::figureCanvas(size), kvt::kFileUnitsPerPoint);
      for (int step = 1; step <= steps; ++step) {
        const Figure figure = figureAt(step);
        scene.setFigure(figure);
        const QString fault = faultOf(scene, static_cast<int>(figure.panels.size()));
        if (!fault.isEmpty())
          return QString("%1 mm wide, step %2: %3").arg(size.widthMm).arg(step).arg(fault);
      }
    }
    return {};
  }

 private slots:
  void noTextCoversAnother_data() {
    QTest::addColumn<bool>("bilinear");
    QTest::addColumn<QString>("figure");
    for (const bool bilinear : {false, true})
      for (const char* figure : {"load-slip", "tau-slip", "profile", "bond-law"})
        QTest::addRow("%s %s", bilinear ? "bilinear" : "default", figure) << bilinear << figure;
  }
  void noTextCoversAnother() {
    QFETCH(bool, bilinear);
    QFETCH(QString, figure);
    const kvt::RunRecord run = kvt::recordRun(bilinear ? kvt::testing::committedBilinear()
                                                       : kvt::testing::committedDefaults());
    const auto si = kvt::UnitSystem::SI;
    std::function<Figure(int)> figureAt;
    if (figure == "load-slip") figureAt = [&](int step) { return loadSlipFigure(run, si, step); };
    if (figure == "tau-slip") figureAt = [&](int step) { return tauSlipFigure(run, si, step); };
    if (figure == "profile")
      figureAt = [&](int step) { return profileFigure(run, step, run.sections(step), si); };
    // The bond law has no step; once is enough.
    if (figure == "bond-law") figureAt = [&](int) { return bondLawFigure(run, si); };
    const QString fault = firstFault(figure == "bond-law" ? 1 : run.stepCount(), figureAt);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }

  // Two labels at one point, and a label at the plot's corner: apart, and inside.
  void placementKeepsLabelsApartAndInside() {
    const QRectF area(0, 0, 200, 100);
    const QSizeF size(60, 10);
    const std::vector<QRectF> twoAtOnePoint =
        kvt::placeLabels({{{100, 50}, size, 4}, {{100, 50}, size, 4}}, area, {}, 3);
    QVERIFY(!twoAtOnePoint[0].intersects(twoAtOnePoint[1]));
    const std::vector<QRectF> corner = kvt::placeLabels({{{198, 2}, size, 4}}, area, {}, 3);
    QVERIFY(area.contains(corner[0]));
    // Over a curve only where nothing else is free: here below the point, which is clear.
    std::vector<QPointF> curveAbove;
    for (double x = 0; x <= 200; x += 2)
      curveAbove.emplace_back(x, 35);
    const std::vector<QRectF> clear = kvt::placeLabels({{{100, 50}, size, 4}}, area, curveAbove, 3);
    QVERIFY(clear[0].top() > 50);
  }
};

QTEST_MAIN(FigureLabelsTest)
#include "figure_labels_test.moc"
