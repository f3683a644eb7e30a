#include "ui/week_model.h"

#include <QColor>
#include <QLocale>

#include "core/draws.h"
#include "ui/colours.h"

namespace kvarn {

QStringList WeekDayNames() {
  // The interface's language, not the system's: the window is Russian throughout.
  const QLocale locale(QLocale::Russian, QLocale::Russia);
  QStringList names;
  for (int day = 1; day <= WeekDays; ++day) names << locale.dayName(day, QLocale::ShortFormat);
  return names;
}

TWeekModel::TWeekModel(std::function<const TWeekTable&()> table, QObject* parent)
    : QAbstractTableModel(parent), table_(std::move(table)), days_(WeekDayNames()) {}

int TWeekModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : WeekDays;
}

int TWeekModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : NumbersCount;
}

QVariant TWeekModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const TWeekTable& t = table_();
  const int number = index.column() + 1, day = index.row() + 1;
  const int32_t v = t.Count(number, day);
  switch (role) {
    case Qt::DisplayRole:
      return v == 0 ? QVariant() : QVariant(v);
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
      const uint32_t c = WeekCellColour(v, t.Max);
      return c == DefaultColour ? QVariant() : QVariant(WinColour(c));
    }
    case Qt::ForegroundRole: {
      // White text on the darker reds.
      if (t.Max <= 0 || v <= 0) return {};
      return 2 * v > t.Max ? QColor(Qt::white) : QColor(Qt::black);
    }
    default:
      return {};
  }
}

QVariant TWeekModel::headerData(int section, Qt::Orientation o, int role) const {
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  if (o == Qt::Horizontal) return QString::number(section + 1);
  return section >= 0 && section < days_.size() ? days_[section] : QString();
}

void TWeekModel::Repaint() {
  emit dataChanged(index(0, 0), index(WeekDays - 1, NumbersCount - 1));
}

}  // namespace kvarn
