// The repeats window "Количество повторов в зависимости от тиража": how many of the draws before
// each of the newest draws share 1, 2, ... numbers with it, as a list and one chart line per
// number of shared numbers.
#pragma once

#include <QDialog>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <vector>

#include "core/lottery.h"
#include "views/repeats.h"

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QLineSeries;
class QPushButton;
class QValueAxis;
QT_END_NAMESPACE

namespace kvarn {

class IHost;
class TRepeatsModel;

// What the window keeps in its own section of the window-state file.
struct TRepeatsWindowState {
  int DrawsLength = RepeatsLenDefault;
  int DrawsDeep = RepeatsDeepDefault;
  int GraphHeight = 220;
  std::vector<int> ColumnWidths;  // empty: the designed widths
};
constexpr const char* RepeatsWindowSection = "TFormRepeats";

class TFormRepeats : public QDialog {
  Q_OBJECT
 public:
  TFormRepeats(const TDrawsArray& draws, IHost& host, QWidget* parent);
  ~TFormRepeats() override;

  void RestoreState(const TRepeatsWindowState& st);
  TRepeatsWindowState SaveState() const;

  // The analysis with its progress window, then the list and the chart.
  void Calculate();

  QSpinBox* LenField() const { return len_; }
  QSpinBox* DeepField() const { return deep_; }
  QPushButton* CalcButton() const { return calc_; }
  QTableView* List() const { return list_; }
  QChart* Chart() const { return chart_; }
  QChartView* ChartView() const { return chartView_; }
  const TRepeatsResult& Result() const { return result_; }
  // Analyses finished so far (the first one starts after the window shows).
  int Calculations() const { return calculations_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void ShowChart();

  const TDrawsArray& draws_;
  IHost& host_;
  QSpinBox* len_ = nullptr;
  QSpinBox* deep_ = nullptr;
  QPushButton* calc_ = nullptr;
  QSplitter* split_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* chartView_ = nullptr;
  QValueAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
  QTableView* list_ = nullptr;
  TRepeatsModel* model_ = nullptr;
  TRepeatsResult result_;
  bool shownOnce_ = false;
  int calculations_ = 0;
};

}  // namespace kvarn
