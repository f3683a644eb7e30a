// The "Статистика" page: the method box, the Len field, the owner-data statistics table with its
// twenty columns and the chart of the distribution below it; the page binds the commands of the
// statistics table.
#pragma once

#include <QComboBox>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <string>
#include <vector>

#include "ui/page.h"
#include "ui/stats_chart.h"
#include "ui/stats_model.h"

QT_BEGIN_NAMESPACE
class QProgressDialog;
QT_END_NAMESPACE

namespace kvarn {

class TStatsFilterTests;

class TStatsPage : public TPage {
  Q_OBJECT
 public:
  TStatsPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  // While the tab is shown the table is computed when its inputs changed; forced, always.
  void Refresh(bool force) override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  // ComputeStatistics with the table and the chart shown anew when it ran.
  void Compute(bool force);
  // The method box takes the registry's lines and the workspace's selection.
  void RefillMethodBox();
  // The method box and the length show the workspace's choice and the table is shown anew, as
  // after a scenario run's step (nothing is computed).
  void FollowWorkspace();
  // Columns 3-5 follow the full-set comparison switch.
  void ApplyComparisonColumns();

  QComboBox* MethodBox() const { return methodBox_; }
  QSpinBox* LenField() const { return len_; }
  QTableView* Table() const { return table_; }
  TStatTableModel* Model() const { return model_; }
  TStatChart* ChartView() const { return chart_; }
  // The commands that test filters on history.
  TStatsFilterTests* FilterTests() const { return filterTests_; }
  QChart* Chart() const { return chart_->chart(); }
  // Sorts by a column as a click on its header does.
  void ClickColumn(int column);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void ShowTable();
  void TogglePrefetchs();
  void ToggleTotalLine();
  void PrefetchProgress(int done, int total, const std::string& file);

  QComboBox* methodBox_ = nullptr;
  QSpinBox* len_ = nullptr;
  QSplitter* split_ = nullptr;
  QTableView* table_ = nullptr;
  TStatTableModel* model_ = nullptr;
  TStatChart* chart_ = nullptr;
  QProgressDialog* progress_ = nullptr;
  TStatsFilterTests* filterTests_ = nullptr;
  bool filling_ = false;
  // The order of each draw's numbers the table was computed with.
  bool computedSorted_ = false;
};

}  // namespace kvarn
