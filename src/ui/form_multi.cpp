#include "ui/form_multi.h"

#include <QVBoxLayout>

#include "stakes/stake_input.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"
#include "ui/stake_fields.h"

namespace kvarn {

TFormMulti::TFormMulti(IHost& host, int drawNumber, int draws, const std::string& comment,
                       QWidget* parent)
    : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("FormMulti"));
  setWindowTitle(QStringLiteral("Добавление мультиставки"));
  auto* v = new QVBoxLayout(this);

  drawNumber_ = AddDrawNumberField(this, v, drawNumber);
  comment_ = AddCommentField(this, v, comment);
  draws_ = AddDrawsCountField(this, v, draws);

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
