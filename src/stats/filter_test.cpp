#include "stats/filter_test.h"

#include <memory>

namespace kvarn {

TSurvivalSummary SummariseSurvival(std::span<const TFilterTestDraw> draws) {
  TSurvivalSummary s;
  s.Trials = static_cast<int>(draws.size());
  if (s.Trials == 0) return s;
  std::vector<double> shares;
  shares.reserve(draws.size());
  double sum = 0;
  for (const TFilterTestDraw& d : draws) {
    shares.push_back(static_cast<double>(d.Kept) / FullCombsCount);
    sum += shares.back();
    s.Survivals += d.Survived ? 1 : 0;
  }
  s.Rate = static_cast<double>(s.Survivals) / s.Trials;
  s.MeanShare = sum / s.Trials;
  s.HasLift = s.MeanShare > 0;
  if (s.HasLift) s.Lift = s.Rate / s.MeanShare;
  s.Interval = WilsonInterval(s.Survivals, s.Trials);
  s.P = PoissonBinomialUpperTail(shares, s.Survivals);
  s.PLower = PoissonBinomialLowerTail(shares, s.Survivals);
  return s;
}

namespace {

std::vector<TStatKey> KeysOf(const TStatDrawArray& items) {
  std::vector<TStatKey> keys;
  keys.reserve(items.size());
  for (const TStatDraw& s : items) keys.push_back(s.Key);
  return keys;
}

}  // namespace

TFilterTestResult RunFilterTest(const TStatList& list, int entry,
                                const std::vector<std::string>& texts, TTestRange range,
                                const TFilterTestOptions& options, const TTestProgress& progress) {
  TDrawTables tables(list, entry, options.Len, options.Sorted);
  return RunFilterTest(list, entry, texts, range, options.Exclude, tables, progress);
}

TFilterTestResult RunFilterTest(const TStatList& list, int entry,
                                const std::vector<std::string>& texts, TTestRange range,
                                bool exclude, TDrawTables& tables, const TTestProgress& progress) {
  TFilterTestResult result;
  const TDrawsArray& draws = list.Draws();
  // An unchanged selection of such a method reuses the previous pass.
  const bool combOnly = ReadsCombinationAlone(*list.Items(entry).StatClass);
  std::unique_ptr<TCustomStat> filter = list.CreateStat(entry);
  const bool sorted = tables.Sorted();
  TCombList scratch;
  std::vector<TStatKey> passKeys;
  int passKept = -1;
  const int total = range.Count();
  for (int index = range.First; index <= range.Last; ++index) {
    const TStatDrawArray selected = SelectByTexts(*filter, tables.Before(index), texts);
    std::vector<TStatKey> keys = KeysOf(selected);
    if (!combOnly || passKept < 0 || keys != passKeys) {
      passKept = CountKept(*filter, selected, index, sorted, exclude, scratch);
      passKeys = std::move(keys);
    }
    TFilterTestDraw d;
    d.Index = index;
    d.Number = draws[static_cast<size_t>(index)].Number;
    d.Kept = passKept;
    d.Survived = DrawSurvives(*filter, selected, index, sorted, exclude);
    result.Draws.push_back(d);
    if (progress && !progress(static_cast<int>(result.Draws.size()), total)) {
      result.Stopped = index < range.Last;
      break;
    }
  }
  result.Summary = SummariseSurvival(result.Draws);
  return result;
}

}  // namespace kvarn
