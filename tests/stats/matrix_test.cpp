#include "stats/methods/matrix.h"

#include <gtest/gtest.h>

#include "combs/combs.h"
#include "core/config.h"
#include "family_test_util.h"
#include "stats/filter.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using Texts = std::vector<std::string>;
using namespace family_test;

struct TMatrixFixture : family_test::TFamilyFixture {
  explicit TMatrixFixture(int cols) { config.MatrixCols = cols; }
};

int GraphOf(TCustomStat& stat, const TComb& comb) {
  return dynamic_cast<TCustomGraphStat&>(stat).GraphValueOf(comb, 0, 0, false);
}

TEST(MatrixGeometry, ColumnsRowsAndTheLastShortRow) {
  const TMatrixGeometry g6(6), g7(7), g36(36);
  EXPECT_EQ(g6.Rows, 6);
  EXPECT_EQ(g7.Rows, 6);
  EXPECT_EQ(g7.ColumnOf(36), 1);
  EXPECT_EQ(g7.RowOf(36), 6);
  EXPECT_EQ(g6.ColumnOf(6), 6);
  EXPECT_EQ(g6.RowOf(7), 2);
  EXPECT_EQ(g36.Rows, 1);
  EXPECT_EQ(TMatrixGeometry(5).Rows, 8);
}

TEST(MatrixMethods, VerticalNeighboursInColumns) {
  TMatrixFixture f(6);
  const TComb comb{1, 7, 13, 20, 26};
  EXPECT_EQ(CombTexts(*f.Create(TstColAjacent_Class()), comb), (Texts{"1 x 3=1", "2 x 2=1"}));
  auto colc = f.Create(TstColAjacentCnt_Class());
  EXPECT_EQ(CombTexts(*colc, comb), (Texts{"2=1"}));
  EXPECT_EQ(GraphOf(*colc, comb), 2);
  EXPECT_EQ(GraphOf(*f.Create(TstColCount_Class()), comb), 2);
  EXPECT_EQ(CombTexts(*f.Create(TstColMask_Class()), comb), (Texts{"110000 (048)=1"}));
  EXPECT_EQ(CombTexts(*f.Create(TstColumns_Class()), comb), (Texts{"1=3", "2=2"}));
  // Same column, rows two apart: not neighbours.
  EXPECT_TRUE(CombTexts(*f.Create(TstColAjacent_Class()), {1, 13, 25, 32, 35}).empty());
  EXPECT_EQ(GraphOf(*colc, {1, 13, 25, 32, 35}), 0);
}

TEST(MatrixMethods, HorizontalNeighboursDoNotWrapAcrossRows) {
  TMatrixFixture f(6);
  const TComb comb{5, 6, 7, 8, 30};
  EXPECT_EQ(CombTexts(*f.Create(TstRowAjacent_Class()), comb), (Texts{"1 x 2=1", "2 x 2=1"}));
  EXPECT_EQ(GraphOf(*f.Create(TstRowAjacentCnt_Class()), comb), 2);
  // A run of three touching numbers in one row gives 3.
  EXPECT_EQ(CombTexts(*f.Create(TstRowAjacent_Class()), {2, 3, 4, 20, 30}), (Texts{"1 x 3=1"}));
}

TEST(MatrixMethods, SevenColumnsGiveSixRowsAndMaskWidths) {
  TMatrixFixture f(7);
  auto rowm = f.Create(TstRowMask_Class());
  auto colm = f.Create(TstColMask_Class());
  const TComb comb{1, 2, 9, 30, 36};  // rows 1 1 2 5 6; columns 1 2 2 2 1
  EXPECT_EQ(CombTexts(*rowm, comb), (Texts{"110011 (051)=1"}));
  EXPECT_EQ(CombTexts(*colm, comb), (Texts{"1100000 (096)=1"}));
  EXPECT_EQ(rowm->TextValue("110011 (051)"), 51);
  EXPECT_EQ(colm->TextValue("1100000 (096)"), 96);
  EXPECT_EQ(rowm->TextValue("1000001"), 32) << "six characters are read for rows";
  EXPECT_EQ(colm->TextValue("0000001"), 1);
  EXPECT_TRUE(Listed(*rowm).empty());
  EXPECT_TRUE(rowm->CombMatches({3, 4, 10, 31, 36}, {WordsItem(51)}, 0, false, false));
  EXPECT_FALSE(rowm->CombMatches({3, 4, 17, 31, 34}, {WordsItem(51)}, 0, false, false));

  int min = 0, max = 0;
  TstColValCnt_Class().ParamRange(f.list, min, max);
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 7);
  TstRowValCnt_Class().ParamRange(f.list, min, max);
  EXPECT_EQ(max, 6);
  EXPECT_EQ(Listed(*f.Create(TstRowCount_Class())).size(), 5u);
  EXPECT_EQ(Listed(*f.Create(TstColValCnt_Class(), 1)).size(), 6u) << "1..R for a column";
  EXPECT_EQ(Listed(*f.Create(TstRowValCnt_Class(), 1)).size(), 7u) << "1..C for a row";
}

