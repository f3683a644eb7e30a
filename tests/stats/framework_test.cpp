#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "stat_fixtures.h"
#include "stats/table.h"

namespace kvarn::stat_fixtures {
KVARN_STAT_CLASS(TstFxNumbers)
KVARN_STAT_CLASS(TstFxPos)
KVARN_STAT_CLASS(TstFxEven)
KVARN_STAT_CLASS(TstFxMask)
KVARN_STAT_CLASS(TstFxShared)
KVARN_STAT_CLASS(TstFxHidden)
KVARN_STAT_CLASS(TstFxShred)
}  // namespace kvarn::stat_fixtures

namespace kvarn {
namespace {

using namespace stat_fixtures;

TEST(StatKey, ViewsShareTheSameEightBytes) {
  TStatKey k;
  k.SetL1(-2);
  EXPECT_EQ(k.K1, 0xFFFE);
  EXPECT_EQ(k.K2, 0xFFFF);
  EXPECT_EQ(k.L1(), -2);
  k.SetL2(0x00030004);
  EXPECT_EQ(k.K3, 4);
  EXPECT_EQ(k.K4, 3);
  EXPECT_EQ(k.B(1), 0xFE);
  EXPECT_EQ(k.B(5), 4);
  EXPECT_EQ(k.B(7), 3);
  k.SetB(6, 0x12);
  EXPECT_EQ(k.K3, 0x1204);
  k.SetK(4, 9);
  EXPECT_EQ(k.L2(), (9 << 16) | 0x1204);
}

TEST(StatKey, OrderIsByComponentsUnsigned) {
  TStatKey a, b;
  a.Set(1, 9, 9, 9);
  b.Set(2);
  EXPECT_LT(CompareStatKeys(a, b), 0);
  // A negative L1 has a large K2 but K1 decides first.
  a.SetL1(-1);
  b.Set(0xFFFF, 0);
  EXPECT_GT(CompareStatKeys(a, b), 0);
  b.Set(0x8000);
  a.Set(1);
  EXPECT_GT(CompareStatKeys(b, a), 0);
  EXPECT_EQ(CompareStatKeys(b, b), 0);
}

TEST(StatItems, MergeRecordsCountLastOccurrenceAndGaps) {
  // The value occurs in draws 3, 5 and 9 of the window.
  TStatDrawArray list;
  for (int draw : {3, 5, 9}) {
    TStatDraw item;
    item.Key = Key1(7);
    item.Count = 1;
    item.LastDraw = item.PrevDraw = draw;
    item.Depth = 10 - draw + 1;
    AddStatItem(list, item, true);
  }
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Count, 3);
  EXPECT_EQ(list[0].MinPeriod, 2);
  EXPECT_EQ(list[0].MaxPeriod, 4);
  EXPECT_EQ(list[0].LastDraw, 9);
  EXPECT_EQ(list[0].Depth, 2);
  EXPECT_EQ(list[0].PrevDraw, 9);

  // Without intervals the gap is not measured, but the start point still moves.
  TStatDraw item = list[0];
  item.Count = 1;
  item.LastDraw = 30;
  item.Depth = 1;
  AddStatItem(list, item, false);
  EXPECT_EQ(list[0].MaxPeriod, 4);
  EXPECT_EQ(list[0].PrevDraw, 30);
}

TEST(StatItems, ListedValueKeepsZeroUntilMetAndOnceMetHasNoGap) {
  TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}});
  TStatList reg(draws);
  auto stat = TstFxNumbers_Class().Create(reg, 0);
  TStatDrawArray list = RunStatistics(*stat, StatWindow(2, 0, 10), false);
  ASSERT_EQ(list.size(), 36u);
  EXPECT_EQ(list[35].Count, 0);  // 36 never met
  EXPECT_EQ(list[35].Depth, 0);
  EXPECT_EQ(list[0].Count, 2);  // 1 met twice, most recent in draw 2
  EXPECT_EQ(list[0].Depth, 1);
  EXPECT_EQ(list[0].MinPeriod, 1);
  EXPECT_EQ(list[1].Count, 1);  // 2 met once: no gap
  EXPECT_EQ(list[1].MinPeriod, 0);
  EXPECT_EQ(list[1].MaxPeriod, 0);
  EXPECT_EQ(list[1].Depth, 2);
}

