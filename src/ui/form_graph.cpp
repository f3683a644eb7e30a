#include "ui/form_graph.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <exception>

#include "app/host.h"
#include "core/text.h"
#include "ui/list_models.h"
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
  axisX_->setLabelFormat(QStringLiteral("%g"));
  axisY_->setLabelFormat(QStringLiteral("%g"));
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  view_ = new QChartView(chart_, this);
  view_->setRenderHint(QPainter::Antialiasing);
  v->addWidget(view_, 1);
  marks_ = new QCheckBox(QStringLiteral("Отображать метки на графиках"), this);
  marks_->setChecked(true);
  v->addWidget(marks_);
  connect(marks_, &QCheckBox::toggled, this, &TFormGraph::ShowMarks);
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
    // The marks show the value of each point, without a frame.
    s->setPointLabelsFormat(QStringLiteral("@yPoint"));
    s->setPointLabelsClipping(false);
    s->setPointLabelsVisible(showMarks && marks_->isChecked());
    if (showMarks) marked_.push_back(s);
    s->attachAxis(axisX_);
    s->attachAxis(axisY_);
    series_.push_back(s);
  }
  s->append(x, y);
  if (empty_) {
    minX_ = maxX_ = x;
    minY_ = maxY_ = y;
    empty_ = false;
  }
  minX_ = std::min(minX_, x);
  maxX_ = std::max(maxX_, x);
  minY_ = std::min(minY_, y);
  maxY_ = std::max(maxY_, y);
  const double padY = maxY_ > minY_ ? (maxY_ - minY_) * 0.05 : 1;
  axisX_->setRange(minX_, maxX_ > minX_ ? maxX_ : minX_ + 1);
  axisY_->setRange(minY_ - padY, maxY_ + padY);
}

void TFormGraph::ShowMarks(bool on) {
  try {
    for (QLineSeries* s : marked_) s->setPointLabelsVisible(on);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
}

}  // namespace kvarn
