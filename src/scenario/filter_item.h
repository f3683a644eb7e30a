// One filter of a scenario line (fields 2 to 8) and its text form, e.g. TSD1#SUMS:10#LMV:3#SF:1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "stats/registry.h"

namespace kvarn {

struct TFilterItem {
  bool Active = false;
  std::string IdentText;                // the method piece as read (identifier and lengths)
  const TStatMethod* Method = nullptr;  // registry entry; unset when the identifier is unknown
  std::string DrawsLen;                 // sample lengths, a value list as typed
  int32_t SortColumn = 0;
  bool BottomUp = false;
  bool MultiSelect = false;
  bool KeepSelected = false;
  uint8_t LevelMode = 0;   // FilterLevelModes
  std::string LevelValue;  // a value list as typed
  bool CDLOverride = false;
  long double CoefCount = 0;
  long double CoefDeviation = 0;
  long double CoefLevel = 0;
  bool CoefPercents = false;
  bool CoefAbs = false;
  uint8_t StopMode = 0;  // FilterStopModes
  int32_t StopValue = 0;

  TStatWeights Weights() const;
  void SetWeights(const TStatWeights& w);
  friend bool operator==(const TFilterItem&, const TFilterItem&) = default;
};

// The empty string for an inactive filter. With the method unset, IdentText is written back
// unchanged, so an identifier this program does not know survives; a blank one is written as a
// single blank, so that the pieces after it keep their places.
std::string FilterItemToText(const TFilterItem& f);

// Never fails. The method is the first registry entry (registry order) whose identifier starts
// the method piece, ignoring case; unknown codes leave their defaults.
TFilterItem FilterItemFromText(std::string_view text, const TStatList& registry);

// The header letters: "T"/"B", "S"/"M", "D"/"F".
std::string FilterHeaderLetters(bool bottomUp, bool multiSelect, bool keepSelected);
// The five weight values joined with ":", e.g. 0.5:-1:1:0:1.
std::string FilterWeightsText(long double count, long double deviation, long double level,
                              bool percents, bool abs);

}  // namespace kvarn
