// The "Комбинации" page: the owner-data combination list, the exclude spin field with its button,
// and the applied-filters list under a splitter; the page binds the combination commands.
#pragma once

#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <vector>

#include "ui/combs_model.h"
#include "ui/filters_model.h"
#include "ui/page.h"

namespace kvarn {

class TCombsPage : public TPage {
  Q_OBJECT
 public:
  TCombsPage(TTemplateMain& main, const QStringList& columns, QWidget* parent);

  void BindCommands() override;
  // The list takes the new row count (or repaints), the applied filters are shown anew.
  void Refresh(bool force) override;
  void Repaint();
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  QTableView* List() const { return list_; }
  QTableView* Filters() const { return filters_; }
  QSpinBox* ExcludeField() const { return exclude_; }
  TCombsModel* Model() const { return model_; }
  // Selected rows in ascending order.
  std::vector<int> SelectedRows() const;
  bool HasSelection() const;
  int FocusedRow() const;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QTableView* list_ = nullptr;
  QTableView* filters_ = nullptr;
  QSpinBox* exclude_ = nullptr;
  QSplitter* split_ = nullptr;
  TCombsModel* model_ = nullptr;
  TFiltersModel* filtersModel_ = nullptr;
  bool clipboardHasText_ = false;
};

}  // namespace kvarn
