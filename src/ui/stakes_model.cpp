#include "ui/stakes_model.h"

#include <algorithm>

#include "ui/colours.h"
#include "ui/qt_host.h"

namespace kvarn {

namespace {
QStringList Captions() {
  QStringList list;
  for (const TStakeColumnInfo& c : StakeColumns) list << Q(c.Caption);
  return list;
}
}  // namespace

TStakesModel::TStakesModel(TStakesViewSource source, QObject* parent)
    : TOwnerDataModel(Captions(), parent), src_(std::move(source)) {}

const TStakesModel::TCached& TStakesModel::RowData(int row) const {
  if (cached_.row != row) {
    cached_.row = row;
    cached_.ok = src_.read(row, cached_.stake);
    if (cached_.ok) cached_.cells = StakeGridRow(cached_.stake);
  }
  return cached_;
}

QVariant TStakesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Rows()) return {};
  const int col = index.column();
  switch (role) {
    case Qt::TextAlignmentRole:
      if (col == scProfit) return int(Qt::AlignRight | Qt::AlignVCenter);
      if (col == scComment) return int(Qt::AlignLeft | Qt::AlignVCenter);
      return int(Qt::AlignCenter);
    case Qt::DisplayRole:
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case MatchedRole:
      break;
    default:
      return {};
  }
  const TCached& c = RowData(index.row());
  if (!c.ok) return {};
  const TStakeRow& row = c.cells;
  switch (role) {
    case Qt::DisplayRole:
      return Q(row.Cells[static_cast<size_t>(col)]);
    case Qt::BackgroundRole:
      return row.Background == StakeWindowColour ? QVariant() : QVariant(WinColour(row.Background));
    case Qt::ForegroundRole:
      if (row.HasResult && col >= scMatches && col <= scProfit) return WinColour(row.ResultColour);
      return {};
    default: {
      QList<int> matched;
      for (int i = 0; i < std::clamp(c.stake.Matches(), 0, MaxSetSize); ++i)
        matched.append(c.stake.Matched.Numbers[static_cast<size_t>(i)]);
      return QVariant::fromValue(matched);
    }
  }
}

bool TStakesModel::Refresh() {
  cached_.row = -1;
  const bool changed = src_.count() != Rows();
  SetRows(src_.count(), false);
  return changed;
}

}  // namespace kvarn
