// "Добавление мультиставки": the draw number, the comment and the number of draws of the stakes
// made for the selected or all combinations.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <string>

#include "app/host.h"

namespace kvarn {

class TFormMulti : public QDialog {
  Q_OBJECT
 public:
  TFormMulti(IHost& host, int drawNumber, int draws, const std::string& comment, QWidget* parent);

  int DrawNumber() const { return drawNumber_->value(); }
  int Draws() const { return draws_->value(); }
  std::string Comment() const;

  QSpinBox* DrawNumberField() const { return drawNumber_; }
  QLineEdit* CommentField() const { return comment_; }
  QSpinBox* DrawsField() const { return draws_; }

  void accept() override;

 private:
  IHost& host_;
  QSpinBox* drawNumber_ = nullptr;
  QLineEdit* comment_ = nullptr;
  QSpinBox* draws_ = nullptr;
};

}  // namespace kvarn