TEST(MatrixMethods, WideMatrixMaskKeepsEveryColumn) {
  TMatrixFixture f(36);
  auto colm = f.Create(TstColMask_Class());
  const Texts t = CombTexts(*colm, {1, 2, 3, 35, 36});
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0], "111" + std::string(31, '0') + "11 (60129542147)=1");
  // Masks that differ only in columns beyond the 32nd bit stay different values.
  TStatDrawArray a;
  colm->AddCombValues({1, 20, 30, 35, 36}, a);
  ASSERT_EQ(a.size(), 1u);
  EXPECT_TRUE(colm->CombMatches({1, 20, 30, 35, 36}, a, 0, false, false));
  EXPECT_FALSE(colm->CombMatches({2, 20, 30, 35, 36}, a, 0, false, false));
}

TEST(MatrixMethods, ValuesPerColumnAndRow) {
  TMatrixFixture f(6);
  const TComb comb{1, 2, 3, 4, 5};
  EXPECT_EQ(CombTexts(*f.Create(TstColValues_Class()), comb),
            (Texts{"1 x 1=1", "2 x 1=1", "3 x 1=1", "4 x 1=1", "5 x 1=1", "6 x 0=1"}));
  EXPECT_EQ(CombTexts(*f.Create(TstRowValues_Class()), comb),
            (Texts{"1 x 5=1", "2 x 0=1", "3 x 0=1", "4 x 0=1", "5 x 0=1", "6 x 0=1"}));
  EXPECT_EQ(Listed(*f.Create(TstColValues_Class())).size(), 6u * 6u);
  TMatrixFixture f3(3);  // 3 columns, 12 rows
  EXPECT_EQ(Listed(*f3.Create(TstColValues_Class())).size(), 3u * 6u) << "counts 0..5";
  EXPECT_EQ(Listed(*f3.Create(TstRowValues_Class())).size(), 12u * 4u) << "counts 0..3";
  EXPECT_FALSE(TstColValues_Class().CanParseValue());
}

TEST(MatrixMethods, CountInOneColumnAndOccupiedGroups) {
  TMatrixFixture f(6);
  auto col2 = f.Create(TstColValCnt_Class(), 2);
  TStatDrawArray items;
  col2->ListAllValues(0, items);
  col2->AddCombValues({1, 3, 4, 5, 6}, items);
  const Texts t = family_test::Texts(*col2, items);
  EXPECT_EQ(t.front(), "1=0");
  EXPECT_EQ(t.back(), "0=1") << "0 is not listed in advance";
  EXPECT_EQ(GraphOf(*col2, {2, 8, 14, 15, 16}), 3);
  EXPECT_EQ(Listed(*f.Create(TstColCount_Class())), (Texts{"1=0", "2=0", "3=0", "4=0", "5=0"}));
  EXPECT_EQ(GraphOf(*f.Create(TstRowCount_Class()), {1, 2, 3, 4, 5}), 1);
  EXPECT_EQ(TstColValCnt_Class().IdentOf(4), "COL4");
  EXPECT_EQ(TstRowValCnt_Class().CaptionOf(2), "Количество чисел в 2 строке матрицы");
  EXPECT_EQ(TstRowValCnt_Class().HelpIdent(), "ROWx");
  EXPECT_EQ(TstColumns_Class().Group(), 4);
}

TEST(MatrixMethods, ColumnAndRowTuples) {
  TMatrixFixture f(6);
  TDraw d;
  d.Number = 1;
  d.Values = {1, 8, 15, 22, 29};  // the diagonal: columns 1..5, rows 1..5
  f.draws.push_back(d);
  auto kfs2 = f.Create(TstCombColSeq2_Class());
  auto krm3 = f.Create(TstCombRowMix3_Class());
  TStatDrawArray items;
  TStatContext context;
  TLastValueArray lastValues;
  kfs2->AddDrawValues(0, 0, false, items, context, lastValues);
  EXPECT_EQ(family_test::Texts(*kfs2, items), (Texts{"1:2=1", "2:3=1", "3:4=1", "4:5=1"}));
  items.clear();
  krm3->AddDrawValues(0, 0, false, items, context, lastValues);
  EXPECT_EQ(items.size(), 10u);
  EXPECT_EQ(krm3->ValueText(items.front()), "1:2:3");
  EXPECT_EQ(krm3->ValueText(items.back()), "3:4:5");
  TStatDraw t;
  t.Key.Set(1, 1, 1);
  EXPECT_TRUE(krm3->CombMatches({1, 2, 3, 20, 30}, {t}, 0, false, false));
  EXPECT_EQ(TstCombRowSeq4_Class().IdentOf(0), "KRS4");
  EXPECT_EQ(TstCombColMix2_Class().CaptionOf(0), "Сочетания из 2 столбцов по всем числам тиража");
  EXPECT_EQ(TstCombColMix2_Class().Flags(), sfS);
}

TEST(MatrixMethods, FilterByColumnCountPairs) {
  TMatrixFixture f(6);
  TCombList full, out;
  GenerateCombs(full, gmFull, TNumberBits());
  auto colv = f.Create(TstColValues_Class());
  // Column 1 empty: the 30 numbers of the other columns.
  FilterCombList(*colv, {WordsItem(1, 0)}, out, full, -1, false, false);
  EXPECT_EQ(out.Count(), CombCount(30, 5));
  auto colm = f.Create(TstColMask_Class());
  // Every number in column 1: one bit, 100000 = 32.
  FilterCombList(*colm, {WordsItem(32)}, out, full, -1, false, false);
  EXPECT_EQ(out.Count(), CombCount(6, 5));
}

}  // namespace
}  // namespace kvarn
