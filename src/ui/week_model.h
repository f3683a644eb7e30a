// The week table: the seven days down the side, the 36 numbers across the top, heat-coloured
// counts in the cells.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

#include "views/week.h"

namespace kvarn {

// The interface locale's short names of Monday .. Sunday.
QStringList WeekDayNames();

class TWeekModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TWeekModel(std::function<const TWeekTable&()> table, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  // The counts changed: one dataChanged for the grid.
  void Repaint();

 private:
  std::function<const TWeekTable&()> table_;
  QStringList days_;
};

}  // namespace kvarn
