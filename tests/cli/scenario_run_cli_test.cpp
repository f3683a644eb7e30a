// kvarn-cli scenario run|test: one line per variant and the run's summary, TAB separated, with
// the exit status of the run.
#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "common/archives.h"
#include "core/codec.h"
#include "core/files.h"
#include "scenario/script_file.h"

namespace kvarn {
namespace {

class ScenarioRunCli : public test::TCliTest {
 protected:
  void SetUp() override { test::WriteArchive(dir_, test::RandomArchive(40, 201, 11)); }
  std::string Scenario(const TScriptLines& lines) {
    const std::string path = Path("s.lsc");
    ScriptFileWrite(path, lines);
    return path;
  }
};

TEST_F(ScenarioRunCli, ForecastPrintsEachVariantAndTheSummary) {
  const std::string file = Scenario(
      {"FULL:0#FIRST|TSD1#EVEN:10#LDV:1;2#ST:1|", "", "CURR:0#NONE|TSD1#EVEN:10#LNO:#ST:1|"});
  ASSERT_EQ(Run({"scenario", "run", file, "--log", Path("run.log")}), 0) << err_;
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 8u) << out_;
  // pass, offset, line, variant, after the starting list, before the stakes, stakes, filters
  EXPECT_EQ(lines[0].rfind("variant\t1\t0\t1\t1\t376992\t", 0), 0u) << lines[0];
  EXPECT_EQ(lines[0].substr(lines[0].size() - 27), "\t1\tTSD#EVEN:10#LDV:1;2#ST:1");
  EXPECT_EQ(lines[1].rfind("variant\t1\t0\t3\t1\t", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "status\tcompleted");
  EXPECT_EQ(lines[3], "message\t");
  EXPECT_EQ(lines[4], "offset\t0");
  EXPECT_EQ(lines[6], "stakes_added\t1");
  EXPECT_EQ(lines[7], "records\t1");
  EXPECT_NE(Cp1251ToUtf8(ReadWholeFile(Path("run.log"))).find("Выполнение строки 003"),
            std::string::npos);
}

TEST_F(ScenarioRunCli, TestFromAnOffsetAndItsCountBounds) {
  const std::string file = Scenario({"FULL:0#LAST|TSD1#EVEN:10#LDV:1;2#ST:1|"});
  ASSERT_EQ(Run({"scenario", "test", file, "--count", "2", "--offset", "3"}), 0) << err_;
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 8u) << out_;
  EXPECT_EQ(lines[0].rfind("variant\t1\t2\t1\t1\t", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("variant\t2\t1\t1\t1\t", 0), 0u) << lines[1];
  EXPECT_EQ(lines[4], "offset\t3");
  EXPECT_EQ(lines[7], "records\t3");  // stake, separator, stake
  EXPECT_EQ(Run({"scenario", "test", file, "--count", "40"}), 2);
  EXPECT_EQ(Run({"scenario", "test", file}), 2);
}

TEST_F(ScenarioRunCli, AnErrorEndsWithItsMessageOnOneLineAndStatusOne) {
  const std::string file = Scenario({"FULL:0#STOP|TSD1#EVEN:10#LDV:1;2#ST:1|"});
  EXPECT_EQ(Run({"scenario", "run", file}), 0) << err_;
  EXPECT_NE(out_.find("status\tstopped\nmessage\tВыполнение сценария прервано"), std::string::npos)
      << out_;
  EXPECT_NE(out_.find("осталось более одной: "), std::string::npos);
  EXPECT_NE(out_.find("!\\r\\rФильтры: 01.001: "), std::string::npos) << out_;
  const std::string bad = Scenario({"FULL:0#FIRST|TSD1#QQQQ:10#LDV:1;2#ST:1|"});
  EXPECT_EQ(Run({"scenario", "run", bad}), 1);
  EXPECT_NE(out_.find("status\terror\nmessage\tНекорректное описание фильтра: "), std::string::npos)
      << out_;
}

}  // namespace
}  // namespace kvarn
