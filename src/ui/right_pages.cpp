// Adding a right-hand tab: its page class goes on its line instead of the placeholder.
#include "ui/right_pages.h"

#include "ui/placeholder_page.h"
#include "ui/ratings_page.h"
#include "ui/regulars_page.h"
#include "ui/stakes_page.h"
#include "ui/stats_page.h"
#include "ui/systems_page.h"

namespace kvarn {

const std::vector<TRightPage>& RightPages() {
  static const std::vector<TRightPage> pages = {
      {"Статистика", MakePage<TStatsPage>},
      {"Графики", MakePlaceholder()},
      {"Карта", MakePlaceholder()},
      {"Схема", MakePlaceholder()},
      {"Неделя", MakePlaceholder()},
      {"Ставки", MakePage<TStakesPage>},
      {"Рейтинг", MakePage<TRatingsPage>},
      {"Регуляры", MakePage<TRegularsPage>},
      {"Системы", MakePage<TSystemsPage>},
      {"Сценарий", MakePlaceholder({"Строк: 0", "Цикл: 0", "Строка: 0", "Ставок: 0"})},
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
