// SPDX-License-Identifier: MIT
#include "figure_scene.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "axis_text.h"
#include "figure_legend.h"
#include "figure_style.h"
#include "figure_title.h"
#include "label_placement.h"
#include "nice_axis.h"

namespace kvt {

namespace {

// In points at single-column width.
constexpr double kCurvePoints = 1.1;
constexpr double kAxisLinePoints = 0.6;
constexpr double kGridPoints = 0.4;
constexpr double kMarkerPoints = 4.5;
constexpr double kPeakPoints = 5.5;
constexpr double kSelectionPoints = 6;
constexpr double kLabelGap = 3;
// A curve of no more points than this has each point marked: a study's few runs, not a run's
// hundreds of steps.
constexpr std::size_t kFewPoints = 25;
// A legend below the plot holds about this many entries; a family of more curves (a parameter
// study) lists them in a column on the right instead.
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
const QColor kGuideColour(0x40, 0x40, 0x40);
constexpr double kGuidePoints = 0.8;

QColor colourOf(std::size_t curve) {
  return kCurveColours[curve % std::size(kCurveColours)];
}

// Solid, dashed, dotted, dash-dotted, dash-dot-dotted and long-dashed in turn: with the seven
// colours, forty-two curves differ in both, and any six neighbours stay apart on a grey-scale
// print. An overlay (a second answer for the same case) keeps its curve's colour in short, thin
// dashes; a measured curve is a thin solid line under its markers; a guide is a thin dash-dot
// line of reference; points set apart are open triangles drawn in black.
QPen curvePen(std::size_t look, FigureCurve::Kind kind, const FigureStyle& style) {
  constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                      Qt::DashDotLine, Qt::DashDotDotLine, Qt::CustomDashLine};
  switch (kind) {
    case FigureCurve::Kind::Guide:
      return style.pen(kGuideColour, kGuidePoints, Qt::DashDotLine);
    case FigureCurve::Kind::Points:
      return style.pen(Qt::black, kAxisLinePoints);
    case FigureCurve::Kind::Overlay: {
      QPen pen = style.pen(colourOf(look), kCurvePoints * 0.7, Qt::CustomDashLine);
      pen.setDashPattern({3, 2});
      return pen;
    }
    case FigureCurve::Kind::Measured:
      return style.pen(colourOf(look), kCurvePoints * 0.5, Qt::SolidLine);
    case FigureCurve::Kind::Line:
      break;
  }
  QPen pen = style.pen(colourOf(look), kCurvePoints, kStyles[look % std::size(kStyles)]);
  if (pen.style() == Qt::CustomDashLine) pen.setDashPattern({8, 3});
  return pen;
}

// The points marked on a curve: every point set apart, every point of a line of few, none of a
// long computed line, an overlay or a guide, and of a measured curve at most kMeasuredMarkers,
// evenly chosen.
QList<QPointF> markedPoints(const QList<QPointF>& drawn, const FigureCurve& curve) {
  switch (curve.kind) {
    case FigureCurve::Kind::Points:
      return drawn;
    case FigureCurve::Kind::Line:
      return static_cast<std::size_t>(drawn.size()) <= kFewPoints ? drawn : QList<QPointF>();
    case FigureCurve::Kind::Overlay:
    case FigureCurve::Kind::Guide:
      return {};
    case FigureCurve::Kind::Measured:
      break;
  }
  const std::size_t n = std::min(curve.x.size(), curve.y.size());
  QList<QPointF> marked;
  const std::size_t count = std::min(n, kMeasuredMarkers);
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t at = count == 1 ? 0 : k * (n - 1) / (count - 1);
    marked.append(QPointF(curve.x[at], curve.y[at]));
  }
  return marked;
}

QScatterSeries::MarkerShape scatterShape(MarkerShape shape) {
  switch (shape) {
    case MarkerShape::Circle:
      return QScatterSeries::MarkerShapeCircle;
    case MarkerShape::Square:
      return QScatterSeries::MarkerShapeRectangle;
    case MarkerShape::Triangle:
      return QScatterSeries::MarkerShapeTriangle;
    case MarkerShape::Diamond:
      return QScatterSeries::MarkerShapeRotatedRectangle;
  }
  return QScatterSeries::MarkerShapeCircle;
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
  // Its numbers and title are the scene's (AxisText).
  axis->setLabelsVisible(false);
  axis->setTitleVisible(false);
  axis->setMinorGridLineVisible(false);
  chart->addAxis(axis, alignment);
  return axis;
}

