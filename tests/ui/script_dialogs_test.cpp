// The line editor and the filter editor, driven with real keys and clicks.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include "scenario/script_codes.h"
#include "ui/form_script.h"
#include "ui_fixture.h"

namespace kvarn {
namespace {

// Typed characters, Cyrillic included (the toolkit's key helpers take only ASCII).
void Type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    const Qt::Key key = c.unicode() < 128 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, w, key, QString(c), Qt::NoModifier);
  }
}

class ScriptDialogsTest : public test::TUiTest {
 protected:
  void SetUp() override {
    TUiTest::SetUp();
    registry.Register();
    context.Registry = &registry;
    context.Methods = registry.BoxLines().Stat;
    context.MethodLine = 8;  // SUMS
    context.DrawsLen = "100";
    context.Weights = {0, -1, 1, false, false};
    context.Host = &host;
  }
  static void ClickOk(QDialog& d) {
    auto* box = d.findChild<QDialogButtonBox*>();
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
  }
  static void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    Type(edit, text);
  }
  std::string Line(const std::string& line, const std::function<void(TFormScript&)>& edit) {
    TFormScript d(QStringLiteral("Редактирование строки"), line, 3, context, nullptr);
    d.show();
    edit(d);
    ClickOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    return d.Line();
  }

  TDrawsArray draws;
  TStatList registry{draws};
  TFilterEditorContext context;
  TSilentHost host;
};

TEST_F(ScriptDialogsTest, NewFilterTakesTheStatisticsTabChoiceAndDefaults) {
  TFormFilter d(context, TFilterItem{}, nullptr);
  EXPECT_EQ(d.MethodBox()->currentIndex(), 8);
  EXPECT_EQ(d.DrawsLenEdit()->text().toStdString(), "100");
  EXPECT_EQ(d.SortColumnBox()->currentText().toStdString(), "Количество");
  EXPECT_EQ(d.SortColumnBox()->count(), 20);
  EXPECT_EQ(d.LevelModeBox()->count(), 32);
  EXPECT_EQ(d.StopModeBox()->count(), 7);
  EXPECT_EQ(d.StopValueEdit()->value(), 1);
  EXPECT_EQ(d.CoefDeviationEdit()->value(), -1);
  EXPECT_EQ(FilterItemToText(d.Item()), "TSD1#SUMS:100#LNO:#SF:1");
}

TEST_F(ScriptDialogsTest, LoadingARecordKeepsDefaultsForItsEmptyFields) {
  TFormFilter d(context, FilterItemFromText("BMF4#DIGS#CDP:#SP:7#0.25:2:3:1:1", registry), nullptr);
  EXPECT_EQ(d.MethodBox()->currentText().toStdString(),
            registry.DisplayName(registry.FindByIdent("DIGS"), true));
  EXPECT_EQ(d.DrawsLenEdit()->text().toStdString(), "100");
  EXPECT_EQ(d.SortColumnBox()->currentIndex(), 4);
  EXPECT_EQ(d.DirectionBox()->currentText().toStdString(), "Снизу-вверх");
  EXPECT_EQ(d.FilterModeBox()->currentText().toStdString(), "Оставить выделенные");
  EXPECT_TRUE(d.MultiSelectBox()->isChecked());
  EXPECT_EQ(d.LevelModeBox()->currentIndex(), 18);
  EXPECT_EQ(d.StopValueEdit()->value(), 7);
  EXPECT_TRUE(d.OverrideBox()->isChecked());
  EXPECT_EQ(d.CoefCountEdit()->text().toStdString(), "0.250");
  // An unknown method opens on the first line of the box.
  TFormFilter unknown(context, FilterItemFromText("TSD1#ZZZ9:5#LNO:#SF:1", registry), nullptr);
  EXPECT_EQ(unknown.MethodBox()->currentIndex(), 0);
  EXPECT_EQ(unknown.DrawsLenEdit()->text().toStdString(), "100");
}

TEST_F(ScriptDialogsTest, ValueFieldsTakeOnlyDigitsAndListCharacters) {
  TFormFilter d(context, TFilterItem{}, nullptr);
  d.show();
  Retype(d.LevelValueEdit(), QStringLiteral("1a-2.,3; x"));
  EXPECT_EQ(d.LevelValueEdit()->text().toStdString(), "1-2,3;");
  Retype(d.DrawsLenEdit(), QStringLiteral("10:20"));
  EXPECT_EQ(d.DrawsLenEdit()->text().toStdString(), "1020");
}

TEST_F(ScriptDialogsTest, WeightsAreOfferedOnlyForTheWeightLevelModes) {
  TFormFilter d(context, TFilterItem{}, nullptr);
  d.show();
  EXPECT_FALSE(d.OverrideBox()->isEnabled());
  EXPECT_FALSE(d.CoefCountEdit()->isEnabled());
  d.LevelModeBox()->setFocus();
  for (int i = 0; i < 19; ++i) QTest::keyClick(d.LevelModeBox(), Qt::Key_Down);
  EXPECT_EQ(d.LevelModeBox()->currentIndex(), 19);
  EXPECT_TRUE(d.OverrideBox()->isEnabled());
  EXPECT_FALSE(d.CoefCountEdit()->isEnabled());
  EXPECT_FALSE(d.AbsBox()->isEnabled());
  d.OverrideBox()->setChecked(true);
  EXPECT_TRUE(d.CoefCountEdit()->isEnabled());
  EXPECT_TRUE(d.PercentsBox()->isEnabled());
  EXPECT_TRUE(d.AbsBox()->isEnabled());
  // A comma typed into a weight is the decimal point.
  d.CoefCountEdit()->setFocus();
  d.CoefCountEdit()->selectAll();
  QTest::keyClicks(d.CoefCountEdit(), QStringLiteral("0,5"));
  Retype(d.LevelValueEdit(), QStringLiteral("3"));
  EXPECT_EQ(FilterItemToText(d.Item()), "TSD1#SUMS:100#WMV:3#SF:1#0.5:-1:1:0:0");
  QTest::keyClick(d.LevelModeBox(), Qt::Key_Down);
  QTest::keyClick(d.LevelModeBox(), Qt::Key_Down);
  QTest::keyClick(d.LevelModeBox(), Qt::Key_Down);
  EXPECT_FALSE(d.OverrideBox()->isEnabled());
  EXPECT_FALSE(d.CoefCountEdit()->isEnabled());
}

