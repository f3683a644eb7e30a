// Text forms of numbers, combinations, draws and lists, and their parsing.
#pragma once

#include <string>
#include <string_view>

#include "core/lottery.h"

namespace kvarn {

// ---- text forms ----
std::string NumberText(int64_t n);
int TextNumber(std::string_view s);
std::string CombText(const TComb& c);
std::string CombTextPadded(const TComb& c);
std::string NumberSetText(const TNumberSet& s, std::string_view sep);
std::string DrawValuesText(const TDraw& d);  // "3;11;19;27;35 e:0"
std::string DrawText(const TDraw& d);
std::string IntListText(const TIntArray& a, std::string_view sep);
std::string StakeSourceName(int kind);

// ---- parsing ----
// Separators of a combination text: TAB, space , - . : ; and the vertical bar.
extern const std::string_view CombSeparators;
// Five numbers; a word that is no number or does not fit a byte reads as 0.
TComb ParseComb(std::string_view text);
TIntArray ParseValueList(std::string_view text);

}  // namespace kvarn
