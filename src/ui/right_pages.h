// The right-hand tabs of the main window, in their order. Each tab is one page; the list in
// right_pages.cpp says which page class shows it.
#pragma once

#include <functional>
#include <vector>

#include <QWidget>

namespace kvarn {

class TPage;
class TTemplateMain;

// Indexes of the right page control's tabs, in their order.
enum TRightTab : int {
  rtStats = 0,
  rtGraphs,
  rtCard,
  rtLayout,
  rtWeek,
  rtStakes,
  rtRating,
  rtTables,
  rtSystems,
  rtScript,
  rtCount
};

struct TRightPage {
  const char* caption;
  std::function<TPage*(TTemplateMain& main, QWidget* parent)> make;
};

// The view switches that show or hide a right tab, with their setting.
struct TTabSwitch {
  const char* command;
  const char* key;
  TRightTab tab;
};
const std::vector<TTabSwitch>& RightTabSwitches();

// One line per tab, in the order of TRightTab.
const std::vector<TRightPage>& RightPages();

// The line of a page class.
template <class P>
TPage* MakePage(TTemplateMain& main, QWidget* parent) {
  return new P(main, parent);
}

}  // namespace kvarn
