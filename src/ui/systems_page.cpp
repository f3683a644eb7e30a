#include "ui/systems_page.h"

#include <QFileDialog>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "ui/form_multi.h"
#include "ui/list_view.h"
#include "ui/qt_host.h"
#include "ui/template_main.h"
#include "ui/window_state.h"

namespace kvarn {

const char* const SystemsCatalogueMissing =
    "Online-каталог систем недоступен: системы добавляются и импортируются на этом компьютере";

namespace {
// The commands of the buttons, in their order; the catalogue's ones have no handler.
const char* const kButtons[] = {"SystemsDownload", "SystemsRefresh", "SystemsAdd", "SystemsImport",
                                "SystemsProp",     "SystemsPublish", "SystemsDel"};
const char* const kCatalogue[] = {"SystemsDownload", "SystemsPublish", "SystemsDel"};
}  // namespace

TSystemsPage::TSystemsPage(TTemplateMain& main, QWidget* parent) : TPage(main, parent) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvSystems"));
  model_ = new TSystemsModel(main_.Workspace(), this);
  list_->setModel(model_);
  SetupListView(list_, {250, 60, 50, 90, 140});
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  v->addWidget(list_, 1);
  connect(list_, &QTableView::doubleClicked, this,
          [this] { main_.Commands().Execute("SystemsProp"); });
}

void TSystemsPage::BindCommands() {
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  // A tool bar keeps the tab as narrow as the window wants: what does not fit folds away.
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("tbSystems"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : kButtons) bar->addAction(c.Action(name));
  static_cast<QVBoxLayout*>(layout())->addWidget(bar);
  for (const char* name : kCatalogue) c.Action(name)->setToolTip(Q(SystemsCatalogueMissing));
  c.AddToWidget(list_, {"SystemsRefresh", nullptr, "SystemsAdd", "SystemsImport", "SystemsProp",
                        nullptr, "SystemsDownload", "SystemsPublish", "SystemsDel"});

  c.Bind(
      "SystemsRefresh", [&ws] { return ws.SystemsShown(); }, [&ws] { ws.SystemsLoad(); });
  c.Bind(
      "SystemsAdd", [&ws] { return ws.SystemsShown(); },
      [this, &ws] { EditSystem(TFormSystem::TMode::Add, ws.SystemsNew(), {}); });
  c.Bind(
      "SystemsImport", [&ws] { return ws.SystemsShown(); },
      [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Импорт системы"), QString(),
            QStringLiteral("Файлы систем (*.dat *.txt);;Все файлы (*)"));
        if (!path.isEmpty()) ImportFile(path);
      });
  c.Bind(
      "SystemsProp", [this, &ws] { return ws.SystemsShown() && FocusedSystem() >= 0; },
      [this] { ShowProperties(); });
  auto canPlay = [&ws] {
    return ws.SystemsShown() && ws.StakesFileOpen() && ws.Combs().Count() > 0;
  };
  c.Bind("SystemStakeAll", canPlay, [this] { PlaySystem(TSystemPlayMode::All); });
  c.Bind("SystemStakeFilter", canPlay, [this] { PlaySystem(TSystemPlayMode::Combs); });
  ws.OnSystemsChanged = [this] { model_->Refresh(); };
  model_->Refresh();
}

int TSystemsPage::FocusedSystem() const {
  const QModelIndex i = list_->currentIndex();
  const int n = static_cast<int>(main_.Workspace().Systems().size());
  return i.isValid() && i.row() < n ? i.row() : -1;
}

void TSystemsPage::ImportFile(const QString& path) {
  tSystemData data;
  if (main_.Workspace().SystemsImport(S(path), data)) EditSystem(TFormSystem::TMode::Add, data, {});
}

void TSystemsPage::ShowProperties() {
  TWorkspace& ws = main_.Workspace();
  const int index = FocusedSystem();
  if (index < 0) return;
  const TStoredSystem stored = ws.Systems()[static_cast<size_t>(index)];
  tSystemData data;
  if (!RunShown(main_.Host(), [&] { data = SystemLoad(stored); })) return;
  // Systems made here have no owner: they are one's own and may be changed.
  const bool own = stored.Info.Owner.empty();
  EditSystem(own ? TFormSystem::TMode::Edit : TFormSystem::TMode::View, data, stored.FileName);
}

void TSystemsPage::EditSystem(TFormSystem::TMode mode, const tSystemData& data,
                              const std::string& replaces) {
  TWorkspace& ws = main_.Workspace();
  TFormSystem dlg(
      main_.Host(), mode, data,
      [&ws](const std::string& path, tSystemData& read) { return ws.SystemsImport(path, read); },
      this);
  if (dlg.exec() != QDialog::Accepted || mode == TFormSystem::TMode::View) return;
  if (mode == TFormSystem::TMode::Add)
    ws.SystemsAdd(dlg.Result());
  else
    ws.SystemsChange(dlg.Result(), replaces);
}

void TSystemsPage::PlaySystem(TSystemPlayMode mode) {
  TWorkspace& ws = main_.Workspace();
  TSystemFind found;
  std::string comment;
  if (!ws.SystemStakePrepare(mode, found, comment)) return;
  // The stakes are the system's combinations: the dialog takes their draws and comment only.
  TFormMulti dlg(main_.Host(), ws.DrawsNextNumber(ws.DrawsOffset()), 1, comment, this);
  // Wide enough for the whole description with the system's file name.
  dlg.resize(std::max(dlg.width(), 460), dlg.height());
  if (dlg.exec() != QDialog::Accepted) return;
  ws.SystemStakePlay(mode, found, dlg.DrawNumber(), dlg.Draws(), dlg.Comment());
}

void TSystemsPage::RestoreState(const TWindowStateStore& st) {
  RestoreListLayout(list_, "lvSystems", st);
}

void TSystemsPage::SaveState(TWindowStateStore& st) const {
  SaveListLayout(list_, "lvSystems", st);
}

}  // namespace kvarn
