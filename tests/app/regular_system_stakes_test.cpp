// Stakes made by regulars and by system play through the workspace: what reaches the stakes file,
// what the regulars keep, and what the person is shown.
#include <gtest/gtest.h>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "stakes/regulars_file.h"

namespace kvarn {
namespace {

class RegularSystemStakes : public test::TDataDirTest {
 protected:
  void SetUp() override {
    // Eight draws numbered 101..108; the last one is 3;9;17;25;33 in drawn order.
    test::WriteArchive(dir_, test::ArchiveOf(8, 101, [](int i) {
                         return i == 7 ? TComb{33, 9, 25, 3, 17} : test::RunOfFive(i);
                       }));
    ws = std::make_unique<TWorkspace>(host, dir_);
    ws->OpenHeadless();
    ASSERT_TRUE(ws->StakesOpen());
    ws->TabTables(true);
    ws->SystemsOn(true);
  }
  void AddRegular(const std::string& comment, const std::string& start, int step,
                  uint8_t base = rbOwnComb) {
    TRegularInput in;
    in.Comment = comment;
    in.StartText = start;
    in.Step = step;
    in.Base = base;
    const TRegularsCreation c = ws->RegularsCheck(in, {});
    ASSERT_EQ(c.Field, TRegularField::None) << c.Message;
    ASSERT_TRUE(ws->TablesAdd(c.Created));
  }
  std::vector<TStake> Stakes() {
    std::vector<TStake> out;
    ws->StakesFile().ForEach(0, [&](const TStake& s) { out.push_back(s); });
    return out;
  }
  TRegular Reloaded(int index) {
    TRegularsStore store(dir_);
    store.Load();
    return store.Items()[static_cast<size_t>(index)];
  }
  void StoreSystem(int nums, const std::string& lines) {
    tSystemData data = ws->SystemsNew();
    data.Info.NumsCount = nums;
    data.Info.Title = "t";
    data.Info.Author = "a";
    data.Info.Description = "d";
    data.Combs = lines;
    data.Info.CombsCount = static_cast<int32_t>(SystemNormalise(lines).CombsCount);
    ASSERT_TRUE(ws->SystemsAdd(data)) << (host.messages.empty() ? "" : host.messages[0].text);
  }

