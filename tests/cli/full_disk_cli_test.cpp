// A full disk during each save: the command fails with a message naming the file, the file keeps
// its old bytes and no temporary is left. The disk is "full" through the file-size limit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_fixture.h"
#include "common/archives.h"
#include "common/file_size_limit.h"
#include "core/draws.h"
#include "core/files.h"
#include "stakes/rating.h"
#include "stakes/regular.h"
#include "stakes/regulars_file.h"
#include "stakes/stake.h"
#include "stakes/stakes_file.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

// Below any data file the tests write, above the lock file (which holds nothing).
constexpr rlim_t kSmallDisk = 16;

class FullDiskCli : public test::TCliTest {
 protected:
  void SetUp() override { DrawsWriteFile(Path(DrawsFileName), test::RandomArchive(300, 1, 5)); }

  std::vector<std::string> Temporaries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name.find(".~") != std::string::npos) names.push_back(name);
    }
    return names;
  }

  // Runs the command on a full disk: it fails naming `file`, which keeps its old bytes.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& file,
                     rlim_t limit = kSmallDisk, const std::string& named = {}) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    const std::string before = ReadWholeFile(file);
    int rc = 0;
    {
      test::TFileSizeLimit full(limit);
      rc = Run(args);
    }
    EXPECT_EQ(rc, 1) << out_;
    EXPECT_NE(err_.find((named.empty() ? file : named) + ": Превышен допустимый размер файла"),
              std::string::npos)
        << err_;
    EXPECT_EQ(ReadWholeFile(file), before);
    EXPECT_EQ(Temporaries(), std::vector<std::string>{});
  }

  void WriteStakes(int count) {
    std::string bytes(static_cast<size_t>(count) * StakeRecordSize, '\0');
    TStake s;
    s.Kind = skManual;
    s.Checked = 1;
    s.Numbers.Count = 5;
    s.Numbers.Numbers = {1, 2, 3, 4, 5};
    for (int i = 0; i < count; ++i) {
      s.DrawNumber = i + 1;
      s.Matched.Count = i % 3;
      s.Comment = "Ставка";
      StakeToBytes(s, reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecordSize);
    }
    WriteFileAtomic(Path(StakesFileName), bytes);
  }
};

TEST_F(FullDiskCli, DataFilesKeepTheirOldVersion) {
  ExpectRefused({"draws", "add", "--numbers", "1,2,3,4,5,1"}, Path(DrawsFileName));
  ExpectRefused({"draws", "delete", "--number", "7", "--yes"}, Path(DrawsFileName));

  TRatingsArray ratings(40);
  for (size_t i = 0; i < ratings.size(); ++i) {
    ratings[i].Name = "Рейтинг " + std::to_string(i);
    ratings[i].Count = static_cast<uint32_t>(i % 7 + 1);
  }
  RatingsWriteFile(Path(RatingsFileName), ratings);
  // Each start puts the rating in its stored order first; that save is not the one under test.
  ASSERT_EQ(Run({"rating", "list"}), 0) << err_;
  ExpectRefused({"rating", "sort", "1", "--ascending"}, Path(RatingsFileName));

  TRegularsArray regulars(20);
  for (size_t i = 0; i < regulars.size(); ++i) {
    regulars[i].Comment = "Регулярная " + std::to_string(i);
    regulars[i].Start = regulars[i].Current = TComb{1, 2, 3, 4, 5};
  }
  WriteFileAtomic(Path(RegularsFileName), RegularsToBytes(regulars));
  ExpectRefused({"regular", "add", "--comment", "Новая", "--numbers", "1;2;3;4;5"},
                Path(RegularsFileName));

  ASSERT_EQ(Run({"favourites", "rename", "EVEN", "Чётные"}), 0) << err_;
  ExpectRefused({"favourites", "rename", "EVEN", "Чёт"}, Path("Kvarn_5x36.flt"));

  const std::string script = Path("a.lsc");
  ASSERT_EQ(Run({"scenario", "add", script, "--options", "FULL:0#EXT"}), 0) << err_;
  ExpectRefused({"scenario", "add", script, "--options", "excl:5#rand#nex"}, script);
}

TEST_F(FullDiskCli, StakesKeepWholeRecords) {
  WriteStakes(30);
  // Deleting goes through a copy that does not fit: every record stays.
  ExpectRefused({"stakes", "delete", "--condition", "0", "--value", "1"}, Path(StakesFileName),
                4096, Path(StakesTempFileName));

  // Appending: room for a record and a half; what fits is cut back to whole records.
  const std::string before = ReadWholeFile(Path(StakesFileName));
  {
    test::TFileSizeLimit full(before.size() + StakeRecordSize * 3 / 2);
    EXPECT_EQ(Run({"stakes", "add", "--numbers", "1;2;3;4;5", "--draw", "400", "--draws", "4"}), 1);
  }
  EXPECT_NE(err_.find("Ошибка добавления записи в файл ставок!"), std::string::npos) << err_;
  EXPECT_NE(err_.find(Path(StakesFileName) + ": "), std::string::npos) << err_;
  EXPECT_EQ(ReadWholeFile(Path(StakesFileName)), before);
  ASSERT_EQ(Run({"stakes", "list"}), 0) << err_;
  EXPECT_EQ(Lines().size(), 30u);
}

TEST_F(FullDiskCli, ExportsKeepTheFileTheyWouldReplace) {
  RatingsWriteFile(Path(RatingsFileName), TRatingsArray(300));
  const std::vector<std::vector<std::string>> exports = {
      {"draws", "export", Path("d.csv")},
      {"export", "draws", Path("d.xlsx")},
      {"rating", "export", Path("r.csv")},
      {"gen", "--out", Path("c.lcv")},
  };
  for (const auto& args : exports) {
    const std::string& file = args.back();
    WriteFileAtomic(file, "old");
    ExpectRefused(args, file, 4096);
  }
}

}  // namespace
}  // namespace kvarn
