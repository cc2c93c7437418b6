// SPDX-License-Identifier: MIT
#include "figure_render.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "figure_scene.h"

namespace kvt {

namespace {

void draw(FigureScene& scene, QPainter& painter, QRectF target) {
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  scene.render(&painter, target, scene.sceneRect());
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
  image.save(&buffer, "PNG");
  return bytes;
}

QByteArray svg(FigureScene& scene, const Figure& figure, QSizeF canvas) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
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
    writer.setPageSize(QPageSize(canvas, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QString::fromStdString(figure.title));
    writer.setCreator("kvt");
    QPainter painter(&writer);
    draw(scene, painter, QRectF(QPointF(0, 0), canvas));
  }
  return bytes;
}

}  // namespace

QSizeF figureCanvas(FigureSize size) {
  constexpr double kWidth = 800;
  return {kWidth, kWidth * std::max(size.height, 1) / std::max(size.width, 1)};
}

QByteArray renderFigure(const Figure& figure, FigureFormat format, FigureSize size) {
  const QSize pixels(std::max(size.width, 1), std::max(size.height, 1));
  const QSizeF canvas = figureCanvas(size);
  FigureScene scene;
  scene.layout(canvas);
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
