// One concrete variant of a filter (a single sample length, one level test) as a scenario run
// applies it, the set of seven such parts, and their text in logs and stake descriptions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "scenario/filter_item.h"
#include "scenario/script_line.h"

namespace kvarn {

struct TFilterPart {
  bool Active = false;
  const TStatMethod* Method = nullptr;
  // The identifier as read (text before the first ":" of the method piece); written in place of
  // the method's own when Method is unset, so that an unknown method can still be named.
  std::string IdentText;
  int32_t DrawsLen = 0;
  int32_t SortColumn = 0;
  bool BottomUp = false;
  bool MultiSelect = false;
  bool KeepSelected = false;
  uint8_t LevelMode = 0;
  std::string LevelTest;  // compared against the table
  std::string LevelText;  // shown in texts
  bool CDLOverride = false;
  long double CoefCount = 0;
  long double CoefDeviation = 0;
  long double CoefLevel = 0;
  bool CoefPercents = false;
  bool CoefAbs = false;
  uint8_t StopMode = 0;
  int32_t StopValue = 0;

  TStatWeights Weights() const {
    return {CoefCount, CoefDeviation, CoefLevel, CoefPercents, CoefAbs};
  }
};

using TFilterRec = std::array<TFilterPart, ScriptFilterCount>;

// "TSD#SUMS:10#LMV:3#SF:1": header letters without the sort column; empty for an inactive part.
std::string FilterPartToText(const TFilterPart& p);
// The texts of the active parts in slot order, joined with " + ".
std::string FilterRecToText(const TFilterRec& rec);

// "03.012: Test @ text", or "03.012: @ text" without a comment: line and variant numbers
// (1-based line, variant 0 for a line without filters).
std::string ScriptStepLabel(int line, int variant, std::string_view comment, std::string_view text);

}  // namespace kvarn
