// The lookup tables a filter pass makes of its selection must answer every question of the
// selection as the search of the list does: whole keys, words, bytes and longs at every
// position, keys of zero and of all ones, values far apart.
#include <gtest/gtest.h>

#include <random>

#include "stats/selected_keys.h"
#include "stats/stat.h"

namespace kvarn {
namespace {

TStatKey RandomKey(std::mt19937& rng) {
  TStatKey k;
  // Small components most of the time, so that the questions below meet selected values.
  auto part = [&] { return static_cast<uint16_t>(rng() % 4 == 0 ? rng() : rng() % 40); };
  k.Set(part(), part(), part(), part());
  return k;
}

TEST(SelectedKeys, AnswerAsTheSearchOfTheList) {
  std::mt19937 rng(24);
  for (int round = 0; round < 40; ++round) {
    TStatDrawArray selected(SelectedScanLimit + 1 + rng() % 300);
    for (TStatDraw& s : selected) s.Key = RandomKey(rng);
    if (round % 3 == 0) selected[0].Key.Clear();                          // the key 0
    if (round % 3 == 1) selected[1].Key.Set(65535, 65535, 65535, 65535);  // all ones
    if (round % 5 == 0) selected[2].Key.SetL1(-2000000000);               // longs far apart
    // Answers without the tables first.
    std::vector<TStatKey> questions;
    for (int q = 0; q < 400; ++q)
      questions.push_back(q % 2 ? RandomKey(rng) : selected[rng() % selected.size()].Key);
    questions.push_back(TStatKey{});
    std::vector<bool> want;
    for (const TStatKey& k : questions) {
      want.push_back(SelectedHasKey(selected, k));
      for (int pos = 1; pos <= 4; ++pos) want.push_back(SelectedHasWord(selected, pos, k.K(pos)));
      for (int pos = 1; pos <= 8; ++pos) want.push_back(SelectedHasByte(selected, pos, k.B(pos)));
      for (int pos = 1; pos <= 2; ++pos) want.push_back(SelectedHasLong(selected, pos, k.L(pos)));
      want.push_back(SelectedHasLongs(selected, k.L1(), k.L2()));
    }
    const TSelectedKeysScope scope(selected);
    size_t i = 0;
    for (const TStatKey& k : questions) {
      ASSERT_EQ(SelectedHasKey(selected, k), want[i++]) << round;
      for (int pos = 1; pos <= 4; ++pos)
        ASSERT_EQ(SelectedHasWord(selected, pos, k.K(pos)), want[i++]) << round << " word " << pos;
      for (int pos = 1; pos <= 8; ++pos)
        ASSERT_EQ(SelectedHasByte(selected, pos, k.B(pos)), want[i++]) << round << " byte " << pos;
      for (int pos = 1; pos <= 2; ++pos)
        ASSERT_EQ(SelectedHasLong(selected, pos, k.L(pos)), want[i++]) << round << " long " << pos;
      ASSERT_EQ(SelectedHasLongs(selected, k.L1(), k.L2()), want[i++]) << round;
    }
  }
}

TEST(SelectedKeys, OnlyTheSelectionOfThePassIsAnsweredFromTables) {
  TStatDrawArray selected(SelectedScanLimit + 4), other(SelectedScanLimit + 4);
  for (size_t i = 0; i < selected.size(); ++i) {
    selected[i].Key.Set(static_cast<uint16_t>(i + 1));
    other[i].Key.Set(static_cast<uint16_t>(i + 100));
  }
  const TSelectedKeysScope scope(selected);
  EXPECT_TRUE(SelectedHasKey(other, TStatKey{100, 0, 0, 0}));
  EXPECT_FALSE(SelectedHasKey(other, TStatKey{1, 0, 0, 0}));
  EXPECT_TRUE(SelectedHasKey(selected, TStatKey{1, 0, 0, 0}));
}

}  // namespace
}  // namespace kvarn
