// The "Графики" page: a graph method's value for each draw of a window as a line, with the mean
// and the most frequent value as two reference lines.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include "ui/page.h"

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace kvarn {

class TGraphsPage : public TPage {
  Q_OBJECT
 public:
  TGraphsPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  // While the tab is shown the graph is drawn when its inputs changed; forced, always. The
  // method box follows the registry's graph lines.
  void Refresh(bool force) override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  // DrawsGraphDraw with the chart shown anew when it ran.
  void Draw(bool force);

  QComboBox* MethodBox() const { return methodBox_; }
  QSpinBox* LenField() const { return len_; }
  QCheckBox* MarksBox() const { return marks_; }
  QChart* Chart() const { return chart_; }
  QChartView* ChartView() const { return chartView_; }
  QLineSeries* MainLine() const { return main_line_; }
  QLineSeries* MeanLine() const { return mean_; }
  QLineSeries* ModeLine() const { return mode_; }

 private:
  // The box takes the graph lines of the registry when they changed.
  void RefillMethodBox();
  void ShowGraph();
  bool CanDraw() const;

  QComboBox* methodBox_ = nullptr;
  QSpinBox* len_ = nullptr;
  QCheckBox* marks_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* chartView_ = nullptr;
  QLineSeries* main_line_ = nullptr;
  QLineSeries* mean_ = nullptr;
  QLineSeries* mode_ = nullptr;
  QValueAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
  QStringList boxLines_;
  bool filling_ = false;
};

}  // namespace kvarn
