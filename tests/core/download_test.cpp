#include "core/download.h"

#include <gtest/gtest.h>

#include <map>

#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {
namespace {

std::string MarkerMessage(const std::string& text, const std::string& open,
                          const std::string& close) {
  return "Не удалось найти пару идентификаторов \"" + open + "\" - \"" + close +
         "\" в тексте\r\r[" + text + "]!";
}

TEST(TextMarkers, BetweenIgnoresCaseTrimsAndDequotes) {
  EXPECT_EQ(TextBetween("x<A HREF=\"/y/\"> 12 \">", "<a href=\"/y/\">", "\">"), "12");
  EXPECT_EQ(TextBetween("[ \"say \"\"hi\"\"\" ]", "[", "]"), "say \"hi\"");
  // A single quote inside a quoted result is dropped; an unbalanced one is kept as it is.
  EXPECT_EQ(TextBetween("[\"a\"b\"]", "[", "]"), "ab");
  EXPECT_EQ(TextBetween("[\"ab]", "[", "]"), "\"ab");
  EXPECT_EQ(TextBetween("[\"]", "[", "]"), "\"");
  // The closing marker is searched after the opening one only.
  EXPECT_EQ(TextBetween("]x[y]", "[", "]"), "y");
  EXPECT_EQ(TextBetween("no markers", "[", "]"), "");
  EXPECT_EQ(TextBetween("", "[", "]"), "");
}

TEST(TextMarkers, MissingClosingMarkerRaisesTheMarkerMessage) {
  try {
    TextBetween("a[b", "[", "]");
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(e.what(), MarkerMessage("a[b", "[", "]"));
  }
  std::string text = "a<b>1";
  EXPECT_THROW(TextBetweenCut(text, "<b", "</b>"), EKvarnError);
  EXPECT_EQ(text, "a<b>1");
}

TEST(TextMarkers, CutConsumesThroughTheClosingMarker) {
  std::string balls = "<b>1</b><B>&nbsp;2</B><b class=\"extra\">3</b>tail";
  EXPECT_EQ(TextBetweenCut(balls, "<b", "</b>"), ">1");
  EXPECT_EQ(balls, "<B>&nbsp;2</B><b class=\"extra\">3</b>tail");
  EXPECT_EQ(TextBetweenCut(balls, "<b", "</b>"), ">&nbsp;2");
  EXPECT_EQ(TextBetweenCut(balls, "<b", "</b>"), "class=\"extra\">3");
  EXPECT_EQ(balls, "tail");
  EXPECT_EQ(TextBetweenCut(balls, "<b", "</b>"), "");
  EXPECT_EQ(balls, "tail");
}

TEST(TextMarkers, NextBlockWalksFromMarkerToMarker) {
  std::string text = "head<e> one <E>two<e>  three ";
  EXPECT_EQ(TextNextBlock(text, "<e>"), "one");
  EXPECT_EQ(text, "<E>two<e>  three ");
  EXPECT_EQ(TextNextBlock(text, "<e>"), "two");
  EXPECT_EQ(TextNextBlock(text, "<e>"), "three");
  EXPECT_EQ(text, "");
  EXPECT_EQ(TextNextBlock(text, "<e>"), "");
  std::string none = "nothing";
  EXPECT_EQ(TextNextBlock(none, "<e>"), "");
}

TEST(ArchiveAddress, PathsPadToFourDigitsAndUrlsNeedAConfiguredHost) {
  EXPECT_EQ(ArchiveListPath(TArchiveKind::Old, 1, 50),
            "/5x36/archive?mode=draw&firstDraw=0001&lastDraw=0050");
  EXPECT_EQ(ArchiveListPath(TArchiveKind::New, 7269, 7300),
            "/5x36plus/archive?mode=draw&firstDraw=7269&lastDraw=7300");
  EXPECT_EQ(ArchiveDrawPath(TArchiveKind::Old, 12), "/5x36/archive/0012");
  EXPECT_EQ(ArchiveDrawPath(TArchiveKind::New, 12345), "/5x36plus/archive/12345");

  EXPECT_EQ(ArchiveUrl(" https://example.test/ ", "/5x36/archive/0012"),
            "https://example.test/5x36/archive/0012");
  EXPECT_EQ(ArchiveUrl("HTTP://h:8080", "/p"), "HTTP://h:8080/p");
  try {
    ArchiveUrl("", "/p");
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_NE(std::string(e.what()).find("Не задан адрес сайта архива тиражей"), std::string::npos);
  }
  EXPECT_THROW(ArchiveUrl("ftp://h", "/p"), EKvarnError);
  EXPECT_THROW(ArchiveUrl("h.test", "/p"), EKvarnError);
}

// Canned pages in the layout of the web archive; draw n has the numbers 7n + 11k mod 36 + 1.
TComb Numbers(int n) {
  TComb c{};
  for (int k = 0; k < CombSize; ++k) c[k] = static_cast<uint8_t>((7 * n + 11 * k) % 36 + 1);
  return c;
}

std::string Block(int n, bool plus, bool withBalls = true, const std::string& date = "") {
  std::string d = date.empty() ? StrFormat("%02d.01.2020 22:00", n % 28 + 1) : date;
  std::string balls;
  if (withBalls) {
    balls = "<div class=\"balls\">";
    for (int k = 0; k < CombSize; ++k) balls += StrFormat("<b>&nbsp;%d</b>", Numbers(n)[k]);
    if (plus) balls += StrFormat("<b class=\"extra\">%d</b>", n % 4 + 1);
    balls += "</div>";
  }
  return StrFormat(
      "<div class=\"elem\"><div class=\"draw_date\" title=\"%s\">x</div>"
      "<a href=\"/%s/archive/%d\">Тираж %d</a><div class=\"container cleared\">%s</div>"
      "<div class=\"controls\">c</div></div>",
      d.c_str(), plus ? "5x36plus" : "5x36", n, n, balls.c_str());
}

std::string ListPage(const std::string& blocks) {
  return "<html><div class=\"data drawings_data\">" + blocks +
         "</div><div class=\"content_decor\"></div></html>";
}

std::string ListPage(int from, int to, bool plus) {
  std::string blocks;
  for (int n = to; n >= from; --n) blocks += Block(n, plus);
  return ListPage(blocks);
}

struct TFakeSite {
  std::map<std::string, std::string> pages;
  std::vector<std::string> requested;
  std::vector<std::string> status;
  TArchiveSource Source() {
    return {[this](const std::string& path) {
              requested.push_back(path);
              auto it = pages.find(path);
              return it == pages.end() ? std::string() : it->second;
            },
            [this](const std::string& text) { status.push_back(text); }};
  }
};

TEST(ArchiveParsing, SplitRangeTakesOldThenNewArchiveAndStaysAscending) {
  TFakeSite site;
  site.pages[ArchiveListPath(TArchiveKind::Old, 7251, 7268)] = ListPage(7251, 7268, false);
  site.pages[ArchiveListPath(TArchiveKind::New, 7269, 7300)] = ListPage(7269, 7300, true);
  TArchiveSource src = site.Source();
  TDrawsArray draws(1);
  draws[0].Number = 7250;
  EXPECT_EQ(DrawsDownloadRange(src, 7251, 7300, draws), 50);
  ASSERT_EQ(draws.size(), 51u);
  for (int i = 1; i <= 50; ++i) {
    const TDraw& d = draws[i];
    int n = 7250 + i;
    EXPECT_EQ(d.Number, n);
    EXPECT_EQ(d.Values, Numbers(n));
    EXPECT_EQ(d.Extra, n <= 7268 ? 0 : n % 4 + 1);
    EXPECT_EQ(d.DateText, StrFormat("%02d.01.2020 22:00", n % 28 + 1));
  }
  EXPECT_EQ(site.status.front(), "Загрузка тиражей 7251 - 7268...");
  EXPECT_EQ(site.status.back(), "Сохранение файла тиражей...");
}

TEST(ArchiveParsing, RangesOnOneSideUseOneArchive) {
  TFakeSite site;
  TArchiveSource src = site.Source();
  TDrawsArray draws;
  DrawsDownloadRange(src, 1, 50, draws);
  DrawsDownloadRange(src, 7269, 7318, draws);
  DrawsDownloadRange(src, 7219, 7268, draws);
  EXPECT_EQ(site.requested,
            (std::vector<std::string>{ArchiveListPath(TArchiveKind::Old, 1, 50),
                                      ArchiveListPath(TArchiveKind::New, 7269, 7318),
                                      ArchiveListPath(TArchiveKind::Old, 7219, 7268)}));
  EXPECT_TRUE(draws.empty());
}

TEST(ArchiveParsing, BlocksBeforeTheRangeOrWithoutDateAreSkippedAndDatesCut) {
  TFakeSite site;
  site.pages[ArchiveListPath(TArchiveKind::New, 7300, 7349)] =
      ListPage(Block(7301, true, true, "01.02.2021 22:00:59 MSK") + Block(7300, true, true, " ") +
               Block(7299, true));
  TArchiveSource src = site.Source();
  TDrawsArray draws;
  EXPECT_EQ(DrawsDownloadRange(src, 7300, 7349, draws), 1);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].Number, 7301);
  EXPECT_EQ(draws[0].DateText, "01.02.2021 22:00");
}

