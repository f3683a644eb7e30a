// The parser of a command's words against its declared options, and the usage and help made
// from the declarations.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "cli/cli.h"

namespace kvarn {
namespace {

const std::vector<TCliOption> Options = {
    {.name = "--value", .value = "TEXT", .help = "a value", .required = true, .repeat = true},
    {.name = "--keep", .help = "keep", .required = true, .group = "dir"},
    {.name = "--delete", .help = "delete", .group = "dir"},
    {.name = "--len", .value = "N", .help = "draws"},
    {.name = "--sorted", .help = "sorted"},
    {.name = "--all", .help = "all", .group = "which"},
    {.name = "--missing", .help = "missing", .group = "which"},
    {.name = "--group", .value = "G", .help = "a group", .repeat = true},
};

std::string UsageError(const std::vector<std::string>& words) {
  try {
    TCliArgs args(words, Options);
  } catch (const TCliUsageError& e) {
    return e.message;
  }
  return "";
}

TEST(CliArgs, OptionsAndPositionalWordsInAnyOrder) {
  TCliArgs args({"--len", "10", "--value", "a b", "--sorted", "SUMS", "--value=-3", "--keep", "x",
                 "--len=12"},
                Options);
  EXPECT_EQ(args.TakePositional(), "SUMS");
  EXPECT_EQ(args.TakeInt("--len", 0), 12);  // the last one given
  EXPECT_TRUE(args.TakeFlag("--sorted"));
  EXPECT_FALSE(args.TakeFlag("--delete"));
  EXPECT_EQ(args.TakeAll("--value"), (std::vector<std::string>{"a b", "-3"}));
  EXPECT_EQ(args.TakeOption("--group"), std::nullopt);
  EXPECT_THROW(args.ExpectEnd(), TCliUsageError);
  EXPECT_EQ(args.TakePositional(), "x");
  EXPECT_EQ(args.TakePositional(), std::nullopt);
  args.ExpectEnd();
  // A value is the next word whatever it looks like.
  TCliArgs negative({"--value", "--keep", "--keep", "--len", "-1"}, Options);
  EXPECT_EQ(negative.TakeOption("--value"), "--keep");
  EXPECT_EQ(negative.TakeInt("--len", 0), -1);
}

TEST(CliArgs, WrongWordsAreUsageErrors) {
  EXPECT_EQ(UsageError({"--value", "1", "--keep", "--bogus"}), "unknown option: --bogus");
  EXPECT_EQ(UsageError({"--value", "1", "--keep", "--bogus=1"}), "unknown option: --bogus");
  EXPECT_EQ(UsageError({"--keep", "--value"}), "option --value needs a value");
  EXPECT_EQ(UsageError({"--value", "1", "--keep", "--sorted=1"}), "option --sorted takes no value");
  EXPECT_EQ(UsageError({"--keep"}), "option --value is needed");
  EXPECT_EQ(UsageError({"--value", "1"}), "exactly one of --keep and --delete is needed");
  EXPECT_EQ(UsageError({"--value", "1", "--keep", "--delete"}),
            "exactly one of --keep and --delete is needed");
  EXPECT_EQ(UsageError({"--value", "1", "--keep", "--all", "--missing"}),
            "--all and --missing exclude each other");
  EXPECT_EQ(UsageError({"--value", "1", "--delete", "--missing", "-x", "--"}), "");
  TCliArgs args({"--value", "1", "--keep", "--len", "ten"}, Options);
  try {
    args.TakeInt("--len", 0);
    ADD_FAILURE();
  } catch (const TCliUsageError& e) {
    EXPECT_EQ(e.message, "option --len needs an integer");
  }
  // A command reading an option it did not declare is a fault of the command, not of its user.
  EXPECT_THROW(args.TakeFlag("--yes"), std::logic_error);
}

TEST(CliHelp, UsageAndHelpComeFromTheDeclarations) {
  const TCliCommand c{
      .name = "filter", .synopsis = "IDENT", .help = "Filters.", .options = Options};
  EXPECT_EQ(c.Usage(),
            "filter IDENT --value TEXT [--value TEXT ...] (--keep|--delete) [--len N] [--sorted] "
            "[--all|--missing] [--group G ...]");
  const std::string help = c.Help();
  EXPECT_EQ(help.substr(0, help.find('\n')), "usage: " + c.Usage());
  EXPECT_NE(help.find("\nFilters.\n  --value TEXT  a value\n  --keep        keep\n"),
            std::string::npos)
      << help;
  const TCliCommand sub{.name = "draws", .sub = "import", .synopsis = "FILE.csv"};
  EXPECT_EQ(sub.Usage(), "draws import FILE.csv");
}

struct TRun {
  int rc;
  std::string out, err;
};
TRun Cli(std::vector<std::string> args) {
  args.insert(args.begin(), {"--dir", testing::TempDir()});
  std::ostringstream o, e;
  const int rc = CliMain(args, o, e);
  return {rc, o.str(), e.str()};
}

TEST(CliHelp, ProgramAndCommandHelp) {
  const TRun all = Cli({"help"});
  EXPECT_EQ(all.rc, 0);
  EXPECT_EQ(all.out.rfind(
                "usage: kvarn-cli [--dir DIR] [--verbose] [--wait SECONDS] COMMAND [ARGS]\n", 0),
            0u);
  EXPECT_NE(all.out.find("Exit status: 0 done, 1 failed, 2 wrong words, 3 the data directory is "
                         "held by another program (nothing changed).\n"),
            std::string::npos);
  EXPECT_NE(all.out.find("\n  stat IDENT [--len N] [--offset K] [--sorted] [--prefetch] "
                         "[--matrix-cols N] [--channel-size N] [--segments DIGITS]\n"),
            std::string::npos);
  EXPECT_NE(all.out.find("\n  config show\n"), std::string::npos);
  EXPECT_EQ(Cli({}).rc, 2);

  const TRun stat = Cli({"stat", "--help"});
  EXPECT_EQ(stat.rc, 0);
  EXPECT_EQ(stat.out.rfind("usage: stat IDENT [--len N]", 0), 0u);
  EXPECT_NE(stat.out.find("\n  --prefetch "), std::string::npos);
  EXPECT_EQ(Cli({"help", "stat"}).out, stat.out);
  // Every sub-command of draws, each with its options.
  const TRun draws = Cli({"draws", "--help"});
  for (const char* sub : {"list", "add", "status", "delete", "import", "export"})
    EXPECT_NE(draws.out.find(std::string("usage: draws ") + sub), std::string::npos) << sub;
}

TEST(CliHelp, UsageErrorsNameTheSubCommand) {
  const TRun unknown = Cli({"draws", "list", "--bogus"});
  EXPECT_EQ(unknown.rc, 2);
  EXPECT_EQ(unknown.err,
            "kvarn-cli: unknown option: --bogus\nusage: draws list [--offset K] [--sorted]\n");
  const TRun missing = Cli({"draws", "--offset", "2"});
  EXPECT_EQ(missing.rc, 2);
  EXPECT_EQ(missing.err.rfind("kvarn-cli: a sub-command is needed\nusage: draws list ", 0), 0u);
  // The value of an option before the sub-command's name is not taken for the name.
  const TRun status = Cli({"draws", "--offset", "0", "status"});
  EXPECT_EQ(status.rc, 0) << status.err;
  EXPECT_EQ(status.out, "Архив тиражей: 0\nСледующий тираж: 1\n\n");
}

}  // namespace
}  // namespace kvarn
