// The "Рейтинг" tab over a rating file: rows, the header-click sort with its stored state, the
// efficiency modes and the match-count graph of a double-clicked row.
#include <QAbstractItemModelTester>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineSeries>
#include <QTest>
#include <filesystem>

#include "common/rating_rows.h"
#include "core/files.h"
#include "stakes/rating.h"
#include "stakes/stakes_file.h"
#include "ui/form_chance.h"
#include "ui/form_graph.h"
#include "ui/ratings_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

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

// With KVARN_SCREENSHOT_DIR set the widget is saved there for a look.
void Shoot(QWidget& w, const char* name) {
  const char* dir = std::getenv("KVARN_SCREENSHOT_DIR");
  if (!dir) return;
  QApplication::processEvents();
  w.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromUtf8(name));
}

// Runs `action` on the modal dialog of type D once `open` shows it (work with a progress text may
// come first), then closes it, so that a failed check cannot leave the test waiting.
template <class D>
void CheckThenClose(const std::function<void()>& open, const std::function<void(D&)>& action) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!d) return;
    poll.stop();
    seen = true;
    action(*d);
    d->reject();
  });
  poll.start();
  open();
  poll.stop();
  EXPECT_TRUE(seen);
}

// A checked stake of the given size whose first `matches` numbers came out.
TStake CheckedStake(int draw, int size, const std::string& comment, int matches, int64_t profit) {
  TNumberSet numbers;
  for (int i = 0; i < size; ++i) numbers.Numbers[static_cast<size_t>(numbers.Count++)] = i + 1;
  TStake s = StakeNew(skManual, draw, 376992, numbers, comment, 100000, {});
  s.Checked = 1;
  s.Matched.Count = static_cast<uint8_t>(matches);
  s.Profit = profit;
  return s;
}

TEST_F(TRatingsPageTest, ChanceTestStakesGraphsAndRefreshOfTheSelectedRows) {
  // Two of the stakes of "one" are still in the file, one of them of six numbers.
  const std::vector<TStake> stakes = {CheckedStake(1005, 5, "one", 1, -100000),
                                      CheckedStake(1006, 6, "ONE", 1, -600000)};
  std::string bytes(stakes.size() * StakeRecordSize, '\0');
  for (size_t i = 0; i < stakes.size(); ++i)
    StakeToBytes(stakes[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecordSize);
  WriteFileAtomic(Path(StakesFileName), bytes);

  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.RightTabs().setCurrentIndex(rtRating);
  TRatingsPage& page = w.Page<TRatingsPage>();
  QTableView* list = page.List();
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("RatingsChanceTest")->isEnabled());  // nothing selected
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(page.Model()->index(1, 0)).center());
  Shoot(w, "rating_tab.png");
  w.UpdateCommands();
  ASSERT_TRUE(w.Workspace().StakesFileOpen());
  ASSERT_TRUE(w.Commands().Action("RatingsChanceTest")->isEnabled());
  CheckThenClose<TFormChance>(
      [&] { w.Commands().Action("RatingsChanceTest")->trigger(); },
      [](TFormChance& f) {
        QTableWidget* t = f.Table();
        ASSERT_EQ(t->rowCount(), 1);
        EXPECT_EQ(t->item(0, 0)->text(), QStringLiteral("one"));
        EXPECT_EQ(t->item(0, 1)->text(), QStringLiteral("2"));
        EXPECT_EQ(t->item(0, 3)->text(), QStringLiteral("1.0000"));
        // Chance gives 25/36 and 30/36 matches to five and six numbers.
        EXPECT_EQ(t->item(0, 4)->text(), QStringLiteral("0.7639"));
        EXPECT_EQ(t->item(0, 7)->text(), QStringLiteral("точный"));
        EXPECT_EQ(t->item(0, 8)->text(), QStringLiteral("0"));
        EXPECT_TRUE(f.Summary()->text().startsWith(QStringLiteral("\"one\": ")));
        Shoot(f, "rating_chance.png");
      });
  // Alt+F6 reaches the command through the window's keys.
  ASSERT_TRUE(ShowActive(w));
  list->setFocus();
  CheckThenClose<TFormGraph>([&] { QTest::keyClick(list, Qt::Key_F6, Qt::AltModifier); },
                             [](TFormGraph& g) {
                               QLineSeries* one = g.FindSeries("one");
                               ASSERT_NE(one, nullptr);
                               ASSERT_EQ(one->count(), 2);
                               EXPECT_EQ(one->at(1).x(), 1006);
                               EXPECT_EQ(one->at(1).y(), -60);
                             });
  EXPECT_TRUE(shown.empty());

  // F5 rebuilds from the file after the question: only "one" is left.
  ASSERT_TRUE(ShowActive(w));
  QTest::keyClick(list, Qt::Key_F5);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].text.find("Пересчитать рейтинг только по текущим ставкам?"),
            std::string::npos);
  EXPECT_EQ(page.Model()->rowCount(), 1);
  EXPECT_EQ(Cell(page.Model(), 0, 1), QStringLiteral("2"));
  EXPECT_EQ(w.StatusText(spRating), QStringLiteral("Рейтинг: 1"));
}

TEST_F(TRatingsPageTest, CsvExportAsksInTheFolderOfTheLastExport) {
  const std::string folder = PathJoin(dir_, "exports");
  std::filesystem::create_directory(folder);
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.RightTabs().setCurrentIndex(rtRating);
  w.UpdateCommands();
  WithDialog<QFileDialog>([&] { w.Commands().Execute("RatingsXlsExport"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(PathJoin(folder, "r.xlsx")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  WithDialog<QFileDialog>([&] { w.Commands().Execute("RatingsExport"); },
                          [&](QFileDialog& d) {
                            EXPECT_EQ(d.directory().absolutePath(), Q(folder));
                            EXPECT_EQ(d.defaultSuffix(), QStringLiteral("csv"));
                            // Typed without the suffix: the dialog adds it.
                            d.selectFile(Q(PathJoin(folder, "Рейтинг")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  const std::string csv = ReadWholeFile(PathJoin(folder, "Рейтинг.csv"));
  EXPECT_NE(csv.find("one"), std::string::npos);
}

}  // namespace
}  // namespace kvarn::test
