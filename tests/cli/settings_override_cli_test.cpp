#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli_fixture.h"
#include "common/archives.h"
#include "core/draws.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

// The identifiers of `methods` that start with prefix and continue with a digit.
std::vector<std::string> ParamIdents(const std::string& methodsOut, const std::string& prefix) {
  std::vector<std::string> out;
  std::istringstream in(methodsOut);
  std::string line;
  while (std::getline(in, line)) {
    const std::string ident = line.substr(0, line.find('\t'));
    if (ident.size() > prefix.size() && ident.rfind(prefix, 0) == 0 &&
        std::isdigit(static_cast<unsigned char>(ident[prefix.size()])))
      out.push_back(ident);
  }
  return out;
}

class SettingsOverrideCli : public test::TCliTest {
 protected:
  void SetUp() override {
    test::WriteArchive(dir_,
                       test::Archive({{1, 2, 13, 14, 36}, {5, 6, 7, 8, 30}, {3, 9, 20, 27, 33}}));
  }
  struct TRun {
    int rc = 0;
    std::string out, err;
  };
  TRun Cli(std::vector<std::string> args) {
    const int rc = Run(std::move(args));
    return {rc, out_, err_};
  }
};

TEST_F(SettingsOverrideCli, ParameterRangesFollowTheOptionsForOneRun) {
  const TRun plain = Cli({"methods"});
  ASSERT_EQ(plain.rc, 0) << plain.err;
  EXPECT_EQ(ParamIdents(plain.out, "CHN").size(), 6u);
  EXPECT_EQ(ParamIdents(plain.out, "COL").size(), 6u);
  EXPECT_EQ(ParamIdents(plain.out, "SGM"), (std::vector<std::string>{"SGM1"}));

  const TRun changed = Cli({"methods", "--channel-size", "4", "--matrix-cols=7", "--segments",
                            "123456789123456789123456789123456789"});
  ASSERT_EQ(changed.rc, 0) << changed.err;
  EXPECT_EQ(ParamIdents(changed.out, "CHN").size(), 9u);
  EXPECT_EQ(ParamIdents(changed.out, "COL").size(), 7u);
  EXPECT_EQ(ParamIdents(changed.out, "ROW").size(), 6u);
  EXPECT_EQ(ParamIdents(changed.out, "SGM").size(), 9u);

  // Nothing was written: the next run has the stored settings again.
  EXPECT_FALSE(fs::exists(PathJoin(dir_, "Kvarn_5x36.ini")));
  EXPECT_EQ(Cli({"methods"}).out, plain.out);
}

TEST_F(SettingsOverrideCli, ValuesAndTablesUseTheOverriddenGeometry) {
  const TRun v = Cli({"values", "CHAN", "1", "2", "13", "14", "36", "--channel-size", "5"});
  ASSERT_EQ(v.rc, 0) << v.err;
  EXPECT_EQ(v.out, "01 [1-5]\t2\n03 [11-15]\t2\n08 [36-40]\t1\n");

  const TRun m = Cli({"values", "COLM", "1", "2", "9", "30", "36", "--matrix-cols", "7"});
  ASSERT_EQ(m.rc, 0) << m.err;
  EXPECT_EQ(m.out, "1100000 (096)\t1\n");

  const TRun s = Cli({"stat", "SGMV", "--segments", std::string(18, '1') + std::string(18, '2')});
  ASSERT_EQ(s.rc, 0) << s.err;
  EXPECT_NE(s.out.find("\n1 x 4\t2\t"), std::string::npos)
      << s.out;  // two draws with four numbers in 1..18
  EXPECT_NE(s.out.find("\n2 x 3\t1\t"), std::string::npos) << s.out;

  const TRun g = Cli({"graph", "CHN8", "--channel-size", "5"});
  ASSERT_EQ(g.rc, 0) << g.err;
  EXPECT_EQ(g.out, "1\t1\n2\t0\n3\t0\n");
}

TEST_F(SettingsOverrideCli, FilterKeepsCandidatesWithoutANumberInTheChannel) {
  const TRun r =
      Cli({"filter", "CHNV", "--value", "03 [11-15] x 0", "--keep", "--channel-size", "5"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "169911");  // 5 of the 31 other numbers
}

TEST_F(SettingsOverrideCli, ComparisonOfChangedGroupsLeavesStoredFilesAlone) {
  ASSERT_NO_THROW(WriteFileAtomic(PathJoin(dir_, "Kvarn_5x36.frm"),
                                  "[TFormMain]\r\nPrefetchsInit=1\r\nPrefetchsEnabled=1\r\n"));
  const TRun r = Cli({"stat", "COLN", "--matrix-cols", "7"});
  ASSERT_EQ(r.rc, 0) << r.err;
  // Norms are filled from the full set of the 7-column matrix.
  std::istringstream in(r.out);
  std::string row;
  std::getline(in, row);
  int normed = 0;
  while (std::getline(in, row)) {
    const std::vector<std::string> cells = SplitWords(row, "\t");
    ASSERT_GT(cells.size(), 3u);
    normed += cells[3] != "0" ? 1 : 0;
  }
  EXPECT_GT(normed, 0) << r.out;
  EXPECT_FALSE(fs::exists(PathJoin(PathJoin(dir_, "Prefetchs"), "Kvarn_5x36_COLN.dfc")));
}

TEST_F(SettingsOverrideCli, OutOfRangeValuesAreUsageErrors) {
  EXPECT_EQ(Cli({"methods", "--channel-size", "1"}).rc, 2);
  EXPECT_EQ(Cli({"methods", "--channel-size", "x"}).rc, 2);
  EXPECT_EQ(Cli({"methods", "--matrix-cols", "37"}).rc, 2);
  EXPECT_EQ(Cli({"methods", "--segments", "123"}).rc, 2);
  EXPECT_EQ(Cli({"methods", "--segments", std::string(35, '1') + "0"}).rc, 2);
}

}  // namespace
}  // namespace kvarn
