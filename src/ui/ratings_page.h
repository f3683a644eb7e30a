// The "Рейтинг" page: the owner-data rating list, sorted by a click on a column header with the
// stored state, and the commands of the rating menu that act on its rows.
#pragma once

#include <QTableView>
#include <vector>

#include "ui/page.h"
#include "ui/ratings_model.h"

namespace kvarn {

class TRatingsPage : public TPage {
  Q_OBJECT
 public:
  TRatingsPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  void Refresh(bool force) override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  QTableView* List() const { return list_; }
  TRatingsModel* Model() const { return model_; }
  std::vector<int> SelectedRows() const;
  // Sorts by a column as a click on its header does.
  void ClickColumn(int column);

 private:
  void ShowSortIndicator();
  void ShowOverlapGraph();
  void ShowStakesGraph(bool profits);
  void ShowChance();

  QTableView* list_ = nullptr;
  TRatingsModel* model_ = nullptr;
};

}  // namespace kvarn
