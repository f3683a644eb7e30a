// The "Комбинации" page: the owner-data combination list, the exclude spin field with its button,
// and the applied-filters list under a splitter; the page binds the combination commands.
#pragma once

#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "ui/list_models.h"

namespace kvarn {

class TTemplateMain;
class TWindowStateStore;

class TCombsPage : public QWidget {
  Q_OBJECT
 public:
  TCombsPage(TTemplateMain& main, const QStringList& columns, QWidget* parent);

  void BindCommands();
  void Refresh(bool force);
  void Repaint();
  void RestoreState(const TWindowStateStore& st);
  void SaveState(TWindowStateStore& st) const;

  QTableView* List() const { return list_; }
  QTableView* Filters() const { return filters_; }
  QSpinBox* ExcludeField() const { return exclude_; }
  TCombsModel* Model() const { return model_; }
  // Selected rows in ascending order, read from the selection ranges (fast for a whole list).
  std::vector<int> SelectedRows() const;
  bool HasSelection() const;
  int FocusedRow() const;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  TTemplateMain& main_;
  QTableView* list_ = nullptr;
  QTableView* filters_ = nullptr;
  QSpinBox* exclude_ = nullptr;
  QSplitter* split_ = nullptr;
  TCombsModel* model_ = nullptr;
  TFiltersModel* filtersModel_ = nullptr;
  bool clipboardHasText_ = false;
};

// Column widths and header setup shared by the owner-data lists.
void SetupListView(QTableView* view, const std::vector<int>& widths);
void SaveListLayout(const QTableView* view, const std::string& name, TWindowStateStore& st);
void RestoreListLayout(QTableView* view, const std::string& name, const TWindowStateStore& st);

}  // namespace kvarn
