// Appending stakes, and the scans that look for stakes already made.
#include <limits>
#include <vector>

#include "core/text.h"
#include "stakes/stakes_file.h"

namespace kvarn {

namespace {

constexpr size_t kBlockRecords = 4096;

// Builds the records of stakes for consecutive draws: from two draws on, a separator goes before a
// copy whenever the record before it has a draw number above 0.
class TAppendBuffer {
 public:
  explicit TAppendBuffer(int32_t lastDrawNumber, bool empty)
      : lastDraw_(lastDrawNumber), empty_(empty) {
    StakeToBytes(StakeBlank(), separator_);
  }

  void Add(uint8_t* rec, int32_t firstDraw, int draws) {
    for (int i = 0; i < draws; ++i) {
      if (draws >= 2 && !empty_ && lastDraw_ > 0) Push(separator_, -1);
      const int32_t number = firstDraw + i;
      StakeBytesSetDrawNumber(rec, number);
      Push(rec, number);
    }
  }
  size_t Records() const { return data_.size() / StakeRecordSize; }
  const uint8_t* Data() const { return data_.data(); }
  void Clear() { data_.clear(); }

 private:
  void Push(const uint8_t* rec, int32_t drawNumber) {
    data_.insert(data_.end(), rec, rec + StakeRecordSize);
    lastDraw_ = drawNumber;
    empty_ = false;
  }

  std::vector<uint8_t> data_;
  uint8_t separator_[StakeRecordSize];
  int32_t lastDraw_;
  bool empty_;
};

void CheckAppendable(const TStake& s, int draws) {
  if (s.IsChecked()) Raise("Добавление в конец файла уже проверенной ставки!");
  if (draws < 1 || draws > MaxStakeDraws)
    Raise(StrFormat("Некорректное количество тиражей: %d!", draws));
  // The draw numbers of the copies must stay within the field.
  const int64_t last = static_cast<int64_t>(s.DrawNumber) + draws - 1;
  if (last > std::numeric_limits<int32_t>::max())
    Raise(StrFormat("Некорректный номер тиража: %lld!", static_cast<long long>(last)));
}

}  // namespace

void TStakesFile::AppendSeparator() {
  try {
    RequireWritable();
    if (Empty()) return;
    uint8_t rec[StakeRecordSize];
    ReadAt(PositionOf(-1, TStakeOrigin::End), rec, sizeof rec);
    if (StakeBytesDrawNumber(rec) <= 0) return;
    StakeToBytes(StakeBlank(), rec);
    ForgetCache();
    AppendRaw(rec, 1);
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка добавления записи в файл ставок!\r\r%s", e.what()));
  }
}

void TStakesFile::Append(const TStake& s, int draws) {
  AppendEach(
      s, 1, [&s](size_t) { return s.Numbers; }, draws);
}

size_t TStakesFile::AppendEach(const TStake& proto, size_t count,
                               const std::function<TNumberSet(size_t)>& numbersOf, int draws,
                               const std::function<void(size_t)>& progress) {
  size_t done = 0;
  try {
    RequireWritable();
    CheckAppendable(proto, draws);
    int32_t lastDraw = 0;
    if (!Empty()) {
      uint8_t last[StakeRecordSize];
      ReadAt(PositionOf(-1, TStakeOrigin::End), last, sizeof last);
      lastDraw = StakeBytesDrawNumber(last);
    }
    uint8_t rec[StakeRecordSize];
    StakeToBytes(proto, rec);
    TAppendBuffer buffer(lastDraw, Empty());
    ForgetCache();
    size_t pending = 0;
    for (size_t i = 0; i < count; ++i) {
      StakeBytesSetNumbers(rec, numbersOf(i));
      buffer.Add(rec, proto.DrawNumber, draws);
      ++pending;
      if (buffer.Records() >= kBlockRecords || i + 1 == count) {
        AppendRaw(buffer.Data(), buffer.Records());
        buffer.Clear();
        done += pending;
        pending = 0;
        if (progress) progress(done);
      }
    }
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка добавления записи в файл ставок!\r\r%s", e.what()));
  }
  return done;
}

bool TStakesFile::Find(int32_t drawNumber, const TNumberSet& numbers) {
  try {
    RequireOpen();
    const size_t blockRecords = ScanBlockRecords();
    std::vector<uint8_t> block(blockRecords * StakeRecordSize);
    for (int64_t first = 0;; first += static_cast<int64_t>(blockRecords)) {
      const size_t n = ReadBlock(first, blockRecords, block.data());
      for (size_t i = 0; i < n; ++i) {
        const uint8_t* rec = block.data() + i * StakeRecordSize;
        if (StakeBytesDrawNumber(rec) == drawNumber &&
            SameNumberSet(StakeBytesNumbers(rec), numbers))
          return true;
      }
      if (n < blockRecords) return false;
    }
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка поиска записи в файле ставок!\r\r%s", e.what()));
  }
}

TStakesSeek TStakesFile::SeekLastDraws(int n) {
  TStakesSeek result;
  try {
    RequireOpen();
    const size_t blockRecords = ScanBlockRecords();
    std::vector<uint8_t> block(blockRecords * StakeRecordSize);
    bool counted = false;
    int32_t previous = 0;
    for (int64_t end = Count(); end > 0;) {
      const int64_t first = std::max<int64_t>(0, end - static_cast<int64_t>(blockRecords));
      const size_t got = ReadBlock(first, static_cast<size_t>(end - first), block.data());
      for (size_t i = got; i-- > 0;) {
        const uint8_t* rec = block.data() + i * StakeRecordSize;
        const int32_t draw = StakeBytesDrawNumber(rec);
        if (draw <= 0 || !StakeBytesChecked(rec) || StakeBytesMatches(rec) < 0) continue;
        if (counted && draw == previous) continue;
        if (result.Draws >= n) {
          result.FirstIndex = first + static_cast<int64_t>(i) + 1;
          return result;
        }
        ++result.Draws;
        previous = draw;
        counted = true;
      }
      end = first;
    }
    result.FirstIndex = 0;
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка поиска записи по номеру тиража в файле ставок!\r\r%s", e.what()));
  }
  return result;
}

}  // namespace kvarn
