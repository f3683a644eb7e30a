// The result window of a filter test and of a value search, built from real runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <cstdlib>

#include "../stats/history_fixtures.h"
#include "stats/filter_report.h"
#include "ui/form_filter_test.h"

namespace kvarn {
namespace {

using namespace history_fixtures;

// With KVARN_SCREENSHOT_DIR set the window is saved there for a look.
void Shoot(QWidget& w, const char* name) {
  const char* dir = std::getenv("KVARN_SCREENSHOT_DIR");
  if (!dir) return;
  w.show();
  QApplication::processEvents();
  w.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromUtf8(name));
}

int PointsOf(QChart* chart, const QString& name) {
  for (QAbstractSeries* s : chart->series())
    if (s->name() == name) return static_cast<int>(static_cast<QXYSeries*>(s)->count());
  return -1;
}

TEST(FilterTestWindow, ShowsFiguresVerdictAndEveryDrawInTheChart) {
  const TDrawsArray draws = RandomArchive(300, 21);
  auto list = Registry(draws);
  const int entry = list->FindByIdent("SUMS");
  std::vector<std::string> texts;
  for (int s = 80; s <= 105; ++s) texts.push_back(std::to_string(s));
  TFilterTestOptions o;
  o.Len = 200;
  const TFilterTestResult r = RunFilterTest(*list, entry, texts, TestedDraws(300, 0, 100), o);
  const TFilterReport rep =
      FilterTestReport(list->DisplayName(entry, false), texts, false, 200, 100, r);
  TFormFilterTest w(rep);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Проверка фильтра на истории"));
  ASSERT_EQ(w.Figures()->rowCount(), 7);
  EXPECT_EQ(w.Figures()->item(0, 1)->text(), QStringLiteral("100"));
  EXPECT_EQ(w.Figures()->item(1, 1)->text().toStdString(), rep.Figures[1].Values[0]);
  EXPECT_EQ(w.Verdict()->text().toStdString(), rep.Verdict);
  const int survived = r.Summary.Survivals;
  EXPECT_EQ(PointsOf(w.Chart(), QStringLiteral("Оставлено, %")), 100);
  EXPECT_EQ(PointsOf(w.Chart(), QStringLiteral("Тираж сохранился")), survived);
  EXPECT_EQ(PointsOf(w.Chart(), QStringLiteral("Тираж потерян")), 100 - survived);
  Shoot(w, "filter_test.png");
}

TEST(FilterTestWindow, SearchShowsBothHalvesAndTheirBoundary) {
  const TDrawsArray draws = RandomArchive(400, 22);
  auto list = Registry(draws);
  const int entry = list->FindByIdent("SUMS");
  TValueSearchOptions o;
  o.Budget = 30000;
  o.Len = 200;
  const TValueSearchResult r = RunValueSearch(*list, entry, TestedDraws(400, 0, 200), o);
  const TFilterReport rep =
      ValueSearchReport(list->DisplayName(entry, false), 200, o.Budget, 200, r);
  TFormFilterTest w(rep);
  EXPECT_EQ(w.Figures()->columnCount(), 3);
  EXPECT_EQ(w.Figures()->horizontalHeaderItem(2)->text(),
            QStringLiteral("Новые тиражи (проверка)"));
  EXPECT_EQ(PointsOf(w.Chart(), QStringLiteral("Оставлено, % (Подбор)")), 100);
  EXPECT_EQ(PointsOf(w.Chart(), QStringLiteral("Оставлено, % (Проверка)")), 100);
  EXPECT_EQ(PointsOf(w.Chart(), QStringLiteral("Граница подбора и проверки")), 2);
  Shoot(w, "value_search.png");
}

}  // namespace
}  // namespace kvarn
