#include "ui/form_favourites.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/host.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

namespace {

// The node's place in the model, kept on the item.
constexpr int PosRole = Qt::UserRole + 1;
constexpr const char* NamesFilter = "Наименования фильтров (*.flt)";

QIcon CheckIcon(bool ticked) {
  const int size = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
  // Drawn at the screen's pixel density, so that a scaled interface keeps sharp boxes.
  const qreal dpr = qApp->devicePixelRatio();
  QPixmap pm(QSize(size, size) * dpr);
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  QStyleOptionButton o;
  o.rect = QRect(0, 0, size, size);
  o.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
  QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &o, &p);
  return QIcon(pm);
}

}  // namespace

QIcon TFormFavourites::NodeIcon(int icon) {
  if (icon == fiHeading) return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
  return CheckIcon(icon == fiTicked);
}

TFormFavourites::TFormFavourites(IHost& host, TStatList& list, QString startDir,
                                 std::function<void(int)> showInfo, QWidget* parent)
    : QDialog(parent),
      host_(host),
      model_(list),
      startDir_(std::move(startDir)),
      showInfo_(std::move(showInfo)) {
  setObjectName(QStringLiteral("FormFavourites"));
  setWindowTitle(QStringLiteral("Менеджер избранных методов расчета статистики"));
  resize(640, 600);
  auto* v = new QVBoxLayout(this);

  auto* label = new QLabel(
      QStringLiteral("Отметьте методы расчета статистики, которые Вы хотите использовать:"), this);
  v->addWidget(label);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("tvFilters"));
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  label->setBuddy(tree_);
  v->addWidget(tree_, 1);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("lblCount"));
  v->addWidget(count_);

  // The commands: buttons in two rows under the tree, and a context menu on it.
  auto* grid = new QGridLayout();
  AddCommand("CheckNone", "Сбросить все", "Снять отметки со всех фильтров",
             &TFormFavourites::CheckNone);
  AddCommand("CheckAll", "Выбрать все", "Поставить отметки у всех фильтров",
             &TFormFavourites::CheckAll);
  AddCommand("GroupNone", "Сбросить группу", "Снять отметки со всех фильтров группы",
             &TFormFavourites::GroupNone);
  AddCommand("GroupAll", "Выбрать группу", "Поставить отметки у всех фильтров группы",
             &TFormFavourites::GroupAll);
  AddCommand("Rename", "Переименовать", "Переименовать фильтр", &TFormFavourites::Rename);
  AddCommand("ResetName", "Вернуть", "Вернуть наименование \"по умолчанию\"",
             &TFormFavourites::ResetName);
  AddCommand("Info", "Описание", "Справочная информация о выделенном методе расчета статистики",
             &TFormFavourites::Info);
  AddCommand("NamesImport", "Импорт названий", "Импорт названий фильтров из файла",
             &TFormFavourites::NamesImport);
  AddCommand("NamesExport", "Экспорт названий", "Экспорт названий фильтров в файл",
             &TFormFavourites::NamesExport);
  const char* const order[] = {"CheckNone", "CheckAll", "GroupNone",   "GroupAll",   "Rename",
                               "ResetName", "Info",     "NamesImport", "NamesExport"};
  int k = 0;
  for (const char* name : order) {
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("btn") + QLatin1String(name));
    b->setDefaultAction(commands_.at(name));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setFocusPolicy(Qt::StrongFocus);
    grid->addWidget(b, k / 5, k % 5);
    ++k;
  }
  v->addLayout(grid);
  tree_->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (const char* name : order) tree_->addAction(commands_.at(name));

  auto* box = new QGroupBox(
      QStringLiteral(" Параметры вывода наименований в списках методов расчета статистики "), this);
  auto* bv = new QVBoxLayout(box);
  sortOnName_ = new QCheckBox(QStringLiteral("Сортировать списки по названию метода"), box);
  sortOnName_->setObjectName(QStringLiteral("cbSortOnName"));
  showGroupName_ = new QCheckBox(
      QStringLiteral("Отображать идентификатор группы { xxx } перед названием метода"), box);
  showGroupName_->setObjectName(QStringLiteral("cbShowGroupName"));
  showFlags_ = new QCheckBox(
      QStringLiteral("Отображать особенности метода [ YYY ] после названия метода"), box);
  showFlags_->setObjectName(QStringLiteral("cbShowFlags"));
  for (QCheckBox* c : {sortOnName_, showGroupName_, showFlags_}) bv->addWidget(c);
  v->addWidget(box);

  auto* buttons = OkCancelButtons(this);
  v->addWidget(buttons);

  tree_->installEventFilter(this);
  connect(tree_, &QTreeWidget::itemClicked, this, &TFormFavourites::Clicked);
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, &TFormFavourites::Clicked);
  connect(tree_, &QTreeWidget::currentItemChanged, this, &TFormFavourites::UpdateCommands);

  // The tree, then the commands in reading order, the options and the dialog's buttons.
  QWidget* prev = tree_;
  for (QWidget* w : findChildren<QToolButton*>()) {
    setTabOrder(prev, w);
    prev = w;
  }
  for (QWidget* w : {static_cast<QWidget*>(sortOnName_), static_cast<QWidget*>(showGroupName_),
                     static_cast<QWidget*>(showFlags_), static_cast<QWidget*>(buttons)}) {
    setTabOrder(prev, w);
    prev = w;
  }

  Fill();
  sortOnName_->setChecked(model_.Ordered);
  showGroupName_->setChecked(model_.ShowGroupName);
  showFlags_->setChecked(model_.ShowMethodFlags);
  tree_->setFocus();
}

