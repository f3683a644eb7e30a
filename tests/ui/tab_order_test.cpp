// Tab walks every dialog in a sensible order: each field that takes the keyboard is reached
// exactly once per round, and the walk reads the dialog the way the eye does — down the form,
// and left to right along a row — never jumping back up except to start the next column.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "core/config.h"
#include "ui/form_about.h"
#include "ui/form_config.h"
#include "ui/form_draw.h"
#include "ui/form_favourites.h"
#include "ui/form_gen_combs.h"
#include "ui/form_help.h"
#include "ui/form_info.h"
#include "ui/form_proxy.h"
#include "ui/form_shredding.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

// What the person reads as one control: a spin box's line edit is the spin box.
QWidget* ControlOf(QWidget* w) {
  QWidget* p = w->parentWidget();
  if (p && (p->inherits("QAbstractSpinBox") || p->inherits("QComboBox"))) return p;
  return w;
}

// The widgets Tab reaches from the first one, in order, for one round.
std::vector<QWidget*> TabRound(QWidget& dlg) {
  dlg.show();
  dlg.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
  QWidget* first = dlg.focusWidget();
  if (!first) {
    QTest::keyClick(&dlg, Qt::Key_Tab);
    first = QApplication::focusWidget();
  }
  std::vector<QWidget*> seen;
  for (QWidget* f = first; f && seen.size() < 200;) {
    // Date fields step through their day, month and year on Tab: one control all the same.
    if (seen.empty() || ControlOf(seen.back()) != ControlOf(f)) seen.push_back(f);
    QTest::keyClick(f, Qt::Key_Tab);
    f = QApplication::focusWidget();
    if (f && ControlOf(f) == ControlOf(first) && seen.size() > 1) break;
  }
  return seen;
}

std::string NameOf(QWidget* w) {
  return ControlOf(w)->metaObject()->className() + std::string(" ") +
         ControlOf(w)->objectName().toStdString();
}

void ExpectSensibleTabOrder(QWidget& dlg, const char* what) {
  std::vector<QWidget*> round = TabRound(dlg);
  // The round is a circle: read it from the control nearest the top left corner.
  auto topLeft = [&](QWidget* a, QWidget* b) {
    const QPoint pa = ControlOf(a)->mapTo(&dlg, QPoint()), pb = ControlOf(b)->mapTo(&dlg, QPoint());
    return std::make_pair(pa.y(), pa.x()) < std::make_pair(pb.y(), pb.x());
  };
  if (!round.empty())
    std::rotate(round.begin(), std::min_element(round.begin(), round.end(), topLeft), round.end());
  ASSERT_GE(round.size(), 2u) << what;
  // Every control that takes Tab is in the round, once.
  std::set<QWidget*> inRound;
  for (QWidget* w : round) EXPECT_TRUE(inRound.insert(ControlOf(w)).second) << what << NameOf(w);
  for (QWidget* w : dlg.findChildren<QWidget*>()) {
    if (w->isVisibleTo(&dlg) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
        !w->focusProxy() && ControlOf(w) == w) {
      EXPECT_TRUE(inRound.count(w)) << what << ": Tab never reaches " << NameOf(w);
    }
  }
  // Down the form and along the rows: a step may go up only into a column to the right.
  for (size_t i = 1; i < round.size(); ++i) {
    const QRect a(ControlOf(round[i - 1])->mapTo(&dlg, QPoint()), ControlOf(round[i - 1])->size());
    const QRect b(ControlOf(round[i])->mapTo(&dlg, QPoint()), ControlOf(round[i])->size());
    const bool down = b.top() >= a.top() - 4;
    const bool nextColumn = b.left() >= a.right() - 4;
    EXPECT_TRUE(down || nextColumn)
        << what << ": Tab goes back up from " << NameOf(round[i - 1]) << " to " << NameOf(round[i]);
  }
}

TEST_F(TUiTest, EveryDialogHasASensibleTabOrder) {
  WriteDraws(MakeDraws(10));
  TFormMain& w = Open();
  TSilentHost host;
  {
    TFormConfig d(host, TConfigData{}, &w);
    ExpectSensibleTabOrder(d, "settings");
  }
  {
    TDraw draw;
    draw.Number = 5;
    TFormDraw d(host, QStringLiteral("Тираж"), draw, true, TDateFormat{}, &w);
    ExpectSensibleTabOrder(d, "draw");
  }
  {
    TFormGenCombs d(w, &w);
    ExpectSensibleTabOrder(d, "generation");
  }
  {
    TFormProxy d(TProxyConfig{}, &w);
    ExpectSensibleTabOrder(d, "proxy");
  }
  {
    TFormShredding d(TShreddingConfig{}, &w);
    ExpectSensibleTabOrder(d, "shredding");
  }
  {
    TFormFavourites d(host, w.Workspace().StatList(), QString(), {}, &w);
    ExpectSensibleTabOrder(d, "favourites");
  }
  {
    TFormAbout d(&w);
    ExpectSensibleTabOrder(d, "about");
  }
  {
    TFormHelp d(w.HelpBook(), &w);
    ExpectSensibleTabOrder(d, "help");
  }
  {
    TFormInfo d(w.Workspace(), 1005, std::string("01.02.2020 21:00"), {3, 9, 20, 31, 36}, false, 5,
                &w);
    ExpectSensibleTabOrder(d, "information");
  }
}

}  // namespace
}  // namespace kvarn::test
