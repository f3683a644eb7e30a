#include "ui/stats_page.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QResizeEvent>
#include <QSet>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "ui/combs_page.h"
#include "ui/form_shredding.h"
#include "ui/list_models.h"
#include "ui/qt_host.h"
#include "ui/template_main.h"
#include "ui/window_state.h"

namespace kvarn {

namespace {

constexpr int ComparisonColumns[] = {3, 4, 5};
constexpr int ComparisonColumnWidth = 80;
// At most this many value texts under the chart; more would overlap.
constexpr int MaxAxisLabels = 40;

QPixmap MarkerPixmap(QColor colour, int size) {
  QPixmap pm(size, size);
  pm.fill(colour);
  return pm;
}

}  // namespace

// ---- model ----

TStatTableModel::TStatTableModel(std::function<const TStatTable&()> table, QObject* parent)
    : QAbstractTableModel(parent), table_(std::move(table)) {}

int TStatTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TStatTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : StatColumnCount;
}

QVariant TStatTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const TStatTable& t = table_();
  const size_t r = static_cast<size_t>(index.row());
  if (r >= t.Rows.size()) return {};
  const size_t i = t.Order.size() == t.Rows.size() ? static_cast<size_t>(t.Order[r]) : r;
  return Q(t.Rows[i].Cells[static_cast<size_t>(index.column())]);
}

QVariant TStatTableModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= StatColumnCount)
    return {};
  return QString::fromUtf8(StatColumnCaptions[static_cast<size_t>(section)]);
}

void TStatTableModel::Reset() {
  beginResetModel();
  rows_ = static_cast<int>(table_().Rows.size());
  endResetModel();
}

