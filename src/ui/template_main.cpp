#include "ui/template_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/help_book.h"
#include "core/lottery.h"
#include "core/text.h"
#include "ui/analysis_windows.h"
#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/form_help.h"
#include "ui/form_info.h"
#include "ui/program_icon.h"
#include "ui/shared_keys.h"
#include "ui/window_state.h"

namespace kvarn {

TTemplateMain::TTemplateMain(TStartOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)), host_(this, options_.messageHook) {}

TTemplateMain::~TTemplateMain() {
  SaveWindowState();
  // The help window reads the book, which goes with the members.
  delete helpWindow_;
  updateTimer_.stop();
  if (workspace_) {
    // The pages go before the workspace: nothing may call back into them.
    workspace_->OnCombsChanged = nullptr;
    workspace_->OnDrawsListChanged = nullptr;
    workspace_->OnViewsRefresh = nullptr;
    workspace_->OnPrefetchProgress = nullptr;
    workspace_->OnStakesGridChanged = nullptr;
    workspace_->OnRatingsListChanged = nullptr;
    workspace_->StakesClose();
  }
  host_.OnBusyChanged = nullptr;
  // The key filter watches the application's events; it goes before the pages it points to.
  delete keys_;
  keys_ = nullptr;
  host_.SetPanels({});
  // Pages refer to the workspace; they go first.
  delete takeCentralWidget();
}

void TTemplateMain::Create() {
  try {
    // The workspace seeds its random generator and starts with empty lists.
    workspace_ = std::make_unique<TWorkspace>(host_, options_.dataDir);
    wsPtr_ = workspace_.get();
    commands_ = new TCommandList(this, host_);
    commands_->AddAll(MainCommandTable());
    host_.OnBusyChanged = [this] { BusyChanged(); };
    BuildLayout();
    BuildStatusBar();
    BuildMenus();
    ShareKeys();
    BindShellCommands();
    for (TPage* page : pages_) page->BindCommands();
    BindInfoCommands(*this);
    BindAnalysisWindows(*this);
    workspace_->OnViewsRefresh = [this] { RefreshViews(); };
    setWindowTitle(LotteryCaption());
    setWindowIcon(ProgramIcon());
    // A restarted program waits for the previous instance to end.
    if (options_.switches.restart && !WaitForOtherInstances()) {
      QTimer::singleShot(0, this, [this] { RequestEnd(); });
      return;
    }
    // The window state (switches, sizes, placement), then the configuration.
    workspace_->SettingsLoad();
    settingsLoaded_ = true;
    ApplyTabSwitches();
    RestoreWindowState();
    connect(&updateTimer_, &QTimer::timeout, this, &TTemplateMain::UpdateCommands);
    updateTimer_.start(200);
    if (options_.autoInit)
      QTimer::singleShot(100, this, [this] {
        if (!Initialize()) RequestEnd();
      });
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка запуска программы!\r\r%s", e.what()));
  }
  UpdateCommands();
}

void TTemplateMain::BuildLayout() {
  auto* central = new QWidget(this);
  auto* lay = new QVBoxLayout(central);
  lay->setContentsMargins(2, 2, 2, 2);
  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setObjectName(QStringLiteral("splitter"));
  splitter_->setChildrenCollapsible(false);
  lay->addWidget(splitter_);

  leftTabs_ = new QTabWidget(splitter_);
  leftTabs_->setObjectName(QStringLiteral("pcLeft"));
  auto* draws = new TDrawsPage(*this, DrawsColumns(), leftTabs_);
  auto* combs = new TCombsPage(*this, CombsColumns(), leftTabs_);
  leftTabs_->addTab(draws, QStringLiteral("Архив тиражей"));
  leftTabs_->addTab(combs, QStringLiteral("Комбинации"));
  leftTabs_->setMinimumWidth(200);
  pages_ = {draws, combs};

  rightTabs_ = new QTabWidget(splitter_);
  rightTabs_->setObjectName(QStringLiteral("pcRight"));
  for (const TRightPage& line : RightPages()) {
    TPage* page = line.make(*this, rightTabs_);
    page->setObjectName(QStringLiteral("tab%1").arg(rightTabs_->count()));
    rightTabs_->addTab(page, QString::fromUtf8(line.caption));
    rightPages_.push_back(page);
    pages_.push_back(page);
  }
  // A page shown anew refreshes when its inputs changed meanwhile.
  connect(rightTabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    if (tab >= 0 && static_cast<size_t>(tab) < rightPages_.size())
      rightPages_[static_cast<size_t>(tab)]->Refresh(false);
  });
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({LeftPanelDesignWidth(), 1000});
  setCentralWidget(central);
  resize(1200, 760);
}

