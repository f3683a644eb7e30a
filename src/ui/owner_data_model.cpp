#include "ui/owner_data_model.h"

#include "ui/list_view.h"

namespace kvarn {

QVariant TOwnerDataModel::headerData(int section, Qt::Orientation o, int role) const {
  return ListHeaderData(headers_, section, o, role);
}

}  // namespace kvarn
