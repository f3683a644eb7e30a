#include "stakes/stake_input.h"

#include "core/text.h"

namespace kvarn {

namespace {
constexpr std::string_view kSeparators = ";,";
}

bool ParseStakeNumbers(std::string_view text, TNumberSet& out) {
  const std::vector<std::string> words = SplitWords(text, kSeparators);
  if (words.size() < static_cast<size_t>(CombSize) ||
      words.size() > static_cast<size_t>(MaxSetSize))
    return false;
  TNumberBits seen;
  TNumberSet set;
  for (const std::string& w : words) {
    int64_t v = 0;
    if (!TryTextToInt(w, v) || v < 1 || v > NumbersCount || seen.test(static_cast<size_t>(v)))
      return false;
    seen.set(static_cast<size_t>(v));
    set.Numbers[static_cast<size_t>(set.Count++)] = static_cast<uint8_t>(v);
  }
  SortNumberSet(set);
  out = set;
  return true;
}

void StakeInputRequireComment(const std::string& comment) {
  if (Trim(comment).empty()) Raise(EmptyStakeCommentMessage);
}

TStake StakeInputApply(const TStake& prepared, int32_t drawNumber, std::string_view numbersText,
                       const std::string& comment, int64_t cost, const TProfitsArray& prizes) {
  TStake s = prepared;
  if (!ParseStakeNumbers(numbersText, s.Numbers)) Raise(BadStakeNumbersMessage);
  StakeInputRequireComment(comment);
  s.DrawNumber = drawNumber;
  s.Comment = comment;
  // The prepared cost was that of the focused combination; seven typed numbers cost 21 stakes.
  s.Profit = StakeProfit(s.Numbers.Count, -1, cost, prizes);
  return s;
}

int64_t StakeNumbersSum(std::string_view text) {
  int64_t sum = 0;
  for (const std::string& w : SplitWords(text, kSeparators)) {
    int64_t v = 0;
    if (TryTextToInt(w, v)) sum += v;
  }
  return sum;
}

}  // namespace kvarn
