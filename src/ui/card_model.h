// The draws card as an owner-data grid: every draw a row, newest first, a cell formatted and
// coloured only when the view paints it.
#pragma once

#include <functional>

#include "core/lottery.h"
#include "ui/owner_data_model.h"
#include "views/card.h"

namespace kvarn {

struct TCardSource {
  std::function<const TDrawsArray&()> draws;
  std::function<TCardOptions()> options;
};

class TCardModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TCardModel(TCardSource source, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;

  // Takes the archive's row count with one reset when it differs or when forced, and gives true;
  // otherwise repaints (an edited draw keeps the count but not its numbers) and gives false.
  bool Rebuild(bool force);

 private:
  TCardSource src_;
  bool built_ = false;
};

}  // namespace kvarn