void TTemplateMain::BuildStatusBar() {
  struct TPanel {
    const char* text;
    int width;
  };
  const TPanel panels[spCount] = {
      {"Архив тиражей: 0", 150}, {"Следующий тираж: 0", 180}, {"", 130}, {"Комбинаций: 0", 150},
      {"Ставок: 0", 120},        {"Рейтинг: 0", 125},         {"", 50}};
  std::vector<QLabel*> labels;
  for (int i = 0; i < spCount; ++i) {
    auto* l = new QLabel(QString::fromUtf8(panels[i].text), statusBar());
    l->setObjectName(QStringLiteral("panel%1").arg(i));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(panels[i].width);
    if (i < spCount - 1) l->setMaximumWidth(panels[i].width);
    if (i == spResult) l->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(l, i == spCount - 1 ? 1 : 0);
    labels.push_back(l);
  }
  host_.SetPanels(std::move(labels));
}

void TTemplateMain::ApplyTabSwitches() {
  auto& st = state_;
  for (const TTabSwitch& t : RightTabSwitches())
    rightTabs_->setTabVisible(t.tab, st.Bool(t.key, true));
  ShowSystemStakes(st.Bool("SystemsEnabled", true));
}

void TTemplateMain::ShowSystemStakes(bool shown) {
  for (const char* name : {"SystemStakeAll", "SystemStakeFilter"})
    if (QAction* a = commands_->Action(name)) a->setVisible(shown);
}

void TTemplateMain::RestoreWindowState() {
  auto& st = state_;
  // The designed width, widened when the font needs more room for the draws list's columns.
  int design = std::max(LeftPanelDesignWidth(), Page<TDrawsPage>().NeededWidth());
  int left = workspace_->WindowStateReadInt("LeftPanelWidth", design);
  if (left < 150) left = design;
  splitter_->setSizes({left, std::max(400, width() - left)});
  // The placement stored for this screen size wins over the general one.
  std::string pos = st.Text("NormPos" + ScreenSuffix(), st.Text("NormPos", ""));
  // Left, top, right, bottom of the normal (not maximised) window.
  int l = 0, t = 0, r = 0, b = 0;
  if (std::sscanf(pos.c_str(), "%d,%d,%d,%d", &l, &t, &r, &b) == 4 && r - l > 200 && b - t > 150)
    setGeometry(l, t, r - l, b - t);
  if (st.Int("ShowCmd", 1) == 3) setWindowState(Qt::WindowMaximized);
  for (TPage* page : pages_) page->RestoreState(st);
}

void TTemplateMain::SaveWindowState() {
  // Only a window that read the state writes it back: one that ended before (a restart that
  // timed out, a failed creation) would overwrite the stored layout with its defaults.
  if (stateSaved_ || !settingsLoaded_ || !workspace_ || !splitter_) return;
  stateSaved_ = true;
  try {
    auto& st = state_;
    st.BeginBatch();
    st.SetInt("LeftPanelWidth", splitter_->sizes().value(0));
    QRect g = normalGeometry();
    std::string norm =
        StrFormat("%d,%d,%d,%d", g.x(), g.y(), g.x() + g.width(), g.y() + g.height());
    st.SetInt("Flags", 0);
    st.SetInt("ShowCmd", isMaximized() ? 3 : 1);
    st.SetText("NormPos", norm);
    st.SetText("NormPos" + ScreenSuffix(), norm);
    st.SetText("MinMaxPos", "-1,-1,-1,-1");
    st.SetInt("PixelsPerInch", logicalDpiY());
    for (TPage* page : pages_) page->SaveState(st);
    st.EndBatch();
  } catch (const std::exception& e) {
    state_.EndBatch();
    ShowError(host_, e.what());
  }
}

void TTemplateMain::UpdateCommands() {
  if (commands_) commands_->UpdateAll();
}

void TTemplateMain::RefreshViews(bool force) {
  for (TPage* page : rightPages_) page->Refresh(force);
}

bool TTemplateMain::IsPageShown(const TPage* page) const {
  return (rightTabs_ && rightTabs_->currentWidget() == page) ||
         (leftTabs_ && leftTabs_->currentWidget() == page);
}

