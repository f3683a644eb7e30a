// The menus of the main window and the keys that several commands share.
#include <QActionGroup>
#include <QMenuBar>

#include "ui/combs_page.h"
#include "ui/shared_keys.h"
#include "ui/stats_page.h"
#include "ui/template_main.h"

namespace kvarn {

QAction* TTemplateMain::MenuAction(const std::string& name) {
  QAction* a = commands_->Action(name);
  if (!a) unknownCommands_.push_back(name);
  return a;
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
        const size_t eq = s.find('=', 1);
        const std::string name = s.substr(1, eq - 1);
        if (QAction* a = commands_->Alias(name, Q(s.substr(eq + 1))))
          stack.back()->addAction(a);
        else
          unknownCommands_.push_back(name);
      } else if (QAction* a = MenuAction(s)) {
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
  if (QAction* exit = MenuAction("ExitProgram")) file->addAction(exit);

  build("Архив тиражей",
        {"DrawsInfo", "-", "DrawsDownload", ">Автозагрузка при запуске программы", "AutoDownload0",
         "AutoDownload1", "AutoDownload2", "<", "-", "DrawsImport", "DrawsExport", "DrawsXlsExport",
         "-", "DrawsAdd", "DrawsEdit", "DrawsDel", "-", "DrawsSorted"});
  build("Комбинации",
        {"CombsInfo", "CombsCheckNums", "CombsFindInDraws", "-", "CombsGen", "CombsDelExists",
         "CombsDelSelected", "-", "CombsCopy", "CombsPaste", "CombsSelectAll", "-", "CombsOpen",
         "CombsSave", "CombsUndo", "-", "CombsXlsExport"});
  build("Статистика",
        {"FiltersManager", "FiltersReset", "FiltersInfo", "-", "DrawsStatCalc",
         "DrawsStatePrefetchsEnabled", "DrawsStatShowTotalLine", "-", "StatFilterTest",
         "StatValueSearch", "-", "DrawsStatExportToExcel", "-", "AnalyzeRepeats", "TotalSumCombs"});
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
  build("Рейтинг", {"StakesGraphOverlap", "StakesGraphProfits", "RatingsGraphOverlap",
                    ">Эффективность (столбцы E0..n)", "RatingsEffMode0", "RatingsEffMode1",
                    "RatingsEffMode2", "<", "-", "RatingsChanceTest", "-", "RatingsRefresh",
                    "RatingsToScript", "-", "RatingsExport", "RatingsXlsExport"});
  build("Регуляры", {"TablesAdd", "TablesDel", "-", "TablesStakeAdd", "TablesStakeTest"});
  QMenu* systems =
      build("Системы", {"SystemsOn", "-", "SystemsDownload", "SystemsRefresh", "-", "SystemsAdd",
                        "SystemsImport", "SystemsProp", "-", "SystemsPublish", "SystemsDel"});
  // The disabled catalogue commands say why.
  systems->setToolTipsVisible(true);
  QMenu* script = build(
      "Сценарий", {"ScriptOpen", "ScriptSave",
                   "-",          ">Online-каталог сценариев",
                   "<",          "-",
                   "ScriptAdd",  "ScriptEmpty",
                   "ScriptLoad", "ScriptClone",
                   "ScriptEdit", "ScriptDel",
                   "ScriptClr",  "-",
                   "ScriptUp",   "ScriptDown",
                   "-",          "ScriptRun",
                   "ScriptTest", "ScriptStop",
                   "-",          "LogToggle",
                   "LogsDelete", "=StakesCheckLine=Проверять ставки после каждой строки сценария"});
  // The online catalogue is not offered.
  for (QAction* a : script->actions())
    if (a->menu() && a->text() == QStringLiteral("Online-каталог сценариев"))
      a->menu()->setEnabled(false);
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
    for (const char* n : group)
      if (QAction* a = MenuAction(n)) g->addAction(a);
  }
  // The editing keys select, copy and paste in the list that has the focus, never in another
  // page's list.
  auto& combs = Page<TCombsPage>();
  for (const char* n : {"CombsSelectAll", "CombsCopy", "CombsPaste"})
    if (QAction* a = MenuAction(n)) {
      a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
      combs.addAction(a);
    }
}

void TTemplateMain::ShareKeys() {
  keys_ = new TSharedKeys(this, *commands_);
  QWidget* statsTable = Page<TStatsPage>().Table();
  keys_->Share({{"StatFilter_Include", statsTable}, {"FiltersManager"}});
  keys_->Share({{"StatFilter_Exclude", statsTable}, {"FiltersReset"}});
  keys_->Share({{"StakeAddSelected", Page<TCombsPage>().List()}, {"ExitProgram"}});
  keys_->Share({{"ScriptOpen", RightPage(rtScript)}, {"SystemsOn"}});
  keys_->Share({{"CombsDelSelected", &Page<TCombsPage>()},
                {"StakeDel", RightPage(rtStakes)},
                {"ScriptDel", RightPage(rtScript)}});
}

std::string TTemplateMain::SharedKeyCommand(const QKeySequence& key, const QWidget* focus) const {
  return keys_ ? keys_->Resolve(key, focus) : std::string();
}

}  // namespace kvarn
