// The filters of a scenario line as a run reads them, and their expansion into every concrete
// variant: one sample length and, for the level modes that test one value, one value per part.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/filter_item.h"
#include "scenario/filter_part.h"

namespace kvarn {

// More variants than this are refused before any is made: each costs a run of its own, and a
// list of millions would exhaust the memory long before the run could end.
constexpr int64_t MaxFilterVariants = 1000000;

// "Некорректное описание фильтра: %s!"
std::string FilterBadText(std::string_view filter);

// The non-empty filter fields 2..8 of a line, in field order. A field whose method identifier is
// unknown raises FilterBadText with the field as written; a line without any filter raises it
// with an empty text.
std::vector<TFilterItem> ReadLineFilters(std::string_view line, const TStatList& registry);

// Whether the level mode tests one value (each value of the list becomes its own variant) rather
// than the whole list at once.
bool LevelModePerValue(int levelMode);

// The number of variants of the filters: the product over them of lengths x values for the
// per-value level modes and of lengths for the others. Raises FilterBadText for a filter whose
// lengths (or values, when its level mode is not 0) do not read as a value list.
int64_t CountFilterVariants(const std::vector<TFilterItem>& filters);

using TFilterVars = std::deque<TFilterRec>;

struct TVariantHooks {
  // Polled before every length and every value; true ends the expansion.
  std::function<bool()> StopRequested;
  // Every 1000th variant made, with the count.
  std::function<void(int64_t count)> Progress;
};

// Appends every variant to `out`, depth first with slot 0 outermost: lengths in list order, and
// within a length the values in list order. Returns false when a stop ended it early.
// Raises FilterBadText as CountFilterVariants does, and FilterTooManyText when the variants
// exceed MaxFilterVariants or cannot be stored.
bool CreateFilterVariants(const std::vector<TFilterItem>& filters, TFilterVars& out,
                          const TVariantHooks& hooks = {});

// "Вы задали слишком много вариантов фильтров - ..." followed by "\r\r" and the cause.
std::string FilterTooManyText(std::string_view cause);

}  // namespace kvarn