std::string TTemplateMain::ScreenSuffix() const {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return {};
  return StrFormat("_%dx%d", screen->size().width(), screen->size().height());
}

bool TTemplateMain::Initialize() {
  if (initialized_) return !endRequested_;
  initialized_ = true;
  TWorkspace& ws = *workspace_;
  try {
    {
      TBusyGuard busy(host_);
      TProgressText progress(host_, "Инициализация...");
      ws.CombsReserve();
    }
    ws.SetDrawsOffset(0);
    // The data directory's lock and the locked stakes file guard the data directory: a second
    // instance ends here, and kvarn-cli changes nothing while the window runs.
    if (!ws.OpenDataDirExclusive()) {
      // The files belong to the running instance: the refused one writes nothing, not even its
      // window state.
      stateSaved_ = true;
      return false;
    }
    ws.DrawsLoad();
    // A missing draws file loads nothing; the panels still show the empty archive's state
    // (next draw 1) instead of their initial texts.
    ws.DrawsRefreshList(true);
    ws.CombsStartup();
    Page<TCombsPage>().Refresh(true);
    ws.ScriptStartup();
    RefreshViews(true);
    ws.RatingsLoad();
    ws.TabTables(ws.WindowState().TabTables);
    const TStartSwitches& sw = options_.switches;
    // The systems are listed on a normal start only.
    if (!sw.Maintenance()) ws.SystemsOn(ws.WindowState().SystemsEnabled);
    if (sw.loadOnly) {
      DownloadDraws();
      if (!sw.fullRecreate && !sw.fullRefresh) return false;
    }
    // The full-set comparison files: rebuilt, or the missing ones built; a maintenance run ends
    // after that step.
    if (ws.PrefetchStartup(sw.fullRecreate, sw.fullRefresh)) return false;
    // A normal start offers (or performs) the download of new draws.
    if (!sw.Maintenance()) {
      workspace_->DrawsDownloadOnStart();
      if (workspace_->WindowState().FirstRun) ShowStartHelp();
    }
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка инициализации программы!\r\r%s", e.what()));
  }
  UpdateCommands();
  return true;
}

void TTemplateMain::ShowStartHelp() {
  QMessageBox box(
      QMessageBox::Information, QStringLiteral("Справочная информация"),
      QStringLiteral("Слева — архив тиражей и список комбинаций, справа — вкладки анализа.\n\n"
                     "Выберите статистику на вкладке \"Статистика\", выделите строки таблицы и "
                     "оставьте или удалите соответствующие комбинации. \"Смещение назад\" "
                     "переносит анализ на прошлые тиражи, чтобы сравнить прогноз с тем, что "
                     "выпало на самом деле.\n\nПараметры программы — меню \"Файл\"."),
      QMessageBox::Ok, this);
  auto* again = new QCheckBox(QStringLiteral("Больше не показывать данный диалог"), &box);
  box.setCheckBox(again);
  box.exec();
  if (again->isChecked()) state_.SetBool("FirstRun", false);
}

void TTemplateMain::SaveGenerateParameters(int mode, const std::string& parameters, bool save) {
  if (!save) return;
  workspace_->Settings().Generate.Mode = mode;
  workspace_->Settings().Generate.Parameters = parameters;
  workspace_->ConfigSaveGenerate();
}

void TTemplateMain::RepaintLists() {
  Page<TDrawsPage>().Repaint();
  Page<TCombsPage>().Repaint();
}

void TTemplateMain::RequestEnd() {
  endRequested_ = true;
  emit EndProgram();
}

void TTemplateMain::closeEvent(QCloseEvent* e) {
  // A long operation still runs below the event loop that delivered the close request; the
  // window must outlive it.
  if (host_.BusyCount() > 0) {
    e->ignore();
    if (runningStop_) {
      if (AskConfirm(host_, "Прервать выполняемую операцию и закрыть программу?", true)) {
        closeWhenIdle_ = true;
        runningStop_();
      }
    } else {
      ShowWarning(host_,
                  "Программа будет доступна для закрытия после завершения выполняемой "
                  "операции.\r\rДождитесь ее окончания.");
    }
    return;
  }
  SaveWindowState();
  e->accept();
}

void TTemplateMain::BusyChanged() {
  UpdateCommands();
  // A close that waited for a stopped operation goes on once the program is idle again.
  if (closeWhenIdle_ && host_.BusyCount() == 0) {
    closeWhenIdle_ = false;
    QTimer::singleShot(0, this, &QWidget::close);
  }
}

}  // namespace kvarn
