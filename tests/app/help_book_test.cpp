#include <gtest/gtest.h>

#include <set>

#include "app/help_book.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

class HelpBookTest : public ::testing::Test {
 protected:
  const THelpPage& Page(const std::string& id) const {
    const int i = book.Find(id);
    EXPECT_GE(i, 0) << id;
    static const THelpPage none;
    return i < 0 ? none : book.Pages()[static_cast<size_t>(i)];
  }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  TDrawsArray draws;
  TStatList list{draws};
  THelpBook book{list};
};

TEST_F(HelpBookTest, EveryPageOfTheContentsIsThereWithATitleAndAUniqueId) {
  std::set<std::string> ids;
  for (const THelpPage& p : book.Pages()) {
    EXPECT_FALSE(p.Title.empty()) << p.Id;
    EXPECT_GT(Utf8Length(p.Markdown), 100u) << p.Id;
    EXPECT_TRUE(ids.insert(p.Id).second) << p.Id;
  }
  // The contents start with the overview; group pages sit under the statistics tab, their
  // methods one level further down.
  ASSERT_FALSE(book.Pages().empty());
  EXPECT_EQ(book.Pages()[0].Id, "index");
  EXPECT_EQ(book.Pages()[0].Title, "Kvarn 5x36 — начало работы");
  EXPECT_EQ(Page("stats").Level, 0);
  EXPECT_EQ(Page("group/sum").Level, 1);
  EXPECT_EQ(Page("method/TstSumValues").Level, 2);
  for (const char* id : {"draws", "combs", "favourites", "graphs", "card", "scheme", "week",
                         "stakes", "rating", "regulars", "systems", "scenario", "export", "keys"})
    EXPECT_GE(book.Find(id), 0) << id;
}

TEST_F(HelpBookTest, EveryMethodClassHasItsOwnWrittenPageUnderItsGroup) {
  int classes = 0;
  for (const TStatTableLine& line : StatRegistrationTable()) {
    const TStatClass& cls = line.Class();
    if (!cls.IsAvailable()) {
      EXPECT_LT(book.Find(THelpBook::MethodPageId(cls)), 0) << line.ClassName;
      continue;
    }
    ++classes;
    const int page = book.Find(THelpBook::MethodPageId(cls));
    ASSERT_GE(page, 0) << line.ClassName;
    const THelpPage& p = book.Pages()[static_cast<size_t>(page)];
    // A section heading that does not match the class name leaves the page without its text.
    EXPECT_FALSE(Has(p.Markdown, "Описание метода пока не написано")) << line.ClassName;
    EXPECT_TRUE(Has(p.Markdown, StatGroupHeading(cls.Group()))) << line.ClassName;
    // The group page before it links to it.
    const THelpPage& group = Page(THelpBook::GroupPageId(cls.Group()));
    EXPECT_TRUE(Has(group.Markdown, "(" + p.Id + ")")) << line.ClassName;
  }
  EXPECT_EQ(classes, 140);
}

TEST_F(HelpBookTest, MethodPagesShowIdentifiersFeaturesAndComputedExamples) {
  const THelpPage& pos = Page("method/TstPosVal");
  EXPECT_EQ(pos.Title, "Число в N позиции тиража");
  EXPECT_TRUE(Has(pos.Markdown, "**Идентификатор:** `POS1`, `POS2`, `POS3`, `POS4`, `POS5`\n"));
  EXPECT_TRUE(Has(pos.Markdown, "**Группа:** { num } Числа тиража\n"));
  EXPECT_TRUE(Has(pos.Markdown, "S — значение зависит от порядка чисел; N —"));
  EXPECT_TRUE(Has(pos.Markdown, "G — есть график"));
  // The example combination 2 7 10 21 36, computed by the method.
  EXPECT_TRUE(Has(pos.Markdown, "- POS1: 2\n"));
  EXPECT_TRUE(Has(pos.Markdown, "- POS5: 36\n"));
  EXPECT_TRUE(Has(Page("method/TstEvenValues").Markdown, ": ЧнЧнЧ (010)."));
  EXPECT_TRUE(Has(Page("method/TstSumValues").Markdown, ": 76."));
  EXPECT_TRUE(Has(Page("method/TstDigits").Markdown, ": 2 (2 раза), 7, 1 (2 раза), 0, 3, 6."));
  // Values that depend on earlier draws have no computed example.
  EXPECT_FALSE(Has(Page("method/TstRepCount2").Markdown, "**Пример.**"));
  // Several caption arguments: the page names its first entry.
  EXPECT_EQ(Page("method/TstSumRanges").Title, "Сумма тиража: диапазон 1 (1/3)");
  EXPECT_EQ(Page("method/TstShreddingStat").Title, "Метод шинковки N: (формула)");
}

TEST_F(HelpBookTest, SearchFindsEveryWordIgnoringCaseTitlesFirst) {
  EXPECT_TRUE(book.Search("").empty());
  EXPECT_TRUE(book.Search("  ,. ").empty());
  EXPECT_TRUE(book.Search("несуществующееслово").empty());

  const auto hits = book.Search("КАНАЛ");
  ASSERT_FALSE(hits.empty());
  // A title with the word ranks before pages that only mention it.
  const THelpPage& first = book.Pages()[static_cast<size_t>(hits.front().Page)];
  EXPECT_TRUE(Has(ToLowerUtf8(first.Title), "канал")) << first.Title;
  EXPECT_TRUE(Has(ToLowerUtf8(hits.front().Snippet), "канал")) << hits.front().Snippet;

  // Every word must be on the page.
  const auto both = book.Search("маска чётности");
  ASSERT_EQ(both.size(), 1u);
  EXPECT_EQ(book.Pages()[static_cast<size_t>(both[0].Page)].Id, "method/TstEvenValues");
  // Markup and table rules do not reach the snippet.
  for (const THelpHit& h : book.Search("Смещение назад")) {
    EXPECT_FALSE(Has(h.Snippet, "**"));
    EXPECT_FALSE(Has(h.Snippet, "\n"));
  }
  const auto keys = book.Search("клавиша");
  ASSERT_FALSE(keys.empty());
  for (const THelpHit& h : keys) EXPECT_FALSE(Has(h.Snippet, "--")) << h.Snippet;
  // A word found only in a title still finds the page.
  EXPECT_FALSE(book.Search("Регуляры").empty());
}

TEST(HelpBookFiles, ContentsLevelsAndMissingTextsAreHandled) {
  const THelpFile files[] = {
      {"contents.txt", "# comment\nroot\n  child\n    grandchild\n\nlast\n"},
      {"pages/root.md", "# Корень\n\nТекст."},
      {"pages/child.md", "Без заголовка\n# Дочерняя\n"},
      {"pages/grandchild.md", "# Внучка\n"},
  };
  TDrawsArray draws;
  TStatList list(draws);
  THelpBook book(list, files);
  ASSERT_EQ(book.Pages().size(), 4u);
  EXPECT_EQ(book.Pages()[0].Title, "Корень");
  EXPECT_EQ(book.Pages()[1].Title, "Дочерняя");
  EXPECT_EQ(book.Pages()[1].Level, 1);
  EXPECT_EQ(book.Pages()[2].Level, 2);
  // A page listed without a file is an empty page, not a failure.
  EXPECT_EQ(book.Pages()[3].Id, "last");
  EXPECT_EQ(book.Pages()[3].Title, "");
  EXPECT_EQ(book.Find("nothing"), -1);
}

}  // namespace
}  // namespace kvarn
