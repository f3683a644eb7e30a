#include "ui/form_filter_test.h"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

namespace {

constexpr QRgb PartColours[] = {0x1f5fbf, 0x8a3ab9, 0x2a8a8a};

}  // namespace

TFormFilterTest::TFormFilterTest(const TFilterReport& report, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormFilterTest"));
  setWindowTitle(Q(report.Title));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  auto* v = new QVBoxLayout(this);

  QStringList subject;
  for (const std::string& line : report.Subject) subject << Q(line);
  auto* about = new QLabel(subject.join(QLatin1Char('\n')), this);
  about->setObjectName(QStringLiteral("SubjectLabel"));
  about->setWordWrap(true);
  about->setTextInteractionFlags(Qt::TextSelectableByMouse);
  v->addWidget(about);

  figures_ = new QTableWidget(static_cast<int>(report.Figures.size()),
                              static_cast<int>(report.Columns.size()) + 1, this);
  figures_->setObjectName(QStringLiteral("FiguresTable"));
  QStringList headers{QStringLiteral("Показатель")};
  for (const std::string& c : report.Columns) headers << Q(c);
  figures_->setHorizontalHeaderLabels(headers);
  figures_->verticalHeader()->hide();
  figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  figures_->setAlternatingRowColors(true);
  figures_->setFocusPolicy(Qt::NoFocus);
  for (size_t r = 0; r < report.Figures.size(); ++r) {
    const TFigureRow& row = report.Figures[r];
    figures_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(Q(row.Caption)));
    for (size_t c = 0; c < row.Values.size(); ++c) {
      auto* item = new QTableWidgetItem(Q(row.Values[c]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      figures_->setItem(static_cast<int>(r), static_cast<int>(c) + 1, item);
    }
  }
  figures_->resizeColumnsToContents();
  figures_->horizontalHeader()->setStretchLastSection(true);
  figures_->resizeRowsToContents();
  // Tall enough for every row: the figures are the point of the window.
  int height = figures_->horizontalHeader()->height() + 2 * figures_->frameWidth();
  for (int r = 0; r < figures_->rowCount(); ++r) height += figures_->rowHeight(r);
  figures_->setFixedHeight(height);
  v->addWidget(figures_);

  verdict_ = new QLabel(Q(report.Verdict), this);
  verdict_->setObjectName(QStringLiteral("VerdictLabel"));
  verdict_->setWordWrap(true);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  verdict_->setStyleSheet(
      QStringLiteral("QLabel { background: #fff8dc; border: 1px solid #d8c88a; padding: 8px; "
                     "font-weight: bold; }"));
  v->addWidget(verdict_);

  BuildChart(report);
  auto* view = new QChartView(chart_, this);
  view->setObjectName(QStringLiteral("ResultChart"));
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumHeight(280);
  v->addWidget(view, 1);

  QDialogButtonBox* buttons = CloseButton(this);
  v->addWidget(buttons);
  buttons->button(QDialogButtonBox::Close)->setFocus();
  resize(940, 760);
}

void TFormFilterTest::BuildChart(const TFilterReport& report) {
  chart_ = new QChart();
  chart_->setTitle(QStringLiteral("Доля оставленных комбинаций и судьба выпавшего тиража"));
  chart_->legend()->setAlignment(Qt::AlignBottom);
  auto* axisX = new QValueAxis();
  auto* axisY = new QValueAxis();
  axisX->setTitleText(QStringLiteral("Тираж"));
  axisX->setLabelFormat(QStringLiteral("%d"));
  axisY->setTitleText(QStringLiteral("Оставлено, %"));
  axisY->setLabelFormat(QStringLiteral("%.3g"));
  chart_->addAxis(axisX, Qt::AlignBottom);
  chart_->addAxis(axisY, Qt::AlignLeft);

  auto* kept = new QScatterSeries();
  kept->setName(QStringLiteral("Тираж сохранился"));
  kept->setColor(QColor(0x2e, 0x9e, 0x3e));
  kept->setBorderColor(QColor(0x1d, 0x6b, 0x28));
  // Markers shrink as the draws grow many, so that neighbours stay apart.
  size_t draws = 0;
  for (const TFilterReport::TChartPart& p : report.Chart) draws += p.Draws.size();
  const double marker = std::clamp(900.0 / std::max<size_t>(draws, 1), 6.0, 10.0);
  kept->setMarkerSize(marker);
  auto* lost = new QScatterSeries();
  lost->setName(QStringLiteral("Тираж потерян"));
  lost->setColor(QColor(0xd6, 0x3a, 0x2f));
  lost->setBorderColor(QColor(0x8e, 0x20, 0x1a));
  lost->setMarkerSize(marker - 2);
  lost->setMarkerShape(QScatterSeries::MarkerShapeRectangle);

  double minX = 0, maxX = 0, maxY = 0;
  bool any = false;
  std::vector<double> bounds;
  size_t part = 0;
  for (const TFilterReport::TChartPart& p : report.Chart) {
    if (p.Draws.empty()) continue;
    auto* line = new QLineSeries();
    line->setName(Q(report.Chart.size() > 1 ? "Оставлено, % (" + p.Caption + ")" : "Оставлено, %"));
    QPen pen(QColor(PartColours[part++ % std::size(PartColours)]));
    pen.setWidth(2);
    line->setPen(pen);
    for (const TFilterTestDraw& d : p.Draws) {
      const double share = 100.0 * d.Kept / FullCombsCount;
      line->append(d.Number, share);
      (d.Survived ? kept : lost)->append(d.Number, share);
      if (!any) minX = maxX = d.Number;
      any = true;
      minX = std::min(minX, double(d.Number));
      maxX = std::max(maxX, double(d.Number));
      maxY = std::max(maxY, share);
    }
    if (part > 1) bounds.push_back(p.Draws.front().Number - 0.5);
    chart_->addSeries(line);
    line->attachAxis(axisX);
    line->attachAxis(axisY);
  }
  const double top = maxY > 0 ? std::min(100.0, maxY * 1.15) : 1;
  for (double x : bounds) {
    auto* edge = new QLineSeries();
    edge->setName(QStringLiteral("Граница подбора и проверки"));
    QPen pen(Qt::gray);
    pen.setStyle(Qt::DashLine);
    edge->setPen(pen);
    edge->append(x, 0);
    edge->append(x, top);
    chart_->addSeries(edge);
    edge->attachAxis(axisX);
    edge->attachAxis(axisY);
    // The dashed line explains itself; the legend keeps room for the series.
    for (QLegendMarker* m : chart_->legend()->markers(edge)) m->setVisible(false);
  }
  for (QScatterSeries* s : {kept, lost}) {
    chart_->addSeries(s);
    s->attachAxis(axisX);
    s->attachAxis(axisY);
  }
  axisX->setRange(minX - 0.5, maxX > minX ? maxX + 0.5 : minX + 1);
  axisY->setRange(0, top);
  axisY->applyNiceNumbers();
}

}  // namespace kvarn
