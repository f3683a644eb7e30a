#include "scenario/filter_check.h"

#include <gtest/gtest.h>

#include "scenario/script_codes.h"

namespace kvarn {
namespace {

class FilterCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.Register();
    f.Active = true;
    f.Method = &registry.Items(registry.FindByIdent("SUMS"));
    f.DrawsLen = "10";
    f.SortColumn = 1;
    f.StopValue = 1;
  }
  TFilterControl Failing() { return FilterItemCheck(f).Control; }

  TDrawsArray draws;
  TStatList registry{draws};
  TFilterItem f;
};

TEST_F(FilterCheckTest, LengthsMustBeAListThatIsNotTheSingleZero) {
  EXPECT_EQ(Failing(), TFilterControl::None);
  for (const char* bad : {"", "0", "abc", "5-1;1", " , "}) {
    f.DrawsLen = bad;
    TFilterCheck c = FilterItemCheck(f);
    EXPECT_EQ(c.Control, TFilterControl::DrawsLen) << bad;
    EXPECT_EQ(c.Message, "Введен некорректный диапазон значений!");
  }
  for (const char* good : {"0, 10", "1-10;2", "-5"}) {
    f.DrawsLen = good;
    EXPECT_EQ(Failing(), TFilterControl::None) << good;
  }
}

TEST_F(FilterCheckTest, ValuesAreCheckedOnlyWithALevelMode) {
  f.LevelValue = "";
  EXPECT_EQ(Failing(), TFilterControl::None);
  f.LevelMode = 1;
  EXPECT_EQ(Failing(), TFilterControl::LevelValue);
  f.LevelValue = "1-3;1";
  EXPECT_EQ(Failing(), TFilterControl::None);
  // The lengths are checked first.
  f.DrawsLen = "0";
  f.LevelValue = "";
  EXPECT_EQ(Failing(), TFilterControl::DrawsLen);
}

TEST_F(FilterCheckTest, ValueListModeNeedsAMethodThatReadsTypedValues) {
  f.LevelMode = 31;
  f.LevelValue = "5";
  EXPECT_EQ(Failing(), TFilterControl::None);
  for (int i = 0; i < registry.Count(); ++i)
    if (!registry.Items(i).CanParseValue()) {
      f.Method = &registry.Items(i);
      break;
    }
  ASSERT_FALSE(f.Method->CanParseValue());
  EXPECT_EQ(FilterItemCheck(f).Message,
            "Для данного вида статистики не доступен режим выделения по списку значений!");
  f.Method = nullptr;
  EXPECT_EQ(Failing(), TFilterControl::LevelMode);
}

TEST_F(FilterCheckTest, MultiSelectRefusesStopsByCombinationsOrNumbers) {
  f.MultiSelect = true;
  for (int stop = 0; stop < 7; ++stop) {
    f.StopMode = static_cast<uint8_t>(stop);
    bool refused = stop == fsCombs || stop == fsNumbers;
    EXPECT_EQ(Failing(), refused ? TFilterControl::StopMode : TFilterControl::None) << stop;
  }
  f.StopMode = fsCombs;
  EXPECT_EQ(FilterItemCheck(f).Message,
            "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не "
            "может быть выполнена!\rВыберите другой способ останова.");
  f.MultiSelect = false;
  EXPECT_EQ(Failing(), TFilterControl::None);
}

TEST(FilterRules, WeightsOnlyForTheWeightColumnAndValueKeys) {
  for (int m = 0; m < 32; ++m) EXPECT_EQ(FilterLevelUsesWeights(m), m >= 19 && m <= 21) << m;
  for (char32_t c : {U'0', U'9', U',', U'-', U';', U'\b', U'\x7f'})
    EXPECT_TRUE(FilterValueKeyAllowed(c));
  for (char32_t c : {U'.', U' ', U'a', U'Я', U':', U'#', U'|'})
    EXPECT_FALSE(FilterValueKeyAllowed(c));
}

}  // namespace
}  // namespace kvarn
