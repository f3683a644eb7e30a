#include "core/config.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include "common/data_dir_test.h"
#include "common/file_size_limit.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

class ConfigFiles : public test::TDataDirTest {
 protected:
  void Write(const std::string& path, const std::string& utf8Text) {
    WriteFileAtomic(path, Utf8ToCp1251(utf8Text));
  }
  std::string Read(const std::string& path) { return Cp1251ToUtf8(ReadWholeFile(path)); }

  const std::string ini_ = Path(ConfigFileName);
  const std::string frm_ = Path(WindowStateFileName);
};

TEST_F(ConfigFiles, MissingFileGivesEveryDefault) {
  TConfigFile defaults;
  ConfigLoad(ini_, defaults);
  ProxyLoad(ini_, defaults.Proxy);
  EXPECT_EQ(defaults.Data.MatrixCols, 6);
  EXPECT_EQ(defaults.Data.ChannelSize, 6);
  EXPECT_EQ(defaults.Data.StakeCost, 0);
  EXPECT_EQ(defaults.Data.MaxStake, 12);
  EXPECT_TRUE(defaults.Data.Profits.empty());
  EXPECT_EQ(defaults.Data.CoefCount, 0);
  EXPECT_EQ(defaults.Data.CoefDeviation, -1);
  EXPECT_EQ(defaults.Data.CoefLevel, 1);
  for (uint8_t s : defaults.Data.Segments) EXPECT_EQ(s, 1);
  EXPECT_EQ(defaults.Shredding.Formulas[1], "(n4+n5)/(n1+n2+n3)");
  EXPECT_EQ(defaults.Shredding.Digits[2], 2);
  EXPECT_EQ(defaults.Proxy.Mode, pmNone);
  EXPECT_EQ(defaults.Proxy.Port, 80);
  EXPECT_EQ(defaults.Download.Host, "");
  EXPECT_FALSE(FileExists(ini_));
}

TEST_F(ConfigFiles, ValuesAreReadWhateverTheCaseAndSeparator) {
  Write(ini_,
        "[global]\r\nmatrixcols=7\r\nMatrixSegments=12\r\nChannelSize=abc\r\n"
        "[Stakes]\r\nCOST=12,5\r\nProfits=2\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=0.00005\r\n"
        "Profit_1_Overlap=5\r\nProfit_1_Profit=1000000\r\n"
        "[CDL]\r\nDeviation=-0.5\r\nUsePercents=2\r\nUseAbsValues=-1\r\n");
  TConfigFile cfg;
  ConfigLoad(ini_, cfg);
  EXPECT_EQ(cfg.Data.MatrixCols, 7);
  EXPECT_EQ(cfg.Data.Segments[0], 1);
  EXPECT_EQ(cfg.Data.Segments[1], 2);
  for (size_t i = 2; i < cfg.Data.Segments.size(); ++i) EXPECT_EQ(cfg.Data.Segments[i], 1);
  EXPECT_EQ(cfg.Data.ChannelSize, 6);  // not a number: the default
  EXPECT_EQ(cfg.Data.StakeCost, 125000);
  ASSERT_EQ(cfg.Data.Profits.size(), 2u);
  EXPECT_EQ(cfg.Data.Profits[0].Overlap, 3);
  EXPECT_EQ(cfg.Data.Profits[0].Profit, 0);  // half a unit rounds to even
  EXPECT_EQ(cfg.Data.Profits[1].Profit, 10000000000LL);
  EXPECT_EQ(cfg.Data.CoefDeviation, -0.5L);
  EXPECT_TRUE(cfg.Data.UsePercents);
  EXPECT_FALSE(cfg.Data.UseAbsValues);  // only values above 0 switch it on
}

