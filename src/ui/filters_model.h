// The model of the applied-filters list: caption, values and the count left, with the keep or
// delete mark.
#pragma once

#include <functional>

#include "combs/combs.h"
#include "ui/owner_data_model.h"

namespace kvarn {

class TFiltersModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TFiltersModel(std::function<const TAppliedFilters&()> filters, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;
  void Refresh() { SetRows(static_cast<int>(filters_().size()), true); }

 private:
  std::function<const TAppliedFilters&()> filters_;
};

}  // namespace kvarn
