// Small method classes and archives for the framework, registry and table tests.
#pragma once

#include <initializer_list>
#include <string>

#include "common/test_methods.h"
#include "family_test_util.h"
#include "stats/registry.h"
#include "stats/stat.h"

namespace kvarn::stat_fixtures {

using test::Archive;

// Each of the five numbers; 1..36 listed in advance.
class TstFxNumbers : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  KVARN_TEST_METHOD_INFO("FXN", "Числа", 0, sfN)
  void ListAllValues(int last, TStatDrawArray& list) override {
    TCustomStat::ListAllValues(last, list);
    for (uint16_t n = 1; n <= 36; ++n) {
      Work.Key.Set(n);
      AddStatItem(list, Work, false);
    }
  }
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override {
    TCustomStat::AddCombValues(comb, list);
    for (uint8_t n : comb) {
      Work.Key.Set(n);
      AddStatItem(list, Work, false);
    }
  }
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& ctx,
                     TLastValueArray& lv) override {
    TCustomStat::AddDrawValues(index, last, sorted, list, ctx, lv);
    for (uint8_t n : Current.Values) {
      Work.Key.Set(n);
      AddStatItem(list, Work, true);
    }
  }
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override {
    for (uint8_t n : comb)
      if (SelectedHasWord(selected, 1, n)) return true;
    return false;
  }
};

// The number at position Param; a graph.
class TstFxPos : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static std::string Ident() { return "FXP%d"; }
  static std::string Caption() { return "Число в %0:d позиции"; }
  static std::string HelpIdent() { return "FXPx"; }
  static int Group() { return 1; }
  static uint8_t Features() { return sfS | sfN; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList&, int& min, int& max) {
    min = 1;
    max = 5;
  }
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& ctx,
                     TLastValueArray& lv) override {
    TCustomStat::AddDrawValues(index, last, sorted, list, ctx, lv);
    Work.Key.Set(Current.Values[static_cast<size_t>(Param - 1)]);
    AddStatItem(list, Work, true);
  }
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override {
    return SelectedHasWord(selected, 1, comb[static_cast<size_t>(Param - 1)]);
  }
  int32_t GraphValueOf(const TComb& values, int, int, bool) override {
    return values[static_cast<size_t>(Param - 1)];
  }
};

// Number of even numbers, shown k:(5-k).
class TstFxEven : public TCustomRatioStat {
 public:
  using TCustomRatioStat::TCustomRatioStat;
  KVARN_TEST_METHOD_INFO("FXE", "Четные", 0, sfN)
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
  int32_t GraphValueOf(const TComb& values, int, int, bool) override {
    int k = 0;
    for (uint8_t n : values) k += n % 2 == 0;
    return k;
  }
};

// Odd/even mask.
class TstFxMask : public TCustomMaskStat {
 public:
  using TCustomMaskStat::TCustomMaskStat;
  KVARN_TEST_METHOD_INFO("FXM", "Маска", 0, sfS | sfN)
  std::string ZeroMark() const override { return "Ч"; }
  std::string OneMark() const override { return "н"; }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

// A method over the previous draw: the numbers it shares with the reference draw.
class TstFxShared : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  KVARN_TEST_METHOD_INFO("FXD", "Общие", 7, sfD)
  static bool IsListed() { return false; }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

class TstFxHidden : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  KVARN_TEST_METHOD_INFO("FXH", "Скрытый", 2, 0)
  static bool IsAvailable() { return false; }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

class TstFxShred : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  KVARN_TEST_METHOD_INFO("FXS%d", "Метод шинковки %0:d: %%s", 12, sfS | sfN)
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList&, int& min, int& max) {
    min = 1;
    max = 3;
  }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

const TStatClass& TstFxNumbers_Class();
const TStatClass& TstFxPos_Class();
const TStatClass& TstFxEven_Class();
const TStatClass& TstFxMask_Class();
const TStatClass& TstFxShared_Class();
const TStatClass& TstFxHidden_Class();
const TStatClass& TstFxShred_Class();

inline TStatKey Key1(uint16_t k1) {
  return family_test::WordsItem(k1).Key;
}

}  // namespace kvarn::stat_fixtures
