// The layout scheme's grid: counts down the side, last draws across the top, the numbers that
// share both in each cell.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "views/layout.h"

namespace kvarn {

class TLayoutModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TLayoutModel(std::function<const TLayoutScheme&()> scheme, std::function<bool()> gradient,
               QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  // The scheme was built anew: one reset.
  void Reset();
  void Repaint();

 private:
  std::function<const TLayoutScheme&()> scheme_;
  std::function<bool()> gradient_;
  int rows_ = 0;
  int cols_ = 0;
};

}  // namespace kvarn
