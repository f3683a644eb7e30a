#include "ui/filters_model.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace kvarn {

namespace {

// Keep and delete marks: a green plus and a red minus.
QIcon FilterIcon(bool exclude) {
  static QIcon icons[2];
  QIcon& icon = icons[exclude ? 1 : 0];
  if (icon.isNull()) {
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QColor c = exclude ? QColor(200, 30, 30) : QColor(20, 150, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(0, 0, 14, 14);
    p.setBrush(Qt::white);
    p.drawRect(3, 6, 8, 2);
    if (!exclude) p.drawRect(6, 3, 2, 8);
    p.end();
    icon = QIcon(pm);
  }
  return icon;
}

}  // namespace

TFiltersModel::TFiltersModel(std::function<const TAppliedFilters&()> filters, QObject* parent)
    : TOwnerDataModel({QStringLiteral("Примененные фильтры"), QStringLiteral("Значения"),
                       QStringLiteral("Комбинаций")},
                      parent),
      filters_(std::move(filters)) {}

QVariant TFiltersModel::data(const QModelIndex& index, int role) const {
  const TAppliedFilters& f = filters_();
  int row = index.row();
  if (!index.isValid() || row < 0 || row >= static_cast<int>(f.size()) || row >= Rows()) return {};
  const TAppliedFilter& item = f[static_cast<size_t>(row)];
  if (role == Qt::DisplayRole) {
    if (index.column() == 0) return QString::fromStdString(item.Caption);
    if (index.column() == 1) return QString::fromStdString(item.Values);
    return item.Count;
  }
  if (role == Qt::DecorationRole && index.column() == 0) return FilterIcon(item.Exclude);
  // The hint shows the whole method caption and value list with the direction.
  if (role == Qt::ToolTipRole && index.column() == 0)
    return QString::fromStdString(item.Caption) + QLatin1Char('\n') +
           (item.Exclude ? QStringLiteral("Удалить выделенные")
                         : QStringLiteral("Оставить выделенные"));
  if (role == Qt::ToolTipRole && index.column() == 1) return QString::fromStdString(item.Values);
  return {};
}

}  // namespace kvarn
