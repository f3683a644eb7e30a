// The base of the owner-data models: the row count the view was last given, and the two kinds of
// refresh (one reset for a new row count, one dataChanged over the whole list otherwise).
#pragma once

#include <QAbstractTableModel>

namespace kvarn {

class TOwnerDataModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : rows_;
  }
  // Repaints every row the view shows.
  void Repaint() {
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
  }

 protected:
  // Takes the wanted row count with one reset when forced or when it changed; repaints
  // otherwise.
  void SetRows(int wanted, bool force) {
    if (force || wanted != rows_) {
      beginResetModel();
      rows_ = wanted;
      endResetModel();
    } else {
      Repaint();
    }
  }
  int Rows() const { return rows_; }

 private:
  int rows_ = 0;
};

}  // namespace kvarn
