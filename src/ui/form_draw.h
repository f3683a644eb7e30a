// "Данные тиража": the number, the drawn numbers with the extra number, and the date and time of
// one draw. OK closes only on valid input.
#pragma once

#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>

#include "app/host.h"
#include "core/dates.h"
#include "core/lottery.h"

namespace kvarn {

class TFormDraw : public QDialog {
  Q_OBJECT
 public:
  // `format` is the date form of the person's locale; the dialog keeps a copy.
  TFormDraw(IHost& host, const QString& caption, const TDraw& draw, bool withDate,
            const TDateFormat& format, QWidget* parent);
  // The record as typed (valid once the dialog was accepted).
  const TDraw& Result() const { return result_; }

  QSpinBox* NumberField() const { return number_; }
  QLineEdit* NumbersField() const { return numbers_; }
  QDateEdit* DateField() const { return date_; }
  QTimeEdit* TimeField() const { return time_; }

  void accept() override;

 private:
  IHost& host_;
  TDraw original_;
  TDraw result_;
  bool withDate_;
  TDateFormat format_;
  QSpinBox* number_ = nullptr;
  QLineEdit* numbers_ = nullptr;
  QDateEdit* date_ = nullptr;
  QTimeEdit* time_ = nullptr;
  // What the pickers showed at opening.
  QDate shownDate_;
  QTime shownTime_;
};

}  // namespace kvarn
