// The chart under the statistics table: the count of each value and, with the full-set
// comparison, the ideal distribution; the value texts stand under the horizontal axis, as many as
// the chart's width holds.
#pragma once

#include <QChartView>

#include "stats/prefetch.h"

QT_BEGIN_NAMESPACE
class QCategoryAxis;
class QChart;
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace kvarn {

class TStatChart : public QChartView {
  Q_OBJECT
 public:
  explicit TStatChart(QWidget* parent);
  ~TStatChart() override;

  // Shows the data anew; the series and axes live as long as the chart and only their points
  // change, so nothing of a previous refresh piles up in the scene.
  void Show(const TStatChartData& data);

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  // The value texts under the horizontal axis, thinned to what the chart's width holds.
  void PlaceAxisLabels();
  // The count axis with as many ticks as the chart's height holds.
  void ScaleValueAxis();

  TStatChartData data_;
  double maxY_ = 1;
  bool wholeY_ = true;
  QLineSeries* actual_ = nullptr;
  QLineSeries* ideal_ = nullptr;
  QCategoryAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
};

}  // namespace kvarn
