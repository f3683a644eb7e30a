// The lists of the window as spreadsheets: the same columns, order and colours as shown. Each
// sheet reads its source while it is written, so the sources must not change meanwhile.
#pragma once

#include <functional>

#include "combs/combs.h"
#include "core/draws.h"
#include "core/sheet.h"
#include "stakes/rating_text.h"
#include "stakes/stake.h"
#include "stats/table.h"
#include "views/card.h"
#include "views/layout.h"

namespace kvarn {

// The draws list, newest first; the offset row and (coloured) the channels keep their colours.
TSheet DrawsSheet(const TDrawsArray& draws, int offset, bool sorted, bool coloured,
                  int channelSize);
// The combination list with its running number and sum; coloured by channel when asked.
TSheet CombsSheet(const TCombList& list, bool coloured, int channelSize);
// The statistics table in its display order, all twenty columns; numbers stay numbers.
TSheet StatSheet(const TStatTable& table);

// The draws card: a row per draw, newest first, the drawn numbers in their own columns, the
// card's colours.
TSheet CardSheet(const TDrawsArray& draws, const TCardOptions& options);
// The layout scheme: counts down the first column, draw numbers across, the numbers in the
// cells, coloured as the scheme (gradient or bands).
TSheet LayoutSheet(const TLayoutScheme& scheme, bool gradient);

// The stakes grid: `count` rows, row r being stakeAt(r) in the grid's order; rows coloured by
// kind, the result columns of checked stakes in green (won) or red.
TSheet StakesSheet(size_t count, std::function<TStake(size_t row)> stakeAt);

// The rating list: `count` rows, row r being rowAt(r), the texts the list shows in its order.
TSheet RatingsSheet(size_t count, std::function<TRatingRowTexts(size_t row)> rowAt);

}  // namespace kvarn
