#include "ui/stakes_page.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "ui/combs_page.h"
#include "ui/form_graph.h"
#include "ui/form_multi.h"
#include "ui/form_stake.h"
#include "ui/form_stake_filter.h"
#include "ui/list_view.h"
#include "ui/stakes_delegate.h"
#include "ui/template_main.h"
#include "ui/window_state.h"
#include "ui/xls_export.h"

namespace kvarn {

TStakesPage::TStakesPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  setObjectName(QStringLiteral("tsStakes"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("sgStakes"));
  TWorkspace& ws = main_.Workspace();
  model_ = new TStakesModel({[&ws] { return ws.StakesCount(); },
                             [&ws](int row, TStake& s) { return ws.StakesReadRow(row, s); }},
                            this);
  grid_->setModel(model_);
  grid_->setItemDelegate(new TStakesDelegate(grid_));
  std::vector<int> widths;
  for (const TStakeColumnInfo& c : StakeColumns) widths.push_back(c.Width);
  SetupListView(grid_, widths);
  // The numbers columns hold up to twelve numbers.
  for (int col : {static_cast<int>(scNumbers), static_cast<int>(scDrawValues)})
    grid_->setColumnWidth(
        col,
        std::max(StakeColumns[static_cast<size_t>(col)].Width,
                 grid_->fontMetrics().horizontalAdvance(QStringLiteral("36;35;34;33;32")) + 20));
  v->addWidget(grid_, 1);
}

void TStakesPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(
      grid_, {"StakeAdd", "StakeAddRandom", "StakeAddSelected", "StakeAddAll", nullptr, "StakeDel",
              "StakeFilter", "StakeClear", nullptr, "StakesCheckManual", "StakesGraphDraws",
              nullptr, "LogStakes", "LogStakesDelete", "StakesScroll"});
  auto open = [&ws] { return ws.StakesFileOpen(); };
  TCombsPage& combs = main_.Page<TCombsPage>();
  auto listNotEmpty = [open, &ws] { return open() && ws.Combs().Count() > 0; };

  c.Bind("StakeAdd", open, [this, &combs] { AddStake(combs.FocusedRow()); });
  c.Bind("StakeAddRandom", listNotEmpty, [this, &ws] { AddStake(ws.StakeRandomRow()); });
  c.Bind(
      "StakeAddSelected", [listNotEmpty, &combs] { return listNotEmpty() && combs.HasSelection(); },
      [this] { AddStakes(false); });
  c.Bind("StakeAddAll", listNotEmpty, [this] { AddStakes(true); });
  c.Bind(
      "StakeDel", [this, open] { return open() && !SelectedRows().empty(); },
      [this, &ws] {
        const std::vector<int> rows = SelectedRows();
        if (ws.StakesDeleteRows(rows.front(), rows.back(), true) > 0)
          grid_->selectionModel()->clear();
      });
  c.Bind("StakeFilter", open, [this, &ws] {
    TFormStakeFilter dlg(this);
    if (dlg.exec() == QDialog::Accepted) ws.StakesDeleteByCondition(dlg.Condition(), dlg.Value());
  });
  c.Bind("StakeClear", open, [&ws] { ws.StakeClear(true); });
  c.Bind("StakesCheckManual", open, [&ws] {
    ws.StakesCheckAndRefresh();
    ws.StakesRefreshGrid(true, false);
  });
  c.Bind("StakesGraphDraws", open, [this] { ShowProfitGraph(); });
  c.Bind(
      "StakesXlsExport", [open, &ws] { return open() && ws.StakesCount() > 0; },
      [this, &ws] {
        RunXlsExport(this, main_.State(), QStringLiteral("Ставки.xlsx"),
                     [&ws](const std::string& file, const TSheetProgress& progress) {
                       return ws.StakesXlsExport(file, progress);
                     });
      });
  c.Bind(
      "LogStakes", [] { return true; },
      [this] {
        TWindowStateStore& st = main_.State();
        st.SetBool("StakesLogEnabled", !st.Bool("StakesLogEnabled", false));
      },
      [this] { return main_.State().Bool("StakesLogEnabled", false); });
  c.Bind(
      "LogStakesDelete", [] { return true; }, [&ws] { ws.LogStakesDelete(); });

  // A double click on a combination stakes it.
  connect(combs.List(), &QTableView::doubleClicked, this,
          [this] { main_.Commands().Execute("StakeAdd"); });
  ws.OnStakesGridChanged = [this](bool rowsChanged, bool scroll) {
    GridChanged(rowsChanged, scroll);
  };
}

void TStakesPage::Refresh(bool force) {
  if (force) main_.Workspace().StakesRefreshGrid(true, false);
}

void TStakesPage::GridChanged(bool rowsChanged, bool scroll) {
  (void)rowsChanged;
  model_->Refresh();
  if (scroll && model_->rowCount() > 0) {
    const QModelIndex last = model_->index(model_->rowCount() - 1, 0);
    grid_->setCurrentIndex(last);
    grid_->scrollTo(last);
  }
}

void TStakesPage::AddStake(int combRow) {
  TWorkspace& ws = main_.Workspace();
  TFormStake dlg(main_.Host(), ws.StakePrepare(combRow), 1, ws.Config(), this);
  if (dlg.exec() == QDialog::Accepted) ws.StakeAdd(dlg.Result(), dlg.Draws());
}

void TStakesPage::AddStakes(bool all) {
  TWorkspace& ws = main_.Workspace();
  TFormMulti dlg(main_.Host(), ws.DrawsNextNumber(ws.DrawsOffset()), 1, ManualStakeComment, this);
  if (dlg.exec() != QDialog::Accepted) return;
  if (all) {
    ws.StakesAddCombs(nullptr, dlg.DrawNumber(), dlg.Draws(), dlg.Comment());
    return;
  }
  TCombsPage& combs = main_.Page<TCombsPage>();
  const std::vector<int> rows = combs.SelectedRows();
  combs.List()->selectionModel()->clear();
  ws.StakesAddCombs(&rows, dlg.DrawNumber(), dlg.Draws(), dlg.Comment());
}

void TStakesPage::ShowProfitGraph() {
  const std::vector<TGraphSeries> series = main_.Workspace().StakesGraphDraws();
  if (series.empty()) return;
  TFormGraph graph(main_.Host(), this);
  for (const TGraphSeries& s : series)
    for (const TGraphPoint& p : s.Points) graph.AddGraphPoint(p.X, s.Title, p.Y, true, false, 0);
  graph.exec();
}

std::vector<int> TStakesPage::SelectedRows() const {
  return kvarn::SelectedRows(grid_);
}

void TStakesPage::RestoreState(const TWindowStateStore& st) {
  RestoreListLayout(grid_, "sgStakes", st);
}

void TStakesPage::SaveState(TWindowStateStore& st) const {
  SaveListLayout(grid_, "sgStakes", st);
}

}  // namespace kvarn
