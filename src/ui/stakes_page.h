// The "Ставки" page: the stakes grid, owner-drawn from the stakes file through its cache; the page
// binds the stake commands (the ones acting on the combination list too, and the chart of profit
// by draw).
#pragma once

#include <QTableView>
#include <vector>

#include "ui/page.h"
#include "ui/stakes_model.h"

namespace kvarn {

class TStakesPage : public TPage {
  Q_OBJECT
 public:
  TStakesPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  // A forced refresh (start-up, settings) gives the grid the file's record count.
  void Refresh(bool force) override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  QTableView* Grid() const { return grid_; }
  TStakesModel* Model() const { return model_; }
  std::vector<int> SelectedRows() const;

 private:
  // The workspace's grid refresh: a new row count, a repaint, and the scroll to the last row.
  void GridChanged(bool rowsChanged, bool scroll);
  // "Сделать ставку" for a combination row (-1: none) of the list.
  void AddStake(int combRow);
  void AddStakes(bool all);
  void ShowProfitGraph();

  QTableView* grid_ = nullptr;
  TStakesModel* model_ = nullptr;
};

}  // namespace kvarn
