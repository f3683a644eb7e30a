// The helpers of the statistics tests: archives, a registry over them with settings of the test's
// choice, runs of a method as the statistics table makes them, and the texts of the values.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/archives.h"
#include "core/config.h"
#include "stats/registry.h"
#include "stats/stat.h"

namespace kvarn::family_test {

using test::Archive;
using test::MakeDraw;

// The table run of one method over draws first..last.
inline TStatDrawArray RunWindow(TCustomStat& stat, int first, int last, bool sorted) {
  TStatDrawArray list;
  TLastValueArray lastValues;
  TStatContext context;
  stat.ListAllValues(last, list);
  for (int i = first; i <= last; ++i)
    stat.AddDrawValues(i, last, sorted, list, context, lastValues);
  return list;
}

// "value=count@depth" of every item, in list order.
inline std::string Dump(const TCustomStat& stat, const TStatDrawArray& list) {
  std::string s;
  for (const TStatDraw& item : list) {
    if (!s.empty()) s += ' ';
    s += stat.ValueText(item) + "=" + std::to_string(item.Count) + "@" + std::to_string(item.Depth);
  }
  return s;
}

// Items whose keys are the given values in K1.
inline TStatDrawArray Select(std::initializer_list<uint16_t> values) {
  TStatDrawArray selected;
  for (uint16_t v : values) {
    TStatDraw item;
    item.Key.Set(v);
    selected.push_back(item);
  }
  return selected;
}

// An archive, the settings and a registry over both; methods are created from class
// descriptors. A test changes the settings before it creates its methods.
struct TFamilyFixture {
  explicit TFamilyFixture(TDrawsArray d = {}) : draws(std::move(d)), list(draws) {
    list.SetConfig(&config);
  }
  std::unique_ptr<TCustomStat> Create(const TStatClass& cls, int param = 0) {
    return cls.Create(list, param);
  }
  // One run over the draws first..last (all draws by default), as the statistics table does.
  TStatDrawArray Run(TCustomStat& stat, bool sorted = false, int first = 0, int last = -1) {
    if (last < 0) last = static_cast<int>(draws.size()) - 1;
    return RunWindow(stat, first, last, sorted);
  }
  TDrawsArray draws;
  TConfigData config;
  TStatList list;
};

// "text=count" of every item in list order.
inline std::vector<std::string> Texts(const TCustomStat& stat, const TStatDrawArray& items) {
  std::vector<std::string> out;
  for (const TStatDraw& item : items)
    out.push_back(stat.ValueText(item) + "=" + std::to_string(item.Count));
  return out;
}

// The values a combination adds, as texts.
inline std::vector<std::string> CombTexts(TCustomStat& stat, const TComb& comb) {
  TStatDrawArray items;
  stat.AddCombValues(comb, items);
  return Texts(stat, items);
}

// The values a method lists in advance, as texts.
inline std::vector<std::string> Listed(TCustomStat& stat) {
  TStatDrawArray items;
  stat.ListAllValues(0, items);
  return Texts(stat, items);
}

// The item whose text is `text`; a default item when none.
inline TStatDraw ItemOf(const TCustomStat& stat, const TStatDrawArray& items,
                        const std::string& text) {
  for (const TStatDraw& item : items)
    if (stat.ValueText(item) == text) return item;
  return {};
}

inline TStatDraw KeyItem(int32_t l1, int32_t l2 = 0) {
  TStatDraw d;
  d.Key.SetL1(l1);
  d.Key.SetL2(l2);
  return d;
}

inline TStatDraw WordsItem(uint16_t k1, uint16_t k2 = 0, uint16_t k3 = 0, uint16_t k4 = 0) {
  TStatDraw d;
  d.Key.Set(k1, k2, k3, k4);
  return d;
}

}  // namespace kvarn::family_test