TEST(StatItems, TotalsOfEmptyAndFilledLists) {
  const TStatTotals e = StatTotals({});
  EXPECT_EQ(e.MinCount, 2147483647);
  EXPECT_EQ(e.MaxCount, 0);
  EXPECT_EQ(e.MaxDepth, 0);
  EXPECT_EQ(e.Total, 0);
  TStatDrawArray list(3);
  list[0].Count = 4;
  list[1].Count = 0;
  list[1].Depth = 7;
  list[2].Count = 2147483647;
  const TStatTotals t = StatTotals(list);
  EXPECT_EQ(t.MinCount, 0);
  EXPECT_EQ(t.MaxCount, 2147483647);
  EXPECT_EQ(t.MaxDepth, 7);
  EXPECT_EQ(t.Total, 2147483651LL);
}

TEST(StatItems, LastValuesAndSortAndSelection) {
  TLastValueArray lv;
  EXPECT_EQ(UpdateLastValue(lv, 10, Key1(3)), -1);
  EXPECT_EQ(UpdateLastValue(lv, 14, Key1(3)), 4);
  EXPECT_EQ(UpdateLastValue(lv, 20, Key1(3)), 6);
  EXPECT_EQ(lv.size(), 1u);
  // Draw numbers at the ends of the 32-bit range: the gap needs 64 bits.
  EXPECT_EQ(UpdateLastValue(lv, INT32_MIN, Key1(4)), -1);
  EXPECT_EQ(UpdateLastValue(lv, INT32_MAX, Key1(4)), int64_t{UINT32_MAX});
  EXPECT_EQ(UpdateLastValue(lv, INT32_MIN, Key1(4)), -int64_t{UINT32_MAX});

  TStatDrawArray list(4);
  list[0].Key = Key1(5);
  list[0].Count = 1;
  list[1].Key = Key1(2);
  list[2].Key = Key1(5);
  list[2].Count = 2;  // equal key: stays behind the first one
  list[3].Key.Set(2, 1);
  SortStatDraws(list);
  EXPECT_EQ(list[0].Key, Key1(2));
  EXPECT_EQ(list[1].Key.K2, 1);
  EXPECT_EQ(list[2].Count, 1);
  EXPECT_EQ(list[3].Count, 2);

  EXPECT_TRUE(SelectedHasKey(list, 2, 1, 0, 0));
  EXPECT_FALSE(SelectedHasKey(list, 2, 2, 0, 0));
  EXPECT_TRUE(SelectedHasLongs(list, (1 << 16) | 2, 0));
  EXPECT_TRUE(SelectedHasWord(list, 2, 1));
  EXPECT_TRUE(SelectedHasByte(list, 1, 5));
  EXPECT_FALSE(SelectedHasByte(list, 2, 5));
  EXPECT_TRUE(SelectedHasLong(list, 1, 5));
  EXPECT_FALSE(SelectedHasLong(list, 2, 5));
}

TEST(StatDraws, ReadDrawSortsAndGivesZerosOutside) {
  TDrawsArray draws = Archive({{17, 3, 30, 8, 21}}, 100);
  draws[0].Extra = 2;
  const TDraw d = ReadDraw(draws, 0, true);
  EXPECT_EQ(d.Values, (TComb{3, 8, 17, 21, 30}));
  EXPECT_EQ(ReadDraw(draws, 0, false).Values, (TComb{17, 3, 30, 8, 21}));
  const TDraw z = ReadDraw(draws, 1, false);
  EXPECT_EQ(z.Number, 0);
  EXPECT_EQ(z.Values, (TComb{}));
  EXPECT_TRUE(z.DateText.empty());
  EXPECT_EQ(ReadDraw(draws, -1, true).Number, 0);
  EXPECT_EQ(ReadDraw({}, 0, false).Number, 0);
}

