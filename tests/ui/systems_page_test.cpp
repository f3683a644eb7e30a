// The "Системы" tab and the properties dialog "Система": adding and importing through the real
// dialog, its normalisation, checks and context menu, the view mode, and the catalogue commands
// that stay disabled.
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/files.h"
#include "stakes/system_store.h"
#include "type_text.h"
#include "ui/form_multi.h"
#include "ui/form_system.h"
#include "ui/systems_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

QString Cell(const QAbstractItemModel* m, int row, int col) {
  return m->data(m->index(row, col), Qt::DisplayRole).toString();
}

QStringList MenuTexts(QMenu* menu, bool enabledOnly) {
  QStringList t;
  for (QAction* a : menu->actions())
    if (!a->isSeparator() && (!enabledOnly || a->isEnabled())) t << a->text();
  return t;
}

class SystemsTab : public TUiTest {
 protected:
  // As WithDialog, for a command that shows its progress (and so runs the event loop) before
  // its dialog opens: waits for the dialog to come up.
  template <class D>
  static void WhenDialogOpens(const std::function<void()>& open,
                              const std::function<void(D&)>& action) {
    bool seen = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
      if (!d) return;
      timer.stop();
      seen = true;
      action(*d);
    });
    timer.start();
    open();
    timer.stop();
    EXPECT_TRUE(seen);
  }
  TFormMain& OpenTab() {
    TFormMain& w = Open();
    w.RightTabs().setCurrentIndex(rtSystems);
    return w;
  }
  static void Fill(TFormSystem& d) {
    TypeText(d.TitleField(), QStringLiteral("Семь чисел"));
    TypeText(d.AuthorField(), QStringLiteral("Я"));
    TypeText(d.DescriptionField(), QStringLiteral("Проба"));
  }
  static void ClickOk(QDialog& d) {
    QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
  }
  // OK that must close the dialog; a dialog left open would block the test.
  static void ClickOkToClose(QDialog& d) {
    ClickOk(d);
    if (d.isVisible()) {
      ADD_FAILURE() << "the dialog stayed open";
      d.reject();
    }
  }
  // The dialog active, so that focus moves between its fields as with a person at the keys.
  static void Activate(QDialog& d) {
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
  }
};

TEST_F(SystemsTab, AddingNormalisesTheListAndStoresTheSystem) {
  TFormMain& w = OpenTab();
  WithDialog<TFormSystem>(
      [&] { w.Commands().Execute("SystemsAdd"); },
      [&](TFormSystem& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Система"));
        EXPECT_EQ(d.LengthField()->text(), QStringLiteral("5"));
        Activate(d);
        Fill(d);
        d.CombsField()->setFocus();
        TypeText(d.CombsField(), QStringLiteral("1,2,3,4,5\nмусор\n3-4-5-6-7\n\n2 2 3 4 5"));
        d.NumbersField()->setFocus();  // leaving the list normalises it
        EXPECT_EQ(d.CombsField()->toPlainText(), QStringLiteral("01 02 03 04 05\n03 04 05 06 07"));
        EXPECT_EQ(d.NumbersField()->text(), QStringLiteral("7"));
        EXPECT_EQ(d.CombsCountField()->text(), QStringLiteral("2"));
        // Only digits go into the counts.
        d.BlockField()->clear();
        TypeText(d.BlockField(), QStringLiteral("x3-"));
        EXPECT_EQ(d.BlockField()->text(), QStringLiteral("3"));
        ClickOkToClose(d);
      });
  EXPECT_TRUE(shown.empty()) << Texts().front();
  const auto* m = w.Page<TSystemsPage>().Model();
  ASSERT_EQ(m->rowCount(), 1);
  EXPECT_EQ(Cell(m, 0, 0), QStringLiteral("Семь чисел"));
  EXPECT_EQ(Cell(m, 0, 1), QStringLiteral("7"));
  EXPECT_EQ(Cell(m, 0, 2), QStringLiteral("3"));
  EXPECT_EQ(Cell(m, 0, 3), QStringLiteral("2"));
  EXPECT_EQ(Cell(m, 0, 4).size(), 19);  // yyyy-mm-dd hh:mm:ss
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, "Systems/5-07-3_0001.dat")),
            "01 02 03 04 05\r\n03 04 05 06 07\r\n");
}

