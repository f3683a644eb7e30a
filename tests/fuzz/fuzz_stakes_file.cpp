// The stakes file as found in the data directory: the start-up test, then every way the window
// and the checks read it (by index from both ends, block scans, search, the last checked draws),
// and a record rewritten in place.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

#include "common/temp_dir.h"
#include "stakes/stakes_check.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_grid.h"
#include "stakes/stakes_log.h"

namespace {

kvarn::test::TTempDir& Dir() {
  static kvarn::test::TTempDir dir;
  return dir;
}

struct TSink : kvarn::IStakesCheckSink {
  void CheckProgress(const std::string&) override {}
  void StakeChecked(const kvarn::TStake& s) override { kvarn::StakesLogText(s); }
  void CheckError(const std::string&) override {}
};

// Draws 1..40, enough for the draw numbers the mutations reach most.
const kvarn::TDrawsArray& Draws() {
  static const kvarn::TDrawsArray draws = [] {
    kvarn::TDrawsArray d;
    for (int i = 1; i <= 40; ++i) {
      kvarn::TDraw draw;
      draw.Number = i;
      for (int k = 0; k < 5; ++k)
        draw.Values[static_cast<size_t>(k)] = static_cast<uint8_t>((i * 7 + k * 5) % 36 + 1);
      draw.Extra = static_cast<uint8_t>(i % 5);
      d.push_back(draw);
    }
    return d;
  }();
  return draws;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kvarn;
  const std::string path = Dir().File(StakesFileName);
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  unlink(Dir().File(StakesBackupFileName).c_str());

  TStakesFile file(Dir().Path());
  file.Open();
  const TStakesAcceptance accepted = file.AcceptOnStartup();
  if (!file.IsOpen()) return 0;
  // An accepted file is a whole number of records; whatever was cut went to the backup.
  if (accepted.Action != TStakesAcceptance::Accepted && accepted.Message.empty()) __builtin_trap();

  const int64_t count = file.Count();
  int64_t visited = 0;
  file.ForEach(0, [&](const TStake& s) {
    ++visited;
    kvarn::StakeGridRow(s);
    kvarn::StakeNumberMatched(s, 1);
    kvarn::StakesLogText(s);
    // A decoded record must encode to bytes that decode to the same fields.
    uint8_t bytes[StakeRecordSize];
    StakeToBytes(s, bytes);
    const TStake again = StakeFromBytes(bytes);
    if (again.DrawNumber != s.DrawNumber || again.Numbers.Count != s.Numbers.Count ||
        again.Matched.Count != s.Matched.Count || again.Profit != s.Profit ||
        again.Comment != s.Comment)
      __builtin_trap();
  });
  if (visited != count) __builtin_trap();
  if (count > 0) {
    const TStake last = file.ReadRecord(-1, TStakeOrigin::End);
    const TStake first = file.ReadRecord(0, TStakeOrigin::Start);
    file.Find(last.DrawNumber, last.Numbers);
    file.SeekLastDraws(3);
    file.WriteRecord(first, 0, TStakeOrigin::Start);
    if (file.Count() != count) __builtin_trap();
  }
  kvarn::TConfigData config;
  config.StakeCost = 100000;
  config.Profits = {{3, 500000}, {5, 1000000000}};
  TSink sink;
  try {
    StakesCheck(file, Draws(), config, sink, nullptr);
  } catch (const std::runtime_error&) {
    // Raised for the person to see; the records stay as they were or checked.
  }
  if (file.Count() != count) __builtin_trap();
  return 0;
}
