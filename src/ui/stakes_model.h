// The stakes grid: one row per record of the stakes file, read through the file's one-record
// cache only when a row is painted; the file is never loaded whole.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <functional>

#include "stakes/stake.h"
#include "stakes/stakes_grid.h"

namespace kvarn {

struct TStakesViewSource {
  std::function<int()> count;                  // records in the file
  std::function<bool(int row, TStake&)> read;  // false when the record cannot be read
};

class TStakesModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The matched numbers of the row's stake (a QList<int>), for the numbers columns.
  static constexpr int MatchedRole = Qt::UserRole + 1;

  TStakesModel(TStakesViewSource source, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  // Takes the file's record count; true when the row count changed (a reset), otherwise the
  // visible rows are repainted.
  bool Refresh();
  void Repaint();

 private:
  // The row asked for last: a row's cells and roles are asked for one after another.
  struct TCached {
    int row = -1;
    bool ok = false;
    TStake stake;
    TStakeRow cells;
  };
  const TCached& RowData(int row) const;

  TStakesViewSource src_;
  int rows_ = 0;
  mutable TCached cached_;
};

// Paints the numbers columns one number at a time, 3 pixels apart, the matched ones bold and
// blue; the other columns are painted as usual.
class TStakesDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace kvarn