TEST_F(SystemsTab, OkChecksEachFieldInTurnAndFocusesIt) {
  TFormMain& w = OpenTab();
  WithDialog<TFormSystem>(
      [&] { w.Commands().Execute("SystemsAdd"); },
      [&](TFormSystem& d) {
        Activate(d);
        ClickOk(d);
        EXPECT_EQ(Texts().back(), "Название системы должно быть указано обязательно!");
        TypeText(d.TitleField(), QStringLiteral("Т"));
        ClickOk(d);
        EXPECT_EQ(Texts().back(), "Указано недопустмое количество используемых чисел!");
        EXPECT_EQ(QApplication::focusWidget(), d.NumbersField());
        d.NumbersField()->setText(QStringLiteral("6"));
        d.BlockField()->setText(QStringLiteral("5"));
        ClickOk(d);
        EXPECT_EQ(Texts().back(), "Указан недопустмый размер блока!");
        d.BlockField()->setText(QStringLiteral("0"));
        ClickOk(d);
        EXPECT_EQ(Texts().back(), "Имя автора должно быть указано обязательно!");
        TypeText(d.AuthorField(), QStringLiteral("А"));
        ClickOk(d);
        EXPECT_EQ(Texts().back(), "Описание системы должно быть указано обязательно!");
        TypeText(d.DescriptionField(), QStringLiteral("О"));
        d.NumbersField()->setText(QStringLiteral("6"));
        ClickOk(d);
        EXPECT_EQ(Texts().back(), "Содержимое системы должно быть указано обязательно!");
        EXPECT_EQ(QApplication::focusWidget(), d.CombsField());
        EXPECT_TRUE(d.isVisible());
        d.reject();
      });
  EXPECT_TRUE(w.Workspace().Systems().empty());
}

TEST_F(SystemsTab, ImportReadsTheFileAndAMalformedOneOpensNothing) {
  TFormMain& w = OpenTab();
  WriteFileAtomic(Path("bad.txt"), "1 2 3 4 5\r\n1 2 3 4\r\n");
  w.Page<TSystemsPage>().ImportFile(QString::fromStdString(Path("bad.txt")));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            "Ошибка загрузки комбинаций системы!\r\rНекорректная комбинация: \"1 2 3 4\"!");

  WriteFileAtomic(Path("good.txt"), "1;2;3;4;5\r\n2~3~4~5~8\r\n");
  WithDialog<TFormSystem>(
      [&] { w.Page<TSystemsPage>().ImportFile(QString::fromStdString(Path("good.txt"))); },
      [&](TFormSystem& d) {
        EXPECT_EQ(d.CombsField()->toPlainText(), QStringLiteral("01 02 03 04 05\n02 03 04 05 08"));
        EXPECT_EQ(d.NumbersField()->text(), QStringLiteral("8"));
        EXPECT_EQ(d.CombsCountField()->text(), QStringLiteral("2"));
        Fill(d);
        ClickOkToClose(d);
      });
  ASSERT_EQ(w.Workspace().Systems().size(), 1u);
  EXPECT_EQ(w.Workspace().Systems()[0].Info.NumsCount, 8);
}

TEST_F(SystemsTab, PropertiesChangeOwnSystemsAndViewOthers) {
  TFormMain& w = OpenTab();
  tSystemData data;
  data.Info.Id = 4;
  data.Info.NumsCount = 7;
  data.Info.Title = "Чужая";
  data.Info.Author = "Кто-то";
  data.Info.Owner = "другой";
  data.Info.Description = "Из каталога";
  data.Info.URL = "https://example.org/system/4";
  data.Combs = "1 2 3 4 5\r\n3 4 5 6 7";
  data.Info.CombsCount = 2;
  ASSERT_TRUE(w.Workspace().SystemsAdd(data));
  TSystemsPage& page = w.Page<TSystemsPage>();
  page.List()->setCurrentIndex(page.Model()->index(0, 0));
  WithDialog<TFormSystem>(
      [&] { w.Commands().Execute("SystemsProp"); },
      [&](TFormSystem& d) {
        EXPECT_TRUE(d.TitleField()->isReadOnly());
        EXPECT_TRUE(d.CombsField()->isReadOnly());
        auto* box = d.findChild<QDialogButtonBox*>();
        EXPECT_EQ(box->button(QDialogButtonBox::Ok), nullptr);
        QApplication::clipboard()->setText(QStringLiteral("1 2 3 4 6"));
        QMenu* menu = d.MakeCombsMenu();
        EXPECT_EQ(MenuTexts(menu, true),
                  (QStringList{QStringLiteral("Копировать в буфер обмена"),
                               QStringLiteral("Выделить все"), QStringLiteral("Сохранить в файле"),
                               QStringLiteral("Открыть ссылку в браузере")}));
        d.SaveCombs(QString::fromStdString(Path("saved.txt")));
        d.reject();
      });
  EXPECT_EQ(ReadWholeFile(Path("saved.txt")), "01 02 03 04 05\r\n03 04 05 06 07\r\n");

  // Made here (no owner): changed in place; a new count renames the file.
  data.Info.Owner.clear();
  ASSERT_TRUE(w.Workspace().SystemsAdd(data));
  page.List()->setCurrentIndex(page.Model()->index(0, 0));
  WithDialog<TFormSystem>([&] { w.Commands().Execute("SystemsProp"); },
                          [&](TFormSystem& d) {
                            EXPECT_FALSE(d.TitleField()->isReadOnly());
                            QMenu* menu = d.MakeCombsMenu();
                            EXPECT_EQ(MenuTexts(menu, true).size(), 6);
                            d.TitleField()->setText(QStringLiteral("Своя"));
                            d.NumbersField()->setText(QStringLiteral("9"));
                            ClickOkToClose(d);
                          });
  EXPECT_TRUE(FileExists(PathJoin(dir_, "Systems/5-09-0_0004.dat")));
  EXPECT_FALSE(FileExists(PathJoin(dir_, "Systems/5-07-0_0004.dat")));
  EXPECT_EQ(Cell(page.Model(), 0, 0), QStringLiteral("Своя"));
}

