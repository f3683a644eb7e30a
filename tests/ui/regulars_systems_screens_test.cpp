// Pictures of the "Регуляры" and "Системы" tabs and their dialogs, for a person to look at:
// written only when KVARN_SCREENSHOT_DIR names a directory (run under xvfb-run).
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "ui/combs_page.h"
#include "ui/form_multi.h"
#include "ui/form_stake.h"
#include "ui/form_system.h"
#include "ui/form_table.h"
#include "ui/form_test_cnt.h"
#include "ui/regulars_page.h"
#include "ui/systems_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

class RegularsSystemsScreens : public TUiTest {
 protected:
  void SetUp() override {
    TUiTest::SetUp();
    const char* d = std::getenv("KVARN_SCREENSHOT_DIR");
    if (!d || !*d) GTEST_SKIP() << "KVARN_SCREENSHOT_DIR is not set";
    out_ = QString::fromUtf8(d);
  }
  void Save(QWidget& w, const char* name) {
    if (auto* main = qobject_cast<TFormMain*>(&w)) main->UpdateCommands();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out_ + QStringLiteral("/") + QString::fromUtf8(name)));
  }
  QString out_;
};

TEST_F(RegularsSystemsScreens, TabsAndDialogs) {
  WriteDraws(MakeDraws(60));
  TFormMain& w = Open();
  w.resize(1200, 760);
  ShowActive(w);
  TWorkspace& ws = w.Workspace();
  const char* starts[] = {"1;2;3;4;5", "30;31;32;33;34", "5;12;19;26;33"};
  const char* names[] = {"Сдвиг на 1", "Круг по пять", "Диагональ"};
  const int steps[] = {1, 5, -3};
  for (int i = 0; i < 3; ++i) {
    TRegularInput in;
    in.Comment = names[i];
    in.StartText = starts[i];
    in.Step = steps[i];
    ws.TablesAdd(ws.RegularsCheck(in, {}).Created);
  }
  TRegularInput drawn;
  drawn.Comment = "По прошлому тиражу";
  drawn.Base = rbLastDraw;
  drawn.Step = 2;
  ws.TablesAdd(ws.RegularsCheck(drawn, {}).Created);
  w.RightTabs().setCurrentIndex(rtTables);
  Save(w, "regulars_tab.png");

  w.Page<TCombsPage>().List()->selectRow(3);
  WithDialog<TFormTable>([&] { w.Commands().Execute("TablesAdd"); },
                         [&](TFormTable& d) {
                           Save(d, "regulars_add_dialog.png");
                           d.reject();
                         });
  TRegularsPage& regulars = w.Page<TRegularsPage>();
  regulars.List()->setCurrentIndex(regulars.Model()->index(1, 0));
  WithDialog<TFormStake>([&] { w.Commands().Execute("TablesStakeAdd"); },
                         [&](TFormStake& d) {
                           Save(d, "regulars_stake_dialog.png");
                           d.reject();
                         });
  {
    TFormTestCnt d(ws.DrawsCount() - 1, &w);
    d.show();
    Save(d, "regulars_test_count_dialog.png");
  }

  tSystemData data = ws.SystemsNew();
  data.Info.NumsCount = 7;
  data.Info.BlockLen = 3;
  data.Info.Title = "Семь чисел, гарантия 3 из 3";
  data.Info.Author = "Игрок";
  data.Info.Description = "Покрывает все тройки семи чисел";
  data.Combs = "1 2 3 4 5\n1 2 3 6 7\n1 4 5 6 7\n2 3 4 5 6\n2 3 4 6 7\n3 4 5 6 7\n1 2 5 6 7";
  data.Info.CombsCount = 7;
  ws.SystemsAdd(data);
  data.Info.Id = ws.SystemsNew().Info.Id;
  data.Info.NumsCount = 8;
  data.Info.BlockLen = 0;
  data.Info.Title = "Восемь чисел";
  data.Combs = "1 2 3 4 5\n4 5 6 7 8\n1 2 6 7 8";
  data.Info.CombsCount = 3;
  ws.SystemsAdd(data);
  w.RightTabs().setCurrentIndex(rtSystems);
  w.Page<TSystemsPage>().List()->selectRow(0);
  Save(w, "systems_tab.png");
  WithDialog<TFormSystem>([&] { w.Commands().Execute("SystemsProp"); },
                          [&](TFormSystem& d) {
                            Save(d, "system_properties_dialog.png");
                            d.reject();
                          });
  ws.CombsGenerate(gmOnlyMine, "3;8;14;21;27;30;35", false);
  // The look-up shows its progress first: the dialog is caught once it is up.
  bool seen = false;
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* d = qobject_cast<TFormMulti*>(QApplication::activeModalWidget());
    if (!d) return;
    timer.stop();
    seen = true;
    Save(*d, "system_play_dialog.png");
    d->reject();
  });
  timer.start();
  w.Commands().Execute("SystemStakeAll");
  EXPECT_TRUE(seen);
  EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace kvarn::test
