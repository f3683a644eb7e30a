// The "Регуляры" page: the sortable owner-data list of the regular stakes; the page binds the
// commands that add, delete, stake and test them.
#pragma once

#include <QTableView>
#include <vector>

#include "ui/page.h"
#include "ui/regulars_model.h"

namespace kvarn {

class TRegularsPage : public TPage {
  Q_OBJECT
 public:
  TRegularsPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  QTableView* List() const { return list_; }
  TRegularsModel* Model() const { return model_; }
  // The records of the selected rows in the order the list shows them.
  std::vector<int> SelectedRecords() const;
  // The record of the focused row, -1 when none.
  int FocusedRecord() const;

 private:
  void AddRegulars();
  void StakeRegular();
  void TestRegulars();

  QTableView* list_ = nullptr;
  TRegularsModel* model_ = nullptr;
};

}  // namespace kvarn
