// What a scenario stakes from the combination list left by its filters: the numbers of an
// extended stake, a combination as a stake's numbers and the description a stake carries.
#pragma once

#include <string>
#include <string_view>

#include "combs/combs.h"
#include "core/random.h"
#include "stakes/stake.h"

namespace kvarn {

// The numbers of a combination as a stake holds them: five, ascending.
TNumberSet ScriptCombNumbers(const TComb& comb);

// The extended stake of a list: its different numbers collected in list order (each
// combination's numbers in their stored order) until all 36 are found; while there are more than
// maxStake (5..12), one chosen at random is taken out. Ascending.
TNumberSet ScriptExtendedNumbers(const TCombList& list, int maxStake, TRandom& random);

// The comment of a scenario stake: the step label with every character that cp1251 cannot hold
// written as "?", then cut to 255 characters.
std::string ScriptStakeComment(int line, int variant, std::string_view comment,
                               std::string_view text);

// A scenario stake (kind 3) for the draw, not yet checked: the cost as negative profit.
TStake ScriptStake(int32_t drawNumber, int32_t sampleSize, const TNumberSet& numbers,
                   const std::string& comment, const TConfigData& config);

}  // namespace kvarn
