#include "ui/stats_model.h"

#include "ui/qt_host.h"

namespace kvarn {

namespace {
QStringList Captions() {
  QStringList captions;
  for (const char* c : StatColumnCaptions) captions << QString::fromUtf8(c);
  return captions;
}
}  // namespace

TStatTableModel::TStatTableModel(std::function<const TStatTable&()> table, QObject* parent)
    : TOwnerDataModel(Captions(), parent), table_(std::move(table)) {}

QVariant TStatTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Rows()) return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(index.column() == stcValue ? Qt::AlignLeft | Qt::AlignVCenter
                                                          : Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const TStatTable& t = table_();
  const size_t r = static_cast<size_t>(index.row());
  if (r >= t.Rows.size()) return {};
  const size_t i = t.Order.size() == t.Rows.size() ? static_cast<size_t>(t.Order[r]) : r;
  return Q(t.Rows[i].Cells[static_cast<size_t>(index.column())]);
}

void TStatTableModel::Reorder(const std::function<void()>& sort) {
  const TStatTable& t = table_();
  if (t.Order.size() != t.Rows.size()) {
    sort();
    return;
  }
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> items;
  items.reserve(static_cast<size_t>(before.size()));
  for (const QModelIndex& i : before)
    items.push_back(
        i.row() < static_cast<int>(t.Order.size()) ? t.Order[static_cast<size_t>(i.row())] : -1);
  sort();
  std::vector<int> rowOf(t.Order.size(), -1);
  for (size_t r = 0; r < t.Order.size(); ++r)
    rowOf[static_cast<size_t>(t.Order[r])] = static_cast<int>(r);
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype k = 0; k < before.size(); ++k) {
    const int item = items[static_cast<size_t>(k)];
    after.push_back(item < 0 ? QModelIndex()
                             : index(rowOf[static_cast<size_t>(item)], before[k].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace kvarn
