// Paints the numbers columns of the stakes grid one number at a time, 3 pixels apart, the matched
// ones bold and blue; the profit and the comment stand 2 pixels off the cell's edge.
#pragma once

#include <QStyledItemDelegate>

namespace kvarn {

class TStakesDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace kvarn
