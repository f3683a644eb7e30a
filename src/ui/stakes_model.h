// The stakes grid: one row per record of the stakes file, read through the file's one-record
// cache only when a row is painted; the file is never loaded whole.
#pragma once

#include <functional>

#include "stakes/stake.h"
#include "stakes/stakes_grid.h"
#include "ui/owner_data_model.h"

namespace kvarn {

struct TStakesViewSource {
  std::function<int()> count;                  // records in the file
  std::function<bool(int row, TStake&)> read;  // false when the record cannot be read
};

class TStakesModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  // The matched numbers of the row's stake (a QList<int>), for the numbers columns.
  static constexpr int MatchedRole = Qt::UserRole + 1;

  TStakesModel(TStakesViewSource source, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;

  // Takes the file's record count; true when the row count changed (one reset), otherwise the
  // rows are repainted.
  bool Refresh();

 private:
  // The row asked for last: a row's cells and roles are asked for one after another.
  struct TCached {
    int row = -1;
    bool ok = false;
    TStake stake;
    TStakeRow cells;
  };
  const TCached& RowData(int row) const;

  TStakesViewSource src_;
  mutable TCached cached_;
};

}  // namespace kvarn
