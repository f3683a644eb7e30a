#include "ui/layout_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "core/text.h"
#include "ui/qt_host.h"
#include "ui/template_main.h"
#include "ui/view_controls.h"
#include "ui/view_page.h"
#include "ui/window_state.h"
#include "ui/xls_export.h"

namespace kvarn {

TLayoutPage::TLayoutPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  TWorkspace& ws = main_.Workspace();
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  QToolBar* bar = MakePageBar(this);
  len_ = MakeViewLenField(
      main_, this, "edLayoutLen", LayoutLenDefault, [&ws](int len) { ws.SetLayoutLen(len); },
      [this] { Calc(false); });
  AddLenBar(main_, bar, len_, "LayoutCalc", "LayoutFilter_Include", "LayoutFilter_Exclude");
  bar->addAction(main_.Commands().Action("ViewShemaGradient"));
  v->addWidget(bar);

  split_ = AddViewSplitter(this, v, "spLayout");

  grid_ = new QTableView(split_);
  grid_->setObjectName(QStringLiteral("sgLayout"));
  model_ = new TLayoutModel([&ws]() -> const TLayoutScheme& { return ws.Views().Scheme; },
                            [&ws] { return ws.WindowState().LayoutGradient; }, this);
  grid_->setModel(model_);
  SetupCellGrid(grid_, 40, std::max(20, grid_->fontMetrics().height() + 6));
  grid_->verticalHeader()->setMinimumWidth(50);
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  split_->addWidget(grid_);

  // The compare lists scroll sideways in a narrow window instead of widening the page.
  auto* scroll = new QScrollArea(split_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* bottom = new QWidget(scroll);
  bottom->setMinimumWidth(LayoutCompareCount * 110);
  auto* bv = new QVBoxLayout(bottom);
  bv->setContentsMargins(0, 2, 0, 0);
  auto* lists = new QHBoxLayout();
  for (int k = 0; k < LayoutCompareCount; ++k) {
    auto* col = new QVBoxLayout();
    const size_t i = static_cast<size_t>(k);
    cmpLen_[i] = MakeViewLenField(
        main_, bottom, StrFormat("edLayoutCmp%d", k + 1).c_str(), LayoutCompareDefaults[k],
        [&ws, k](int len) { ws.SetLayoutCompareLen(k, len); }, [this] { CmpCalc(false); });
    cmpList_[i] = new QTreeWidget(bottom);
    cmpList_[i]->setObjectName(Q(StrFormat("lvLayoutCmp%d", k + 1)));
    cmpList_[i]->setRootIsDecorated(false);
    cmpList_[i]->setColumnCount(2);
    cmpList_[i]->setHeaderLabels({QStringLiteral("Кол-во"), QString()});
    cmpList_[i]->setColumnWidth(0, 60);
    cmpList_[i]->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmpList_[i]->setAlternatingRowColors(true);
    col->addWidget(cmpLen_[i]);
    col->addWidget(cmpList_[i], 1);
    lists->addLayout(col, 1);
  }
  bv->addLayout(lists, 1);
  auto* cmpRow = new QHBoxLayout();
  cmpRow->addStretch(1);
  cmpRow->addWidget(CommandButton(bottom, main_.Commands().Action("LayoutCmpCalc")));
  bv->addLayout(cmpRow);
  scroll->setWidget(bottom);
  split_->addWidget(scroll);
  split_->setStretchFactor(0, 1);
  split_->setStretchFactor(1, 0);
}

void TLayoutPage::showEvent(QShowEvent* e) {
  TPage::showEvent(e);
  ApplyCompareHeight();
}

void TLayoutPage::resizeEvent(QResizeEvent* e) {
  TPage::resizeEvent(e);
  ApplyCompareHeight();
}

void TLayoutPage::ApplyCompareHeight() {
  if (sized_ || !isVisible()) return;
  const int total = split_->height();
  if (total <= cmpHeight_ + 80) return;
  sized_ = true;
  split_->setSizes({total - cmpHeight_, cmpHeight_});
}

void TLayoutPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(grid_, {"LayoutFilter_Include", "LayoutFilter_Exclude", nullptr, "LayoutCalc",
                        "ViewShemaGradient", nullptr, "LayoutXlsExport"});
  const auto visible = [this] { return main_.RightTabs().isTabVisible(rtLayout); };
  c.Bind(
      "LayoutCalc", [&ws, visible] { return visible() && ws.DrawsCount() > 0; },
      [this] { Calc(true); });
  c.Bind(
      "LayoutCmpCalc", [&ws, visible] { return visible() && ws.DrawsCount() > 0; },
      [this] { CmpCalc(true); });
  BindGridFilters(main_, grid_, "LayoutFilter_Include", "LayoutFilter_Exclude", visible,
                  [&ws](const TCellRect& r, bool exclude) {
                    ws.LayoutFilter(r.top + 1, r.left + 1, r.bottom + 1, r.right + 1, exclude);
                  });
  c.Bind(
      "LayoutXlsExport", [&ws, visible] { return visible() && ws.Views().Scheme.ColCount() > 2; },
      [this, &ws] {
        RunXlsExport(this, main_.State(), QStringLiteral("Схема.xlsx"),
                     [&ws](const std::string& file, const TSheetProgress& progress) {
                       return ws.LayoutXlsExport(file, progress);
                     });
      });
  c.Bind(
      "ViewShemaGradient", visible,
      [this] {
        main_.State().SetBool("LayoutGradient", !main_.State().Bool("LayoutGradient", true));
        Repaint();
      },
      [this] { return main_.State().Bool("LayoutGradient", true); });
}

