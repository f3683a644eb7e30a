#include "ui/repeats_model.h"

namespace kvarn {

namespace {
const char* const Captions[] = {"Тираж", "Совпадений", "Кол-во повторов", "Список тиражей"};
}

TRepeatsModel::TRepeatsModel(std::function<const TRepeatsResult&()> result, QObject* parent)
    : QAbstractTableModel(parent), result_(std::move(result)) {}

int TRepeatsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TRepeatsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant TRepeatsModel::data(const QModelIndex& index, int role) const {
  const TRepeatsResult& r = result_();
  if (!index.isValid() || index.row() >= rows_ || index.row() >= static_cast<int>(r.Rows.size()))
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

QVariant TRepeatsModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o != Qt::Horizontal || section < 0 || section >= 4) return {};
  if (role == Qt::DisplayRole) return QString::fromUtf8(Captions[section]);
  return {};
}

void TRepeatsModel::Reset() {
  beginResetModel();
  rows_ = static_cast<int>(result_().Rows.size());
  endResetModel();
}

}  // namespace kvarn
