// The repeats list: one row per draw and number of shared numbers, formatted when painted.
#pragma once

#include <functional>

#include "ui/owner_data_model.h"
#include "views/repeats.h"

namespace kvarn {

class TRepeatsModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TRepeatsModel(std::function<const TRepeatsResult&()> result, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;
  void Reset() { SetRows(static_cast<int>(result_().Rows.size()), true); }

 private:
  std::function<const TRepeatsResult&()> result_;
};

}  // namespace kvarn
