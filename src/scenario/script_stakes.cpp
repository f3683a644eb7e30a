#include "scenario/script_stakes.h"

#include <algorithm>
#include <bitset>

#include "core/codec.h"
#include "core/utf8.h"
#include "scenario/filter_part.h"

namespace kvarn {

TNumberSet ScriptCombNumbers(const TComb& comb) {
  TNumberSet s;
  s.Count = CombSize;
  std::copy(comb.begin(), comb.end(), s.Numbers.begin());
  std::sort(s.Numbers.begin(), s.Numbers.begin() + CombSize);
  return s;
}

TNumberSet ScriptExtendedNumbers(const TCombList& list, int maxStake, TRandom& random) {
  maxStake = std::clamp(maxStake, CombSize, MaxSetSize);
  std::bitset<NumbersCount + 1> seen;
  std::vector<uint8_t> numbers;
  for (int i = 0; i < list.Count() && numbers.size() < NumbersCount; ++i)
    for (uint8_t n : list[i])
      if (n >= 1 && n <= NumbersCount && !seen[n]) {
        seen[n] = true;
        numbers.push_back(n);
      }
  while (numbers.size() > static_cast<size_t>(maxStake))
    numbers.erase(numbers.begin() + random.Int(static_cast<int>(numbers.size())));
  std::sort(numbers.begin(), numbers.end());
  TNumberSet s;
  s.Count = static_cast<int32_t>(numbers.size());
  std::copy(numbers.begin(), numbers.end(), s.Numbers.begin());
  return s;
}

std::string ScriptStakeComment(int line, int variant, std::string_view comment,
                               std::string_view text) {
  const std::string label = ScriptStepLabel(line, variant, comment, text);
  return Utf8Left(Cp1251ToUtf8(Utf8ToCp1251(label)), StakeCommentMaxLen);
}

TStake ScriptStake(int32_t drawNumber, int32_t sampleSize, const TNumberSet& numbers,
                   const std::string& comment, const TConfigData& config) {
  return StakeNew(skScenario, drawNumber, sampleSize, numbers, comment, config.StakeCost,
                  config.Profits);
}

}  // namespace kvarn
