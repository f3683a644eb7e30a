// kvarn-cli download and draws import/export, through CliMain.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "app/archive_server.h"
#include "cli/cli.h"
#include "cli_fixture.h"
#include "core/codec.h"
#include "core/draws.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

class DownloadCli : public test::TCliTest {};

TEST_F(DownloadCli, DownloadPrintsAddedAndCountAndFailsWithoutAnAddress) {
  EXPECT_EQ(Run({"download"}), 1);
  EXPECT_EQ(out_, "0\t0\n");
  EXPECT_NE(err_.find("Не задан адрес сайта архива тиражей"), std::string::npos);

  test::TArchiveServer server;
  ASSERT_EQ(server.Control("/__set?last=120"), "ok");
  std::vector<std::string> site = {"download", "--host", server.Base(), "--cacert",
                                   server.CaCert()};
  EXPECT_EQ(Run(site), 0) << err_;
  EXPECT_EQ(out_, "120\t120\n");
  EXPECT_EQ(Run(site), 0);
  EXPECT_EQ(out_, "0\t120\n");

  // A failing site: the retry question is answered No and the exit code says so.
  ASSERT_EQ(server.Control("/__set?last=300&fail=121"), "ok");
  EXPECT_EQ(Run(site), 1);
  EXPECT_EQ(out_, "0\t120\n");
  EXPECT_NE(err_.find("Повторить попытку? -> Нет"), std::string::npos);
}

TEST_F(DownloadCli, ExportThenImportIntoAnotherDirectory) {
  TDrawsArray a(2);
  a[0] = {5, {5, 1, 3, 2, 4}, 0, "пн \"утро\""};
  a[1] = {6, {36, 2, 17, 9, 11}, 3, ""};
  DrawsWriteFile(PathJoin(dir_, DrawsFileName), a);
  std::string csv = PathJoin(dir_, "draws.csv");
  EXPECT_EQ(Run({"draws", "export", csv}), 0);
  EXPECT_EQ(out_, "2\n");
  EXPECT_EQ(ReadWholeFile(csv), Utf8ToCp1251("5;\"пн \"\"утро\"\"\";5;1;3;2;4;0\r\n"
                                             "6;\"\";36;2;17;9;11;3\r\n"));
  // Into the same archive: nothing new.
  EXPECT_EQ(Run({"draws", "import", csv}), 0);
  EXPECT_EQ(out_, "0\t2\n");

  std::string other = PathJoin(dir_, "other");
  std::filesystem::create_directory(other);
  std::ostringstream o, e;
  EXPECT_EQ(CliMain({"--dir", other, "draws", "import", csv}, o, e), 0);
  EXPECT_EQ(o.str(), "2\t2\n");
  TDrawsArray back;
  DrawsReadFile(PathJoin(other, DrawsFileName), back);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].DateText, "пн \"утро\"");
  EXPECT_EQ(back[1].Extra, 3);

  EXPECT_EQ(Run({"draws", "import", PathJoin(dir_, "missing.csv")}), 1);
  EXPECT_NE(err_.find("Ошибка чтения файла"), std::string::npos);
  EXPECT_EQ(Run({"draws", "import"}), 2);
}

}  // namespace
}  // namespace kvarn
