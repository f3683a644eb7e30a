#include "ui/draws_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "ui/form_draw.h"
#include "ui/list_view.h"
#include "ui/template_main.h"
#include "ui/window_state.h"

namespace kvarn {

TDrawsPage::TDrawsPage(TTemplateMain& main, const QStringList& columns, QWidget* parent)
    : TPage(main, parent) {
  setObjectName(QStringLiteral("tsDraws"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvDraws"));
  TWorkspace& ws = main_.Workspace();
  model_ = new TDrawsModel(
      {[&ws] { return ws.DrawsCount(); }, [&ws](int row) { return ws.DrawsRow(row); }}, columns,
      this);
  list_->setModel(model_);
  SetupListView(list_, {54, 24, 24, 24, 24, 24, 24, 30, 100});
  // The designed date width assumes a small font; the whole "dd.mm.yyyy hh:nn" must show.
  int dateWidth = list_->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00")) + 12;
  list_->setColumnWidth(8, std::max(100, dateWidth));
  v->addWidget(list_, 1);

  auto* row = new QHBoxLayout();
  row->addWidget(new QLabel(QStringLiteral("Смещение назад:"), this));
  offset_ = new QSpinBox(this);
  offset_->setObjectName(QStringLiteral("edDrawsOffset"));
  offset_->setRange(0, 2147483647);
  offset_->setToolTip(
      QStringLiteral("Смещение относительно последнего загруженного номера тиража"));
  row->addWidget(offset_, 1);
  v->addLayout(row);
  connect(offset_, &QSpinBox::valueChanged, this, [this](int k) {
    TWorkspace& w = main_.Workspace();
    if (w.DrawsOffset() == k) return;
    w.SetDrawsOffset(k);
    model_->Repaint();
  });
  connect(list_, &QTableView::doubleClicked, this,
          [this] { main_.Commands().Execute("DrawsInfo"); });
}

void TDrawsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(list_, {"DrawsInfo", "DrawsAdd", "DrawsEdit", "DrawsDel", "DrawsSorted"});
  c.Bind(
      "DrawsAdd", [] { return true; }, [this] { EditDraw(true); });
  c.Bind(
      "DrawsEdit", [this] { return FocusedRow() >= 0; }, [this] { EditDraw(false); });
  c.Bind(
      "DrawsDel", [this] { return !SelectedRows().empty(); },
      [this, &ws] {
        std::vector<int> rows = SelectedRows();
        TBusyGuard busy(main_.Host());
        if (ws.DrawsDeleteRows(rows)) list_->selectionModel()->clear();
      });
  c.Bind(
      "DrawsSorted", [] { return true; },
      [this, &ws] {
        ws.DrawsSetSorted(!ws.WindowState().SortedDraws);
        model_->Repaint();
        main_.RefreshViews();
      },
      [&ws] { return ws.WindowState().SortedDraws; });
  ws.OnDrawsListChanged = [this](bool reset) { Refresh(reset); };
}

void TDrawsPage::EditDraw(bool add) {
  TWorkspace& ws = main_.Workspace();
  TDraw d;
  int index = -1;
  if (add) {
    d.Number = ws.DrawsNextNumber(0);
  } else {
    index = model_->IndexOfRow(FocusedRow());
    if (index < 0 || index >= ws.DrawsCount()) return;
    d = ws.Draws()[static_cast<size_t>(index)];
  }
  TFormDraw dlg(main_.Host(), QStringLiteral("Введите данные следующего тиража"), d, true,
                ws.DateFormat(), this);
  if (dlg.exec() != QDialog::Accepted) return;
  TBusyGuard busy(main_.Host());
  if (add)
    ws.DrawsAdd(dlg.Result());
  else
    ws.DrawsReplace(index, dlg.Result());
}

void TDrawsPage::Refresh(bool reset) {
  model_->Refresh(reset);
  TWorkspace& ws = main_.Workspace();
  // An empty archive has the maximum -1; the field cannot go below its minimum 0.
  QSignalBlocker block(offset_);
  offset_->setMaximum(std::max(0, ws.DrawsOffsetMax()));
  if (offset_->value() != ws.DrawsOffset()) offset_->setValue(ws.DrawsOffset());
}

void TDrawsPage::Repaint() {
  model_->Repaint();
}

std::vector<int> TDrawsPage::SelectedRows() const {
  return kvarn::SelectedRows(list_);
}

int TDrawsPage::FocusedRow() const {
  QModelIndex i = list_->currentIndex();
  return i.isValid() && i.row() < model_->rowCount() ? i.row() : -1;
}

int TDrawsPage::NeededWidth() const {
  int w = 0;
  for (int i = 0; i < model_->columnCount(); ++i) w += list_->columnWidth(i);
  return w + list_->verticalScrollBar()->sizeHint().width() + 2 * list_->frameWidth() + 16;
}

void TDrawsPage::RestoreState(const TWindowStateStore& st) {
  RestoreListLayout(list_, "lvDraws", st);
}

void TDrawsPage::SaveState(TWindowStateStore& st) const {
  SaveListLayout(list_, "lvDraws", st);
}

}  // namespace kvarn
