#include "stakes/rating.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {

namespace {

void PutU32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetU32(const uint8_t* in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
  return v;
}

constexpr size_t kCountAt = 256, kOverlapAt = 260, kOverlapsAt = 264, kProfitAt = 288;

// Appends the whole records of `data` and returns how many bytes they took.
size_t AppendRecords(std::string_view data, TRatingsArray& ratings) {
  const size_t count = data.size() / RatingRecordSize;
  for (size_t i = 0; i < count; ++i)
    ratings.push_back(
        RatingFromBytes(reinterpret_cast<const uint8_t*>(data.data() + i * RatingRecordSize)));
  return count * RatingRecordSize;
}

}  // namespace

void RatingToBytes(const TRatingRecord& r, uint8_t* out) {
  std::memset(out, 0, RatingRecordSize);
  // cp1251 has one byte per character, so cutting the bytes cuts characters.
  std::string name = Utf8ToCp1251(r.Name);
  if (name.size() > RatingNameMaxLen) name.resize(RatingNameMaxLen);
  out[0] = static_cast<uint8_t>(name.size());
  std::memcpy(out + 1, name.data(), name.size());
  PutU32(out + kCountAt, r.Count);
  PutU32(out + kOverlapAt, r.Overlap);
  for (size_t k = 0; k < r.Overlaps.size(); ++k) PutU32(out + kOverlapsAt + 4 * k, r.Overlaps[k]);
  const uint64_t profit = static_cast<uint64_t>(r.Profit);
  for (int i = 0; i < 8; ++i)
    out[kProfitAt + static_cast<size_t>(i)] = static_cast<uint8_t>(profit >> (8 * i));
}

TRatingRecord RatingFromBytes(const uint8_t* in) {
  TRatingRecord r;
  // The length byte can say at most 255, which is the field's size.
  r.Name = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(in + 1), in[0]));
  r.Count = GetU32(in + kCountAt);
  r.Overlap = GetU32(in + kOverlapAt);
  for (size_t k = 0; k < r.Overlaps.size(); ++k) r.Overlaps[k] = GetU32(in + kOverlapsAt + 4 * k);
  uint64_t profit = 0;
  for (int i = 0; i < 8; ++i)
    profit |= static_cast<uint64_t>(in[kProfitAt + static_cast<size_t>(i)]) << (8 * i);
  r.Profit = static_cast<int64_t>(profit);
  return r;
}

std::string RatingsToBytes(const TRatingsArray& ratings) {
  std::string data(ratings.size() * RatingRecordSize, '\0');
  for (size_t i = 0; i < ratings.size(); ++i)
    RatingToBytes(ratings[i], reinterpret_cast<uint8_t*>(data.data() + i * RatingRecordSize));
  return data;
}

bool RatingsReadFile(const std::string& path, TRatingsArray& ratings) {
  if (!FileExists(path)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(SystemErrorText(errno));
  // Records are taken as they arrive, so that a read failing half-way keeps what came before.
  std::string pending;
  char buf[64 * RatingRecordSize];
  for (;;) {
    const ssize_t got = ::read(fd, buf, sizeof buf);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      ::close(fd);
      throw std::runtime_error(SystemErrorText(e));
    }
    if (got == 0) break;
    pending.append(buf, static_cast<size_t>(got));
    pending.erase(0, AppendRecords(pending, ratings));
  }
  ::close(fd);
  if (!pending.empty())
    throw std::runtime_error(StrFormat("Неполная запись в конце файла: %zu байт из %zu",
                                       pending.size(), RatingRecordSize));
  return true;
}

void RatingsWriteFile(const std::string& path, const TRatingsArray& ratings) {
  WriteFileAtomic(path, RatingsToBytes(ratings));
}

TExpectedShares ExpectedShare() {
  TExpectedShares e;
  const int64_t all = CombCount(NumbersCount, CombSize);
  for (int k = 0; k < RatingMatchKinds; ++k) {
    const auto i = static_cast<size_t>(k);
    e.Counts[i] = MatchCombCount(NumbersCount, CombSize, k);
    e.Shares[i] = static_cast<double>(e.Counts[i]) / static_cast<double>(all);
  }
  return e;
}

int RatingsFind(const TRatingsArray& ratings, std::string_view name) {
  for (size_t i = 0; i < ratings.size(); ++i)
    if (SameTextIgnoreCase(ratings[i].Name, name)) return static_cast<int>(i);
  return -1;
}

TRatingsIndex::TRatingsIndex(const TRatingsArray& ratings) {
  for (size_t i = 0; i < ratings.size(); ++i) Add(ratings[i].Name, static_cast<int>(i));
}

int TRatingsIndex::Find(std::string_view name) const {
  const auto it = byName_.find(ToUpperUtf8(name));
  return it == byName_.end() ? -1 : it->second;
}

void TRatingsIndex::Add(std::string_view name, int index) {
  byName_.emplace(ToUpperUtf8(name), index);
}

int RatingsAdd(TRatingsArray& ratings, const TRatingStake& stake, TRatingsIndex* index) {
  if (stake.Matches < 0 || stake.Matches >= RatingMatchKinds) return -1;
  // The stored name holds 255 characters; a longer comment must find the record it made.
  const std::string name = Utf8Left(stake.Comment, RatingNameMaxLen);
  int at = index ? index->Find(name) : RatingsFind(ratings, name);
  if (at < 0) {
    ratings.push_back(TRatingRecord{});
    ratings.back().Name = name;
    at = static_cast<int>(ratings.size()) - 1;
    if (index) index->Add(name, at);
  }
  TRatingRecord& r = ratings[static_cast<size_t>(at)];
  r.Count += 1;
  r.Overlap += static_cast<uint32_t>(stake.Matches);
  r.Overlaps[static_cast<size_t>(stake.Matches)] += 1;
  r.Profit += stake.Profit;
  return at;
}

}  // namespace kvarn
