#include "ui/regulars_page.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "ui/combs_page.h"
#include "ui/form_stake.h"
#include "ui/form_table.h"
#include "ui/form_test_cnt.h"
#include "ui/list_view.h"
#include "ui/template_main.h"
#include "ui/window_state.h"

namespace kvarn {

TRegularsPage::TRegularsPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvTables"));
  model_ = new TRegularsModel(main_.Workspace(), this);
  list_->setModel(model_);
  SetupListView(list_, {200, 150, 50, 150, 60});
  // File order until a header is clicked.
  list_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  list_->setSortingEnabled(true);
  v->addWidget(list_);
}

void TRegularsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(list_, {"TablesAdd", "TablesDel", nullptr, "TablesStakeAdd", "TablesStakeTest"});
  c.Bind(
      "TablesAdd", [&ws] { return ws.RegularsShown(); }, [this] { AddRegulars(); });
  c.Bind(
      "TablesDel", [this, &ws] { return ws.RegularsShown() && !SelectedRecords().empty(); },
      [this, &ws] {
        if (ws.TablesDel(SelectedRecords())) list_->selectionModel()->clear();
      });
  c.Bind(
      "TablesStakeAdd",
      [this, &ws] { return ws.RegularsShown() && ws.StakesFileOpen() && FocusedRecord() >= 0; },
      [this] { StakeRegular(); });
  c.Bind(
      "TablesStakeTest",
      [this, &ws] {
        return ws.RegularsShown() && ws.StakesFileOpen() && ws.RegularsTestMaxCount() > 0 &&
               !SelectedRecords().empty();
      },
      [this] { TestRegulars(); });
  ws.OnRegularsChanged = [this] { model_->Refresh(); };
  model_->Refresh();
}

void TRegularsPage::AddRegulars() {
  TWorkspace& ws = main_.Workspace();
  const std::vector<TSelectedComb> selected =
      ws.RegularsSelectedCombs(main_.Page<TCombsPage>().SelectedRows());
  TFormTable dlg(
      main_.Host(), selected,
      [&ws, &selected](const TRegularInput& input) { return ws.RegularsCheck(input, selected); },
      this);
  if (dlg.exec() != QDialog::Accepted) return;
  ws.TablesAdd(dlg.Result());
}

void TRegularsPage::StakeRegular() {
  TWorkspace& ws = main_.Workspace();
  const int index = FocusedRecord();
  TRegular advanced;
  TStake stake;
  if (!ws.TablesStakePrepare(index, advanced, stake)) return;
  TFormStake dlg(main_.Host(), stake, 1, ws.Config(), this);
  // Cancel leaves the regular as it was.
  if (dlg.exec() == QDialog::Accepted)
    ws.TablesStakeAdd(index, advanced, dlg.Result(), dlg.Draws());
}

void TRegularsPage::TestRegulars() {
  TWorkspace& ws = main_.Workspace();
  const std::vector<int> records = SelectedRecords();
  TFormTestCnt dlg(ws.RegularsTestMaxCount(), this);
  if (dlg.exec() != QDialog::Accepted || dlg.Result() <= 0) return;
  ws.TablesStakeTest(records, dlg.Result());
}

std::vector<int> TRegularsPage::SelectedRecords() const {
  std::vector<int> records;
  for (int row : SelectedRows(list_)) {
    const int r = model_->RecordOf(row);
    if (r >= 0) records.push_back(r);
  }
  return records;
}

int TRegularsPage::FocusedRecord() const {
  const QModelIndex i = list_->currentIndex();
  return i.isValid() ? model_->RecordOf(i.row()) : -1;
}

void TRegularsPage::RestoreState(const TWindowStateStore& st) {
  RestoreListLayout(list_, "lvTables", st);
}

void TRegularsPage::SaveState(TWindowStateStore& st) const {
  SaveListLayout(list_, "lvTables", st);
}

}  // namespace kvarn
