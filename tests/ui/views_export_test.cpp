// The card and the scheme go to spreadsheets from their tabs through the save dialog: every cell
// the grid shows, with the colour the grid paints it.
#include <QFileDialog>

#include "app/workspace.h"
#include "common/xlsx_read.h"
#include "core/files.h"
#include "ui/card_page.h"
#include "ui/layout_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

// The fill the reader prints for a grid cell's background: "-" for the grid's own.
std::string FillOf(const QAbstractItemModel* m, int row, int col) {
  const QVariant v = m->data(m->index(row, col), Qt::BackgroundRole);
  if (!v.isValid()) return "-";
  return S(QStringLiteral("%1")
               .arg(v.value<QColor>().rgb() & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
               .toUpper());
}

// Model cell (row, col) stands at sheet row + 2 and column col + `firstColumn`.
void ExpectSheetShowsGrid(const TReadSheet& x, const QAbstractItemModel* m, int firstColumn) {
  for (int r = 0; r < m->rowCount(); ++r)
    for (int c = 0; c < m->columnCount(); ++c) {
      const std::string ref = CellRef(c + firstColumn, r + 2);
      const std::string text = S(m->index(r, c).data().toString());
      const auto it = x.Cells.find(ref);
      if (it == x.Cells.end()) {
        // Only a blank cell of the grid's own colour may be left out.
        EXPECT_EQ(text, "") << ref;
        EXPECT_EQ(FillOf(m, r, c), "-") << ref;
        continue;
      }
      EXPECT_EQ(it->second.Value, text) << ref;
      EXPECT_EQ(it->second.Fill, FillOf(m, r, c)) << ref;
    }
}

class TViewsExportTest : public TUiTest {
 protected:
  static void ExportThroughDialog(TFormMain& w, const char* command, const std::string& file) {
    w.UpdateCommands();
    ASSERT_TRUE(w.Commands().Action(command)->isEnabled()) << command;
    WithDialog<QFileDialog>([&] { w.Commands().Execute(command); },
                            [&](QFileDialog& d) {
                              EXPECT_EQ(d.defaultSuffix(), QStringLiteral("xlsx"));
                              d.selectFile(Q(file));
                              QMetaObject::invokeMethod(&d, "accept");
                            });
  }
};

TEST_F(TViewsExportTest, SchemeExportHoldsWhatTheTabShows) {
  WriteDraws(MakeDraws(40));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.Workspace().SetDrawsOffset(1);
  w.RightTabs().setCurrentIndex(rtLayout);
  TLayoutPage& page = w.Page<TLayoutPage>();
  const auto* m = page.Model();
  ASSERT_GT(m->columnCount(), 1);

  ExportThroughDialog(w, "LayoutXlsExport", PathJoin(dir_, "Схема"));
  const auto x = ReadXlsx(PathJoin(dir_, "Схема.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Схема");
  EXPECT_EQ(x.Rows, m->rowCount() + 1);
  for (int c = 0; c < m->columnCount(); ++c)
    EXPECT_EQ(x.Cells.at(CellRef(c + 1, 1)).Value,
              S(m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()));
  for (int r = 0; r < m->rowCount(); ++r)
    EXPECT_EQ(x.Cells.at(CellRef(0, r + 2)).Value,
              S(m->headerData(r, Qt::Vertical, Qt::DisplayRole).toString()));
  ExpectSheetShowsGrid(x, m, 1);

  // A grid of one draw column, or a hidden tab, has nothing to export.
  page.LenField()->setValue(1);
  page.Calc(true);
  ASSERT_EQ(m->columnCount(), 1);
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("LayoutXlsExport")->isEnabled());
  page.LenField()->setValue(10);
  page.Calc(true);
  w.UpdateCommands();
  EXPECT_TRUE(w.Commands().Action("LayoutXlsExport")->isEnabled());
  ASSERT_TRUE(w.Commands().Execute("TabLayout"));
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("LayoutXlsExport")->isEnabled());
}

TEST_F(TViewsExportTest, CardExportFollowsTheColourSwitches) {
  WriteDraws(MakeDraws(12));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.RightTabs().setCurrentIndex(rtCard);
  const auto* m = w.Page<TCardPage>().Model();
  ASSERT_EQ(m->rowCount(), 12);

  ExportThroughDialog(w, "CardXlsExport", PathJoin(dir_, "card.xlsx"));
  auto x = ReadXlsx(PathJoin(dir_, "card.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Карта");
  EXPECT_EQ(x.Rows, 13);
  ExpectSheetShowsGrid(x, m, 0);

  // Both switches off: the numbers stand on the sheet's own background.
  ASSERT_TRUE(w.Commands().Execute("ViewColorCard"));
  ASSERT_TRUE(w.Commands().Execute("ViewColorCardSequences"));
  ExportThroughDialog(w, "CardXlsExport", PathJoin(dir_, "plain.xlsx"));
  x = ReadXlsx(PathJoin(dir_, "plain.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  ExpectSheetShowsGrid(x, m, 0);
  for (const auto& [ref, cell] : x.Cells) EXPECT_EQ(cell.Fill, "-") << ref;
}

}  // namespace
}  // namespace kvarn::test
