#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"
#include "stat_fixtures.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using namespace stat_fixtures;

const TStatTableLine kFxTable[] = {
    {"TstFxNumbers", &TstFxNumbers_Class},
    {"TstFxHidden", &TstFxHidden_Class},
    {"TstFxNotBuilt", nullptr},
    {"TstFxPos", &TstFxPos_Class},
    {"TstFxShared", &TstFxShared_Class},
    {"TstFxEven", &TstFxEven_Class},
    {"TstFxMask", &TstFxMask_Class},
    {"TstFxShred", &TstFxShred_Class},
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.SetTable(kFxTable);
    reg.Register();
    dir = std::filesystem::temp_directory_path() /
          ("kvarn_registry_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    file = (dir / "Kvarn_5x36.flt").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::vector<std::string> Idents() const {
    std::vector<std::string> ids;
    for (int i = 0; i < reg.Count(); ++i) ids.push_back(reg.Items(i).IdentOf());
    return ids;
  }
  int Entry(const std::string& ident) const { return reg.FindByIdent(ident); }

  TDrawsArray draws;
  TStatList reg{draws};
  std::filesystem::path dir;
  std::string file;
};

TEST_F(RegistryTest, RegistersTableOrderWithOneEntryPerParameter) {
  EXPECT_EQ(Idents(), (std::vector<std::string>{"FXN", "FXP1", "FXP2", "FXP3", "FXP4", "FXP5",
                                                "FXD", "FXE", "FXM", "FXS1", "FXS2", "FXS3"}));
  EXPECT_EQ(reg.Items(1).Param, 1);
  EXPECT_EQ(reg.Items(0).Param, 0);
  EXPECT_TRUE(reg.Items(0).Favourite);
  // Shredding entries take the formula of their parameter.
  const TStatMethod& s2 = reg.Items(Entry("FXS2"));
  EXPECT_EQ(s2.FormulaText, "(n4+n5)/(n1+n2+n3)");
  EXPECT_EQ(s2.FullName(), "Метод шинковки 2: (n4+n5)/(n1+n2+n3)");
  EXPECT_EQ(reg.Items(Entry("FXP2")).FullName(), "Число в 2 позиции");
}

TEST_F(RegistryTest, NamesFromTheFileAreNeverFormatTemplates) {
  // A hostile or mistyped name: shown as typed, not as a gigabyte of padding.
  WriteFileAtomic(file, Utf8ToCp1251("[STRINGS_RUS]\r\nFXS1=%999999999s\r\nFXS2=Шинковка %s "
                                     "(%d%%)\r\nFXN=%999999999s %n\r\n"));
  std::string message;
  ASSERT_TRUE(reg.LoadNames(file, true, message)) << message;
  EXPECT_EQ(reg.Items(Entry("FXS1")).FullName(), "%999999999s");
  EXPECT_EQ(reg.DisplayName(Entry("FXS1"), true), "{ shr } %999999999s [ SN ]");
  // The formula still goes where the name asks for it; nothing else is read.
  EXPECT_EQ(reg.Items(Entry("FXS2")).FullName(), "Шинковка (n4+n5)/(n1+n2+n3) (%d%)");
  EXPECT_EQ(reg.DisplayName(Entry("FXN"), true), "{ num } %999999999s %n [ N ]");
}

TEST_F(RegistryTest, DisplayNamesCarryGroupAndFeatureLetters) {
  EXPECT_EQ(reg.DisplayName(Entry("FXN"), true), "{ num } Числа [ N ]");
  EXPECT_EQ(reg.DisplayName(Entry("FXP1"), true), "{ sum } Число в 1 позиции [ SNG ]");
  EXPECT_EQ(reg.DisplayName(Entry("FXP1"), false), "{ sum } Число в 1 позиции");
  EXPECT_EQ(reg.DisplayName(Entry("FXD"), true), "{ rep } Общие [ D ]");
  reg.ShowGroupName = false;
  EXPECT_EQ(reg.DisplayName(Entry("FXE"), true), "Четные [ NG ]");
  reg.ShowMethodFlags = false;
  EXPECT_EQ(reg.DisplayName(Entry("FXE"), true), "Четные");
  reg.Items(Entry("FXE")).CustomName = "Мои четные";
  EXPECT_EQ(reg.DisplayName(Entry("FXE"), true), "Мои четные");

  EXPECT_EQ(StatGroupHeading(3), "{ grp } Каналы (группы чисел)");
  EXPECT_EQ(StatGroupHeading(13), "#ERROR#");
  EXPECT_EQ(StatGroupHeading(-1), "#ERROR#");
}

