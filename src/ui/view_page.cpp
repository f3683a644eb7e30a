#include "ui/view_page.h"

#include <QLabel>
#include <memory>

#include "app/workspace.h"
#include "ui/template_main.h"

namespace kvarn {

void AddLenBar(TTemplateMain& main, QToolBar* bar, QSpinBox* len, const char* calc,
               const char* include, const char* exclude) {
  auto* label = new QLabel(QStringLiteral("Тиражей:"), bar->parentWidget());
  label->setBuddy(len);
  bar->addWidget(label);
  bar->addWidget(len);
  bar->addAction(main.Commands().Action(calc));
  bar->addSeparator();
  for (const char* name : {include, exclude}) bar->addAction(main.Commands().Action(name));
  bar->addSeparator();
}

QSpinBox* MakeViewLenField(TTemplateMain& main, QWidget* page, const char* name, int value,
                           std::function<void(int len)> set, std::function<void()> calc) {
  // The handler needs the field that does not exist yet when the handler is made.
  auto field = std::make_shared<QSpinBox*>(nullptr);
  *field = MakeLenField(page, name, "Количество тиражей, использующихся для расчета статистики",
                        value, [&main, field, set, calc] {
                          set((*field)->value());
                          if (main.Host().BusyCount() == 0 && main.Workspace().DrawsCount() > 0)
                            calc();
                        });
  return *field;
}

QSplitter* AddViewSplitter(QWidget* page, QVBoxLayout* column, const char* name) {
  auto* split = new QSplitter(Qt::Vertical, page);
  split->setObjectName(QString::fromLatin1(name));
  split->setChildrenCollapsible(false);
  column->addWidget(split, 1);
  return split;
}

void BindGridFilters(TTemplateMain& main, QTableView* grid, const char* include,
                     const char* exclude, std::function<bool()> visible,
                     std::function<void(const TCellRect& rect, bool exclude)> filter) {
  TWorkspace& ws = main.Workspace();
  for (bool excluding : {false, true})
    main.Commands().Bind(
        excluding ? exclude : include,
        [grid, &ws, visible] {
          TCellRect r;
          return visible() && ws.Combs().Count() > 0 && SelectedRect(grid, r);
        },
        [&main, grid, filter, excluding] {
          TCellRect r;
          if (!SelectedRect(grid, r)) return;
          TBusyGuard busy(main.Host());
          filter(r, excluding);
        });
  QObject::connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, &main,
                   &TTemplateMain::UpdateCommands);
}

}  // namespace kvarn
