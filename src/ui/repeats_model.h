// The repeats list: one row per draw and number of shared numbers, formatted when painted.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "views/repeats.h"

namespace kvarn {

class TRepeatsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TRepeatsModel(std::function<const TRepeatsResult&()> result, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  void Reset();

 private:
  std::function<const TRepeatsResult&()> result_;
  int rows_ = 0;
};

}  // namespace kvarn
