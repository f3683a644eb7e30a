#include "stakes/system_play.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stakes_check.h"
#include "stakes/stakes_fixture.h"
#include "stakes/system_store.h"

namespace kvarn {

tSystemData SystemOf(int id, int n, int block, const std::string& lines,
                     const std::string& title = "Система");

namespace {

TCombList ListOf(std::initializer_list<TComb> combs) {
  TCombList list;
  for (const TComb& c : combs) list.Append(c);
  return list;
}

std::vector<std::string> Texts(const TCombsArray& combs) {
  std::vector<std::string> out;
  for (const TComb& c : combs) out.push_back(CombText(c));
  return out;
}

class SystemPlayTest : public StakesDir {
 protected:
  // Seven numbers: 3, 9, 1 from the first, then 20, 36, 17, 5.
  TCombList list = ListOf({{3, 9, 1, 20, 36}, {1, 3, 17, 20, 5}, {5, 9, 36, 1, 3}});
};

TEST_F(SystemPlayTest, NumbersOfTheListInOrderOfFirstAppearance) {
  EXPECT_EQ(SystemListNumbers(list), (TByteArray{3, 9, 1, 20, 36, 17, 5}));

  TCombList all;
  for (int i = 0; i + 5 <= 40; ++i) {
    TComb c;
    for (int k = 0; k < 5; ++k) c[static_cast<size_t>(k)] = static_cast<uint8_t>((i + k) % 36 + 1);
    all.Append(c);
  }
  EXPECT_EQ(SystemListNumbers(all).size(), 36u);
}

TEST_F(SystemPlayTest, SevenNumbersFindTheSevenNumberSystemAndPositionsFollowTheList) {
  SystemsAdd(dir, SystemOf(12, 7, 3, "1 2 3 4 5\n3 4 5 6 7\n"));
  SystemsAdd(dir, SystemOf(1, 6, 0, "1 2 3 4 5"));
  const TSystemFind f = SystemFindCombs(dir, SystemListNumbers(list));
  ASSERT_TRUE(f.Ok) << f.Message;
  EXPECT_EQ(SystemShortName(f.FileName), "5-07-3_0012");
  EXPECT_EQ(Texts(f.Combs), (std::vector<std::string>{"3;9;1;20;36", "1;20;36;17;5"}));

  // The same combinations in another order give other numbers to the positions.
  TCombList other = ListOf({list[1], list[0], list[2]});
  const TSystemFind g = SystemFindCombs(dir, SystemListNumbers(other));
  ASSERT_TRUE(g.Ok);
  EXPECT_EQ(Texts(g.Combs), (std::vector<std::string>{"1;3;17;20;5", "17;20;5;9;36"}));
  EXPECT_EQ(SystemStakeComment(TSystemPlayMode::All, 7, g.FileName),
            "Системная игра для 7 чисел [вся система]: 5-07-3_0012");
  EXPECT_EQ(SystemStakeComment(TSystemPlayMode::Combs, 7, g.FileName),
            "Системная игра для 7 чисел [комбинации]: 5-07-3_0012");
}

TEST_F(SystemPlayTest, MissingSystemGivesItsMessages) {
  const TSystemFind f = SystemFindCombs(dir, SystemListNumbers(list));
  EXPECT_FALSE(f.Ok);
  EXPECT_EQ(f.Error, "Система для 7 чисел не найдена или не загружена на компьютер!");
  EXPECT_EQ(f.Message,
            "Система для 7 чисел не найдена или не загружена на компьютер!\r\rПеред системной "
            "игрой необходимо предварительно загрузить системы на Ваш компьютер через меню "
            "\"Системы\" - \"Загрузить\".");
}

TEST_F(SystemPlayTest, MalformedSystemFileFailsWholeAndStakesNothing) {
  std::filesystem::create_directories(SystemsFolder(dir));
  Open();
  const TByteArray numbers = SystemListNumbers(list);
  const char* const bad[] = {"1 2 3 4 5\r\n1 2 3 4\r\n", "1 2 3 4 5\r\n1 2 3 4 8\r\n",
                             "1 2 3 4 5\r\n1 1 2 3 4\r\n", "\r\n\r\n"};
  const char* const causes[] = {"Некорректная комбинация: \"1 2 3 4\"!",
                                "Некорректная комбинация: \"1 2 3 4 8\"!",
                                "Некорректная комбинация: \"1 1 2 3 4\"!",
                                "Файл системы \"5-07-0_0001\" не содержит комбинаций!"};
  for (size_t i = 0; i < std::size(bad); ++i) {
    WriteBytes("Systems/5-07-0_0001.dat", bad[i]);
    const TSystemFind f = SystemFindCombs(dir, numbers);
    EXPECT_FALSE(f.Ok) << bad[i];
    EXPECT_TRUE(f.Combs.empty());
    EXPECT_EQ(f.Message, std::string("Ошибка загрузки комбинаций системы!\r\r") + causes[i]);
    EXPECT_EQ(f.Error, f.Message);
  }
  EXPECT_EQ(file->Count(), 0);
}

TEST_F(SystemPlayTest, WholeSystemAndSystemTimesCombinations) {
  const TCombsArray system{{3, 9, 1, 20, 36}, {1, 20, 36, 17, 5}, {9, 1, 5, 3, 36}};
  EXPECT_EQ(Texts(SystemStakeCombs(system, TSystemPlayMode::All, list)),
            (std::vector<std::string>{"1;3;9;20;36", "1;5;17;20;36", "1;3;5;9;36"}));
  // Only the first and the third are in the list (the third in another order there).
  EXPECT_EQ(Texts(SystemStakeCombs(system, TSystemPlayMode::Combs, list)),
            (std::vector<std::string>{"1;3;9;20;36", "1;3;5;9;36"}));
  EXPECT_TRUE(SystemStakeCombs({{2, 4, 6, 8, 10}}, TSystemPlayMode::Combs, list).empty());
  EXPECT_EQ(SystemSampleSize(TSystemPlayMode::All, 3, 100), 3);
  EXPECT_EQ(SystemSampleSize(TSystemPlayMode::Combs, 3, 100), 100);
}

TEST_F(SystemPlayTest, StakesFollowASeparatorForEachDrawAndAreChecked) {
  TStakesFile& f = Open();
  const TConfigData config = PriceTenPrizeFifty();
  f.Append(ManualStake(50, Numbers({1, 2, 3, 4, 5})), 1);
  const TCombsArray combs{{1, 3, 9, 20, 36}, {1, 5, 17, 20, 36}};
  EXPECT_EQ(SystemStakesAppend(f, combs, 51, 2, "Системная игра", 7, config), 2u);
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{50, -1, 51, -1, 52, -1, 51, -1, 52}));
  const TStake s = f.ReadRecord(2, TStakeOrigin::Start);
  EXPECT_EQ(s.Kind, skSystem);
  EXPECT_EQ(s.SampleSize, 7);
  EXPECT_EQ(NumberSetText(s.Numbers, ";"), "1;3;9;20;36");
  EXPECT_EQ(s.Matches(), -1);
  EXPECT_EQ(MoneyText(s.Profit), "-10.00");
  EXPECT_EQ(s.Comment, "Системная игра");

  // No stake to make: not even the separator.
  EXPECT_EQ(SystemStakesAppend(f, {}, 53, 1, "x", 1, config), 0u);
  EXPECT_EQ(f.Count(), 9);
}

}  // namespace
}  // namespace kvarn