void TLayoutPage::Refresh(bool force) {
  if (!force && !main_.IsPageShown(this)) return;
  Calc(force);
  CmpCalc(force);
}

void TLayoutPage::RestoreState(const TWindowStateStore& st) {
  TWorkspace& ws = main_.Workspace();
  const int len = st.Int("LayoutLen", LayoutLenDefault);
  if (ViewLenValid(len)) len_->setValue(len);
  ws.SetLayoutLen(len_->value());
  for (int k = 0; k < LayoutCompareCount; ++k) {
    const int l = ws.WindowState().LayoutCompareLen[static_cast<size_t>(k)];
    if (ViewLenValid(l)) cmpLen_[static_cast<size_t>(k)]->setValue(l);
    ws.SetLayoutCompareLen(k, cmpLen_[static_cast<size_t>(k)]->value());
  }
  const int h = st.Int("LayoutCompareHeight", cmpHeight_);
  if (h > 40 && h < 5000) cmpHeight_ = h;
}

void TLayoutPage::SaveState(TWindowStateStore& st) const {
  st.SetInt("LayoutLen", len_->value());
  for (int k = 0; k < LayoutCompareCount; ++k)
    st.SetInt(StrFormat("LayoutCompareLen%d", k + 1), cmpLen_[static_cast<size_t>(k)]->value());
  st.SetInt("LayoutCompareHeight", sized_ ? split_->sizes().value(1) : cmpHeight_);
}

void TLayoutPage::Calc(bool force) {
  TWorkspace& ws = main_.Workspace();
  // A typed length that was not confirmed with Enter counts too.
  ws.SetLayoutLen(len_->value());
  if (ws.LayoutCalc(force)) ShowScheme();
}

void TLayoutPage::CmpCalc(bool force) {
  TWorkspace& ws = main_.Workspace();
  for (int k = 0; k < LayoutCompareCount; ++k)
    ws.SetLayoutCompareLen(k, cmpLen_[static_cast<size_t>(k)]->value());
  if (ws.LayoutCmpCalc(force)) ShowCompare();
}

void TLayoutPage::ShowScheme() {
  model_->Reset();
  // Every cell's numbers readable: a column is widened to its longest text.
  const QFontMetrics fm(grid_->font());
  const TLayoutScheme& s = main_.Workspace().Views().Scheme;
  for (int col = 1; col < s.ColCount(); ++col) {
    int w = std::max(40, fm.horizontalAdvance(Q(s.Text(0, col))) + 14);
    for (int row = 1; row < s.RowCount(); ++row)
      w = std::max(w, fm.horizontalAdvance(Q(s.Cell(row, col))) + 10);
    grid_->setColumnWidth(col - 1, w);
  }
}

void TLayoutPage::ShowCompare() {
  const TViewsState& views = main_.Workspace().Views();
  for (size_t k = 0; k < cmpList_.size(); ++k) {
    QTreeWidget* list = cmpList_[k];
    const TLayoutCompare& cmp = views.Compare[k];
    list->clear();
    // Without draws the list stays empty and keeps its caption.
    if (!cmp.Caption.empty()) list->headerItem()->setText(1, Q(cmp.Caption));
    for (const TLayoutCompareRow& row : cmp.Rows) {
      auto* item = new QTreeWidgetItem(list, {QString::number(row.Count), Q(row.Numbers)});
      item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
      item->setToolTip(1, Q(row.Numbers));
    }
  }
}

}  // namespace kvarn
