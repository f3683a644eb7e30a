// The owner-data model of the scenario list: nine columns, a row formatted when the view first
// asks for it and kept until the scenario or the registry changes (reading a filter looks its
// method up among all registry entries).
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "scenario/script_list.h"
#include "ui/owner_data_model.h"

namespace kvarn {

struct TScriptViewSource {
  std::function<int()> count;
  std::function<TScriptListRow(int row)> row;
};

class TScriptModel : public TOwnerDataModel {
  Q_OBJECT
 public:
  TScriptModel(TScriptViewSource source, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;
  // Forgets the formatted rows and takes the line count (one reset when it changed or forced).
  void Refresh(bool force);

 private:
  TScriptViewSource src_;
  mutable std::vector<std::optional<TScriptListRow>> rows_;
};

}  // namespace kvarn
