// The base of the owner-data models: the column captions, the row count the view was last given,
// and the two kinds of refresh (one reset for a new row count, one dataChanged over the whole list
// otherwise).
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace kvarn {

class TOwnerDataModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TOwnerDataModel(QStringList headers, QObject* parent)
      : QAbstractTableModel(parent), headers_(std::move(headers)) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : rows_;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
  }
  // The captions, centred.
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
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
  QStringList headers_;
  int rows_ = 0;
};

}  // namespace kvarn
