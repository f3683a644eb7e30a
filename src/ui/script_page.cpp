#include "ui/script_page.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "scenario/script_file.h"
#include "ui/combs_page.h"
#include "ui/form_script.h"
#include "ui/list_view.h"
#include "ui/template_main.h"

namespace kvarn {

namespace {

const QString FileFilter = QStringLiteral("Файлы сценариев (*.lsc)");
const char* const NewLineTitle = "Создание новой строки";

}  // namespace

TScriptPage::TScriptPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  setObjectName(QStringLiteral("tsScript"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);

  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("tbScript"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {"ScriptOpen", "ScriptSave", "", "ScriptAdd", "ScriptEmpty", "ScriptLoad",
                           "ScriptClone", "ScriptEdit", "ScriptDel", "ScriptClr", "", "ScriptUp",
                           "ScriptDown", "", "ScriptRun", "ScriptTest", "ScriptStop"}) {
    if (*name)
      bar->addAction(main_.Commands().Action(name));
    else
      bar->addSeparator();
  }
  v->addWidget(bar);

  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvScript"));
  TWorkspace& ws = main_.Workspace();
  model_ = new TScriptModel(
      {[&ws] { return ws.ScriptCount(); }, [&ws](int row) { return ws.ScriptRow(row); }}, this);
  list_->setModel(model_);
  SetupListView(list_, {150, 330, 230, 230, 230, 230, 230, 230, 230});
  v->addWidget(list_, 1);

  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(false);
  for (const char* t : {"Строк: 0", "Цикл: 0", "Строка: 0", "Ставок: 0", ""}) {
    auto* l = new QLabel(QString::fromUtf8(t), status);
    // The counters keep their room; the run's text takes what is left.
    const bool counter = *t != 0;
    if (counter) l->setMinimumWidth(100);
    status->addWidget(l, counter ? 0 : 1);
    panels_.push_back(l);
  }
  v->addWidget(status);

  connect(list_, &QTableView::doubleClicked, this,
          [this] { main_.Commands().Execute("ScriptEdit"); });

  TScriptRunControl::THooks hooks;
  hooks.Lines = [&ws] { return ws.Script(); };
  hooks.List = list_;
  hooks.SelectLine = [this](int row, bool selected) {
    if (selected) {
      SelectOnly(row);
    } else if (row >= 0 && row < model_->rowCount()) {
      list_->selectionModel()->select(model_->index(row, 0),
                                      QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
  };
  hooks.Panel = [this](TScriptPanel panel, const QString& text) {
    static constexpr TPanel Of[] = {spCycle, spLine, spStakesMade, spRunText};
    panels_[Of[static_cast<int>(panel)]]->setText(text);
  };
  run_ = new TScriptRunControl(main_, std::move(hooks), this);
}

TFilterEditorContext TScriptPage::FilterContext() {
  TWorkspace& ws = main_.Workspace();
  TFilterEditorContext c;
  c.Registry = &ws.StatList();
  c.Methods = ws.MethodBoxes().Stat;
  c.MethodLine = ws.StatSelected();
  c.DrawsLen = std::to_string(ws.StatLen());
  c.Weights = ws.StatList().Weights;
  c.Host = &main_.Host();
  return c;
}

std::optional<std::string> TScriptPage::EditLine(const QString& title, const std::string& line) {
  const int exclude = main_.Page<TCombsPage>().ExcludeField()->value();
  TFormScript dialog(title, line, exclude, FilterContext(), this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Line();
}

void TScriptPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.AddToWidget(
      list_, {"ScriptAdd", "ScriptEmpty", "ScriptLoad", "ScriptClone", "ScriptEdit", "ScriptDel",
              "ScriptClr", nullptr, "ScriptUp", "ScriptDown", nullptr, "ScriptOpen", "ScriptSave"});
  auto idle = [&ws] { return !ws.ScriptRunning(); };
  auto hasLines = [&ws, idle] { return idle() && ws.ScriptCount() > 0; };
  auto lineFocused = [this, idle] { return idle() && FocusedIsLine(); };

  c.Bind("ScriptOpen", idle, [this, &ws] {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Открыть"), QString(), FileFilter);
    if (path.isEmpty()) return;
    TBusyGuard busy(main_.Host());
    ws.ScriptOpen(S(path));
  });
  c.Bind("ScriptSave", hasLines, [this, &ws] {
    QFileDialog dlg(this, QStringLiteral("Сохранить"), QString(), FileFilter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QString::fromLatin1(ScriptFileExt));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    TBusyGuard busy(main_.Host());
    ws.ScriptSave(S(dlg.selectedFiles().first()));
  });
  c.Bind("ScriptLoad", idle, [this, &ws] {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Добавить сценарий"),
                                                      QString(), FileFilter);
    if (path.isEmpty()) return;
    TBusyGuard busy(main_.Host());
    ws.ScriptAppendFile(S(path));
  });
  c.Bind("ScriptAdd", idle, [this, &ws] {
    if (auto line = EditLine(Q(NewLineTitle), {})) SelectOnly(ws.ScriptAdd(*line));
  });
  c.Bind("ScriptEmpty", hasLines, [this, &ws] { SelectOnly(ws.ScriptAdd({})); });
  c.Bind("ScriptClone", lineFocused, [this, &ws] {
    const std::string source = ws.ScriptLineAt(FocusedRow());
    if (auto line = EditLine(Q(NewLineTitle), source)) SelectOnly(ws.ScriptAdd(*line));
  });
  c.Bind("ScriptEdit", lineFocused, [this, &ws] {
    const int row = FocusedRow();
    const std::string source = ws.ScriptLineAt(row);
    if (auto line = EditLine(QStringLiteral("Редактирование строки"), source))
      ws.ScriptReplace(row, *line);
  });
  c.Bind(
      "ScriptDel",
      [this, idle] {
        return idle() && list_->selectionModel() && list_->selectionModel()->hasSelection();
      },
      [this, &ws] {
        TBusyGuard busy(main_.Host());
        if (ws.ScriptDeleteRows(SelectedRows())) list_->clearSelection();
      });
  c.Bind("ScriptClr", hasLines, [this, &ws] {
    TBusyGuard busy(main_.Host());
    ws.ScriptClear();
  });
  c.Bind(
      "ScriptUp", [this, idle] { return idle() && FocusedRow() > 0; },
      [this, &ws] { SelectOnly(ws.ScriptMove(FocusedRow(), -1)); });
  c.Bind(
      "ScriptDown",
      [this, &ws, idle] {
        const int row = FocusedRow();
        return idle() && row >= 0 && row + 1 < ws.ScriptCount();
      },
      [this, &ws] { SelectOnly(ws.ScriptMove(FocusedRow(), +1)); });
  ws.OnScriptChanged = [this] { Refresh(true); };
  run_->BindCommands();
}

void TScriptPage::Refresh(bool force) {
  (void)force;
  // The cached rows may hold texts of a registry that changed since: always formatted anew.
  model_->Refresh(false);
  list_->setEnabled(!main_.Workspace().ScriptRunning());
  panels_[spLines]->setText(Q(main_.Workspace().ScriptCountText()));
}

std::vector<int> TScriptPage::SelectedRows() const {
  return kvarn::SelectedRows(list_);
}

int TScriptPage::FocusedRow() const {
  const QModelIndex i = list_->currentIndex();
  return i.isValid() && i.row() < main_.Workspace().ScriptCount() ? i.row() : -1;
}

bool TScriptPage::FocusedIsLine() const {
  const int row = FocusedRow();
  return row >= 0 && !ScriptLineIsSeparator(main_.Workspace().Script()[static_cast<size_t>(row)]);
}

void TScriptPage::SelectOnly(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  const QModelIndex index = model_->index(row, 0);
  list_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  list_->scrollTo(index);
}

void TScriptPage::RestoreState(const TWindowStateStore& st) {
  RestoreListLayout(list_, "lvScript", st);
}

void TScriptPage::SaveState(TWindowStateStore& st) const {
  SaveListLayout(list_, "lvScript", st);
}

}  // namespace kvarn
