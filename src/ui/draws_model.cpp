#include "ui/draws_model.h"

#include "ui/colours.h"
#include "ui/list_view.h"

namespace kvarn {

TDrawsModel::TDrawsModel(TDrawsViewSource source, QStringList headers, QObject* parent)
    : TOwnerDataModel(parent), src_(std::move(source)), headers_(std::move(headers)) {}

int TDrawsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

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

QVariant TDrawsModel::headerData(int section, Qt::Orientation o, int role) const {
  return ListHeaderData(headers_, section, o, role);
}

}  // namespace kvarn
