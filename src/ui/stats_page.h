// The "Статистика" page: the method box, the Len field, the owner-data statistics table with
// its twenty columns and the chart of the distribution below it; the page binds the commands of
// the statistics table.
#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "stats/table.h"

QT_BEGIN_NAMESPACE
class QCategoryAxis;
class QChart;
class QLineSeries;
class QValueAxis;
class QChartView;
class QProgressDialog;
QT_END_NAMESPACE

namespace kvarn {

class TTemplateMain;
class TWindowStateStore;

// Rows in the table's display order; a row is formatted only when the view paints it.
class TStatTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TStatTableModel(std::function<const TStatTable&()> table, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  // The table was filled anew: one reset.
  void Reset();
  // The display order changed: selections and the current row follow their items.
  void Reorder(const std::function<void()>& sort);

 private:
  std::function<const TStatTable&()> table_;
  int rows_ = 0;
};

class TStatsPage : public QWidget {
  Q_OBJECT
 public:
  TStatsPage(TTemplateMain& main, QWidget* parent);
  ~TStatsPage() override;

  void BindCommands();
  void RestoreState(const TWindowStateStore& st);
  void SaveState(TWindowStateStore& st) const;

  // ComputeStatistics with the table and the chart shown anew when it ran.
  void Compute(bool force);
  // The method box takes the registry's lines and the workspace's selection.
  void RefillMethodBox();
  // Columns 3-5 follow the full-set comparison switch.
  void ApplyComparisonColumns();

  QComboBox* MethodBox() const { return methodBox_; }
  QSpinBox* LenField() const { return len_; }
  QTableView* Table() const { return table_; }
  TStatTableModel* Model() const { return model_; }
  QChart* Chart() const { return chart_; }
  QChartView* ChartView() const { return chartView_; }
  std::vector<int> SelectedRows() const;
  // Sorts by a column as a click on its header does.
  void ClickColumn(int column);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void ShowTable();
  void ShowChart();
  // The value texts under the horizontal axis, thinned to what the chart's width holds.
  void PlaceAxisLabels();
  void TogglePrefetchs();
  void ToggleTotalLine();
  void PrefetchProgress(int done, int total, const std::string& file);

  TTemplateMain& main_;
  QComboBox* methodBox_ = nullptr;
  QSpinBox* len_ = nullptr;
  QSplitter* split_ = nullptr;
  QTableView* table_ = nullptr;
  TStatTableModel* model_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* chartView_ = nullptr;
  QLineSeries* actual_ = nullptr;
  QLineSeries* ideal_ = nullptr;
  QCategoryAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
  QProgressDialog* progress_ = nullptr;
  bool filling_ = false;
  // The order of each draw's numbers the table was computed with.
  bool computedSorted_ = false;
};

// The method description window: the method's page of the help file, or a note that there is
// no description.
void ShowMethodHelp(QWidget* parent, const std::string& topic, const std::string& caption);

}  // namespace kvarn
