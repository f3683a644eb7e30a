// The owner-data model of the list "lvTables": one row per regular, formatted only when the view
// asks; a click on a header sorts by that column (the records stay in file order, the model keeps
// the order it shows them in).
#pragma once

#include <vector>

#include "ui/owner_data_model.h"

namespace kvarn {

class TWorkspace;

class TRegularsModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TRegularsModel(TWorkspace& ws, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

  // The index of the record a row shows, -1 outside the list.
  int RecordOf(int row) const;
  // The list changed: the rows are taken anew, in the sort order chosen last.
  void Refresh();

 private:
  void Reorder();

  TWorkspace& ws_;
  std::vector<int> order_;
  int sortColumn_ = -1;  // file order until a header is clicked
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace kvarn
