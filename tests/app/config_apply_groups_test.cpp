// Changing the channel width, the matrix or the segments in the settings: the methods are
// registered again with the new parameter ranges and the comparison files of exactly the
// affected groups are rebuilt.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/text.h"
#include "stats/prefetch.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

class ConfigApplyGroups : public test::TDataDirTest {
 protected:
  void SetUp() override { test::WriteArchive(dir_, test::Archive({{1, 2, 13, 14, 36}})); }

  std::vector<std::string> Idents(TWorkspace& ws, const std::string& prefix) {
    std::vector<std::string> out;
    TStatList& list = ws.StatList();
    for (int i = 0; i < list.Count(); ++i) {
      const std::string ident = list.Items(i).IdentOf();
      if (ident.rfind(prefix, 0) == 0 && ident.size() > prefix.size() &&
          std::isdigit(static_cast<unsigned char>(ident[prefix.size()])))
        out.push_back(ident);
    }
    return out;
  }
  // A placeholder file for every method with a comparison: only rebuilt files change.
  void FillPlaceholders(TWorkspace& ws) {
    fs::create_directories(PrefetchDir(dir_));
    TStatList& list = ws.StatList();
    for (int i = 0; i < list.Count(); ++i)
      if (list.CanPrefetch(i)) WriteFileAtomic(ws.PrefetchPathOf(i), std::string(12, '\0'));
  }
  bool IsPlaceholder(TWorkspace& ws, const std::string& ident) {
    const int entry = ws.StatList().FindByIdent(ident);
    return entry >= 0 && ReadWholeFile(ws.PrefetchPathOf(entry)) == std::string(12, '\0');
  }

  TSilentHost host_;
};

TEST_F(ConfigApplyGroups, ChannelWidthRebuildsOnlyTheChannelFiles) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ws.WindowState().PrefetchsEnabled = true;
  EXPECT_EQ(Idents(ws, "CHN").size(), 6u);
  FillPlaceholders(ws);

  TConfigData data = ws.Config();
  data.ChannelSize = 4;
  const TConfigChanges changes = ws.ConfigApply(data);
  EXPECT_TRUE(changes.channelSize);
  EXPECT_FALSE(changes.matrixCols);
  EXPECT_EQ(Idents(ws, "CHN").size(), 9u);
  EXPECT_FALSE(IsPlaceholder(ws, "CHNV"));
  EXPECT_FALSE(IsPlaceholder(ws, "CHN1"));
  EXPECT_FALSE(IsPlaceholder(ws, "CHN9")) << "a new entry gets its file";
  EXPECT_TRUE(IsPlaceholder(ws, "COLV"));
  EXPECT_TRUE(IsPlaceholder(ws, "SGMS"));
  EXPECT_TRUE(IsPlaceholder(ws, "NUMS"));
  // The rebuilt file holds the nine channels of width 4.
  const TPrefetchData chnc = ReadPrefetchFile(ws.PrefetchPathOf(ws.StatList().FindByIdent("CHNC")));
  ASSERT_FALSE(chnc.Records.empty());
  EXPECT_EQ(chnc.Records.back().Key.K1, 5);
  // The settings were written.
  EXPECT_TRUE(fs::exists(PathJoin(dir_, ConfigFileName)));
}

TEST_F(ConfigApplyGroups, MatrixAndSegmentsWithTheComparisonOffDropStaleFiles) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ws.WindowState().PrefetchsEnabled = false;
  FillPlaceholders(ws);

  TConfigData data = ws.Config();
  data.MatrixCols = 7;
  data.Segments[35] = 3;
  ws.ConfigApply(data);
  EXPECT_EQ(Idents(ws, "COL").size(), 7u);
  EXPECT_EQ(Idents(ws, "ROW").size(), 6u);
  EXPECT_EQ(Idents(ws, "SGM").size(), 3u);
  TStatList& list = ws.StatList();
  EXPECT_FALSE(fs::exists(ws.PrefetchPathOf(list.FindByIdent("COLM"))));
  EXPECT_FALSE(fs::exists(ws.PrefetchPathOf(list.FindByIdent("SGMV"))));
  EXPECT_TRUE(IsPlaceholder(ws, "CHNV"));
  EXPECT_TRUE(IsPlaceholder(ws, "NUMS"));

  // Settings that change no geometry leave every file alone.
  TConfigData same = ws.Config();
  same.StakeCost = 50000;
  FillPlaceholders(ws);
  ws.ConfigApply(same);
  EXPECT_TRUE(IsPlaceholder(ws, "COLM"));
}

}  // namespace
}  // namespace kvarn
