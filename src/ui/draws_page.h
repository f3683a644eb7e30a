// The "Архив тиражей" page: the owner-data draws list (newest first) and the offset spin field;
// the page binds the archive commands.
#pragma once

#include <QSpinBox>
#include <QTableView>
#include <vector>

#include "ui/draws_model.h"
#include "ui/page.h"

namespace kvarn {

class TDrawsPage : public TPage {
  Q_OBJECT
 public:
  TDrawsPage(TTemplateMain& main, const QStringList& columns, QWidget* parent);

  void BindCommands() override;
  // Takes the archive's row count (reset) or repaints, and the offset field's maximum.
  void Refresh(bool reset) override;
  void Repaint();
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  QTableView* List() const { return list_; }
  QSpinBox* OffsetField() const { return offset_; }
  TDrawsModel* Model() const { return model_; }
  std::vector<int> SelectedRows() const;
  int FocusedRow() const;
  // Width that shows every column without a horizontal scroll bar.
  int NeededWidth() const;

 private:
  void EditDraw(bool add);

  QTableView* list_ = nullptr;
  QSpinBox* offset_ = nullptr;
  TDrawsModel* model_ = nullptr;
};

}  // namespace kvarn
