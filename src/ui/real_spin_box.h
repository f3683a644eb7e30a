// A spin box for reals that shows "." as the decimal separator and takes "." or "," when typed,
// whatever the system's locale.
#pragma once

#include <QDoubleSpinBox>

namespace kvarn {

class TRealSpinBox : public QDoubleSpinBox {
  Q_OBJECT
 public:
  explicit TRealSpinBox(QWidget* parent);
  QValidator::State validate(QString& input, int& pos) const override;
  double valueFromText(const QString& text) const override;
};

}  // namespace kvarn
