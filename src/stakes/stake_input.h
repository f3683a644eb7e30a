// The rule of the stake dialog's numbers field, shared by the dialog and kvarn-cli.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/config.h"
#include "core/lottery.h"
#include "stakes/stake.h"

namespace kvarn {

constexpr const char* BadStakeNumbersMessage = "Введена некорректная комбинация!";
constexpr const char* EmptyStakeCommentMessage = "Необходимо ввести комментарий!";
constexpr int StakeCommentInputMaxLen = 64;  // characters the dialog accepts

// The text split at ";" and "," into 5 to 12 words, each an integer 1..36, all different; the
// numbers come out ascending. False when the text breaks the rule.
bool ParseStakeNumbers(std::string_view text, TNumberSet& out);

// The stake dialog's OK: the prepared record takes the draw number, the comment and the typed
// numbers (ascending); its profit is the cost of the typed count. Raises the dialog's messages:
// BadStakeNumbersMessage for the numbers, then EmptyStakeCommentMessage for a blank comment.
TStake StakeInputApply(const TStake& prepared, int32_t drawNumber, std::string_view numbersText,
                       const std::string& comment, int64_t cost, const TProfitsArray& prizes);
// The multi-stake dialog's OK needs a comment too.
void StakeInputRequireComment(const std::string& comment);

// The dialog's live sum: the words of the text added up, a word that is not a number counting 0.
int64_t StakeNumbersSum(std::string_view text);

}  // namespace kvarn
