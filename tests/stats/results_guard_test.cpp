// Every registered method's statistics table and filter passes, digested, against the digests
// the straightforward code gave before the speed work: a changed cell, chart point or kept
// combination of any method shows up here with the method's identifier.
//
// To renew the table after an intended change of results: KVARN_PRINT_DIGESTS=1 test_stats
// --gtest_filter='ResultsGuard.*' prints it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "combs/combs.h"
#include "stats/filter.h"
#include "stats/registry.h"
#include "stats/table.h"

namespace kvarn {
namespace {

struct TDigest {
  uint64_t Value = 1469598103934665603ull;  // FNV-1a
  void Add(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) Value = (Value ^ p[i]) * 1099511628211ull;
  }
  void Add(const std::string& s) { Add(s.data(), s.size() + 1); }
  void Add(int64_t v) { Add(&v, sizeof v); }
};

// Random draws, with runs of repeated and neighbouring numbers now and then so that sequences,
// repeats and series meet their longer values too.
TDrawsArray Archive(unsigned seed, int count) {
  std::mt19937 rng(seed);
  TDrawsArray draws;
  for (int i = 0; i < count; ++i) {
    TDraw d;
    d.Number = 1000 + i;
    TNumberBits used;
    const bool repeat = !draws.empty() && rng() % 5 == 0;
    int k = 0;
    if (repeat) {
      const TDraw& p = draws.back();
      for (int j = 0; j < 2; ++j) {
        const uint8_t n = p.Values[static_cast<size_t>(rng() % CombSize)];
        if (!used.test(n)) {
          used.set(n);
          d.Values[static_cast<size_t>(k++)] = n;
        }
      }
    }
    if (rng() % 4 == 0 && k < 3) {
      const int start = static_cast<int>(rng() % 33) + 1;
      for (int n = start; n < start + 3 && k < 3; ++n)
        if (!used.test(static_cast<size_t>(n))) {
          used.set(static_cast<size_t>(n));
          d.Values[static_cast<size_t>(k++)] = static_cast<uint8_t>(n);
        }
    }
    while (k < CombSize) {
      const int n = static_cast<int>(rng() % NumbersCount) + 1;
      if (used.test(static_cast<size_t>(n))) continue;
      used.set(static_cast<size_t>(n));
      d.Values[static_cast<size_t>(k++)] = static_cast<uint8_t>(n);
    }
    d.Extra = static_cast<uint8_t>(i < count / 2 ? 0 : rng() % 4 + 1);
    d.DateText = "01.01.2020 20:00";
    draws.push_back(d);
  }
  return draws;
}

struct TCase {
  unsigned Seed;
  int Draws;
  int Len;
  int Offset;
  bool Sorted;
  int Stride;  // every Stride-th combination of the full list is filtered
};

const TCase kCases[] = {
    {11, 420, 300, 25, false, 3},  // a window inside the archive, "Факт" past it
    {12, 160, 1000, 6, true, 7},   // a window longer than the archive, sorted draws
    {13, 14, 10, 0, false, 11},    // a short archive at its newest draw
};

void DigestTable(const TStatTable& t, TDigest& d) {
  d.Add(t.Totals.Total);
  d.Add(t.Totals.MinCount);
  d.Add(t.Totals.MaxCount);
  d.Add(t.Totals.MaxDepth);
  for (int i : t.Order) {
    const TStatRow& r = t.Rows[static_cast<size_t>(i)];
    d.Add(&r.Item, sizeof r.Item);
    for (const std::string& c : r.Cells) d.Add(c);
  }
  for (const auto* series : {&t.Chart.Actual, &t.Chart.Ideal})
    for (const TStatChartPoint& p : *series) {
      d.Add(&p.X, sizeof p.X);
      d.Add(&p.Y, sizeof p.Y);
      d.Add(p.Label);
    }
}

std::map<std::string, uint64_t> Digests() {
  TCombList full;
  GenerateCombs(full, gmFull, TNumberBits());
  std::map<std::string, TDigest> digests;
  for (const TCase& c : kCases) {
    const TDrawsArray draws = Archive(c.Seed, c.Draws);
    TStatList reg(draws);
    reg.Register();
    TCombList snapshot;
    for (int i = c.Seed % static_cast<unsigned>(c.Stride); i < full.Count(); i += c.Stride)
      snapshot.Append(full[i]);
    TCombList list;
    const int last = c.Draws - 1 - c.Offset;
    for (int e = 0; e < reg.Count(); ++e) {
      TDigest& d = digests[reg.Items(e).IdentOf()];
      auto stat = reg.CreateStat(e);
      TStatTableOptions o;
      o.Len = c.Len;
      o.Offset = c.Offset;
      o.Sorted = c.Sorted;
      TStatTable table;
      ComputeStatTable(*stat, o, table);
      DigestTable(table, d);
      TStatDrawArray selected;
      for (size_t i = 0; i < table.Rows.size(); i += 3) selected.push_back(table.Rows[i].Item);
      if (selected.empty()) continue;
      for (bool exclude : {false, true}) {
        FilterCombList(*stat, selected, list, snapshot, last, c.Sorted, exclude);
        d.Add(list.Count());
        d.Add(list.Data(), sizeof(TComb) * static_cast<size_t>(list.Count()));
      }
    }
  }
  std::map<std::string, uint64_t> out;
  for (const auto& [ident, d] : digests) out[ident] = d.Value;
  return out;
}

// clang-format off
const std::map<std::string, uint64_t> kExpected = {
    {"CHAN", 0xbf2720d9a5bd4a96ull},
    {"CHN1", 0x4066406dd03a1c40ull},
    {"CHN2", 0x4ab30faffbc2bac0ull},
    {"CHN3", 0x929dcd3e7e7e5564ull},
    {"CHN4", 0xa4addeed7b48c1dcull},
    {"CHN5", 0x5f8d1ecf90866318ull},
    {"CHN6", 0xb05c79bb402cee9eull},
    {"CHNC", 0x9b20fab2f183b41bull},
    {"CHNV", 0xbacb1f7173e7b1c1ull},
    {"COL1", 0xcc0d97826653936dull},
    {"COL2", 0x46379a74b6cae2caull},
    {"COL3", 0xaff471b857412ab4ull},
    {"COL4", 0x8a7042afdc2da512ull},
    {"COL5", 0x8447c91ac9bcc332ull},
    {"COL6", 0x2050ea66d0baa1b2ull},
    {"COLA", 0x686889d8d4662ac2ull},
    {"COLC", 0xcd95a5ee13b54fdaull},
    {"COLM", 0xaeee0ea2cd5b2565ull},
    {"COLN", 0xf8e30a4db42314f6ull},
    {"COLS", 0x49713e51c78d6cceull},
    {"COLV", 0x84a89be74c218e7eull},
    {"DIFA", 0x924fed90134b351aull},
    {"DIFD", 0x6a0a0417d0bef1eeull},
    {"DIFK", 0x5e80f8193707939dull},
    {"DIFM", 0x3091fdf7114966b5ull},
    {"DIFO", 0xc75ae73cb14331efull},
    {"DIGS", 0xa2f38ef4686be4a5ull},
    {"EVEN", 0x0780ef161fa1b9a3ull},
    {"EVNV", 0xdc109553c39872dcull},
    {"GRCP", 0xcf1f3b06d24584faull},
    {"GRCV", 0x4e88119afc1bddf2ull},
    {"GRPP", 0xf4ec23188af6ff89ull},
    {"GRPV", 0x3a1187a20893bc01ull},
    {"GRSP", 0x7cbafc4a67229dd7ull},
    {"GRSV", 0x03e55636a72c2212ull},
    {"HCO1", 0x606564f614d1d4cbull},
    {"HCO2", 0x1974d9cd6d3c88f1ull},
    {"HCO3", 0x5c4ad9ca6da1f44dull},
    {"KCM2", 0x7b7d44fbe3a3187cull},
    {"KCM3", 0x341b0046c0663989ull},
    {"KCM4", 0x4f6d9971826cedddull},
    {"KCS2", 0x4e518682dedf3c23ull},
    {"KCS3", 0x1cb96e882040634bull},
    {"KCS4", 0x5bf87327d9be6000ull},
    {"KDS2", 0xa93d742d46e77943ull},
    {"KDS3", 0x727d82d9953436b7ull},
    {"KDS4", 0x0a7d292479789252ull},
    {"KFM2", 0x343e4fd7c9d71e0full},
    {"KFM3", 0x2b344402368c774aull},
    {"KFM4", 0x50988834106f6c37ull},
    {"KFS2", 0x2201ac6818b8690eull},
    {"KFS3", 0xf9711d7c5cf93673ull},
    {"KFS4", 0x08d95687274a38e1ull},
    {"KGM2", 0x2850ff4d2f47a0f9ull},
    {"KGM3", 0x5fd2898751d069b3ull},
    {"KGM4", 0x0586a807781df305ull},
    {"KGS2", 0x913396ef3ccc31e4ull},
    {"KGS3", 0x7ace7139a122413dull},
    {"KGS4", 0x6797ab0dcb00f8a5ull},
    {"KNM2", 0x3e7d053d0c05ceeaull},
    {"KNM3", 0x74eb75006de568b8ull},
    {"KNM4", 0x243bcd8dd0d9b06bull},
    {"KNP21", 0xaf9b40435bc96b0full},
    {"KNP22", 0xbf9a158091aa11f5ull},
    {"KNP23", 0x3b2be9fb05c4e19dull},
    {"KNP24", 0x5c17a6d270b80a51ull},
    {"KNP31", 0x7e202880682fa181ull},
    {"KNP32", 0x26976afe9498f305ull},
    {"KNP33", 0x3dc06ed6dfe947d2ull},
    {"KNP41", 0x95ff418ba196f90aull},
    {"KNP42", 0x63a5f8171d900c78ull},
    {"KNS2", 0x53b607daa32a9989ull},
    {"KNS3", 0x4100f31457afa447ull},
    {"KNS4", 0x1f41cefd2a1bcfacull},
    {"KRM2", 0x7b7d44fbe3a3187cull},
    {"KRM3", 0x341b0046c0663989ull},
    {"KRM4", 0x4f6d9971826cedddull},
    {"KRS2", 0x4e518682dedf3c23ull},
    {"KRS3", 0x1cb96e882040634bull},
    {"KRS4", 0x5bf87327d9be6000ull},
    {"LENS", 0x2787c5d0ffd51f21ull},
    {"NUMS", 0x03f36f422fbc82fbull},
    {"POE1", 0x6df6431a2fe29ec3ull},
    {"POS1", 0xc2a3ba59eafdd170ull},
    {"POS2", 0x48b814f936c5e6b4ull},
    {"POS3", 0xaf92cb456d09ffd8ull},
    {"POS4", 0x91de9e239c77f6e4ull},
    {"POS5", 0xcd5cdd428ff94201ull},
    {"PRB2", 0x07a9c21beed061cdull},
    {"PRC+1", 0xdad41810deb39b56ull},
    {"PRC+2", 0xdf77d71eaf7b4646ull},
    {"PRC-1", 0x25eb2da304b14cc4ull},
    {"PRC-2", 0x04681336227dcd5dull},
    {"PRC2O2", 0x1c81e4d5171b2e53ull},
    {"PRC2O3", 0x84aa6d5883074913ull},
    {"PRDC", 0x084679823d03bb93ull},
    {"PRDG", 0xdc0fa3046843329eull},
    {"PRDV", 0xde8374a441c97c35ull},
    {"PRIM", 0x440dd8cea5d08c4aull},
    {"PRL2", 0xd7896be1dbf6bf9eull},
    {"PRMV", 0x9a14fd3c9646d50bull},
    {"PRV+1", 0xa2472feb0b5ec0b2ull},
    {"PRV+2", 0x475bf8c825affe75ull},
    {"PRV-1", 0xf45024edc65ac7eaull},
    {"PRV-2", 0xd7b0b113f00178e2ull},
    {"PRV2O1", 0xa4ed47b81c9edb14ull},
    {"PRV2O2", 0xebc3a1cfd0135e19ull},
    {"PRV2O3", 0xa4f1c544aba89efeull},
    {"ROW1", 0x4066406dd03a1c40ull},
    {"ROW2", 0x4ab30faffbc2bac0ull},
    {"ROW3", 0x929dcd3e7e7e5564ull},
    {"ROW4", 0xa4addeed7b48c1dcull},
    {"ROW5", 0x5f8d1ecf90866318ull},
    {"ROW6", 0xb05c79bb402cee9eull},
    {"ROWA", 0x587b25a843bf534dull},
    {"ROWC", 0xedd60375913bf8ceull},
    {"ROWM", 0x13a58cbfa3e0b193ull},
    {"ROWN", 0x9b20fab2f183b41bull},
    {"ROWS", 0x6f6856ff73da0ae4ull},
    {"ROWV", 0x9293c8a3de6946a9ull},
    {"RPC2", 0x8d07231e1bcd5469ull},
    {"RPC3", 0x2abcd856d31e8320ull},
    {"RPO1", 0xd2fb2977dcccf86bull},
    {"RPV2", 0x91667f5f1581e305ull},
    {"RPV3", 0xb0716ef11f2d10e5ull},
    {"S2T3", 0x1c5ca6daaea5dd67ull},
    {"SC2C1", 0xdb58fb3de10fc7f3ull},
    {"SC2C2", 0x77ae6edd3ef305c6ull},
    {"SC2C3", 0x445a85354c6e6dc1ull},
    {"SC2C4", 0xa91cea9a056fc63dull},
    {"SC2C5", 0x6ea6b3529c0cece6ull},
    {"SC2C6", 0xf6ef00a8722f5cbcull},
    {"SC3C1", 0xcf99deb4fafbf9dbull},
    {"SC3C2", 0xb97af187262aac26ull},
    {"SC3C3", 0xa99b15a87dea805cull},
    {"SC3C4", 0xe7d8d7bee05a5a31ull},
    {"SC3C5", 0x5c49a3b266662fedull},
    {"SC3C6", 0x490c63f06bdfc71full},
    {"SCM1", 0xe7e67f59463293f5ull},
    {"SCM2", 0x8751ff7e2f936595ull},
    {"SCM3", 0x8577027b9ab39d94ull},
    {"SCM4", 0xe7d96bfa06dd1486ull},
    {"SCM5", 0x81c612ec7e377c39ull},
    {"SCN1", 0x1b6a4cfd3087c470ull},
    {"SCN2", 0xca001817a1b8f81full},
    {"SCN3", 0x2dcc027dad6cd8ccull},
    {"SCN4", 0xf32426142e5ab7baull},
    {"SCN5", 0x26fa0b8d766849f0ull},
    {"SCP2", 0xd4d326506c53182cull},
    {"SCP3", 0x53e6c02bc804098aull},
    {"SCV2", 0xa8b059200b9346daull},
    {"SDA2", 0xe72a13b4cad27378ull},
    {"SDC2", 0xb7b3a6adf52049dfull},
    {"SDG2", 0x9817d14593654396ull},
    {"SDM1", 0xb4feb73bf7e34eaaull},
    {"SDM2", 0x13e65978ddc655ccull},
    {"SDM3", 0x7cbafc4a67229dd7ull},
    {"SDM4", 0x7cbafc4a67229dd7ull},
    {"SDM5", 0x7cbafc4a67229dd7ull},
    {"SDN1", 0x595b8525e7b75d0dull},
    {"SDN2", 0x970d66297c3e2781ull},
    {"SDN3", 0xaad16a60cee76d21ull},
    {"SDN4", 0xe5006ca79fc2068full},
    {"SDN5", 0x353a4fc29f346e99ull},
    {"SDP2", 0x18e6fb73bc0b4f45ull},
    {"SDP3", 0xe6add9350b475679ull},
    {"SDV2", 0xcfbfbfac6eab1b5eull},
    {"SDZ2", 0xc1bca1aac55704b4ull},
    {"SEQL", 0x83eeed9e99f474b0ull},
    {"SEQS", 0x6eed59dda911c7d1ull},
    {"SGM1", 0x2afcd922a0d592daull},
    {"SGMC", 0x49d57a6689ae455aull},
    {"SGMS", 0xdc05918ccac0ff4full},
    {"SGMV", 0xf33b02ce513d88eaull},
    {"SHR1", 0x324a16d19b951875ull},
    {"SHR2", 0xc7f830a75c7d196dull},
    {"SHR3", 0x8025a9aed04dd734ull},
    {"SMAL", 0x537ecc2b42c77ab1ull},
    {"SMLV", 0x3a8b117dcc9e8ad2ull},
    {"SS2C1", 0x784828e1affa15baull},
    {"SS3C1", 0x9314dcaa5f44b4f9ull},
    {"SSM1", 0xa46e7bdc2684efe8ull},
    {"SSM2", 0xa46e7bdc2684efe8ull},
    {"SSM3", 0xa46e7bdc2684efe8ull},
    {"SSM4", 0xa46e7bdc2684efe8ull},
    {"SSM5", 0xa46e7bdc2684efe8ull},
    {"SSN1", 0x92758bf006654c15ull},
    {"SSN2", 0x92758bf006654c15ull},
    {"SSN3", 0x92758bf006654c15ull},
    {"SSN4", 0x92758bf006654c15ull},
    {"SSN5", 0x92758bf006654c15ull},
    {"SSP2", 0x5a0971eb27672261ull},
    {"SSP3", 0xfdb2ed6ef40ce031ull},
    {"SSV2", 0x5ac9ff7a3c1cd59bull},
    {"SUM1", 0xa55ec8d6feacd037ull},
    {"SUM2", 0xda75f22df181d9b1ull},
    {"SUM3", 0x2c43f3b1d6f9810full},
    {"SUMC", 0xb246d67b32702264ull},
    {"SUME", 0x4143aae66b2c5953ull},
    {"SUMP", 0xc0725c1c02b59e0aull},
    {"SUMS", 0x0b96a668a67dbf96ull},
    {"SUMT", 0x998ea1289cf9d3d3ull},
    {"SUMV", 0x1bfde060585b93bbull},
};
// clang-format on

TEST(ResultsGuard, EveryMethodGivesTheSameTableAndFilterResults) {
  const std::map<std::string, uint64_t> got = Digests();
  if (std::getenv("KVARN_PRINT_DIGESTS")) {
    for (const auto& [ident, v] : got)
      std::printf("    {\"%s\", 0x%016llxull},\n", ident.c_str(),
                  static_cast<unsigned long long>(v));
  }
  EXPECT_EQ(got.size(), kExpected.size());
  for (const auto& [ident, v] : got) {
    const auto it = kExpected.find(ident);
    if (it == kExpected.end()) {
      ADD_FAILURE() << ident << " has no expected digest";
      continue;
    }
    EXPECT_EQ(v, it->second) << ident;
  }
}

}  // namespace
}  // namespace kvarn
