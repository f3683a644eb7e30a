#include "ui/form_shredding.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormShredding::TFormShredding(const TShreddingConfig& current, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormShredding"));
  setWindowTitle(QStringLiteral("Методы шинковки"));
  auto* v = new QVBoxLayout(this);
  auto* grid = new QGridLayout();
  for (int k = 0; k < 3; ++k) {
    const size_t i = static_cast<size_t>(k);
    auto* label = new QLabel(QStringLiteral("Формула %1:").arg(k + 1), this);
    auto* edit = new QLineEdit(Q(current.Formulas[i]), this);
    edit->setObjectName(QStringLiteral("edFormula%1").arg(k + 1));
    edit->setToolTip(QStringLiteral("Используемая формула"));
    edit->setMinimumWidth(320);
    label->setBuddy(edit);
    auto* digits = new QSpinBox(this);
    digits->setObjectName(QStringLiteral("edDigits%1").arg(k + 1));
    digits->setToolTip(QStringLiteral("Количество используемых знаков после запятой"));
    digits->setRange(1, 5);
    digits->setValue(2);
    digits->setValue(current.Digits[i]);
    grid->addWidget(label, 2 * k, 0, 1, 2);
    grid->addWidget(edit, 2 * k + 1, 0);
    grid->addWidget(digits, 2 * k + 1, 1);
    formulas_[i] = edit;
    digits_[i] = digits;
  }
  grid->setColumnStretch(0, 1);
  v->addLayout(grid);
  auto* info = new QLabel(DisplayText("Используемые переменные:\r\nn1, n2, n3, ..., nX - числа "
                                      "текущего тиража\r\np1, p2, p3, ..., pX - числа "
                                      "предыдущего тиража"),
                          this);
  info->setObjectName(QStringLiteral("lblInfo"));
  v->addWidget(info);
  v->addWidget(OkCancelButtons(this));
}

TShreddingConfig TFormShredding::Result() const {
  TShreddingConfig r;
  for (size_t i = 0; i < 3; ++i) {
    r.Formulas[i] = S(formulas_[i]->text());
    r.Digits[i] = digits_[i]->value();
  }
  return r;
}

}  // namespace kvarn