QScatterSeries* addScatter(QChart* chart, QValueAxis* x, QValueAxis* y) {
  auto* series = new QScatterSeries;
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
  return series;
}

}  // namespace

struct FigureScene::Panel {
  QChart* chart = nullptr;
  QValueAxis* x = nullptr;
  QValueAxis* y = nullptr;
  std::vector<QLineSeries*> curves;
  std::vector<QScatterSeries*> curveMarkers;  // shown on curves of few points
  std::vector<FigureCurve::Kind> kinds;
  std::vector<std::size_t> looks;  // a curve's colour, dashes and marker
  std::vector<QScatterSeries*> marks;
  std::vector<FigureMark::Kind> markKinds;
  std::vector<QGraphicsSimpleTextItem*> markLabels;
  FigureLegend* legend = nullptr;
  bool legendBeside = false;
  AxisSpan xs, ys;
  std::unique_ptr<AxisText> axisText;
  double headroom = 0;
  std::vector<QPointF> ink;  // a sample of the curves' points, which labels should not cover
};

FigureScene::FigureScene(QObject* parent) : QGraphicsScene(parent) {
  setBackgroundBrush(Qt::white);
  for (QGraphicsSimpleTextItem*& line : titleLines_) {
    line = addSimpleText({});
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
  for (std::size_t k = 0; k < panels_.size(); ++k) {
    const FigurePanel& content = figure.panels[k];
    if (content.curves.size() != panels_[k]->curves.size() ||
        content.marks.size() != panels_[k]->marks.size())
      return false;
    for (std::size_t m = 0; m < content.marks.size(); ++m)
      if (content.marks[m].kind != panels_[k]->markKinds[m]) return false;
    for (std::size_t c = 0; c < content.curves.size(); ++c)
      if (content.curves[c].kind != panels_[k]->kinds[c]) return false;
  }
  return true;
}

void FigureScene::setFigure(const Figure& figure) {
  if (!sameShape(figure)) rebuild(figure);
  update(figure);
  layout(size_, unitsPerPoint_);
}

void FigureScene::rebuild(const Figure& figure) {
  for (const auto& panel : panels_) {
    for (QGraphicsSimpleTextItem* label : panel->markLabels)
      delete label;
    delete panel->legend;
    delete panel->chart;
  }
  panels_.clear();
  for (const FigurePanel& content : figure.panels) {
    auto panel = std::make_unique<Panel>();
    QChart* chart = panel->chart = new QChart;
    chart->setTheme(QChart::ChartThemeLight);
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundPen(Qt::NoPen);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    // The scene's own legend stands in for the chart's, whose entries show no line.
    chart->legend()->setVisible(false);
    panel->x = makeAxis(Qt::AlignBottom, chart);
    panel->y = makeAxis(Qt::AlignLeft, chart);
    for (const FigureCurve& curve : content.curves) {
      auto* series = new QLineSeries;
      chart->addSeries(series);
      series->attachAxis(panel->x);
      series->attachAxis(panel->y);
      panel->curves.push_back(series);
      panel->kinds.push_back(curve.kind);
      panel->looks.push_back(0);
      panel->curveMarkers.push_back(addScatter(chart, panel->x, panel->y));
    }
    for (const FigureMark& mark : content.marks) {
      QScatterSeries* series = addScatter(chart, panel->x, panel->y);
      const bool peak = mark.kind == FigureMark::Kind::Peak;
      series->setMarkerShape(peak ? QScatterSeries::MarkerShapeCircle
                                  : QScatterSeries::MarkerShapeRectangle);
      series->setColor(peak ? kPeakColour : Qt::white);
      series->setBorderColor(peak ? kPeakColour : kSelectionColour);
      panel->marks.push_back(series);
      panel->markKinds.push_back(mark.kind);
      QGraphicsSimpleTextItem* label = addSimpleText({});
      label->setBrush(peak ? kPeakColour : kSelectionColour);
      // Above the charts, whose plot areas are painted white.
      label->setZValue(1);
      panel->markLabels.push_back(label);
    }
    panel->legendBeside = content.curves.size() > kLegendEntriesInARow;
    panel->legend = new FigureLegend;
    panel->axisText = std::make_unique<AxisText>(*this, figure.panels.size() > 1);
    addItem(chart);
    addItem(panel->legend);
    panel->legend->setZValue(1);
    panels_.push_back(std::move(panel));
  }
}

void FigureScene::update(const Figure& figure) {
  title_ = text(figure.title);
  // The panels share one x range.
  AxisSpan xs;
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
    AxisSpan ys;
    panel.ink.clear();
    std::size_t lines = 0;
    for (std::size_t c = 0; c < content.curves.size(); ++c) {
      const FigureCurve& curve = content.curves[c];
      for (const double v : curve.y)
        ys.add(v);
      const QList<QPointF> drawn = points(curve);
      panel.curves[c]->setName(text(curve.title));
      panel.curves[c]->replace(drawn);
      const QList<QPointF> marked = markedPoints(drawn, curve);
      // A curve without a look of its own takes the next among the lines; guides and points
      // set apart take none.
      const std::size_t look = curve.look >= 0 ? static_cast<std::size_t>(curve.look) : lines;
      if (curve.kind == FigureCurve::Kind::Line) ++lines;
      panel.looks[c] = look;
      const bool points = curve.kind == FigureCurve::Kind::Points;
      QScatterSeries& markers = *panel.curveMarkers[c];
      markers.setMarkerShape(scatterShape(points ? MarkerShape::Triangle : markerShapeOf(look)));
      markers.setColor(points ? Qt::white : colourOf(look));
      markers.setBorderColor(points ? Qt::black : colourOf(look));
      markers.replace(marked);
      markers.setVisible(!marked.isEmpty());
      const std::size_t every =
          std::max<std::size_t>(1, static_cast<std::size_t>(drawn.size()) / 400);
      for (qsizetype p = 0; p < drawn.size(); p += static_cast<qsizetype>(every))
        panel.ink.push_back(drawn[p]);
    }
    for (std::size_t m = 0; m < content.marks.size(); ++m) {
      const FigureMark& mark = content.marks[m];
      ys.add(mark.y);
      panel.marks[m]->setName(text(mark.label));
      panel.marks[m]->replace(QList<QPointF>{QPointF(mark.x, mark.y)});
      panel.markLabels[m]->setText(text(mark.label));
    }
    panel.axisText->setTitles(content.x, content.y, k + 1 == panels_.size());
    panel.xs = xs;
    panel.ys = ys;
    // Room above the top for the label of a mark. Points set apart mark a limit (the longest
    // length tried), at which the axis ends.
    const bool limit =
        std::any_of(content.curves.begin(), content.curves.end(),
                    [](const FigureCurve& c) { return c.kind == FigureCurve::Kind::Points; });
    panel.headroom = !content.marks.empty() ? 0.12 : limit ? 0.04 : 0.02;
    panel.ys.endsAtTop = limit;
  }
}

