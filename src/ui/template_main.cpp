#include "ui/template_main.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/lottery.h"
#include "core/text.h"
#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/form_config.h"
#include "ui/form_info.h"
#include "ui/form_proxy.h"
#include "ui/stats_page.h"
#include "ui/window_state.h"

namespace kvarn {

namespace {

const char* const RightCaptions[rtCount] = {"Статистика", "Графики", "Карта",   "Схема",
                                            "Неделя",     "Ставки",  "Рейтинг", "Регуляры",
                                            "Системы",    "Сценарий"};

// The switches that show or hide a right tab, with their setting.
struct TTabSwitch {
  const char* command;
  const char* key;
  TRightTab tab;
};
const TTabSwitch TabSwitches[] = {
    {"TabGraps", "TabGraphs", rtGraphs},  {"TabCard", "TabCard", rtCard},
    {"TabLayout", "TabLayout", rtLayout}, {"TabWeek", "TabWeek", rtWeek},
    {"TabTables", "TabTables", rtTables}, {"SystemsOn", "SystemsEnabled", rtSystems},
};

}  // namespace

TTemplateMain::TTemplateMain(TStartOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)), host_(this) {}

TTemplateMain::~TTemplateMain() {
  SaveWindowState();
  updateTimer_.stop();
  if (workspace_) {
    // The pages go before the workspace: nothing may call back into them.
    workspace_->OnCombsChanged = nullptr;
    workspace_->OnDrawsListChanged = nullptr;
    workspace_->OnViewsRefresh = nullptr;
    workspace_->OnPrefetchProgress = nullptr;
  }
  host_.OnBusyChanged = nullptr;
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
    host_.OnBusyChanged = [this] { UpdateCommands(); };
    BuildLayout();
    BuildStatusBar();
    BuildMenus();
    BindShellCommands();
    drawsPage_->BindCommands();
    combsPage_->BindCommands();
    statsPage_->BindCommands();
    BindInfoCommands(*this);
    workspace_->OnViewsRefresh = [this] { RefreshViews(); };
    setWindowTitle(LotteryCaption());
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
  drawsPage_ = new TDrawsPage(*this, DrawsColumns(), leftTabs_);
  combsPage_ = new TCombsPage(*this, CombsColumns(), leftTabs_);
  leftTabs_->addTab(drawsPage_, QStringLiteral("Архив тиражей"));
  leftTabs_->addTab(combsPage_, QStringLiteral("Комбинации"));
  leftTabs_->setMinimumWidth(200);

  rightTabs_ = new QTabWidget(splitter_);
  rightTabs_->setObjectName(QStringLiteral("pcRight"));
  for (int i = 0; i < rtCount; ++i) {
    rightCaptions_[i] = QString::fromUtf8(RightCaptions[i]);
    QWidget* page =
        i == rtStats ? (statsPage_ = new TStatsPage(*this, rightTabs_)) : new QWidget(rightTabs_);
    page->setObjectName(QStringLiteral("tab%1").arg(i));
    if (i == rtScript) {
      // The scenario tab has a status bar of its own.
      auto* v = new QVBoxLayout(page);
      v->setContentsMargins(0, 0, 0, 0);
      v->addStretch(1);
      auto* bar = new QStatusBar(page);
      bar->setSizeGripEnabled(false);
      for (const char* t : {"Строк: 0", "Цикл: 0", "Строка: 0", "Ставок: 0"}) {
        auto* l = new QLabel(QString::fromUtf8(t), bar);
        l->setMinimumWidth(100);
        bar->addWidget(l);
      }
      v->addWidget(bar);
    }
    rightPages_[i] = page;
    rightTabs_->addTab(page, rightCaptions_[i]);
  }
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

void TTemplateMain::BuildMenus() {
  // Items: a command name, "-" for a separator, ">Caption" opens a sub-menu, "<" closes it,
  // "=Command=Caption" puts a command in under another caption.
  auto build = [this](const char* title, std::initializer_list<const char*> items) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
    std::vector<QMenu*> stack{menu};
    for (const char* item : items) {
      std::string s = item;
      if (s == "-") {
        stack.back()->addSeparator();
      } else if (s[0] == '>') {
        stack.push_back(stack.back()->addMenu(Q(s.substr(1))));
      } else if (s == "<") {
        stack.pop_back();
      } else if (s[0] == '=') {
        size_t eq = s.find('=', 1);
        stack.back()->addAction(commands_->Alias(s.substr(1, eq - 1), Q(s.substr(eq + 1))));
      } else if (QAction* a = commands_->Action(s)) {
        stack.back()->addAction(a);
      }
    }
    return menu;
  };
  QMenu* file = build("Файл", {"EditConfig", "EditShredding", "EditProxy", "-"});
  // Languages: only the built-in one is installed.
  QMenu* lang = file->addMenu(QStringLiteral("Язык интерфейса"));
  auto* languages = new QActionGroup(this);
  auto* ru = lang->addAction(QStringLiteral("Русский"));
  ru->setCheckable(true);
  ru->setChecked(true);
  languages->addAction(ru);
  file->addSeparator();
  file->addAction(commands_->Action("ExitProgram"));

  build("Архив тиражей",
        {"DrawsInfo", "-", "DrawsDownload", ">Автозагрузка при запуске программы", "AutoDownload0",
         "AutoDownload1", "AutoDownload2", "<", "-", "DrawsImport", "DrawsExport", "DrawsXlsExport",
         "-", "DrawsAdd", "DrawsEdit", "DrawsDel", "-", "DrawsSorted"});
  build("Комбинации",
        {"CombsInfo", "CombsCheckNums", "CombsFindInDraws", "-", "CombsGen", "CombsDelExists",
         "CombsDelSelected", "-", "CombsCopy", "CombsPaste", "CombsSelectAll", "-", "CombsOpen",
         "CombsSave", "CombsUndo", "-", "CombsXlsExport"});
  build("Статистика", {"FiltersManager", "FiltersReset", "FiltersInfo", "-", "DrawsStatCalc",
                       "DrawsStatePrefetchsEnabled", "DrawsStatShowTotalLine", "-",
                       "DrawsStatExportToExcel", "-", "AnalyzeRepeats", "TotalSumCombs"});
  build("Ставки", {"StakeAdd",
                   "StakeAddRandom",
                   "StakeAddSelected",
                   "StakeAddAll",
                   "-",
                   "SystemStakeFilter",
                   "SystemStakeAll",
                   "-",
                   "StakeDel",
                   "StakeFilter",
                   "StakeClear",
                   "-",
                   "StakesGraphDraws",
                   "StakesXlsExport",
                   "-",
                   "StakesCheckManual",
                   "-",
                   "LogStakes",
                   "LogStakesDelete",
                   "-",
                   "StakesScroll",
                   "StakesCheckLine"});
  build("Рейтинг",
        {"StakesGraphOverlap", "StakesGraphProfits", "RatingsGraphOverlap",
         ">Эффективность (столбцы E0..n)", "RatingsEffMode0", "RatingsEffMode1", "RatingsEffMode2",
         "<", "-", "RatingsRefresh", "RatingsToScript", "-", "RatingsExport", "RatingsXlsExport"});
  build("Регуляры", {"TablesAdd", "TablesDel", "-", "TablesStakeAdd", "TablesStakeTest"});
  build("Системы", {"SystemsOn", "-", "SystemsDownload", "SystemsRefresh", "-", "SystemsAdd",
                    "SystemsProp", "SystemsDel"});
  QMenu* script =
      build("Сценарий", {"ScriptOpen", "ScriptSave", "-", ">Online-каталог сценариев", "<"});
  script->actions().last()->menu()->setEnabled(false);
  for (const char* n : {"-", "ScriptAdd", "ScriptEmpty", "ScriptLoad", "ScriptClone", "ScriptEdit",
                        "ScriptDel", "ScriptClr", "-", "ScriptUp", "ScriptDown", "-", "ScriptRun",
                        "ScriptTest", "ScriptStop", "-", "LogToggle", "LogsDelete"}) {
    if (std::string(n) == "-")
      script->addSeparator();
    else
      script->addAction(commands_->Action(n));
  }
  script->addAction(
      commands_->Alias("StakesCheckLine", QString::fromUtf8("Проверять ставки после каждой "
                                                            "строки сценария")));
  build("Вид", {"TabGraps", "TabCard", "TabLayout", "TabWeek", "TabTables",
                "=SystemsOn=Вкладка \"Системы\"", "-", "ViewColorDraws", "ViewColorCombs",
                "ViewColorCard", "ViewColorCardSequences", "ViewShemaGradient"});
  build("Справка", {"GetHelp", "About", "-", "AutoSelfUpdate", "CheckUpdate", "-", "OpenLotoSite",
                    "-", "urlMainSite", "urlBlog", "urlYT", "urlAuthText", "urlVK", "urlOK",
                    "urlAuthSite", "urlTG"});

  // Radio groups.
  for (auto group :
       {std::vector<const char*>{"AutoDownload0", "AutoDownload1", "AutoDownload2"},
        std::vector<const char*>{"RatingsEffMode0", "RatingsEffMode1", "RatingsEffMode2"}}) {
    auto* g = new QActionGroup(this);
    for (const char* n : group) g->addAction(commands_->Action(n));
  }
  // Shared keys: the command that acts on a selection wins while it is enabled.
  commands_->ShareShortcut({"StatFilter_Include", "FiltersManager"});
  commands_->ShareShortcut({"StatFilter_Exclude", "FiltersReset"});
  commands_->ShareShortcut({"StakeAddSelected", "ExitProgram"});
  commands_->ShareShortcut({"ScriptOpen", "SystemsOn"});
  // Commands that several lists share a shortcut with act only where their list has the focus.
  for (const char* n : {"CombsDelSelected", "StakeDel", "ScriptDel"})
    commands_->Action(n)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  combsPage_->addAction(commands_->Action("CombsDelSelected"));
  // The editing keys select, copy and paste in the list that has the focus, never in another
  // page's list.
  for (const char* n : {"CombsSelectAll", "CombsCopy", "CombsPaste"}) {
    commands_->Action(n)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    combsPage_->addAction(commands_->Action(n));
  }
  // Window-wide shortcuts of commands that no menu holds.
  for (const char* n : {"StatFilter_Include", "StatFilter_Exclude"})
    rightPages_[rtStats]->addAction(commands_->Action(n));
}

