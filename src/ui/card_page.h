// The "Карта" page: the whole archive as a grid, one row per draw newest first, one column per
// number, coloured by channel and by sequences; selected numbers keep or delete combinations.
#pragma once

#include <QTableView>

#include "ui/card_model.h"
#include "ui/page.h"

namespace kvarn {

class TCardPage : public TPage {
  Q_OBJECT
 public:
  TCardPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  // The row count follows the archive while the tab is shown (forced: always); an unchanged
  // count repaints.
  void Refresh(bool force) override;
  // The colour switches changed.
  void Repaint() { model_->Repaint(); }

  QTableView* Grid() const { return grid_; }
  TCardModel* Model() const { return model_; }

 private:
  // The selection as the filter takes it: grid rows from 1, columns as shown.
  bool Selection(int& top, int& left, int& bottom, int& right) const;

  QTableView* grid_ = nullptr;
  TCardModel* model_ = nullptr;
};

}  // namespace kvarn
