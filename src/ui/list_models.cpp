#include "ui/list_models.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "core/draws.h"

namespace kvarn {

QColor WinColour(uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

namespace {

QVariant HeaderOf(const QStringList& headers, int section, Qt::Orientation o, int role) {
  if (o != Qt::Horizontal || section < 0 || section >= headers.size()) return {};
  if (role == Qt::DisplayRole) return headers[section];
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

}  // namespace

// ---- draws ----

TDrawsModel::TDrawsModel(TDrawsViewSource source, QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), src_(std::move(source)), headers_(std::move(headers)) {}

int TDrawsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TDrawsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TDrawsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= DrawColumnsCount) return {};
  int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(src_.row(index.row()).Cells[static_cast<size_t>(col)]);
    case Qt::TextAlignmentRole:
      return int(col == 8 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
      uint32_t c = src_.row(index.row()).Colours[static_cast<size_t>(col)];
      if (c == DefaultColour) return {};
      return role == Qt::BackgroundRole ? WinColour(c) : QColor(Qt::black);
    }
    default:
      return {};
  }
}

QVariant TDrawsModel::headerData(int section, Qt::Orientation o, int role) const {
  return HeaderOf(headers_, section, o, role);
}

void TDrawsModel::Refresh(bool force) {
  int wanted = src_.count();
  if (force || wanted != rows_) {
    beginResetModel();
    rows_ = wanted;
    endResetModel();
  } else {
    Repaint();
  }
}

void TDrawsModel::Repaint() {
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

// ---- combinations ----

TCombsModel::TCombsModel(TCombsViewSource source, QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), src_(std::move(source)), headers_(std::move(headers)) {}

int TCombsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TCombsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TCombsModel::data(const QModelIndex& index, int role) const {
  const TCombList& list = src_.combs();
  int row = index.row();
  if (!index.isValid() || row < 0 || row >= list.Count() || row >= rows_) return {};
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

QVariant TCombsModel::headerData(int section, Qt::Orientation o, int role) const {
  return HeaderOf(headers_, section, o, role);
}

void TCombsModel::Refresh(bool force) {
  int wanted = src_.combs().Count();
  if (force || wanted != rows_) {
    beginResetModel();
    rows_ = wanted;
    endResetModel();
  } else {
    Repaint();
  }
}

void TCombsModel::Repaint() {
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

// ---- applied filters ----

TFiltersModel::TFiltersModel(std::function<const TAppliedFilters&()> filters, QObject* parent)
    : QAbstractTableModel(parent), filters_(std::move(filters)) {}

int TFiltersModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TFiltersModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

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

QVariant TFiltersModel::data(const QModelIndex& index, int role) const {
  const TAppliedFilters& f = filters_();
  int row = index.row();
  if (!index.isValid() || row < 0 || row >= static_cast<int>(f.size())) return {};
  const TAppliedFilter& item = f[static_cast<size_t>(row)];
  if (role == Qt::DisplayRole) {
    if (index.column() == 0) return QString::fromStdString(item.Caption);
    if (index.column() == 1) return QString::fromStdString(item.Values);
    return item.Count;
  }
  if (role == Qt::DecorationRole && index.column() == 0) return FilterIcon(item.Exclude);
  // The narrow columns cut long method captions and value lists; the hint shows them whole.
  if (role == Qt::ToolTipRole && index.column() == 0)
    return QString::fromStdString(item.Caption) + QLatin1Char('\n') +
           (item.Exclude ? QStringLiteral("Удалить выделенные")
                         : QStringLiteral("Оставить выделенные"));
  if (role == Qt::ToolTipRole && index.column() == 1) return QString::fromStdString(item.Values);
  return {};
}

QVariant TFiltersModel::headerData(int section, Qt::Orientation o, int role) const {
  static const QStringList headers = {QStringLiteral("Примененные фильтры"),
                                      QStringLiteral("Значения"), QStringLiteral("Комбинаций")};
  return HeaderOf(headers, section, o, role);
}

void TFiltersModel::Refresh() {
  beginResetModel();
  rows_ = static_cast<int>(filters_().size());
  endResetModel();
}

}  // namespace kvarn
