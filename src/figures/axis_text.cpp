// SPDX-License-Identifier: MIT
#include "axis_text.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QValueAxis>
#include <algorithm>

#include "nice_axis.h"

namespace kvt {

namespace {

// In points at single-column width: between the plot and its numbers, and between the numbers
// and the title. Beside the plot the numbers stand off by more than half a zero's width, and
// below it by less than half a line, so that the two zeros at the origin never meet.
constexpr double kNumberGap = 3;
constexpr double kTitleGap = 2.5;

QGraphicsSimpleTextItem* newText(QGraphicsScene& scene) {
  QGraphicsSimpleTextItem* item = scene.addSimpleText({});
  item->setBrush(Qt::black);
  // Above the charts, which paint their plot areas white.
  item->setZValue(1);
  return item;
}

}  // namespace

AxisText::AxisText(QGraphicsScene& scene, bool levelYTitle)
    : scene_(scene), levelYTitle_(levelYTitle), xTitle_(newText(scene)), yTitle_(newText(scene)) {
  if (!levelYTitle_) yTitle_->setRotation(-90);
}

AxisText::~AxisText() {
  for (QGraphicsSimpleTextItem* item : items())
    delete item;
}

void AxisText::setTitles(const FigureAxis& x, const FigureAxis& y, bool showsX) {
  showsX_ = showsX;
  xTitle_->setText(QString::fromStdString(x.text()));
  xTitle_->setVisible(showsX);
  const QString title = QString::fromStdString(y.title);
  const QString unit = QString::fromStdString(y.unit);
  yTitle_->setText(levelYTitle_ && !unit.isEmpty() ? title + "\n(" + unit + ")"
                                                   : QString::fromStdString(y.text()));
}

void AxisText::setStyle(const FigureStyle& style) {
  style_ = style;
  xTitle_->setFont(style.font(FigureStyle::kAxisTitlePoints));
  yTitle_->setFont(style.font(FigureStyle::kAxisTitlePoints));
  for (auto* numbers : {&xNumbers_, &yNumbers_})
    for (QGraphicsSimpleTextItem* item : *numbers)
      item->setFont(style.font(FigureStyle::kTickPoints));
}

double AxisText::halfLine() const {
  return QFontMetricsF(style_.font(FigureStyle::kTickPoints)).height() / 2;
}

double AxisText::leftRoom(const QValueAxis& y) const {
  const QFontMetricsF numbers(style_.font(FigureStyle::kTickPoints));
  // Rotated, the title takes its height across; level, its width.
  const QRectF title = yTitle_->boundingRect();
  const double titleRoom = levelYTitle_ ? title.width() : title.height();
  return titleRoom + style_.units(kTitleGap) + widestTickLabel(y, numbers) +
         style_.units(kNumberGap);
}

double AxisText::bottomRoom() const {
  if (!showsX_) return halfLine();
  const double line = QFontMetricsF(style_.font(FigureStyle::kTickPoints)).height();
  return style_.units(kNumberGap) / 2 + line + style_.units(kTitleGap) +
         xTitle_->boundingRect().height();
}

void AxisText::setNumbers(std::vector<QGraphicsSimpleTextItem*>& items, const QValueAxis& axis,
                          bool shown) {
  const std::vector<double> values = shown ? tickValues(axis) : std::vector<double>();
  while (items.size() > values.size()) {
    delete items.back();
    items.pop_back();
  }
  while (items.size() < values.size()) {
    items.push_back(newText(scene_));
    items.back()->setFont(style_.font(FigureStyle::kTickPoints));
  }
  for (std::size_t k = 0; k < values.size(); ++k)
    items[k]->setText(tickText(values[k], axis.tickInterval()));
}

void AxisText::place(const QValueAxis& x, const QValueAxis& y, const QRectF& plot, double left) {
  setNumbers(xNumbers_, x, showsX_);
  setNumbers(yNumbers_, y, true);
  const auto along = [](const QValueAxis& axis, double value) {
    return (value - axis.min()) / (axis.max() - axis.min());
  };
  const double gap = style_.units(kNumberGap);
  const std::vector<double> xs = tickValues(x);
  double numbersHeight = 0;
  for (std::size_t k = 0; k < xNumbers_.size(); ++k) {
    const QRectF box = xNumbers_[k]->boundingRect();
    xNumbers_[k]->setPos(plot.left() + along(x, xs[k]) * plot.width() - box.width() / 2,
                         plot.bottom() + gap / 2);
    numbersHeight = std::max(numbersHeight, box.height());
  }
  const std::vector<double> ys = tickValues(y);
  double numbersWidth = 0;
  for (std::size_t k = 0; k < yNumbers_.size(); ++k) {
    const QRectF box = yNumbers_[k]->boundingRect();
    yNumbers_[k]->setPos(plot.left() - gap - box.width(),
                         plot.bottom() - along(y, ys[k]) * plot.height() - box.height() / 2);
    numbersWidth = std::max(numbersWidth, box.width());
  }
  const QRectF xBox = xTitle_->boundingRect();
  xTitle_->setPos(plot.center().x() - xBox.width() / 2,
                  plot.bottom() + gap / 2 + numbersHeight + style_.units(kTitleGap));
  const QRectF yBox = yTitle_->boundingRect();
  if (levelYTitle_) {
    yTitle_->setPos(left, plot.center().y() - yBox.height() / 2);
  } else {
    // Turned a quarter to the left about its top left corner: it then reaches up from there.
    const double right = plot.left() - gap - numbersWidth - style_.units(kTitleGap);
    yTitle_->setPos(right - yBox.height(), plot.center().y() + yBox.width() / 2);
  }
}

std::vector<QGraphicsSimpleTextItem*> AxisText::items() const {
  std::vector<QGraphicsSimpleTextItem*> all = {xTitle_, yTitle_};
  all.insert(all.end(), xNumbers_.begin(), xNumbers_.end());
  all.insert(all.end(), yNumbers_.begin(), yNumbers_.end());
  return all;
}

}  // namespace kvt
