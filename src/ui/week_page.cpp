#include "ui/week_page.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/workspace.h"
#include "ui/chart_axes.h"
#include "ui/colours.h"
#include "ui/template_main.h"
#include "ui/view_controls.h"
#include "ui/view_page.h"
#include "ui/window_state.h"
#include "views/colours.h"

namespace kvarn {

TWeekPage::TWeekPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  TWorkspace& ws = main_.Workspace();
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  QToolBar* bar = MakePageBar(this);
  len_ = MakeViewLenField(
      main_, this, "edWeekLen", WeekLenDefault, [&ws](int len) { ws.SetWeekLen(len); },
      [this] { Calc(false); });
  AddLenBar(main_, bar, len_, "WeekStatCalc", "WeekFilter_Include", "WeekFilter_Exclude");
  for (const char* name : {"ViewWeekChartMode", "ViewWeekChartType"})
    bar->addAction(main_.Commands().Action(name));
  v->addWidget(bar);

  split_ = AddViewSplitter(this, v, "spWeek");

  grid_ = new QTableView(split_);
  grid_->setObjectName(QStringLiteral("sgWeek"));
  model_ = new TWeekModel([&ws]() -> const TWeekTable& { return ws.Views().Week; }, this);
  grid_->setModel(model_);
  const QFontMetrics fm(grid_->font());
  const int cell = std::max(24, fm.horizontalAdvance(QStringLiteral("999")) + 4);
  SetupCellGrid(grid_, cell, std::max(18, fm.height() + 4));
  // The 36 numbers share the width; a narrow window scrolls.
  grid_->horizontalHeader()->setMinimumSectionSize(cell);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  // The whole week in view: the grid is no taller than its seven rows.
  grid_->setMinimumHeight(grid_->horizontalHeader()->sizeHint().height() +
                          WeekDays * grid_->verticalHeader()->defaultSectionSize() + 24);
  split_->addWidget(grid_);

  chart_ = new QChart();
  chart_->legend()->hide();
  chart_->setMargins(QMargins(4, 4, 4, 4));
  axisX_ = new QBarCategoryAxis(this);
  axisY_ = new QValueAxis(this);
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  chartView_ = new QChartView(chart_, split_);
  chartView_->setObjectName(QStringLiteral("crtWeek"));
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumHeight(100);
  split_->addWidget(chartView_);
  split_->setStretchFactor(0, 0);
  split_->setStretchFactor(1, 1);
  split_->setSizes({grid_->minimumHeight(), 260});
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { ShowChart(); });
}

void TWeekPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(grid_, {"WeekFilter_Include", "WeekFilter_Exclude", nullptr, "WeekStatCalc",
                        "ViewWeekChartMode", "ViewWeekChartType"});
  c.AddToWidget(chartView_, {"ViewWeekChartMode", "ViewWeekChartType"});
  chartView_->setContextMenuPolicy(Qt::ActionsContextMenu);
  const auto visible = [this] { return main_.RightTabs().isTabVisible(rtWeek); };
  c.Bind(
      "WeekStatCalc", [&ws, visible] { return visible() && ws.DrawsCount() > 0; },
      [this] { Calc(true); });
  // Column c shows number c + 1.
  BindGridFilters(
      main_, grid_, "WeekFilter_Include", "WeekFilter_Exclude", visible,
      [&ws](const TCellRect& r, bool exclude) { ws.WeekFilter(r.left + 1, r.right + 1, exclude); });
  for (const char* key : {"WeekChartMode", "WeekChartType"}) {
    const std::string k = key;
    c.Bind(
        std::string("View") + key, visible,
        [this, k] {
          main_.State().SetBool(k, !main_.State().Bool(k, false));
          ShowChart();
        },
        [this, k] { return main_.State().Bool(k, false); });
  }
}

void TWeekPage::Refresh(bool force) {
  if (force || main_.IsPageShown(this)) Calc(force);
}

void TWeekPage::RestoreState(const TWindowStateStore& st) {
  const int len = st.Int("WeekLen", WeekLenDefault);
  if (ViewLenValid(len)) len_->setValue(len);
  main_.Workspace().SetWeekLen(len_->value());
  const int h = st.Int("WeekHeight", 260);
  if (h > 40) {
    const int total = std::max(split_->height(), h + grid_->minimumHeight());
    split_->setSizes({total - h, h});
  }
}

void TWeekPage::SaveState(TWindowStateStore& st) const {
  st.SetInt("WeekLen", len_->value());
  st.SetInt("WeekHeight", split_->sizes().value(1));
}

void TWeekPage::Calc(bool force) {
  TWorkspace& ws = main_.Workspace();
  ws.SetWeekLen(len_->value());
  if (!ws.WeekStatCalc(force)) return;
  model_->Repaint();
  ShowChart();
}

void TWeekPage::ShowChart() {
  const TWeekTable& t = main_.Workspace().Views().Week;
  const bool byDays = main_.State().Bool("WeekChartMode", false);
  const bool lines = main_.State().Bool("WeekChartType", false);
  const QModelIndex cur = grid_->currentIndex();
  const int number = cur.isValid() ? cur.column() + 1 : 1;
  const int day = cur.isValid() ? cur.row() + 1 : 1;
  const std::vector<int32_t> values = WeekChartValues(t, byDays, number, day);

  chart_->removeAllSeries();
  QStringList labels;
  if (byDays)
    labels = WeekDayNames();
  else
    for (int n = 1; n <= NumbersCount; ++n) labels << QString::number(n);
  axisX_->setCategories(labels);
  const QColor colour = WinColour(GreenColour);
  if (lines) {
    auto* s = new QLineSeries();
    QPen pen(colour);
    pen.setWidth(2);
    s->setPen(pen);
    s->setPointsVisible(true);
    s->setMarkerSize(5);
    s->setLightMarker(MarkerImage(WinColour(MagentaColour), colour, 5));
    for (size_t i = 0; i < values.size(); ++i) s->append(static_cast<double>(i), values[i]);
    chart_->addSeries(s);
    s->attachAxis(axisX_);
    s->attachAxis(axisY_);
  } else {
    auto* set = new QBarSet(QString());
    set->setColor(colour);
    set->setBorderColor(colour.darker(130));
    for (int32_t v : values) set->append(v);
    auto* s = new QBarSeries();
    s->setBarWidth(0.7);
    s->append(set);
    chart_->addSeries(s);
    s->attachAxis(axisX_);
    s->attachAxis(axisY_);
  }
  const int32_t top = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
  // A little room above the highest bar or point, so that it does not touch the frame.
  SetChartAxis(axisY_, 0, top + std::max(1, top / 20), true, 6);
}

}  // namespace kvarn
