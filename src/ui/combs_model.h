// The owner-data model of the combination list: a row is formatted only when the view asks for
// it; a refresh is one reset or one dataChanged for the whole list.
#pragma once

#include <functional>

#include "ui/owner_data_model.h"

#include "combs/combs.h"

namespace kvarn {

struct TCombsViewSource {
  std::function<const TCombList&()> combs;
  std::function<bool()> coloured;  // ColorCombs
  std::function<int()> channelSize;
};

class TCombsModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TCombsModel(TCombsViewSource source, QStringList headers, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;

  // Takes the list's row count when forced or when it changed; repaints otherwise.
  void Refresh(bool force) { SetRows(src_.combs().Count(), force); }

 private:
  TCombsViewSource src_;
};

}  // namespace kvarn