TEST(StatDraws, PreviousIsLoadedOnlyForSecondDrawMethods) {
  TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}});
  TStatList reg(draws);
  auto d = TstFxShared_Class().Create(reg, 0);
  d->LoadDraws(0, 1, false);
  EXPECT_EQ(d->Current.Number, 1);
  EXPECT_EQ(d->Previous.Number, 2);
  d->LoadDraws(-1, 5, false);  // as the filter does: no current draw, no reference draw
  EXPECT_EQ(d->Current.Number, 0);
  EXPECT_EQ(d->Previous.Values, (TComb{}));
  auto n = TstFxNumbers_Class().Create(reg, 0);
  n->LoadDraws(0, 1, false);
  EXPECT_EQ(n->Previous.Number, 0);
}

TEST(StatDraws, FindValueDrawSearchesBeyondTheWindow) {
  TDrawsArray draws =
      Archive({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}, {1, 7, 20, 21, 22}});
  TStatList reg(draws);
  auto stat = TstFxNumbers_Class().Create(reg, 0);
  TStatDraw item;
  item.Key = Key1(7);
  EXPECT_EQ(stat->FindValueDraw(item, 2, 1, false), 4);
  EXPECT_EQ(stat->FindValueDraw(item, 1, 1, false), 2);
  item.Key = Key1(36);
  EXPECT_EQ(stat->FindValueDraw(item, 0, 1, false), -1);
  EXPECT_EQ(stat->FindValueDraw(item, 4, 3, false), -1);  // past the newest draw
  EXPECT_EQ(stat->FindValueDraw(item, 99, 3, false), -1);
}

TEST(StatBases, RatioAndMaskTexts) {
  TDrawsArray draws;
  TStatList reg(draws);
  auto ratio = TstFxEven_Class().Create(reg, 0);
  TStatDraw item;
  item.Key.Set(2);
  EXPECT_EQ(ratio->ValueText(item), "2:3");
  item.Key.Set(0);
  EXPECT_EQ(ratio->ValueText(item), "0:5");
  EXPECT_EQ(ratio->TextValue("4:1"), 4);
  EXPECT_EQ(ratio->ParseValue("3"), 3);
  EXPECT_EQ(ratio->TextValue("x:1"), 0);

  auto mask = TstFxMask_Class().Create(reg, 0);
  item.Key.SetL1(5);
  EXPECT_EQ(mask->ValueText(item), "ЧЧнЧн (005)");
  item.Key.SetL1(31);
  EXPECT_EQ(mask->ValueText(item), "ннннн (031)");
  EXPECT_EQ(mask->TextValue("ЧЧнЧн (005)"), 5);
  EXPECT_EQ(mask->TextValue("нЧЧЧЧ"), 16);
  EXPECT_EQ(mask->TextValue("нн"), 24);  // short text: the missing positions are clear
  TStatDrawArray list;
  mask->ListAllValues(0, list);
  ASSERT_EQ(list.size(), 32u);
  EXPECT_EQ(list[31].Key.L1(), 31);
  EXPECT_EQ(list[31].Count, 0);
}

TEST(StatBases, GraphValueReadsTheDrawAsLoaded) {
  TDrawsArray draws = Archive({{17, 3, 30, 8, 21}});
  TStatList reg(draws);
  auto stat = TstFxPos_Class().Create(reg, 1);
  auto* g = dynamic_cast<TCustomGraphStat*>(stat.get());
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->GraphValue(0, 0, false), 17);
  EXPECT_EQ(g->GraphValue(0, 0, true), 3);
  EXPECT_EQ(g->GraphValue(5, 0, true), 0);
}

