// The information window, the chart window and the formulas dialog.
#include <QChart>
#include <QLineSeries>
#include <QTableWidget>
#include <QTreeWidget>
#include <QValueAxis>
#include <cmath>

#include "stats/stat.h"
#include "ui/colours.h"
#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/form_graph.h"
#include "ui/form_info.h"
#include "ui/form_shredding.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

std::vector<std::pair<QString, QString>> Props(const TFormInfo& f) {
  std::vector<std::pair<QString, QString>> rows;
  QTreeWidget* t = f.Props();
  for (int i = 0; i < t->topLevelItemCount(); ++i)
    rows.emplace_back(t->topLevelItem(i)->text(0), t->topLevelItem(i)->text(1));
  return rows;
}

class TFormInfoTest : public TUiTest {};

TEST_F(TFormInfoTest, DrawInformationListsNumberDateAndEveryListedGraphMethod) {
  const TDrawsArray draws = MakeDraws(20);
  WriteDraws(draws);
  TFormMain& w = Open();
  TWorkspace& ws = w.Workspace();
  const TDraw& d = draws[12];
  TFormInfo f(ws, d.Number, d.DateText, DrawComb(d), false, 12);
  const auto rows = Props(f);
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows[0], std::make_pair(QStringLiteral("Номер тиража:"), QStringLiteral("1012")));
  EXPECT_EQ(rows[1], std::make_pair(QStringLiteral("Дата тиража:"), Q(d.DateText)));

  TStatList& list = ws.StatList();
  size_t k = 2;
  for (int i = 0; i < list.Count(); ++i) {
    if (!list.IsGraph(i) || !list.IsListed(i)) continue;
    ASSERT_LT(k, rows.size());
    auto stat = list.CreateStat(i);
    EXPECT_EQ(rows[k].first, Q(stat->FullCaption()));
    ++k;
  }
  EXPECT_EQ(k, rows.size());
  // The sum of the five numbers is among them, computed for this draw.
  const int sum = CombSum(d.Values);
  bool sumSeen = false;
  for (const auto& r : rows) sumSeen = sumSeen || r.second == QString::number(sum);
  EXPECT_TRUE(sumSeen);
}

TEST_F(TFormInfoTest, CombinationInformationHasNoDrawRows) {
  WriteDraws(MakeDraws(20));
  TFormMain& w = Open();
  TFormInfo f(w.Workspace(), -1, std::nullopt, TComb{1, 2, 3, 4, 5}, false, 19);
  const auto rows = Props(f);
  ASSERT_FALSE(rows.empty());
  for (const auto& r : rows) {
    EXPECT_NE(r.first, QStringLiteral("Номер тиража:"));
    EXPECT_NE(r.first, QStringLiteral("Дата тиража:"));
  }
}

TEST_F(TFormInfoTest, CardFollowsTheColumnCount) {
  WriteDraws(MakeDraws(5));
  TFormMain& w = Open();
  TFormInfo f(w.Workspace(), -1, std::nullopt, TComb{36, 1, 29, 8, 14}, false, 4);
  QTableWidget* card = f.Card();
  // Starts at the configured matrix width.
  EXPECT_EQ(f.ColsField()->value(), 6);
  EXPECT_EQ(card->rowCount(), 6);
  EXPECT_EQ(card->item(5, 5)->text(), QStringLiteral("36"));
  EXPECT_EQ(card->item(0, 0)->text(), QStringLiteral("1"));
  EXPECT_EQ(card->item(1, 1)->text(), QStringLiteral("8"));
  EXPECT_TRUE(card->item(0, 1)->text().isEmpty());
  EXPECT_EQ(card->item(2, 3)->background().color(), WinColour(ChannelColour(16, 6)));

  f.ColsField()->setValue(7);
  EXPECT_EQ(card->columnCount(), 7);
  EXPECT_EQ(card->rowCount(), 6);
  // The last row holds only 36; the cells beyond are the grid's own.
  ASSERT_NE(card->item(5, 0), nullptr);
  EXPECT_EQ(card->item(5, 0)->text(), QStringLiteral("36"));
  EXPECT_EQ(f.NumberOfCell(5, 1), 0);
  EXPECT_EQ(card->item(5, 1), nullptr);
  EXPECT_EQ(card->item(4, 0)->text(), QStringLiteral("29"));
  EXPECT_EQ(card->item(1, 0)->text(), QStringLiteral("8"));
}

