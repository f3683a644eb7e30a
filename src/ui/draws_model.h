// The owner-data model of the draws list: the workspace formats one row at a time, only when the
// view asks for it; a refresh is one reset or one dataChanged for the whole list.
#pragma once

#include <functional>

#include "ui/owner_data_model.h"

#include "core/draws.h"

namespace kvarn {

// The draws list asks the workspace for its row count and for one formatted row at a time.
struct TDrawsViewSource {
  std::function<int()> count;
  std::function<TDrawRow(int row)> row;
};

class TDrawsModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TDrawsModel(TDrawsViewSource source, QStringList headers, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;

  // Row i shows the archive entry count - 1 - i.
  int IndexOfRow(int row) const { return src_.count() - 1 - row; }
  // Sets the row count to the archive's when forced or when they differ; repaints otherwise.
  void Refresh(bool force) { SetRows(src_.count(), force); }

 private:
  TDrawsViewSource src_;
};

}  // namespace kvarn
