// The draws card as an owner-data grid: every draw a row, newest first, a cell formatted and
// coloured only when the view paints it.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "core/lottery.h"
#include "views/card.h"

namespace kvarn {

struct TCardSource {
  std::function<const TDrawsArray&()> draws;
  std::function<TCardOptions()> options;
};

class TCardModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TCardModel(TCardSource source, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  // Takes the archive's row count when it differs or when forced (one reset); false when nothing
  // had to be done.
  bool Rebuild(bool force);
  // Colours changed: one dataChanged for the whole grid.
  void Repaint();

 private:
  TCardSource src_;
  int rows_ = 0;
  bool built_ = false;
};

}  // namespace kvarn
