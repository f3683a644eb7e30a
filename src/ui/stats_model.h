// The owner-data model of the statistics table: rows in the table's display order, each row
// formatted only when the view paints it.
#pragma once

#include <functional>

#include "stats/table.h"
#include "ui/owner_data_model.h"

namespace kvarn {

class TStatTableModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TStatTableModel(std::function<const TStatTable&()> table, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;

  // The table was filled anew: one reset.
  void Reset() { SetRows(static_cast<int>(table_().Rows.size()), true); }
  // The display order changed: selections and the current row follow their items.
  void Reorder(const std::function<void()>& sort);

 private:
  std::function<const TStatTable&()> table_;
};

}  // namespace kvarn
