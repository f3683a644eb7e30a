#include "scenario/filter_variants.h"

#include <new>

#include "core/lottery_text.h"
#include "core/text.h"
#include "scenario/script_line.h"

namespace kvarn {

std::string FilterBadText(std::string_view filter) {
  return StrFormat("Некорректное описание фильтра: %s!", std::string(filter).c_str());
}

std::string FilterTooManyText(std::string_view cause) {
  return "Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\r"
         "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и "
         "глубины, а затем повторите попытку.\r\r" +
         std::string(cause);
}

std::vector<TFilterItem> ReadLineFilters(std::string_view line, const TStatList& registry) {
  std::vector<TFilterItem> filters;
  for (int field = 2; field < 2 + ScriptFilterCount; ++field) {
    const std::string text = ScriptLineField(line, field);
    if (text.empty()) continue;
    TFilterItem f = FilterItemFromText(text, registry);
    if (!f.Method) Raise(FilterBadText(text));
    filters.push_back(std::move(f));
  }
  if (filters.empty()) Raise(FilterBadText(""));
  return filters;
}

bool LevelModePerValue(int m) {
  return (m >= 1 && m <= 4) || (m >= 7 && m <= 10) || (m >= 13 && m <= 16) || (m >= 19 && m <= 30);
}

namespace {

// The lengths and values of one filter, read once.
struct TFilterLists {
  TIntArray Lengths;
  TIntArray Values;
};

TFilterLists ReadLists(const TFilterItem& f) {
  TFilterLists l;
  l.Lengths = ParseValueList(f.DrawsLen);
  if (f.LevelMode != 0) l.Values = ParseValueList(f.LevelValue);
  if (l.Lengths.empty() || (f.LevelMode != 0 && l.Values.empty()))
    Raise(FilterBadText(FilterItemToText(f)));
  return l;
}

std::vector<TFilterLists> ReadAllLists(const std::vector<TFilterItem>& filters) {
  std::vector<TFilterLists> lists;
  for (const TFilterItem& f : filters) lists.push_back(ReadLists(f));
  return lists;
}

int64_t VariantsOf(const TFilterItem& f, const TFilterLists& l) {
  const auto lengths = static_cast<int64_t>(l.Lengths.size());
  return LevelModePerValue(f.LevelMode) ? lengths * static_cast<int64_t>(l.Values.size()) : lengths;
}

// The product, saturated just above the limit (lists are at most a million values each).
int64_t Product(const std::vector<TFilterItem>& filters, const std::vector<TFilterLists>& lists) {
  int64_t n = 1;
  for (size_t s = 0; s < filters.size(); ++s) {
    n *= VariantsOf(filters[s], lists[s]);
    if (n > MaxFilterVariants) return MaxFilterVariants + 1;
  }
  return n;
}

std::string JoinValues(const TIntArray& values) {
  std::string t;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) t += ',';
    t += std::to_string(values[i]);
  }
  return t;
}

// The identifier as read: the method piece up to its first ":".
std::string IdentAsRead(const std::string& identText) {
  return std::string(Trim(std::string_view(identText).substr(0, identText.find(':'))));
}

TFilterPart PartOf(const TFilterItem& f, int32_t len) {
  TFilterPart p;
  p.Active = f.Active;
  p.Method = f.Method;
  p.IdentText = IdentAsRead(f.IdentText);
  p.DrawsLen = len;
  p.SortColumn = f.SortColumn;
  p.BottomUp = f.BottomUp;
  p.MultiSelect = f.MultiSelect;
  p.KeepSelected = f.KeepSelected;
  p.LevelMode = f.LevelMode;
  p.CDLOverride = f.CDLOverride;
  p.CoefCount = f.CoefCount;
  p.CoefDeviation = f.CoefDeviation;
  p.CoefLevel = f.CoefLevel;
  p.CoefPercents = f.CoefPercents;
  p.CoefAbs = f.CoefAbs;
  p.StopMode = f.StopMode;
  p.StopValue = f.StopValue;
  return p;
}

class TExpansion {
 public:
  TExpansion(const std::vector<TFilterItem>& filters, const std::vector<TFilterLists>& lists,
             TFilterVars& out, const TVariantHooks& hooks)
      : filters_(filters), lists_(lists), out_(out), hooks_(hooks) {}

  // False when a stop ended it.
  bool Slot(size_t s) {
    const TFilterItem& f = filters_[s];
    const TFilterLists& l = lists_[s];
    const bool perValue = LevelModePerValue(f.LevelMode);
    for (int32_t len : l.Lengths) {
      if (Stopped()) return false;
      TFilterPart p = PartOf(f, len);
      if (!perValue) {
        p.LevelText = f.LevelValue;
        p.LevelTest = f.LevelMode == 0 ? f.LevelValue : JoinValues(l.Values);
        if (!Place(s, std::move(p))) return false;
        continue;
      }
      for (int32_t x : l.Values) {
        if (Stopped()) return false;
        TFilterPart v = p;
        v.LevelText = v.LevelTest = std::to_string(x);
        if (!Place(s, std::move(v))) return false;
      }
    }
    return true;
  }

 private:
  bool Stopped() const { return hooks_.StopRequested && hooks_.StopRequested(); }

  bool Place(size_t s, TFilterPart p) {
    rec_[s] = std::move(p);
    if (s + 1 < filters_.size()) return Slot(s + 1);
    out_.push_back(rec_);
    ++made_;
    if (made_ % 1000 == 0 && hooks_.Progress) hooks_.Progress(made_);
    return true;
  }

  const std::vector<TFilterItem>& filters_;
  const std::vector<TFilterLists>& lists_;
  TFilterVars& out_;
  const TVariantHooks& hooks_;
  TFilterRec rec_;
  int64_t made_ = 0;
};

}  // namespace

int64_t CountFilterVariants(const std::vector<TFilterItem>& filters) {
  return Product(filters, ReadAllLists(filters));
}

bool CreateFilterVariants(const std::vector<TFilterItem>& filters, TFilterVars& out,
                          const TVariantHooks& hooks) {
  if (filters.empty() || filters.size() > static_cast<size_t>(ScriptFilterCount))
    Raise(FilterBadText(""));
  const std::vector<TFilterLists> lists = ReadAllLists(filters);
  const int64_t count = Product(filters, lists);
  if (count > MaxFilterVariants)
    Raise(FilterTooManyText(StrFormat("Количество вариантов фильтров превышает %lld.",
                                      static_cast<long long>(MaxFilterVariants))));
  try {
    return TExpansion(filters, lists, out, hooks).Slot(0);
  } catch (const std::bad_alloc& e) {
    out.clear();
    Raise(FilterTooManyText(e.what()));
  }
}

}  // namespace kvarn
