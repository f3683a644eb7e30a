// The stakes file as found in the data directory: the start-up test, then every way the window
// and the checks read it (by index from both ends, block scans, search, the last checked draws),
// and a record rewritten in place.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

#include "common/temp_dir.h"
#include "stakes/stakes_file.h"

namespace {

kvarn::test::TTempDir& Dir() {
  static kvarn::test::TTempDir dir;
  return dir;
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
  return 0;
}
