#include "ui/stakes_delegate.h"

#include <QApplication>
#include <QPainter>

#include "stakes/stakes_grid.h"
#include "ui/colours.h"
#include "ui/stakes_model.h"

namespace kvarn {

void TStakesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const int col = index.column();
  if (col != scNumbers && col != scDrawValues) {
    QStyleOptionViewItem opt = option;
    if (col == scProfit || col == scComment) opt.rect.adjust(2, 0, -2, 0);
    QStyledItemDelegate::paint(painter, opt, index);
    return;
  }
  // Background and selection as usual, without the text.
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
  if (text.isEmpty()) return;

  const QList<int> matched = index.data(TStakesModel::MatchedRole).value<QList<int>>();
  const QStringList numbers = text.split(QLatin1Char(';'));
  QFont plain = opt.font, bold = opt.font;
  bold.setBold(true);
  const QFontMetrics plainMetrics(plain), boldMetrics(bold);
  constexpr int kGap = 3;
  auto isMatched = [&](const QString& n) { return matched.contains(n.toInt()); };
  int width = kGap * (static_cast<int>(numbers.size()) - 1);
  for (const QString& n : numbers)
    width += (isMatched(n) ? boldMetrics : plainMetrics).horizontalAdvance(n);
  int x = opt.rect.left() + std::max(0, (opt.rect.width() - width) / 2);
  const QColor normal = opt.state & QStyle::State_Selected
                            ? opt.palette.color(QPalette::HighlightedText)
                            : opt.palette.color(QPalette::Text);
  painter->save();
  painter->setClipRect(opt.rect);
  for (const QString& n : numbers) {
    const bool hit = isMatched(n);
    painter->setFont(hit ? bold : plain);
    painter->setPen(hit ? WinColour(StakeMatchedColour) : normal);
    const int w = (hit ? boldMetrics : plainMetrics).horizontalAdvance(n);
    painter->drawText(QRect(x, opt.rect.top(), w, opt.rect.height()), Qt::AlignVCenter, n);
    x += w + kGap;
  }
  painter->restore();
}

}  // namespace kvarn