TEST_F(TFormInfoTest, NamesAndCardGetTheRoomTheyNeed) {
  WriteDraws(MakeDraws(5));
  TFormMain& w = Open();
  TFormInfo f(w.Workspace(), -1, std::nullopt, TComb{36, 1, 29, 8, 14}, false, 4);
  f.show();
  QApplication::processEvents();
  // The longest property name shows whole.
  QTreeWidget* props = f.Props();
  const QFontMetrics fm(props->font());
  int widest = 0;
  for (int i = 0; i < props->topLevelItemCount(); ++i)
    widest = std::max(widest, fm.horizontalAdvance(props->topLevelItem(i)->text(0)));
  EXPECT_GE(props->columnWidth(0), widest);
  // A card of 36 columns takes the width of all its cells, as far as the screen allows.
  f.ColsField()->setValue(36);
  QApplication::processEvents();
  QTableWidget* card = f.Card();
  const int need = 36 * card->columnWidth(0);
  const int screen = f.screen()->availableGeometry().width();
  EXPECT_GE(card->width(), std::min(need, screen * 3 / 5) - 4);
  EXPECT_GE(f.width(), card->width());
}

TEST_F(TFormInfoTest, InfoCommandsOpenTheWindowForTheFocusedRow) {
  WriteDraws(MakeDraws(20));
  TFormMain& w = Open();
  w.Page<TDrawsPage>().List()->setCurrentIndex(w.Page<TDrawsPage>().Model()->index(2, 0));
  w.UpdateCommands();
  WithDialog<TFormInfo>([&] { EXPECT_TRUE(w.Commands().Execute("DrawsInfo")); },
                        [](TFormInfo& f) {
                          EXPECT_EQ(Props(f)[0].second, QStringLiteral("1017"));
                          f.reject();
                        });
  w.Page<TCombsPage>().List()->setCurrentIndex(w.Page<TCombsPage>().Model()->index(0, 0));
  WithDialog<TFormInfo>([&] { EXPECT_TRUE(w.Commands().Execute("CombsInfo")); },
                        [](TFormInfo& f) {
                          EXPECT_NE(Props(f)[0].first, QStringLiteral("Номер тиража:"));
                          EXPECT_EQ(f.Card()->item(0, 4)->text(), QStringLiteral("5"));
                          f.reject();
                        });
}

TEST(TFormGraphTest, SeriesAreFoundByTitleIgnoringCaseAndMarksFollowTheCheckBox) {
  TSilentHost host;
  TFormGraph g(host);
  g.AddGraphPoint(1, "Профит", 10, true, true, 255);
  g.AddGraphPoint(2, "ПРОФИТ", -5, true, true, 0);
  g.AddGraphPoint(1, "Ставки", 3, false, false, 0x8000);
  ASSERT_EQ(g.SeriesCount(), 2);
  QLineSeries* profit = g.FindSeries("профит");
  ASSERT_NE(profit, nullptr);
  EXPECT_EQ(profit->count(), 2);
  EXPECT_EQ(profit->at(1), QPointF(2, -5));
  EXPECT_EQ(profit->name(), QStringLiteral("Профит"));
  EXPECT_EQ(profit->pen().color(), QColor(255, 0, 0));
  EXPECT_EQ(profit->pen().width(), 2);
  EXPECT_TRUE(profit->pointsVisible());
  QLineSeries* stakes = g.FindSeries("Ставки");
  EXPECT_FALSE(stakes->pointsVisible());
  EXPECT_EQ(stakes->pen().color(), QColor(0, 128, 0));

  EXPECT_TRUE(g.MarksVisible("Профит"));
  EXPECT_FALSE(g.MarksVisible("Ставки"));
  g.MarksBox()->setChecked(false);
  EXPECT_FALSE(g.MarksVisible("Профит"));
  g.MarksBox()->setChecked(true);
  EXPECT_TRUE(g.MarksVisible("Профит"));
  // A series created without marks stays without them.
  EXPECT_FALSE(g.MarksVisible("Ставки"));
  EXPECT_TRUE(g.MarkTexts("Ставки").isEmpty());
}

