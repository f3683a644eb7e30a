// Adding a right-hand tab: a page class and its line here.
#include "ui/right_pages.h"

#include "ui/card_page.h"
#include "ui/graphs_page.h"
#include "ui/layout_page.h"
#include "ui/ratings_page.h"
#include "ui/regulars_page.h"
#include "ui/script_page.h"
#include "ui/stakes_page.h"
#include "ui/stats_page.h"
#include "ui/systems_page.h"
#include "ui/week_page.h"

namespace kvarn {

const std::vector<TRightPage>& RightPages() {
  static const std::vector<TRightPage> pages = {
      {"Статистика", MakePage<TStatsPage>},
      {"Графики", MakePage<TGraphsPage>},
      {"Карта", MakePage<TCardPage>},
      {"Схема", MakePage<TLayoutPage>},
      {"Неделя", MakePage<TWeekPage>},
      {"Ставки", MakePage<TStakesPage>},
      {"Рейтинг", MakePage<TRatingsPage>},
      {"Регуляры", MakePage<TRegularsPage>},
      {"Системы", MakePage<TSystemsPage>},
      {"Сценарий", MakePage<TScriptPage>},
  };
  return pages;
}

const std::vector<TTabSwitch>& RightTabSwitches() {
  static const std::vector<TTabSwitch> switches = {
      {"TabGraps", "TabGraphs", rtGraphs},  {"TabCard", "TabCard", rtCard},
      {"TabLayout", "TabLayout", rtLayout}, {"TabWeek", "TabWeek", rtWeek},
      {"TabTables", "TabTables", rtTables}, {"SystemsOn", "SystemsEnabled", rtSystems},
  };
  return switches;
}

}  // namespace kvarn
