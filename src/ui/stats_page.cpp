#include "ui/stats_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "app/workspace.h"
#include "ui/form_favourites.h"
#include "ui/form_shredding.h"
#include "ui/list_view.h"
#include "ui/method_help.h"
#include "ui/qt_host.h"
#include "ui/right_pages.h"
#include "ui/stats_filter_tests.h"
#include "ui/template_main.h"
#include "ui/window_state.h"
#include "ui/xls_export.h"

namespace kvarn {

namespace {

constexpr int ComparisonColumns[] = {stcNorm, stcDeviation, stcDeviationPercent};
constexpr int ComparisonColumnWidth = 80;

}  // namespace

TStatsPage::TStatsPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  setObjectName(QStringLiteral("tsDrawsStat"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);

  auto* top = new QHBoxLayout();
  methodBox_ = new QComboBox(this);
  methodBox_->setObjectName(QStringLiteral("cbDrawsStatType"));
  methodBox_->setToolTip(QStringLiteral("Вид расчета статистики"));
  methodBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  methodBox_->setMinimumContentsLength(20);
  methodBox_->setMaxVisibleItems(30);
  top->addWidget(methodBox_, 1);
  len_ = new QSpinBox(this);
  len_->setObjectName(QStringLiteral("edDrawsStatLen"));
  len_->setToolTip(QStringLiteral("Количество тиражей, использующихся для расчета статистики"));
  len_->setRange(StatLenMin, StatLenMax);
  len_->setValue(StatLenDefault);
  len_->setKeyboardTracking(false);
  len_->setMinimumWidth(90);
  len_->installEventFilter(this);
  top->addWidget(len_);
  // The favourites manager and the method's description, beside the box they act on.
  for (const auto& [command, text, name] :
       {std::tuple{"FiltersManager", "Избранное", "btFiltersManager"},
        std::tuple{"FiltersInfo", "Описание", "btFiltersInfo"}}) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(name));
    b->setDefaultAction(main_.Commands().Action(command));
    const QString caption = QString::fromUtf8(text);
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFocusPolicy(Qt::StrongFocus);
    // The action's own caption would replace the button's whenever the action changes.
    connect(b->defaultAction(), &QAction::changed, b, [b, caption] { b->setText(caption); });
    top->addWidget(b);
  }
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

  chart_ = new TStatChart(split_);
  split_->addWidget(table_);
  split_->addWidget(chart_);
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

void TStatsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(table_, {"StatFilter_Include", "StatFilter_Exclude", "StatFilterTest", nullptr,
                         "DrawsStatCalc", "DrawsStatePrefetchsEnabled", "DrawsStatShowTotalLine",
                         nullptr, "FiltersInfo"});

  c.Bind(
      "DrawsStatCalc", [&ws] { return ws.DrawsCount() > 0 && ws.StatSelected() >= 0; },
      [this] { Compute(true); });
  auto canFilter = [this, &ws] {
    return ws.Combs().Count() > 0 && table_->selectionModel() &&
           table_->selectionModel()->hasSelection();
  };
  for (bool exclude : {false, true})
    c.Bind(exclude ? "StatFilter_Exclude" : "StatFilter_Include", canFilter, [this, &ws, exclude] {
      std::vector<int> rows = SelectedRows(table_);
      TBusyGuard busy(main_.Host());
      ws.StatFilter(rows, exclude);
    });
  filterTests_ = new TStatsFilterTests(main_, *this);
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
        ShowMethodHelp(this, main_.HelpBook(), ws.StatList().Items(entry), &main_.State());
      });
  c.Bind(
      "FiltersManager", [] { return true; },
      [this, &ws] {
        TFormFavourites dlg(
            main_.Host(), ws.StatList(), Q(ws.DataDir()),
            [this, &ws](int entry) {
              ShowMethodHelp(this, main_.HelpBook(), ws.StatList().Items(entry), &main_.State());
            },
            this);
        if (!dlg.EditFavourites()) return;
        TBusyGuard busy(main_.Host());
        ws.FavouritesApplied();
        RefillMethodBox();
        main_.RefreshViews(true);
      });
  c.Bind(
      "DrawsStatExportToExcel", [&ws] { return !ws.StatTable().Rows.empty(); },
      [this, &ws] {
        RunXlsExport(this, main_.State(), QStringLiteral("Статистика.xlsx"),
                     [&ws](const std::string& file, const TSheetProgress& progress) {
                       return ws.StatXlsExport(file, progress);
                     });
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
      });

  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, &main_,
          &TTemplateMain::UpdateCommands);
  ws.OnPrefetchProgress = [this](int done, int total, const std::string& file) {
    PrefetchProgress(done, total, file);
  };
}

void TStatsPage::Refresh(bool force) {
  if (force || main_.IsPageShown(this)) Compute(force);
}

void TStatsPage::RestoreState(const TWindowStateStore& st) {
  TWorkspace& ws = main_.Workspace();
  // The registry reads the settings that were loaded just before.
  ws.StatSyncSettings();
  RefillMethodBox();
  int len = ws.WindowStateReadInt("DrawsStatLen", StatLenDefault);
  if (!StatLenValid(len)) len = StatLenDefault;
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
}

void TStatsPage::FollowWorkspace() {
  TWorkspace& ws = main_.Workspace();
  {
    const QSignalBlocker box(methodBox_), len(len_);
    if (methodBox_->currentIndex() != ws.StatSelected())
      methodBox_->setCurrentIndex(ws.StatSelected());
    if (len_->value() != ws.StatLen()) len_->setValue(ws.StatLen());
  }
  ShowTable();
}

void TStatsPage::ShowTable() {
  const TStatTable& t = main_.Workspace().StatTable();
  model_->Reset();
  table_->horizontalHeader()->setSortIndicator(
      t.SortColumn, t.Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  ApplyComparisonColumns();
  chart_->Show(t.Chart);
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

}  // namespace kvarn
