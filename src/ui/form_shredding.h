// The formulas dialog "Методы шинковки": three formula texts and the number of decimals each
// value is cut to. The dialog does not check the formulas; a formula that cannot be evaluated
// gives 0.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <array>

#include "core/config.h"

namespace kvarn {

class TFormShredding : public QDialog {
  Q_OBJECT
 public:
  TFormShredding(const TShreddingConfig& current, QWidget* parent = nullptr);

  TShreddingConfig Result() const;
  QLineEdit* Formula(int k) const { return formulas_.at(static_cast<size_t>(k)); }
  QSpinBox* Digits(int k) const { return digits_.at(static_cast<size_t>(k)); }

 private:
  std::array<QLineEdit*, 3> formulas_{};
  std::array<QSpinBox*, 3> digits_{};
};

}  // namespace kvarn