TEST_F(ScriptDialogsTest, OkChecksInOrderKeepTheDialogOpenAndFocusTheControl) {
  TFormFilter d(context, TFilterItem{}, nullptr);
  d.show();
  d.activateWindow();
  Retype(d.DrawsLenEdit(), QStringLiteral("0"));
  d.LevelModeBox()->setCurrentIndex(1);
  ClickOk(d);
  EXPECT_TRUE(d.isVisible());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Введен некорректный диапазон значений!");
  EXPECT_EQ(host.messages[0].caption, "Ошибка");
  EXPECT_EQ(d.focusWidget(), d.DrawsLenEdit());

  Retype(d.DrawsLenEdit(), QStringLiteral("10,20"));
  ClickOk(d);
  EXPECT_EQ(host.messages.back().text, "Введен некорректный диапазон значений!");
  EXPECT_EQ(d.focusWidget(), d.LevelValueEdit());

  QTest::keyClicks(d.LevelValueEdit(), QStringLiteral("1-3;1"));
  d.MultiSelectBox()->setFocus();
  QTest::keyClick(d.MultiSelectBox(), Qt::Key_Space);
  d.StopModeBox()->setCurrentIndex(fsNumbers);
  ClickOk(d);
  EXPECT_EQ(host.messages.back().text,
            "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не "
            "может быть выполнена!\rВыберите другой способ останова.");
  EXPECT_EQ(d.focusWidget(), d.StopModeBox());

  d.StopModeBox()->setCurrentIndex(fsSteps);
  ClickOk(d);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(host.messages.size(), 3u);
  EXPECT_EQ(FilterItemToText(d.Item()), "TMD1#SUMS:10,20#LMV:1-3;1#ST:1");
}

TEST_F(ScriptDialogsTest, EmptyLineOpensWithDefaultsAndTheExcludeCount) {
  std::string line = Line("", [](TFormScript& d) {
    EXPECT_EQ(d.ExcludeEdit()->value(), 3);
    EXPECT_EQ(d.SourceBox()->currentIndex(), 0);
    EXPECT_EQ(d.ModeBox()->currentIndex(), 0);
    EXPECT_EQ(d.ModeBox()->count(), 10);
    Type(d.CommentEdit(), QStringLiteral("Мой|тест"));
  });
  EXPECT_EQ(line, "FULL:3#EXT| | | | | | | |Мойтест");
}

TEST_F(ScriptDialogsTest, LineFieldsAreShownAsStoredAndFiltersKeptAsTyped) {
  const std::string stored = "EXCL:5#RAND#NEX|TSD1#ZZZ9:10#LMV:3#SF:1| |x y| | | | |Старый";
  std::string line = Line(stored, [](TFormScript& d) {
    EXPECT_EQ(d.ExcludeEdit()->value(), 5);
    EXPECT_EQ(d.SourceBox()->currentIndex(), ssExcl);
    EXPECT_TRUE(d.NewOnlyBox()->isChecked());
    EXPECT_EQ(d.FilterEdit(2)->text().toStdString(), "x y");
    Retype(d.CommentEdit(), QStringLiteral("Новый"));
    d.ClearStakesBox()->setFocus();
    QTest::keyClick(d.ClearStakesBox(), Qt::Key_Space);
  });
  // The unknown identifier and the unreadable filter survive the edit of other fields.
  EXPECT_EQ(line, "EXCL:5#RAND#CLR#NEX|TSD1#ZZZ9:10#LMV:3#SF:1| |x y| | | | |Новый");
}

TEST_F(ScriptDialogsTest, FilterButtonNormalisesAHandTypedFilter) {
  std::string line = Line("", [](TFormScript& d) {
    QTest::keyClicks(d.FilterEdit(1), QStringLiteral("bsf3#sums:10#lmv:3#sc:2"));
    TUiTest::WithDialog<TFormFilter>([&] { QTest::mouseClick(d.FilterButton(1), Qt::LeftButton); },
                                     [](TFormFilter& f) {
                                       EXPECT_EQ(f.SortColumnBox()->currentIndex(), 3);
                                       EXPECT_EQ(f.StopModeBox()->currentIndex(), fsCombs);
                                       QTest::keyClick(f.LevelValueEdit(), Qt::Key_Enter);
                                     });
    EXPECT_EQ(d.FilterEdit(1)->text().toStdString(), "TSD3#SUMS:10#LMV:3#SC:2");
    // A double click opens it too; Cancel leaves the field alone.
    TUiTest::WithDialog<TFormFilter>([&] { QTest::mouseDClick(d.FilterEdit(1), Qt::LeftButton); },
                                     [](TFormFilter& f) { f.reject(); });
    EXPECT_EQ(d.FilterEdit(1)->text().toStdString(), "TSD3#SUMS:10#LMV:3#SC:2");
  });
  EXPECT_EQ(line, "FULL:3#EXT| |TSD3#SUMS:10#LMV:3#SC:2| | | | | |");
}

}  // namespace
}  // namespace kvarn
