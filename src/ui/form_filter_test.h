// The result window of a filter test on history and of a value search: what was tested, the
// figures, a short verdict in plain words, and a chart of the kept share and the survival of
// the real draw, draw by draw.
#pragma once

#include <QDialog>

#include "stats/filter_report.h"

QT_BEGIN_NAMESPACE
class QChart;
class QLabel;
class QTableWidget;
QT_END_NAMESPACE

namespace kvarn {

class TFormFilterTest : public QDialog {
  Q_OBJECT
 public:
  explicit TFormFilterTest(const TFilterReport& report, QWidget* parent = nullptr);

  QTableWidget* Figures() const { return figures_; }
  QLabel* Verdict() const { return verdict_; }
  QChart* Chart() const { return chart_; }

 private:
  void BuildChart(const TFilterReport& report);

  QTableWidget* figures_ = nullptr;
  QLabel* verdict_ = nullptr;
  QChart* chart_ = nullptr;
};

}  // namespace kvarn