TEST_F(RegistryTest, BoxesListTheListedFavouritesAndGraphsSeparately) {
  TMethodBoxes boxes = reg.BoxLines();
  ASSERT_EQ(boxes.Stat.size(), 11u);  // FXD is not listed
  EXPECT_EQ(boxes.Stat[0].Text, "{ num } Числа [ N ]");
  EXPECT_EQ(boxes.Stat[6].Entry, Entry("FXE"));
  ASSERT_EQ(boxes.Graph.size(), 6u);  // five positions and the even count
  EXPECT_EQ(boxes.Graph[5].Entry, Entry("FXE"));

  reg.SetFavouritesText("FXE,FXN");
  boxes = reg.BoxLines();
  ASSERT_EQ(boxes.Stat.size(), 2u);
  EXPECT_EQ(boxes.Stat[0].Entry, Entry("FXN"));

  reg.SetAllFavourite();
  reg.Ordered = true;
  boxes = reg.BoxLines();
  EXPECT_EQ(boxes.Stat.front().Text, "{ num } Маска [ SN ]");
  EXPECT_EQ(boxes.Stat.back().Text, "{ sum } Число в 5 позиции [ SNG ]");
}

TEST_F(RegistryTest, FavouritesTextIgnoresCaseAndEmptyRestoresAll) {
  reg.SetFavouritesText("fxn, FXP3 ,fxs1");
  EXPECT_FALSE(reg.AllFavourite);
  EXPECT_TRUE(reg.IsFavourite(Entry("FXN")));
  EXPECT_TRUE(reg.IsFavourite(Entry("FXP3")));
  EXPECT_FALSE(reg.IsFavourite(Entry("FXP1")));
  EXPECT_EQ(reg.FavouritesText(), "FXN,FXP3,FXS1");

  reg.SetFavouritesText("  ");
  EXPECT_TRUE(reg.AllFavourite);
  EXPECT_EQ(reg.FavouritesText(), "");
  EXPECT_TRUE(reg.Items(Entry("FXP1")).Favourite);
}

TEST_F(RegistryTest, UntickingEveryEntryMeansAll) {
  for (int i = 0; i < reg.Count(); ++i) reg.Items(i).Favourite = false;
  reg.AllFavourite = false;
  reg.NormaliseFavourites();
  EXPECT_TRUE(reg.AllFavourite);
  EXPECT_TRUE(reg.Items(0).Favourite);

  reg.Items(2).Favourite = false;
  reg.NormaliseFavourites();
  EXPECT_FALSE(reg.AllFavourite);
  EXPECT_FALSE(reg.IsFavourite(2));
}

