// "Параметры proxy-сервера": no proxy, automatic search or a manual server with port and
// credentials.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "core/config.h"

namespace kvarn {

class TFormProxy : public QDialog {
  Q_OBJECT
 public:
  TFormProxy(const TProxyConfig& proxy, QWidget* parent);
  // The values as entered; the workspace applies the dialog's rule when it keeps them.
  TProxyConfig Entered() const;

  QRadioButton* ModeButton(int mode) const { return modes_[mode]; }
  QLineEdit* Server() const { return server_; }
  QSpinBox* Port() const { return port_; }

 private:
  void ModeChanged();
  QRadioButton* modes_[3] = {};
  QLineEdit* server_ = nullptr;
  QSpinBox* port_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace kvarn
