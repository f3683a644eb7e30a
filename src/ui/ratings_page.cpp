#include "ui/ratings_page.h"

#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "core/text.h"
#include "ui/form_chance.h"
#include "ui/form_graph.h"
#include "ui/list_view.h"
#include "ui/script_page.h"
#include "ui/template_main.h"
#include "ui/window_state.h"
#include "ui/xls_export.h"

namespace kvarn {

TRatingsPage::TRatingsPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  setObjectName(QStringLiteral("tsRatings"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvRatings"));
  TWorkspace& ws = main_.Workspace();
  model_ = new TRatingsModel({[&ws] { return static_cast<int>(ws.Ratings().size()); },
                              [&ws](int row) { return ws.RatingsRow(row); }},
                             this);
  list_->setModel(model_);
  std::vector<int> widths;
  for (const TRatingColumnInfo& c : RatingColumns) widths.push_back(c.Width);
  SetupListView(list_, widths);
  QHeaderView* header = list_->horizontalHeader();
  header->setSortIndicatorShown(true);
  header->setSectionsClickable(true);
  // The designed widths leave no room for the sort arrow beside a caption in a larger font.
  for (int c = rcName + 1; c < rcColumnCount; ++c)
    header->resizeSection(c, std::max(header->sectionSize(c), header->sectionSizeHint(c)));
  connect(header, &QHeaderView::sectionClicked, this, &TRatingsPage::ClickColumn);
  connect(list_, &QTableView::doubleClicked, this,
          [this] { main_.Commands().Execute("RatingsGraphOverlap"); });
  v->addWidget(list_);
  ShowSortIndicator();
}

void TRatingsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(list_, {"StakesGraphOverlap", "StakesGraphProfits", "RatingsGraphOverlap",
                        "RatingsChanceTest", nullptr, "RatingsRefresh", "RatingsToScript", nullptr,
                        "RatingsExport", "RatingsXlsExport"});
  for (int mode = emExpected; mode <= emRelative; ++mode)
    c.Bind(
        StrFormat("RatingsEffMode%d", mode), [] { return true; },
        [&ws, mode] { ws.SetRatingsEffMode(mode); },
        [&ws, mode] { return ws.RatingsEffMode() == mode; });
  auto selected = [this] { return !SelectedRows().empty(); };
  auto selectedWithStakes = [this, &ws] { return ws.StakesFileOpen() && !SelectedRows().empty(); };
  c.Bind("RatingsGraphOverlap", selected, [this] { ShowOverlapGraph(); });
  c.Bind("StakesGraphOverlap", selectedWithStakes, [this] { ShowStakesGraph(false); });
  c.Bind("StakesGraphProfits", selectedWithStakes, [this] { ShowStakesGraph(true); });
  c.Bind("RatingsChanceTest", selectedWithStakes, [this] { ShowChance(); });
  c.Bind(
      "RatingsRefresh", [&ws] { return ws.StakesFileOpen(); },
      [this, &ws] {
        list_->selectionModel()->clear();
        ws.RatingsRefresh();
      });
  c.Bind(
      "RatingsExport", [&ws] { return !ws.Ratings().empty(); },
      [this, &ws] {
        const QString file =
            AskExportFile(this, main_.State(), QStringLiteral("Экспорт рейтинга в CSV-файл"),
                          QStringLiteral("Рейтинг.csv"), QStringLiteral("CSV-файлы (*.csv)"),
                          QStringLiteral("csv"));
        if (!file.isEmpty()) ws.RatingsExport(S(file));
      });
  c.Bind(
      "RatingsXlsExport", [&ws] { return !ws.Ratings().empty(); },
      [this, &ws] {
        RunXlsExport(this, main_.State(), QStringLiteral("Рейтинг.xlsx"),
                     [&ws](const std::string& file, const TSheetProgress& progress) {
                       return ws.RatingsXlsExport(file, progress);
                     });
      });
  // The selected rows back into scenario lines, in list order; the scenario tab is shown when
  // one was added.
  c.Bind(
      "RatingsToScript", [this, &ws] { return !ws.ScriptRunning() && !SelectedRows().empty(); },
      [this, &ws] {
        std::vector<std::string> captions;
        for (int row : SelectedRows())
          if (row < static_cast<int>(ws.Ratings().size()))
            captions.push_back(ws.Ratings()[static_cast<size_t>(row)].Name);
        int added = 0;
        {
          TBusyGuard busy(main_.Host());
          added = ws.ScriptAddFromRatings(captions);
        }
        if (added > 0) main_.RightTabs().setCurrentWidget(&main_.Page<TScriptPage>());
      });
  ws.OnRatingsListChanged = [this] { Refresh(false); };
}

void TRatingsPage::Refresh(bool force) {
  model_->Refresh(force);
  ShowSortIndicator();
}

void TRatingsPage::RestoreState(const TWindowStateStore& st) {
  RestoreListLayout(list_, "lvRatings", st);
}

void TRatingsPage::SaveState(TWindowStateStore& st) const {
  SaveListLayout(list_, "lvRatings", st);
}

std::vector<int> TRatingsPage::SelectedRows() const {
  return kvarn::SelectedRows(list_);
}

void TRatingsPage::ClickColumn(int column) {
  TBusyGuard busy(main_.Host());
  // The selected rows would stand for other records after the sort.
  list_->selectionModel()->clear();
  main_.Workspace().RatingsClickColumn(column);
  ShowSortIndicator();
}

void TRatingsPage::ShowSortIndicator() {
  const TWorkspace& ws = main_.Workspace();
  list_->horizontalHeader()->setSortIndicator(ws.RatingsSortColumn(), ws.RatingsSortDescending()
                                                                          ? Qt::DescendingOrder
                                                                          : Qt::AscendingOrder);
}

void TRatingsPage::ShowOverlapGraph() {
  const std::vector<TGraphSeries> series = main_.Workspace().RatingsGraphOverlap(SelectedRows());
  if (series.empty()) return;
  TFormGraph graph(main_.Host(), this);
  // The chance line is the grey background of the rows' lines; its fractions need no marks.
  for (size_t i = 0; i < series.size(); ++i)
    for (const TGraphPoint& p : series[i].Points)
      graph.AddGraphPoint(p.X, series[i].Title, p.Y, true, i != 0,
                          i == 0 ? RatingsNormalSeriesColour : 0);
  graph.exec();
}

void TRatingsPage::ShowStakesGraph(bool profits) {
  const std::vector<TGraphSeries> series =
      main_.Workspace().RatingsStakesGraph(SelectedRows(), profits);
  if (series.empty()) return;
  TFormGraph graph(main_.Host(), this);
  for (const TGraphSeries& s : series)
    for (const TGraphPoint& p : s.Points) graph.AddGraphPoint(p.X, s.Title, p.Y, true, false, 0);
  graph.exec();
}

void TRatingsPage::ShowChance() {
  const std::vector<TChanceRow> rows = main_.Workspace().RatingsChance(SelectedRows());
  if (rows.empty()) return;
  TFormChance form(rows, this);
  form.exec();
}

}  // namespace kvarn
