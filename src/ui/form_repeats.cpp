#include "ui/form_repeats.h"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/host.h"
#include "ui/repeats_model.h"
#include "ui/view_controls.h"

namespace kvarn {

namespace {
constexpr int DesignedWidths[] = {70, 90, 110, 600};

// Random, but never so pale that the line disappears on the white chart, and the lines of one
// chart apart in hue (a random start, then the golden angle), so that no two look alike.
QColor RandomColour(int hue) {
  return QColor::fromHsv(hue % 360, 170 + QRandomGenerator::global()->bounded(86),
                         120 + QRandomGenerator::global()->bounded(80));
}

}  // namespace

TFormRepeats::TFormRepeats(const TDrawsArray& draws, IHost& host, QWidget* parent)
    : QDialog(parent), draws_(draws), host_(host) {
  setObjectName(QStringLiteral("FormRepeats"));
  setWindowTitle(QStringLiteral("Количество повторов в зависимости от тиража"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  auto* v = new QVBoxLayout(this);

  auto* top = new QHBoxLayout();
  len_ =
      MakeLenField(this, "edDrawsLen", "Количество тиражей, использующихся для расчета статистики",
                   RepeatsLenDefault, [this] { Calculate(); });
  deep_ = MakeLenField(this, "edDeep",
                       "Количество тиражей, просматриваемых \"в глубину\" для поиска совпадений",
                       RepeatsDeepDefault, [this] { Calculate(); });
  auto* lenLabel = new QLabel(QStringLiteral("Тиражей:"), this);
  lenLabel->setBuddy(len_);
  auto* deepLabel = new QLabel(QStringLiteral("Глубина поиска:"), this);
  deepLabel->setBuddy(deep_);
  calc_ = new QPushButton(QStringLiteral("Рассчитать"), this);
  calc_->setObjectName(QStringLiteral("btCalc"));
  calc_->setAutoDefault(false);
  top->addWidget(lenLabel);
  top->addWidget(len_);
  top->addSpacing(12);
  top->addWidget(deepLabel);
  top->addWidget(deep_);
  top->addSpacing(12);
  top->addWidget(calc_);
  top->addStretch(1);
  v->addLayout(top);
  connect(calc_, &QPushButton::clicked, this, &TFormRepeats::Calculate);

  split_ = new QSplitter(Qt::Vertical, this);
  split_->setObjectName(QStringLiteral("spGraph"));
  split_->setChildrenCollapsible(false);
  chart_ = new QChart();
  chart_->legend()->setAlignment(Qt::AlignRight);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  axisX_ = new QValueAxis(this);
  axisX_->setLabelFormat(QStringLiteral("%d"));
  axisY_ = new QValueAxis(this);
  axisY_->setLabelFormat(QStringLiteral("%d"));
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  chartView_ = new QChartView(chart_, split_);
  chartView_->setObjectName(QStringLiteral("crtGraph"));
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumHeight(80);

  list_ = new QTableView(split_);
  list_->setObjectName(QStringLiteral("lvList"));
  model_ = new TRepeatsModel([this]() -> const TRepeatsResult& { return result_; }, this);
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->horizontalHeader()->setHighlightSections(false);
  for (int i = 0; i < 4; ++i) list_->setColumnWidth(i, DesignedWidths[i]);
  split_->addWidget(chartView_);
  split_->addWidget(list_);
  split_->setStretchFactor(1, 1);
  v->addWidget(split_, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  v->addWidget(buttons);
  resize(900, 640);
  RestoreState(TRepeatsWindowState());
}

TFormRepeats::~TFormRepeats() = default;

void TFormRepeats::RestoreState(const TRepeatsWindowState& st) {
  len_->setValue(std::max(1, st.DrawsLength));
  deep_->setValue(std::max(1, st.DrawsDeep));
  const int graph = std::max(80, st.GraphHeight);
  split_->setSizes({graph, std::max(100, height() - graph)});
  for (size_t i = 0; i < st.ColumnWidths.size() && i < 4; ++i)
    if (st.ColumnWidths[i] > 0) list_->setColumnWidth(static_cast<int>(i), st.ColumnWidths[i]);
}

TRepeatsWindowState TFormRepeats::SaveState() const {
  TRepeatsWindowState st;
  st.DrawsLength = len_->value();
  st.DrawsDeep = deep_->value();
  st.GraphHeight = split_->sizes().value(0, st.GraphHeight);
  for (int i = 0; i < 4; ++i) st.ColumnWidths.push_back(list_->columnWidth(i));
  return st;
}

void TFormRepeats::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (shownOnce_) return;
  shownOnce_ = true;
  // The analysis runs once the window is on the screen, so that its progress has a parent.
  QTimer::singleShot(0, this, &TFormRepeats::Calculate);
}

void TFormRepeats::Calculate() {
  TBusyGuard busy(host_);
  QProgressDialog progress(QStringLiteral("Идет сбор статистики...."), QString(), 0, 1, this);
  progress.setWindowTitle(windowTitle());
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  int shown = -1;
  result_ = AnalyzeRepeats(draws_, len_->value(), deep_->value(), [&](int done, int total) {
    // A step per draw; the window is repainted at most a few hundred times.
    const int step = std::max(1, total / 200);
    if (done != total && done - shown < step) return;
    shown = done;
    progress.setMaximum(total);
    progress.setValue(done);
    host_.ProcessEvents();
  });
  progress.setLabelText(QStringLiteral("Создание графиков..."));
  host_.ProcessEvents();
  model_->Reset();
  ShowChart();
  ++calculations_;
}

void TFormRepeats::ShowChart() {
  chart_->removeAllSeries();
  const std::vector<TRepeatsSeries> series = RepeatsChartSeries(result_);
  double minX = 0, maxX = 1, maxY = 1;
  bool first = true;
  int hue = QRandomGenerator::global()->bounded(360);
  for (const TRepeatsSeries& s : series) {
    auto* line = new QLineSeries();
    line->setName(QString::fromStdString(s.Title));
    QPen pen(RandomColour(hue));
    hue += 137;
    pen.setWidth(1);
    line->setPen(pen);
    line->setPointsVisible(true);
    line->setMarkerSize(4);
    line->setLightMarker(MarkerImage(
        RandomColour(hue + QRandomGenerator::global()->bounded(60, 300)), pen.color(), 5));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(s.Points.size()));
    for (const TRepeatsPoint& p : s.Points) {
      points.append(QPointF(p.Draw, p.Count));
      if (first) {
        minX = maxX = p.Draw;
        first = false;
      }
      minX = std::min<double>(minX, p.Draw);
      maxX = std::max<double>(maxX, p.Draw);
      maxY = std::max<double>(maxY, p.Count);
    }
    // The points go in at once: a series with all its points is added to the chart only then.
    line->replace(points);
    chart_->addSeries(line);
    line->attachAxis(axisX_);
    line->attachAxis(axisY_);
    // The legend shows the line's colour, not the marker's.
    for (QLegendMarker* m : chart_->legend()->markers(line)) {
      m->setBrush(pen.color());
      m->setPen(QPen(pen.color().darker(140)));
    }
  }
  axisX_->setRange(minX, maxX > minX ? maxX : minX + 1);
  axisY_->setRange(0, maxY + 1);
  axisY_->applyNiceNumbers();
}

}  // namespace kvarn
