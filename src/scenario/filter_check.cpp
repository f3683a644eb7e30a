#include "scenario/filter_check.h"

#include "core/lottery_text.h"
#include "scenario/script_codes.h"

namespace kvarn {

namespace {
constexpr const char* BadRangeText = "Введен некорректный диапазон значений!";
}  // namespace

TFilterCheck FilterItemCheck(const TFilterItem& f) {
  TIntArray lengths = ParseValueList(f.DrawsLen);
  if (lengths.empty() || (lengths.size() == 1 && lengths[0] == 0))
    return {TFilterControl::DrawsLen, BadRangeText};
  if (f.LevelMode != 0) {
    if (f.LevelMode == 31 && !(f.Method && f.Method->CanParseValue()))
      return {TFilterControl::LevelMode,
              "Для данного вида статистики не доступен режим выделения по списку значений!"};
    if (ParseValueList(f.LevelValue).empty()) return {TFilterControl::LevelValue, BadRangeText};
  }
  if (f.MultiSelect && (f.StopMode == fsCombs || f.StopMode == fsNumbers))
    return {TFilterControl::StopMode,
            "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не "
            "может быть выполнена!\rВыберите другой способ останова."};
  return {};
}

bool FilterLevelUsesWeights(int levelMode) {
  return levelMode >= 19 && levelMode <= 21;
}

bool FilterValueKeyAllowed(char32_t c) {
  return c < 32 || c == 127 || (c >= '0' && c <= '9') || c == ',' || c == '-' || c == ';';
}

}  // namespace kvarn