TEST(ArchiveParsing, DrawWithoutNumbersInTheListIsReadFromItsOwnPage) {
  TFakeSite site;
  site.pages[ArchiveListPath(TArchiveKind::New, 7280, 7329)] =
      ListPage(Block(7282, true) + Block(7281, true, false) + Block(7280, true, false));
  std::string win = "<div class=\"winning_numbers cleared\">";
  for (int v : {3, 1, 4, 15, 9, 2}) win += StrFormat("<p class=\"number\"> %d </p>", v);
  site.pages[ArchiveDrawPath(TArchiveKind::New, 7281)] = win + "</div>";
  // 7280's own page has no numbers: in the new archive that draw is left out.
  site.pages[ArchiveDrawPath(TArchiveKind::New, 7280)] = "<html>moved</html>";
  TArchiveSource src = site.Source();
  TDrawsArray draws;
  EXPECT_EQ(DrawsDownloadRange(src, 7280, 7329, draws), 2);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].Number, 7281);
  EXPECT_EQ(draws[0].Values, (TComb{3, 1, 4, 15, 9}));
  EXPECT_EQ(draws[0].Extra, 2);
  EXPECT_EQ(draws[1].Number, 7282);
  EXPECT_NE(std::find(site.status.begin(), site.status.end(), "Загрузка тиража 7281..."),
            site.status.end());
}

