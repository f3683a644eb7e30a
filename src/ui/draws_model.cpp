#include "ui/draws_model.h"

#include "ui/colours.h"

namespace kvarn {

TDrawsModel::TDrawsModel(TDrawsViewSource source, QStringList headers, QObject* parent)
    : TOwnerDataModel(std::move(headers), parent), src_(std::move(source)) {}

QVariant TDrawsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Rows() || index.column() >= DrawColumnsCount) return {};
  int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(src_.row(index.row()).Cells[static_cast<size_t>(col)]);
    case Qt::TextAlignmentRole:
      return int(col == 8 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
      uint32_t c = src_.row(index.row()).Colours[static_cast<size_t>(col)];
      if (c == DefaultColour) return {};
      return role == Qt::BackgroundRole ? WinColour(c) : QColor(Qt::black);
    }
    default:
      return {};
  }
}

}  // namespace kvarn
