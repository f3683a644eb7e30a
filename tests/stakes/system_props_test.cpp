#include <gtest/gtest.h>

#include "core/dates.h"
#include "stakes/system_store.h"

namespace kvarn {
namespace {

tSystemInfo NamedInfo() {
  tSystemInfo info;
  info.Id = 12;
  info.NumsCount = 7;
  info.BlockLen = 3;
  info.Title = "5-07-3_0012";
  return info;
}

TEST(SystemProps, EveryTextFieldSurvivesSavingTwice) {
  tSystemInfo info = NamedInfo();
  info.Title = "C:\\7 \\n";
  info.Author = "a\\b";
  info.Owner = "\\\\";
  info.Description = "one\ntwo \\ three";
  info.URL = "http://x/\\";
  info.Created = EncodeDateTime(2024, 3, 1, 12, 30, 0);
  for (int round = 0; round < 2; ++round) {
    tSystemInfo back = NamedInfo();
    SystemPropsRead(SystemPropsText(info), back);
    EXPECT_EQ(back.Title, info.Title);
    EXPECT_EQ(back.Author, info.Author);
    EXPECT_EQ(back.Owner, info.Owner);
    EXPECT_EQ(back.Description, info.Description);
    EXPECT_EQ(back.URL, info.URL);
    EXPECT_EQ(back.Created, info.Created);
    info = back;
  }
}

TEST(SystemProps, MissingKeysKeepWhatTheNameTells) {
  tSystemInfo info = NamedInfo();
  info.CombsCount = 9;
  SystemPropsRead("[System]\r\nAuthor=me\r\n", info);
  EXPECT_EQ(info.Title, "5-07-3_0012");
  EXPECT_EQ(info.CombsCount, 9);
  EXPECT_EQ(info.Author, "me");
  EXPECT_EQ(info.Id, 12);
}

// A time the "yyyy-mm-dd hh:mm:ss" form cannot show would be written as no time; it is no time
// from the start, so that a save does not change it.
TEST(SystemProps, TimesAtOrBeforeTheEpochReadAsNoTime) {
  EXPECT_EQ(SystemDateFromText("1899-12-29 00:00:00"), 0);
  EXPECT_EQ(SystemDateFromText("1899-12-30 00:00:00"), 0);
  EXPECT_GT(SystemDateFromText("1899-12-31 00:00:00"), 0);
  tSystemInfo info = NamedInfo();
  SystemPropsRead("[System]\r\nCreated=1800-01-01 00:00:00\r\n", info);
  EXPECT_EQ(info.Created, 0);
}

}  // namespace
}  // namespace kvarn
