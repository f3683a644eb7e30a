// "Удаление по условию": the comparison with the match count and its value.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QSpinBox>

namespace kvarn {

class TFormStakeFilter : public QDialog {
  Q_OBJECT
 public:
  explicit TFormStakeFilter(QWidget* parent);

  int Condition() const { return condition_->currentIndex(); }
  int Value() const { return value_->value(); }

  QComboBox* ConditionBox() const { return condition_; }
  QSpinBox* ValueField() const { return value_; }

 private:
  QComboBox* condition_ = nullptr;
  QSpinBox* value_ = nullptr;
};

}  // namespace kvarn
