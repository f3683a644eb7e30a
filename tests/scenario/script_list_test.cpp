#include "scenario/script_list.h"

#include <gtest/gtest.h>

namespace kvarn {
namespace {

TEST(ScriptList, RowShowsTheCommentTheOptionsInWordsAndNormalisedFilters) {
  TDrawsArray draws;
  TStatList registry(draws);
  registry.Register();
  TScriptListRow row =
      ScriptListRowOf("excl:2#rand#nex| tsd2#sums:10#lmv:3 | |ZZZ9:1#x| | | | |Заметка", registry);
  EXPECT_EQ(row[0], "Заметка");
  EXPECT_EQ(row[1], "Исключить 2 тиражей; Случайно; Только новые ставки");
  EXPECT_EQ(row[2], "TSD2#SUMS:10#LMV:3#SF:0");
  EXPECT_EQ(row[3], "");
  // An unknown identifier is shown as read; the piece that follows is taken as the method.
  EXPECT_EQ(row[4], "TSD1#x#LNO:#SF:0");
  for (size_t i = 5; i < row.size(); ++i) EXPECT_EQ(row[i], "");

  EXPECT_EQ(ScriptListRowOf("  ", registry), TScriptListRow{});
  EXPECT_EQ(ScriptListCaptions[2], std::string("Фильтр 1"));
}

}  // namespace
}  // namespace kvarn
