#include "stakes/stakes_check.h"

#include <algorithm>
#include <vector>

#include "core/draws.h"
#include "core/text.h"

namespace kvarn {

namespace {

bool Qualifies(const uint8_t* rec) {
  const int32_t count = StakeBytesCount(rec);
  // A count beyond the number bytes is damage, not a stake.
  return !StakeBytesChecked(rec) && StakeBytesDrawNumber(rec) > 0 && count >= CombSize &&
         count <= MaxSetSize;
}

}  // namespace

bool StakesCheck(TStakesFile& file, const TDrawsArray& draws, const TConfigData& config,
                 IStakesCheckSink& sink, TStakesLog* log) {
  bool any = false;
  try {
    sink.CheckProgress("Проверка результатов ставок...");
    if (!file.IsOpen()) Raise("Файл ставок не открыт!");
    if (file.Empty()) return false;
    const auto showError = [&sink](const std::string& text) { sink.CheckError(text); };
    const size_t blockRecords = file.ScanBlockRecords();
    std::vector<uint8_t> block(blockRecords * StakeRecordSize);
    std::vector<size_t> checked;
    checked.reserve(blockRecords);
    TStakeDecoder decoder;
    int64_t firstQualifying = -1, total = 0, step = 1;
    for (int64_t first = 0;; first += static_cast<int64_t>(blockRecords)) {
      const size_t n = file.ReadBlock(first, blockRecords, block.data());
      checked.clear();
      for (size_t i = 0; i < n; ++i) {
        uint8_t* rec = block.data() + i * StakeRecordSize;
        if (!Qualifies(rec)) continue;
        if (firstQualifying < 0) {
          firstQualifying = first + static_cast<int64_t>(i);
          total = file.Count() - firstQualifying;
          step = std::max<int64_t>(1, total / 100);
        }
        const int index = DrawsFindNumber(draws, StakeBytesDrawNumber(rec));
        if (index < 0) continue;
        StakeBytesApplyDraw(rec, draws[static_cast<size_t>(index)], config.StakeCost,
                            config.Profits);
        checked.push_back(i);
      }
      if (!checked.empty()) {
        // Written back before the rating and the log hear of them.
        const size_t lo = checked.front(), hi = checked.back();
        file.WriteBlock(first + static_cast<int64_t>(lo), hi - lo + 1,
                        block.data() + lo * StakeRecordSize);
        for (size_t i : checked) {
          const TStake stake = decoder.Decode(block.data() + i * StakeRecordSize);
          sink.StakeChecked(stake);
          if (log) log->Write(stake, showError);
        }
        if (log) log->Flush(showError);
        any = true;
      }
      if (firstQualifying >= 0) {
        const int64_t from = std::max(first, firstQualifying) - firstQualifying + 1;
        const int64_t to = first + static_cast<int64_t>(n) - firstQualifying;
        for (int64_t done = (from + step - 1) / step * step; done <= to; done += step)
          sink.CheckProgress(
              StrFormat("Проверка результатов ставок ( завершено %.0f %% )...",
                        100.0 * static_cast<double>(done) / static_cast<double>(total)));
      }
      if (n < blockRecords) break;
    }
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка проверки ставок!\r\r%s", e.what()));
  }
  return any;
}

}  // namespace kvarn