void TTemplateMain::BindViewSwitch(const char* command, const char* key, bool def,
                                   std::function<void(bool)> apply) {
  std::string k = key;
  commands_->Bind(
      command, [] { return true; },
      [this, k, def, apply] {
        auto& st = state_;
        bool v = !st.Bool(k, def);
        st.SetBool(k, v);
        if (apply) apply(v);
      },
      [this, k, def] { return state_.Bool(k, def); });
}

void TTemplateMain::BindShellCommands() {
  auto& c = *commands_;
  c.Bind(
      "ExitProgram", [] { return true; }, [this] { close(); });
  c.Bind(
      "EditConfig", [] { return true; },
      [this] {
        TFormConfig dlg(host_, workspace_->Config(), this);
        if (dlg.exec() != QDialog::Accepted) return;
        TBusyGuard busy(host_);
        workspace_->ConfigApply(dlg.Result());
        RepaintLists();
        statsPage_->Compute(true);
      });
  c.Bind(
      "EditProxy", [] { return true; },
      [this] {
        TFormProxy dlg(workspace_->Settings().Proxy, this);
        if (dlg.exec() == QDialog::Accepted) workspace_->ProxySettingsApply(dlg.Entered());
      });
  c.Bind(
      "About", [] { return true; },
      [this] {
        ShowInfo(host_, S(LotteryCaption()) + "\r\rСтатистический анализ тиражей лотереи.");
      });
  for (const auto& t : TabSwitches) {
    TRightTab tab = t.tab;
    BindViewSwitch(t.command, t.key, true, [this, tab](bool on) {
      rightTabs_->setTabVisible(tab, on);
      if (on && (tab == rtCard || tab == rtTables)) rightTabs_->setCurrentIndex(tab);
    });
  }
  BindViewSwitch("ViewColorDraws", "ColorDraws", true, [this](bool) { drawsPage_->Repaint(); });
  BindViewSwitch("ViewColorCombs", "ColorCombs", true, [this](bool) { combsPage_->Repaint(); });
  BindViewSwitch("ViewColorCard", "ColorCard", true);
  BindViewSwitch("ViewColorCardSequences", "ColorCardSequences", true);
  BindViewSwitch("ViewShemaGradient", "LayoutGradient", true);
  BindViewSwitch("ViewWeekChartMode", "WeekChartMode", false);
  BindViewSwitch("ViewWeekChartType", "WeekChartType", false);
  BindViewSwitch("StakesScroll", "StakesScrollEnabled", true);
  BindViewSwitch("StakesCheckLine", "StakesCheckOnLine", true);
  BindViewSwitch("LogToggle", "ScriptLogEnabled", false);
  BindViewSwitch("DrawsStatePrefetchsEnabled", "PrefetchsEnabled", false);
  BindViewSwitch("DrawsStatShowTotalLine", "ShowTotalLine", true);
  BindViewSwitch("AutoSelfUpdate", "AutoUpdates", true);
  // Radio switches store one integer.
  auto radio = [this](const char* command, const char* key, int value, int def) {
    std::string k = key;
    commands_->Bind(
        command, [] { return true; }, [this, k, value] { state_.SetInt(k, value); },
        [this, k, value, def] { return state_.Int(k, def) == value; });
  };
  for (int i = 0; i < 3; ++i) {
    radio(StrFormat("RatingsEffMode%d", i).c_str(), "RatingsEffMode", i, 1);
    commands_->Bind(
        StrFormat("AutoDownload%d", i), [] { return true; },
        [this, i] { workspace_->SetDownloadOnStart(i); },
        [this, i] { return workspace_->WindowState().DownloadDrawsOnStart == i; });
  }
  c.Bind(
      "OpenLotoSite", [this] { return !Trim(workspace_->Settings().Download.Host).empty(); },
      [this] {
        std::string host(Trim(workspace_->Settings().Download.Host));
        if (host.find("://") == std::string::npos) host = "https://" + host;
        QDesktopServices::openUrl(QUrl(Q(host)));
      });
  c.Bind(
      "DrawsDownload", [] { return true; }, [this] { DownloadDraws(); });
  const QString csvFilter = QStringLiteral("Файлы тиражей (*.csv)");
  c.Bind(
      "DrawsImport", [] { return true; },
      [this, csvFilter] {
        QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Импорт из CSV-файла"),
                                                    QString(), csvFilter);
        if (!path.isEmpty()) workspace_->DrawsImport(S(path));
      });
  c.Bind(
      "DrawsExport", [this] { return workspace_->DrawsCount() > 0; },
      [this, csvFilter] {
        QFileDialog dlg(this, QStringLiteral("Экспорт в CSV-файл"), QString(), csvFilter);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(QStringLiteral("csv"));
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
          workspace_->DrawsExport(S(dlg.selectedFiles().first()));
      });
  // The stop of a running scenario stays usable while busy; no scenario runs yet.
  c.IgnoreBusy("ScriptStop");
}

