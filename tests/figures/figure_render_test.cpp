// SPDX-License-Identifier: MIT
// The four report figures of the default run written as PNG, SVG and PDF, on the offscreen
// platform.
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QProcess>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <fstream>

#include "analysis/run_record.h"
#include "figures/figure_render.h"
#include "figures/figure_scene.h"
#include "figures/report_figures.h"
#include "support/committed_defaults.h"
#include "support/temp_dir.h"

using kvt::Figure;
using kvt::FigureFormat;
using kvt::FigureSize;

namespace {

bool inkNear(const QImage& image, QPointF at, int radius) {
  for (int dx = -radius; dx <= radius; ++dx)
    for (int dy = -radius; dy <= radius; ++dy) {
      const QPoint p = at.toPoint() + QPoint(dx, dy);
      if (image.rect().contains(p) && QColor(image.pixel(p)).lightness() < 200) return true;
    }
  return false;
}

// Where a value of a panel lands in a PNG of `size`, and where its plot area lies.
struct PngLayout {
  PngLayout(const Figure& figure, FigureSize size) : canvas(kvt::figureCanvas(size)) {
    scene.layout(canvas, kvt::kFileUnitsPerPoint);
    scene.setFigure(figure);
    scale = kvt::figurePixels(size).width() / canvas.width();
  }
  QPointF pixelOf(int panel, double x, double y) const {
    return scene.mapToScene(panel, x, y) * scale;
  }
  QRectF plotArea(int panel) const {
    const QRectF area = scene.plotArea(panel);
    return {area.topLeft() * scale, area.size() * scale};
  }
  QSizeF canvas;
  kvt::FigureScene scene;
  double scale = 1;
};

// The texts of an SVG in order, run together: a line set in two fonts is two text elements.
QString svgText(const QByteArray& svg) {
  QString text;
  static const QRegularExpression element(">([^<]*)</text>");
  for (auto match = element.globalMatch(QString::fromUtf8(svg)); match.hasNext();)
    text += match.next().captured(1);
  return text.replace("&amp;", "&");
}

}  // namespace

class FigureRenderTest : public QObject {
  Q_OBJECT

  kvt::RunRecord run_;
  std::vector<std::pair<const char*, Figure>> figures_;

 private slots:
  void initTestCase() {
    const kvt::AnalysisParameters p = kvt::testing::committedDefaults();
    run_ = kvt::recordRun(p);
    const auto sections = run_.sections(251);
    figures_ = {{"load-slip", kvt::loadSlipFigure(run_, kvt::UnitSystem::KgfCm)},
                {"tau-slip", kvt::tauSlipFigure(run_, kvt::UnitSystem::KgfCm)},
                {"profile", kvt::profileFigure(run_, 251, sections, kvt::UnitSystem::KgfCm)},
                {"bond-law", kvt::bondLawFigure(run_, kvt::UnitSystem::SI)}};
  }

  void pngHasTheSizeAskedForAndInkOnTheCurves() {
    for (const FigureSize size : {FigureSize{}, FigureSize{85, 60}}) {
      for (const auto& [name, figure] : figures_) {
        QImage image;
        QVERIFY(image.loadFromData(kvt::renderFigure(figure, FigureFormat::Png, size), "PNG"));
        QCOMPARE(image.size(), kvt::figurePixels(size));
        const PngLayout layout(figure, size);
        for (int k = 0; k < static_cast<int>(figure.panels.size()); ++k) {
          const kvt::FigureCurve& curve = figure.panels[static_cast<std::size_t>(k)].curves[0];
          for (const std::size_t at : {curve.x.size() / 4, curve.x.size() / 2})
            QVERIFY2(inkNear(image, layout.pixelOf(k, curve.x[at], curve.y[at]), 2), name);
        }
        // Just inside the top right corner of the first plot, above every curve: white paper.
        const QPointF corner = layout.plotArea(0).topRight() + QPointF(-6, 6);
        QVERIFY2(!inkNear(image, corner, 3), name);
      }
    }
  }

  // A long curve is drawn from fewer points than it has, never losing a peak between them.
  void aSpikeInALongCurveIsDrawn() {
    kvt::FigureCurve curve{"spike", {}, {}};
    for (int k = 0; k <= 20000; ++k) {
      curve.x.push_back(k);
      curve.y.push_back(k == 12345 ? 1.0 : 0.0);
    }
    const Figure figure = kvt::curveFigure("spike", {"x", ""}, {"y", ""}, {curve});
    QImage image;
    QVERIFY(image.loadFromData(kvt::renderFigure(figure, FigureFormat::Png), "PNG"));
    const PngLayout layout(figure, FigureSize{});
    QVERIFY(inkNear(image, layout.pixelOf(0, 12345, 0.98), 2));
    QVERIFY(!inkNear(image, layout.pixelOf(0, 6000, 0.98), 2));
  }

  void svgCarriesAxisTitlesWithUnitsAsText() {
    for (const auto& [name, figure] : figures_) {
      const QString text = svgText(kvt::renderFigure(figure, FigureFormat::Svg));
      // A stacked panel's title has its unit on a line of its own.
      for (const kvt::FigurePanel& panel : figure.panels)
        QVERIFY2(text.contains(QString::fromStdString(panel.y.title)) &&
                     text.contains("(" + QString::fromStdString(panel.y.unit) + ")"),
                 name);
      QVERIFY2(text.contains(QString::fromStdString(figure.panels.back().x.text())), name);
    }
    const QString law = svgText(kvt::renderFigure(figures_[3].second, FigureFormat::Svg));
    QVERIFY(law.contains("slip s (mm)"));
    QVERIFY(law.contains("local bond stress τ (MPa)"));
  }

  void pdfIsAcceptedByPdfinfo() {
    kvt::testing::TempDir dir;
    for (const auto& [name, figure] : figures_) {
      const std::string path = dir.file(std::string(name) + ".pdf");
      const QByteArray pdf = kvt::renderFigure(figure, FigureFormat::Pdf);
      std::ofstream(path, std::ios::binary).write(pdf.constData(), pdf.size());
      QProcess pdfinfo;
      pdfinfo.start("pdfinfo", {QString::fromStdString(path)});
      QVERIFY(pdfinfo.waitForFinished(20000));
      QCOMPARE(pdfinfo.exitCode(), 0);
      const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
      QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
      // 160 × 100 mm, in whole points
      QVERIFY2(info.contains(QRegularExpression("Page size:\\s+454 x 283 pts")), qPrintable(info));
    }
  }

  // Figures are for paper: a dark desktop changes nothing in them.
  void aDarkDesktopChangesNothing() {
    const QByteArray light = kvt::renderFigure(figures_[0].second, FigureFormat::Png);
    const QString style = QApplication::style()->name();
    const QPalette palette = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QPalette dark;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
      dark.setColor(role, QColor(0x30, 0x30, 0x30));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      dark.setColor(role, Qt::white);
    QApplication::setPalette(dark);
    const QByteArray underDark = kvt::renderFigure(figures_[0].second, FigureFormat::Png);
    QApplication::setPalette(palette);
    QApplication::setStyle(style);
    QVERIFY(light == underDark);
  }
};

QTEST_MAIN(FigureRenderTest)
#include "figure_render_test.moc"