TEST(TFormGraphTest, MarksAndAxesShowPlainDecimals) {
  TSilentHost host;
  TFormGraph g(host);
  g.resize(800, 500);
  g.AddGraphPoint(7000, "Профит", 1234567, true, true, 0);
  g.AddGraphPoint(7001, "Профит", 2.5, true, true, 0);
  g.AddGraphPoint(7003, "Профит", -0.125, true, true, 0);
  g.show();
  QApplication::processEvents();
  // Each value whole, in decimal: integers as integers, reals with their own decimals.
  EXPECT_EQ(g.MarkTexts("Профит"), (QStringList{QStringLiteral("1234567"), QStringLiteral("2.5"),
                                                QStringLiteral("-0.125")}));
  // Draw numbers: whole ticks and labels without decimals, the points inside the range.
  QValueAxis* x = g.AxisX();
  EXPECT_EQ(x->labelFormat(), QStringLiteral("%.0f"));
  const double step = (x->max() - x->min()) / (x->tickCount() - 1);
  EXPECT_EQ(step, std::floor(step));
  EXPECT_GE(step, 1);
  EXPECT_EQ(x->min(), std::floor(x->min()));
  EXPECT_LE(x->min(), 7000);
  EXPECT_GE(x->max(), 7003);
  // The value axis reaches the largest value and labels it without an exponent.
  QValueAxis* y = g.AxisY();
  EXPECT_GE(y->max(), 1234567);
  EXPECT_LE(y->min(), -0.125);
  EXPECT_FALSE(y->labelFormat().contains(QLatin1Char('g')));
  // Whole counts on both axes keep whole labels.
  TFormGraph counts(host);
  for (int k = 0; k <= 5; ++k) counts.AddGraphPoint(k, "Совпадения", k * 3, true, true, 0);
  QApplication::processEvents();
  EXPECT_EQ(counts.AxisY()->labelFormat(), QStringLiteral("%.0f"));
  EXPECT_EQ(counts.MarkTexts("совпадения").back(), QStringLiteral("15"));
}

TEST_F(TFormInfoTest, FormulasDialogChangesTheShreddingMethodsOnlyWhenConfirmed) {
  WriteDraws(MakeDraws(10));
  TFormMain& w = Open();
  TWorkspace& ws = w.Workspace();
  WithDialog<TFormShredding>([&] { w.Commands().Execute("EditShredding"); },
                             [](TFormShredding& d) {
                               EXPECT_EQ(d.windowTitle(), QStringLiteral("Методы шинковки"));
                               EXPECT_EQ(d.Formula(0)->text(),
                                         QStringLiteral("(n1+n2+n3)/(n4+n5)"));
                               EXPECT_EQ(d.Digits(2)->value(), 2);
                               EXPECT_EQ(d.Digits(2)->maximum(), 5);
                               d.Formula(0)->setText(QStringLiteral("n1/7"));
                               d.reject();
                             });
  EXPECT_EQ(ws.Settings().Shredding.Formulas[0], "(n1+n2+n3)/(n4+n5)");

  WithDialog<TFormShredding>([&] { w.Commands().Execute("EditShredding"); },
                             [](TFormShredding& d) {
                               d.Formula(1)->setText(QStringLiteral("n1/7"));
                               d.Digits(1)->setValue(3);
                               d.accept();
                             });
  EXPECT_EQ(ws.Settings().Shredding.Formulas[1], "n1/7");
  EXPECT_EQ(ws.Settings().Shredding.Digits[1], 3);
  // The method box names the new formula.
  bool named = false;
  for (int i = 0; i < w.Page<TStatsPage>().MethodBox()->count(); ++i)
    named = named || w.Page<TStatsPage>().MethodBox()->itemText(i).contains(QStringLiteral("n1/7"));
  EXPECT_TRUE(named);
}

}  // namespace
}  // namespace kvarn::test
