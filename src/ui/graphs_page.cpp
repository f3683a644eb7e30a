#include "ui/graphs_page.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/workspace.h"
#include "ui/chart_axes.h"
#include "ui/colours.h"
#include "ui/qt_host.h"
#include "ui/template_main.h"
#include "ui/view_controls.h"
#include "ui/window_state.h"
#include "views/colours.h"

namespace kvarn {

namespace {
// Beyond this many draws the markers of the points would cover the line.
constexpr size_t ManyPoints = 400;

QLineSeries* ReferenceLine(const char* title, uint32_t colour) {
  auto* s = new QLineSeries();
  s->setName(QString::fromUtf8(title));
  QPen pen(WinColour(colour));
  pen.setWidth(1);
  s->setPen(pen);
  return s;
}
}  // namespace

TGraphsPage::TGraphsPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout();
  methodBox_ = new QComboBox(this);
  methodBox_->setObjectName(QStringLiteral("cbDrawsGraphType"));
  methodBox_->setToolTip(QStringLiteral("Тип графика"));
  methodBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  methodBox_->setMinimumContentsLength(30);
  methodBox_->setMaxVisibleItems(30);
  top->addWidget(methodBox_, 1);
  len_ = MakeLenField(this, "edDrawsGraphLen",
                      "Количество тиражей, использующихся для построения графиков", GraphLenDefault,
                      [this] {
                        main_.Workspace().SetGraphLen(len_->value());
                        if (CanDraw()) Draw(false);
                      });
  QToolBar* bar = MakePageBar(this);
  bar->addWidget(len_);
  bar->addAction(main_.Commands().Action("DrawsGraphDraw"));
  bar->addSeparator();
  marks_ = new QCheckBox(QStringLiteral("Отображать метки на графике"), this);
  marks_->setObjectName(QStringLiteral("cbDrawsGraphShowMarks"));
  bar->addWidget(marks_);
  top->addWidget(bar);
  v->addLayout(top);

  chart_ = new QChart();
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  main_line_ = new QLineSeries();
  QPen pen(WinColour(GreenColour));
  pen.setWidth(2);
  main_line_->setPen(pen);
  main_line_->setPointsVisible(true);
  main_line_->setMarkerSize(4);
  main_line_->setLightMarker(MarkerImage(WinColour(MagentaColour), WinColour(GreenColour), 4));
  main_line_->setPointLabelsFormat(QStringLiteral("@yPoint"));
  main_line_->setPointLabelsClipping(false);
  mean_ = ReferenceLine(GraphMeanTitle, BlueColour);
  mode_ = ReferenceLine(GraphModeTitle, RedColour);
  axisX_ = new QValueAxis(this);
  axisY_ = new QValueAxis(this);
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  // The series live as long as the chart; a drawing replaces their points.
  for (QLineSeries* s : {main_line_, mean_, mode_}) {
    chart_->addSeries(s);
    s->attachAxis(axisX_);
    s->attachAxis(axisY_);
  }
  chartView_ = new QChartView(chart_, this);
  chartView_->setObjectName(QStringLiteral("crtDrawsGraph"));
  chartView_->setRenderHint(QPainter::Antialiasing);
  v->addWidget(chartView_, 1);
  ShowGraph();

  connect(methodBox_, &QComboBox::currentIndexChanged, this, [this](int line) {
    if (filling_) return;
    main_.Workspace().SetGraphSelected(line);
    if (CanDraw()) Draw(false);
    main_.UpdateCommands();
  });
  connect(marks_, &QCheckBox::toggled, this,
          [this](bool on) { main_line_->setPointLabelsVisible(on); });
}

bool TGraphsPage::CanDraw() const {
  TWorkspace& ws = main_.Workspace();
  return main_.Host().BusyCount() == 0 && ws.DrawsCount() > 0 && ws.GraphSelected() >= 0;
}

void TGraphsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(chartView_, {"DrawsGraphDraw"});
  chartView_->setContextMenuPolicy(Qt::ActionsContextMenu);
  c.Bind(
      "DrawsGraphDraw", [&ws] { return ws.DrawsCount() > 0 && ws.GraphSelected() >= 0; },
      [this] { Draw(true); });
}

void TGraphsPage::Refresh(bool force) {
  RefillMethodBox();
  if (force || main_.IsPageShown(this)) Draw(force);
}

void TGraphsPage::RestoreState(const TWindowStateStore& st) {
  const int len = st.Int("DrawsGraphLen", GraphLenDefault);
  if (ViewLenValid(len)) len_->setValue(len);
  main_.Workspace().SetGraphLen(len_->value());
  RefillMethodBox();
}

void TGraphsPage::SaveState(TWindowStateStore& st) const {
  st.SetInt("DrawsGraphLen", len_->value());
}

void TGraphsPage::RefillMethodBox() {
  TWorkspace& ws = main_.Workspace();
  QStringList lines;
  for (const TMethodBoxLine& line : ws.MethodBoxes().Graph) lines << Q(line.Text);
  if (lines == boxLines_ && methodBox_->currentIndex() == ws.GraphSelected()) return;
  boxLines_ = lines;
  filling_ = true;
  methodBox_->clear();
  methodBox_->addItems(lines);
  methodBox_->setCurrentIndex(ws.GraphSelected());
  filling_ = false;
}

void TGraphsPage::Draw(bool force) {
  TWorkspace& ws = main_.Workspace();
  ws.SetGraphLen(len_->value());
  if (ws.DrawsGraphDraw(force)) ShowGraph();
}

void TGraphsPage::ShowGraph() {
  const TViewsState& views = main_.Workspace().Views();
  const TStatGraphSeries& g = views.Graph;
  QList<QPointF> points, mean, mode;
  points.reserve(static_cast<qsizetype>(g.Points.size()));
  const double m = static_cast<double>(g.Mean());
  double minY = m, maxY = m;
  for (const TStatGraphPoint& p : g.Points) {
    points.append(QPointF(p.Draw, p.Value));
    mean.append(QPointF(p.Draw, m));
    mode.append(QPointF(p.Draw, g.MostFrequent));
    minY = std::min<double>(minY, p.Value);
    maxY = std::max<double>(maxY, p.Value);
  }
  main_line_->setName(Q(views.GraphCaption));
  // Marks of thousands of points would take the chart's whole time: they follow the box only.
  main_line_->setPointLabelsVisible(false);
  main_line_->replace(points);
  mean_->replace(mean);
  mode_->replace(mode);
  main_line_->setPointLabelsVisible(marks_->isChecked());
  const bool any = !g.Points.empty();
  for (QLineSeries* s : {main_line_, mean_, mode_}) s->setVisible(any);
  axisX_->setVisible(any);
  axisY_->setVisible(any);
  marks_->setEnabled(any);
  if (!any) return;
  // Few points: markers help; many: the line alone is clearer and faster.
  const bool few = g.Points.size() <= ManyPoints;
  main_line_->setPointsVisible(few);
  main_line_->setLightMarker(few ? MarkerImage(WinColour(MagentaColour), WinColour(GreenColour), 4)
                                 : QImage());
  QPen pen = main_line_->pen();
  pen.setWidth(few ? 2 : 1);
  main_line_->setPen(pen);
  SetChartAxis(axisX_, g.Points.front().Draw, g.Points.back().Draw, true, 10);
  SetChartAxis(axisY_, minY, maxY, true, 8);
}

}  // namespace kvarn
