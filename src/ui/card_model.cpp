#include "ui/card_model.h"

#include <QColor>
#include <QFont>

#include "core/draws.h"
#include "ui/colours.h"

namespace kvarn {

namespace {
QStringList CardHeaders() {
  QStringList h;
  for (int col = 0; col < CardColumnCount; ++col) h << QString::fromStdString(CardHeaderText(col));
  return h;
}
}  // namespace

TCardModel::TCardModel(TCardSource source, QObject* parent)
    : TOwnerDataModel(CardHeaders(), parent), src_(std::move(source)) {}

QVariant TCardModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Rows()) return {};
  const int row = index.row() + 1, col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(CardCellText(src_.draws(), row, col));
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
      const uint32_t c = CardCellColour(src_.draws(), row, col, src_.options());
      if (c == DefaultColour) return {};
      return WinColour(c);
    }
    case Qt::FontRole:
      // The drawn numbers stand out from the coloured columns.
      if (col >= 1 && col <= NumbersCount) {
        static const QFont bold = [] {
          QFont f;
          f.setBold(true);
          return f;
        }();
        return bold;
      }
      return {};
    case Qt::ForegroundRole:
      // Light cell colours: dark text stays readable in any style.
      if (col >= 1 && col <= NumbersCount) return QColor(Qt::black);
      return {};
    default:
      return {};
  }
}

bool TCardModel::Rebuild(bool force) {
  const int wanted = CardRowCount(src_.draws());
  const bool reset = force || !built_ || wanted != Rows();
  built_ = true;
  SetRows(wanted, reset);
  return reset;
}

}  // namespace kvarn
