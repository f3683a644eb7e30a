#include "stakes/regular_stakes.h"

#include "core/draws.h"
#include "core/text.h"

namespace kvarn {

TStake RegularStake(const TRegular& advanced, int32_t drawNumber, int32_t sampleSize,
                    const TConfigData& config) {
  if (!RegularCombValid(advanced.Current))
    Raise(StrFormat("Регуляр \"%s\": нет тиража, от которого строится ставка!",
                    advanced.Comment.c_str()));
  TNumberSet numbers;
  for (uint8_t v : advanced.Current) numbers.Numbers[static_cast<size_t>(numbers.Count++)] = v;
  return StakeNew(skRegular, drawNumber, sampleSize, numbers, advanced.Comment, config.StakeCost,
                  config.Profits);
}

int RegularsTestMaxCount(const TDrawsArray& draws) {
  return static_cast<int>(draws.size()) - 1;
}

TRegularsTestResult RegularsStakeTest(TRegularsArray& regulars, const std::vector<int>& selected,
                                      int count, const TDrawsArray& draws, int32_t sampleSize,
                                      const TConfigData& config, TStakesFile& stakes,
                                      const std::function<void()>& afterAppend) {
  if (count < 1 || count > RegularsTestMaxCount(draws))
    Raise(StrFormat("Количество тестов должно быть от 1 до %d!", RegularsTestMaxCount(draws)));
  for (int index : selected)
    if (index < 0 || index >= static_cast<int>(regulars.size()))
      Raise(StrFormat("Запись со индексом %d в файле данных не найдена!", index));

  TRegularsTestResult result;
  for (int k = count; k >= 1; --k) {
    const int32_t drawNumber = DrawsNextNumber(draws, k);
    for (int index : selected) {
      TRegular& regular = regulars[static_cast<size_t>(index)];
      TRegular advanced = regular;
      RegularAdvance(advanced, draws, k);
      try {
        stakes.Append(RegularStake(advanced, drawNumber, sampleSize, config), 1);
      } catch (const std::exception& e) {
        result.LastAppendOk = false;
        result.Error = e.what();
        return result;
      }
      regular = advanced;
      ++result.Appended;
      if (afterAppend) afterAppend();
    }
  }
  return result;
}

}  // namespace kvarn