void FigureScene::applyStyle(const FigureStyle& style) {
  for (const auto& panel : panels_) {
    for (QValueAxis* axis : {panel->x, panel->y}) {
      axis->setLinePen(style.pen(Qt::black, kAxisLinePoints));
      axis->setGridLinePen(style.pen(kGridColour, kGridPoints));
    }
    std::vector<FigureLegend::Entry> entries;
    for (std::size_t c = 0; c < panel->curves.size(); ++c) {
      const FigureCurve::Kind kind = panel->kinds[c];
      const std::size_t look = panel->looks[c];
      const QPen pen = curvePen(look, kind, style);
      const bool hollow = kind == FigureCurve::Kind::Points;
      panel->curves[c]->setPen(hollow ? QPen(Qt::NoPen) : pen);
      panel->curveMarkers[c]->setMarkerSize(style.units(kMarkerPoints));
      panel->curveMarkers[c]->setPen(hollow ? pen : QPen(Qt::NoPen));
      entries.push_back({panel->curves[c]->name(), pen, panel->curveMarkers[c]->isVisible(),
                         hollow ? MarkerShape::Triangle : markerShapeOf(look), hollow});
    }
    panel->legend->setEntries(panel->curves.size() > 1 ? entries
                                                       : std::vector<FigureLegend::Entry>());
    for (std::size_t m = 0; m < panel->marks.size(); ++m) {
      const bool peak = panel->markKinds[m] == FigureMark::Kind::Peak;
      panel->marks[m]->setMarkerSize(style.units(peak ? kPeakPoints : kSelectionPoints));
      panel->marks[m]->setPen(style.pen(peak ? kPeakColour : kSelectionColour, 1.0));
      panel->markLabels[m]->setFont(style.font(FigureStyle::kTickPoints));
    }
    panel->axisText->setStyle(style);
  }
}

