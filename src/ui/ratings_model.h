// The owner-data model of the rating list: the workspace formats a row only when the view asks
// for it; a refresh is one reset or one dataChanged for the whole list.
#pragma once

#include <functional>

#include "ui/owner_data_model.h"

#include "stakes/rating_text.h"

namespace kvarn {

struct TRatingsViewSource {
  std::function<int()> count;
  std::function<TRatingRowTexts(int row)> row;
};

class TRatingsModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TRatingsModel(TRatingsViewSource source, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;

  // Takes the rating's row count when forced or when it changed; repaints otherwise.
  void Refresh(bool force) { SetRows(src_.count(), force); }

  // The captions of the list's columns.
  static QStringList Headers();

 private:
  TRatingsViewSource src_;
};

}  // namespace kvarn
