// The settings dialog: its fields from the configuration, the segment grid's reshaping and
// checks, and what OK writes and repaints.
#include <QHeaderView>
#include <QTableWidget>

#include "core/config.h"
#include "core/files.h"
#include "ui/colours.h"
#include "ui/draws_page.h"
#include "ui/form_config.h"
#include "ui/form_proxy.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

TEST_F(TUiTest, SettingsDialogReshapesTheSegmentGrid) {
  TFormMain& w = Open();
  WithDialog<TFormConfig>(
      [&] { w.Commands().Execute("EditConfig"); },
      [&](TFormConfig& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Параметры системы"));
        EXPECT_EQ(d.MatrixCols()->value(), 6);
        EXPECT_EQ(d.MatrixRows()->text(), QStringLiteral("6"));
        EXPECT_EQ(d.StakeMaxLen()->minimum(), 6);
        EXPECT_EQ(d.StakeMaxLen()->maximum(), 12);
        EXPECT_EQ(d.Profits()->rowCount(), 6);
        EXPECT_EQ(d.Profits()->item(5, 0)->text(), QStringLiteral("5"));
        EXPECT_EQ(d.Profits()->item(5, 1)->text(), QStringLiteral("0.00"));
        // Number 8 sits in row 1, column 1 of the 6-column grid.
        d.Segments()->item(1, 1)->setText(QStringLiteral("4"));
        d.MatrixCols()->setValue(5);
        EXPECT_EQ(d.MatrixRows()->text(), QStringLiteral("8"));
        EXPECT_EQ(d.Segments()->rowCount(), 8);
        EXPECT_EQ(d.Segments()->columnCount(), 5);
        // Number 8 moved to row 1, column 2; 37..40 have no selectable cell.
        EXPECT_EQ(d.Segments()->item(1, 2)->text(), QStringLiteral("4"));
        EXPECT_EQ(d.Segments()->item(7, 0)->text(), QStringLiteral("1"));  // number 36
        EXPECT_FALSE(d.Segments()->item(7, 1)->flags() & Qt::ItemIsSelectable);
        EXPECT_FALSE(d.Segments()->item(7, 4)->flags() & Qt::ItemIsEditable);
        // A value outside 1..9 is refused and becomes 1.
        d.Segments()->item(0, 0)->setText(QStringLiteral("12"));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "Некорректное значение: 12!\r\rУкажите любое число от 1 до 9");
        EXPECT_EQ(d.Segments()->item(0, 0)->text(), QStringLiteral("1"));
        // The keys are the match counts; only the prizes can be typed.
        EXPECT_FALSE(d.Profits()->item(0, 0)->flags() & Qt::ItemIsEditable);
        d.Profits()->item(5, 1)->setText(QStringLiteral("1000,5"));
        d.Cost()->setValue(12.5);
        d.ChannelSize()->setValue(4);
        d.accept();
      });
  const TConfigData& c = w.Workspace().Config();
  EXPECT_EQ(c.MatrixCols, 5);
  EXPECT_EQ(c.ChannelSize, 4);
  EXPECT_EQ(c.StakeCost, 125000);
  EXPECT_EQ(c.Segments[7], 4);
  ASSERT_EQ(c.Profits.size(), 1u);
  EXPECT_EQ(c.Profits[0].Overlap, 5);
  EXPECT_EQ(c.Profits[0].Profit, 10005000);
  // Written at once.
  TConfigFile onDisk;
  ConfigLoad(PathJoin(dir_, ConfigFileName), onDisk);
  EXPECT_EQ(onDisk.Data.MatrixCols, 5);
  EXPECT_EQ(onDisk.Data.StakeCost, 125000);
  EXPECT_EQ(SegmentsText(onDisk.Data.Segments), SegmentsText(c.Segments));
}

