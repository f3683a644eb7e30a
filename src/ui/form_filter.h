// "Фильтр": one filter of a scenario line — the method and its sample lengths, how the
// statistics rows are walked and selected, the weight coefficients and when the walk stops.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <string>
#include <vector>

#include "app/host.h"
#include "scenario/filter_item.h"

namespace kvarn {

// What the filter editor takes from the main window.
struct TFilterEditorContext {
  const TStatList* Registry = nullptr;
  // The statistics tab's method box, in its order, and its current line (-1: none).
  std::vector<TMethodBoxLine> Methods;
  int MethodLine = -1;
  std::string DrawsLen;   // the statistics tab's sample length
  TStatWeights Weights;   // the program-wide weight coefficients
  IHost* Host = nullptr;  // shows the messages of the checks
};

class TFormFilter : public QDialog {
  Q_OBJECT
 public:
  // An inactive item opens with the defaults of a new filter.
  TFormFilter(const TFilterEditorContext& context, const TFilterItem& item, QWidget* parent);
  // The filter as the controls hold it.
  TFilterItem Item() const;
  // OK: the checks in order; a failing one shows its message and focuses its control.
  void accept() override;

  QComboBox* MethodBox() const { return method_; }
  QLineEdit* DrawsLenEdit() const { return drawsLen_; }
  QComboBox* SortColumnBox() const { return sortColumn_; }
  QComboBox* DirectionBox() const { return direction_; }
  QComboBox* FilterModeBox() const { return filterMode_; }
  QCheckBox* MultiSelectBox() const { return multiSelect_; }
  QComboBox* LevelModeBox() const { return levelMode_; }
  QLineEdit* LevelValueEdit() const { return levelValue_; }
  QGroupBox* OverrideBox() const { return override_; }
  QDoubleSpinBox* CoefCountEdit() const { return coefCount_; }
  QDoubleSpinBox* CoefDeviationEdit() const { return coefDeviation_; }
  QDoubleSpinBox* CoefLevelEdit() const { return coefLevel_; }
  QCheckBox* PercentsBox() const { return percents_; }
  QCheckBox* AbsBox() const { return abs_; }
  QComboBox* StopModeBox() const { return stopMode_; }
  QSpinBox* StopValueEdit() const { return stopValue_; }

 private:
  void Load(const TFilterItem& item);
  void UpdateEnabled();

  TFilterEditorContext context_;
  QComboBox* method_ = nullptr;
  QLineEdit* drawsLen_ = nullptr;
  QComboBox* sortColumn_ = nullptr;
  QComboBox* direction_ = nullptr;
  QComboBox* filterMode_ = nullptr;
  QCheckBox* multiSelect_ = nullptr;
  QComboBox* levelMode_ = nullptr;
  QLineEdit* levelValue_ = nullptr;
  QGroupBox* override_ = nullptr;
  QDoubleSpinBox* coefCount_ = nullptr;
  QDoubleSpinBox* coefDeviation_ = nullptr;
  QDoubleSpinBox* coefLevel_ = nullptr;
  QCheckBox* percents_ = nullptr;
  QCheckBox* abs_ = nullptr;
  QComboBox* stopMode_ = nullptr;
  QSpinBox* stopValue_ = nullptr;
};

}  // namespace kvarn
