#include "ui/form_multi.h"

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

TFormMulti::TFormMulti(IHost& host, int drawNumber, int draws, const std::string& comment,
                       QWidget* parent)
    : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("FormMulti"));
  setWindowTitle(QStringLiteral("Добавление мультиставки"));
  auto* v = new QVBoxLayout(this);

  v->addWidget(new QLabel(QStringLiteral("Номер тиража:"), this));
  drawNumber_ = new QSpinBox(this);
  drawNumber_->setObjectName(QStringLiteral("edDrawNumber"));
  drawNumber_->setToolTip(QStringLiteral("Номер первого тиража"));
  drawNumber_->setRange(1, 2147483647);
  drawNumber_->setValue(std::max(1, drawNumber));
  v->addWidget(drawNumber_);

  v->addWidget(new QLabel(QStringLiteral("Комментарий к ставке:"), this));
  comment_ = new QLineEdit(this);
  comment_->setObjectName(QStringLiteral("edComment"));
  comment_->setMaxLength(StakeCommentInputMaxLen);
  comment_->setText(Q(Utf8Left(comment, StakeCommentInputMaxLen)));
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
  resize(360, sizeHint().height());
  comment_->setFocus();
}

std::string TFormMulti::Comment() const {
  return S(comment_->text());
}

void TFormMulti::accept() {
  try {
    StakeInputRequireComment(Comment());
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    comment_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace kvarn
