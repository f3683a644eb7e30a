// Writes the binary seeds of the fuzz targets from the archive builders the tests use, so that
// the seeds follow the record layouts without copies of them in the repository:
//   kvarn_fuzz_seeds DIR   writes DIR/draws_file/* and DIR/stakes_file/*
#include <filesystem>
#include <fstream>
#include <string>

#include "common/archives.h"
#include "stakes/regular.h"
#include "stakes/regulars_file.h"
#include "stakes/stake.h"

namespace {

using namespace kvarn;

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string StakeBytes(const TStake& s) {
  std::string out(StakeRecordSize, '\0');
  StakeToBytes(s, reinterpret_cast<uint8_t*>(out.data()));
  return out;
}

TNumberSet SetOf(std::initializer_list<int> list) {
  TNumberSet s;
  for (int n : list) s.Numbers[static_cast<size_t>(s.Count++)] = static_cast<uint8_t>(n);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path dir = argv[1];

  // Draws: a short archive, one spanning the first draw with the extra number, and one cut off
  // inside its last record.
  Write(dir / "draws_file" / "runs", DrawsToBytes(test::ArchiveOf(12, 1, test::RunOfFive)));
  const std::string spanning = DrawsToBytes(test::RandomArchive(8, FirstExtraDraw - 4, 7));
  Write(dir / "draws_file" / "extra", spanning);
  Write(dir / "draws_file" / "cut", spanning.substr(0, spanning.size() - 11));

  // Stakes: a group of manual stakes with a separator, one of them checked, a long comment; and
  // the same cut off inside its last record and with a record of another version.
  TProfitsArray prizes{{3, 500000}, {4, 5000000}};
  TStake a = StakeNew(skManual, 10, 376992, SetOf({1, 2, 3, 4, 5}), "Ручная", 100000, prizes);
  TStake b = StakeNew(skScenario, 10, 120, SetOf({3, 8, 13, 21, 30, 33, 36}), std::string(300, 'x'),
                      100000, prizes);
  std::string checked = StakeBytes(b);
  TDraw draw = test::MakeDraw(10, {3, 8, 13, 20, 25}, 2);
  StakeBytesApplyDraw(reinterpret_cast<uint8_t*>(checked.data()), draw, 100000, prizes);
  const std::string file = StakeBytes(a) + StakeBytes(StakeBlank()) + checked;
  Write(dir / "stakes_file" / "group", file);
  Write(dir / "stakes_file" / "cut", file.substr(0, file.size() - 100));
  std::string old = file;
  old[0] = 1;
  Write(dir / "stakes_file" / "old_version", old);

  // Regulars: one on its own combination, one on the draws with a long comment, and a torn one.
  TRegular own;
  own.Comment = "Шаг 3";
  own.Start = own.Current = {1, 2, 3, 4, 5};
  own.Step = 3;
  own.Stakes = 7;
  TRegular onDraws;
  onDraws.Comment = std::string(300, 'r');
  onDraws.Base = rbLastDraw;
  onDraws.Step = -36;
  const std::string regulars = RegularsToBytes({own, onDraws});
  Write(dir / "regulars_file" / "two", regulars);
  Write(dir / "regulars_file" / "torn", regulars.substr(0, regulars.size() - 5));
  return 0;
}
