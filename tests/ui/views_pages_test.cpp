// The analysis pages in the real window: the card's rows, colours and filter, the scheme's
// lengths, marks and compare lists, the week grid and its chart, the graph of the graph box, the
// repeats window and the sum distribution; their switches and lengths kept in the window state.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QHeaderView>
#include <QLineSeries>
#include <QToolButton>
#include <QTreeWidget>

#include "app/workspace.h"
#include "ui/card_page.h"
#include "ui/colours.h"
#include "ui/form_graph.h"
#include "ui/form_repeats.h"
#include "ui/graphs_page.h"
#include "ui/layout_page.h"
#include "ui/week_page.h"
#include "ui_fixture.h"
#include "views/colours.h"
#include "views/sums.h"

namespace kvarn::test {
namespace {

QColor Background(const QAbstractItemModel* m, int row, int col) {
  return m->data(m->index(row, col), Qt::BackgroundRole).value<QColor>();
}

QString Text(const QAbstractItemModel* m, int row, int col) {
  return m->data(m->index(row, col), Qt::DisplayRole).toString();
}

// A row's cells joined by "|".
QString RowText(const QAbstractItemModel* m, int row) {
  QStringList cells;
  for (int c = 0; c < m->columnCount(); ++c) cells << Text(m, row, c);
  return cells.join(QLatin1Char('|'));
}

void SelectRect(QTableView* view, int top, int left, int bottom, int right) {
  view->selectionModel()->select(
      QItemSelection(view->model()->index(top, left), view->model()->index(bottom, right)),
      QItemSelectionModel::ClearAndSelect);
}

// The page's button of a command, clicked as a person would.
void ClickCommand(QWidget* page, TFormMain& w, const char* command) {
  w.UpdateCommands();
  QAction* a = w.Commands().Action(command);
  for (QToolButton* b : page->findChildren<QToolButton*>())
    if (b->defaultAction() == a) {
      QTest::mouseClick(b, Qt::LeftButton);
      return;
    }
  ADD_FAILURE() << "no button for " << command;
}

void TypeAndEnter(QSpinBox* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

std::string FrmPath(const std::string& dir) {
  return PathJoin(dir, WindowStateFileName);
}

class TViewsPagesTest : public TUiTest {};

TEST_F(TViewsPagesTest, CardShowsEveryDrawNewestFirstAndFollowsTheArchive) {
  WriteDraws(Archive({{35, 36, 3, 12, 20}, {1, 8, 15, 22, 29}}, 501, {0, 3}));
  TFormMain& w = Open();
  w.RightTabs().setCurrentIndex(rtCard);
  TCardPage& page = w.Page<TCardPage>();
  const auto* m = page.Model();
  ASSERT_EQ(m->rowCount(), 2);
  ASSERT_EQ(m->columnCount(), 38);
  EXPECT_EQ(m->headerData(37, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("E"));
  EXPECT_EQ(Text(m, 0, 0), QStringLiteral("502"));
  EXPECT_EQ(Text(m, 0, 8), QStringLiteral("8"));
  EXPECT_EQ(Text(m, 0, 37), QStringLiteral("3"));
  EXPECT_EQ(Text(m, 1, 37), QStringLiteral("0"));
  // 35 and 36 of draw 501 are neighbours: cyan, with the sequences switch on by default.
  EXPECT_EQ(Background(m, 1, 36), WinColour(CyanColour));

  ASSERT_TRUE(w.Workspace().DrawsAdd(MakeDraw(503, {8, 9, 30, 31, 2})));
  ASSERT_EQ(m->rowCount(), 3);
  EXPECT_EQ(Text(m, 0, 0), QStringLiteral("503"));
  // 8 in draws 502 and 503, and 9 beside it in 503.
  EXPECT_EQ(Background(m, 0, 8), WinColour(YellowColour));
  EXPECT_EQ(Background(m, 1, 8), WinColour(LimeColour));
  // An edited draw keeps the row count; the card still shows its new numbers.
  ASSERT_TRUE(w.Workspace().DrawsReplace(2, MakeDraw(503, {4, 9, 30, 31, 2})));
  EXPECT_EQ(Text(m, 0, 8), QString());
  EXPECT_EQ(Text(m, 0, 4), QStringLiteral("4"));
}

TEST_F(TViewsPagesTest, CardSwitchesRecolourAndAreStoredAtOnce) {
  WriteDraws(Archive({{35, 36, 3, 12, 20}}));
  TFormMain& w = Open();
  w.RightTabs().setCurrentIndex(rtCard);
  const auto* m = w.Page<TCardPage>().Model();
  ASSERT_TRUE(w.Commands().Execute("ViewColorCardSequences"));
  EXPECT_EQ(Background(m, 0, 36), WinColour(ChannelColour(36, 6)));
  EXPECT_EQ(WindowStateReadInt(FrmPath(dir_), "ColorCardSequences", 1), 0);
  ASSERT_TRUE(w.Commands().Execute("ViewColorCard"));
  EXPECT_FALSE(Background(m, 0, 36).isValid());
  EXPECT_EQ(WindowStateReadInt(FrmPath(dir_), "ColorCard", 1), 0);
  // A hidden tab's switches are off.
  ASSERT_TRUE(w.Commands().Execute("TabCard"));
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("ViewColorCard")->isEnabled());
}

TEST_F(TViewsPagesTest, CardFilterTakesTheNumbersOfTheSelection) {
  WriteDraws(Archive({{1, 2, 3, 4, 5}, {35, 3, 11, 19, 27}}));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.Workspace().CombsGenerate(gmOnlyMine, "1;3;6;12;20;25;26", true);
  w.RightTabs().setCurrentIndex(rtCard);
  TCardPage& page = w.Page<TCardPage>();
  QAction* keep = w.Commands().Action("CardFilter_Include");
  // The draw-number column alone, or a selection reaching "E": no filter.
  SelectRect(page.Grid(), 0, 0, 1, 0);
  w.UpdateCommands();
  EXPECT_FALSE(keep->isEnabled());
  SelectRect(page.Grid(), 0, 30, 1, 37);
  w.UpdateCommands();
  EXPECT_FALSE(keep->isEnabled());
  // Draw 2's 3 and 11 delete the combinations with 3: five of the six others remain.
  SelectRect(page.Grid(), 0, 1, 0, 11);
  ClickCommand(&page, w, "CardFilter_Exclude");
  EXPECT_EQ(w.Workspace().Combs().Count(), 6);
  ASSERT_FALSE(w.Workspace().AppliedFilters().empty());
  EXPECT_EQ(w.Workspace().AppliedFilters().back().Caption, "Карта");
  EXPECT_EQ(w.Workspace().AppliedFilters().back().Values, "3; 11");
  // Empty cells only: the message, and the list stays.
  SelectRect(page.Grid(), 0, 6, 1, 10);
  ClickCommand(&page, w, "CardFilter_Include");
  EXPECT_EQ(Texts().back(), "В выделенном диапазоне нет значений для фильтра!");
  EXPECT_EQ(w.Workspace().Combs().Count(), 6);
}

TEST_F(TViewsPagesTest, SchemeMarksTheFollowingDrawAndTakesItsLengthsWithEnter) {
  WriteDraws(ArchiveOf(40, 1, SpreadOfFive));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.Workspace().SetDrawsOffset(1);
  w.RightTabs().setCurrentIndex(rtLayout);
  TLayoutPage& page = w.Page<TLayoutPage>();
  const auto* m = page.Model();
  ASSERT_GT(m->columnCount(), 0);
  EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("39"));
  // Draw 40 follows: its numbers are bracketed and their cells lime.
  int marked = 0;
  for (int r = 0; r < m->rowCount(); ++r)
    for (int c = 0; c < m->columnCount(); ++c)
      if (Text(m, r, c).contains(QLatin1Char('['))) {
        ++marked;
        EXPECT_EQ(Background(m, r, c), WinColour(LimeColour));
      }
  EXPECT_GE(marked, 1);

  TypeAndEnter(page.LenField(), QStringLiteral("3"));
  EXPECT_EQ(m->columnCount(), 3);
  EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("37"));
  // Out of range: nothing changes.
  TypeAndEnter(page.LenField(), QStringLiteral("0"));
  EXPECT_EQ(page.LenField()->value(), 3);
  EXPECT_EQ(m->columnCount(), 3);

