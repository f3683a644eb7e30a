// The stakes file Kvarn_5x36.lsk: a plain sequence of 320-byte stake records, held open with an
// exclusive lock for the whole run (the lock keeps a second instance out of the data directory),
// read and written record by record and never loaded whole.
//
// Operations raise EKvarnError with the whole text the person sees ("Ошибка ...!\r\r<cause>");
// the workspace shows it and goes on.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "stakes/stake.h"

namespace kvarn {

constexpr const char* StakesFileName = "Kvarn_5x36.lsk";
constexpr const char* StakesTempFileName = "Kvarn_5x36.~tmp";
constexpr const char* StakesBackupFileName = "Kvarn_5x36.lsk.bak";
constexpr int MaxStakeDraws = 65535;  // draws one stake may be made for at once

enum class TStakeOrigin { Start, End };

// What the start-up test did with the file.
struct TStakesAcceptance {
  enum TAction { Accepted, Emptied, TailCut };
  TAction Action = Accepted;
  std::string Message;  // the warning to show; empty when the file was accepted as it was
};

// Where the records of the last N checked draws begin.
struct TStakesSeek {
  int Draws = 0;           // distinct checked draws found, at most N
  int64_t FirstIndex = 0;  // reading from this record to the end covers exactly those draws
};

class TStakesFile {
 public:
  explicit TStakesFile(std::string dataDir);
  ~TStakesFile();
  TStakesFile(const TStakesFile&) = delete;
  TStakesFile& operator=(const TStakesFile&) = delete;

  const std::string& Path() const { return path_; }
  std::string TempPath() const;
  std::string BackupPath() const;

  // Opens the file (creating it) and takes the exclusive lock; the read cache starts empty.
  // Fails when another instance holds the lock or the directory cannot be written.
  void Open();
  // Opens the file for reading only, without the lock, so that a reader works beside a running
  // window: it never creates, mends or writes the file. A missing file reads as empty, a cut-off
  // last record (one being appended) is left out, and a file of another version is refused.
  void OpenReadOnly();
  bool ReadOnly() const { return readOnly_; }
  void Close();
  // Flushes what was written to the disk and forgets the cached record. The lock is kept: letting
  // it go even for a moment would let a second instance in.
  void Reopen();
  // False also while the file is held only for its lock, after a start-up test that could not
  // save what it had to take out.
  bool IsOpen() const { return (fd_ >= 0 || readOnly_) && !rejected_; }

  // The start-up test: a file whose size is a whole number of records and whose first record is
  // of version 2 is accepted. Otherwise the stakes are not thrown away: a file of another version
  // is copied to Kvarn_5x36.lsk.bak before it is emptied, and a file cut short inside its last
  // record keeps its whole records and moves only the cut-off tail to the backup. The warning to
  // show is in the result. When the backup cannot be written nothing is cut and the error is
  // raised.
  TStakesAcceptance AcceptOnStartup();

  int64_t Count() const { return size_ / static_cast<int64_t>(StakeRecordSize); }
  bool Empty() const { return Count() == 0; }

  // A record by index from the start (0 = first) or from the end (-1 = last); the last record read
  // is served again from the cache.
  TStake ReadRecord(int64_t index, TStakeOrigin origin);
  // Writes in place, or appends when the position is the end of the file.
  void WriteRecord(const TStake& s, int64_t index, TStakeOrigin origin);
  // Appends a separator unless the file is empty or its last record has no draw number above 0.
  void AppendSeparator();
  // Appends the stake for `draws` consecutive draws from its draw number; from two draws on each
  // copy is preceded by a separator unless the file's last record is one already.
  void Append(const TStake& s, int draws);
  // Appends a stake for each of `count` number sets, all else taken from `proto`, as Append does,
  // writing in large blocks. `progress` gets the number of stakes done between blocks. Stops at
  // the first failure; what was appended before stays. Returns the stakes appended.
  size_t AppendEach(const TStake& proto, size_t count,
                    const std::function<TNumberSet(size_t)>& numbersOf, int draws,
                    const std::function<void(size_t)>& progress = {});
  // Whether a stake for the draw with an equal numbers block exists.
  bool Find(int32_t drawNumber, const TNumberSet& numbers);
  // The last `n` distinct checked draws, scanning back from the last record.
  TStakesSeek SeekLastDraws(int n);

  // Rewrites the file without the records first..last (0-based, inclusive); returns the number
  // dropped.
  int64_t DeleteRows(int64_t first, int64_t last);
  // Rewrites the file without the stakes whose match count satisfies the condition (see
  // StakeConditionHolds); separators are always kept. Returns the number dropped.
  int64_t DeleteByCondition(int condition, int value);
  // Empties the file in place.
  void Clear();

  // Every record from `first` on, in file order, read in large blocks.
  void ForEach(int64_t first, const std::function<void(const TStake&)>& visit);

  // Whole records from `first` on into `out`; returns how many were read (fewer at the end).
  size_t ReadBlock(int64_t first, size_t count, uint8_t* out);
  // Records per block of a scan: up to 4096, but no more than the file holds, so that a scan of a
  // small file does not clear a megabyte of buffer first.
  size_t ScanBlockRecords() const {
    return static_cast<size_t>(std::clamp<int64_t>(Count(), 1, 4096));
  }
  // Rewrites records in place (never beyond the end).
  void WriteBlock(int64_t first, size_t count, const uint8_t* in);

  // Tests inject a failure here: after the temporary file has been written, before it replaces
  // the stakes file.
  std::function<void()> BeforeReplaceHook;

 private:
  int64_t PositionOf(int64_t index, TStakeOrigin origin) const;
  void ReadAt(int64_t pos, uint8_t* out, size_t size);
  void WriteAt(int64_t pos, const uint8_t* in, size_t size);
  // Appends raw records; a failed write is cut back so that no partial record stays.
  void AppendRaw(const uint8_t* in, size_t count);
  int64_t Rewrite(const std::function<bool(const uint8_t*, int64_t)>& keep);
  void RequireOpen() const;
  // Open, and not for reading only.
  void RequireWritable() const;
  void ForgetCache() { cacheValid_ = false; }

  std::string dir_;
  std::string path_;
  int fd_ = -1;
  bool rejected_ = false;
  bool readOnly_ = false;
  int64_t size_ = 0;
  bool cacheValid_ = false;
  int64_t cacheIndex_ = 0;
  TStakeOrigin cacheOrigin_ = TStakeOrigin::Start;
  TStake cache_;
};

// The conditions of "Удалить по условию", in the order of the condition box.
constexpr int StakeConditionsCount = 5;
const char* StakeConditionName(int condition);
// Whether a record with match count m is dropped under the condition with value v.
bool StakeConditionHolds(int condition, int m, int v);

}  // namespace kvarn
