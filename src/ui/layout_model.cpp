#include "ui/layout_model.h"

#include <QColor>

#include "core/draws.h"
#include "ui/colours.h"

namespace kvarn {

TLayoutModel::TLayoutModel(std::function<const TLayoutScheme&()> scheme,
                           std::function<bool()> gradient, QObject* parent)
    : QAbstractTableModel(parent), scheme_(std::move(scheme)), gradient_(std::move(gradient)) {}

int TLayoutModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TLayoutModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant TLayoutModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= cols_) return {};
  const TLayoutScheme& s = scheme_();
  const int row = index.row() + 1, col = index.column() + 1;
  if (row >= s.RowCount() || col >= s.ColCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return QString::fromStdString(s.Cell(row, col));
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
      const uint32_t c = LayoutCellColour(s, row, col, gradient_());
      return c == DefaultColour ? QVariant() : QVariant(WinColour(c));
    }
    case Qt::ForegroundRole:
      return QColor(Qt::black);
    default:
      return {};
  }
}

QVariant TLayoutModel::headerData(int section, Qt::Orientation o, int role) const {
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  const TLayoutScheme& s = scheme_();
  if (o == Qt::Horizontal) return QString::fromStdString(s.Text(0, section + 1));
  return QString::fromStdString(s.Text(section + 1, 0));
}

void TLayoutModel::Reset() {
  beginResetModel();
  rows_ = scheme_().RowCount() - 1;
  cols_ = scheme_().ColCount() - 1;
  endResetModel();
}

void TLayoutModel::Repaint() {
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

}  // namespace kvarn
