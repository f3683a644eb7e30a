#include "ui/form_about.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtGlobal>

#include "ui/dialog_buttons.h"
#include "ui/program_icon.h"
#include "ui/qt_host.h"

namespace kvarn {

std::vector<TLibraryInfo> ProgramLibraries() {
  std::vector<TLibraryInfo> libs = {
      {"Qt", qVersion(), "GNU LGPL v3"},
      {"Qt Charts", qVersion(), "GNU GPL v3"},
  };
  for (TLibraryInfo& l : EngineLibraries()) libs.push_back(std::move(l));
  return libs;
}

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(QStringLiteral("О программе"));
  auto* v = new QVBoxLayout(this);
  auto* top = new QHBoxLayout();
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(64, 64));
  top->addWidget(icon, 0, Qt::AlignTop);
  auto* name = new QLabel(this);
  name->setObjectName(QStringLiteral("lblProgram"));
  name->setTextFormat(Qt::RichText);
  name->setText(QStringLiteral("<h2>%1</h2><p>Версия %2</p><p>Анализатор статистики лотереи "
                               "«5 из 36»: архив тиражей, методы расчета статистики и фильтры, "
                               "ставки, рейтинг и сценарии.</p>")
                    .arg(Q(ProgramTitle()).toHtmlEscaped(), Q(ProgramVersion()).toHtmlEscaped()));
  name->setWordWrap(true);
  top->addWidget(name, 1);
  v->addLayout(top);

  v->addWidget(new QLabel(QStringLiteral("Используемые библиотеки:"), this));
  auto* libs = new QTreeWidget(this);
  libs->setObjectName(QStringLiteral("lvLibraries"));
  libs->setRootIsDecorated(false);
  libs->setHeaderLabels(
      {QStringLiteral("Библиотека"), QStringLiteral("Версия"), QStringLiteral("Лицензия")});
  for (const TLibraryInfo& l : ProgramLibraries())
    new QTreeWidgetItem(libs, {Q(l.Name), Q(l.Version), Q(l.Licence)});
  for (int c = 0; c < 3; ++c) libs->resizeColumnToContents(c);
  libs->setMinimumHeight(libs->sizeHintForRow(0) * 8 + libs->header()->height());
  v->addWidget(libs, 1);

  v->addWidget(CloseButton(this));
  resize(520, 420);
}

}  // namespace kvarn