TEST(StatClasses, ClassOperationsNeedNoInstance) {
  const TStatClass& pos = TstFxPos_Class();
  EXPECT_STREQ(pos.ClassName(), "TstFxPos");
  EXPECT_EQ(pos.IdentOf(3), "FXP3");
  EXPECT_EQ(pos.CaptionOf(3), "Число в 3 позиции");
  EXPECT_EQ(pos.HelpIdent(), "FXPx");
  EXPECT_EQ(pos.Flags(), sfS | sfN | sfG);
  EXPECT_TRUE(pos.IsGraph());
  EXPECT_TRUE(pos.CanPrefetch());
  EXPECT_TRUE(pos.HasParam());
  TDrawsArray draws;
  TStatList reg(draws);
  int mn = 0, mx = 0;
  pos.ParamRange(reg, mn, mx);
  EXPECT_EQ(mn, 1);
  EXPECT_EQ(mx, 5);

  const TStatClass& shared = TstFxShared_Class();
  EXPECT_EQ(shared.HelpIdent(), "FXD");  // inherited: the identifier itself
  EXPECT_FALSE(shared.CanPrefetch());
  EXPECT_FALSE(shared.IsListed());
  EXPECT_FALSE(shared.IsGraph());
  EXPECT_EQ(shared.Flags(), sfD);
  int a = 7, b = 7;
  shared.ParamRange(reg, a, b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  EXPECT_FALSE(TstFxHidden_Class().IsAvailable());

  auto inst = pos.Create(reg, 4);
  EXPECT_EQ(&inst->Class(), &pos);
  EXPECT_EQ(inst->Param, 4);
  EXPECT_EQ(inst->FullCaption(), "Число в 4 позиции");
  EXPECT_EQ(FeatureLetters(sfS | sfN | sfD | sfP | sfG), "SNDPG");
}

TEST(StatClasses, HelpTopicNeedsAnExistingHelpFile) {
  EXPECT_EQ(TstFxPos_Class().HelpTopic(2, ""), "");
  const std::string path =
      (std::filesystem::temp_directory_path() / "kvarn_stat_help_test.chm").string();
  std::remove(path.c_str());
  EXPECT_EQ(TstFxPos_Class().HelpTopic(2, path), "");
  std::ofstream(path) << "x";
  EXPECT_EQ(TstFxPos_Class().HelpTopic(2, path), "ms-its:" + path + "::/Filters_1049_FXPx.htm");
  EXPECT_EQ(TstFxNumbers_Class().HelpTopic(0, path), "ms-its:" + path + "::/Filters_1049_FXN.htm");
  // Each registry carries its own help file.
  TDrawsArray none;
  TStatList reg(none), other(none);
  const TStatTableLine table[] = {{"TstFxPos", &TstFxPos_Class}};
  reg.SetTable(table);
  other.SetTable(table);
  reg.Register();
  other.Register();
  reg.HelpFile = path;
  EXPECT_EQ(reg.HelpTopic(1), "ms-its:" + path + "::/Filters_1049_FXPx.htm");
  EXPECT_EQ(other.HelpTopic(1), "");
  std::remove(path.c_str());
}

TEST(StatFormat, IndexedTemplates) {
  EXPECT_EQ(FormatIndexed("SUM%d", {2}), "SUM2");
  EXPECT_EQ(FormatIndexed("Метод %0:d: %%s", {2}), "Метод 2: %s");
  EXPECT_EQ(FormatIndexed("{ %1:s } %0:s", {"Числа", "num"}), "{ num } Числа");
  EXPECT_EQ(FormatIndexed("%0:d x %1:d", {3, 4}), "3 x 4");
  EXPECT_EQ(FormatIndexed("%.3d|%d", {5, 6}), "005|6");
  EXPECT_EQ(FormatIndexed("NUMS", {1}), "NUMS");
  EXPECT_THROW(FormatIndexed("%1:d", {1}), EKvarnError);
}

}  // namespace
}  // namespace kvarn
