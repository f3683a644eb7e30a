#include "ui/form_stake.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stake_input.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"
#include "ui/stake_fields.h"

namespace kvarn {

TFormStake::TFormStake(IHost& host, const TStake& prepared, int draws, const TConfigData& config,
                       QWidget* parent)
    : QDialog(parent), host_(host), prepared_(prepared), result_(prepared), config_(config) {
  setObjectName(QStringLiteral("FormStake"));
  setWindowTitle(QStringLiteral("Добавление ставки"));
  auto* v = new QVBoxLayout(this);

  drawNumber_ = AddDrawNumberField(this, v, prepared.DrawNumber);

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

  comment_ = AddCommentField(this, v, prepared.Comment);
  draws_ = AddDrawsCountField(this, v, draws);

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
