#include "ui/form_filter.h"

#include <QEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "scenario/filter_check.h"
#include "scenario/script_codes.h"
#include "stats/table.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"
#include "ui/real_spin_box.h"

namespace kvarn {

namespace {

// Typed keys of the value fields: text the key would insert must consist of allowed characters.
// Texts set by the program are not filtered, so a stored list with blanks can still be edited.
class TValueKeyFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const QString text = static_cast<QKeyEvent*>(event)->text();
      for (char32_t c : text.toUcs4())
        if (!FilterValueKeyAllowed(c)) return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

QComboBox* Box(QWidget* parent, const char* name) {
  auto* b = new QComboBox(parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

TRealSpinBox* Coefficient(QWidget* parent, const char* name) {
  auto* e = new TRealSpinBox(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setDecimals(3);
  e->setRange(-1000000, 1000000);
  return e;
}

const QString ValueListHint =
    QStringLiteral("1 - одно значение\n1, 2, 3 - список значений\n1-10;2 - значения 1, 3, 5, 7, 9");

}  // namespace

TFormFilter::TFormFilter(const TFilterEditorContext& context, const TFilterItem& item,
                         QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName(QStringLiteral("FormFilter"));
  setWindowTitle(QStringLiteral("Фильтр"));
  auto* v = new QVBoxLayout(this);
  auto* form = new QFormLayout();
  v->addLayout(form);
  auto* keys = new TValueKeyFilter(this);

  method_ = Box(this, "cbFilterMethod");
  for (const TMethodBoxLine& line : context_.Methods) method_->addItem(Q(line.Text), line.Entry);
  method_->setMaxVisibleItems(30);
  form->addRow(QStringLiteral("Тип фильтра:"), method_);

  drawsLen_ = new QLineEdit(this);
  drawsLen_->setObjectName(QStringLiteral("edFilterDrawsLen"));
  drawsLen_->setToolTip(ValueListHint);
  drawsLen_->installEventFilter(keys);
  form->addRow(QStringLiteral("Количество тиражей:"), drawsLen_);

  sortColumn_ = Box(this, "cbFilterSortColumn");
  for (const char* caption : StatColumnCaptions) sortColumn_->addItem(QString::fromUtf8(caption));
  form->addRow(QStringLiteral("Сортировать по столбцу:"), sortColumn_);

  direction_ = Box(this, "cbFilterDirection");
  direction_->addItems({QStringLiteral("Сверху-вниз"), QStringLiteral("Снизу-вверх")});
  form->addRow(QStringLiteral("Направление:"), direction_);

  filterMode_ = Box(this, "cbFilterMode");
  filterMode_->addItems(
      {QStringLiteral("Удалить выделенные"), QStringLiteral("Оставить выделенные")});
  form->addRow(QStringLiteral("Режим фильтра:"), filterMode_);

  multiSelect_ = new QCheckBox(
      QStringLiteral("Использовать режим одновременного выделения нескольких значений в списке"),
      this);
  multiSelect_->setObjectName(QStringLiteral("cbFilterMultiSelect"));
  form->addRow(multiSelect_);

  levelMode_ = Box(this, "cbFilterLevelMode");
  for (const TScriptCode& c : FilterLevelModes) levelMode_->addItem(QString::fromUtf8(c.Text));
  levelMode_->setMaxVisibleItems(32);
  form->addRow(QStringLiteral("Режим выделения значений в списке статистики:"), levelMode_);

  levelValue_ = new QLineEdit(this);
  levelValue_->setObjectName(QStringLiteral("edFilterLevelValue"));
  levelValue_->setToolTip(ValueListHint);
  levelValue_->installEventFilter(keys);
  form->addRow(QStringLiteral("Значения:"), levelValue_);

  override_ = new QGroupBox(QStringLiteral("Коэффициенты для расчета значений \"Вес\""), this);
  override_->setObjectName(QStringLiteral("gbFilterWeights"));
  // The group's own check box is the override: unchecked or disabled, it disables its fields.
  override_->setCheckable(true);
  auto* gf = new QFormLayout(override_);
  coefCount_ = Coefficient(override_, "edFilterCoefCount");
  coefDeviation_ = Coefficient(override_, "edFilterCoefDeviation");
  coefLevel_ = Coefficient(override_, "edFilterCoefLevel");
  gf->addRow(QStringLiteral("Количество:"), coefCount_);
  gf->addRow(QStringLiteral("Отклонение:"), coefDeviation_);
  gf->addRow(QStringLiteral("Глубина:"), coefLevel_);
  percents_ = new QCheckBox(QStringLiteral("Использовать значения в %"), override_);
  percents_->setObjectName(QStringLiteral("cbFilterCoefPercents"));
  abs_ = new QCheckBox(QStringLiteral("Использовать абсолютные значения"), override_);
  abs_->setObjectName(QStringLiteral("cbFilterCoefAbs"));
  gf->addRow(percents_);
  gf->addRow(abs_);
  form->addRow(override_);

  stopMode_ = Box(this, "cbFilterStopMode");
  for (const TScriptCode& c : FilterStopModes) stopMode_->addItem(QString::fromUtf8(c.Text));
  form->addRow(QStringLiteral("Остановка по:"), stopMode_);
  stopValue_ = new QSpinBox(this);
  stopValue_->setObjectName(QStringLiteral("edFilterStopValue"));
  stopValue_->setRange(1, 2147483647);
  form->addRow(QStringLiteral("Значение:"), stopValue_);

  v->addWidget(OkCancelButtons(this));
  connect(levelMode_, &QComboBox::currentIndexChanged, this, &TFormFilter::UpdateEnabled);

  Load(item);
  UpdateEnabled();
  resize(560, sizeHint().height());
}

void TFormFilter::Load(const TFilterItem& item) {
  const TStatList* reg = context_.Registry;
  int line = item.Active ? 0 : std::max(context_.MethodLine, 0);
  if (item.Active && item.Method && reg)
    for (int i = 0; i < method_->count(); ++i)
      if (&reg->Items(method_->itemData(i).toInt()) == item.Method) line = i;
  method_->setCurrentIndex(method_->count() > 0 ? std::min(line, method_->count() - 1) : -1);

  drawsLen_->setText(Q(item.Active && !item.DrawsLen.empty() ? item.DrawsLen : context_.DrawsLen));
  const bool columnKnown = item.SortColumn >= 0 && item.SortColumn < StatColumnCount;
  sortColumn_->setCurrentIndex(item.Active && columnKnown ? item.SortColumn : 1);
  direction_->setCurrentIndex(item.BottomUp ? 1 : 0);
  filterMode_->setCurrentIndex(item.KeepSelected ? 1 : 0);
  multiSelect_->setChecked(item.MultiSelect);
  levelMode_->setCurrentIndex(item.LevelMode < FilterLevelModes.size() ? item.LevelMode : 0);
  levelValue_->setText(Q(item.LevelValue));

  const TStatWeights w = item.CDLOverride ? item.Weights() : context_.Weights;
  override_->setChecked(item.CDLOverride);
  coefCount_->setValue(static_cast<double>(w.Count));
  coefDeviation_->setValue(static_cast<double>(w.Deviation));
  coefLevel_->setValue(static_cast<double>(w.Level));
  percents_->setChecked(w.Percents);
  abs_->setChecked(w.Abs);

  stopMode_->setCurrentIndex(item.StopMode < FilterStopModes.size() ? item.StopMode : 0);
  stopValue_->setValue(item.Active ? std::max(item.StopValue, 1) : 1);
}

void TFormFilter::UpdateEnabled() {
  override_->setEnabled(FilterLevelUsesWeights(levelMode_->currentIndex()));
}

TFilterItem TFormFilter::Item() const {
  TFilterItem f;
  f.Active = true;
  const int entry = method_->currentIndex() >= 0 ? method_->currentData().toInt() : -1;
  if (entry >= 0 && context_.Registry) f.Method = &context_.Registry->Items(entry);
  f.DrawsLen = S(drawsLen_->text());
  f.IdentText = f.Method ? f.Method->IdentOf() + ":" + f.DrawsLen : std::string();
  f.SortColumn = sortColumn_->currentIndex();
  f.BottomUp = direction_->currentIndex() == 1;
  f.KeepSelected = filterMode_->currentIndex() == 1;
  f.MultiSelect = multiSelect_->isChecked();
  f.LevelMode = static_cast<uint8_t>(std::max(levelMode_->currentIndex(), 0));
  f.LevelValue = S(levelValue_->text());
  f.CDLOverride = override_->isChecked();
  f.SetWeights({coefCount_->value(), coefDeviation_->value(), coefLevel_->value(),
                percents_->isChecked(), abs_->isChecked()});
  f.StopMode = static_cast<uint8_t>(std::max(stopMode_->currentIndex(), 0));
  f.StopValue = stopValue_->value();
  return f;
}

void TFormFilter::accept() {
  TFilterCheck check = FilterItemCheck(Item());
  if (!check) return QDialog::accept();
  if (context_.Host) ShowError(*context_.Host, check.Message);
  QWidget* focus = check.Control == TFilterControl::DrawsLen    ? drawsLen_
                   : check.Control == TFilterControl::LevelMode ? levelMode_
                   : check.Control == TFilterControl::LevelValue
                       ? static_cast<QWidget*>(levelValue_)
                       : stopMode_;
  focus->setFocus();
}

}  // namespace kvarn
