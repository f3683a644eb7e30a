#include "ui/stats_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QResizeEvent>
#include <QSet>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/chart_axes.h"
#include "ui/colours.h"
#include "ui/qt_host.h"

namespace kvarn {

namespace {

// At most this many value texts under the chart; more would overlap.
constexpr int MaxAxisLabels = 40;

QPixmap MarkerPixmap(QColor colour, int size) {
  QPixmap pm(size, size);
  pm.fill(colour);
  return pm;
}

}  // namespace

TStatChart::TStatChart(QWidget* parent) : QChartView(new QChart(), parent) {
  setObjectName(QStringLiteral("chDrawsStat"));
  QChart* c = chart();
  c->legend()->setAlignment(Qt::AlignBottom);
  c->setMargins(QMargins(4, 4, 4, 4));
  actual_ = new QLineSeries();
  actual_->setName(QString::fromUtf8(ChartActualTitle));
  actual_->setPointsVisible(true);
  actual_->setMarkerSize(5);
  actual_->setLightMarker(MarkerPixmap(WinColour(ChartActualPointColour), 5).toImage());
  ideal_ = new QLineSeries();
  ideal_->setName(QString::fromUtf8(ChartIdealTitle));
  axisX_ = new QCategoryAxis(this);
  axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  QFont small = axisX_->labelsFont();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
  axisX_->setLabelsFont(small);
  axisY_ = new QValueAxis(this);
  c->addAxis(axisX_, Qt::AlignBottom);
  c->addAxis(axisY_, Qt::AlignLeft);
  axisX_->setVisible(false);
  axisY_->setVisible(false);
  setRenderHint(QPainter::Antialiasing);
  setMinimumHeight(80);
}

TStatChart::~TStatChart() {
  // A series out of the chart belongs to this view.
  for (QLineSeries* s : {actual_, ideal_})
    if (!chart()->series().contains(s)) delete s;
}

void TStatChart::Show(const TStatChartData& data) {
  data_ = data;
  QChart* c = chart();
  for (QLineSeries* s : {ideal_, actual_})
    if (c->series().contains(s)) c->removeSeries(s);
  for (const QString& label : axisX_->categoriesLabels()) axisX_->remove(label);
  const bool empty = data.Actual.empty() && data.Ideal.empty();
  axisX_->setVisible(!empty);
  axisY_->setVisible(!empty);
  if (empty) return;

  double minX = 0, maxX = 0, maxY = 0;
  bool first = true;
  bool whole = true;
  auto points = [&](const std::vector<TStatChartPoint>& src) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(src.size()));
    for (const TStatChartPoint& p : src) {
      if (first) minX = maxX = p.X;
      minX = std::min(minX, p.X);
      maxX = std::max(maxX, p.X);
      maxY = std::max(maxY, p.Y);
      whole = whole && p.Y == std::floor(p.Y);
      first = false;
      list.push_back(QPointF(p.X, p.Y));
    }
    return list;
  };
  auto show = [&](QLineSeries* s, uint32_t colour, int width) {
    c->addSeries(s);
    QPen pen(WinColour(colour));
    pen.setWidth(width);
    s->setPen(pen);
    s->attachAxis(axisX_);
    s->attachAxis(axisY_);
  };
  if (data.HasIdeal) {
    ideal_->replace(points(data.Ideal));
    show(ideal_, ChartIdealColour, 1);
  }
  actual_->replace(points(data.Actual));
  show(actual_, ChartActualColour, 2);

  axisX_->setRange(minX - 0.5, maxX + 0.5);
  PlaceAxisLabels();
  maxY_ = maxY <= 0 ? 1 : maxY * 1.05;
  wholeY_ = whole;
  ScaleValueAxis();
}

void TStatChart::ScaleValueAxis() {
  const int labelHeight = QFontMetrics(axisY_->labelsFont()).height();
  const int plotHeight = std::max(1, height() - 80);
  SetChartAxis(axisY_, 0, maxY_, wholeY_, std::clamp(plotHeight / (2 * labelHeight), 1, 8));
}

void TStatChart::PlaceAxisLabels() {
  const double min = axisX_->min(), max = axisX_->max();
  for (const QString& label : axisX_->categoriesLabels()) axisX_->remove(label);
  // The value texts of the points stand under the horizontal axis.
  const std::vector<TStatChartPoint>& labelled = data_.Ideal.empty() ? data_.Actual : data_.Ideal;
  // Labels stand upright and every shown one gets room for its whole text: the axis elides a
  // label wider than its slot to a bare ellipsis, so crowded labels are thinned out instead.
  const QFontMetrics metrics(axisX_->labelsFont());
  int widest = 1;
  for (const TStatChartPoint& p : labelled)
    widest = std::max(widest, metrics.horizontalAdvance(Q(p.Label)));
  const int plotWidth = std::max(200, width() - 90);
  const int count = static_cast<int>(labelled.size());
  const int step = std::max({1, (count + MaxAxisLabels - 1) / MaxAxisLabels,
                             (count * (widest + 10) + plotWidth - 1) / plotWidth});
  QSet<QString> used;
  for (size_t i = 0; i < labelled.size(); i += static_cast<size_t>(step)) {
    QString label = Q(labelled[i].Label);
    // Category labels must be unique; equal texts get invisible padding.
    while (used.contains(label)) label += QChar(0x200B);
    used.insert(label);
    axisX_->append(label, labelled[i].X);
  }
  axisX_->setRange(min, max);
}

void TStatChart::resizeEvent(QResizeEvent* e) {
  QChartView::resizeEvent(e);
  // A wider or narrower chart gets as many value labels as fit in it now, a taller or lower one
  // as many ticks.
  if (e->size().width() != e->oldSize().width() && !axisX_->categoriesLabels().isEmpty())
    PlaceAxisLabels();
  if (e->size().height() != e->oldSize().height() && axisY_->isVisible()) ScaleValueAxis();
}

}  // namespace kvarn
