// A temporary data directory with an open stakes file, and small builders of stakes and draws.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/archives.h"
#include "common/data_dir_test.h"
#include "stakes/stakes_file.h"

namespace kvarn {

inline TNumberSet Numbers(std::initializer_list<int> list) {
  TNumberSet s;
  for (int n : list) s.Numbers[static_cast<size_t>(s.Count++)] = static_cast<uint8_t>(n);
  return s;
}

inline TDraw Draw(int number, TComb values) {
  return test::MakeDraw(number, values, 0, "");
}

// Price 10 and the prize table {3 -> 50}.
inline TConfigData PriceTenPrizeFifty() {
  TConfigData c;
  c.StakeCost = 100000;
  c.Profits = {{3, 500000}};
  return c;
}

inline TStake ManualStake(int draw, TNumberSet numbers, const TConfigData& c = PriceTenPrizeFifty(),
                          std::string comment = ManualStakeComment) {
  return StakeNew(skManual, draw, 376992, numbers, comment, c.StakeCost, c.Profits);
}

class StakesDir : public test::TDataDirTest {
 protected:
  void TearDown() override { file.reset(); }
  TStakesFile& Open() {
    file = std::make_unique<TStakesFile>(dir);
    file->Open();
    return *file;
  }
  std::string PathOf(const std::string& name) const { return dir + "/" + name; }
  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
  }
  std::string ReadBytes(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The draw numbers of every record of the file, in order.
  std::vector<int> DrawNumbers() {
    std::vector<int> out;
    for (int64_t i = 0; i < file->Count(); ++i)
      out.push_back(file->ReadRecord(i, TStakeOrigin::Start).DrawNumber);
    return out;
  }

  const std::string dir = dir_;
  std::unique_ptr<TStakesFile> file;
};

}  // namespace kvarn
