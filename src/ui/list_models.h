// Owner-data models of the draws list and the combination list: a row is formatted only when the
// view asks for it, a refresh is one reset or one dataChanged for the whole list.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <functional>

#include "combs/combs.h"
#include "core/draws.h"
#include "core/lottery.h"

namespace kvarn {

// Windows colour 0x00BBGGRR as a QColor.
QColor WinColour(uint32_t bgr);

// The draws list asks the workspace for its row count and for one formatted row at a time.
struct TDrawsViewSource {
  std::function<int()> count;
  std::function<TDrawRow(int row)> row;
};

class TDrawsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TDrawsModel(TDrawsViewSource source, QStringList headers, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  // Row i shows the archive entry count - 1 - i.
  int IndexOfRow(int row) const { return src_.count() - 1 - row; }
  // Sets the row count to the archive's when forced or when they differ; repaints otherwise.
  void Refresh(bool force);
  void Repaint();

 private:
  TDrawsViewSource src_;
  QStringList headers_;
  int rows_ = 0;
};

struct TCombsViewSource {
  std::function<const TCombList&()> combs;
  std::function<bool()> coloured;  // ColorCombs
  std::function<int()> channelSize;
};

class TCombsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TCombsModel(TCombsViewSource source, QStringList headers, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  void Refresh(bool force);
  void Repaint();

 private:
  TCombsViewSource src_;
  QStringList headers_;
  int rows_ = 0;
};

// The applied-filters list: caption, values, count, with the keep/delete icon.
class TFiltersModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TFiltersModel(std::function<const TAppliedFilters&()> filters, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  void Refresh();

 private:
  std::function<const TAppliedFilters&()> filters_;
  int rows_ = 0;
};

}  // namespace kvarn
