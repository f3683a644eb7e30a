#include "ui/stakes_model.h"

#include <QApplication>
#include <QPainter>

#include "stakes/stakes_grid.h"
#include "ui/list_models.h"
#include "ui/qt_host.h"

namespace kvarn {

TStakesModel::TStakesModel(TStakesViewSource source, QObject* parent)
    : QAbstractTableModel(parent), src_(std::move(source)) {}

int TStakesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TStakesModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : StakeColumnsCount;
}

QVariant TStakesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
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
  const TStake& s = c.stake;
  if (role == MatchedRole) {
    QList<int> matched;
    for (int i = 0; i < std::clamp(s.Matches(), 0, MaxSetSize); ++i)
      matched.append(s.Matched.Numbers[static_cast<size_t>(i)]);
    return QVariant::fromValue(matched);
  }
  const TStakeRow& row = c.cells;
  if (role == Qt::DisplayRole) return Q(row.Cells[static_cast<size_t>(col)]);
  if (role == Qt::BackgroundRole)
    return row.Background == StakeWindowColour ? QVariant() : QVariant(WinColour(row.Background));
  if (row.HasResult && col >= scMatches && col <= scProfit) return WinColour(row.ResultColour);
  return {};
}

const TStakesModel::TCached& TStakesModel::RowData(int row) const {
  if (cached_.row != row) {
    cached_.row = row;
    cached_.ok = src_.read(row, cached_.stake);
    if (cached_.ok) cached_.cells = StakeGridRow(cached_.stake);
  }
  return cached_;
}

QVariant TStakesModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o != Qt::Horizontal || section < 0 || section >= StakeColumnsCount) return {};
  if (role == Qt::DisplayRole) return Q(StakeColumns[static_cast<size_t>(section)].Caption);
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

bool TStakesModel::Refresh() {
  cached_.row = -1;
  const int wanted = src_.count();
  if (wanted == rows_) {
    Repaint();
    return false;
  }
  beginResetModel();
  rows_ = wanted;
  endResetModel();
  return true;
}

void TStakesModel::Repaint() {
  cached_.row = -1;
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, StakeColumnsCount - 1));
}

void TStakesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const int col = index.column();
  if (col != scNumbers && col != scDrawValues) {
    QStyleOptionViewItem opt = option;
    // The profit and the comment stand 2 pixels off the cell's edge.
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
  constexpr int kGap = 3;
  int width = 0;
  for (const QString& n : numbers)
    width += QFontMetrics(matched.contains(n.toInt()) ? bold : plain).horizontalAdvance(n);
  width += kGap * (static_cast<int>(numbers.size()) - 1);
  int x = opt.rect.left() + std::max(0, (opt.rect.width() - width) / 2);
  const QColor normal = opt.state & QStyle::State_Selected
                            ? opt.palette.color(QPalette::HighlightedText)
                            : opt.palette.color(QPalette::Text);
  painter->save();
  painter->setClipRect(opt.rect);
  for (const QString& n : numbers) {
    const bool hit = matched.contains(n.toInt());
    painter->setFont(hit ? bold : plain);
    painter->setPen(hit ? WinColour(StakeMatchedColour) : normal);
    const int w = QFontMetrics(painter->font()).horizontalAdvance(n);
    painter->drawText(QRect(x, opt.rect.top(), w, opt.rect.height()), Qt::AlignVCenter, n);
    x += w + kGap;
  }
  painter->restore();
}

}  // namespace kvarn
