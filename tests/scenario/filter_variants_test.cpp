#include "scenario/filter_variants.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "scenario/script_codes.h"

namespace kvarn {
namespace {

class FilterVariantsTest : public ::testing::Test {
 protected:
  void SetUp() override { registry.Register(); }
  TFilterItem Item(const char* text) { return FilterItemFromText(text, registry); }
  std::vector<std::string> Texts(const TFilterVars& vars) {
    std::vector<std::string> t;
    for (const TFilterRec& r : vars) t.push_back(FilterRecToText(r));
    return t;
  }
  TDrawsArray draws;
  TStatList registry{draws};
};

TEST_F(FilterVariantsTest, LengthsOutsideValuesInside) {
  TFilterVars vars;
  ASSERT_TRUE(CreateFilterVariants({Item("TSD1#SUMS:10,20#LMV:1-3;1#SF:1")}, vars));
  EXPECT_EQ(Texts(vars),
            (std::vector<std::string>{"TSD#SUMS:10#LMV:1#SF:1", "TSD#SUMS:10#LMV:2#SF:1",
                                      "TSD#SUMS:10#LMV:3#SF:1", "TSD#SUMS:20#LMV:1#SF:1",
                                      "TSD#SUMS:20#LMV:2#SF:1", "TSD#SUMS:20#LMV:3#SF:1"}));
  EXPECT_EQ(vars[4][0].LevelTest, "2");
  EXPECT_EQ(vars[4][0].DrawsLen, 20);
}

TEST_F(FilterVariantsTest, ListModesTestTheWholeListWeightListSplitsIt) {
  TFilterVars ldv, wdv;
  CreateFilterVariants({Item("TSD1#NUMS:10#LDV:1, 2,3#SF:1")}, ldv);
  ASSERT_EQ(ldv.size(), 1u);
  EXPECT_EQ(ldv[0][0].LevelTest, "1,2,3");
  EXPECT_EQ(ldv[0][0].LevelText, "1, 2,3");
  CreateFilterVariants({Item("TSD1#NUMS:10#WDV:1, 2,3#SF:1")}, wdv);
  ASSERT_EQ(wdv.size(), 3u);
  EXPECT_EQ(wdv[2][0].LevelTest, "3");
  // Without a level the value text is neither read nor required.
  TFilterVars lno;
  CreateFilterVariants({Item("TSD1#NUMS:10#LNO:abc#SF:1")}, lno);
  ASSERT_EQ(lno.size(), 1u);
  EXPECT_EQ(lno[0][0].LevelTest, "abc");
}

TEST_F(FilterVariantsTest, FirstFilterVariesSlowest) {
  const std::vector<TFilterItem> f = {Item("TSD1#NUMS:5,6#LNO:#SF:1"),
                                      Item("BMF3#SUMS:7#CLV:1,2,3#ST:2")};
  EXPECT_EQ(CountFilterVariants(f), 6);
  TFilterVars vars;
  CreateFilterVariants(f, vars);
  EXPECT_EQ(Texts(vars),
            (std::vector<std::string>{"TSD#NUMS:5#LNO:#SF:1 + BMF#SUMS:7#CLV:1#ST:2",
                                      "TSD#NUMS:5#LNO:#SF:1 + BMF#SUMS:7#CLV:2#ST:2",
                                      "TSD#NUMS:5#LNO:#SF:1 + BMF#SUMS:7#CLV:3#ST:2",
                                      "TSD#NUMS:6#LNO:#SF:1 + BMF#SUMS:7#CLV:1#ST:2",
                                      "TSD#NUMS:6#LNO:#SF:1 + BMF#SUMS:7#CLV:2#ST:2",
                                      "TSD#NUMS:6#LNO:#SF:1 + BMF#SUMS:7#CLV:3#ST:2"}));
  EXPECT_EQ(vars[0][1].SortColumn, 3);
  EXPECT_TRUE(vars[0][1].BottomUp && vars[0][1].MultiSelect && vars[0][1].KeepSelected);
  EXPECT_FALSE(vars[0][2].Active);
}

TEST_F(FilterVariantsTest, UnreadableListsNameTheFilter) {
  TFilterVars vars;
  try {
    CreateFilterVariants({Item("TSD1#NUMS:5#LNO:#SF:1"), Item("TSD1#SUMS:x#LMV:3#SF:1")}, vars);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Некорректное описание фильтра: TSD1#SUMS:x#LMV:3#SF:1!");
  }
  EXPECT_THROW(CreateFilterVariants({Item("TSD1#SUMS:10#LMV:#SF:1")}, vars), EKvarnError);
  EXPECT_TRUE(vars.empty());
}

TEST_F(FilterVariantsTest, LineFiltersCloseGapsAndRefuseUnknownOrMissingFilters) {
  const std::vector<TFilterItem> f = ReadLineFilters(
      "FULL:0#EXT| |TSD1#NUMS:5#LNO:#SF:1| | |TSD2#SUMS:7#LNO:#SF:1| | |c", registry);
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[1].Method->IdentOf(), "SUMS");
  try {
    ReadLineFilters("FULL:0#EXT|TSD1#ZZZ9:5#LNO:#SF:1| | | | | | |", registry);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Некорректное описание фильтра: TSD1#ZZZ9:5#LNO:#SF:1!");
  }
  try {
    ReadLineFilters("FULL:0#EXT| | | | | | | |comment", registry);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Некорректное описание фильтра: !");
  }
}

TEST_F(FilterVariantsTest, StopIsPolledAndProgressCountsThousands) {
  std::vector<int64_t> progress;
  int polls = 0;
  TVariantHooks hooks{[&] { return ++polls > 2600; }, [&](int64_t n) { progress.push_back(n); }};
  TFilterVars vars;
  // One poll for the length, then one before each value.
  EXPECT_FALSE(CreateFilterVariants({Item("TSD1#NUMS:5#LMV:1-3000;1#SF:1")}, vars, hooks));
  EXPECT_EQ(vars.size(), 2599u);
  EXPECT_EQ(progress, (std::vector<int64_t>{1000, 2000}));
}

TEST_F(FilterVariantsTest, TooManyVariantsAreRefusedBeforeAnyIsMade) {
  const std::vector<TFilterItem> f = {Item("TSD1#NUMS:1-1000;1#LMV:1-1000;1#SF:1"),
                                      Item("TSD1#SUMS:5,6#LNO:#SF:1")};
  EXPECT_GT(CountFilterVariants(f), MaxFilterVariants);
  TFilterVars vars;
  try {
    CreateFilterVariants(f, vars);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_TRUE(std::string(e.what()).starts_with(
        "Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\r"
        "Пожалуйста, уменьшите"));
    EXPECT_NE(std::string(e.what()).find("повторите попытку.\r\r"), std::string::npos);
  }
  EXPECT_TRUE(vars.empty());
}

}  // namespace
}  // namespace kvarn