void TTemplateMain::ApplyTabSwitches() {
  auto& st = state_;
  for (const auto& t : TabSwitches) rightTabs_->setTabVisible(t.tab, st.Bool(t.key, true));
}

void TTemplateMain::RestoreWindowState() {
  auto& st = state_;
  // The designed width, widened when the font needs more room for the draws list's columns.
  int design = std::max(LeftPanelDesignWidth(), drawsPage_->NeededWidth());
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
  drawsPage_->RestoreState(st);
  combsPage_->RestoreState(st);
  statsPage_->RestoreState(st);
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
    drawsPage_->SaveState(st);
    combsPage_->SaveState(st);
    statsPage_->SaveState(st);
    st.EndBatch();
  } catch (const std::exception& e) {
    state_.EndBatch();
    ShowError(host_, e.what());
  }
}

void TTemplateMain::UpdateCommands() {
  if (commands_) commands_->UpdateAll();
}

void TTemplateMain::RefreshViews() {
  // The graph, card, layout and week views refresh here once they exist. A view refreshes only
  // while its tab is shown; the statistics table only when its inputs changed.
  if (statsPage_ && rightTabs_->currentIndex() == rtStats) statsPage_->Compute(false);
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
    // The locked stakes file guards the data directory: a second instance ends here.
    if (!ws.OpenStakesFileExclusive()) {
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
    combsPage_->Refresh(true);
    RefreshViews();
    statsPage_->Compute(true);
    const TStartSwitches& sw = options_.switches;
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
  drawsPage_->Repaint();
  combsPage_->Repaint();
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
    return;
  }
  SaveWindowState();
  e->accept();
}

}  // namespace kvarn
