// System play: the numbers of the combination list select the stored system for that many
// numbers, its positions become those numbers, and its combinations - all of them, or only those
// also in the list - are staked. The window, kvarn-cli and the scenario runner share these steps.
#pragma once

#include <functional>
#include <string>

#include "combs/combs.h"
#include "core/config.h"
#include "stakes/stakes_file.h"
#include "stakes/system.h"

namespace kvarn {

// The different numbers of the list in order of first appearance (each combination's numbers in
// their stored order), at most 36. Position k of a system stands for the k-th of them.
TByteArray SystemListNumbers(const TCombList& list);

struct TSystemFind {
  bool Ok = false;
  TCombsArray Combs;     // the system's lines with positions replaced by numbers, file order
  std::string FileName;  // full path of the system's file
  std::string Error;     // the short failure text (the scenario log's)
  std::string Message;   // the failure as the error box shows it
};

// Looks up the stored system for numbers.size() numbers and applies it. Fails when none is stored,
// when its file cannot be read, holds a line that is not five integers or uses a position outside
// 1..n (or one position twice), or holds no line at all.
TSystemFind SystemFindCombs(const std::string& dataDir, const TByteArray& numbers);

enum class TSystemPlayMode {
  All,    // "вся система": every combination of the system
  Combs,  // "система * комбинации": only those also in the list
};

// The comment of the stakes: "Системная игра для %d чисел [...]: %s" with the file's short name.
std::string SystemStakeComment(TSystemPlayMode mode, int numsCount, const std::string& fileName);

// The combinations to stake, each sorted ascending, in the system's order; with Combs only those
// found in the list (in whatever order the list holds their numbers).
TCombsArray SystemStakeCombs(const TCombsArray& systemCombs, TSystemPlayMode mode,
                             const TCombList& list);

// The sample size of the stakes: the list's length for Combs, the system's size for All.
int32_t SystemSampleSize(TSystemPlayMode mode, size_t systemCount, int listCount);

// A separator unless the file's last record is one, then a system stake (kind 4) of each
// combination for `draws` consecutive draws from `drawNumber`. Stops at the first stake that cannot
// be added (raising its message); the stakes before it stay. Returns the stakes appended.
size_t SystemStakesAppend(TStakesFile& stakes, const TCombsArray& combs, int32_t drawNumber,
                          int draws, const std::string& comment, int32_t sampleSize,
                          const TConfigData& config,
                          const std::function<void(size_t)>& progress = {});

}  // namespace kvarn
