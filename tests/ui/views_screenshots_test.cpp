// Pictures of the analysis views over a 2,000-draw archive, for a person to look at: run with
// KVARN_SCREENSHOT_DIR set (under xvfb-run for a real display); skipped otherwise.
#include <QChartView>
#include <QHeaderView>
#include <QPixmap>
#include <cstdlib>

#include "core/dates.h"
#include "ui/card_page.h"
#include "ui/form_graph.h"
#include "ui/form_repeats.h"
#include "ui/graphs_page.h"
#include "ui/layout_page.h"
#include "ui/week_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

// Random draws, one to three days apart from 2005 on.
TDrawsArray DatedArchive(int count) {
  TDrawsArray draws = RandomArchive(count, 1, 20240611);
  TDateTime t = EncodeDateTime(2005, 1, 4, 21, 0);
  for (size_t i = 0; i < draws.size(); ++i) {
    draws[i].DateText = DateTimeText(t);
    t += static_cast<double>(i % 3 + 1);
  }
  return draws;
}

class TViewsScreenshots : public TUiTest {
 protected:
  void SetUp() override {
    TUiTest::SetUp();
    const char* dir = std::getenv("KVARN_SCREENSHOT_DIR");
    if (!dir || !*dir) GTEST_SKIP() << "KVARN_SCREENSHOT_DIR is not set";
    out_ = QString::fromUtf8(dir);
  }
  void Save(QWidget* w, const char* name) {
    QApplication::processEvents();
    QTest::qWait(100);
    EXPECT_TRUE(w->grab().save(out_ + QLatin1Char('/') + QString::fromUtf8(name)));
  }
  QString out_;
};

TEST_F(TViewsScreenshots, EveryTabAndWindow) {
  WriteDraws(DatedArchive(2000));
  TFormMain& w = Open();
  w.resize(1400, 860);
  w.show();
  w.Workspace().SetDrawsOffset(3);
  for (TRightTab tab : {rtCard, rtLayout, rtWeek, rtGraphs}) {
    w.RightTabs().setCurrentIndex(tab);
    QApplication::processEvents();
  }
  w.RightTabs().setCurrentIndex(rtCard);
  Save(&w, "card.png");
  w.RightTabs().setCurrentIndex(rtLayout);
  Save(&w, "layout.png");
  w.Commands().Execute("ViewShemaGradient");
  Save(&w, "layout-gradient.png");
  w.Commands().Execute("ViewShemaGradient");
  w.RightTabs().setCurrentIndex(rtWeek);
  TWeekPage& week = w.Page<TWeekPage>();
  week.Grid()->setCurrentIndex(week.Model()->index(5, 10));
  Save(&w, "week-bars.png");
  w.Commands().Execute("ViewWeekChartType");
  w.Commands().Execute("ViewWeekChartMode");
  Save(&w, "week-lines-by-days.png");
  w.RightTabs().setCurrentIndex(rtGraphs);
  Save(&w, "graphs.png");
  w.Page<TGraphsPage>().LenField()->setValue(2000);
  w.Page<TGraphsPage>().Draw(false);
  Save(&w, "graphs-2000.png");

  WhenShown<TFormRepeats>([&] { w.Commands().Execute("AnalyzeRepeats"); },
                          [&](TFormRepeats& f) {
                            Save(&f, "repeats.png");
                            f.reject();
                          },
                          [](TFormRepeats& f) { return f.Calculations() > 0; });
  WhenShown<TFormGraph>([&] { w.Commands().Execute("TotalSumCombs"); },
                        [&](TFormGraph& f) {
                          Save(&f, "sums.png");
                          f.reject();
                        });
}

}  // namespace
}  // namespace kvarn::test
