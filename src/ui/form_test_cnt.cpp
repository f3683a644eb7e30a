#include "ui/form_test_cnt.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_buttons.h"

namespace kvarn {

TFormTestCnt::TFormTestCnt(int maximum, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormTestCnt"));
  setWindowTitle(QStringLiteral("Количество тестов"));
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel(QStringLiteral("Укажите количество тестов:"), this));
  count_ = new QSpinBox(this);
  count_->setObjectName(QStringLiteral("edCount"));
  count_->setToolTip(QStringLiteral(
      "Укажите количество последних тиражей, на которых будет производится тестирование"));
  count_->setRange(1, std::max(1, maximum));
  count_->setValue(std::min(10, std::max(1, maximum)));
  v->addWidget(count_);
  v->addWidget(OkCancelButtons(this));
  resize(300, sizeHint().height());
  count_->setFocus();
  count_->selectAll();
}

}  // namespace kvarn
