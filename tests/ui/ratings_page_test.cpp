// The "Рейтинг" tab over a rating file: rows, the header-click sort with its stored state, the
// efficiency modes and the match-count graph of a double-clicked row.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineSeries>
#include <QTest>

#include "stakes/rating.h"
#include "ui/form_graph.h"
#include "ui/ratings_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

TRatingRecord Row(std::string name, std::array<uint32_t, 6> overlaps, int64_t profit = 0) {
  TRatingRecord r;
  r.Name = std::move(name);
  r.Overlaps = overlaps;
  for (uint32_t k = 0; k < 6; ++k) {
    r.Count += overlaps[k];
    r.Overlap += k * overlaps[k];
  }
  r.Profit = profit;
  return r;
}

QString Cell(const QAbstractItemModel* m, int row, int col) {
  return m->data(m->index(row, col), Qt::DisplayRole).toString();
}

std::vector<std::string> Column(const QAbstractItemModel* m, int col) {
  std::vector<std::string> c;
  for (int r = 0; r < m->rowCount(); ++r) c.push_back(Cell(m, r, col).toStdString());
  return c;
}

void ClickHeader(QTableView* list, int column) {
  QHeaderView* h = list->horizontalHeader();
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                    QPoint(h->sectionViewportPosition(column) + 5, h->height() / 2));
}

class TRatingsPageTest : public TUiTest {
 protected:
  void SetUp() override {
    TUiTest::SetUp();
    WriteDraws(MakeDraws(20));
    // Averages 1.0, 2.0 and 0.5; counts 2, 1 and 4.
    RatingsWriteFile(Path(RatingsFileName),
                     {Row("one", {0, 2}, -200000), Row("two", {0, 0, 1}, -100000),
                      Row("Ставка \"вручную\"", {2, 2}, 300000)});
  }
};

TEST_F(TRatingsPageTest, RowsSortByHeaderClicksAndTheSortIsStored) {
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.RightTabs().setCurrentIndex(rtRating);
  TRatingsPage& page = w.Page<TRatingsPage>();
  gModelTestFailures = 0;
  QAbstractItemModelTester tester(page.Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning);
  const auto* m = page.Model();
  ASSERT_EQ(m->columnCount(), 18);
  EXPECT_EQ(m->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Ср. профит"));
  EXPECT_EQ(m->headerData(17, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("E5"));
  EXPECT_EQ(w.StatusText(spRating), QStringLiteral("Рейтинг: 3"));
  // Loaded sorted by "Среднее", largest first.
  EXPECT_EQ(Column(m, 0), (std::vector<std::string>{"two", "one", "Ставка \"вручную\""}));
  EXPECT_EQ(Column(m, 3), (std::vector<std::string>{"2.000", "1.000", "0.500"}));
  EXPECT_EQ(Cell(m, 2, 4), QStringLiteral("30.00"));
  EXPECT_EQ(m->data(m->index(0, 4), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
            Qt::AlignRight);
  EXPECT_EQ(page.List()->horizontalHeader()->sortIndicatorSection(), 3);

  ClickHeader(page.List(), 1);  // "Ставок": largest first
  EXPECT_EQ(Column(m, 1), (std::vector<std::string>{"4", "2", "1"}));
  ClickHeader(page.List(), 1);
  EXPECT_EQ(Column(m, 1), (std::vector<std::string>{"1", "2", "4"}));
  EXPECT_EQ(page.List()->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), "lvRatings.SortColumn", -1), 1);
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), "lvRatings.SortDescending", -1), 0);
  // The file holds the rows in the list's order.
  TRatingsArray saved;
  RatingsReadFile(Path(RatingsFileName), saved);
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0].Name, "two");
  EXPECT_EQ(gModelTestFailures, 0);
}

TEST_F(TRatingsPageTest, EfficiencyModesFromTheMenuAreStoredAtOnce) {
  TFormMain& w = Open();
  w.RightTabs().setCurrentIndex(rtRating);
  const auto* m = w.Page<TRatingsPage>().Model();
  QAction* expected = w.Commands().Action("RatingsEffMode0");
  QAction* absolute = w.Commands().Action("RatingsEffMode1");
  w.UpdateCommands();
  EXPECT_TRUE(absolute->isChecked());
  EXPECT_EQ(Cell(m, 1, 13), QStringLiteral("58.268%"));  // "one": two stakes, one match each
  expected->trigger();
  w.UpdateCommands();
  EXPECT_TRUE(expected->isChecked());
  EXPECT_FALSE(absolute->isChecked());
  EXPECT_EQ(Cell(m, 1, 12), QStringLiteral("1"));  // expected stakes without a match, of two
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), "RatingsEffMode", -1), 0);
  w.Commands().Action("RatingsEffMode2")->trigger();
  EXPECT_EQ(Cell(m, 1, 13), QStringLiteral("239.626%"));
}

TEST_F(TRatingsPageTest, DoubleClickDrawsTheMatchCountsAgainstChance) {
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.RightTabs().setCurrentIndex(rtRating);
  TRatingsPage& page = w.Page<TRatingsPage>();
  QTableView* list = page.List();
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("RatingsGraphOverlap")->isEnabled());  // nothing selected
  const QRect cell = list->visualRect(page.Model()->index(2, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  WithDialog<TFormGraph>(
      [&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center()); },
      [](TFormGraph& g) {
        ASSERT_EQ(g.SeriesCount(), 2);
        QLineSeries* normal = g.FindSeries("Нормальные значения");
        ASSERT_NE(normal, nullptr);
        ASSERT_EQ(normal->count(), 6);
        EXPECT_NEAR(normal->at(0).y(), 169911.0 * 4 / 376992, 1e-9);  // scaled to 4 stakes
        EXPECT_FALSE(g.MarksVisible("Нормальные значения"));
        QLineSeries* row = g.FindSeries("Ставка \"вручную\"");
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->at(1).y(), 2);
        EXPECT_TRUE(g.MarksVisible("Ставка \"вручную\""));
        g.reject();
      });
}

}  // namespace
}  // namespace kvarn::test
