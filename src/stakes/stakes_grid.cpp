#include "stakes/stakes_grid.h"
#include "core/lottery_text.h"

#include <algorithm>

namespace kvarn {

const std::array<TStakeColumnInfo, StakeColumnsCount> StakeColumns = {{
    {"№ тиража", 60},
    {"Вид ставки", 60},
    {"Моя ставка", 120},
    {"Выборка", 60},
    {"Результаты тиража", 120},
    {"Совпадений", 60},
    {"Совпадения", 60},
    {"Профит", 60},
    {"Комментарий", 1000},
}};

uint32_t StakeKindColour(int kind) {
  switch (kind) {
    case skManual:
      return 15400938;  // red 234, green 255, blue 234
    case skRegular:
      return 15395583;  // red 255, green 234, blue 234
    case skScenario:
      return 16777194;  // red 234, green 255, blue 255
    case skSystem:
      return 14286332;  // red 252, green 253, blue 217
    default:
      return StakeWindowColour;
  }
}

TStakeRow StakeGridRow(const TStake& s) {
  TStakeRow row;
  row.Background = StakeKindColour(s.Kind);
  if (!s.HasDraw()) return row;
  row.Cells[scDraw] = NumberText(s.DrawNumber);
  row.Cells[scKind] = StakeSourceName(s.Kind);
  row.Cells[scNumbers] = NumberSetText(s.Numbers, ";");
  row.Cells[scSample] = NumberText(s.SampleSize);
  if (s.IsChecked()) {
    TNumberSet values;
    values.Count = CombSize;
    std::copy(s.DrawValues.begin(), s.DrawValues.end(), values.Numbers.begin());
    row.Cells[scDrawValues] = NumberSetText(values, ";");
    row.Cells[scMatches] = NumberText(s.Matches());
    row.Cells[scMatched] = NumberSetText(s.Matched, " ");
    row.HasResult = true;
    row.ResultColour = s.Profit > 0 ? StakeWinColour : StakeLossColour;
  }
  row.Cells[scProfit] = MoneyText(s.Profit);
  row.Cells[scComment] = s.Comment;
  return row;
}

bool StakeNumberMatched(const TStake& s, int n) {
  const int m = std::clamp(s.Matches(), 0, MaxSetSize);
  for (int i = 0; i < m; ++i)
    if (s.Matched.Numbers[static_cast<size_t>(i)] == n) return true;
  return false;
}

}  // namespace kvarn
