#include "ui/card_page.h"

#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "ui/template_main.h"
#include "ui/view_controls.h"
#include "ui/xls_export.h"

namespace kvarn {

TCardPage::TCardPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  QToolBar* bar = MakePageBar(this);
  for (const char* name :
       std::initializer_list<const char*>{"CardFilter_Include", "CardFilter_Exclude", nullptr,
                                          "ViewColorCard", "ViewColorCardSequences"}) {
    if (name)
      bar->addAction(main_.Commands().Action(name));
    else
      bar->addSeparator();
  }
  v->addWidget(bar);

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("sgCard"));
  TWorkspace& ws = main_.Workspace();
  model_ = new TCardModel({[&ws]() -> const TDrawsArray& { return ws.Draws(); },
                           [&ws] {
                             return TCardOptions{ws.WindowState().ColorCard,
                                                 ws.WindowState().ColorCardSequences,
                                                 ws.Config().ChannelSize};
                           }},
                          this);
  grid_->setModel(model_);
  const QFontMetrics fm(grid_->font());
  // The drawn numbers are bold: the cells take their width.
  QFont bold = grid_->font();
  bold.setBold(true);
  const int cell = std::max(18, QFontMetrics(bold).horizontalAdvance(QStringLiteral("36")) + 8);
  grid_->setTextElideMode(Qt::ElideNone);
  SetupCellGrid(grid_, cell, std::max(18, fm.height() + 2));
  grid_->verticalHeader()->hide();
  grid_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("000000")) + 10);
  v->addWidget(grid_, 1);
}

void TCardPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(grid_, {"CardFilter_Include", "CardFilter_Exclude", nullptr, "ViewColorCard",
                        "ViewColorCardSequences", nullptr, "CardXlsExport"});
  const auto visible = [this] { return main_.RightTabs().isTabVisible(rtCard); };
  for (bool exclude : {false, true})
    c.Bind(
        exclude ? "CardFilter_Exclude" : "CardFilter_Include",
        [this, &ws, visible] {
          int top, left, bottom, right;
          return ws.Combs().Count() > 0 && visible() && Selection(top, left, bottom, right) &&
                 CardSelectionFilterable(left, right);
        },
        [this, &ws, exclude] {
          int top, left, bottom, right;
          if (!Selection(top, left, bottom, right)) return;
          TBusyGuard busy(main_.Host());
          ws.CardFilter(top, left, bottom, right, exclude);
        });
  for (const auto& [command, key] : {std::pair{"ViewColorCard", "ColorCard"},
                                     std::pair{"ViewColorCardSequences", "ColorCardSequences"}}) {
    const std::string k = key;
    c.Bind(
        command, visible,
        [this, k] {
          main_.State().SetBool(k, !main_.State().Bool(k, true));
          Repaint();
        },
        [this, k] { return main_.State().Bool(k, true); });
  }
  c.Bind(
      "CardXlsExport", [this, visible] { return visible() && model_->columnCount() > 2; },
      [this, &ws] {
        RunXlsExport(this, main_.State(), QStringLiteral("Карта.xlsx"),
                     [&ws](const std::string& file, const TSheetProgress& progress) {
                       return ws.CardXlsExport(file, progress);
                     });
      });
  connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, &main_,
          &TTemplateMain::UpdateCommands);
}

void TCardPage::Refresh(bool force) {
  if (!force && !main_.IsPageShown(this)) return;
  TWorkspace& ws = main_.Workspace();
  if (force || CardRowCount(ws.Draws()) != model_->rowCount()) {
    TBusyGuard busy(main_.Host());
    TProgressText progress(main_.Host(), "Обновление карты тиражей...");
    model_->Rebuild(force);
  } else {
    model_->Rebuild(false);
  }
}

bool TCardPage::Selection(int& top, int& left, int& bottom, int& right) const {
  TCellRect r;
  if (!SelectedRect(grid_, r)) return false;
  top = r.top + 1;
  bottom = r.bottom + 1;
  left = r.left;
  right = r.right;
  return true;
}

}  // namespace kvarn
