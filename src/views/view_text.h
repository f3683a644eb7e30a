// The views as TAB-separated text, one record per line, for scripts and checks: a header line
// of the view's own captions where it has one.
#pragma once

#include <string>
#include <vector>

#include "core/lottery.h"
#include "views/graph.h"
#include "views/layout.h"
#include "views/repeats.h"
#include "views/sums.h"
#include "views/week.h"

namespace kvarn {

using TTextLines = std::vector<std::string>;

// 36 lines "n, Monday .. Sunday", then "max M".
TTextLines WeekTableText(const TWeekTable& table);
// "sum, theoretical count, actual count" per sum, then the thresholds, Tmin, Tmax, Amax and the
// three bands.
TTextLines SumsText(const TSumsDistribution& d);
// "Тираж, Совпадений, Кол-во повторов, Список тиражей" rows in list order.
TTextLines RepeatsText(const TRepeatsResult& r);
// The header and the grid's rows from the row after the `offset` newest on, at most `len` rows.
TTextLines CardText(const TDrawsArray& draws, int offset, int len);
// The scheme's grid with its header row, then each compare list: "Кол-во, draw range" and rows.
TTextLines LayoutText(const TLayoutScheme& scheme, const std::vector<TLayoutCompare>& compare);
// "Тираж, method caption, mean, most frequent value" per draw of the graph.
TTextLines GraphText(const TStatGraphSeries& s, const std::string& caption);

}  // namespace kvarn
