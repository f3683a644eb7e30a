// The lists of the window as spreadsheets: the same columns, order and colours as shown. Each
// sheet reads its source while it is written, so the sources must not change meanwhile.
#pragma once

#include "combs/combs.h"
#include "core/draws.h"
#include "core/sheet.h"
#include "stats/table.h"

namespace kvarn {

// The draws list, newest first; the offset row and (coloured) the channels keep their colours.
TSheet DrawsSheet(const TDrawsArray& draws, int offset, bool sorted, bool coloured,
                  int channelSize);
// The combination list with its running number and sum; coloured by channel when asked.
TSheet CombsSheet(const TCombList& list, bool coloured, int channelSize);
// The statistics table in its display order, all twenty columns; numbers stay numbers.
TSheet StatSheet(const TStatTable& table);

}  // namespace kvarn
