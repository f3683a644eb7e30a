// "Добавление ставки": the draw number, the numbers with their live sum, the comment and the
// number of draws of one stake. OK closes only on valid input.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include "app/host.h"
#include "core/config.h"
#include "stakes/stake.h"

namespace kvarn {

class TFormStake : public QDialog {
  Q_OBJECT
 public:
  TFormStake(IHost& host, const TStake& prepared, int draws, const TConfigData& config,
             QWidget* parent);
  // The record as typed and the number of draws (valid once the dialog was accepted).
  const TStake& Result() const { return result_; }
  int Draws() const { return draws_->value(); }

  QSpinBox* DrawNumberField() const { return drawNumber_; }
  QLineEdit* NumbersField() const { return numbers_; }
  QLineEdit* SumField() const { return sum_; }
  QLineEdit* CommentField() const { return comment_; }
  QSpinBox* DrawsField() const { return draws_; }

  void accept() override;

 private:
  void UpdateSum();

  IHost& host_;
  TStake prepared_;
  TStake result_;
  const TConfigData& config_;
  QSpinBox* drawNumber_ = nullptr;
  QLineEdit* numbers_ = nullptr;
  QLineEdit* sum_ = nullptr;
  QLineEdit* comment_ = nullptr;
  QSpinBox* draws_ = nullptr;
};

}  // namespace kvarn