  EXPECT_EQ(page.CompareList(0)->headerItem()->text(1), QStringLiteral("1 - 39"));
  TypeAndEnter(page.CompareField(0), QStringLiteral("5"));
  EXPECT_EQ(page.CompareList(0)->headerItem()->text(1), QStringLiteral("35 - 39"));
  ASSERT_GT(page.CompareList(0)->topLevelItemCount(), 0);
  // Sorted by count, descending.
  int previous = 1 << 30;
  for (int i = 0; i < page.CompareList(0)->topLevelItemCount(); ++i) {
    const int count = page.CompareList(0)->topLevelItem(i)->text(0).toInt();
    EXPECT_LT(count, previous);
    previous = count;
  }

  // The gradient switch: bands when off, stored at once.
  ASSERT_TRUE(w.Commands().Execute("ViewShemaGradient"));
  EXPECT_EQ(WindowStateReadInt(FrmPath(dir_), "LayoutGradient", 1), 0);
  for (int c = 0; c < m->columnCount(); ++c) {
    if (Text(m, 0, c).contains(QLatin1Char('['))) continue;
    EXPECT_TRUE(Background(m, 0, c) == WinColour(PinkColour) ||
                Background(m, 0, c) == WinColour(LightGreenColour));
  }
}

TEST_F(TViewsPagesTest, SchemeFilterAndLengthsSurviveARestart) {
  WriteDraws(Archive({{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}}));
  {
    TFormMain& w = Open();
    w.Workspace().CombsGenerate(gmOnlyMine, "1;2;20;21;22;23", true);
    w.RightTabs().setCurrentIndex(rtLayout);
    TLayoutPage& page = w.Page<TLayoutPage>();
    // Row of count 2, column of draw 2: the number 1.
    ASSERT_EQ(Text(page.Model(), 0, 0), QStringLiteral("1"));
    SelectRect(page.Grid(), 0, 0, 0, 0);
    ClickCommand(&page, w, "LayoutFilter_Include");
    EXPECT_EQ(w.Workspace().Combs().Count(), 5);
    EXPECT_EQ(w.Workspace().AppliedFilters().back().Caption, "Схема");
    page.LenField()->setValue(77);
    page.CompareField(4)->setValue(333);
    Close(w);
  }
  EXPECT_EQ(WindowStateReadInt(FrmPath(dir_), "LayoutLen", 0), 77);
  EXPECT_EQ(WindowStateReadInt(FrmPath(dir_), "LayoutCompareLen5", 0), 333);
  TFormMain& w = Open();
  EXPECT_EQ(w.Page<TLayoutPage>().LenField()->value(), 77);
  EXPECT_EQ(w.Page<TLayoutPage>().CompareField(4)->value(), 333);
  EXPECT_EQ(w.Page<TLayoutPage>().CompareField(0)->value(), 50);
}

TEST_F(TViewsPagesTest, WeekGridColoursByMAndChartsTheCurrentCell) {
  TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}, {1, 2, 10, 11, 12}});
  draws[0].DateText = "05.01.2020 20:00";  // Sunday
  draws[1].DateText = "06.01.2020 20:00";  // Monday
  draws[2].DateText = "vчера";             // unreadable: skipped
  WriteDraws(draws);
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.RightTabs().setCurrentIndex(rtWeek);
  TWeekPage& page = w.Page<TWeekPage>();
  const auto* m = page.Model();
  ASSERT_EQ(m->rowCount(), 7);
  ASSERT_EQ(m->columnCount(), 36);
  EXPECT_EQ(m->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("пн"));
  EXPECT_EQ(m->headerData(6, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("вс"));
  EXPECT_EQ(Text(m, 6, 0), QStringLiteral("1"));
  EXPECT_EQ(Text(m, 0, 0), QStringLiteral("1"));
  EXPECT_EQ(Text(m, 0, 1), QString()) << "2 on Monday: none, the third draw has no date";
  // M = 1: every non-empty cell is pure red, an empty one keeps the grid's colour.
  EXPECT_EQ(Background(m, 6, 0), QColor(255, 0, 0));
  EXPECT_FALSE(Background(m, 1, 0).isValid());

  // Line form by days: a Sunday cell of number 1 charts 1 over Monday .. Sunday.
  ASSERT_TRUE(w.Commands().Execute("ViewWeekChartType"));
  ASSERT_TRUE(w.Commands().Execute("ViewWeekChartMode"));
  page.Grid()->setCurrentIndex(m->index(6, 0));
  ASSERT_EQ(page.Chart()->series().size(), 1);
  auto* line = qobject_cast<QLineSeries*>(page.Chart()->series().first());
  ASSERT_NE(line, nullptr);
  ASSERT_EQ(line->count(), 7);
  EXPECT_EQ(line->at(0).y(), 1);
  EXPECT_EQ(line->at(6).y(), 1);
  EXPECT_EQ(line->at(2).y(), 0);
  // Bars over the 36 numbers of the day.
  ASSERT_TRUE(w.Commands().Execute("ViewWeekChartType"));
  ASSERT_TRUE(w.Commands().Execute("ViewWeekChartMode"));
  auto* bars = qobject_cast<QBarSeries*>(page.Chart()->series().first());
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->barSets().first()->count(), 36);
  EXPECT_EQ(WindowStateReadInt(FrmPath(dir_), "WeekChartMode", 1), 0);

  // The columns of the selection are the numbers, whatever the cells hold.
  w.Workspace().CombsGenerate(gmOnlyMine, "1;2;20;21;22;23", true);
  SelectRect(page.Grid(), 2, 19, 4, 21);
  ClickCommand(&page, w, "WeekFilter_Exclude");
  EXPECT_EQ(w.Workspace().AppliedFilters().back().Values, "20; 21; 22");
  EXPECT_EQ(w.Workspace().Combs().Count(), 0);
}