TEST(ArchiveParsing, OldArchiveDrawWithoutAnyNumbersEndsTheRangeWithNothing) {
  TFakeSite site;
  site.pages[ArchiveListPath(TArchiveKind::Old, 100, 149)] =
      ListPage(Block(102, false) + Block(101, false, false) + Block(100, false));
  TArchiveSource src = site.Source();
  TDrawsArray draws;
  EXPECT_EQ(DrawsDownloadRange(src, 100, 149, draws), 0);
  EXPECT_TRUE(draws.empty());

  // Across the game change the new archive waits until the old one has reached its last draw.
  site.pages[ArchiveListPath(TArchiveKind::Old, 7250, 7268)] =
      ListPage(Block(7252, false) + Block(7251, false, false) + Block(7250, false));
  site.requested.clear();
  EXPECT_EQ(DrawsDownloadRange(src, 7250, 7299, draws), 0);
  EXPECT_EQ(site.requested.back(), ArchiveDrawPath(TArchiveKind::Old, 7251));
  site.pages[ArchiveListPath(TArchiveKind::Old, 7250, 7268)] = ListPage(7250, 7267, false);
  EXPECT_EQ(DrawsDownloadRange(src, 7250, 7299, draws), 18);
  EXPECT_EQ(site.requested.back(), ArchiveListPath(TArchiveKind::Old, 7250, 7268));
}

