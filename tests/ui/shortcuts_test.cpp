// Every key of the command set reaches its command from the keyboard: with the focus where the
// command acts, its key is pressed and the command must run, and only it (a key that no menu
// carries, or that two commands claim outside the shared-key rule, fails here).
#include <QTest>
#include <map>

#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

TEST_F(TUiTest, EveryKeyOfTheCommandSetRunsItsCommand) {
  WriteDraws(MakeDraws(20));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  // Counting handlers in place of the real ones, which open dialogs and change data.
  std::map<std::string, int> ran;
  for (const TCommandDef& d : MainCommandTable())
    if (d.shortcut && *d.shortcut) {
      const std::string name = d.name;
      w.Commands().Bind(
          name, [] { return true; }, [&ran, name] { ++ran[name]; });
    }
  w.UpdateCommands();

  // Where each command takes its key; the others anywhere (here: the draws list).
  struct TPlace {
    int left, right;
    QWidget* focus;
  };
  const TPlace draws{0, rtStats, w.Page<TDrawsPage>().List()};
  const TPlace combs{1, rtStats, w.Page<TCombsPage>().List()};
  const TPlace stats{0, rtStats, w.Page<TStatsPage>().Table()};
  const std::map<std::string, TPlace> places = {
      {"StatFilter_Include", stats},
      {"StatFilter_Exclude", stats},
      {"StakeAddSelected", combs},
      {"CombsDelSelected", combs},
      {"CombsCopy", combs},
      {"CombsPaste", combs},
      {"CombsSelectAll", combs},
      {"ScriptOpen", {0, rtScript, w.RightPage(rtScript)}},
      {"ScriptDel", {0, rtScript, w.RightPage(rtScript)}},
      {"StakeDel", {0, rtStakes, w.RightPage(rtStakes)}},
  };
  int pressed = 0;
  for (const TCommandDef& d : MainCommandTable()) {
    if (!d.shortcut || !*d.shortcut) continue;
    const auto it = places.find(d.name);
    const TPlace& p = it == places.end() ? draws : it->second;
    w.LeftTabs().setCurrentIndex(p.left);
    w.RightTabs().setCurrentIndex(p.right);
    p.focus->setFocus();
    ASSERT_TRUE(p.focus->hasFocus()) << d.name;
    const QKeySequence key(QString::fromUtf8(d.shortcut));
    ran.clear();
    QTest::keyClick(p.focus, key[0].key(), key[0].keyboardModifiers());
    ++pressed;
    EXPECT_EQ(ran[d.name], 1) << d.name << " " << d.shortcut;
    EXPECT_EQ(ran.size(), 1u) << d.shortcut << " ran more than " << d.name;
  }
  EXPECT_EQ(pressed, 45);  // every key of the table
}

}  // namespace
}  // namespace kvarn::test