TEST_F(ConfigFiles, ARepeatedKeyReadsItsFirstValueAndAWriteLeavesOne) {
  Write(ini_,
        "[GLOBAL]\r\nMatrixCols=5\r\nChannelSize=4\r\nmatrixcols=7\r\n"
        "[STAKES]\r\nCost=2\r\nCOST=3\r\n");
  TConfigFile cfg;
  ConfigLoad(ini_, cfg);
  EXPECT_EQ(cfg.Data.MatrixCols, 5);
  EXPECT_EQ(cfg.Data.StakeCost, 20000);
  cfg.Data.MatrixCols = 9;
  ConfigSaveData(ini_, cfg.Data);
  std::string text = Read(ini_);
  EXPECT_NE(text.find("[GLOBAL]\r\nMatrixCols=9\r\nChannelSize=4\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("=7"), std::string::npos) << text;
  EXPECT_EQ(text.find("=3\r\n"), std::string::npos) << text;
}

TEST_F(ConfigFiles, OutOfRangeSizesAndTheSegmentTextAreMadeSafe) {
  Write(ini_,
        "[GLOBAL]\r\nMatrixCols=0\r\nChannelSize=99\r\nMatrixSegments=9x0 3\r\n"
        "[STAKES]\r\nMaxStake=40\r\nProfits=-3\r\n");
  TConfigFile cfg;
  ConfigLoad(ini_, cfg);
  EXPECT_EQ(cfg.Data.MatrixCols, 1);
  EXPECT_EQ(cfg.Data.ChannelSize, 36);
  EXPECT_EQ(cfg.Data.MaxStake, 12);
  EXPECT_TRUE(cfg.Data.Profits.empty());
  EXPECT_EQ(SegmentsText(cfg.Data.Segments).substr(0, 6), "911131");
}

TEST_F(ConfigFiles, ProxyModeFollowsTheServerWhenMissing) {
  TProxyConfig p;
  Write(ini_, "[PROXY]\r\nProxyServer=proxy.local\r\n");
  ProxyLoad(ini_, p);
  EXPECT_EQ(p.Mode, pmManual);
  EXPECT_EQ(p.Server, "proxy.local");

  TProxyConfig q;
  Write(ini_, "[PROXY]\r\nProxyPort=3128\r\n");
  ProxyLoad(ini_, q);
  EXPECT_EQ(q.Mode, pmNone);
  EXPECT_EQ(q.Port, 3128);

  TProxyConfig r;
  Write(ini_, "[PROXY]\r\nProxyMode=1\r\nProxyServer=proxy.local\r\n");
  ProxyLoad(ini_, r);
  EXPECT_EQ(r.Mode, pmAuto);
}

TEST_F(ConfigFiles, EachWriterUpdatesOnlyItsKeysAndKeepsTheRest) {
  Write(ini_,
        "; own notes\r\n[GLOBAL]\r\nCombsGenerateMode=3\r\nUnknown=keep me\r\n"
        "[STAKES]\r\nProfits=3\r\nProfit_2_Overlap=5\r\nProfit_2_Profit=9\r\n"
        "[OTHER]\r\nX=1\r\n");
  TConfigData d;
  d.StakeCost = 125000;
  d.Profits = {{3, 5000}, {4, 1234567}};
  d.Segments[35] = 9;
  d.CoefCount = 0.25L;
  ConfigSaveData(ini_, d);
  std::string text = Read(ini_);
  EXPECT_NE(text.find("; own notes"), std::string::npos);
  EXPECT_NE(text.find("Unknown=keep me\r\n"), std::string::npos);
  EXPECT_NE(text.find("CombsGenerateMode=3\r\n"), std::string::npos);
  EXPECT_NE(text.find("[OTHER]\r\nX=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("Cost=12.5\r\n"), std::string::npos);
  EXPECT_NE(text.find("Profit_1_Profit=123.4567\r\n"), std::string::npos);
  EXPECT_NE(text.find("MatrixSegments=111111111111111111111111111111111119\r\n"),
            std::string::npos);
  EXPECT_EQ(text.find("Profit_2_"), std::string::npos);  // rows of the longer table are gone
  EXPECT_EQ(text.find("Formula1"), std::string::npos);   // not this writer's section
  EXPECT_EQ(text.find("\n\n"), std::string::npos);       // every line ends in CR LF
  EXPECT_EQ(text.find("\r\r"), std::string::npos);

  TConfigFile back;
  ConfigLoad(ini_, back);
  EXPECT_EQ(back.Data.StakeCost, 125000);
  ASSERT_EQ(back.Data.Profits.size(), 2u);
  EXPECT_EQ(back.Data.Profits[1].Profit, 1234567);
  EXPECT_EQ(back.Data.Segments[35], 9);
  EXPECT_EQ(back.Data.CoefCount, 0.25L);
  EXPECT_EQ(back.Generate.Mode, 3);
}

TEST_F(ConfigFiles, CyrillicTextIsStoredInCp1251AndReadBack) {
  TGenerateConfig g;
  g.Mode = 2;
  g.Parameters = "Мои комбинации.lcv";
  ConfigSaveGenerate(ini_, g);
  TShreddingConfig s;
  s.Formulas[0] = "n1*2";
  s.Digits[0] = 4;
  ConfigSaveShredding(ini_, s);
  TProxyConfig p;
  p.Mode = pmManual;
  p.Server = "host\r\n[GLOBAL]\r\nMatrixCols=1";  // pasted text cannot add keys
  p.Username = "Пользователь";
  p.Password = "пароль";
  ConfigSaveProxy(ini_, p);

  std::string raw = ReadWholeFile(ini_);
  EXPECT_NE(raw.find(Utf8ToCp1251("CombsGenerateParameters=Мои комбинации.lcv\r\n")),
            std::string::npos);
  EXPECT_EQ(raw.find("Мои"), std::string::npos);  // no UTF-8 in the file

  TConfigFile cfg;
  ConfigLoad(ini_, cfg);
  ProxyLoad(ini_, cfg.Proxy);
  EXPECT_EQ(cfg.Generate.Parameters, "Мои комбинации.lcv");
  EXPECT_EQ(cfg.Shredding.Formulas[0], "n1*2");
  EXPECT_EQ(cfg.Shredding.Digits[0], 4);
  EXPECT_EQ(cfg.Shredding.Formulas[2], "(n1+n2)/(n3+n4+n5)");
  EXPECT_EQ(cfg.Proxy.Username, "Пользователь");
  EXPECT_EQ(cfg.Proxy.Password, "пароль");
  EXPECT_EQ(cfg.Proxy.Mode, pmManual);
  EXPECT_EQ(cfg.Data.MatrixCols, 6);
  EXPECT_EQ(cfg.Proxy.Server.substr(0, 5), "host ");
}

TEST_F(ConfigFiles, ReadAndWriteFailuresCarryTheirMessages) {
  ASSERT_EQ(::mkdir(ini_.c_str(), 0755), 0);  // a directory where the file should be
  TConfigFile cfg;
  try {
    ConfigSaveData(ini_, cfg.Data);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Ошибка записи в файл конфигурации!\r\r", 0), 0u);
  }
  ::rmdir(ini_.c_str());
  ::unlink((ini_ + ".~new").c_str());
}

TEST_F(ConfigFiles, ShownKeysFollowTheFileOrderAndHideThePassword) {
  TConfigFile cfg;
  cfg.Data.Profits = {{5, 1000000}};
  cfg.Proxy.Password = "secret";
  auto kv = ConfigKeyValues(cfg);
  ASSERT_EQ(kv.size(), 28u);
  EXPECT_EQ(kv[0].first, "GLOBAL.MatrixCols");
  EXPECT_EQ(kv[0].second, "6");
  std::string all;
  for (auto& [k, v] : kv) all += k + "=" + v + "\n";
  EXPECT_NE(all.find("STAKES.Profit_0_Profit=100\n"), std::string::npos);
  EXPECT_NE(all.find("CDL.Deviation=-1\n"), std::string::npos);
  EXPECT_NE(all.find("PROXY.ProxyPassword=********\n"), std::string::npos);
  EXPECT_EQ(all.find("secret"), std::string::npos);
  EXPECT_EQ(kv.back().first, "DOWNLOAD.CaCertFile");
}

TEST_F(ConfigFiles, WindowStateKeysAreWrittenAtOnceAsOneOrZero) {
  TWindowState st;
  WindowStateLoad(frm_, st);
  EXPECT_TRUE(st.ColorDraws);
  EXPECT_FALSE(st.SortedDraws);
  EXPECT_EQ(st.Language, 1049);
  EXPECT_EQ(st.RatingsEffMode, 1);
  EXPECT_EQ(st.ScriptLibraryFilter, 2);

  WindowStateWriteBool(frm_, "SortedDraws", true);
  WindowStateWriteBool(frm_, "ColorDraws", false);
  WindowStateWriteString(frm_, "lvDraws.Column1", "80,0");
  EXPECT_EQ(Read(frm_), "[TFormMain]\r\nSortedDraws=1\r\nColorDraws=0\r\nlvDraws.Column1=80,0\r\n");
  EXPECT_EQ(WindowStateReadString(frm_, "LVDRAWS.column1", ""), "80,0");
  EXPECT_EQ(WindowStateReadInt(frm_, "Missing", 17), 17);

  WindowStateLoad(frm_, st);
  EXPECT_TRUE(st.SortedDraws);
  EXPECT_FALSE(st.ColorDraws);

  st.LayoutCompareLen[4] = 77;
  TIniFile ini;
  ini.Load(frm_);
  WindowStateWriteAll(ini, st);
  ini.Save(frm_);
  TWindowState back;
  WindowStateLoad(frm_, back);
  EXPECT_EQ(back.LayoutCompareLen[4], 77);
  EXPECT_FALSE(back.ColorDraws);
  EXPECT_EQ(WindowStateReadString(frm_, "lvDraws.Column1", ""), "80,0");
}

TEST_F(ConfigFiles, AnotherWindowKeepsItsKeysInItsOwnSection) {
  WindowStateWriteBool(frm_, "SortedDraws", true);
  WindowSectionWrite(frm_, "TFormRepeats",
                     {{"DrawsLength", "250"}, {"DrawsDeep", "40"}, {"lvList.Column1", "90,1"}});
  EXPECT_NE(Read(frm_).find("\r\n[TFormRepeats]\r\nDrawsLength=250\r\nDrawsDeep=40\r\n"),
            std::string::npos);
  EXPECT_EQ(WindowSectionReadInt(frm_, "TFormRepeats", "drawslength", 100), 250);
  EXPECT_EQ(WindowSectionReadInt(frm_, "TFormRepeats", "GraphHeight", 220), 220);
  EXPECT_EQ(WindowSectionReadString(frm_, "TFormRepeats", "lvList.Column1", ""), "90,1");
  // The main window's keys of the same name are others.
  EXPECT_EQ(WindowStateReadInt(frm_, "DrawsLength", 7), 7);
  // The views' lengths start at their designed values.
  const TWindowState st;
  EXPECT_EQ(st.WeekLen, 1000);
  EXPECT_EQ(st.LayoutLen, 100);
  EXPECT_EQ(st.LayoutCompareLen, (std::array<int, 5>{50, 100, 200, 300, 400}));
  EXPECT_EQ(st.DrawsGraphLen, 100);
}

TEST(Money, FixedPointConversion) {
  EXPECT_EQ(MoneyFromReal(12.5L), 125000);
  EXPECT_EQ(MoneyFromReal(0.1L), 1000);
  EXPECT_EQ(MoneyFromReal(-3.00004L), -30000);
  EXPECT_EQ(RealText(MoneyToReal(125000)), "12.5");
  EXPECT_EQ(RealText(MoneyToReal(10000000000LL)), "1000000");
  EXPECT_EQ(RealText(1e-7L), "1e-07");
  // A damaged price far beyond the fixed-point range stays at its end, with its sign.
  EXPECT_EQ(MoneyFromReal(1e300L), 9200000000000000000LL);
  EXPECT_EQ(MoneyFromReal(-1e300L), -9200000000000000000LL);
}

}  // namespace
}  // namespace kvarn

namespace kvarn {
namespace {

TEST(WindowStateKeys, NamesFindTheirFieldsIgnoringCase) {
  EXPECT_EQ(WindowStateIntField("drawsstatlen"), &TWindowState::DrawsStatLen);
  EXPECT_EQ(WindowStateBoolField("COLORDRAWS"), &TWindowState::ColorDraws);
  EXPECT_EQ(WindowStateBoolField("PrefetchsInit"), &TWindowState::PrefetchsInit);
  // A boolean key is no integer field and the list layouts are kept only in the file.
  EXPECT_EQ(WindowStateIntField("ColorDraws"), nullptr);
  EXPECT_EQ(WindowStateIntField("lvDraws.Column1"), nullptr);
}

TEST_F(ConfigFiles, AFullDiskKeepsTheSettingsAndTheWindowStateAsTheyWere) {
  TConfigFile cfg;
  ConfigSaveData(ini_, cfg.Data);
  WindowStateWriteInt(frm_, "Left", 10);
  const std::string settings = ReadWholeFile(ini_), state = ReadWholeFile(frm_);
  cfg.Data.MatrixCols = 7;
  test::TFileSizeLimit full(16);
  try {
    ConfigSaveData(ini_, cfg.Data);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()), "Ошибка записи в файл конфигурации!\r\r" + ini_ +
                                         ": Превышен допустимый размер файла (недостаточно "
                                         "места на диске)");
  }
  try {
    WindowStateWriteInt(frm_, "Left", 20);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(
        std::string(e.what()).rfind("Ошибка записи параметров программы!\r\r" + frm_ + ": ", 0),
        0u);
  }
  EXPECT_EQ(ReadWholeFile(ini_), settings);
  EXPECT_EQ(ReadWholeFile(frm_), state);
}

}  // namespace
}  // namespace kvarn