QAction* TFormFavourites::AddCommand(const char* name, const char* caption, const char* hint,
                                     void (TFormFavourites::*run)()) {
  auto* a = new QAction(QString::fromUtf8(caption), this);
  a->setObjectName(QLatin1String(name));
  a->setToolTip(QString::fromUtf8(hint));
  a->setStatusTip(QString::fromUtf8(hint));
  connect(a, &QAction::triggered, this, [this, run] {
    try {
      (this->*run)();
    } catch (const std::exception& e) {
      ShowError(host_, e.what());
    }
    UpdateCommands();
  });
  commands_[name] = a;
  return a;
}

void TFormFavourites::Fill() {
  // Filling a long tree takes a moment on slow machines.
  TProgressText status(host_, "Подождите пожалуйста...");
  QApplication::setOverrideCursor(Qt::WaitCursor);
  tree_->clear();
  const auto& groups = model_.Groups();
  for (size_t g = 0; g < groups.size(); ++g) {
    auto* heading = new QTreeWidgetItem(tree_, QStringList(Q(groups[g].Text)));
    heading->setData(0, PosRole, QPoint(static_cast<int>(g), -1));
    heading->setIcon(0, NodeIcon(fiHeading));
    for (size_t e = 0; e < groups[g].Entries.size(); ++e) {
      auto* item = new QTreeWidgetItem(heading, QStringList(Q(groups[g].Entries[e].Text)));
      item->setData(0, PosRole, QPoint(static_cast<int>(g), static_cast<int>(e)));
    }
    heading->setExpanded(true);
  }
  count_->setText(Q(model_.CountText()));
  Repaint();
  if (tree_->topLevelItemCount() > 0) tree_->setCurrentItem(tree_->topLevelItem(0));
  QApplication::restoreOverrideCursor();
  UpdateCommands();
}

void TFormFavourites::Repaint() {
  const auto& groups = model_.Groups();
  for (int g = 0; g < tree_->topLevelItemCount(); ++g) {
    QTreeWidgetItem* heading = tree_->topLevelItem(g);
    for (int e = 0; e < heading->childCount(); ++e) {
      QTreeWidgetItem* item = heading->child(e);
      const TFavouritesEntry& entry =
          groups[static_cast<size_t>(g)].Entries[static_cast<size_t>(e)];
      item->setText(0, Q(entry.Text));
      item->setIcon(0, NodeIcon(model_.Icon({g, e})));
    }
  }
}

TFavouritesPos TFormFavourites::Selected() const {
  QTreeWidgetItem* item = tree_->currentItem();
  if (!item) return {};
  const QPoint p = item->data(0, PosRole).toPoint();
  return {p.x(), p.y()};
}