void TStatTableModel::Reorder(const std::function<void()>& sort) {
  const TStatTable& t = table_();
  if (t.Order.size() != t.Rows.size()) {
    sort();
    return;
  }
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> items;
  items.reserve(static_cast<size_t>(before.size()));
  for (const QModelIndex& i : before)
    items.push_back(
        i.row() < static_cast<int>(t.Order.size()) ? t.Order[static_cast<size_t>(i.row())] : -1);
  sort();
  std::vector<int> rowOf(t.Order.size(), -1);
  for (size_t r = 0; r < t.Order.size(); ++r)
    rowOf[static_cast<size_t>(t.Order[r])] = static_cast<int>(r);
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype k = 0; k < before.size(); ++k) {
    const int item = items[static_cast<size_t>(k)];
    after.push_back(item < 0 ? QModelIndex()
                             : index(rowOf[static_cast<size_t>(item)], before[k].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// ---- page ----

TStatsPage::TStatsPage(TTemplateMain& main, QWidget* parent) : QWidget(parent), main_(main) {
  setObjectName(QStringLiteral("tsDrawsStat"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);

  auto* top = new QHBoxLayout();
  methodBox_ = new QComboBox(this);
  methodBox_->setObjectName(QStringLiteral("cbDrawsStatType"));
  methodBox_->setToolTip(QStringLiteral("Вид расчета статистики"));
  methodBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  methodBox_->setMinimumContentsLength(30);
  methodBox_->setMaxVisibleItems(30);
  top->addWidget(methodBox_, 1);
  len_ = new QSpinBox(this);
  len_->setObjectName(QStringLiteral("edDrawsStatLen"));
  len_->setToolTip(QStringLiteral("Количество тиражей, использующихся для расчета статистики"));
  len_->setRange(1, 2147483647);
  len_->setValue(1000);
  len_->setKeyboardTracking(false);
  len_->setMinimumWidth(90);
  len_->installEventFilter(this);
  top->addWidget(len_);
  v->addLayout(top);

  split_ = new QSplitter(Qt::Vertical, this);
  split_->setObjectName(QStringLiteral("spDrawsStat"));
  split_->setChildrenCollapsible(false);
  v->addWidget(split_, 1);

  table_ = new QTableView(split_);
  table_->setObjectName(QStringLiteral("lvDrawsStat"));
  TWorkspace& ws = main_.Workspace();
  model_ = new TStatTableModel([&ws]() -> const TStatTable& { return ws.StatTable(); }, this);
  table_->setModel(model_);
  SetupListView(table_,
                {100, 70, 80, 80, 80, 80, 60, 70, 60, 70, 65, 65, 65, 65, 65, 65, 60, 60, 60, 60});
  // Every caption readable at the designed widths.
  const QFontMetrics hm(table_->horizontalHeader()->font());
  for (int col = 0; col < StatColumnCount; ++col) {
    const QString caption = QString::fromUtf8(StatColumnCaptions[static_cast<size_t>(col)]);
    table_->setColumnWidth(col,
                           std::max(table_->columnWidth(col), hm.horizontalAdvance(caption) + 24));
  }
  table_->horizontalHeader()->setSortIndicatorShown(true);
  // The arrow shows the table's sort order before the first fill too (the header's own default
  // would point at the value column).
  {
    const TStatTable& t = main_.Workspace().StatTable();
    table_->horizontalHeader()->setSortIndicator(
        t.SortColumn, t.Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  }
  table_->horizontalHeader()->setSectionsClickable(true);
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TStatsPage::ClickColumn);

  chart_ = new QChart();
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  actual_ = new QLineSeries();
  actual_->setName(QString::fromUtf8(ChartActualTitle));
  actual_->setPointsVisible(true);
  actual_->setMarkerSize(5);
  actual_->setLightMarker(MarkerPixmap(WinColour(ChartActualPointColour), 5).toImage());
  ideal_ = new QLineSeries();
  ideal_->setName(QString::fromUtf8(ChartIdealTitle));
  axisX_ = new QCategoryAxis(this);
  axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  QFont small = axisX_->labelsFont();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
  axisX_->setLabelsFont(small);
  axisY_ = new QValueAxis(this);
  axisY_->setLabelFormat(QStringLiteral("%g"));
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  axisX_->setVisible(false);
  axisY_->setVisible(false);
  chartView_ = new QChartView(chart_, split_);
  chartView_->setObjectName(QStringLiteral("chDrawsStat"));
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumHeight(80);
  chartView_->installEventFilter(this);
  split_->addWidget(table_);
  split_->addWidget(chartView_);
  split_->setStretchFactor(0, 1);
  split_->setStretchFactor(1, 0);
  split_->setSizes({400, 200});

  connect(methodBox_, &QComboBox::currentIndexChanged, this, [this](int line) {
    if (filling_) return;
    main_.Workspace().SetStatSelected(line);
    // Only when the refresh command could run: not busy, draws present, a line selected.
    if (main_.Host().BusyCount() == 0 && main_.Workspace().DrawsCount() > 0 && line >= 0)
      Compute(false);
    main_.UpdateCommands();
  });
  connect(len_, &QSpinBox::valueChanged, this, [this](int n) { main_.Workspace().SetStatLen(n); });
}

TStatsPage::~TStatsPage() {
  // A series out of the chart belongs to the page.
  for (QLineSeries* s : {actual_, ideal_})
    if (!chart_->series().contains(s)) delete s;
}

void TStatsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  for (const char* n : std::initializer_list<const char*>{
           "StatFilter_Include", "StatFilter_Exclude", nullptr, "DrawsStatCalc",
           "DrawsStatePrefetchsEnabled", "DrawsStatShowTotalLine", nullptr, "FiltersInfo"}) {
    if (!n) {
      auto* sep = new QAction(table_);
      sep->setSeparator(true);
      table_->addAction(sep);
    } else {
      table_->addAction(c.Action(n));
    }
  }
  // F7 and Ctrl+F7 belong to the favourites commands elsewhere; on the table they filter.
  for (const char* n : {"StatFilter_Include", "StatFilter_Exclude"})
    c.Action(n)->setShortcutContext(Qt::WidgetWithChildrenShortcut);

  c.Bind(
      "DrawsStatCalc", [&ws] { return ws.DrawsCount() > 0 && ws.StatSelected() >= 0; },
      [this] { Compute(true); });
  auto canFilter = [this, &ws] {
    return ws.Combs().Count() > 0 && table_->selectionModel() &&
           table_->selectionModel()->hasSelection();
  };
  for (bool exclude : {false, true})
    c.Bind(exclude ? "StatFilter_Exclude" : "StatFilter_Include", canFilter, [this, &ws, exclude] {
      std::vector<int> rows = SelectedRows();
      TBusyGuard busy(main_.Host());
      ws.StatFilter(rows, exclude);
    });
  c.Bind(
      "DrawsStatePrefetchsEnabled", [] { return true; }, [this] { TogglePrefetchs(); },
      [&ws] { return ws.WindowState().PrefetchsEnabled; });
  c.Bind(
      "DrawsStatShowTotalLine", [&ws] { return ws.WindowState().PrefetchsEnabled; },
      [this] { ToggleTotalLine(); }, [&ws] { return ws.WindowState().ShowTotalLine; });
  c.Bind(
      "FiltersReset", [] { return true; },
      [this, &ws] {
        if (!AskConfirm(main_.Host(),
                        "Вы действительно хотите сбросить список избранных фильтров?"))
          return;
        TBusyGuard busy(main_.Host());
        ws.StatList().SetAllFavourite();
        // The refill writes the names with their options and reads them back.
        ws.MethodBoxesRefill(true);
        RefillMethodBox();
        Compute(false);
      });
  c.Bind(
      "FiltersInfo", [&ws] { return ws.StatSelected() >= 0; },
      [this, &ws] {
        const int entry = ws.StatSelectedEntry();
        if (entry < 0) return;
        const TStatMethod& m = ws.StatList().Items(entry);
        ShowMethodHelp(this, ws.StatList().HelpTopic(entry), m.Name());
      });

  c.Bind(
      "EditShredding", [] { return true; },
      [this, &ws] {
        TFormShredding dlg(ws.Settings().Shredding, this);
        if (dlg.exec() != QDialog::Accepted) return;
        TBusyGuard busy(main_.Host());
        ws.ShreddingApply(dlg.Result());
        // The shredding lines carry the new formula texts; a shredding table was recomputed.
        RefillMethodBox();
        ShowTable();
        ShowChart();
      });

  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, &main_,
          &TTemplateMain::UpdateCommands);
  // A change of page refreshes the views; the table only when its inputs changed.
  connect(&main_.RightTabs(), &QTabWidget::currentChanged, this, [this](int tab) {
    if (tab == rtStats) Compute(false);
  });
  ws.OnPrefetchProgress = [this](int done, int total, const std::string& file) {
    PrefetchProgress(done, total, file);
  };
}

void TStatsPage::RestoreState(const TWindowStateStore& st) {
  TWorkspace& ws = main_.Workspace();
  // The registry reads the settings that were loaded just before.
  ws.StatSyncSettings();
  RefillMethodBox();
  int len = ws.WindowStateReadInt("DrawsStatLen", 1000);
  if (len < 1) len = 1000;
  len_->setValue(len);
  ws.SetStatLen(len);
  RestoreListLayout(table_, "lvDrawsStat", st);
  ApplyComparisonColumns();
  const int h = st.Int("DrawsStatHeight", 200);
  if (h > 20) {
    const int total = std::max(split_->height(), h + 150);
    split_->setSizes({total - h, h});
  }
}

void TStatsPage::SaveState(TWindowStateStore& st) const {
  st.SetInt("DrawsStatLen", len_->value());
  st.SetInt("DrawsStatHeight", split_->sizes().value(1));
  SaveListLayout(table_, "lvDrawsStat", st);
}

void TStatsPage::RefillMethodBox() {
  TWorkspace& ws = main_.Workspace();
  const TMethodBoxes& boxes = ws.MethodBoxes();
  filling_ = true;
  methodBox_->clear();
  for (const TMethodBoxLine& line : boxes.Stat) methodBox_->addItem(Q(line.Text));
  methodBox_->setCurrentIndex(ws.StatSelected());
  filling_ = false;
}

void TStatsPage::Compute(bool force) {
  TWorkspace& ws = main_.Workspace();
  // The Len field may hold a typed value that was not confirmed yet.
  if (ws.StatLen() != len_->value()) ws.SetStatLen(len_->value());
  // The engine's skip check does not know the order of the numbers; a change of it recomputes.
  const bool sorted = ws.WindowState().SortedDraws;
  if (sorted != computedSorted_) force = true;
  computedSorted_ = sorted;
  bool ran = false;
  try {
    ran = ws.ComputeStatistics(force);
  } catch (const std::exception& e) {
    ShowError(main_.Host(), e.what());
    ran = true;
  }
  if (!ran) return;
  ShowTable();
  ShowChart();
}

void TStatsPage::ShowTable() {
  const TStatTable& t = main_.Workspace().StatTable();
  model_->Reset();
  table_->horizontalHeader()->setSortIndicator(
      t.SortColumn, t.Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  ApplyComparisonColumns();
}

void TStatsPage::ShowChart() {
  // The series and axes live as long as the page; a refresh replaces their points, so nothing
  // of the previous chart piles up in the scene.
  auto take = [this](QLineSeries* s) {
    if (chart_->series().contains(s)) chart_->removeSeries(s);
  };
  const TStatChartData& data = main_.Workspace().StatTable().Chart;
  take(ideal_);
  take(actual_);
  for (const QString& label : axisX_->categoriesLabels()) axisX_->remove(label);
  const bool empty = data.Actual.empty() && data.Ideal.empty();
  axisX_->setVisible(!empty);
  axisY_->setVisible(!empty);
  if (empty) return;

  double minX = 0, maxX = 0, maxY = 0;
  bool first = true;
  auto points = [&](const std::vector<TStatChartPoint>& src) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(src.size()));
    for (const TStatChartPoint& p : src) {
      if (first) minX = maxX = p.X;
      minX = std::min(minX, p.X);
      maxX = std::max(maxX, p.X);
      maxY = std::max(maxY, p.Y);
      first = false;
      list.push_back(QPointF(p.X, p.Y));
    }
    return list;
  };
  auto show = [this](QLineSeries* s, uint32_t colour, int width) {
    chart_->addSeries(s);
    QPen pen(WinColour(colour));
    pen.setWidth(width);
    s->setPen(pen);
    s->attachAxis(axisX_);
    s->attachAxis(axisY_);
  };
  if (data.HasIdeal) {
    ideal_->replace(points(data.Ideal));
    show(ideal_, ChartIdealColour, 1);
  }
  actual_->replace(points(data.Actual));
  show(actual_, ChartActualColour, 2);

  PlaceAxisLabels();
  axisX_->setRange(minX - 0.5, maxX + 0.5);
  axisY_->setRange(0, maxY <= 0 ? 1 : maxY * 1.05);
  axisY_->applyNiceNumbers();
}

void TStatsPage::PlaceAxisLabels() {
  const TStatChartData& data = main_.Workspace().StatTable().Chart;
  const double min = axisX_->min(), max = axisX_->max();
  for (const QString& label : axisX_->categoriesLabels()) axisX_->remove(label);
  // The value texts of the points stand under the horizontal axis.
  const std::vector<TStatChartPoint>& labelled = data.Ideal.empty() ? data.Actual : data.Ideal;
  // Labels stand upright and every shown one gets room for its whole text: the axis elides a
  // label wider than its slot to a bare ellipsis, so crowded labels are thinned out instead.
  const QFontMetrics metrics(axisX_->labelsFont());
  int widest = 1;
  for (const TStatChartPoint& p : labelled)
    widest = std::max(widest, metrics.horizontalAdvance(Q(p.Label)));
  const int plotWidth = std::max(200, chartView_->width() - 90);
  const int count = static_cast<int>(labelled.size());
  const int step = std::max({1, (count + MaxAxisLabels - 1) / MaxAxisLabels,
                             (count * (widest + 10) + plotWidth - 1) / plotWidth});
  QSet<QString> used;
  for (size_t i = 0; i < labelled.size(); i += static_cast<size_t>(step)) {
    QString label = Q(labelled[i].Label);
    // Category labels must be unique; equal texts get invisible padding.
    while (used.contains(label)) label += QChar(0x200B);
    used.insert(label);
    axisX_->append(label, labelled[i].X);
  }
  axisX_->setRange(min, max);
}

void TStatsPage::ApplyComparisonColumns() {
  const bool on = main_.Workspace().WindowState().PrefetchsEnabled;
  for (int col : ComparisonColumns) {
    table_->setColumnHidden(col, !on);
    if (on) table_->setColumnWidth(col, ComparisonColumnWidth);
  }
}

void TStatsPage::ClickColumn(int column) {
  TStatTable& t = main_.Workspace().StatTable();
  try {
    model_->Reorder([&t, column] { ClickStatColumn(t, column); });
  } catch (const std::exception& e) {
    ShowError(main_.Host(), e.what());
  }
  table_->horizontalHeader()->setSortIndicator(
      t.SortColumn, t.Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

std::vector<int> TStatsPage::SelectedRows() const {
  std::vector<int> rows;
  if (!table_->selectionModel()) return rows;
  for (const QModelIndex& i : table_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TStatsPage::TogglePrefetchs() {
  TWorkspace& ws = main_.Workspace();
  TBusyGuard busy(main_.Host());
  main_.State().SetBool("PrefetchsEnabled", !ws.WindowState().PrefetchsEnabled);
  ws.RefreshPrefetchFiles(false, 0);
  ApplyComparisonColumns();
  Compute(true);
}

void TStatsPage::ToggleTotalLine() {
  TWorkspace& ws = main_.Workspace();
  main_.State().SetBool("ShowTotalLine", !ws.WindowState().ShowTotalLine);
  Compute(true);
}

void TStatsPage::PrefetchProgress(int done, int total, const std::string& file) {
  if (done >= total) {
    if (progress_) {
      progress_->close();
      progress_->deleteLater();
      progress_ = nullptr;
    }
    return;
  }
  if (!progress_) {
    progress_ = new QProgressDialog(window());
    progress_->setWindowTitle(QStringLiteral("Создание файлов для полного набора комбинаций..."));
    progress_->setCancelButton(nullptr);
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->setMinimumDuration(0);
    progress_->setMinimumWidth(420);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
  }
  progress_->setMaximum(total);
  progress_->setValue(done);
  if (!file.empty()) progress_->setLabelText(Q(file));
  if (!progress_->isVisible()) progress_->show();
  main_.Host().ProcessEvents();
}

bool TStatsPage::eventFilter(QObject* o, QEvent* e) {
  // A wider or narrower chart gets as many value labels as fit in it now.
  if (o == chartView_ && e->type() == QEvent::Resize && !axisX_->categoriesLabels().isEmpty()) {
    auto* r = static_cast<QResizeEvent*>(e);
    if (r->size().width() != r->oldSize().width()) PlaceAxisLabels();
    return false;
  }
  if (o == len_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      // Enter computes when the typed value lies within the field's bounds.
      bool ok = false;
      const qint64 v = len_->cleanText().toLongLong(&ok);
      if (ok && v >= len_->minimum() && v <= len_->maximum()) {
        len_->interpretText();
        if (main_.Workspace().DrawsCount() > 0 && main_.Workspace().StatSelected() >= 0)
          Compute(false);
      }
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

void ShowMethodHelp(QWidget* parent, const std::string& topic, const std::string& caption) {
  QDialog dlg(parent);
  dlg.setWindowTitle(QStringLiteral("Описание методики расчета"));
  dlg.resize(640, 480);
  auto* v = new QVBoxLayout(&dlg);
  auto* view = new QTextBrowser(&dlg);
  view->setOpenExternalLinks(false);
  v->addWidget(view, 1);
  // A page of the help file is "ms-its:<file>::/<page>"; a help file unpacked next to it keeps
  // the page under the same name.
  QString page;
  if (!topic.empty()) {
    const QString t = Q(topic);
    const qsizetype sep = t.indexOf(QStringLiteral("::/"));
    if (sep > 0) {
      QString file = t.mid(0, sep);
      if (file.startsWith(QStringLiteral("ms-its:"))) file = file.mid(7);
      const QString html = QFileInfo(file).absolutePath() + QLatin1Char('/') + t.mid(sep + 3);
      if (QFileInfo::exists(html)) page = html;
    }
  }
  if (!page.isEmpty())
    view->setSource(QUrl::fromLocalFile(page));
  else
    view->setHtml(QStringLiteral("<h3>%1</h3><p>Описание метода расчета статистики "
                                 "отсутствует.</p>")
                      .arg(Q(caption).toHtmlEscaped()));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dlg);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
  v->addWidget(buttons);
  dlg.exec();
}

}  // namespace kvarn