void FigureScene::layout(QSizeF size, double unitsPerPoint) {
  size_ = size;
  unitsPerPoint_ = unitsPerPoint;
  setSceneRect(QRectF(QPointF(0, 0), size));
  const FigureStyle style(size, unitsPerPoint);
  applyStyle(style);
  layoutPanels(style, layoutTitle(style));
  placeAxisTexts(style);
  placeLegends(style);
  placeMarkLabels(style);
}

// The title's lines (`titleLines`), centred. Returns where the panels start.
double FigureScene::layoutTitle(const FigureStyle& style) {
  const double room = size_.width() - style.units(8);
  const std::vector<TitleLine> lines = titleLines(title_, style, room);
  double top = style.units(4);
  for (std::size_t k = 0; k < titleLines_.size(); ++k) {
    QGraphicsSimpleTextItem* item = titleLines_[k];
    item->setVisible(k < lines.size());
    if (k >= lines.size()) continue;
    item->setFont(lines[k].font);
    item->setText(lines[k].text);
    item->setPos((size_.width() - item->boundingRect().width()) / 2, top);
    top += item->boundingRect().height();
  }
  return top + style.units(2);
}

// The panels stacked below the title, each with room around its plot for its axes' text and
// its legend, all plots of one height and lined up; as many ticks as the plots have room for.
void FigureScene::layoutPanels(const FigureStyle& style, double top) {
  const int mostY = panels_.size() > 1 ? 5 : 8;
  for (const auto& panel : panels_) {
    setNiceRange(*panel->x, panel->xs, 0.0, 8);
    setNiceRange(*panel->y, panel->ys, panel->headroom, mostY);
  }
  std::vector<QMarginsF> margins(panels_.size());
  for (int pass = 0; pass < 4; ++pass) {
    double furniture = 0;
    for (std::size_t k = 0; k < panels_.size(); ++k) {
      margins[k] = marginsOf(*panels_[k], style);
      furniture += margins[k].top() + margins[k].bottom();
    }
    const double plotHeight =
        (size_.height() - top - style.units(2) - furniture) / static_cast<double>(panels_.size());
    // Every plot as wide as the narrowest room allows, so that stacked panels share their x
    // axis.
    double left = 0;
    double right = 0;
    for (const QMarginsF& m : margins) {
      left = std::max(left, m.left());
      right = std::max(right, m.right());
    }
    double y = top;
    for (std::size_t k = 0; k < panels_.size(); ++k) {
      QChart* chart = panels_[k]->chart;
      const double h = plotHeight + margins[k].top() + margins[k].bottom();
      chart->setMargins(QMarginsF(left, margins[k].top(), right, margins[k].bottom()).toMargins());
      chart->setGeometry(0, y, size_.width(), h);
      chart->layout()->activate();
      y += h;
    }
    if (!fitTicks(style)) break;
  }
}

// Room around a plot: for its axes' text, half a number beyond its top and right end, and its
// legend below it or beside it.
QMarginsF FigureScene::marginsOf(const Panel& panel, const FigureStyle& style) const {
  const QFontMetricsF numbers(style.font(FigureStyle::kTickPoints));
  const double edge = style.units(2);
  QMarginsF m(edge + panel.axisText->leftRoom(*panel.y), edge + panel.axisText->halfLine(),
              edge + widestTickLabel(*panel.x, numbers) / 2, edge + panel.axisText->bottomRoom());
  if (!panel.legend->isEmpty()) {
    const QSizeF legend = panel.legend->arrange(style, size_.width() * 0.9, panel.legendBeside);
    if (panel.legendBeside) {
      m.setRight(m.right() + legend.width() + style.units(6));
    } else {
      m.setBottom(m.bottom() + legend.height() + style.units(3));
    }
  }
  return m;
}

