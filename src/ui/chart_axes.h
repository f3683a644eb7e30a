// Numbers on charts: axis labels and point marks in plain decimal, never in exponent form.
#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QValueAxis;
QT_END_NAMESPACE

namespace kvarn {

// The text of a value: an integer as an integer ("1234567"), a real with its own decimals (at
// most four, trailing zeros dropped: "12.5").
QString ChartValueText(double value);

// An axis over min..max with nice ticks, at most `intervals` of them (labels closer than their
// own height are cut to "..."). A whole-number axis (draw numbers, counts) has ticks on whole
// numbers only and labels without decimals; another one shows the decimals of its step.
void SetChartAxis(QValueAxis* axis, double min, double max, bool whole, int intervals = 8);

}  // namespace kvarn
