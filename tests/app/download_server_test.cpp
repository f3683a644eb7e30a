// The download against a real HTTPS server on 127.0.0.1 that serves both archive layouts.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/archive_server.h"
#include "app/workspace.h"
#include "core/config.h"
#include "core/download.h"
#include "core/draws.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

// What the server generates for draw n.
TComb ServerNumbers(int n) {
  TComb c{};
  for (int k = 0; k < CombSize; ++k) c[k] = static_cast<uint8_t>((7 * n + 11 * k) % 36 + 1);
  return c;
}

std::string ServerDate(int n) {
  return StrFormat("%02d.%02d.%04d 22:00", n % 28 + 1, n % 12 + 1, 2000 + n / 1000);
}

// Answers the retry question from a script and runs an action before answering.
class TScriptHost : public TSilentHost {
 public:
  bool AskYesNo(const std::string& caption, const std::string& text, bool d) override {
    bool a = TSilentHost::AskYesNo(caption, text, d);
    if (beforeAnswer) beforeAnswer();
    return a;
  }
  std::function<void()> beforeAnswer;
};

class DownloadServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = new test::TArchiveServer(); }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  void SetUp() override {
    server_->Control("/__reset");
    char tmpl[] = "/tmp/kvarn_dl_data_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    Reopen();
  }
  void TearDown() override {
    ws_.reset();
    fs::remove_all(dir_);
  }

  void Reopen() {
    ws_.reset();
    ws_ = std::make_unique<TWorkspace>(host_, dir_);
    ws_->OpenHeadless();
    ws_->Settings().Download.Host = server_->Base();
    ws_->Settings().Download.CaCertFile = server_->CaCert();
    ws_->OnDownloadWaitText = [this](const std::string& t) { waitTexts_.push_back(t); };
  }

  void Set(const std::string& query) { ASSERT_EQ(server_->Control("/__set?" + query), "ok"); }
  std::string Log() { return server_->Control("/__log"); }

  // The draws as the file holds them.
  TDrawsArray FileDraws() {
    TDrawsArray d;
    DrawsReadFile(PathJoin(dir_, DrawsFileName), d);
    return d;
  }

  void ExpectServerDraws(const TDrawsArray& draws, int from, int to) {
    ASSERT_EQ(draws.size(), static_cast<size_t>(to - from + 1));
    for (int n = from; n <= to; ++n) {
      const TDraw& d = draws[static_cast<size_t>(n - from)];
      ASSERT_EQ(d.Number, n);
      EXPECT_EQ(d.Values, ServerNumbers(n)) << n;
      EXPECT_EQ(d.Extra, n <= LastOldGameDraw ? 0 : n % 4 + 1) << n;
      EXPECT_EQ(d.DateText, ServerDate(n)) << n;
    }
  }

  static test::TArchiveServer* server_;
  TScriptHost host_;
  std::string dir_;
  std::unique_ptr<TWorkspace> ws_;
  std::vector<std::string> waitTexts_;
};

test::TArchiveServer* DownloadServer::server_ = nullptr;

TEST_F(DownloadServer, EmptyArchiveStartsAtTheFirstDrawThroughRedirectCookieAndGzip) {
  Set("last=120&redirect=1&gzip=1");
  EXPECT_EQ(ws_->DrawsDownload(), 120);
  EXPECT_FALSE(ws_->DownloadFailed());
  EXPECT_TRUE(host_.questions.empty());
  ExpectServerDraws(ws_->Draws(), 1, 120);
  ExpectServerDraws(FileDraws(), 1, 120);
  // The block of 20 ends the loop; every list request went through the redirect.
  EXPECT_EQ(Log(),
            "/5x36/archive?mode=draw&firstDraw=0001&lastDraw=0050\n"
            "/r/5x36/archive?mode=draw&firstDraw=0001&lastDraw=0050\n"
            "/5x36/archive?mode=draw&firstDraw=0051&lastDraw=0100\n"
            "/r/5x36/archive?mode=draw&firstDraw=0051&lastDraw=0100\n"
            "/5x36/archive?mode=draw&firstDraw=0101&lastDraw=0150\n"
            "/r/5x36/archive?mode=draw&firstDraw=0101&lastDraw=0150\n");
  EXPECT_EQ(waitTexts_.front(), "Загрузка архива тиражей...");
  EXPECT_EQ(host_.status[spMessage], "");
}

