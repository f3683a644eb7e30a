#include "ui/card_model.h"

#include <QColor>
#include <QFont>

#include "core/draws.h"
#include "ui/list_models.h"

namespace kvarn {

TCardModel::TCardModel(TCardSource source, QObject* parent)
    : QAbstractTableModel(parent), src_(std::move(source)) {}

int TCardModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TCardModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : CardColumnCount;
}

QVariant TCardModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  const int row = index.row() + 1, col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(CardCellText(src_.draws(), row, col));
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
      const uint32_t c = CardCellColour(src_.draws(), row, col, src_.options());
      if (c == DefaultColour) return {};
      return WinColour(c);
    }
    case Qt::ForegroundRole:
      // Light cell colours: dark text stays readable in any style.
      if (col >= 1 && col <= NumbersCount) return QColor(Qt::black);
      return {};
    case Qt::FontRole:
      if (col == 0) {
        QFont f;
        f.setPointSizeF(f.pointSizeF() - 1);
        return f;
      }
      return {};
    default:
      return {};
  }
}

QVariant TCardModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(CardHeaderText(section));
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

bool TCardModel::Rebuild(bool force) {
  const int wanted = CardRowCount(src_.draws());
  if (!force && built_ && wanted == rows_) return false;
  beginResetModel();
  rows_ = wanted;
  built_ = true;
  endResetModel();
  return true;
}

void TCardModel::Repaint() {
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, CardColumnCount - 1));
}

}  // namespace kvarn
