#include "ui/regulars_model.h"

#include <algorithm>
#include <numeric>

#include "app/workspace.h"
#include "ui/qt_host.h"

namespace kvarn {

TRegularsModel::TRegularsModel(TWorkspace& ws, QObject* parent)
    : TOwnerDataModel(
          {QStringLiteral("Комментарий"), QStringLiteral("Стартовая комбинация"),
           QStringLiteral("Шаг"), QStringLiteral("Текущая комбинация"), QStringLiteral("Ставок")},
          parent),
      ws_(ws) {}

int TRegularsModel::RecordOf(int row) const {
  if (row < 0 || row >= static_cast<int>(order_.size())) return -1;
  const int index = order_[static_cast<size_t>(row)];
  return index < ws_.RegularsCount() ? index : -1;
}

QVariant TRegularsModel::data(const QModelIndex& index, int role) const {
  const int record = RecordOf(index.row());
  if (!index.isValid() || record < 0 || index.column() >= RegularColumnsCount) return {};
  switch (role) {
    case Qt::DisplayRole:
      return Q(RegularRowTexts(
          ws_.Regulars()[static_cast<size_t>(record)])[static_cast<size_t>(index.column())]);
    case Qt::TextAlignmentRole:
      return int(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    default:
      return {};
  }
}

void TRegularsModel::Reorder() {
  order_.resize(static_cast<size_t>(ws_.RegularsCount()));
  std::iota(order_.begin(), order_.end(), 0);
  if (sortColumn_ < 0) return;
  const TRegularsArray& items = ws_.Regulars();
  const int column = sortColumn_;
  auto less = [&items, column](int a, int b) {
    const TRegular& x = items[static_cast<size_t>(a)];
    const TRegular& y = items[static_cast<size_t>(b)];
    switch (column) {
      case 0:
        return QString::localeAwareCompare(Q(x.Comment), Q(y.Comment)) < 0;
      case 1:
        return x.Start < y.Start;
      case 2:
        return x.Step < y.Step;
      case 3:
        return x.Current < y.Current;
      default:
        return x.Stakes < y.Stakes;
    }
  };
  std::stable_sort(order_.begin(), order_.end(), less);
  if (sortOrder_ == Qt::DescendingOrder) std::reverse(order_.begin(), order_.end());
}

void TRegularsModel::sort(int column, Qt::SortOrder order) {
  sortColumn_ = column;
  sortOrder_ = order;
  emit layoutAboutToBeChanged();
  Reorder();
  emit layoutChanged();
}

void TRegularsModel::Refresh() {
  Reorder();
  SetRows(static_cast<int>(order_.size()), true);
}

}  // namespace kvarn
