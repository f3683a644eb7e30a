#include "ui/combs_page.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "ui/form_gen_combs.h"
#include "ui/list_view.h"
#include "ui/template_main.h"
#include "ui/window_state.h"
#include "ui/xls_export.h"

namespace kvarn {

TCombsPage::TCombsPage(TTemplateMain& main, const QStringList& columns, QWidget* parent)
    : TPage(main, parent) {
  setObjectName(QStringLiteral("tsCombs"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  split_ = new QSplitter(Qt::Vertical, this);
  split_->setChildrenCollapsible(false);
  v->addWidget(split_);

  auto* top = new QWidget(split_);
  auto* tv = new QVBoxLayout(top);
  tv->setContentsMargins(0, 0, 0, 0);
  list_ = new QTableView(top);
  list_->setObjectName(QStringLiteral("lvCombs"));
  TWorkspace& ws = main_.Workspace();
  model_ = new TCombsModel({[&ws]() -> const TCombList& { return ws.Combs(); },
                            [&main] { return main.State().Bool("ColorCombs", true); },
                            [&main] { return main.ChannelSize(); }},
                           columns, this);
  list_->setModel(model_);
  SetupListView(list_, {54, 24, 24, 24, 24, 24, 30});
  tv->addWidget(list_, 1);

  auto* row = new QHBoxLayout();
  exclude_ = new QSpinBox(top);
  exclude_->setObjectName(QStringLiteral("edCombsExclude"));
  exclude_->setRange(0, 2147483647);
  exclude_->setToolTip(
      QStringLiteral("Исключить указанное количество последних тиражей из списка комбинаций"));
  exclude_->installEventFilter(this);
  auto* del = new QToolButton(top);
  del->setObjectName(QStringLiteral("btCombsDelExists"));
  del->setDefaultAction(main_.Commands().Action("CombsDelExists"));
  del->setText(QStringLiteral("[-] Тиражи"));
  del->setToolButtonStyle(Qt::ToolButtonTextOnly);
  connect(del->defaultAction(), &QAction::changed, del,
          [del] { del->setText(QStringLiteral("[-] Тиражи")); });
  row->addWidget(exclude_, 1);
  row->addWidget(del);
  tv->addLayout(row);

  filters_ = new QTableView(split_);
  filters_->setObjectName(QStringLiteral("lvFilters"));
  filtersModel_ =
      new TFiltersModel([&ws]() -> const TAppliedFilters& { return ws.AppliedFilters(); }, this);
  filters_->setModel(filtersModel_);
  SetupListView(filters_, {150, 90, 80});
  filters_->horizontalHeader()->setStretchLastSection(true);
  filters_->setContextMenuPolicy(Qt::NoContextMenu);
  split_->addWidget(top);
  split_->addWidget(filters_);
  // The list takes the room the window gains; the filters list keeps its height.
  split_->setStretchFactor(0, 1);
  split_->setStretchFactor(1, 0);
  split_->setSizes({500, 120});
}

void TCombsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  IHost& host = main_.Host();
  c.AddToWidget(list_, {"CombsInfo", "CombsCheckNums", "CombsFindInDraws", nullptr, "CombsGen",
                        "CombsDelExists", "CombsDelSelected", nullptr, "CombsCopy", "CombsPaste",
                        "CombsSelectAll", nullptr, "CombsOpen", "CombsSave", "CombsUndo"});
  auto notEmpty = [&ws] { return ws.Combs().Count() > 0; };

  c.Bind(
      "CombsGen", [] { return true; },
      [this, &ws] {
        TFormGenCombs dlg(main_, this);
        if (dlg.exec() != QDialog::Accepted) return;
        main_.SaveGenerateParameters(dlg.Mode(), dlg.Parameters(), dlg.SaveAsDefault());
        TBusyGuard busy(main_.Host());
        ws.CombsSnapshot(false);
        ws.CombsGenerate(dlg.Mode(), dlg.Parameters(), true);
      });
  c.Bind(
      "CombsOpen", [] { return true; },
      [this, &ws] {
        QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть"), QString(),
                                                    QStringLiteral("Файлы комбинаций (*.lcv)"));
        if (path.isEmpty()) return;
        TBusyGuard busy(main_.Host());
        ws.CombsOpen(S(path));
      });
  c.Bind("CombsSave", notEmpty, [this, &ws] {
    QFileDialog dlg(this, QStringLiteral("Сохранить"), QString(),
                    QStringLiteral("Файлы комбинаций (*.lcv)"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("lcv"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    TBusyGuard busy(main_.Host());
    ws.CombsSave(S(dlg.selectedFiles().first()));
  });
  c.Bind("CombsCopy", notEmpty, [this, &ws, &host] {
    TBusyGuard busy(host);
    TProgressText progress(host, "Подождите пожалуйста...");
    QApplication::clipboard()->setText(Q(ws.CombsCopyText(SelectedRows())));
  });
  // The clipboard is asked once per change, not by every run of the update rules.
  auto* clipboard = QApplication::clipboard();
  auto clipboardChanged = [this, clipboard] {
    const QMimeData* m = clipboard->mimeData();
    clipboardHasText_ = m && m->hasText();
  };
  connect(clipboard, &QClipboard::dataChanged, this, clipboardChanged);
  clipboardChanged();
  c.Bind(
      "CombsPaste", [this] { return clipboardHasText_; },
      [this, &ws] {
        QString text = QApplication::clipboard()->text();
        TBusyGuard busy(main_.Host());
        ws.CombsPaste(S(text));
      });
  c.Bind("CombsSelectAll", notEmpty, [this] { list_->selectAll(); });
  c.Bind("CombsXlsExport", notEmpty, [this, &ws] {
    RunXlsExport(this, main_.State(), QStringLiteral("Комбинации.xlsx"),
                 [&ws](const std::string& file, const TSheetProgress& progress) {
                   return ws.CombsXlsExport(file, progress);
                 });
  });
  c.Bind(
      "CombsUndo", [&ws] { return ws.CombsUndoList().Count() > 0; },
      [this, &ws] {
        TBusyGuard busy(main_.Host());
        ws.CombsUndo();
        filtersModel_->Refresh();
      });
  c.Bind(
      "CombsDelSelected", [this, notEmpty] { return notEmpty() && HasSelection(); },
      [this, &ws] {
        std::vector<int> rows = SelectedRows();
        list_->selectionModel()->clear();
        TBusyGuard busy(main_.Host());
        ws.CombsDelSelected(rows);
      });
  c.Bind(
      "CombsDelExists",
      [this, &ws, notEmpty] {
        return notEmpty() && ws.Draws().size() > 0 && exclude_->value() > 0;
      },
      [this, &ws] {
        TBusyGuard busy(main_.Host());
        ws.CombsDelExists(exclude_->value());
      });
  // The workspace shows what the search and the count found.
  c.Bind(
      "CombsFindInDraws", [this] { return FocusedRow() >= 0; },
      [this, &ws] { ws.CombsFindInDraws(FocusedRow()); });
  c.Bind(
      "CombsCheckNums", [] { return true; }, [&ws] { ws.CombsCheckNums(); });
  ws.OnCombsChanged = [this] { Refresh(false); };
}

void TCombsPage::Refresh(bool force) {
  model_->Refresh(force);
  filtersModel_->Refresh();
  // Long method captions and value lists get the room they need (the list scrolls sideways).
  WidenColumnsToContents(filters_);
  main_.Host().SetStatusText(spCombs,
                             StrFormat("Комбинаций: %d", main_.Workspace().Combs().Count()));
}

void TCombsPage::Repaint() {
  model_->Repaint();
}

std::vector<int> TCombsPage::SelectedRows() const {
  return kvarn::SelectedRows(list_);
}

bool TCombsPage::HasSelection() const {
  return list_->selectionModel() && list_->selectionModel()->hasSelection();
}

int TCombsPage::FocusedRow() const {
  QModelIndex i = list_->currentIndex();
  return i.isValid() && i.row() < main_.Workspace().Combs().Count() ? i.row() : -1;
}

bool TCombsPage::eventFilter(QObject* o, QEvent* e) {
  if (o == exclude_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      // Enter runs the exclusion when the typed value lies within the field's bounds.
      exclude_->interpretText();
      bool ok = false;
      qint64 v = exclude_->cleanText().toLongLong(&ok);
      if (ok && v >= exclude_->minimum() && v <= exclude_->maximum())
        main_.Commands().Execute("CombsDelExists");
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

void TCombsPage::RestoreState(const TWindowStateStore& st) {
  exclude_->setValue(std::max(0, st.Int("DrawsExclude", 0)));
  RestoreListLayout(list_, "lvCombs", st);
  RestoreListLayout(filters_, "lvFilters", st);
  int h = st.Int("FiltersHeight", 0);
  if (h > 20) split_->setSizes({std::max(100, split_->height() - h), h});
}

void TCombsPage::SaveState(TWindowStateStore& st) const {
  st.SetInt("DrawsExclude", exclude_->value());
  SaveListLayout(list_, "lvCombs", st);
  SaveListLayout(filters_, "lvFilters", st);
  st.SetInt("FiltersHeight", split_->sizes().value(1));
}

}  // namespace kvarn
