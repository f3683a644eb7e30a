// The shredding formulas: what the formulas dialog changes when the person confirms it.
#include "app/workspace.h"
#include "stats/methods/shredding.h"

namespace kvarn {

bool TWorkspace::ShreddingApply(const TShreddingConfig& shredding) {
  TStatList& list = StatList();
  TShreddingConfig& s = settings_.Shredding;
  s.Formulas = shredding.Formulas;
  for (size_t k = 0; k < s.Digits.size(); ++k) {
    // The dialog's spin edits allow 1..5; more digits would not fit the shredded whole number.
    const int d = shredding.Digits[k];
    s.Digits[k] = d < ShreddingMinDigits ? ShreddingMinDigits
                                         : (d > ShreddingMaxDigits ? ShreddingMaxDigits : d);
  }
  StatSyncSettings();
  const bool saved = ConfigSaveShredding();
  // The files of the old formulas would give wrong norms: rebuilt now, or dropped and built
  // afresh once the comparison is switched on.
  if (WindowState().PrefetchsEnabled)
    RefreshPrefetchFiles(false, 1u << ShrGroup, true);
  else
    DropPrefetchFiles(1u << ShrGroup);
  MethodBoxesRefill(true);
  // A table of a shredding method would otherwise go on showing the old formula's values.
  const int entry = StatSelectedEntry();
  if (entry >= 0 && list.Items(entry).StatClass->Group() == ShrGroup) ComputeStatistics(true);
  return saved;
}

}  // namespace kvarn
