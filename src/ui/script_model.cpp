#include "ui/script_model.h"

#include "ui/qt_host.h"

namespace kvarn {

namespace {
QStringList Captions() {
  QStringList c;
  for (const char* t : ScriptListCaptions) c << QString::fromUtf8(t);
  return c;
}
}  // namespace

TScriptModel::TScriptModel(TScriptViewSource source, QObject* parent)
    : TOwnerDataModel(Captions(), parent), src_(std::move(source)) {}

void TScriptModel::Refresh(bool force) {
  const int count = src_.count();
  rows_.assign(static_cast<size_t>(count), std::nullopt);
  SetRows(count, force);
}

QVariant TScriptModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  if (!index.isValid() || row < 0 || row >= Rows() || static_cast<size_t>(row) >= rows_.size())
    return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  std::optional<TScriptListRow>& cached = rows_[static_cast<size_t>(row)];
  if (!cached) cached = src_.row(row);
  return Q((*cached)[static_cast<size_t>(index.column())]);
}

}  // namespace kvarn
