#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"

namespace kvarn {
namespace {

int RunCli(const std::vector<std::string>& args, std::string& out) {
  std::ostringstream o, e;
  int rc = CliMain(args, o, e);
  out = o.str();
  return rc;
}

TEST(CliEval, PrintsValueOrMessage) {
  std::string out;
  EXPECT_EQ(RunCli({"--dir", testing::TempDir(), "eval", "2*3^2"}, out), 0);
  EXPECT_EQ(out, "36\n");
  EXPECT_EQ(RunCli({"--dir", testing::TempDir(), "eval", "6/5"}, out), 0);
  EXPECT_EQ(out, "1.2\n");
  EXPECT_EQ(RunCli({"--dir", testing::TempDir(), "eval", "1/(3-3)"}, out), 1);
  EXPECT_EQ(out, "Деление на нуль\n");
  EXPECT_EQ(RunCli({"--dir", testing::TempDir(), "eval"}, out), 2);
}

TEST(CliArgs, PositionalWordsSkipTheValuesOfOptions) {
  TCliArgs args({"--len", "10", "--sorted", "SUMS", "--offset=2", "x"});
  EXPECT_EQ(args.TakePositional(), "SUMS");
  EXPECT_EQ(args.TakeInt("--len", 0), 10);
  EXPECT_TRUE(args.TakeFlag("--sorted"));
  EXPECT_EQ(args.TakeInt("--offset", 0), 2);
  EXPECT_EQ(args.TakePositional(), "x");
  EXPECT_EQ(args.TakePositional(), std::nullopt);
  args.ExpectEnd();
}

}  // namespace
}  // namespace kvarn
