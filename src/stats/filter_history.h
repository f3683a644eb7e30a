// What testing a filter on history needs for every tested draw: the method's table as it stood
// at the analysis point just before that draw (the draw and everything after it hidden), the
// rows a selection of value texts picks there, and the full list the filter runs over.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "combs/combs.h"
#include "stats/stat.h"

namespace kvarn {

// Archive indexes of the tested draws, oldest first. Every tested draw has a draw before it,
// so that there is a table to choose from.
struct TTestRange {
  int First = 1;
  int Last = 0;
  int Count() const { return Last >= First ? Last - First + 1 : 0; }
};
// The newest `n` draws up to the analysis point `offset` (0 = the newest draw of the archive).
TTestRange TestedDraws(int drawsCount, int offset, int n);

// A method without a second draw and without periods keeps, for the same selected keys, the
// same combinations at every analysis point, so one pass serves every tested draw.
inline bool ReadsCombinationAlone(const TStatClass& cls) {
  return (cls.Features() & (sfD | sfP)) == 0;
}

// Whether a selection keeps a combination exactly when one of its values alone keeps it, as
// methods do in general. The sum ranges depart from it: a selection that holds the range row
// keeps the sums inside the range whatever else it holds.
bool SelectionIsUnionOfValues(const TStatClass& cls);

// Every combination in lexicographic order.
const TCombList& FullCombList();

// The items of the table over `len` draws whose analysis point is the draw before `index`.
TStatDrawArray TableBefore(TCustomStat& stat, int index, int len, bool sorted);

class TStatList;

// The tables before tested draws, each computed once with an instance of its own and kept for
// every run over the same draws (a value search chooses on the tables it then tests on).
class TDrawTables {
 public:
  TDrawTables(const TStatList& list, int entry, int len, bool sorted)
      : list_(list), entry_(entry), len_(len), sorted_(sorted) {}
  const TStatDrawArray& Before(int index);
  int Len() const { return len_; }
  bool Sorted() const { return sorted_; }

 private:
  const TStatList& list_;
  int entry_;
  int len_;
  bool sorted_;
  std::map<int, TStatDrawArray> tables_;
};

// The items whose value text is one of `texts`, in item order; a text absent from the items
// selects nothing.
TStatDrawArray SelectByTexts(const TCustomStat& stat, const TStatDrawArray& items,
                             const std::vector<std::string>& texts);

// The draw's numbers in ascending order, as the full list holds them; false when they are not
// five different numbers 1..36 (such a draw is in no list).
bool DrawComb(const TDraw& draw, TComb& comb);

// The analysis point of a tested draw and the loading every filter at that point starts with.
inline int AnalysisPointOf(int index) {
  return index - 1;
}
// Counts the combinations of the full list the filter keeps at the analysis point before
// `index`; `scratch` takes them (sized by the call).
int CountKept(TCustomStat& stat, const TStatDrawArray& selected, int index, bool sorted,
              bool exclude, TCombList& scratch);
// Whether the draw at `index` is among the combinations that filter keeps.
bool DrawSurvives(TCustomStat& stat, const TStatDrawArray& selected, int index, bool sorted,
                  bool exclude);

// Called after every tested draw with the number done and the total; false stops the run.
using TTestProgress = std::function<bool(int done, int total)>;

}  // namespace kvarn
