// The rating: one record per stake comment with the results of its checked stakes, the rating
// file Kvarn_5x36.lrt (a plain sequence of 296-byte records) and the chance shares the
// efficiency columns compare against.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

constexpr const char* RatingsFileName = "Kvarn_5x36.lrt";
constexpr size_t RatingRecordSize = 296;
constexpr size_t RatingNameMaxLen = 255;        // characters of the stored name
constexpr int RatingMatchKinds = CombSize + 1;  // 0..5 matched numbers

struct TRatingRecord {
  std::string Name;                                   // the stake comment, UTF-8
  uint32_t Count = 0;                                 // checked stakes
  uint32_t Overlap = 0;                               // sum of their match counts
  std::array<uint32_t, RatingMatchKinds> Overlaps{};  // stakes that matched exactly k numbers
  int64_t Profit = 0;                                 // fixed point x 10000
};
using TRatingsArray = std::vector<TRatingRecord>;

// Little-endian record: the name as a length byte plus 255 cp1251 characters, the count, the
// match sum, the six counters and the profit. The name is cut to 255 characters.
void RatingToBytes(const TRatingRecord& r, uint8_t* out);
TRatingRecord RatingFromBytes(const uint8_t* in);
std::string RatingsToBytes(const TRatingsArray& ratings);

// Reads the rating file into `ratings` (appending); a missing file reads nothing and returns
// false. A failure throws std::runtime_error with its text after every whole record read before
// it has been appended.
bool RatingsReadFile(const std::string& path, TRatingsArray& ratings);
// Rewrites the whole file through a temporary file and a rename.
void RatingsWriteFile(const std::string& path, const TRatingsArray& ratings);

// How often one simple stake matches exactly k numbers of a draw: the count of the 376,992
// combinations that do, and that count as a share.
struct TExpectedShares {
  std::array<int64_t, RatingMatchKinds> Counts{};
  std::array<double, RatingMatchKinds> Shares{};
};
TExpectedShares ExpectedShare();

// Index of the first record whose name equals `name` ignoring letter case, or -1.
int RatingsFind(const TRatingsArray& ratings, std::string_view name);

// Finds names ignoring letter case without a scan of the whole rating: rebuilding a rating from
// hundreds of thousands of stakes must not compare each with every record. Valid while records
// are only appended (through RatingsAdd with this index).
class TRatingsIndex {
 public:
  TRatingsIndex() = default;
  explicit TRatingsIndex(const TRatingsArray& ratings);
  int Find(std::string_view name) const;
  // Keeps the first index given for a name, as a scan would find it.
  void Add(std::string_view name, int index);

 private:
  std::unordered_map<std::string, int> byName_;
};

// One checked stake as the rating sees it.
struct TRatingStake {
  std::string_view Comment;
  int Matches = -1;    // -1 while unchecked
  int64_t Profit = 0;  // fixed point x 10000
};

// Adds the stake to the record of its comment (letter case ignored), or appends a record for it.
// Unchecked stakes and match counts above five (a damaged record) are ignored. The order of the
// records does not change. Returns the index of the record, or -1 when the stake was ignored.
// With `index` (built over these records) the record is found through it and kept up to date.
int RatingsAdd(TRatingsArray& ratings, const TRatingStake& stake, TRatingsIndex* index = nullptr);

}  // namespace kvarn
