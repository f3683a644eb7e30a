#include "ui/form_graph.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/host.h"
#include "core/text.h"
#include "ui/chart_axes.h"
#include "ui/colours.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormGraph::TFormGraph(IHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("FormGraph"));
  setWindowTitle(QStringLiteral("График"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  auto* v = new QVBoxLayout(this);
  chart_ = new QChart();
  chart_->legend()->setAlignment(Qt::AlignBottom);
  axisX_ = new QValueAxis();
  axisY_ = new QValueAxis();
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  view_ = new QChartView(chart_, this);
  view_->setRenderHint(QPainter::Antialiasing);
  v->addWidget(view_, 1);
  marks_ = new QCheckBox(QStringLiteral("Отображать метки на графиках"), this);
  marks_->setChecked(true);
  v->addWidget(marks_);
  connect(marks_, &QCheckBox::toggled, this, &TFormGraph::ShowMarks);
  connect(chart_, &QChart::plotAreaChanged, this, &TFormGraph::ArrangeLater);
  resize(800, 500);
}

QLineSeries* TFormGraph::FindSeries(const std::string& title) const {
  for (QLineSeries* s : series_)
    if (SameTextIgnoreCase(S(s->name()), title)) return s;
  return nullptr;
}

void TFormGraph::AddGraphPoint(double x, const std::string& title, double y, bool showPointers,
                               bool showMarks, uint32_t colour) {
  QLineSeries* s = FindSeries(title);
  if (!s) {
    s = new QLineSeries();
    s->setName(Q(title));
    chart_->addSeries(s);
    QPen pen = s->pen();
    if (colour != 0) pen.setColor(WinColour(colour));
    pen.setWidth(2);
    s->setPen(pen);
    s->setPointsVisible(showPointers);
    s->setMarkerSize(3);
    if (showMarks) marked_.push_back({s, {}});
    s->attachAxis(axisX_);
    s->attachAxis(axisY_);
    series_.push_back(s);
  }
  s->append(x, y);
  for (TMarks& m : marked_)
    if (m.series == s) {
      // The chart's own point labels write large values in exponent form; the marks are text
      // items of their own.
      auto* item = new QGraphicsSimpleTextItem(ChartValueText(y), chart_);
      item->setBrush(s->pen().color());
      item->setVisible(marks_->isChecked());
      m.items.push_back(item);
    }
  wholeX_ = wholeX_ && x == std::floor(x);
  wholeY_ = wholeY_ && y == std::floor(y);
  if (empty_) {
    minX_ = maxX_ = x;
    minY_ = maxY_ = y;
    empty_ = false;
  }
  minX_ = std::min(minX_, x);
  maxX_ = std::max(maxX_, x);
  minY_ = std::min(minY_, y);
  maxY_ = std::max(maxY_, y);
  ArrangeLater();
}

void TFormGraph::ArrangeLater() {
  // Points come one by one; the axes and marks are arranged once for all of them.
  if (arrangePending_) return;
  arrangePending_ = true;
  QTimer::singleShot(0, this, &TFormGraph::Arrange);
}

void TFormGraph::Arrange() {
  arrangePending_ = false;
  if (empty_) return;
  const double padY = maxY_ > minY_ ? (maxY_ - minY_) * 0.05 : 0;
  SetChartAxis(axisX_, minX_, maxX_, wholeX_);
  SetChartAxis(axisY_, minY_ - padY, maxY_ + padY, wholeY_);
  for (TMarks& m : marked_)
    for (size_t i = 0; i < m.items.size() && i < static_cast<size_t>(m.series->count()); ++i) {
      QGraphicsSimpleTextItem* item = m.items[i];
      const QPointF at = chart_->mapToPosition(m.series->at(static_cast<qsizetype>(i)), m.series);
      const QRectF box = item->boundingRect();
      item->setPos(at.x() - box.width() / 2, at.y() - box.height() - 3);
    }
}

bool TFormGraph::MarksVisible(const std::string& title) const {
  for (const TMarks& m : marked_)
    if (SameTextIgnoreCase(S(m.series->name()), title))
      return !m.items.empty() && m.items.front()->isVisible();
  return false;
}

QStringList TFormGraph::MarkTexts(const std::string& title) const {
  QStringList texts;
  for (const TMarks& m : marked_)
    if (SameTextIgnoreCase(S(m.series->name()), title))
      for (const QGraphicsSimpleTextItem* item : m.items) texts << item->text();
  return texts;
}

void TFormGraph::ShowMarks(bool on) {
  try {
    for (TMarks& m : marked_)
      for (QGraphicsSimpleTextItem* item : m.items) item->setVisible(on);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
}

}  // namespace kvarn
