// The owner-data model of the list of stored systems: title, numbers, block, combinations and the
// date of the system's file.
#pragma once

#include "ui/owner_data_model.h"

namespace kvarn {

class TWorkspace;

class TSystemsModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TSystemsModel(TWorkspace& ws, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;
  // The store was listed anew.
  void Refresh();

 private:
  TWorkspace& ws_;
};

}  // namespace kvarn
