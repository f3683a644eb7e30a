#include "stats/value_search.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "history_fixtures.h"

namespace kvarn {
namespace {

using namespace history_fixtures;

using TTexts = std::vector<std::string>;

TValueSearchOptions Budget(int64_t b) {
  TValueSearchOptions o;
  o.Budget = b;
  return o;
}

TEST(WalkForward, TheOlderHalfGetsTheSmallerShare) {
  TTestRange older, newer;
  SplitWalkForward({10, 19}, older, newer);
  EXPECT_EQ(older.First, 10);
  EXPECT_EQ(older.Last, 14);
  EXPECT_EQ(newer.First, 15);
  EXPECT_EQ(newer.Last, 19);
  SplitWalkForward({10, 12}, older, newer);
  EXPECT_EQ(older.Count(), 1);
  EXPECT_EQ(newer.Count(), 2);
}

// Smallest numbers 1, 1, 2 in the older draws and 1, 3, 1 in the newer ones. The smallest number
// v keeps C(36 - v, 4) combinations: 52360 for 1, 46376 for 2.
const TDrawsArray Smallest = Archive({{5, 6, 7, 8, 9},
                                      {1, 10, 20, 30, 36},
                                      {11, 1, 21, 31, 35},
                                      {2, 12, 22, 32, 34},
                                      {13, 23, 1, 33, 36},
                                      {3, 14, 24, 34, 35},
                                      {15, 25, 35, 1, 4}});

TEST(ValueSearch, ChoosesByLiftWithinTheBudgetAndMeasuresOnTheNewerDraws) {
  auto list = Registry(Smallest);
  const int pos1 = list->FindByIdent("POS1");
  const TTestRange range = TestedDraws(7, 0, 6);

  TValueSearchResult r = RunValueSearch(*list, pos1, range, Budget(60000));
  EXPECT_EQ(r.Values, TTexts{"1"});
  EXPECT_EQ(r.InSample.Summary.Survivals, 2);
  EXPECT_DOUBLE_EQ(r.InSample.Summary.MeanShare, 52360.0 / FullCombsCount);
  ASSERT_EQ(r.OutOfSample.Draws.size(), 3u);
  EXPECT_EQ(r.OutOfSample.Draws[0].Index, 4);
  EXPECT_EQ(r.OutOfSample.Summary.Survivals, 2);

  // Twice as many survivals per combination for 1 as for 2: 1 first, then 2 as the budget
  // allows.
  r = RunValueSearch(*list, pos1, range, Budget(100000));
  EXPECT_EQ(r.Values, (TTexts{"1", "2"}));
  EXPECT_EQ(r.InSample.Summary.Survivals, 3);
  EXPECT_EQ(r.InSample.Draws[0].Kept, 52360 + 46376);

  r = RunValueSearch(*list, pos1, range, Budget(10));
  EXPECT_TRUE(r.Values.empty());
  EXPECT_EQ(r.InSample.Draws[0].Kept, 0);
  EXPECT_FALSE(r.OutOfSample.Summary.HasLift);
}

TEST(ValueSearch, OverlappingValuesAreCountedAsTheirUnion) {
  // Two numbers keep 376992 - C(34,5) = 98736 combinations, not 2 x 52360: within a budget of
  // 100000 only when the union is counted exactly.
  const TDrawsArray draws = Archive({{30, 31, 32, 33, 34},
                                     {7, 1, 2, 3, 4},
                                     {5, 7, 6, 9, 10},
                                     {11, 12, 8, 13, 14},
                                     {20, 21, 22, 23, 24},
                                     {25, 26, 27, 28, 29},
                                     {7, 8, 15, 16, 17}});
  auto list = Registry(draws);
  const TValueSearchResult r =
      RunValueSearch(*list, list->FindByIdent("NUMS"), TestedDraws(7, 0, 6), Budget(100000));
  EXPECT_EQ(r.Values, (TTexts{"7", "8"}));
  EXPECT_EQ(r.InSample.Summary.Survivals, 3);
  for (const TFilterTestDraw& d : r.InSample.Draws) EXPECT_EQ(d.Kept, 98736);
  EXPECT_EQ(r.OutOfSample.Summary.Survivals, 1);
}

// Newer draws changed or gone: the choice stays, because only the older draws choose.
TEST(ValueSearch, NoNewerDrawInfluencesTheChoice) {
  const TDrawsArray a = RandomArchive(80, 3);
  TDrawsArray b = a;
  const TDrawsArray other = RandomArchive(80, 4);
  for (size_t i = 60; i < 80; ++i) b[i].Values = other[i].Values;
  TDrawsArray cut(a.begin(), a.begin() + 60);
  auto listA = Registry(a);
  auto listB = Registry(b);
  auto listCut = Registry(cut);
  const TTestRange range = TestedDraws(80, 0, 40);
  struct TCase {
    const char* ident;
    int64_t budget;
  };
  for (const TCase& c :
       {TCase{"NUMS", 60000}, TCase{"SUMS", 20000}, TCase{"RPC2", 200000}, TCase{"SUM2", 300000}}) {
    TValueSearchOptions o = Budget(c.budget);
    o.Len = 25;
    const TValueSearchResult ra = RunValueSearch(*listA, listA->FindByIdent(c.ident), range, o);
    const TValueSearchResult rb = RunValueSearch(*listB, listB->FindByIdent(c.ident), range, o);
    bool stopped = false;
    const TTexts onOlder =
        ChooseValues(*listCut, listCut->FindByIdent(c.ident), ra.Older, o, {}, stopped);
    EXPECT_FALSE(ra.Values.empty()) << c.ident;
    EXPECT_EQ(ra.Values, rb.Values) << c.ident;
    EXPECT_EQ(ra.Values, onOlder) << c.ident;
    EXPECT_EQ(ra.InSample.Summary.Survivals, rb.InSample.Summary.Survivals) << c.ident;
    EXPECT_EQ(ra.Older.Last, 59);
    EXPECT_EQ(ra.Newer.First, 60);
    // The choice's own figures are the back-test's: within the budget on the older draws.
    EXPECT_LE(ra.InSample.Summary.MeanShare * FullCombsCount, c.budget + 1e-6) << c.ident;
  }
}

TEST(ValueSearch, StopsWhenAsked) {
  auto list = Registry(Smallest);
  int calls = 0;
  const TValueSearchResult r = RunValueSearch(
      *list, list->FindByIdent("POS1"), TestedDraws(7, 0, 6), Budget(60000), [&](int, int total) {
        EXPECT_EQ(total, 9);
        return ++calls < 2;
      });
  EXPECT_TRUE(r.Stopped);
  EXPECT_TRUE(r.Values.empty());
}

TEST(ValueSearch, TooFewDrawsAreRefused) {
  auto list = Registry(Smallest);
  EXPECT_THROW(RunValueSearch(*list, list->FindByIdent("POS1"), TestedDraws(7, 0, 1), Budget(1)),
               EKvarnError);
}

}  // namespace
}  // namespace kvarn