TEST_F(SystemsTab, CatalogueCommandsStayDisabledAndSystemPlayCanBeSwitchedOff) {
  TFormMain& w = OpenTab();
  w.Commands().UpdateAll();
  for (const char* name : {"SystemsDownload", "SystemsPublish", "SystemsDel"}) {
    QAction* a = w.Commands().Action(name);
    EXPECT_FALSE(a->isEnabled()) << name;
    EXPECT_EQ(a->toolTip(), QString::fromUtf8(SystemsCatalogueMissing)) << name;
  }
  EXPECT_TRUE(w.Commands().Action("SystemsAdd")->isEnabled());
  EXPECT_TRUE(w.Commands().Action("SystemStakeAll")->isVisible());

  ASSERT_TRUE(w.Commands().Execute("SystemsOn"));
  EXPECT_FALSE(w.RightTabs().isTabVisible(rtSystems));
  EXPECT_FALSE(w.Commands().Action("SystemStakeAll")->isVisible());
  EXPECT_FALSE(w.Commands().Action("SystemStakeFilter")->isVisible());
  w.Commands().UpdateAll();
  EXPECT_FALSE(w.Commands().Action("SystemsAdd")->isEnabled());
  ASSERT_TRUE(w.Commands().Execute("SystemsOn"));
  EXPECT_TRUE(w.Commands().Action("SystemStakeAll")->isVisible());
}

TEST_F(SystemsTab, SystemPlayStakesTheStoredSystemAfterTheMultiStakeDialog) {
  TFormMain& w = OpenTab();
  TWorkspace& ws = w.Workspace();
  tSystemData data = ws.SystemsNew();
  data.Info.NumsCount = 7;
  data.Info.CombsCount = 2;
  data.Info.Title = data.Info.Author = data.Info.Description = "x";
  data.Combs = "01 02 03 04 05\r\n03 04 05 06 07";
  ASSERT_TRUE(ws.SystemsAdd(data));
  ws.CombsGenerate(gmOnlyMine, "1;2;3;4;5;6;7", false);
  w.Commands().UpdateAll();
  ASSERT_TRUE(w.Commands().Action("SystemStakeAll")->isEnabled());

  WhenDialogOpens<TFormMulti>(
      [&] { w.Commands().Execute("SystemStakeAll"); },
      [&](TFormMulti& d) {
        EXPECT_EQ(d.CommentField()->text(),
                  QStringLiteral("Системная игра для 7 чисел [вся система]: 5-07-0_0001"));
        d.DrawsField()->setValue(2);
        ClickOkToClose(d);
      });
  EXPECT_EQ(ws.StakesCount(), 7);  // two stakes for two draws, a separator before each repeat
  const TStake s = ws.StakesReadRecord(0, TStakeOrigin::Start);
  EXPECT_EQ(s.Kind, skSystem);
  EXPECT_EQ(s.SampleSize, 2);

  // Cancel stakes nothing; with eight numbers in the list there is no system to play.
  WhenDialogOpens<TFormMulti>([&] { w.Commands().Execute("SystemStakeFilter"); },
                              [&](TFormMulti& d) { d.reject(); });
  EXPECT_EQ(ws.StakesCount(), 7);
  ws.CombsGenerate(gmOnlyMine, "1;2;3;4;5;6;7;8", false);
  ASSERT_TRUE(w.Commands().Execute("SystemStakeFilter"));
  EXPECT_EQ(Texts().back().rfind("Система для 8 чисел не найдена", 0), 0u);

  // Switching system play off hides the two commands.
  ASSERT_TRUE(w.Commands().Execute("SystemsOn"));
  EXPECT_FALSE(w.Commands().Action("SystemStakeAll")->isVisible());
}

}  // namespace
}  // namespace kvarn::test
