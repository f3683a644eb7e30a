// A filter pass may prepare the selection once (bit masks, no virtual call per combination):
// whatever shortcut a class takes, the pass must keep exactly what CombMatches keeps.
#include <gtest/gtest.h>

#include <random>

#include "combs/combs.h"
#include "stats/registry.h"
#include "stats/stat.h"

namespace kvarn {
namespace {

TDrawsArray RandomArchive(int count) {
  TDrawsArray draws;
  std::mt19937 rng(77);
  for (int i = 1; i <= count; ++i) {
    TDraw d;
    d.Number = i;
    TNumberBits used;
    for (int k = 0; k < CombSize;) {
      const int n = static_cast<int>(rng() % NumbersCount) + 1;
      if (used.test(static_cast<size_t>(n))) continue;
      used.set(static_cast<size_t>(n));
      d.Values[static_cast<size_t>(k++)] = static_cast<uint8_t>(n);
    }
    draws.push_back(d);
  }
  return draws;
}

TEST(FilterPass, KeepsExactlyWhatCombMatchesKeepsForEveryMethod) {
  const TDrawsArray draws = RandomArchive(60);
  TStatList list(draws);
  list.Register();
  TCombList full;
  GenerateCombs(full, gmFull, TNumberBits());
  // Every 13th combination keeps the run short under the sanitizers.
  std::vector<TComb> sample;
  for (int i = 0; i < full.Count(); i += 13) sample.push_back(full.Data()[i]);
  const int last = static_cast<int>(draws.size()) - 1;
  std::vector<TComb> out(sample.size());
  for (int e = 0; e < list.Count(); ++e) {
    auto stat = list.CreateStat(e);
    TStatDrawArray values;
    stat->ListAllValues(last, values);
    if (values.empty()) stat->AddCombValues(TComb{3, 11, 19, 27, 35}, values);
    // Three selections: one value, a few values, and a value no combination has.
    std::vector<TStatDrawArray> selections;
    if (!values.empty()) selections.push_back({values.front()});
    TStatDrawArray some;
    for (size_t i = 0; i < values.size(); i += 3) some.push_back(values[i]);
    selections.push_back(some);
    TStatDraw odd;
    odd.Key.Set(65000, 1, 2, 3);
    selections.push_back({odd});
    for (const TStatDrawArray& selected : selections) {
      for (bool exclude : {false, true}) {
        stat->LoadDraws(-1, last, false);
        int expected = 0;
        std::vector<TComb> want;
        for (const TComb& c : sample)
          if (stat->CombMatches(c, selected, last, false, exclude) != exclude) want.push_back(c);
        expected = static_cast<int>(want.size());
        stat->LoadDraws(-1, last, false);
        const int kept = stat->FilterPass(sample.data(), static_cast<int>(sample.size()),
                                          out.data(), selected, last, false, exclude);
        ASSERT_EQ(kept, expected) << list.Items(e).IdentOf() << " exclude=" << exclude;
        for (int i = 0; i < kept; ++i)
          ASSERT_EQ(out[static_cast<size_t>(i)], want[static_cast<size_t>(i)])
              << list.Items(e).IdentOf();
      }
    }
  }
}

}  // namespace
}  // namespace kvarn