// As many ticks as the plot has room for numbers: along x no closer than half a number's width,
// along y no closer than half a line. True when a range changed, so that the panels are laid out
// again.
bool FigureScene::fitTicks(const FigureStyle& style) {
  const QFontMetricsF metrics(style.font(FigureStyle::kTickPoints));
  bool changed = false;
  for (const auto& panel : panels_) {
    const QRectF area = panel->chart->plotArea();
    const int mostY = panels_.size() > 1 ? 5 : 8;
    const int xRoom = std::max(
        2, static_cast<int>(area.width() / (1.5 * widestTickLabel(*panel->x, metrics))) + 1);
    const int yRoom = std::max(2, static_cast<int>(area.height() / (1.5 * metrics.height())) + 1);
    if (tickCount(*panel->x) > xRoom) {
      setNiceRange(*panel->x, panel->xs, 0.0, std::min(8, xRoom));
      changed = true;
    }
    if (tickCount(*panel->y) > yRoom) {
      setNiceRange(*panel->y, panel->ys, panel->headroom, std::min(mostY, yRoom));
      changed = true;
    }
  }
  // Stacked panels share their x ticks: the fewest any of them has room for.
  if (panels_.size() > 1) {
    const QValueAxis& last = *panels_.back()->x;
    for (const auto& panel : panels_) {
      panel->x->setTickInterval(last.tickInterval());
      panel->x->setRange(last.min(), last.max());
    }
  }
  return changed;
}

void FigureScene::placeAxisTexts(const FigureStyle& style) {
  for (std::size_t k = 0; k < panels_.size(); ++k)
    panels_[k]->axisText->place(*panels_[k]->x, *panels_[k]->y, plotArea(static_cast<int>(k)),
                                panels_[k]->chart->geometry().left() + style.units(2));
}

void FigureScene::placeLegends(const FigureStyle& style) {
  for (const auto& panel : panels_) {
    FigureLegend& legend = *panel->legend;
    legend.setVisible(!legend.isEmpty());
    if (legend.isEmpty()) continue;
    const QRectF chart = panel->chart->geometry();
    const QRectF area = plotArea(static_cast<int>(&panel - panels_.data()));
    const QSizeF size = legend.rect().size();
    if (panel->legendBeside) {
      legend.setPos(chart.right() - size.width() - style.units(2), area.top());
    } else {
      const double edge = style.units(2);
      const double x = std::clamp(area.center().x() - size.width() / 2, edge,
                                  std::max(edge, size_.width() - size.width() - edge));
      legend.setPos(x, chart.bottom() - size.height() - style.units(2));
    }
  }
}

void FigureScene::placeMarkLabels(const FigureStyle& style) {
  for (std::size_t k = 0; k < panels_.size(); ++k) {
    const Panel& panel = *panels_[k];
    if (panel.marks.empty()) continue;
    std::vector<LabelRequest> requests;
    for (std::size_t m = 0; m < panel.marks.size(); ++m) {
      const QPointF value = panel.marks[m]->at(0);
      requests.push_back({mapToScene(static_cast<int>(k), value.x(), value.y()),
                          panel.markLabels[m]->boundingRect().size(),
                          panel.marks[m]->markerSize() / 2});
    }
    std::vector<QPointF> ink;
    for (const QPointF& p : panel.ink)
      ink.push_back(mapToScene(static_cast<int>(k), p.x(), p.y()));
    const std::vector<QRectF> placed =
        placeLabels(requests, plotArea(static_cast<int>(k)), ink, style.units(kLabelGap));
    for (std::size_t m = 0; m < placed.size(); ++m)
      panel.markLabels[m]->setPos(placed[m].topLeft());
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

std::vector<QGraphicsSimpleTextItem*> FigureScene::markLabels(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel))->markLabels;
}

std::vector<QGraphicsItem*> FigureScene::texts() const {
  std::vector<QGraphicsItem*> found;
  for (QGraphicsItem* item : items()) {
    if (!item->isVisible()) continue;
    if (const auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item)) {
      if (!simple->text().isEmpty()) found.push_back(item);
    } else if (const auto* rich = dynamic_cast<QGraphicsTextItem*>(item)) {
      if (!rich->toPlainText().isEmpty()) found.push_back(item);
    }
  }
  return found;
}

}  // namespace kvt
