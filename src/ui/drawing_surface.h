// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

namespace kvt::ui {

// A drawing area with a user coordinate system, as the graphs draw on it: clear, scale by the
// coordinates of the top-left and bottom-right corners, set a point, draw a line from the
// current point or between two points, read and set the line width in pixels.
//
// The drawing is kept in an image, so covering and uncovering the window never erases it.
// Drawing operations are only recorded, a few bytes each, and painted into the image in one batch
// when the picture is needed (a repaint, or `picture`): a run draws hundreds of thousands of
// segments, most of which a later clear discards unseen, and many of which fall within one pixel.
// The screen is brought up to date when the owner asks for it (`present`), at the pace it
// chooses.
class DrawingSurface : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingSurface(QWidget* parent = nullptr);

  void clear();
  // An empty range (left = right or top = bottom) is widened to one unit, so that a bar of one
  // segment or a zero stress still gives a usable coordinate system.
  void setScale(double left, double top, double right, double bottom);
  void setPoint(double x, double y);
  void lineTo(double x, double y) {
    if (commands_.empty()) begin();
    current_ = {x, y};
    commands_.push_back({Command::LineTo, lineWidth_, x, y});
  }
  void line(double x1, double y1, double x2, double y2);
  int lineWidth() const { return lineWidth_; }
  void setLineWidth(int width) { lineWidth_ = width; }

  // Asks for a repaint showing everything drawn so far.
  void present() { update(); }
  // The drawing as it stands, with every recorded operation painted.
  const QImage& picture();
  // Where a user coordinate lands in the current coordinate system, in pixels of the surface.
  QPointF toPixel(double x, double y) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Command {
    enum Kind : std::uint8_t { Scale, MoveTo, Point, LineTo };
    Kind kind;
    int width;
    double x, y;  // for Scale: x is the index into scales_
  };
  using Scale = std::array<double, 4>;  // left, top, right, bottom

  void begin();
  void pushScale();
  void paintPending();

  QImage image_;
  std::vector<Command> commands_;
  std::vector<Scale> scales_;
  Scale scale_{0, 0, 1, 1};
  QPointF current_;  // in user coordinates
  int lineWidth_ = 1;
};

}  // namespace kvt::ui
