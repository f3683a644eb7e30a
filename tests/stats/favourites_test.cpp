#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"
#include "stat_fixtures.h"
#include "stats/favourites.h"

namespace kvarn {
namespace {

using namespace stat_fixtures;

const TStatTableLine kFxTable[] = {
    {"TstFxNumbers", &TstFxNumbers_Class}, {"TstFxHidden", &TstFxHidden_Class},
    {"TstFxPos", &TstFxPos_Class},         {"TstFxShared", &TstFxShared_Class},
    {"TstFxEven", &TstFxEven_Class},       {"TstFxMask", &TstFxMask_Class},
    {"TstFxShred", &TstFxShred_Class},
};

class FavouritesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.SetTable(kFxTable);
    reg.Register();
    dir = std::filesystem::temp_directory_path() /
          ("kvarn_favourites_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string File(const char* name) const { return (dir / name).string(); }
  int Entry(const char* ident) const { return reg.FindByIdent(ident); }

  // Heading and entry texts, with the entries' ticks, as the dialog shows them.
  static std::vector<std::string> Shown(const TFavouritesTree& t) {
    std::vector<std::string> lines;
    for (const auto& g : t.Groups()) {
      lines.push_back(g.Text);
      for (const auto& e : g.Entries) lines.push_back((e.Ticked ? "  [x] " : "  [ ] ") + e.Text);
    }
    return lines;
  }

  TDrawsArray draws;
  TStatList reg{draws};
  std::filesystem::path dir;
};

TEST_F(FavouritesTest, TreeGroupsEntriesUnderHeadingsInFirstOccurrenceOrder) {
  reg.SetFavouritesText("FXN,FXP2");
  reg.Items(Entry("FXM")).CustomName = "Моя маска";
  TFavouritesTree t(reg);
  EXPECT_EQ(Shown(t), (std::vector<std::string>{
                          "{ num } Числа тиража",
                          "  [x] Числа",
                          "  [ ] Четные",
                          "  [ ] Моя маска",
                          "{ sum } Сумма чисел тиража",
                          "  [ ] Число в 1 позиции",
                          "  [x] Число в 2 позиции",
                          "  [ ] Число в 3 позиции",
                          "  [ ] Число в 4 позиции",
                          "  [ ] Число в 5 позиции",
                          "{ rep } Повторяющиеся числа в нескольких тиражах",
                          "  [ ] Общие",
                          // The formula placeholder stays unfilled here.
                          "{ shr } Методы шинковки",
                          "  [ ] Метод шинковки 1: %s",
                          "  [ ] Метод шинковки 2: %s",
                          "  [ ] Метод шинковки 3: %s",
                      }));
  EXPECT_EQ(t.CountText(), "всего 12 методов");
  EXPECT_EQ(t.Icon({0, -1}), fiHeading);
  EXPECT_EQ(t.Icon({0, 0}), fiTicked);
  EXPECT_EQ(t.Icon({0, 1}), fiUnticked);
  EXPECT_EQ(t.RegistryEntry({1, 1}), Entry("FXP2"));
  EXPECT_EQ(t.RegistryEntry({1, -1}), -1);
  EXPECT_EQ(t.RegistryEntry({9, 0}), -1);
}

TEST_F(FavouritesTest, TickCommandsWorkOnAllOnAGroupAndOnOneEntry) {
  TFavouritesTree t(reg);  // all favourite: everything ticked
  t.CheckNone();
  EXPECT_EQ(t.Icon({3, 2}), fiUnticked);
  // A heading selected: its own entries.
  t.GroupAll({1, -1});
  EXPECT_TRUE(t.EntryAt({1, 0}).Ticked);
  EXPECT_TRUE(t.EntryAt({1, 4}).Ticked);
  EXPECT_FALSE(t.EntryAt({0, 0}).Ticked);
  // An entry selected: its siblings and itself.
  t.GroupAll({0, 2});
  EXPECT_TRUE(t.EntryAt({0, 0}).Ticked);
  EXPECT_FALSE(t.EntryAt({2, 0}).Ticked);
  t.GroupNone({1, 3});
  EXPECT_FALSE(t.EntryAt({1, 0}).Ticked);
  // A click flips an entry; headings stay headings.
  t.Toggle({2, 0});
  t.Toggle({2, -1});
  EXPECT_TRUE(t.EntryAt({2, 0}).Ticked);
  EXPECT_EQ(t.Icon({2, -1}), fiHeading);
  t.CheckAll();
  EXPECT_TRUE(t.EntryAt({1, 0}).Ticked);
  // Nothing reaches the registry before Apply.
  t.CheckNone();
  EXPECT_TRUE(reg.AllFavourite);
  EXPECT_TRUE(reg.Items(0).Favourite);
}

TEST_F(FavouritesTest, ApplyStoresTicksNamesAndOptions) {
  TFavouritesTree t(reg);
  t.CheckNone();
  t.Toggle({0, 1});                            // FXE
  t.Rename({1, 2}, "  Третья\tпозиция \r\n");  // one line, trimmed
  t.Rename({0, 0}, "ЧИСЛА");                   // the default caption in another case
  t.Rename({0, 2}, "");                        // empty: back to the default
  t.Ordered = true;
  t.ShowGroupName = false;
  t.Apply();
  EXPECT_FALSE(reg.AllFavourite);
  EXPECT_EQ(reg.FavouritesText(), "FXE");
  EXPECT_EQ(reg.Items(Entry("FXP3")).CustomName, "Третья позиция");
  EXPECT_EQ(reg.Items(Entry("FXN")).CustomName, "");
  EXPECT_EQ(reg.Items(Entry("FXM")).CustomName, "");
  EXPECT_TRUE(reg.Ordered);
  EXPECT_FALSE(reg.ShowGroupName);
  EXPECT_TRUE(reg.ShowMethodFlags);

  // "Вернуть" drops the name; unticking everything offers every method again.
  TFavouritesTree again(reg);
  EXPECT_EQ(again.EntryAt({1, 2}).Text, "Третья позиция");
  again.ResetName({1, 2});
  again.CheckNone();
  again.Apply();
  EXPECT_EQ(reg.Items(Entry("FXP3")).CustomName, "");
  EXPECT_TRUE(reg.AllFavourite);
  EXPECT_TRUE(reg.IsFavourite(Entry("FXP1")));
}

TEST_F(FavouritesTest, ExportWritesEveryShownNameAndLeavesTheRegistry) {
  reg.Items(Entry("FXE")).CustomName = "Чет";
  TFavouritesTree t(reg);
  t.Rename({0, 0}, "Мои числа");
  t.CheckNone();
  std::string message;
  ASSERT_TRUE(t.ExportNames(File("names.flt"), message)) << message;
  const std::string text = Cp1251ToUtf8(ReadWholeFile(File("names.flt")));
  EXPECT_NE(text.find("[STRINGS_RUS]\r\n"), std::string::npos);
  EXPECT_NE(text.find("FXN=Мои числа\r\n"), std::string::npos);
  EXPECT_NE(text.find("FXE=Чет\r\n"), std::string::npos);
  EXPECT_NE(text.find("FXP4=Число в 4 позиции\r\n"), std::string::npos);
  // Names only: no ticks and no options.
  EXPECT_EQ(text.find("Favorites"), std::string::npos);
  EXPECT_EQ(reg.Items(Entry("FXN")).CustomName, "");
  EXPECT_EQ(reg.Items(Entry("FXE")).CustomName, "Чет");
  EXPECT_TRUE(reg.AllFavourite);

  // A failing export reports and still leaves the registry.
  EXPECT_FALSE(t.ExportNames(dir.string(), message));
  EXPECT_EQ(message.rfind("Ошибка сохранения списка фильтров!\r\r", 0), 0u);
  EXPECT_EQ(reg.Items(Entry("FXN")).CustomName, "");
}

TEST_F(FavouritesTest, ImportReplacesShownNamesKeepsTicksAndLeavesTheRegistry) {
  WriteFileAtomic(File("in.flt"),
                  Utf8ToCp1251("[FILTERS]\r\nFavorites=FXN\r\n[STRINGS_RUS]\r\nfxe= Чет \r\n"));
  reg.Items(Entry("FXM")).CustomName = "Моя маска";
  TFavouritesTree t(reg);
  t.Toggle({0, 2});
  std::string message;
  ASSERT_TRUE(t.ImportNames(File("in.flt"), message)) << message;
  EXPECT_EQ(t.EntryAt({0, 1}).Text, "Чет");
  EXPECT_EQ(t.EntryAt({0, 2}).Text, "Маска");  // absent from the file: the default caption
  EXPECT_FALSE(t.EntryAt({0, 2}).Ticked);      // the file's favourites are not read
  EXPECT_TRUE(t.EntryAt({0, 0}).Ticked);
  EXPECT_EQ(reg.Items(Entry("FXM")).CustomName, "Моя маска");
  EXPECT_EQ(reg.Items(Entry("FXE")).CustomName, "");

  // A file without this language's names clears every name.
  WriteFileAtomic(File("other.flt"), "[STRINGS_ENU]\r\nFXE=Even\r\n");
  ASSERT_TRUE(t.ImportNames(File("other.flt"), message));
  EXPECT_EQ(t.EntryAt({0, 1}).Text, "Четные");
  t.Apply();
  EXPECT_EQ(reg.Items(Entry("FXM")).CustomName, "");

  // A failure keeps what the tree showed.
  t.Rename({0, 1}, "Чет");
  EXPECT_FALSE(t.ImportNames(dir.string(), message));
  EXPECT_EQ(message.rfind("Ошибка загрузки списка фильтров!\r\r", 0), 0u);
  EXPECT_EQ(t.EntryAt({0, 1}).Text, "Чет");
}

TEST_F(FavouritesTest, DirectEditsFollowTheManagersRules) {
  // From "all favourite", unticking one leaves the others offered.
  SetFavourites(reg, {"fxp2", "FXM"}, false);
  EXPECT_FALSE(reg.AllFavourite);
  EXPECT_FALSE(reg.IsFavourite(Entry("FXP2")));
  EXPECT_TRUE(reg.IsFavourite(Entry("FXP1")));
  SetFavourites(reg, {"FXP2", "FXM"}, true);
  EXPECT_TRUE(reg.AllFavourite);

  SetFavourites(reg, {"FXN"}, false);
  try {
    SetFavourites(reg, {"FXE", "NOPE"}, false);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Метод расчета статистики \"NOPE\" не найден!");
  }
  EXPECT_TRUE(reg.IsFavourite(Entry("FXE")));  // nothing changed

  RenameMethod(reg, "fxe", " Чет\n");
  EXPECT_EQ(reg.Items(Entry("FXE")).CustomName, "Чет");
  RenameMethod(reg, "FXE", "четные");
  EXPECT_EQ(reg.Items(Entry("FXE")).CustomName, "");
  EXPECT_THROW(RenameMethod(reg, "FXX", "x"), EKvarnError);
}

}  // namespace
}  // namespace kvarn
