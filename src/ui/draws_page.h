// The "Архив тиражей" page: the owner-data draws list (newest first) and the offset spin field;
// the page binds the archive commands.
#pragma once

#include <QSpinBox>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "ui/list_models.h"

namespace kvarn {

class TTemplateMain;
class TWindowStateStore;

class TDrawsPage : public QWidget {
  Q_OBJECT
 public:
  TDrawsPage(TTemplateMain& main, const QStringList& columns, QWidget* parent);

  void BindCommands();
  // Takes the archive's row count (reset) or repaints, and the offset field's maximum.
  void Refresh(bool reset);
  void Repaint();
  void RestoreState(const TWindowStateStore& st);
  void SaveState(TWindowStateStore& st) const;

  QTableView* List() const { return list_; }
  QSpinBox* OffsetField() const { return offset_; }
  TDrawsModel* Model() const { return model_; }
  std::vector<int> SelectedRows() const;
  int FocusedRow() const;
  // Width that shows every column without a horizontal scroll bar.
  int NeededWidth() const;

 private:
  void EditDraw(bool add);

  TTemplateMain& main_;
  QTableView* list_ = nullptr;
  QSpinBox* offset_ = nullptr;
  TDrawsModel* model_ = nullptr;
};

}  // namespace kvarn
