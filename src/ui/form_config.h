// "Параметры системы": matrix size and segments, channel width, stake price, extended stake,
// weight coefficients and the prize list.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>

#include "app/host.h"
#include "core/config.h"

namespace kvarn {

class TFormConfig : public QDialog {
  Q_OBJECT
 public:
  TFormConfig(IHost& host, const TConfigData& data, QWidget* parent);
  // The values as edited (read when the dialog was accepted).
  TConfigData Result() const;

  QSpinBox* MatrixCols() const { return matrixCols_; }
  QLineEdit* MatrixRows() const { return matrixRows_; }
  QSpinBox* ChannelSize() const { return channel_; }
  QDoubleSpinBox* Cost() const { return cost_; }
  QSpinBox* StakeMaxLen() const { return maxLen_; }
  QTableWidget* Profits() const { return profits_; }
  QTableWidget* Segments() const { return segments_; }

 private:
  void RebuildSegments(int cols);
  std::vector<std::string> SegmentCells() const;
  void SegmentEdited(QTableWidgetItem* item);

  IHost& host_;
  TConfigData data_;
  QSpinBox* matrixCols_ = nullptr;
  QLineEdit* matrixRows_ = nullptr;
  QSpinBox* channel_ = nullptr;
  QDoubleSpinBox* cost_ = nullptr;
  QSpinBox* maxLen_ = nullptr;
  QDoubleSpinBox* coefCount_ = nullptr;
  QDoubleSpinBox* coefDeviation_ = nullptr;
  QDoubleSpinBox* coefLevel_ = nullptr;
  QCheckBox* usePercents_ = nullptr;
  QCheckBox* useAbs_ = nullptr;
  QTableWidget* profits_ = nullptr;
  QTableWidget* segments_ = nullptr;
  bool filling_ = false;
};

}  // namespace kvarn
