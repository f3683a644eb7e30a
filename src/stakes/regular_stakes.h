// Stakes made by regulars: the next stake of one regular, and the test that stakes every selected
// regular over the last draws of the archive.
#pragma once

#include <functional>
#include <vector>

#include "core/config.h"
#include "stakes/regular.h"
#include "stakes/stake.h"
#include "stakes/stakes_file.h"

namespace kvarn {

// The stake of an advanced regular for a draw: kind 2, its comment, its current combination.
// Raises when the regular has no numbers to stake (based on the draws with no draw before it).
TStake RegularStake(const TRegular& advanced, int32_t drawNumber, int32_t sampleSize,
                    const TConfigData& config);

// The range of the test's draw count: 1 .. archive count - 1.
int RegularsTestMaxCount(const TDrawsArray& draws);

struct TRegularsTestResult {
  int Appended = 0;
  bool LastAppendOk = true;  // false when an append failed and ended the test
  std::string Error;         // that failure's message
};

// For k = count down to 1 and each of the regulars at `selected` (indices, list order): advances
// the regular with the draw at offset k and appends its stake for the draw that followed, one draw.
// The first failed append ends the test; a regular is advanced only when its stake was appended.
// `afterAppend` runs after each stake (the window scrolls its grid and handles its events there).
TRegularsTestResult RegularsStakeTest(TRegularsArray& regulars, const std::vector<int>& selected,
                                      int count, const TDrawsArray& draws, int32_t sampleSize,
                                      const TConfigData& config, TStakesFile& stakes,
                                      const std::function<void()>& afterAppend = {});

}  // namespace kvarn