TEST_F(DownloadServer, StakesWhoseDrawsArriveAreCheckedWhenTheDownloadEnds) {
  Set("last=60");
  ASSERT_TRUE(ws_->StakesOpen());
  TStake s = ws_->StakePrepare(-1);
  s.Numbers = TNumberSet{5, {ServerNumbers(7)[0], ServerNumbers(7)[1], 33, 34, 35}};
  s.DrawNumber = 7;
  ASSERT_TRUE(ws_->StakesAppend(s, 1));
  s.DrawNumber = 61;
  ASSERT_TRUE(ws_->StakesAppend(s, 1));
  int rated = 0;
  ws_->OnStakeChecked = [&](const TStake&) { ++rated; };
  EXPECT_EQ(ws_->DrawsDownload(), 60);
  EXPECT_EQ(rated, 1);
  const TStake checked = ws_->StakesReadRecord(0, TStakeOrigin::Start);
  EXPECT_TRUE(checked.IsChecked());
  EXPECT_GE(checked.Matches(), 2);
  EXPECT_EQ(checked.DrawValues, ServerNumbers(7));
  EXPECT_FALSE(ws_->StakesReadRecord(1, TStakeOrigin::Start).IsChecked());
}

TEST_F(DownloadServer, RangeAcrossTheGameChangeTakesExtraNumbersFromTheNewArchive) {
  Set("last=7300&own=7260,7280");
  TDraw last;
  last.Number = 7250;
  last.Values = ServerNumbers(7250);
  last.DateText = ServerDate(7250);
  ws_->MutableDraws().push_back(last);
  ASSERT_TRUE(ws_->DrawsSave());

  EXPECT_EQ(ws_->DrawsDownload(), 50);
  ExpectServerDraws(FileDraws(), 7250, 7300);
  EXPECT_EQ(Log(),
            "/5x36/archive?mode=draw&firstDraw=7251&lastDraw=7268\n"
            "/5x36/archive/7260\n"
            "/5x36plus/archive?mode=draw&firstDraw=7269&lastDraw=7300\n"
            "/5x36plus/archive/7280\n"
            "/5x36plus/archive?mode=draw&firstDraw=7301&lastDraw=7350\n");
}

TEST_F(DownloadServer, FailureKeepsEarlierBlocksSavedAndRetryContinues) {
  Set("last=230&fail=101");
  EXPECT_EQ(ws_->DrawsDownload(), 100);
  EXPECT_TRUE(ws_->DownloadFailed());
  ExpectServerDraws(FileDraws(), 1, 100);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0].caption, "Ошибка");
  EXPECT_EQ(host_.questions[0].text,
            "Ошибка загрузки архива тиражей с сайта: \"Ошибка загрузки страницы \"" +
                server_->Base() +
                "/5x36/archive?mode=draw&firstDraw=0101&lastDraw=0150\": сервер ответил кодом "
                "HTTP 500\"\r\rПовторить попытку?");

  // Yes to the question: the site recovers and the loop goes on from the next draw.
  host_.answer = true;
  host_.beforeAnswer = [this] {
    Set("fail=");
    host_.answer = false;  // once only, whatever happens
  };
  Set("fail=151");
  EXPECT_EQ(ws_->DrawsDownload(), 130);
  EXPECT_FALSE(ws_->DownloadFailed());
  ExpectServerDraws(FileDraws(), 1, 230);
}

TEST_F(DownloadServer, ChangedPagesEndQuietlyOrAskWithTheMarkerMessage) {
  Set("layout=changed");
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  EXPECT_FALSE(ws_->DownloadFailed());
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_FALSE(fs::exists(PathJoin(dir_, DrawsFileName)));

  Set("layout=normal&noclose=1");
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_NE(host_.questions[0].text.find(
                "Не удалось найти пару идентификаторов \"<div class=\"data drawings_data\">\" - "
                "\"<div class=\"content_decor\">\" в тексте\r\r[<html>"),
            std::string::npos);
  // The box shows the beginning of the page; the page itself is kept in a file it names.
  const std::string pageFile = PathJoin(dir_, DownloadPageFileName);
  EXPECT_NE(host_.questions[0].text.find("...]!\"\r\rТекст страницы целиком записан в файл \"" +
                                         pageFile + "\".\r\rПовторить попытку?"),
            std::string::npos)
      << host_.questions[0].text;
  EXPECT_LT(host_.questions[0].text.size(), 1000u);
  EXPECT_NE(ReadWholeFile(pageFile).find("<div class=\"data drawings_data\">"), std::string::npos);

  // A draw with an impossible number: its block is refused whole.
  Set("noclose=0&bad=30");
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  ASSERT_EQ(host_.questions.size(), 2u);
  EXPECT_NE(host_.questions[1].text.find("Некорректные данные тиража 30"), std::string::npos);
  EXPECT_TRUE(ws_->Draws().empty());
}

