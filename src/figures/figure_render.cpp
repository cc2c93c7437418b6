// SPDX-License-Identifier: MIT
#include "figure_render.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "figure_scene.h"

namespace kvt {

namespace {

void draw(FigureScene& scene, QPainter& painter, QRectF target) {
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  scene.render(&painter, target, scene.sceneRect());
}

// A figure is black text and grey lines on white with a few coloured inks, antialiased against
// white. A palette of 64 greys and each ink blended with white in 15 steps holds every pixel to
// within a shade the eye cannot tell, and a paletted PNG is compressed without the row filters
// that make a full-colour one slow: a third of the bytes in a fraction of the time.
QImage withFigurePalette(const QImage& image) {
  constexpr int kGreys = 64;
  constexpr int kInkSteps = 15;
  QList<QRgb> palette;
  for (int k = 0; k < kGreys; ++k) {
    const int level = k * 255 / (kGreys - 1);
    palette.append(qRgb(level, level, level));
  }
  for (const QColor& ink : FigureScene::inkColours())
    for (int step = 1; step <= kInkSteps; ++step) {
      const auto blend = [step](int channel) { return 255 - (255 - channel) * step / kInkSteps; };
      palette.append(qRgb(blend(ink.red()), blend(ink.green()), blend(ink.blue())));
    }
  QImage indexed(image.size(), QImage::Format_Indexed8);
  indexed.setColorTable(palette);
  std::unordered_map<QRgb, uchar> nearest;
  const auto closest = [&](QRgb pixel) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int k = 0; k < palette.size(); ++k) {
      const int dr = qRed(pixel) - qRed(palette[k]);
      const int dg = qGreen(pixel) - qGreen(palette[k]);
      const int db = qBlue(pixel) - qBlue(palette[k]);
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        best = k;
        bestDistance = distance;
      }
    }
    return static_cast<uchar>(best);
  };
  // Most pixels repeat their left neighbour (white paper above all), so the last one is kept.
  const int width = image.width();
  QRgb last = qRgb(255, 255, 255);
  uchar lastIndex = kGreys - 1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = in[x] | ~RGB_MASK;
      if (pixel != last) {
        last = pixel;
        if (qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel)) {
          lastIndex = static_cast<uchar>((qRed(pixel) * (kGreys - 1) + 127) / 255);
        } else {
          const auto [at, fresh] = nearest.try_emplace(pixel, 0);
          if (fresh) at->second = closest(pixel);
          lastIndex = at->second;
        }
      }
      out[x] = lastIndex;
    }
  }
  return indexed;
}

QByteArray png(FigureScene& scene, QSize pixels) {
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    draw(scene, painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // Quality 80 asks zlib for its fastest level; a paletted figure stays small anyway.
  withFigurePalette(image).save(&buffer, "PNG", 80);
  return bytes;
}

QByteArray svg(FigureScene& scene, const Figure& figure, QSizeF canvas) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  // Units at this resolution give the drawing its size in millimetres.
  generator.setResolution(static_cast<int>(72 * kFileUnitsPerPoint));
  generator.setSize(canvas.toSize());
  generator.setViewBox(QRectF(QPointF(0, 0), canvas));
  generator.setTitle(QString::fromStdString(figure.title));
  generator.setDescription("Drawn by kvt");
  {
    QPainter painter(&generator);
    draw(scene, painter, QRectF(QPointF(0, 0), canvas));
  }
  return bytes;
}

QByteArray pdf(FigureScene& scene, const Figure& figure, QSizeF canvas) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    // At 72 dots per inch one unit of the drawing is one point of the page.
    writer.setResolution(72);
    const QSizeF page = canvas / kFileUnitsPerPoint;
    writer.setPageSize(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QString::fromStdString(figure.title));
    writer.setCreator("kvt");
    QPainter painter(&writer);
    // The page holds whole points: the drawing fills it, a fraction of a point larger.
    draw(scene, painter, QRectF(0, 0, writer.width(), writer.height()));
  }
  return bytes;
}

}  // namespace

QSizeF figureCanvas(FigureSize size) {
  constexpr double kPointsPerMm = 72 / 25.4;
  return QSizeF(size.widthMm, size.heightMm) * kPointsPerMm * kFileUnitsPerPoint;
}

QSize figurePixels(FigureSize size) {
  return {std::max(1, static_cast<int>(std::lround(size.widthMm * kFigurePixelsPerMm))),
          std::max(1, static_cast<int>(std::lround(size.heightMm * kFigurePixelsPerMm)))};
}

QByteArray renderFigure(const Figure& figure, FigureFormat format, FigureSize size) {
  const QSize pixels = figurePixels(size);
  const QSizeF canvas = figureCanvas(size);
  FigureScene scene;
  scene.layout(canvas, kFileUnitsPerPoint);
  scene.setFigure(figure);
  switch (format) {
    case FigureFormat::Png:
      return png(scene, pixels);
    case FigureFormat::Svg:
      return svg(scene, figure, canvas);
    case FigureFormat::Pdf:
      return pdf(scene, figure, canvas);
  }
  return {};
}

}  // namespace kvt
