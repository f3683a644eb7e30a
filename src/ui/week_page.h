// The "Неделя" page: how often each number was drawn on each day of the week over a window of
// draws, as a heat-coloured grid, and one row or column of it as a chart; the numbers of the
// selected columns keep or delete combinations.
#pragma once

#include <QSpinBox>
#include <QSplitter>
#include <QTableView>

#include "ui/page.h"
#include "ui/week_model.h"

QT_BEGIN_NAMESPACE
class QBarCategoryAxis;
class QChart;
class QChartView;
class QValueAxis;
QT_END_NAMESPACE

namespace kvarn {

class TWeekPage : public TPage {
  Q_OBJECT
 public:
  TWeekPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  // While the tab is shown the table is built when its inputs changed; forced, always.
  void Refresh(bool force) override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  // WeekStatCalc with the grid and the chart shown anew when it ran.
  void Calc(bool force);
  // The chart of the grid's current cell, in the stored mode and type.
  void ShowChart();

  QSpinBox* LenField() const { return len_; }
  QTableView* Grid() const { return grid_; }
  TWeekModel* Model() const { return model_; }
  QChart* Chart() const { return chart_; }
  QChartView* ChartView() const { return chartView_; }

 private:
  QSpinBox* len_ = nullptr;
  QSplitter* split_ = nullptr;
  QTableView* grid_ = nullptr;
  TWeekModel* model_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* chartView_ = nullptr;
  QBarCategoryAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
};

}  // namespace kvarn
