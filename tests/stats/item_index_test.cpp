// Merging through the key index must give the very list the search of the list gives: the same
// order, counts, depths and periods, also when items reach the list by other means meanwhile.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "stats/item_index.h"
#include "stats/stat.h"

namespace kvarn {
namespace {

TEST(StatItemIndex, MergesAsTheSearchOfTheList) {
  std::mt19937 rng(7);
  TStatDrawArray plain, indexed;
  {
    const TStatItemIndexScope scope(indexed);
    for (int draw = 1; draw <= 3000; ++draw) {
      TStatDraw item;
      item.LastDraw = item.PrevDraw = draw;
      item.Depth = 3001 - draw;
      item.Count = 1;
      item.Key.Set(static_cast<uint16_t>(rng() % 50), static_cast<uint16_t>(rng() % 50));
      if (draw % 500 == 0) {
        // Appended without AddStatItem: the index takes it in at the next merge.
        plain.push_back(item);
        indexed.push_back(item);
        continue;
      }
      AddStatItem(plain, item, draw % 3 != 0);
      AddStatItem(indexed, item, draw % 3 != 0);
    }
  }
  ASSERT_EQ(plain.size(), indexed.size());
  EXPECT_EQ(std::memcmp(plain.data(), indexed.data(), plain.size() * sizeof(TStatDraw)), 0);
}

TEST(StatItemIndex, OtherListsAndAShrunkListAreSearchedRightly) {
  TStatDrawArray list, other;
  TStatDraw a, b;
  a.Key.Set(1);
  a.Count = 1;
  b.Key.Set(2);
  b.Count = 1;
  const TStatItemIndexScope scope(list);
  AddStatItem(list, a, false);
  AddStatItem(list, b, false);
  AddStatItem(other, a, false);  // not the indexed list
  EXPECT_EQ(other.size(), 1u);
  list.pop_back();  // the list shrank: b is gone and comes back as a new item
  AddStatItem(list, b, false);
  AddStatItem(list, a, false);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Count, 2);
  EXPECT_EQ(list[1].Count, 1);
}

}  // namespace
}  // namespace kvarn
