#include "ui/combs_model.h"

#include "ui/colours.h"

namespace kvarn {

TCombsModel::TCombsModel(TCombsViewSource source, QStringList headers, QObject* parent)
    : TOwnerDataModel(std::move(headers), parent), src_(std::move(source)) {}

QVariant TCombsModel::data(const QModelIndex& index, int role) const {
  const TCombList& list = src_.combs();
  int row = index.row();
  if (!index.isValid() || row < 0 || row >= list.Count() || row >= Rows()) return {};
  int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(CombCellText(list, row, col));
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
      if (!src_.coloured()) return {};
      return WinColour(CombCellColour(list, row, col, true, src_.channelSize()));
    case Qt::ForegroundRole:
      if (src_.coloured()) return QColor(Qt::black);
      return {};
    default:
      return {};
  }
}

}  // namespace kvarn
