#include "ui/stake_fields.h"

#include <QLabel>
#include <algorithm>

#include "core/utf8.h"
#include "stakes/stake_input.h"
#include "stakes/stakes_file.h"
#include "ui/qt_host.h"

namespace kvarn {

QSpinBox* AddDrawNumberField(QWidget* dialog, QVBoxLayout* column, int drawNumber) {
  column->addWidget(new QLabel(QStringLiteral("Номер тиража:"), dialog));
  auto* field = new QSpinBox(dialog);
  field->setObjectName(QStringLiteral("edDrawNumber"));
  field->setToolTip(QStringLiteral("Номер первого тиража"));
  field->setRange(1, 2147483647);
  field->setValue(std::max(1, drawNumber));
  column->addWidget(field);
  return field;
}

QLineEdit* AddCommentField(QWidget* dialog, QVBoxLayout* column, const std::string& comment) {
  column->addWidget(new QLabel(QStringLiteral("Комментарий к ставке:"), dialog));
  auto* field = new QLineEdit(dialog);
  field->setObjectName(QStringLiteral("edComment"));
  field->setMaxLength(StakeCommentInputMaxLen);
  field->setText(Q(Utf8Left(comment, StakeCommentInputMaxLen)));
  column->addWidget(field);
  return field;
}

QSpinBox* AddDrawsCountField(QWidget* dialog, QVBoxLayout* column, int draws) {
  column->addWidget(new QLabel(QStringLiteral("Кол-во тиражей:"), dialog));
  auto* field = new QSpinBox(dialog);
  field->setObjectName(QStringLiteral("edDrawsCount"));
  field->setToolTip(
      QStringLiteral("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));
  field->setRange(1, MaxStakeDraws);
  field->setValue(std::clamp(draws, 1, MaxStakeDraws));
  column->addWidget(field);
  return field;
}

}  // namespace kvarn