TEST_F(TViewsPagesTest, GraphDrawsTheChosenMethodWithItsReferenceLines) {
  WriteDraws(ArchiveOf(30, 101, SpreadOfFive));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.RightTabs().setCurrentIndex(rtGraphs);
  TGraphsPage& page = w.Page<TGraphsPage>();
  const auto& lines = w.Workspace().MethodBoxes().Graph;
  ASSERT_EQ(page.MethodBox()->count(), static_cast<int>(lines.size()));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(page.MainLine()->name(), Q(lines[0].Text));
  ASSERT_EQ(page.MainLine()->count(), 30);
  EXPECT_EQ(page.MainLine()->at(0).x(), 101);
  // The mean line at the exact quotient of the values.
  double sum = 0;
  for (int i = 0; i < 30; ++i) sum += page.MainLine()->at(i).y();
  EXPECT_DOUBLE_EQ(page.MeanLine()->at(0).y(), sum / 30);
  EXPECT_EQ(page.MeanLine()->name(), QStringLiteral("Среднее значение"));
  EXPECT_EQ(page.ModeLine()->name(), QStringLiteral("Наиболее часто встречающееся значение"));
  EXPECT_EQ(page.ModeLine()->count(), 30);

  page.MethodBox()->setCurrentIndex(1);
  EXPECT_EQ(page.MainLine()->name(), Q(lines[1].Text));
  TypeAndEnter(page.LenField(), QStringLiteral("7"));
  EXPECT_EQ(page.MainLine()->count(), 7);
  EXPECT_EQ(page.MainLine()->at(0).x(), 124);
  QTest::mouseClick(page.MarksBox(), Qt::LeftButton);
  EXPECT_TRUE(page.MainLine()->pointLabelsVisible());

  // The tab switched off and on again comes to the front, drawn.
  ASSERT_TRUE(w.Commands().Execute("TabGraps"));
  EXPECT_FALSE(w.RightTabs().isTabVisible(rtGraphs));
  ASSERT_TRUE(w.Commands().Execute("TabGraps"));
  EXPECT_EQ(w.RightTabs().currentIndex(), rtGraphs);
  EXPECT_EQ(page.MainLine()->count(), 7);
}

