#include "stakes/system_play.h"

#include <algorithm>
#include <vector>

#include "core/files.h"
#include "core/text.h"
#include "stakes/system_store.h"

namespace kvarn {

namespace {

// The rank of an ascending combination among all C(36,5), for a flat membership table.
class TCombRanks {
 public:
  TCombRanks() {
    for (int n = 0; n <= NumbersCount; ++n)
      for (int k = 0; k <= CombSize; ++k) binom_[n][k] = Binom(n, k);
  }
  size_t Rank(TComb c) const {
    SortComb(c);
    size_t r = 0;
    for (int i = 0; i < CombSize; ++i) r += binom_[c[static_cast<size_t>(i)] - 1][i + 1];
    return r;
  }

 private:
  static size_t Binom(int n, int k) {
    if (k > n) return 0;
    size_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * static_cast<size_t>(n - k + i) / static_cast<size_t>(i);
    return r;
  }
  size_t binom_[NumbersCount + 1][CombSize + 1]{};
};

bool ValidComb(const TComb& c) {
  TNumberBits seen;
  for (uint8_t v : c) {
    if (v < 1 || v > NumbersCount || seen.test(v)) return false;
    seen.set(v);
  }
  return true;
}

const char* const kLoadError = "Ошибка загрузки комбинаций системы!\r\r%s";

TSystemFind Failed(TSystemFind r, const std::string& cause) {
  r.Ok = false;
  r.Combs.clear();
  r.Error = StrFormat(kLoadError, cause.c_str());
  r.Message = r.Error;
  return r;
}

}  // namespace

TByteArray SystemListNumbers(const TCombList& list) {
  TByteArray numbers;
  TNumberBits seen;
  for (int i = 0; i < list.Count() && numbers.size() < static_cast<size_t>(NumbersCount); ++i)
    for (uint8_t v : list[i]) {
      if (seen.test(v)) continue;
      seen.set(v);
      numbers.push_back(v);
      if (numbers.size() == static_cast<size_t>(NumbersCount)) break;
    }
  return numbers;
}

TSystemFind SystemFindCombs(const std::string& dataDir, const TByteArray& numbers) {
  TSystemFind r;
  const int n = static_cast<int>(numbers.size());
  r.FileName = SystemFindFile(dataDir, n);
  if (r.FileName.empty()) {
    r.Error = StrFormat("Система для %d чисел не найдена или не загружена на компьютер!", n);
    r.Message = r.Error +
                "\r\rПеред системной игрой необходимо предварительно загрузить системы на Ваш "
                "компьютер через меню \"Системы\" - \"Загрузить\".";
    return r;
  }

  std::string text;
  try {
    text = ReadWholeFile(r.FileName);
  } catch (const std::exception& e) {
    return Failed(std::move(r), e.what());
  }
  for (std::string_view line : SplitTextLines(text)) {
    TSystemLine positions;
    const TSystemLineKind kind = SystemParseLine(line, positions);
    if (kind == TSystemLineKind::Blank) continue;
    TComb c{};
    bool ok = kind == TSystemLineKind::Five;
    for (int i = 0; ok && i < SystemCombLen; ++i) {
      const int p = positions[static_cast<size_t>(i)];
      ok = p >= 1 && p <= n;
      if (ok) c[static_cast<size_t>(i)] = numbers[static_cast<size_t>(p - 1)];
    }
    if (!ok || !ValidComb(c))
      return Failed(std::move(r),
                    StrFormat("Некорректная комбинация: \"%s\"!", std::string(line).c_str()));
    r.Combs.push_back(c);
  }
  if (r.Combs.empty())
    return Failed(std::move(r), StrFormat("Файл системы \"%s\" не содержит комбинаций!",
                                          SystemShortName(r.FileName).c_str()));
  r.Ok = true;
  return r;
}

std::string SystemStakeComment(TSystemPlayMode mode, int numsCount, const std::string& fileName) {
  return StrFormat(mode == TSystemPlayMode::All ? "Системная игра для %d чисел [вся система]: %s"
                                                : "Системная игра для %d чисел [комбинации]: %s",
                   numsCount, SystemShortName(fileName).c_str());
}

TCombsArray SystemStakeCombs(const TCombsArray& systemCombs, TSystemPlayMode mode,
                             const TCombList& list) {
  TCombsArray out;
  out.reserve(systemCombs.size());
  std::vector<bool> inList;
  static const TCombRanks ranks;
  if (mode == TSystemPlayMode::Combs) {
    inList.assign(FullCombsCount, false);
    for (int i = 0; i < list.Count(); ++i)
      if (ValidComb(list[i])) inList[ranks.Rank(list[i])] = true;
  }
  for (TComb c : systemCombs) {
    SortComb(c);
    if (mode == TSystemPlayMode::Combs && !inList[ranks.Rank(c)]) continue;
    out.push_back(c);
  }
  return out;
}

int32_t SystemSampleSize(TSystemPlayMode mode, size_t systemCount, int listCount) {
  return mode == TSystemPlayMode::Combs ? listCount : static_cast<int32_t>(systemCount);
}

size_t SystemStakesAppend(TStakesFile& stakes, const TCombsArray& combs, int32_t drawNumber,
                          int draws, const std::string& comment, int32_t sampleSize,
                          const TConfigData& config, const std::function<void(size_t)>& progress) {
  if (combs.empty()) return 0;
  stakes.AppendSeparator();
  TNumberSet five;
  five.Count = CombSize;  // the prototype is priced as a stake of five numbers
  const TStake proto =
      StakeNew(skSystem, drawNumber, sampleSize, five, comment, config.StakeCost, config.Profits);
  return stakes.AppendEach(
      proto, combs.size(),
      [&combs](size_t i) {
        TNumberSet s;
        s.Count = CombSize;
        for (int k = 0; k < CombSize; ++k)
          s.Numbers[static_cast<size_t>(k)] = combs[i][static_cast<size_t>(k)];
        return s;
      },
      draws, progress);
}

}  // namespace kvarn
