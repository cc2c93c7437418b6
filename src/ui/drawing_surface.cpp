// SPDX-License-Identifier: MIT
#include "drawing_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace kvt::ui {

namespace {

// Far outside any window, yet safe for the painter's integer arithmetic.
constexpr double kPixelLimit = 1e6;

double clampPixel(double value) {
  if (std::isnan(value)) return kPixelLimit;
  return std::clamp(value, -kPixelLimit, kPixelLimit);
}

// User coordinates to pixels for one coordinate system.
struct Transform {
  Transform(const std::array<double, 4>& scale, QSize size)
      : left(scale[0]),
        top(scale[1]),
        xPerUnit(size.width() / (scale[2] - scale[0])),
        yPerUnit(size.height() / (scale[3] - scale[1])) {}
  double left, top, xPerUnit, yPerUnit;
  double x(double user) const { return (user - left) * xPerUnit; }
  double y(double user) const { return (user - top) * yPerUnit; }
};

// Collects lines and points of one width and hands them to the painter in one call.
class Batch {
 public:
  explicit Batch(QPainter& painter) : painter_(painter), pen_(painter.pen()) {}
  ~Batch() { flush(); }
  void setWidth(int width) {
    if (width == width_) return;
    flush();
    width_ = width;
    // Width 1 is the thin cosmetic line; wider pens are centred on the line.
    pen_.setWidth(width <= 1 ? 0 : width);
    painter_.setPen(pen_);
  }
  void line(QPointF from, QPointF to) { lines_.emplace_back(from, to); }
  void point(QPointF at) { points_.push_back(at); }

 private:
  void flush() {
    if (!lines_.empty()) painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    if (!points_.empty()) painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
    lines_.clear();
    points_.clear();
  }
  QPainter& painter_;
  QPen pen_;
  int width_ = -1;
  std::vector<QLineF> lines_;
  std::vector<QPointF> points_;
};

}  // namespace

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingSurface::clear() {
  commands_.clear();
  scales_.clear();
  if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(palette().color(QPalette::Window));
}

void DrawingSurface::setScale(double left, double top, double right, double bottom) {
  if (!(right != left)) right = left + 1;
  if (!(bottom != top)) bottom = top + 1;
  scale_ = {left, top, right, bottom};
  if (commands_.empty()) return;
  // The current point is kept in user coordinates: in the new system it lands elsewhere.
  pushScale();
  commands_.push_back({Command::MoveTo, lineWidth_, current_.x(), current_.y()});
}

QPointF DrawingSurface::toPixel(double x, double y) const {
  const Transform transform(scale_, size());
  return {clampPixel(transform.x(x)), clampPixel(transform.y(y))};
}

// The first operation after a clear records the coordinate system and the current point it
// starts from.
void DrawingSurface::begin() {
  pushScale();
  commands_.push_back({Command::MoveTo, lineWidth_, current_.x(), current_.y()});
}

void DrawingSurface::pushScale() {
  commands_.push_back({Command::Scale, lineWidth_, static_cast<double>(scales_.size()), 0});
  scales_.push_back(scale_);
}

void DrawingSurface::setPoint(double x, double y) {
  if (commands_.empty()) begin();
  current_ = {x, y};
  commands_.push_back({Command::Point, lineWidth_, x, y});
}

void DrawingSurface::line(double x1, double y1, double x2, double y2) {
  if (commands_.empty()) begin();
  commands_.push_back({Command::MoveTo, lineWidth_, x1, y1});
  lineTo(x2, y2);
}

void DrawingSurface::paintPending() {
  if (image_.size() != size()) clear();
  if (commands_.empty()) return;
  QPainter painter(&image_);
  QPen pen(palette().color(QPalette::WindowText));
  pen.setCapStyle(Qt::SquareCap);
  painter.setPen(pen);
  Batch batch(painter);
  Transform transform(scale_, size());
  QPointF penAt;        // where the pen is, in pixels
  QPointF penCell;      // the top-left corner of the area that lands in the pen's pixel
  bool penInk = false;  // whether that pixel has been drawn since the pen moved there
  const auto movePen = [&](QPointF to) {
    penAt = {clampPixel(to.x()), clampPixel(to.y())};
    // Aliased painting puts the coordinates n − ½ up to n + ½ into pixel n.
    penCell = {std::floor(penAt.x() + 0.5) - 0.5, std::floor(penAt.y() + 0.5) - 0.5};
  };
  for (const Command& command : commands_) {
    const QPointF at(transform.x(command.x), transform.y(command.y));
    switch (command.kind) {
      case Command::Scale:
        transform = Transform(scales_[static_cast<std::size_t>(command.x)], size());
        break;
      case Command::MoveTo:
        movePen(at);
        penInk = false;
        break;
      case Command::Point:
        movePen(at);
        batch.setWidth(command.width);
        batch.point(penAt);
        penInk = true;
        break;
      case Command::LineTo: {
        // A thin line that starts and ends in the pixel the pen has already drawn adds nothing:
        // a bar of thousands of segments has many of them per pixel. A short line drawn from
        // a fresh position still leaves its dot.
        if (penInk && command.width <= 1 && at.x() >= penCell.x() && at.x() < penCell.x() + 1 &&
            at.y() >= penCell.y() && at.y() < penCell.y() + 1)
          break;
        const QPointF from = penAt;
        movePen(at);
        batch.setWidth(command.width);
        batch.line(from, penAt);
        penInk = true;
        break;
      }
    }
  }
  commands_.clear();
  scales_.clear();
}

const QImage& DrawingSurface::picture() {
  paintPending();
  return image_;
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
  paintPending();
  QPainter painter(this);
  painter.drawImage(event->rect(), image_, event->rect());
}

void DrawingSurface::resizeEvent(QResizeEvent* event) {
  // The graph windows have a fixed size; a new size starts a fresh drawing.
  QWidget::resizeEvent(event);
  if (image_.size() != size()) clear();
}

}  // namespace kvt::ui
