#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "core/codec.h"
#include "core/files.h"
#include "stakes/rating.h"

namespace kvarn {
namespace {

class ScenarioCli : public test::TCliTest {
 protected:
  std::string File() const { return Path("s.lsc"); }
};

TEST_F(ScenarioCli, AddWritesLinesThatShowPrintsAsTheList) {
  ASSERT_EQ(Run({"scenario", "add", File(), "--options", "excl:5#rand#nex", "--filter",
                 "tsd2#sums:10#lmv:3", "--filter", "", "--filter", "TSD1#ZZZ9:1#LNO:#SF:1",
                 "--comment", "Мой"}),
            0)
      << err_;
  EXPECT_EQ(out_, "");
  ASSERT_EQ(Run({"scenario", "add", File(), "--options", "FULL:0#EXT"}), 0);
  EXPECT_EQ(Cp1251ToUtf8(ReadWholeFile(File())),
            "excl:5#rand#nex|tsd2#sums:10#lmv:3| |TSD1#ZZZ9:1#LNO:#SF:1| | | | |Мой\r\n"
            "FULL:0#EXT| | | | | | | |\r\n");
  WriteFileAtomic(File(), ReadWholeFile(File()) + "  \r\n");

  ASSERT_EQ(Run({"scenario", "show", File()}), 0) << err_;
  ASSERT_EQ(Lines().size(), 3u);
  EXPECT_EQ(Lines()[0],
            "Мой\tИсключить 5 тиражей; Случайно; Только новые ставки\tTSD2#SUMS:10#LMV:3#SF:0"
            "\t\tTSD1#ZZZ9:1#LNO:#SF:1\t\t\t\t");
  EXPECT_EQ(Lines()[1], "\tИсходный список; Расширенная; Все создаваемые ставки\t\t\t\t\t\t\t");
  EXPECT_EQ(Lines()[2], "\t\t\t\t\t\t\t\t");
}

TEST_F(ScenarioCli, ShowWithoutAFileIsTheCurrentScenario) {
  ASSERT_EQ(Run({"scenario", "show"}), 0);
  EXPECT_EQ(out_, "");
  WriteFileAtomic(Path("Kvarn_5x36.lss"), Utf8ToCp1251("CURR:0#NONE#CLR| | | | | | | |Текущий\r"));
  ASSERT_EQ(Run({"scenario", "show"}), 0);
  EXPECT_EQ(out_,
            "Текущий\tТекущий список; Не делать ставок; Удалить ставки; Все создаваемые "
            "ставки\t\t\t\t\t\t\t\n");
}

TEST_F(ScenarioCli, BadArgumentsChangeNothing) {
  std::vector<std::string> eight = {"scenario", "add", File(), "--options", "FULL:0#EXT"};
  for (int i = 0; i < 8; ++i) eight.insert(eight.end(), {"--filter", "F"});
  EXPECT_EQ(Run(eight), 2);
  EXPECT_NE(err_.find("at most seven filters"), std::string::npos);
  EXPECT_EQ(Run({"scenario", "add", File(), "--options", "FULL:0#EXT", "--comment", "a|b"}), 2);
  EXPECT_EQ(Run({"scenario", "add", File(), "--options", "FULL|0"}), 2);
  EXPECT_EQ(Run({"scenario", "add", File()}), 2);
  EXPECT_EQ(Run({"scenario", "add", "--options", "FULL:0#EXT"}), 2);
  EXPECT_FALSE(FileExists(File()));
  EXPECT_EQ(Run({"scenario", "show", Path("missing.lsc")}), 1);
  EXPECT_NE(err_.find("Ошибка чтения файла \"" + Path("missing.lsc") + "\"!"), std::string::npos);
}

TEST_F(ScenarioCli, FromRatingAppendsTheNamedRowsToTheCurrentScenario) {
  TRatingsArray rating(3);
  rating[0].Name = "02.003: Тест @ FULL:0#EXT + TSD1#SUMS:10#LMV:3#SF:1";
  rating[1].Name = "Ставка вручную";
  rating[2].Name = "EXCL:5#RAND#NEX + TSD1#DIGS:5#LNO:#SF:1";
  RatingsWriteFile(Path(RatingsFileName), rating);
  WriteFileAtomic(Path("Kvarn_5x36.lss"), Utf8ToCp1251("a\r\n"));

  EXPECT_EQ(Run({"scenario", "from-rating", "Нет такой"}), 1);
  EXPECT_NE(err_.find("no rating row is named \"Нет такой\""), std::string::npos);
  EXPECT_EQ(Run({"scenario", "from-rating"}), 2);
  EXPECT_EQ(Cp1251ToUtf8(ReadWholeFile(Path("Kvarn_5x36.lss"))), "a\r\n");

  // The rows in the order named, a name in another letter case included; the row without a
  // filter is refused with its message and the run fails, the others are kept.
  EXPECT_EQ(Run({"scenario", "from-rating", "excl:5#rand#nex + tsd1#digs:5#lno:#sf:1",
                 "Ставка вручную", "02.003: Тест @ FULL:0#EXT + TSD1#SUMS:10#LMV:3#SF:1"}),
            1);
  EXPECT_EQ(out_, "2\n");
  EXPECT_NE(err_.find("Ставка вручную"), std::string::npos) << err_;
  EXPECT_NE(err_.find("невозможно добавить в сценарий!"), std::string::npos) << err_;
  EXPECT_EQ(Cp1251ToUtf8(ReadWholeFile(Path("Kvarn_5x36.lss"))),
            "a\r\n"
            "EXCL:5#RAND#NEX|TSD1#DIGS:5#LNO:#SF:1| | | | | | |\r\n"
            "FULL:0#EXT|TSD1#SUMS:10#LMV:3#SF:1| | | | | | |02.003: Тест\r\n");
}

}  // namespace
}  // namespace kvarn
