#include "ui/repeats_model.h"

namespace kvarn {

TRepeatsModel::TRepeatsModel(std::function<const TRepeatsResult&()> result, QObject* parent)
    : TOwnerDataModel({QStringLiteral("Тираж"), QStringLiteral("Совпадений"),
                       QStringLiteral("Кол-во повторов"), QStringLiteral("Список тиражей")},
                      parent),
      result_(std::move(result)) {}

QVariant TRepeatsModel::data(const QModelIndex& index, int role) const {
  const TRepeatsResult& r = result_();
  if (!index.isValid() || index.row() >= Rows() || index.row() >= static_cast<int>(r.Rows.size()))
    return {};
  const TRepeatRow& row = r.Rows[static_cast<size_t>(index.row())];
  if (role == Qt::TextAlignmentRole)
    return int(index.column() == 3 ? Qt::AlignLeft | Qt::AlignVCenter
                                   : Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && !(role == Qt::ToolTipRole && index.column() == 3)) return {};
  switch (index.column()) {
    case 0:
      return row.Draw;
    case 1:
      return row.Matches;
    case 2:
      return row.Count;
    default:
      return QString::fromStdString(row.Draws);
  }
}

}  // namespace kvarn
