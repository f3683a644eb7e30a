// "Количество тестов": how many of the last draws a test runs over.
#pragma once

#include <QDialog>
#include <QSpinBox>

namespace kvarn {

class TFormTestCnt : public QDialog {
  Q_OBJECT
 public:
  // The count runs from 1 to `maximum`; it starts at 10 (or the maximum when that is smaller).
  TFormTestCnt(int maximum, QWidget* parent);
  int Result() const { return count_->value(); }
  QSpinBox* CountField() const { return count_; }

 private:
  QSpinBox* count_ = nullptr;
};

}  // namespace kvarn