void TFormFavourites::UpdateCommands() {
  const bool idle = host_.BusyCount() == 0;
  const TFavouritesPos pos = Selected();
  commands_["CheckNone"]->setEnabled(idle && !model_.Empty());
  commands_["CheckAll"]->setEnabled(idle && !model_.Empty());
  commands_["GroupNone"]->setEnabled(idle && pos.Valid());
  commands_["GroupAll"]->setEnabled(idle && pos.Valid());
  for (const char* name : {"Rename", "ResetName", "Info"})
    commands_[name]->setEnabled(idle && pos.IsEntry());
  commands_["NamesImport"]->setEnabled(idle);
  commands_["NamesExport"]->setEnabled(idle);
}

void TFormFavourites::CheckNone() {
  model_.CheckNone();
  Repaint();
}

void TFormFavourites::CheckAll() {
  model_.CheckAll();
  Repaint();
}

void TFormFavourites::GroupNone() {
  model_.GroupNone(Selected());
  Repaint();
}

void TFormFavourites::GroupAll() {
  model_.GroupAll(Selected());
  Repaint();
}

void TFormFavourites::Rename() {
  const TFavouritesPos pos = Selected();
  if (!pos.IsEntry()) return;
  QInputDialog dlg(this);
  dlg.setObjectName(QStringLiteral("RenameDialog"));
  dlg.setWindowTitle(QStringLiteral("Переименование"));
  dlg.setLabelText(QStringLiteral("Введите наименование фильтра:"));
  dlg.setTextValue(Q(model_.EntryAt(pos).Text));
  dlg.setOkButtonText(QStringLiteral("OK"));
  dlg.setCancelButtonText(QStringLiteral("Отмена"));
  if (dlg.exec() != QDialog::Accepted) return;
  model_.Rename(pos, S(dlg.textValue()));
  Repaint();
}

void TFormFavourites::ResetName() {
  model_.ResetName(Selected());
  Repaint();
}

void TFormFavourites::Info() {
  const int entry = model_.RegistryEntry(Selected());
  if (entry >= 0 && showInfo_) showInfo_(entry);
}

void TFormFavourites::NamesImport() {
  QFileDialog dlg(this, QStringLiteral("Импорт названий"), startDir_,
                  QString::fromUtf8(NamesFilter));
  dlg.setObjectName(QStringLiteral("NamesImportDialog"));
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(QFileDialog::ExistingFile);
  dlg.setDefaultSuffix(QStringLiteral("flt"));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  std::string message;
  if (!model_.ImportNames(S(dlg.selectedFiles().first()), message)) ShowError(host_, message);
  Repaint();
}

void TFormFavourites::NamesExport() {
  QFileDialog dlg(this, QStringLiteral("Экспорт названий"), startDir_,
                  QString::fromUtf8(NamesFilter));
  dlg.setObjectName(QStringLiteral("NamesExportDialog"));
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDefaultSuffix(QStringLiteral("flt"));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  std::string message;
  if (!model_.ExportNames(S(dlg.selectedFiles().first()), message)) ShowError(host_, message);
}

void TFormFavourites::Clicked(QTreeWidgetItem* item) {
  if (!item) return;
  const QPoint p = item->data(0, PosRole).toPoint();
  model_.Toggle({p.x(), p.y()});
  Repaint();
}

bool TFormFavourites::eventFilter(QObject* o, QEvent* e) {
  // Space ticks the current method like a click, for the keyboard.
  if (o == tree_ && e->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(e)->key() == Qt::Key_Space) {
    Clicked(tree_->currentItem());
    return true;
  }
  return QDialog::eventFilter(o, e);
}

bool TFormFavourites::EditFavourites() {
  if (exec() != QDialog::Accepted) return false;
  model_.Ordered = sortOnName_->isChecked();
  model_.ShowGroupName = showGroupName_->isChecked();
  model_.ShowMethodFlags = showFlags_->isChecked();
  model_.Apply();
  return true;
}

}  // namespace kvarn
