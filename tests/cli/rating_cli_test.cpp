#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "core/codec.h"
#include "core/config.h"
#include "core/files.h"
#include "core/text.h"
#include "stakes/rating_chance.h"
#include "stakes/rating_text.h"
#include "stakes/stakes_file.h"

namespace kvarn::test {
namespace {

TRatingRecord Row(std::string name, std::array<uint32_t, 6> overlaps, int64_t profit = 0) {
  TRatingRecord r;
  r.Name = std::move(name);
  r.Overlaps = overlaps;
  for (uint32_t k = 0; k < 6; ++k) {
    r.Count += overlaps[k];
    r.Overlap += k * overlaps[k];
  }
  r.Profit = profit;
  return r;
}

class RatingCli : public TCliTest {
 protected:
  void WriteRating(const TRatingsArray& rows) { RatingsWriteFile(Path(RatingsFileName), rows); }
  std::vector<std::string> FileNames() const {
    TRatingsArray a;
    RatingsReadFile(Path(RatingsFileName), a);
    std::vector<std::string> n;
    for (const auto& r : a) n.push_back(r.Name);
    return n;
  }
};

TEST_F(RatingCli, ListPrintsTheEighteenTextsOfEachRowInEveryMode) {
  WriteRating({Row("Test", {0, 1}, -50000), Row("a\tb\\c", {1000})});
  ASSERT_EQ(Run({"rating", "list", "--mode", "1"}), 0) << err_;
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[0],
            "Test\t1\t1\t1.000\t-5.00\t-5.00\t0\t1\t0\t0\t0\t0\t-45.070%\t58.268%\t-11.923%\t"
            "-1.233%\t-0.041%\t-0.000%");
  EXPECT_EQ(Lines()[1].substr(0, 8), "a\\tb\\\\c\t");  // the name escaped as one field

  ASSERT_EQ(Run({"rating", "list", "--mode", "0"}), 0);
  EXPECT_EQ(Lines()[1],
            "a\\tb\\\\c\t1000\t0\t0.000\t0.00\t0.00\t1000\t0\t0\t0\t0\t0\t451\t417\t119\t"
            "12\t0\t0");
  // Without --mode the stored mode.
  WindowStateWriteInt(Path(WindowStateFileName), "RatingsEffMode", 2);
  ASSERT_EQ(Run({"rating", "list"}), 0);
  EXPECT_EQ(Lines()[0].substr(Lines()[0].rfind('\t') + 1), "0.000%");
  EXPECT_NE(Lines()[0].find("\t239.626%\t"), std::string::npos);

  EXPECT_EQ(Run({"rating", "list", "--mode", "3"}), 2);
  EXPECT_NE(err_.find("option --mode needs 0, 1 or 2"), std::string::npos);
}

TEST_F(RatingCli, SortStoresTheStateAsAHeaderClickDoes) {
  WriteRating({Row("one", {0, 2}), Row("two", {0, 0, 1}), Row("four", {2, 2})});
  ASSERT_EQ(Run({"rating", "sort", "1"}), 0) << err_;
  EXPECT_EQ(out_, "");
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"four", "one", "two"}));
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), "lvRatings.SortColumn", -1), 1);
  ASSERT_EQ(Run({"rating", "sort", "0", "--ascending"}), 0);
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"four", "one", "two"}));
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), "lvRatings.SortDescending", -1), 0);
  // The next start sorts the same way, and the list shows that order.
  ASSERT_EQ(Run({"rating", "sort", "2"}), 0);
  ASSERT_EQ(Run({"rating", "list"}), 0);
  ASSERT_EQ(Lines().size(), 3u);
  EXPECT_EQ(Lines()[0].substr(0, 4), "four");

  EXPECT_EQ(Run({"rating", "sort", "18"}), 2);
  EXPECT_EQ(Run({"rating", "sort", "x"}), 2);
  EXPECT_EQ(Run({"rating", "sort"}), 2);
}

TEST_F(RatingCli, ExportWritesTheCsvAndCountsItsRows) {
  const TRatingsArray rows = {Row("Ставка \"вручную\"", {0, 0, 1}, -100000)};
  WriteRating(rows);
  ASSERT_EQ(Run({"rating", "export", Path("out.csv")}), 0) << err_;
  EXPECT_EQ(out_, "1\n");
  EXPECT_EQ(ReadWholeFile(Path("out.csv")), Utf8ToCp1251(RatingsCsvText(rows)));
  EXPECT_EQ(Run({"rating", "export", Path("no/such/dir.csv")}), 1);
  EXPECT_NE(err_.find("Ошибка записи в файл"), std::string::npos);
}

// A checked stake of the given size whose first `matches` numbers came out.
TStake CheckedStake(int draw, int size, const std::string& comment, int matches, int64_t profit) {
  TNumberSet numbers;
  for (int i = 0; i < size; ++i) numbers.Numbers[static_cast<size_t>(numbers.Count++)] = i + 1;
  TStake s = StakeNew(skManual, draw, 376992, numbers, comment, 100000, {});
  s.Checked = 1;
  s.Matched.Count = static_cast<uint8_t>(matches);
  s.Profit = profit;
  return s;
}

void WriteStakes(const std::string& path, const std::vector<TStake>& stakes) {
  std::string bytes(stakes.size() * StakeRecordSize, '\0');
  for (size_t i = 0; i < stakes.size(); ++i)
    StakeToBytes(stakes[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecordSize);
  WriteFileAtomic(path, bytes);
}

TEST_F(RatingCli, ChanceAndRefreshReadTheStakesFile) {
  // "Test" counted three stakes, two are still in the file; "Gone" has none left.
  WriteRating({Row("Test", {0, 0, 2, 1}), Row("Gone", {0, 1})});
  WriteStakes(Path(StakesFileName),
              {CheckedStake(10, 5, "Test", 2, -100000), CheckedStake(11, 8, "TEST", 3, -560000)});
  ASSERT_EQ(Run({"rating", "chance"}), 0) << err_;
  ASSERT_EQ(Lines().size(), 2u);
  TChanceSample sample;
  ChanceAddStake(sample, 5, 2);
  ChanceAddStake(sample, 8, 3);
  // Chance gives 25/36 and 40/36 matches to these sizes.
  EXPECT_EQ(Lines()[0], StrFormat("Test\t2\t5\t2.5000\t0.9028\t2.7692\t%.6g\texact\t1",
                                  static_cast<double>(ChancePExact(sample, 5))));
  EXPECT_EQ(Lines()[1], "Gone\t0\t0\t0.0000\t0.0000\t0.0000\t1\texact\t1");

  ASSERT_EQ(Run({"rating", "chance", "--comment", "gone"}), 0) << err_;
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Lines()[0].substr(0, 5), "Gone\t");
  EXPECT_EQ(Run({"rating", "chance", "--comment", "nobody"}), 1);
  EXPECT_NE(err_.find("Строка рейтинга \"nobody\" не найдена!"), std::string::npos);

  ASSERT_EQ(Run({"rating", "refresh"}), 0) << err_;
  EXPECT_EQ(out_, "1\n");
  EXPECT_NE(err_.find("Пересчитать рейтинг только по текущим ставкам?"), std::string::npos);
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"Test"}));
  ASSERT_EQ(Run({"rating", "list", "--mode", "1"}), 0);
  const std::string prefix = "Test\t2\t5\t2.500\t-66.00\t-33.00\t0\t0\t1\t1\t0\t0\t";
  EXPECT_EQ(Lines()[0].substr(0, prefix.size()), prefix);
}

}  // namespace
}  // namespace kvarn::test