TEST_F(DownloadServer, OldArchiveDrawWithoutNumbersAnywhereEndsTheDownload) {
  Set("last=60&own=20&ownempty=20");
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  EXPECT_TRUE(ws_->Draws().empty());
  EXPECT_TRUE(host_.questions.empty());
}

TEST_F(DownloadServer, SlowAnswerRunsIntoTheReadTimeOut) {
  Set("slow=1");
  ws_->SetDownloadTimeouts(5000, 700);
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_NE(host_.questions[0].text.find("истекло время ожидания ответа сервера (700 мс)"),
            std::string::npos);
}

TEST_F(DownloadServer, WhatTheUserSeesWithoutAReachableSite) {
  // No address configured: one clear error, no question, nothing requested.
  ws_->Settings().Download.Host = "";
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  EXPECT_TRUE(ws_->DownloadFailed());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "Ошибка");
  EXPECT_NE(host_.messages[0].text.find("Не задан адрес сайта архива тиражей"), std::string::npos);
  EXPECT_TRUE(host_.questions.empty());

  // Nothing listening: the retry question names the refused connection.
  ws_->Settings().Download.Host = StrFormat("https://127.0.0.1:%d", test::ClosedPort());
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_NE(host_.questions[0].text.find("не удалось подключиться к серверу"), std::string::npos);

  // A certificate nobody vouched for is refused.
  ws_->Settings().Download.Host = server_->Base();
  ws_->Settings().Download.CaCertFile = "";
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  ASSERT_EQ(host_.questions.size(), 2u);
  EXPECT_NE(host_.questions[1].text.find("ошибка защищенного соединения"), std::string::npos);
  EXPECT_TRUE(ws_->Draws().empty());
}

TEST_F(DownloadServer, ManualProxyGetsUserNameAndPassword) {
  Set("last=60");
  ws_->Settings().Proxy = {pmManual, "127.0.0.1", server_->ProxyPort(), "kvarn", "wrong"};
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(waitTexts_.front(),
            StrFormat("Загрузка архива тиражей...\r\rПопытка 1, proxy 127.0.0.1 : %d",
                      server_->ProxyPort()));

  ws_->Settings().Proxy.Password = "secret";
  EXPECT_EQ(ws_->DrawsDownload(), 60);
  ExpectServerDraws(FileDraws(), 1, 60);
  EXPECT_EQ(host_.questions.size(), 1u);
}

TEST_F(DownloadServer, AutomaticProxyDropsDeadEntriesAndKeepsTheOneThatWorks) {
  Set("last=60&proxyauth=0");
  int dead = test::ClosedPort();
  WriteFileAtomic(
      PathJoin(dir_, ProxyListFileName),
      StrFormat("# candidates\r\n127.0.0.1:%d\r\n127.0.0.1:%d\r\n", dead, server_->ProxyPort()));
  ws_->Settings().Proxy.Mode = pmAuto;
  EXPECT_EQ(ws_->DrawsDownload(), 60);
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_NE(std::find(waitTexts_.begin(), waitTexts_.end(),
                      StrFormat("Загрузка архива тиражей...\r\rПопытка 2, proxy 127.0.0.1 : %d",
                                server_->ProxyPort())),
            waitTexts_.end());
  // The proxy that worked was written to the configuration.
  TProxyConfig stored;
  ProxyLoad(PathJoin(dir_, ConfigFileName), stored);
  EXPECT_EQ(stored.Mode, pmAuto);
  EXPECT_EQ(stored.Server, "127.0.0.1");
  EXPECT_EQ(stored.Port, server_->ProxyPort());

  // Only dead entries: each is dropped in turn, then the person is asked.
  WriteFileAtomic(PathJoin(dir_, ProxyListFileName), StrFormat("127.0.0.1:%d\n", dead));
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  EXPECT_EQ(host_.questions.size(), 1u);

  // No list at all: the list error is shown and nothing is requested.
  fs::remove(PathJoin(dir_, ProxyListFileName));
  Log();
  EXPECT_EQ(ws_->DrawsDownload(), 0);
  EXPECT_EQ(host_.questions.size(), 1u);
  ASSERT_FALSE(host_.messages.empty());
  EXPECT_EQ(host_.messages.back().text,
            "Ошибка получения списка proxy-серверов!\r\rНе найдено ни одного proxy-сервера с "
            "заданными параметрами");
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace kvarn
