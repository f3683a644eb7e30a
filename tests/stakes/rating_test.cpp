#include "stakes/rating.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>

#include "common/temp_dir.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {
namespace {

TRatingRecord Record(std::string name, uint32_t count, uint32_t overlap,
                     std::array<uint32_t, 6> overlaps, int64_t profit) {
  TRatingRecord r;
  r.Name = std::move(name);
  r.Count = count;
  r.Overlap = overlap;
  r.Overlaps = overlaps;
  r.Profit = profit;
  return r;
}

TEST(RatingRecord, ByteLayoutIsLittleEndianWithLengthPrefixedName) {
  TRatingRecord r = Record("Тест", 0x01020304, 0x0A0B0C0D, {1, 2, 3, 4, 5, 0x11223344},
                           -100000);  // -10.00
  uint8_t b[RatingRecordSize];
  RatingToBytes(r, b);
  const uint8_t name[] = {4, 0xD2, 0xE5, 0xF1, 0xF2};  // "Тест" in cp1251
  for (size_t i = 0; i < sizeof name; ++i) EXPECT_EQ(b[i], name[i]) << "offset " << i;
  for (size_t i = sizeof name; i < 256; ++i) ASSERT_EQ(b[i], 0) << "offset " << i;
  const uint8_t tail[] = {
      0x04, 0x03, 0x02, 0x01, 0x0D, 0x0C, 0x0B, 0x0A,  // count, match sum
      1,    0,    0,    0,    2,    0,    0,    0,    3,    0,    0,    0,
      4,    0,    0,    0,    5,    0,    0,    0,    0x44, 0x33, 0x22, 0x11,  // counters
      0x60, 0x79, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // -100000 in two's complement
  };
  static_assert(sizeof tail == RatingRecordSize - 256);
  for (size_t i = 0; i < sizeof tail; ++i) EXPECT_EQ(b[256 + i], tail[i]) << "offset " << 256 + i;

  TRatingRecord back = RatingFromBytes(b);
  EXPECT_EQ(back.Name, "Тест");
  EXPECT_EQ(back.Count, r.Count);
  EXPECT_EQ(back.Overlap, r.Overlap);
  EXPECT_EQ(back.Overlaps, r.Overlaps);
  EXPECT_EQ(back.Profit, -100000);
}

TEST(RatingRecord, NameIsCutToTheFieldCountingCharacters) {
  uint8_t b[RatingRecordSize];
  RatingToBytes(Record(std::string(300, 'x'), 1, 0, {1, 0, 0, 0, 0, 0}, 0), b);
  EXPECT_EQ(b[0], 255);
  EXPECT_EQ(RatingFromBytes(b).Name, std::string(255, 'x'));
  EXPECT_EQ(b[256], 1);  // the count is not overwritten by the name

  std::string cyr;
  for (int i = 0; i < 260; ++i) cyr += "ж";  // two UTF-8 bytes, one cp1251 byte each
  RatingToBytes(Record(cyr, 0, 0, {}, 0), b);
  EXPECT_EQ(b[0], 255);
  EXPECT_EQ(Utf8Length(RatingFromBytes(b).Name), 255u);
}

TEST(RatingsFile, RoundTripAndMissingFile) {
  test::TTempDir dir;
  const std::string path = dir.File(RatingsFileName);
  TRatingsArray none;
  EXPECT_FALSE(RatingsReadFile(path, none));
  EXPECT_TRUE(none.empty());

  TRatingsArray saved;
  // More records than one read block, so that records arriving across blocks are joined.
  for (int i = 0; i < 150; ++i)
    saved.push_back(Record(StrFormat("Строка %d", i), static_cast<uint32_t>(i), 2,
                           {0, 0, 1, 0, 0, 0}, -i * 10000LL));
  RatingsWriteFile(path, saved);
  EXPECT_EQ(std::filesystem::file_size(path), 150 * RatingRecordSize);
  TRatingsArray loaded;
  ASSERT_TRUE(RatingsReadFile(path, loaded));
  ASSERT_EQ(loaded.size(), saved.size());
  for (size_t i = 0; i < saved.size(); ++i) {
    EXPECT_EQ(loaded[i].Name, saved[i].Name);
    EXPECT_EQ(loaded[i].Count, saved[i].Count);
    EXPECT_EQ(loaded[i].Profit, saved[i].Profit);
  }
  EXPECT_FALSE(std::filesystem::exists(path + ".~new"));
}

TEST(RatingsFile, ALoadFailingHalfWayKeepsTheRecordsReadBeforeIt) {
  test::TTempDir dir;
  const std::string path = dir.File(RatingsFileName);
  TRatingsArray three = {Record("a", 1, 0, {1, 0, 0, 0, 0, 0}, 0),
                         Record("b", 1, 1, {0, 1, 0, 0, 0, 0}, 0),
                         Record("c", 1, 2, {0, 0, 1, 0, 0, 0}, 0)};
  std::string bytes = RatingsToBytes(three);
  bytes.resize(bytes.size() - 10);
  WriteFileAtomic(path, bytes);

  TRatingsArray loaded = {Record("earlier", 0, 0, {}, 0)};
  try {
    RatingsReadFile(path, loaded);
    FAIL() << "a partial record must fail the load";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Неполная запись в конце файла: 286 байт из 296");
  }
  ASSERT_EQ(loaded.size(), 3u);  // appended to what was there
  EXPECT_EQ(loaded[1].Name, "a");
  EXPECT_EQ(loaded[2].Name, "b");
}

TEST(ExpectedShares, CountsOfTheFullSetAndTheirShares) {
  const TExpectedShares e = ExpectedShare();
  const std::array<int64_t, 6> counts = {169911, 157325, 44950, 4650, 155, 1};
  EXPECT_EQ(e.Counts, counts);
  double sum = 0;
  for (double s : e.Shares) sum += s;
  EXPECT_NEAR(sum, 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(e.Shares[1], 157325.0 / 376992.0);
}

TEST(RatingsAdd, CommentsThatDifferInLetterCaseShareARow) {
  TRatingsArray r;
  EXPECT_EQ(RatingsAdd(r, {"Test", 2, -100000}), 0);
  EXPECT_EQ(RatingsAdd(r, {"TEST", 3, 400000}), 0);
  EXPECT_EQ(RatingsAdd(r, {"Тест ёж", 0, -100000}), 1);
  EXPECT_EQ(RatingsAdd(r, {"ТЕСТ ЁЖ", 1, -100000}), 1);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].Name, "Test");  // the first comment names the row
  EXPECT_EQ(r[0].Count, 2u);
  EXPECT_EQ(r[0].Overlap, 5u);
  EXPECT_EQ(r[0].Profit, 300000);
  EXPECT_EQ(r[1].Count, 2u);
}

