#include "ui/form_stake_filter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "stakes/stakes_file.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormStakeFilter::TFormStakeFilter(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormStakeFilter"));
  setWindowTitle(QStringLiteral("Удаление по условию"));
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel(QStringLiteral("Выберите условие:"), this));
  auto* row = new QHBoxLayout();
  condition_ = new QComboBox(this);
  condition_->setObjectName(QStringLiteral("cbCondition"));
  condition_->setToolTip(QStringLiteral("Режим сравнения с количеством совпадений"));
  for (int i = 0; i < StakeConditionsCount; ++i) condition_->addItem(Q(StakeConditionName(i)));
  condition_->setCurrentIndex(0);
  row->addWidget(condition_, 1);
  value_ = new QSpinBox(this);
  value_->setObjectName(QStringLiteral("edValue"));
  value_->setToolTip(QStringLiteral("Количество совпадений"));
  value_->setRange(0, CombSize);
  value_->setValue(0);
  row->addWidget(value_);
  v->addLayout(row);
  v->addWidget(OkCancelButtons(this));
  resize(320, sizeHint().height());
}

}  // namespace kvarn
