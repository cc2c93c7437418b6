// SPDX-License-Identifier: MIT
#include "figure_scene.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kvt {

namespace {

// Pixel sizes on a figure about 800 units wide: a report figure's proportions.
constexpr int kTitlePixels = 15;
constexpr int kAxisTitlePixels = 13;
constexpr int kLabelPixels = 12;
constexpr qreal kLineWidth = 1.6;
// A legend below the plot holds one row, about this many entries on a report figure; a family
// of more curves (a parameter study) lists them in a column on the right instead.
constexpr std::size_t kLegendEntriesInARow = 6;

// The Okabe–Ito colours, told apart also by readers with a colour vision deficiency, darkest
// first so that a single curve prints black-ish on grey-scale paper.
const QColor kCurveColours[] = {QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00),
                                QColor(0x00, 0x9E, 0x73), QColor(0xCC, 0x79, 0xA7),
                                QColor(0x00, 0x00, 0x00), QColor(0xE6, 0x9F, 0x00),
                                QColor(0x56, 0xB4, 0xE9)};
const QColor kPeakColour(0xC0, 0x00, 0x00);
const QColor kSelectionColour(0x00, 0x00, 0x00);
const QColor kGridColour(0xD9, 0xD9, 0xD9);

QFont figureFont(int pixels, bool bold = false) {
  QFont font;
  font.setFamilies({"DejaVu Sans", "IPAPGothic", "IPAGothic"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  // Figures are scaled to any size and printed: the outlines as drawn, not fitted to the screen's
  // pixel grid (which also spares running each glyph's hinting program).
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

// A curve of more points than a plot has pixels across is drawn through the lowest and the
// highest point of each run of neighbours, in their order, and its two ends: the same picture
// from a fraction of the points, so a bar of 20,000 segments redraws as quickly as a short one.
QList<QPointF> points(const FigureCurve& curve) {
  constexpr std::size_t kRuns = 1000;
  const std::size_t n = std::min(curve.x.size(), curve.y.size());
  const auto at = [&](std::size_t k) { return QPointF(curve.x[k], curve.y[k]); };
  QList<QPointF> list;
  if (n <= 2 * kRuns) {
    list.reserve(static_cast<qsizetype>(n));
    for (std::size_t k = 0; k < n; ++k)
      list.append(at(k));
    return list;
  }
  list.reserve(2 * kRuns + 2);
  list.append(at(0));
  for (std::size_t run = 0; run < kRuns; ++run) {
    const std::size_t begin = run * n / kRuns;
    const std::size_t end = (run + 1) * n / kRuns;
    std::size_t low = begin;
    std::size_t high = begin;
    for (std::size_t k = begin; k < end; ++k) {
      if (curve.y[k] < curve.y[low]) low = k;
      if (curve.y[k] > curve.y[high]) high = k;
    }
    list.append(at(std::min(low, high)));
    if (low != high) list.append(at(std::max(low, high)));
  }
  list.append(at(n - 1));
  return list;
}

QValueAxis* makeAxis(Qt::Alignment alignment, QChart* chart) {
  auto* axis = new QValueAxis;
  axis->setLabelsFont(figureFont(kLabelPixels));
  axis->setLabelsBrush(Qt::black);
  axis->setTitleFont(figureFont(kAxisTitlePixels));
  axis->setTitleBrush(Qt::black);
  axis->setLinePen(QPen(Qt::black, 1));
  axis->setGridLinePen(QPen(kGridColour, 1));
  axis->setMinorGridLineVisible(false);
  axis->setLabelFormat("%g");
  chart->addAxis(axis, alignment);
  return axis;
}

// From 0 (or the smallest value below it) to the largest value, with room above the top for
// the label of a mark, rounded out to whole ticks at 1, 2, 2.5 or 5 times a power of ten: the
// finest such spacing that needs no more than `maxLabels` tick labels. Qt Charts drops the text
// of a tick label that does not get its line height, so a short panel takes fewer labels.
void setNiceRange(QValueAxis* axis, double low, double high, double headroom, int maxLabels) {
  if (!std::isfinite(low) || !std::isfinite(high)) low = high = 0;
  low = std::min(low, 0.0);
  high = std::max(high, 0.0);
  high += (high - low) * headroom;
  if (!(high > low)) high = low + 1;
  double power = std::pow(10.0, std::floor(std::log10((high - low) / maxLabels)));
  double spacing = 0;
  for (int guard = 0; spacing == 0 && guard < 4; ++guard, power *= 10)
    for (const double step : {1.0, 2.0, 2.5, 5.0}) {
      const double labels = std::ceil(high / (step * power)) - std::floor(low / (step * power)) + 1;
      if (labels <= maxLabels) {
        spacing = step * power;
        break;
      }
    }
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(spacing);
  // Qt Charts steps from tick to tick by adding the spacing, which may overshoot the last one by
  // a rounding error and drop it: the range ends a hair beyond it.
  axis->setRange(std::floor(low / spacing) * spacing,
                 std::ceil(high / spacing) * spacing * (1 + 1e-9) + spacing * 1e-9);
}

struct Bounds {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  void add(double v) {
    if (!std::isfinite(v)) return;
    low = std::min(low, v);
    high = std::max(high, v);
  }
};

}  // namespace

struct FigureScene::Panel {
  QChart* chart = nullptr;
  QValueAxis* x = nullptr;
  QValueAxis* y = nullptr;
  std::vector<QLineSeries*> curves;
  std::vector<QScatterSeries*> marks;
};

FigureScene::FigureScene(QObject* parent) : QGraphicsScene(parent) {
  setBackgroundBrush(Qt::white);
  for (QGraphicsSimpleTextItem*& line : titleLines_) {
    line = addSimpleText({}, figureFont(kTitlePixels, true));
    line->setBrush(Qt::black);
  }
}

FigureScene::~FigureScene() = default;

QList<QColor> FigureScene::inkColours() {
  QList<QColor> inks(std::begin(kCurveColours), std::end(kCurveColours));
  inks.append(kPeakColour);
  return inks;
}

bool FigureScene::sameShape(const Figure& figure) const {
  if (figure.panels.size() != panels_.size()) return false;
  for (std::size_t k = 0; k < panels_.size(); ++k)
    if (figure.panels[k].curves.size() != panels_[k]->curves.size() ||
        figure.panels[k].marks.size() != panels_[k]->marks.size())
      return false;
  return true;
}

void FigureScene::setFigure(const Figure& figure) {
  if (!sameShape(figure)) rebuild(figure);
  update(figure);
  layout(size_);
}

void FigureScene::rebuild(const Figure& figure) {
  for (const auto& panel : panels_)
    delete panel->chart;
  panels_.clear();
  for (const FigurePanel& content : figure.panels) {
    auto panel = std::make_unique<Panel>();
    QChart* chart = panel->chart = new QChart;
    chart->setTheme(QChart::ChartThemeLight);
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundPen(Qt::NoPen);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    // Room on the right for half the widest tick label, which is centred on the axis' end.
    chart->setMargins(QMargins(2, 2, 24, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setFont(figureFont(kLabelPixels));
    chart->legend()->setLabelColor(Qt::black);
    chart->legend()->setAlignment(content.curves.size() > kLegendEntriesInARow ? Qt::AlignRight
                                                                               : Qt::AlignBottom);
    chart->legend()->setVisible(content.curves.size() > 1);
    panel->x = makeAxis(Qt::AlignBottom, chart);
    panel->y = makeAxis(Qt::AlignLeft, chart);
    for (std::size_t k = 0; k < content.curves.size(); ++k) {
      auto* series = new QLineSeries;
      chart->addSeries(series);
      series->attachAxis(panel->x);
      series->attachAxis(panel->y);
      QPen pen(kCurveColours[k % std::size(kCurveColours)], kLineWidth);
      // Every other curve dashed, so that two curves stay apart on a grey-scale print.
      pen.setStyle(k % 2 == 0 ? Qt::SolidLine : Qt::DashLine);
      pen.setCapStyle(Qt::FlatCap);
      series->setPen(pen);
      panel->curves.push_back(series);
    }
    for (const FigureMark& mark : content.marks) {
      auto* series = new QScatterSeries;
      chart->addSeries(series);
      series->attachAxis(panel->x);
      series->attachAxis(panel->y);
      const bool peak = mark.kind == FigureMark::Kind::Peak;
      series->setMarkerShape(peak ? QScatterSeries::MarkerShapeCircle
                                  : QScatterSeries::MarkerShapeRectangle);
      series->setMarkerSize(peak ? 9 : 10);
      series->setColor(peak ? kPeakColour : Qt::white);
      series->setBorderColor(peak ? kPeakColour : kSelectionColour);
      series->setPen(QPen(peak ? kPeakColour : kSelectionColour, 1.5));
      series->setPointLabelsVisible(true);
      series->setPointLabelsClipping(false);
      series->setPointLabelsFont(figureFont(kLabelPixels));
      series->setPointLabelsColor(peak ? kPeakColour : kSelectionColour);
      for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
      panel->marks.push_back(series);
    }
    addItem(chart);
    panels_.push_back(std::move(panel));
  }
}

void FigureScene::update(const Figure& figure) {
  title_ = text(figure.title);
  // The panels share one x range.
  Bounds xs;
  for (const FigurePanel& content : figure.panels) {
    for (const FigureCurve& curve : content.curves)
      for (const double v : curve.x)
        xs.add(v);
    for (const FigureMark& mark : content.marks)
      xs.add(mark.x);
  }
  for (std::size_t k = 0; k < panels_.size(); ++k) {
    const FigurePanel& content = figure.panels[k];
    Panel& panel = *panels_[k];
    Bounds ys;
    for (std::size_t c = 0; c < content.curves.size(); ++c) {
      const FigureCurve& curve = content.curves[c];
      for (const double v : curve.y)
        ys.add(v);
      panel.curves[c]->setName(text(curve.title));
      panel.curves[c]->replace(points(curve));
    }
    for (std::size_t m = 0; m < content.marks.size(); ++m) {
      const FigureMark& mark = content.marks[m];
      ys.add(mark.y);
      panel.marks[m]->setName(text(mark.label));
      // A format without placeholders is printed as it stands.
      panel.marks[m]->setPointLabelsFormat(text(mark.label));
      panel.marks[m]->replace(QList<QPointF>{QPointF(mark.x, mark.y)});
    }
    const bool showsXAxis = k + 1 == panels_.size();
    panel.x->setTitleText(text(content.x.text()));
    panel.x->setTitleVisible(showsXAxis);
    panel.x->setLabelsVisible(showsXAxis);
    panel.y->setTitleText(text(content.y.text()));
    setNiceRange(panel.x, xs.low, xs.high, 0.0, 8);
    setNiceRange(panel.y, ys.low, ys.high, content.marks.empty() ? 0.02 : 0.1,
                 panels_.size() > 1 ? 5 : 8);
  }
}

void FigureScene::layout(QSizeF size) {
  size_ = size;
  setSceneRect(QRectF(QPointF(0, 0), size));
  // A title too wide for one line breaks after what the figure shows, before the case; a line
  // still too wide loses its end.
  const qreal room = size.width() - 16;
  const QFontMetricsF metrics(titleLines_[0]->font());
  QStringList lines = {title_};
  const qsizetype dash = title_.indexOf(" — ");
  if (metrics.horizontalAdvance(title_) > room && dash > 0)
    lines = {title_.left(dash), title_.mid(dash + 3)};
  qreal top = 8;
  for (std::size_t k = 0; k < titleLines_.size(); ++k) {
    QGraphicsSimpleTextItem* item = titleLines_[k];
    const bool used = k < static_cast<std::size_t>(lines.size());
    item->setVisible(used);
    if (!used) continue;
    item->setText(metrics.elidedText(lines[static_cast<qsizetype>(k)], Qt::ElideRight, room));
    item->setPos((size.width() - item->boundingRect().width()) / 2, top);
    top += item->boundingRect().height();
  }
  top += 4;
  // Stacked panels show the shared x axis' labels and title only under the last one, which gets
  // the extra height for them, so that all plot areas come out the same height.
  const std::size_t count = std::max<std::size_t>(panels_.size(), 1);
  const qreal xAxisBand = count > 1 ? 2.0 * kLabelPixels + 1.6 * kAxisTitlePixels : 0;
  const qreal height = (size.height() - top - 4 - xAxisBand) / static_cast<qreal>(count);
  // Each chart lays itself out over the full width first; then each moves its edges in by what
  // its plot area has beyond the narrowest one, so that the plot areas of all panels line up.
  std::vector<QRectF> boxes;
  qreal left = 0;
  qreal right = size.width();
  for (std::size_t k = 0; k < panels_.size(); ++k) {
    const qreal h = height + (k + 1 == panels_.size() ? xAxisBand : 0);
    boxes.emplace_back(0, top, size.width(), h);
    top += h;
    QChart* chart = panels_[k]->chart;
    chart->setGeometry(boxes.back());
    chart->layout()->invalidate();
    chart->layout()->activate();
    left = std::max(left, chart->plotArea().left());
    right = std::min(right, chart->plotArea().right());
  }
  for (std::size_t k = 0; k < panels_.size(); ++k) {
    QChart* chart = panels_[k]->chart;
    const QRectF area = chart->plotArea();
    if (area.left() == left && area.right() == right) continue;
    chart->setGeometry(boxes[k].adjusted(left - area.left(), 0, right - area.right(), 0));
    chart->layout()->activate();
  }
}

QRectF FigureScene::plotArea(int panel) const {
  const QChart* chart = panels_.at(static_cast<std::size_t>(panel))->chart;
  return chart->mapRectToScene(chart->plotArea());
}

QPointF FigureScene::mapToScene(int panel, double x, double y) const {
  const Panel& p = *panels_.at(static_cast<std::size_t>(panel));
  return p.chart->mapToScene(
      p.chart->mapToPosition(QPointF(x, y), p.curves.empty() ? nullptr : p.curves.front()));
}

}  // namespace kvt
