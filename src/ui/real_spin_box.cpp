#include "ui/real_spin_box.h"

namespace kvarn {

TRealSpinBox::TRealSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  setLocale(c);
}

QValidator::State TRealSpinBox::validate(QString& input, int& pos) const {
  input.replace(QLatin1Char(','), QLatin1Char('.'));
  return QDoubleSpinBox::validate(input, pos);
}

double TRealSpinBox::valueFromText(const QString& text) const {
  QString t = text;
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  return QDoubleSpinBox::valueFromText(t);
}

}  // namespace kvarn