  TSilentHost host;
  std::unique_ptr<TWorkspace> ws;
};

TEST_F(RegularSystemStakes, RegularStakeIsMadeOnOkOnlyAndTheRegularMovesOn) {
  AddRegular("Сдвиг", "30;31;32;33;34", 5);
  AddRegular("По тиражу", "", 0, rbLastDraw);

  TRegular advanced;
  TStake stake;
  ASSERT_TRUE(ws->TablesStakePrepare(0, advanced, stake));
  EXPECT_EQ(CombText(advanced.Current), "1;2;3;35;36");
  EXPECT_EQ(stake.Kind, skRegular);
  EXPECT_EQ(stake.DrawNumber, 109);
  EXPECT_EQ(stake.Comment, "Сдвиг");
  // Cancel: nothing was stored back.
  EXPECT_EQ(Reloaded(0).Stakes, 0u);
  EXPECT_EQ(ws->Regulars()[0].Current, ws->Regulars()[0].Start);

  ASSERT_TRUE(ws->TablesStakeAdd(0, advanced, stake, 2));
  const TRegular saved = Reloaded(0);
  EXPECT_EQ(CombText(saved.Current), "1;2;3;35;36");
  EXPECT_EQ(saved.Stakes, 1u);
  const std::vector<TStake> stakes = Stakes();
  ASSERT_EQ(stakes.size(), 3u);  // draw 109, separator, draw 110
  EXPECT_EQ(stakes[0].DrawNumber, 109);
  EXPECT_EQ(stakes[2].DrawNumber, 110);

  // Based on the last draw with step 0: its numbers, sorted.
  ASSERT_TRUE(ws->TablesStakePrepare(1, advanced, stake));
  EXPECT_EQ(CombText(advanced.Current), "3;9;17;25;33");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(RegularSystemStakes, TestOfTwoRegularsOverFiveDrawsChecksTenStakes) {
  AddRegular("A", "1;2;3;4;5", 1);
  AddRegular("B", "10;11;12;13;14", -3);
  AddRegular("C", "20;21;22;23;24", 2);
  EXPECT_EQ(ws->RegularsTestMaxCount(), 7);
  EXPECT_EQ(ws->TablesStakeTest({0, 2}, 5), 10);
  const std::vector<TStake> stakes = Stakes();
  ASSERT_EQ(stakes.size(), 10u);
  std::vector<int> draws;
  for (const TStake& s : stakes) {
    EXPECT_TRUE(s.IsChecked());
    EXPECT_EQ(s.Kind, skRegular);
    draws.push_back(s.DrawNumber);
  }
  EXPECT_EQ(draws, (std::vector<int>{104, 104, 105, 105, 106, 106, 107, 107, 108, 108}));
  EXPECT_EQ(stakes[0].Comment, "A");
  EXPECT_EQ(stakes[1].Comment, "C");
  // The tested regulars moved on five steps and were saved; the other was left alone.
  EXPECT_EQ(CombText(Reloaded(0).Current), "6;7;8;9;10");
  EXPECT_EQ(Reloaded(0).Stakes, 5u);
  EXPECT_EQ(Reloaded(1).Stakes, 0u);
  EXPECT_EQ(CombText(Reloaded(2).Current), "30;31;32;33;34");
  EXPECT_EQ(ws->TablesStakeTest({0}, 0), 0);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(RegularSystemStakes, SystemPlayStakesTheWholeSystemOrOnlyTheListsCombinations) {
  StoreSystem(7, "01 02 03 04 05\r\n03 04 05 06 07\r\n01 02 05 06 07");
  // Seven numbers in order of first appearance: 5 6 7 8 9 1 2.
  TCombList& list = ws->Combs();
  list.Clear();
  list.Append({5, 6, 7, 8, 9});
  list.Append({1, 2, 5, 6, 9});
  ws->StakesAppend(ws->StakePrepare(0), 1);  // the file ends with a stake: a separator comes

  TSystemFind found;
  std::string comment;
  ASSERT_TRUE(ws->SystemStakePrepare(TSystemPlayMode::All, found, comment));
  EXPECT_EQ(comment, "Системная игра для 7 чисел [вся система]: 5-07-0_0001");
  EXPECT_EQ(ws->SystemStakePlay(TSystemPlayMode::All, found, 200, 1, comment), 3u);
  std::vector<TStake> stakes = Stakes();
  ASSERT_EQ(stakes.size(), 5u);
  EXPECT_EQ(stakes[1].Kind, skSeparator);
  EXPECT_EQ(stakes[2].Kind, skSystem);
  EXPECT_EQ(stakes[2].DrawNumber, 200);
  EXPECT_EQ(stakes[2].SampleSize, 3);  // the system's size
  EXPECT_EQ(stakes[2].Comment, comment);
  EXPECT_EQ(NumberSetText(stakes[2].Numbers, ";"), "5;6;7;8;9");
  EXPECT_EQ(NumberSetText(stakes[3].Numbers, ";"), "1;2;7;8;9");
  EXPECT_EQ(NumberSetText(stakes[4].Numbers, ";"), "1;2;5;6;9");

  ASSERT_TRUE(ws->SystemStakePrepare(TSystemPlayMode::Combs, found, comment));
  EXPECT_EQ(comment, "Системная игра для 7 чисел [комбинации]: 5-07-0_0001");
  EXPECT_EQ(ws->SystemStakePlay(TSystemPlayMode::Combs, found, 201, 1, comment), 2u);
  stakes = Stakes();
  ASSERT_EQ(stakes.size(), 8u);
  EXPECT_EQ(stakes[5].Kind, skSeparator);
  EXPECT_EQ(stakes[6].SampleSize, 2);  // the list's length
  EXPECT_EQ(NumberSetText(stakes[7].Numbers, ";"), "1;2;5;6;9");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(RegularSystemStakes, SystemPlayWithNoOverlapOrNoSystemStakesNothing) {
  StoreSystem(7, "03 04 05 06 07");
  // The numbers 1..7; the system's only combination, 3;4;5;6;7, is not in the list.
  TCombList& list = ws->Combs();
  list.Clear();
  list.Append({1, 2, 3, 4, 5});
  list.Append({1, 2, 3, 6, 7});
  TSystemFind found;
  std::string comment;
  ASSERT_TRUE(ws->SystemStakePrepare(TSystemPlayMode::Combs, found, comment));
  EXPECT_EQ(ws->SystemStakePlay(TSystemPlayMode::Combs, found, 200, 1, comment), 0u);
  EXPECT_EQ(ws->StakesCount(), 0);

  list.Append({1, 2, 3, 4, 8});
  EXPECT_FALSE(ws->SystemStakePrepare(TSystemPlayMode::All, found, comment));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Система для 8 чисел не найдена или не загружена на компьютер!\r\rПеред системной "
            "игрой необходимо предварительно загрузить системы на Ваш компьютер через меню "
            "\"Системы\" - \"Загрузить\".");
  EXPECT_EQ(ws->StakesCount(), 0);
}

}  // namespace
}  // namespace kvarn
