#include "ui/script_run_control.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QItemSelection>
#include <QTableView>
#include <QUrl>

#include "scenario/script_run_texts.h"
#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/stats_page.h"
#include "ui/template_main.h"

namespace kvarn {

TScriptRunControl::TScriptRunControl(TTemplateMain& main, THooks hooks, QObject* parent)
    : QObject(parent), main_(main), hooks_(std::move(hooks)), runner_(main.Workspace()) {
  runner_.OnRunChanged = [this] { RunChanged(); };
  runner_.OnPanel = [this](TScriptPanel panel, const std::string& text) {
    if (hooks_.Panel) hooks_.Panel(panel, QString::fromStdString(text));
  };
  runner_.OnLine = [this](int line, bool selected) {
    if (hooks_.SelectLine) hooks_.SelectLine(line, selected);
  };
  runner_.OnStatsChanged = [this] { main_.Page<TStatsPage>().FollowWorkspace(); };
  runner_.OnStatSelection = [this](const std::vector<int>& rows) { ShowStatSelection(rows); };
  runner_.OnOpenLog = [this](const std::string& path) {
    if (OpenLog)
      OpenLog(path);
    else
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  };
}

void TScriptRunControl::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  auto canRun = [this] { return hooks_.Lines && runner_.CanRun(hooks_.Lines()); };
  c.Bind("ScriptRun", canRun, [this] { runner_.Forecast(hooks_.Lines()); });
  c.Bind("ScriptTest", canRun, [this] {
    const std::optional<int> count =
        AskCount ? AskCount(runner_.TestCountMax()) : AskCountDialog(runner_.TestCountMax());
    if (count) runner_.Test(hooks_.Lines(), *count);
  });
  c.Bind(
      "ScriptStop", [this] { return runner_.CanStop(); },
      [this] {
        if (AskConfirm(main_.Host(), ScriptStopQuestion, false)) runner_.RequestStop();
      });
  c.Bind(
      "LogsDelete", [this] { return !runner_.Running(); }, [this] { runner_.LogsDelete(); });
  (void)ws;
}

void TScriptRunControl::RunChanged() {
  const bool running = runner_.Running();
  // The tabs whose input a run drives stay visible but take no input.
  main_.Page<TDrawsPage>().setEnabled(!running);
  main_.Page<TCombsPage>().setEnabled(!running);
  main_.Page<TStatsPage>().setEnabled(!running);
  if (hooks_.List) hooks_.List->setEnabled(!running);
  if (running)
    main_.SetRunningStop([this] { runner_.RequestStop(); });
  else
    main_.SetRunningStop({});
  main_.UpdateCommands();
}

void TScriptRunControl::ShowStatSelection(const std::vector<int>& rows) {
  QTableView* table = main_.Page<TStatsPage>().Table();
  QItemSelectionModel* sel = table->selectionModel();
  if (!sel) return;
  if (rows.empty()) {
    sel->clearSelection();
    return;
  }
  QItemSelection s;
  const int last = table->model()->columnCount() - 1;
  for (int r : rows) s.select(table->model()->index(r, 0), table->model()->index(r, last));
  sel->select(s, QItemSelectionModel::ClearAndSelect);
  if (rows.size() == 1) {
    sel->setCurrentIndex(table->model()->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
    table->scrollTo(table->model()->index(rows.front(), 0));
  }
}

std::optional<int> TScriptRunControl::AskCountDialog(int max) {
  QInputDialog dialog(&main_);
  dialog.setWindowTitle(QString::fromUtf8(ScriptTestCountTitle));
  dialog.setLabelText(QString::fromUtf8(ScriptTestCountPrompt));
  dialog.setInputMode(QInputDialog::IntInput);
  dialog.setIntRange(1, std::max(1, max));
  dialog.setIntValue(std::min(ScriptTestCountDefault, std::max(1, max)));
  dialog.setToolTip(QString::fromUtf8(ScriptTestCountHint));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.intValue();
}

}  // namespace kvarn
