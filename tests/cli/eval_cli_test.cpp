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

}  // namespace
}  // namespace kvarn