TEST_F(RegistryTest, NamesAndFavouritesSurviveARefillThroughTheFile) {
  reg.Items(Entry("FXP3")).CustomName = "Третья позиция";
  reg.SetFavouritesText("FXN,FXP3");
  reg.Ordered = true;
  std::string message;
  TMethodBoxes boxes = reg.RefillBoxes(file, message);
  EXPECT_EQ(message, "");
  EXPECT_EQ(reg.Items(Entry("FXP3")).CustomName, "Третья позиция");
  EXPECT_EQ(reg.FavouritesText(), "FXN,FXP3");
  EXPECT_TRUE(reg.Ordered);
  ASSERT_EQ(boxes.Stat.size(), 2u);
  EXPECT_EQ(boxes.Stat[0].Text, "{ num } Числа [ N ]");
  EXPECT_EQ(boxes.Stat[1].Text, "{ sum } Третья позиция [ SNG ]");

  // The file: cp1251, CR LF, options and only the user-given names.
  const std::string bytes = ReadWholeFile(file);
  EXPECT_NE(bytes.find("[FILTERS]\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("Favorites=FXN,FXP3\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("Ordered=1\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("[STRINGS_RUS]\r\nFXP3=" + Utf8ToCp1251("Третья позиция") + "\r\n"),
            std::string::npos);
  EXPECT_EQ(bytes.find("FXN="), std::string::npos);

  // A fresh registry (a restart) reads the same state back.
  TStatList again(draws);
  again.SetTable(kFxTable);
  again.Register();
  ASSERT_TRUE(again.LoadNames(file, true, message));
  EXPECT_EQ(again.Items(Entry("FXP3")).Name(), "Третья позиция");
  EXPECT_FALSE(again.IsFavourite(Entry("FXP1")));

  // Removing the name removes its key; all names writes every entry.
  reg.Items(Entry("FXP3")).CustomName.clear();
  ASSERT_TRUE(reg.SaveNames(file, false, false, message));
  EXPECT_EQ(ReadWholeFile(file).find("FXP3="), std::string::npos);
  ASSERT_TRUE(reg.SaveNames(file, false, true, message));
  EXPECT_NE(ReadWholeFile(file).find("FXN=" + Utf8ToCp1251("Числа") + "\r\n"), std::string::npos);
}

TEST_F(RegistryTest, MissingFileReadsAsDefaultsAndFailuresAreReported) {
  std::string message;
  reg.Ordered = true;
  EXPECT_TRUE(reg.LoadNames((dir / "none.flt").string(), true, message));
  EXPECT_TRUE(reg.Ordered);  // the current values are the defaults
  EXPECT_EQ(message, "");

  // A directory in place of the file.
  const std::string bad = (dir / "sub").string();
  std::filesystem::create_directories(bad);
  EXPECT_FALSE(reg.LoadNames(bad, true, message));
  EXPECT_EQ(message.rfind("Ошибка загрузки списка фильтров!\r\r", 0), 0u);
  EXPECT_FALSE(reg.SaveNames(bad, true, false, message));
  EXPECT_EQ(message.rfind("Ошибка сохранения списка фильтров!\r\r", 0), 0u);
}

TEST_F(RegistryTest, LookUpByIdentifierPrefix) {
  EXPECT_EQ(reg.FindByIdentPrefix("fxp3 1;2;3"), Entry("FXP3"));
  EXPECT_EQ(reg.FindByIdentPrefix("FXS2"), Entry("FXS2"));
  EXPECT_EQ(reg.FindByIdentPrefix("FX"), -1);
  EXPECT_EQ(reg.FindByIdentPrefix(""), -1);
  EXPECT_EQ(reg.FindByIdent("fxe"), Entry("FXE"));
  EXPECT_EQ(reg.FindByIdent("FXE1"), -1);
}

TEST(RegistrationTable, HoldsEveryClassOnceInTheFixedOrder) {
  const auto table = StatRegistrationTable();
  ASSERT_EQ(table.size(), 143u);
  EXPECT_STREQ(table.front().ClassName, "TstValues");
  EXPECT_STREQ(table.back().ClassName, "TstShreddingStat");
  int segmSeq4 = -1, posVal = -1;
  for (size_t i = 0; i < table.size(); ++i) {
    for (size_t j = i + 1; j < table.size(); ++j)
      EXPECT_STRNE(table[i].ClassName, table[j].ClassName);
    const std::string name = table[i].ClassName;
    if (name == "TstCombSegmSeq4") segmSeq4 = static_cast<int>(i);
    if (name == "TstPosVal") posVal = static_cast<int>(i);
    // Every class of the table is built.
    ASSERT_NE(table[i].Class, nullptr) << name;
    EXPECT_STREQ(table[i].Class().ClassName(), table[i].ClassName);
  }
  EXPECT_EQ(posVal, segmSeq4 + 1);
}

TEST(RegistrationTable, EntriesFollowTheTableAndPositionsComeAfterTheirPredecessor) {
  TDrawsArray draws;
  TStatList reg(draws);
  reg.Register();
  const auto table = StatRegistrationTable();
  // Walk the table alongside the entries: each available class gives its run of entries.
  int entry = 0;
  const TStatClass* beforePos = nullptr;
  for (const TStatTableLine& line : table) {
    if (!line.Class || !line.Class().IsAvailable()) continue;
    const TStatClass& cls = line.Class();
    if (std::string(line.ClassName) == "TstPosVal") {
      ASSERT_LT(entry + 4, reg.Count());
      for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(reg.Items(entry + p - 1).IdentOf(), "POS" + std::to_string(p));
      if (entry > 0) {
        EXPECT_EQ(reg.Items(entry - 1).StatClass, beforePos);
      }
    }
    int mn = 0, mx = 0;
    if (cls.HasParam()) cls.ParamRange(reg, mn, mx);
    for (int p = mn; p <= mx; ++p, ++entry) {
      ASSERT_LT(entry, reg.Count());
      EXPECT_EQ(reg.Items(entry).StatClass, &cls);
      EXPECT_EQ(reg.Items(entry).Param, p);
    }
    beforePos = &cls;
  }
  EXPECT_EQ(entry, reg.Count());
}

}  // namespace
}  // namespace kvarn