TEST_F(TUiTest, OpeningAndConfirmingTheSettingsKeepsThePrizeTable) {
  TFormMain& w = Open();
  // Rows for 2..5 matches, one of them with more than two decimals, stored in another order.
  const TProfitsArray stored = {{5, 10000000000}, {2, 1000000}, {3, 123456}, {4, 5000000}};
  w.Workspace().Config().Profits = stored;
  WithDialog<TFormConfig>([&] { w.Commands().Execute("EditConfig"); },
                          [&](TFormConfig& d) {
                            // Each key once, beside the prize of its match count.
                            const char* const want[6][2] = {{"0", "0.00"},   {"1", "0.00"},
                                                            {"2", "100.00"}, {"3", "12.3456"},
                                                            {"4", "500.00"}, {"5", "1000000.00"}};
                            for (int i = 0; i < 6; ++i) {
                              EXPECT_EQ(d.Profits()->item(i, 0)->text(), Q(want[i][0]));
                              EXPECT_EQ(d.Profits()->item(i, 1)->text(), Q(want[i][1]));
                            }
                            d.accept();
                          });
  const TProfitsArray once = w.Workspace().Config().Profits;
  ASSERT_EQ(once.size(), 4u);
  // The stakes check finds the same prize for every match count as before.
  for (int m = 0; m <= 5; ++m) {
    auto prizeOf = [m](const TProfitsArray& t) {
      for (const TProfit& p : t)
        if (p.Overlap == m) return p.Profit;
      return int64_t{0};
    };
    EXPECT_EQ(prizeOf(once), prizeOf(stored)) << m;
  }
  // Opening and confirming again changes nothing at all.
  WithDialog<TFormConfig>([&] { w.Commands().Execute("EditConfig"); },
                          [&](TFormConfig& d) { d.accept(); });
  const TProfitsArray twice = w.Workspace().Config().Profits;
  ASSERT_EQ(twice.size(), once.size());
  for (size_t i = 0; i < once.size(); ++i) {
    EXPECT_EQ(twice[i].Overlap, once[i].Overlap);
    EXPECT_EQ(twice[i].Profit, once[i].Profit);
  }
}

TEST_F(TUiTest, ChannelWidthRecoloursTheDrawsList) {
  WriteDraws(MakeDraws(3));
  TFormMain& w = Open();
  const auto* m = w.Page<TDrawsPage>().Model();
  int n = m->data(m->index(0, 1), Qt::DisplayRole).toInt();
  auto colour = [&] { return m->data(m->index(0, 1), Qt::BackgroundRole).value<QColor>(); };
  EXPECT_EQ(colour(), WinColour(ChannelColour(n, 6)));
  WithDialog<TFormConfig>([&] { w.Commands().Execute("EditConfig"); },
                          [&](TFormConfig& d) {
                            d.ChannelSize()->setValue(3);
                            d.accept();
                          });
  EXPECT_EQ(colour(), WinColour(ChannelColour(n, 3)));
  // Without channel colours only the offset row keeps its colour.
  ASSERT_TRUE(w.Commands().Execute("ViewColorDraws"));
  EXPECT_FALSE(m->data(m->index(1, 1), Qt::BackgroundRole).isValid());
  EXPECT_EQ(m->data(m->index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(255, 170, 170));
}

TEST_F(TUiTest, ProxyDialogWritesItsSectionAtOnce) {
  TFormMain& w = Open();
  WithDialog<TFormProxy>([&] { w.Commands().Execute("EditProxy"); },
                         [&](TFormProxy& d) {
                           EXPECT_TRUE(d.ModeButton(pmNone)->isChecked());
                           EXPECT_FALSE(d.Server()->isEnabled());
                           d.ModeButton(pmManual)->setChecked(true);
                           EXPECT_TRUE(d.Server()->isEnabled());
                           d.Server()->setText(QStringLiteral("proxy.local"));
                           d.Port()->setValue(3128);
                           d.accept();
                         });
  TProxyConfig p;
  ProxyLoad(PathJoin(dir_, ConfigFileName), p);
  EXPECT_EQ(p.Mode, pmManual);
  EXPECT_EQ(p.Server, "proxy.local");
  EXPECT_EQ(p.Port, 3128);
  // The automatic search keeps no server.
  WithDialog<TFormProxy>([&] { w.Commands().Execute("EditProxy"); },
                         [&](TFormProxy& d) {
                           EXPECT_EQ(d.Server()->text(), QStringLiteral("proxy.local"));
                           d.ModeButton(pmAuto)->setChecked(true);
                           d.accept();
                         });
  ProxyLoad(PathJoin(dir_, ConfigFileName), p);
  EXPECT_EQ(p.Mode, pmAuto);
  EXPECT_EQ(p.Server, "");
}

}  // namespace
}  // namespace kvarn::test
