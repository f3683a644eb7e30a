// What a user reads and sees: the answers of a question box, the prize list without hidden
// lines, and chart labels that keep their text.
#include <QAbstractButton>
#include <QCategoryAxis>
#include <QChart>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include "ui/form_config.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

TEST_F(TUiTest, QuestionBoxAnswersInRussianWithNoAsDefault) {
  TQtHost host(nullptr);
  QStringList buttons;
  QString defaultText;
  QString caption;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    if (box->defaultButton()) defaultText = box->defaultButton()->text();
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(AskWarning(host, "Удалить выделенную запись?", true));
  EXPECT_EQ(caption, QStringLiteral("Предупреждение"));
  EXPECT_TRUE(buttons.contains(QStringLiteral("Да")));
  EXPECT_TRUE(buttons.contains(QStringLiteral("Нет")));
  EXPECT_EQ(defaultText, QStringLiteral("Нет"));
}

TEST_F(TUiTest, SettingsDialogShowsEveryPrizeLine) {
  TFormMain& w = Open();
  WithDialog<TFormConfig>([&] { w.Commands().Execute("EditConfig"); },
                          [&](TFormConfig& d) {
                            QTableWidget* t = d.Profits();
                            const int last = t->rowCount() - 1;
                            ASSERT_EQ(last, 5);
                            EXPECT_LE(t->rowViewportPosition(last) + t->rowHeight(last),
                                      t->viewport()->height());
                            EXPECT_GE(t->rowViewportPosition(0), 0);
                            d.reject();
                          });
}

TEST_F(TUiTest, ChartLabelsStandUprightWithRoomForTheirText) {
  WriteDraws(MakeDraws(60));
  TFormMain& w = Open();
  w.resize(1200, 760);
  w.show();
  QApplication::processEvents();
  TStatsPage& page = w.Page<TStatsPage>();
  page.Compute(true);
  QApplication::processEvents();
  auto axes = page.Chart()->axes(Qt::Horizontal);
  ASSERT_FALSE(axes.isEmpty());
  auto* axis = qobject_cast<QCategoryAxis*>(axes.first());
  ASSERT_NE(axis, nullptr);
  // Neighbouring labels are far enough apart for the widest text.
  auto checkRoom = [&] {
    const QStringList labels = axis->categoriesLabels();
    ASSERT_GE(labels.size(), 2);
    EXPECT_EQ(axis->labelsAngle(), 0);
    const QFontMetrics fm(axis->labelsFont());
    int widest = 0;
    for (const QString& l : labels) widest = std::max(widest, fm.horizontalAdvance(l));
    const double span = axis->max() - axis->min();
    const double perUnit = page.Chart()->plotArea().width() / span;
    for (qsizetype i = 1; i < labels.size(); ++i) {
      const double gap = (axis->endValue(labels[i]) - axis->endValue(labels[i - 1])) * perUnit;
      EXPECT_GE(gap, widest) << labels[i].toStdString();
    }
  };
  checkRoom();
  const qsizetype wide = axis->categoriesLabels().size();
  // A narrower window keeps fewer labels, each still whole; the axis range stays.
  const double min = axis->min(), max = axis->max();
  w.resize(700, 760);
  QApplication::processEvents();
  checkRoom();
  EXPECT_LT(axis->categoriesLabels().size(), wide);
  EXPECT_EQ(axis->min(), min);
  EXPECT_EQ(axis->max(), max);
}

TEST_F(TUiTest, EmptyStatisticsTableAlreadyShowsItsSortOrder) {
  // A refused second instance never fills its table.
  Open();
  bool running = true;
  TFormMain& w = Open(&running);
  ASSERT_FALSE(running);
  QHeaderView* header = w.Page<TStatsPage>().Table()->horizontalHeader();
  EXPECT_EQ(header->sortIndicatorSection(), 1);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

}  // namespace
}  // namespace kvarn::test
