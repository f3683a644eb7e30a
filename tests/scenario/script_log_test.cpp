#include "scenario/script_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/data_dir_test.h"
#include "core/files.h"

namespace kvarn {
namespace {

class ScriptLogTest : public test::TDataDirTest {};

TEST_F(ScriptLogTest, NamedByTheStartLinesPrefixedByTheirTimeInCp1251) {
  TScriptLog log;
  TDateTime now = EncodeDateTime(2024, 3, 7, 9, 5, 2);
  log.Clock = [&] { return now; };
  EXPECT_EQ(log.Write({"nothing while off"}), "");
  log.BeginIn(dir_);
  EXPECT_EQ(log.Path(), Path("ScriptLog_2024-03-07-09-05-02.txt"));
  EXPECT_EQ(log.Write({"Тест", ""}), "");
  now = EncodeDateTime(2024, 3, 7, 23, 59, 59);
  EXPECT_EQ(log.Write(std::vector<std::string>{"x"}), "");
  EXPECT_EQ(ReadWholeFile(log.Path()),
            "[2024-03-07 09:05:02]: \xD2\xE5\xF1\xF2\r\n"
            "[2024-03-07 09:05:02]: \r\n"
            "[2024-03-07 23:59:59]: x\r\n");
  log.End();
  EXPECT_FALSE(log.Active());
}

TEST_F(ScriptLogTest, WriteFailureIsReportedNotThrown) {
  TScriptLog log;
  log.Begin(Path("missing-dir/log.txt"));
  EXPECT_NE(log.Write({"line"}), "");
}

TEST_F(ScriptLogTest, DeleteFindsOnlyScenarioLogs) {
  for (const char* name : {"ScriptLog_1.txt", "ScriptLog_2024-01-01-00-00-00.txt", "ScriptLog_.log",
                           "Kvarn_5x36-1.log"})
    WriteFileAtomic(Path(name), "x");
  EXPECT_EQ(ScriptLogFiles(dir_).size(), 2u);
  const TStakesLogsDeleted r = ScriptLogsDelete(dir_);
  EXPECT_EQ(r.Found, 2);
  EXPECT_EQ(r.Deleted, 2);
  EXPECT_TRUE(ScriptLogFiles(dir_).empty());
  EXPECT_TRUE(FileExists(Path("Kvarn_5x36-1.log")));
}

}  // namespace
}  // namespace kvarn
