#include "ui/systems_model.h"

#include "app/workspace.h"
#include "ui/qt_host.h"

namespace kvarn {

TSystemsModel::TSystemsModel(TWorkspace& ws, QObject* parent)
    : TOwnerDataModel(
          {QStringLiteral("Наименование"), QStringLiteral("Числа"), QStringLiteral("Блок"),
           QStringLiteral("Комбинаций"), QStringLiteral("Дата файла")},
          parent),
      ws_(ws) {}

QVariant TSystemsModel::data(const QModelIndex& index, int role) const {
  const auto& list = ws_.Systems();
  if (!index.isValid() || index.row() >= static_cast<int>(list.size())) return {};
  const TStoredSystem& s = list[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case 0:
          return Q(s.Info.Title);
        case 1:
          return s.Info.NumsCount;
        case 2:
          return s.Info.BlockLen;
        case 3:
          return s.Info.CombsCount;
        case 4:
          return Q(SystemDateText(s.FileDate));
        default:
          return {};
      }
    case Qt::ToolTipRole:
      return Q(SystemShortName(s.FileName));
    case Qt::TextAlignmentRole:
      return int(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    default:
      return {};
  }
}

void TSystemsModel::Refresh() {
  SetRows(static_cast<int>(ws_.Systems().size()), true);
}

}  // namespace kvarn
