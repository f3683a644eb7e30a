#include "ui/form_proxy.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "core/download.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormProxy::TFormProxy(const TProxyConfig& proxy, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormProxy"));
  setWindowTitle(QStringLiteral("Параметры proxy-сервера"));
  auto* v = new QVBoxLayout(this);
  const char* captions[3] = {"Не использовать proxy-сервер",
                             "Автоматический поиск сервера (возможны задержки)",
                             "Ручной выбор proxy-сервера:"};
  for (int i = 0; i < 3; ++i) {
    modes_[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
    v->addWidget(modes_[i]);
    connect(modes_[i], &QRadioButton::toggled, this, &TFormProxy::ModeChanged);
  }
  auto* form = new QFormLayout();
  form->setContentsMargins(20, 0, 0, 0);
  server_ = new QLineEdit(Q(proxy.Server), this);
  port_ = new QSpinBox(this);
  port_->setRange(1, 65535);
  port_->setValue(proxy.Port >= 1 && proxy.Port <= 65535 ? proxy.Port : 80);
  user_ = new QLineEdit(Q(proxy.Username), this);
  password_ = new QLineEdit(Q(proxy.Password), this);
  password_->setEchoMode(QLineEdit::Password);
  form->addRow(QStringLiteral("Имя или адрес сервера:"), server_);
  form->addRow(QStringLiteral("Порт:"), port_);
  form->addRow(QStringLiteral("Имя пользователя:"), user_);
  form->addRow(QStringLiteral("Пароль:"), password_);
  v->addLayout(form);
  v->addWidget(OkCancelButtons(this));
  modes_[ProxyDialogMode(proxy.Mode)]->setChecked(true);
  ModeChanged();
}

void TFormProxy::ModeChanged() {
  bool manual = modes_[pmManual] && modes_[pmManual]->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(server_), static_cast<QWidget*>(port_),
                     static_cast<QWidget*>(user_), static_cast<QWidget*>(password_)})
    if (w) w->setEnabled(manual);
}

TProxyConfig TFormProxy::Entered() const {
  TProxyConfig p;
  for (int i = 0; i < 3; ++i)
    if (modes_[i]->isChecked()) p.Mode = i;
  p.Server = S(server_->text());
  p.Port = port_->value();
  p.Username = S(user_->text());
  p.Password = S(password_->text());
  return p;
}

}  // namespace kvarn