TEST_F(TViewsPagesTest, RepeatsWindowComputesOnOpenAndKeepsItsLengths) {
  WriteDraws(Archive({{1, 2, 3, 4, 5}, {1, 2, 30, 31, 32}, {1, 20, 21, 22, 23}}));
  TFormMain& w = Open();
  WhenShown<TFormRepeats>(
      [&] { w.Commands().Execute("AnalyzeRepeats"); },
      [&](TFormRepeats& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Количество повторов в зависимости от тиража"));
        // Draw 3 shares 1 with draws 2 and 1; draw 2 shares 1 and 2 with draw 1; draw 1 nothing.
        const auto* m = f.List()->model();
        EXPECT_EQ(m->rowCount(), 2);
        EXPECT_EQ(RowText(m, 0), QStringLiteral("3|1|2|2 1"));
        EXPECT_EQ(RowText(m, 1), QStringLiteral("2|2|1|1"));
        EXPECT_EQ(f.Chart()->series().size(), 2);
        if (!f.Chart()->series().empty()) {
          EXPECT_EQ(f.Chart()->series().first()->name(), QStringLiteral("Совпадений: 1"));
        }
        // Deep 1: each draw against the one before it only.
        TypeAndEnter(f.DeepField(), QStringLiteral("1"));
        EXPECT_EQ(m->rowCount(), 2);
        EXPECT_EQ(RowText(m, 0), QStringLiteral("3|1|1|2"));
        f.reject();
      },
      [](TFormRepeats& f) { return f.Calculations() > 0; });
  EXPECT_EQ(WindowSectionReadInt(FrmPath(dir_), "TFormRepeats", "DrawsDeep", 0), 1);
  EXPECT_EQ(WindowSectionReadInt(FrmPath(dir_), "TFormRepeats", "DrawsLength", 0), 100);
  WhenShown<TFormRepeats>([&] { w.Commands().Execute("AnalyzeRepeats"); },
                          [&](TFormRepeats& f) {
                            EXPECT_EQ(f.DeepField()->value(), 1);
                            f.reject();
                          });
}

TEST_F(TViewsPagesTest, SumDistributionOpensWithItsFiveLinesAlsoWithoutDraws) {
  TFormMain& w = Open();
  WhenShown<TFormGraph>([&] { w.Commands().Execute("TotalSumCombs"); },
                        [&](TFormGraph& f) {
                          EXPECT_EQ(f.windowTitle(),
                                    QStringLiteral("Распределение сумм тиражей и всех возможных "
                                                   "комбинаций"));
                          QLineSeries* theory = f.FindSeries(SumsTheoryTitle);
                          EXPECT_NE(theory, nullptr);
                          if (theory) {
                            EXPECT_EQ(theory->count(), 156);
                            EXPECT_EQ(theory->pen().color(), WinColour(MaroonColour));
                          }
                          EXPECT_NE(f.FindSeries("Диапазон 1 (от 1/3 и выше по оси Y) - суммы "
                                                 "59-126"),
                                    nullptr);
                          EXPECT_NE(f.FindSeries("Диапазон 3 (от 2/3 и выше по оси Y) - суммы "
                                                 "72-113"),
                                    nullptr);
                          f.reject();
                        });
}

}  // namespace
}  // namespace kvarn::test
