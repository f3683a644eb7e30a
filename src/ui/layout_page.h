// The "Схема" page: the layout scheme (numbers by count against the draw that held them last)
// over a window of draws, and below it five compare lists over other window lengths; numbers
// selected in the scheme keep or delete combinations.
#pragma once

#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <array>

#include "ui/layout_model.h"
#include "ui/page.h"
#include "views/layout.h"

namespace kvarn {

class TLayoutPage : public TPage {
  Q_OBJECT
 public:
  TLayoutPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  // While the tab is shown the scheme and the lists are built when their inputs changed;
  // forced, always.
  void Refresh(bool force) override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  // LayoutCalc and LayoutCmpCalc with what they built shown.
  void Calc(bool force);
  void CmpCalc(bool force);
  void Repaint() { model_->Repaint(); }

  QSpinBox* LenField() const { return len_; }
  QSpinBox* CompareField(int k) const { return cmpLen_[static_cast<size_t>(k)]; }
  QTreeWidget* CompareList(int k) const { return cmpList_[static_cast<size_t>(k)]; }
  QTableView* Grid() const { return grid_; }
  TLayoutModel* Model() const { return model_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void ShowScheme();
  void ShowCompare();
  void ApplyCompareHeight();

  QSpinBox* len_ = nullptr;
  QSplitter* split_ = nullptr;
  QTableView* grid_ = nullptr;
  TLayoutModel* model_ = nullptr;
  std::array<QSpinBox*, LayoutCompareCount> cmpLen_{};
  std::array<QTreeWidget*, LayoutCompareCount> cmpList_{};
  // The compare lists' height, applied when the page first shows (the splitter has no height
  // before that).
  int cmpHeight_ = 300;
  bool sized_ = false;
};

}  // namespace kvarn