TEST(ArchiveParsing, ChangedLayoutsYieldNothingOrTheMarkerMessage) {
  TFakeSite site;
  std::string noRegion = "<html>" + Block(5, false) + "</html>";
  std::string noClose = "<div class=\"data drawings_data\">" + Block(5, false);
  site.pages[ArchiveListPath(TArchiveKind::Old, 1, 50)] = noRegion;
  site.pages[ArchiveListPath(TArchiveKind::Old, 51, 100)] = noClose;
  TArchiveSource src = site.Source();
  TDrawsArray draws;
  EXPECT_EQ(DrawsDownloadRange(src, 1, 50, draws), 0);
  try {
    DrawsDownloadRange(src, 51, 100, draws);
    FAIL();
  } catch (const EMarkerNotFound& e) {
    // The message shows the beginning of the text only; the whole text comes with it.
    ASSERT_GT(noClose.size(), MarkerMessageChars);
    EXPECT_EQ(e.what(),
              MarkerMessage(Utf8Left(noClose, MarkerMessageChars) + "...",
                            "<div class=\"data drawings_data\">", "<div class=\"content_decor\">"));
    EXPECT_EQ(e.Text, noClose);
  }
  EXPECT_TRUE(draws.empty());
  // A short text is shown whole.
  try {
    TextBetween("[abc", "[", "]");
    FAIL();
  } catch (const EMarkerNotFound& e) {
    EXPECT_EQ(e.what(), MarkerMessage("[abc", "[", "]"));
  }
}

TEST(ArchiveParsing, ImpossibleNumbersRejectTheWholeBlock) {
  TFakeSite site;
  std::string bad = Block(7270, true);
  bad.replace(bad.find("<b>&nbsp;"), 9, "<b>&nbsp;4");  // first number becomes 4xx
  site.pages[ArchiveListPath(TArchiveKind::New, 7269, 7318)] = ListPage(Block(7271, true) + bad);
  TArchiveSource src = site.Source();
  TDrawsArray draws;
  EXPECT_THROW(DrawsDownloadRange(src, 7269, 7318, draws), EKvarnError);
  EXPECT_TRUE(draws.empty());
}

TEST(ProxyList, EntriesAndServerPortPairs) {
  EXPECT_EQ(ParseProxyList("# found today\r\n 10.0.0.1:3128 \n\n;old\nproxy.test:8080"),
            (std::vector<std::string>{"10.0.0.1:3128", "proxy.test:8080"}));
  std::string server;
  int port = 0;
  EXPECT_TRUE(SplitProxyEntry("proxy.test : 8080", server, port));
  EXPECT_EQ(server, "proxy.test");
  EXPECT_EQ(port, 8080);
  EXPECT_FALSE(SplitProxyEntry("proxy.test", server, port));
  EXPECT_FALSE(SplitProxyEntry(":80", server, port));
  EXPECT_FALSE(SplitProxyEntry("p:0", server, port));
  EXPECT_FALSE(SplitProxyEntry("p:70000", server, port));
}

TEST(ProxyDialog, AutomaticModeClearsTheManualValuesAndUnknownModesMeanNone) {
  EXPECT_EQ(ProxyDialogMode(7), pmNone);
  EXPECT_EQ(ProxyDialogMode(pmAuto), pmAuto);
  TProxyConfig entered{pmAuto, "proxy.test", 3128, "user", "secret"};
  TProxyConfig kept = ProxyDialogResult(entered);
  EXPECT_EQ(kept.Mode, pmAuto);
  EXPECT_EQ(kept.Server, "");
  EXPECT_EQ(kept.Port, 80);
  EXPECT_EQ(kept.Username, "");
  EXPECT_EQ(kept.Password, "");
  entered.Mode = pmManual;
  kept = ProxyDialogResult(entered);
  EXPECT_EQ(kept.Server, "proxy.test");
  EXPECT_EQ(kept.Password, "secret");
  entered.Mode = -1;
  EXPECT_EQ(ProxyDialogResult(entered).Mode, pmNone);
}

}  // namespace
}  // namespace kvarn