TEST(RatingsAdd, FirstStakeMakesARowAndBadStakesAreIgnored) {
  TRatingsArray r;
  EXPECT_EQ(RatingsAdd(r, {"Manual", 2, -100000}), 0);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].Count, 1u);
  EXPECT_EQ(r[0].Overlap, 2u);
  EXPECT_EQ(r[0].Profit, -100000);
  EXPECT_EQ(r[0].Overlaps, (std::array<uint32_t, 6>{0, 0, 1, 0, 0, 0}));

  EXPECT_EQ(RatingsAdd(r, {"Manual", -1, -100000}), -1);  // not yet checked
  EXPECT_EQ(RatingsAdd(r, {"Other", 6, 0}), -1);          // damaged: no draw has six matches
  EXPECT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].Count, 1u);
}

TEST(RatingsAdd, KeepsTheOrderAndTheIndexFindsWhatTheScanFinds) {
  TRatingsArray scanned = {Record("b", 1, 0, {1, 0, 0, 0, 0, 0}, 0),
                           Record("a", 1, 0, {1, 0, 0, 0, 0, 0}, 0)};
  TRatingsArray indexed = scanned;
  TRatingsIndex index(indexed);
  std::mt19937 rng(7);
  const char* names[] = {"a", "B", "c", "Ж", "ж", "A"};
  for (int i = 0; i < 2000; ++i) {
    const TRatingStake s{names[rng() % 6], static_cast<int>(rng() % 6),
                         static_cast<int64_t>(rng() % 1000) - 500};
    ASSERT_EQ(RatingsAdd(scanned, s), RatingsAdd(indexed, s, &index));
  }
  ASSERT_EQ(scanned.size(), 4u);
  EXPECT_EQ(scanned[0].Name, "b");
  EXPECT_EQ(scanned[1].Name, "a");
  for (size_t i = 0; i < scanned.size(); ++i) {
    EXPECT_EQ(indexed[i].Name, scanned[i].Name);
    EXPECT_EQ(indexed[i].Count, scanned[i].Count);
    EXPECT_EQ(indexed[i].Overlaps, scanned[i].Overlaps);
    EXPECT_EQ(indexed[i].Profit, scanned[i].Profit);
  }
}

TEST(RatingsAdd, ACommentLongerThanTheFieldFindsTheRowItMade) {
  TRatingsArray r;
  const std::string longComment(300, 'q');
  RatingsAdd(r, {longComment, 1, 0});
  RatingsAdd(r, {longComment, 1, 0});
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].Count, 2u);
  EXPECT_EQ(r[0].Name.size(), 255u);
}

}  // namespace
}  // namespace kvarn
