#include "ui/form_stake.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "core/lottery_text.h"
#include "core/text.h"
#include "core/utf8.h"
#include "stakes/stake_input.h"
#include "stakes/stakes_file.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormStake::TFormStake(IHost& host, const TStake& prepared, int draws, const TConfigData& config,
                       QWidget* parent)
    : QDialog(parent), host_(host), prepared_(prepared), result_(prepared), config_(config) {
  setObjectName(QStringLiteral("FormStake"));
  setWindowTitle(QStringLiteral("Добавление ставки"));
  auto* v = new QVBoxLayout(this);

  v->addWidget(new QLabel(QStringLiteral("Номер тиража:"), this));
  drawNumber_ = new QSpinBox(this);
  drawNumber_->setObjectName(QStringLiteral("edDrawNumber"));
  drawNumber_->setToolTip(QStringLiteral("Номер первого тиража"));
  drawNumber_->setRange(1, 2147483647);
  drawNumber_->setValue(std::max(1, prepared.DrawNumber));
  v->addWidget(drawNumber_);

  v->addWidget(new QLabel(QStringLiteral("Ставка:"), this));
  numbers_ = new QLineEdit(this);
  numbers_->setObjectName(QStringLiteral("edStakeData"));
  numbers_->setText(Q(NumberSetText(prepared.Numbers, ";")));
  v->addWidget(numbers_);

  v->addWidget(new QLabel(QStringLiteral("Сумма:"), this));
  sum_ = new QLineEdit(this);
  sum_->setObjectName(QStringLiteral("edStakeSum"));
  sum_->setReadOnly(true);
  v->addWidget(sum_);

  v->addWidget(new QLabel(QStringLiteral("Комментарий к ставке:"), this));
  comment_ = new QLineEdit(this);
  comment_->setObjectName(QStringLiteral("edComment"));
  comment_->setMaxLength(StakeCommentInputMaxLen);
  comment_->setText(Q(Utf8Left(prepared.Comment, StakeCommentInputMaxLen)));
  v->addWidget(comment_);

  v->addWidget(new QLabel(QStringLiteral("Кол-во тиражей:"), this));
  draws_ = new QSpinBox(this);
  draws_->setObjectName(QStringLiteral("edDrawsCount"));
  draws_->setToolTip(
      QStringLiteral("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));
  draws_->setRange(1, MaxStakeDraws);
  draws_->setValue(std::clamp(draws, 1, MaxStakeDraws));
  v->addWidget(draws_);

  v->addWidget(OkCancelButtons(this));
  connect(numbers_, &QLineEdit::textChanged, this, &TFormStake::UpdateSum);
  UpdateSum();
  resize(360, sizeHint().height());
  numbers_->setFocus();
}

void TFormStake::UpdateSum() {
  sum_->setText(Q(NumberText(StakeNumbersSum(S(numbers_->text())))));
}

void TFormStake::accept() {
  try {
    result_ = StakeInputApply(prepared_, drawNumber_->value(), S(numbers_->text()),
                              S(comment_->text()), config_.StakeCost, config_.Profits);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    TNumberSet unused;
    (ParseStakeNumbers(S(numbers_->text()), unused) ? comment_ : numbers_)->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace kvarn
