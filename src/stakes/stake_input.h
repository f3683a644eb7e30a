// The rule of the stake dialog's numbers field, shared by the dialog and kvarn-cli.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/lottery.h"

namespace kvarn {

constexpr const char* BadStakeNumbersMessage = "Введена некорректная комбинация!";
constexpr const char* EmptyStakeCommentMessage = "Необходимо ввести комментарий!";
constexpr int StakeCommentInputMaxLen = 64;  // characters the dialog accepts

// The text split at ";" and "," into 5 to 12 words, each an integer 1..36, all different; the
// numbers come out ascending. False when the text breaks the rule.
bool ParseStakeNumbers(std::string_view text, TNumberSet& out);

// The dialog's live sum: the words of the text added up, a word that is not a number counting 0.
int64_t StakeNumbersSum(std::string_view text);

}  // namespace kvarn
