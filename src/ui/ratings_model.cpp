#include "ui/ratings_model.h"

namespace kvarn {

TRatingsModel::TRatingsModel(TRatingsViewSource source, QObject* parent)
    : TOwnerDataModel(Headers(), parent), src_(std::move(source)) {}

QStringList TRatingsModel::Headers() {
  QStringList h;
  for (const TRatingColumnInfo& c : RatingColumns) h << QString::fromUtf8(c.Caption);
  return h;
}

QVariant TRatingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Rows() || index.column() >= rcColumnCount) return {};
  const auto col = static_cast<size_t>(index.column());
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(src_.row(index.row())[col]);
    case Qt::ToolTipRole:
      // Names of scenario recipes are longer than their column.
      if (col != rcName) return {};
      return QString::fromStdString(src_.row(index.row())[col]);
    case Qt::TextAlignmentRole:
      return int((RatingColumns[col].RightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                 Qt::AlignVCenter);
    default:
      return {};
  }
}

}  // namespace kvarn
